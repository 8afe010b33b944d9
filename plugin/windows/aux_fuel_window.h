// The auxiliary fuel control panel: the aux tank system's messages and
// quantities, its two message keys and the lamp test; embedded in the panel
// or as a popup.
#pragma once

#include "windows/popup_window.h"

namespace quil {

extern PopupWindow auxFuelWindow;

void DrawAuxFuelWindow(int mode, float x, float y);
// A mouse event at window-local pixels (x, y); the panel's embedded spot
// passes embeddedMode 0.
void AuxFuelWindowClick(int x, int y, int status, int embeddedMode);
void OpenAuxFuelWindow();

}  // namespace quil
