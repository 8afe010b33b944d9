// The clock's popup window: for the popup list, and drawn embedded in the
// panel.
#pragma once

#include "windows/popup_window.h"

namespace quil {

extern PopupWindow clockWindow;

// The window: drawn embedded in the panel or as a popup, and its clicks in
// window-local pixels (the panel's embedded spot passes embeddedMode 0).
void DrawClockWindow(int mode, float x, float y);
void ClockWindowClick(int x, int y, int status, int embeddedMode);
void OpenClockWindow();

}  // namespace quil
