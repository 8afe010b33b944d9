#include "windows/overhead.h"

#include "render/colours.h"

namespace quil {

void DrawWindowLamp(int left, int bottom, const PixelRect& lamp, const float* litColour, bool lit) {
    if (lit) {
        FillRectLit(litColour, left, bottom, lamp, false);
    } else {
        FillRectLit(ColourOf(FixedColour::Grey42), left, bottom, lamp, true);
    }
}

void DrawWindowLamp(int left, int bottom, const LampLayout& lens, int n, const float* litColour,
                    bool lit) {
    const WindowBox face = LampFace(lens, n);
    DrawWindowLamp(left, bottom, {face.x0, face.y0, face.x1 - face.x0 + 1, face.y1 - face.y0 + 1},
                   litColour, lit);
}

}  // namespace quil
