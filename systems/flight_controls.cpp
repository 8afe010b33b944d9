#include "systems/flight_controls.h"

#include "systems/flight_controls_steps.h"

namespace quil {

void RestartFlightControls() {
    RestartSpoilers();
    RestartHighLift();
    RestartWingFlex();
}

}  // namespace quil
