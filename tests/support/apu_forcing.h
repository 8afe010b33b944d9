// Holds the APU at a chosen state for the tests of the models that read it.
#pragma once

namespace quil {

// Puts the APU at once at a speed, phase and starter current, from where its
// next step carries on, so that a test can use it as a fixed source and
// battery load. Non-finite values and unknown phases are refused.
void ForceApuState(float n1, int phase, float starterCurrent);

}  // namespace quil
