// Flight phase tracking, from taxi to landing, with its automatic actions.
#pragma once

namespace quil {

void UpdateFlightPhase(float now);
void RestartFlightPhase();

// The gear carries the aircraft.
bool OnGround();

}  // namespace quil
