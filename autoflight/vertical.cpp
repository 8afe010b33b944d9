#include "autoflight/vertical.h"

namespace quil {

void AutothrottleStep(float) {}
void PitchTargetStep(float) {}
void PitchOutputStep(float) {}
void ClearLvlChgCorrection() {}
void HoldPresentThrottles() {}

}  // namespace quil
