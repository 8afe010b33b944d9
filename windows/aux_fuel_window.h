// The auxiliary fuel control panel, embedded in the panel or as a popup.
#pragma once

namespace quil {

void DrawAuxFuelWindow(int mode, float x, float y);
// A mouse event at window-local pixels (x, y); the panel's embedded spot
// passes embeddedMode 0.
void AuxFuelWindowClick(int x, int y, int status, int embeddedMode);

}  // namespace quil
