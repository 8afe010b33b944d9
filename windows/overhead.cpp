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

}  // namespace quil
