#include "systems/wipers.h"

namespace quil {

void StepWipers(float) {}
float WiperStowage(int) { return 0.0f; }
float WiperPosition(int) { return 0.0f; }

}  // namespace quil
