// The auxiliary fuel control panel, embedded in the panel or as a popup.
#pragma once

namespace quil {

constexpr int kEmbeddedDrawMode = 3;

void DrawAuxFuelWindow(int mode, float x, float y);

}  // namespace quil
