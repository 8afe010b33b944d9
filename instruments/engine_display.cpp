#include "instruments/engine_display.h"

namespace quil {

void BuildEngineDialGeometry() {}
void DrawEngineDisplay(int) {}

}  // namespace quil
