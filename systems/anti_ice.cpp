#include "systems/anti_ice.h"

namespace quil {

void StepAntiIce() {}
void ClearAntiIceInitialised() {}
unsigned char EngineAntiIceState(int) { return 0; }

}  // namespace quil
