#include "windows/click_actions.h"

#include <limits>

#include "autoflight/protocol.h"
#include "sim/snapshot.h"
#include "systems/electrical.h"

namespace quil {
namespace {

// Holding a wheel steps it again at most this often.
constexpr float kWheelRepeatSeconds = 0.15f;
constexpr float kNever = -std::numeric_limits<float>::infinity();

float wheelStepTime[kWheelCount] = {kNever, kNever, kNever, kNever};

}  // namespace

void altHoldButton(int, int, int status, int) {
    if (isPress(status)) mcpAltHold(kMcpToggle, 1);
}

// Time going backwards (a replay, a reset of the simulator's clock) never
// blocks a wheel.
bool WheelMayStep(Wheel wheel, int status, bool everyPress) {
    if (status != xplm_MouseDown && status != xplm_MouseDrag) return false;
    float& lastStep = wheelStepTime[wheel];
    const float elapsed = snapshot.now - lastStep;
    const bool pressing = everyPress && status == xplm_MouseDown;
    if (!pressing && elapsed >= 0.0f && elapsed < kWheelRepeatSeconds) return false;
    lastStep = snapshot.now;
    return true;
}

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
