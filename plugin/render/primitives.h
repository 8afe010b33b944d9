// Drawing primitives: sprites of the panel atlas and flat rectangles in
// screen coordinates, outlines and fills in panel coordinates.
#pragma once

#include "render/sprites.h"

namespace quil {

// Atlas sprite n (nothing for n >= 128) with its lower-left corner at
// (x, y), in the colour given or, with none, the current one.
void DrawSprite(int sprite, const float* colour, float x, float y);
void DrawSpriteScaled(int sprite, const float* colour, float x, float y, float scale);
// Centred on centreX, without alpha testing.
void DrawSpriteCentred(int sprite, const float* colour, float centreX, float y);

// A sprite of another sheet (a window's), bound from `texture`, at its
// size, with alpha testing and blending.
void DrawSheetSprite(int texture, const SpriteRecord& sprite, const float* colour, float x,
                     float y);

// The same turned clockwise by `degrees` about its centre, which lies at
// (centreX, centreY): a knob at its position.
void DrawSheetSpriteTurned(int texture, const SpriteRecord& sprite, const float* colour,
                           float centreX, float centreY, float degrees);

// Whole screen pixels.
struct PixelRect {
    int x, y, width, height;
};

// The rectangle moved by (dx, dy), untextured and blended; the lit form
// draws with the simulator's lighting on when `lit` is set.
void FillRect(const float* colour, int dx, int dy, const PixelRect& rect);
void FillRectLit(const float* colour, int dx, int dy, const PixelRect& rect, bool lit);

}  // namespace quil
