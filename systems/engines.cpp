#include "systems/engines.h"

namespace quil {

void EngineAnimationStep(int) {}
void ComputeN1Limits(int, float, int, const unsigned char[2], float[2], int) {}
void SelectThrustLimitTable(int) {}

}  // namespace quil
