// Vertical guidance and the autothrottle: the pitch laws and the thrust
// laws that the engaged modes run.
#pragma once

namespace quil {

void AutothrottleStep(float now);
void PitchTargetStep(float now);
void PitchOutputStep(float now);

}  // namespace quil
