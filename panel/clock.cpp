#include "panel/clock.h"

namespace quil {

void ResetClock(int) {}
void DrawClockWindow(int, float, float) {}
void ClockWindowClick(int, int, int, int) {}

}  // namespace quil
