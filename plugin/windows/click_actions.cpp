#include "windows/click_actions.h"

#include "autoflight/protocol.h"
#include "sim/snapshot.h"
#include "systems/electrical.h"

namespace quil {

// Only moves the switches.
void CentreSpringLoadedSwitches() {
    SetExternalPowerSwitch(kSwitchCentre);
    SetGeneratorSwitch(0, kSwitchCentre);
    SetGeneratorSwitch(1, kSwitchCentre);
    SetApuGeneratorSwitch(0, kSwitchCentre);
    SetApuGeneratorSwitch(1, kSwitchCentre);
}

void RequestGroundPowerUnit() {
    const bool present = GroundPowerUnitPresent();
    if (GroundServiceMode() != kGroundServiceByOtherPlugin) {
        SetGroundPowerUnitPresent(!present);
    } else if (present) {
        Broadcast(GroundPowerRelease);
    } else if (snapshot.parkBrake > 0.0f) {
        Broadcast(GroundPowerRequest);
        Broadcast(GroundServiceState);
    }
}

}  // namespace quil
