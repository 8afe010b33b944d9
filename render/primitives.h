// Drawing primitives in screen coordinates: sprites of the panel atlas.
#pragma once

namespace quil {

void DrawSprite(int sprite, const float* colour, float x, float y);

}  // namespace quil
