// The clock and chronograph, embedded in the panel or as a popup.
#pragma once

namespace quil {

void ResetClock(int clock);
void DrawClockWindow(int mode, float x, float y);

}  // namespace quil
