// Vertical guidance and the autothrottle: the pitch laws and the thrust
// laws that the engaged modes run.
#pragma once

namespace quil {

void AutothrottleStep(float now);
void PitchTargetStep(float now);
void PitchOutputStep(float now);

// The LVL CHG speed loop's correction starts again from 0.
void ClearLvlChgCorrection();
// THR HLD keeps the throttles where they are now.
void HoldPresentThrottles();

}  // namespace quil
