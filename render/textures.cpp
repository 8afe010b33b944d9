#include "render/textures.h"

namespace quil {

void LoadPanelTextures() {}
void UnloadPanelTextures() {}
bool PanelTexturesLoaded() { return false; }
void ApplyLitMapMask(int) {}

}  // namespace quil
