#include "systems/apu.h"

namespace quil {

void ApuUpdate() {}
void ResetApu() {}
void EngineStartStep() {}
void ReleaseStarter(int) {}

}  // namespace quil
