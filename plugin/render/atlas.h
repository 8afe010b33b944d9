// The panel artwork atlas "quiltexture.png": its sprite table.
#pragma once

#include "render/atlas_table.h"
#include "render/sprites.h"

namespace quil {

// Sprite numbers from here up are refused by the drawing.
constexpr int kAtlasSpriteLimit = 128;

// Texture coordinates of every atlas sprite for an atlas of W x H pixels.
// The horizontal ones start one texel right of the rectangle; the vertical
// ones do not.
void ComputeAtlasCoordinates(float atlasWidth, float atlasHeight);

// Sprite n; numbers past the table, and outside 0 to 127, give an empty
// record.
const SpriteRecord& AtlasSprite(int n);

}  // namespace quil
