// The panel's textures: the artwork atlas, the digit fonts and the
// aircraft's light map with its switchable glows.
#pragma once

namespace quil {

void LoadPanelTextures();
void UnloadPanelTextures();
bool PanelTexturesLoaded();
// Switches the light-map glows on or off by the bits of `mask`.
void ApplyLitMapMask(int mask);

}  // namespace quil
