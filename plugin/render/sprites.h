// A sprite: a pixel rectangle of an artwork sheet and, once the sheet is
// loaded, its texture coordinates and its size on screen.
#pragma once

#include <cstdint>

namespace quil {

// A sprite's pixel rectangle, fixed data shared with the artwork generator.
struct SpriteRect {
    int x0, y0, x1, y1;
};

// The integer half is fixed data, y counted from the bottom edge of the
// picture; the float half is computed when the sheet loads. A table ends
// with a record whose x0 is negative.
struct SpriteRecord {
    int32_t x0, y0, x1, y1;
    float texLeft, texBottom, texRight, texTop;
    float width, height;  // pixels on screen at scale 1
};

}  // namespace quil
