// The windshield wipers: selectors, sweeps and their stowage, animated on
// the 3D model.
#pragma once

namespace quil {

void StepWipers(float now);
float WiperStowage(int wiper);  // 0 parked .. 1 out of the park position
float WiperPosition(int wiper); // sweep position

}  // namespace quil
