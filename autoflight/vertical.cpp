#include "autoflight/vertical.h"

namespace quil {

void AutothrottleStep(float) {}
void PitchTargetStep(float) {}
void PitchOutputStep(float) {}

}  // namespace quil
