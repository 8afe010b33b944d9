#include "systems/flight_controls.h"

namespace quil {

void RestartFlightControls() {
    RestartSpoilers();
    RestartHighLift();
    RestartWingFlex();
}

}  // namespace quil
