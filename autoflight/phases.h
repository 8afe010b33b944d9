// Flight phase tracking, from taxi to landing, with its automatic actions.
#pragma once

namespace quil {

void UpdateFlightPhase(float now);
void RestartFlightPhase();

}  // namespace quil
