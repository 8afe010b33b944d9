#include "systems/engines.h"

namespace quil {
namespace {

constexpr int kHighestThrustLimitMode = 8;
int thrustLimitMode = 1;

}  // namespace

void SetThrustLimitMode(int mode) {
    if (mode >= 0 && mode <= kHighestThrustLimitMode) thrustLimitMode = mode;
}

void ThrustLimitModeUp() { SetThrustLimitMode(thrustLimitMode < kHighestThrustLimitMode ? thrustLimitMode + 1 : thrustLimitMode); }
void ThrustLimitModeDown() { SetThrustLimitMode(thrustLimitMode > 0 ? thrustLimitMode - 1 : 0); }
int ThrustLimitMode() { return thrustLimitMode; }

void EngineAnimationStep(int) {}
void ComputeN1Limits(int, float, int, const unsigned char[2], float[2], int) {}
void SelectThrustLimitTable(int) {}

}  // namespace quil
