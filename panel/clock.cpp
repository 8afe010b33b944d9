#include "panel/clock.h"

namespace quil {

void ResetClock(int) {}
void DrawClockWindow(int, float, float) {}

}  // namespace quil
