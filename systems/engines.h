// Engine indications and animation: fans, spinners and blur disks, the
// thrust-limit modes and their N1 targets, the thrust reversers.
#pragma once

namespace quil {

void EngineAnimationStep(int engine);
// The N1 limit of each engine for the present thrust-limit mode, from the
// outside temperature, the altitude and the anti-ice bleeds.
void ComputeN1Limits(int oat, float altitude, int wingAntiIce,
                     const unsigned char engineAntiIce[2], float n1Limit[2], int engines);
void SelectThrustLimitTable(int table);

// The thrust-limit mode, 0 to 8: set by autoflight and the reset, stepped
// from the panel. Values outside the range are ignored.
void SetThrustLimitMode(int mode);
void ThrustLimitModeUp();
void ThrustLimitModeDown();
int ThrustLimitMode();

}  // namespace quil
