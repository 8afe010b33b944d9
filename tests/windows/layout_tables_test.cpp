// The windows' layouts, read by their click zones, their drawing and the
// artwork: every control's zone and mount lie inside its window, and each
// of the zone's cuts inside the zone, so that no part comes out empty.
#include "windows/layout_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "windows/sheet_tables.h"

namespace {

using quil::ControlLayout;
using quil::SpriteRect;
using quil::WindowBox;

struct LayoutCase {
    const char* window;
    const ControlLayout* controls;
    int count;
    SpriteRect picture;  // the window's picture on its sheet
};

template <int N>
LayoutCase layoutCase(const char* window, const ControlLayout (&controls)[N],
                      const SpriteRect& picture) {
    return {window, controls, N, picture};
}

const LayoutCase kCases[] = {
    layoutCase("meter", quil::kMeterLayout, quil::kMeterSprites[quil::kMeterBackground]),
    layoutCase("APU", quil::kApuLayout, quil::kApuSprites[quil::kApuBackground]),
    layoutCase("cabin", quil::kCabinLayout,
               quil::kCabinUtilitiesSprites[quil::kCabinBackground]),
    layoutCase("anti-ice", quil::kAntiIceLayout, quil::kAntiIceSprites[quil::kIceBackground]),
    layoutCase("fuel", quil::kFuelLayout, quil::kFuelSprites[quil::kFuelBackground]),
    layoutCase("bleed strip", quil::kFuelBleedStripLayout,
               quil::kFuelSprites[quil::kFuelAuxBleedStrip]),
    layoutCase("transfer strip", quil::kFuelTransferStripLayout,
               quil::kFuelSprites[quil::kFuelAuxTransferStrip]),
    layoutCase("aux fuel", quil::kAuxFuelLayout, quil::kAuxFuelSprites[quil::kAfcpFrame]),
    layoutCase("clock", quil::kClockLayout, quil::kClockSprites[quil::kClockFrontFrame]),
    layoutCase("fuel station", quil::kFuelStationLayout,
               quil::kFuelStationSprites[quil::kStationBackground]),
    layoutCase("fuel station aux", quil::kFuelStationAuxLayout,
               quil::kFuelStationSprites[quil::kStationAuxBackground]),
};

bool inside(const WindowBox& box, int width, int height) {
    return 0 <= box.x0 && box.x0 <= box.x1 && box.x1 < width && 0 <= box.y0 &&
           box.y0 <= box.y1 && box.y1 < height;
}

TEST(WindowLayouts, EveryControlLiesInsideItsWindowAndEveryCutInsideItsZone) {
    for (const LayoutCase& c : kCases) {
        const int width = c.picture.x1 - c.picture.x0 + 1;
        const int height = c.picture.y1 - c.picture.y0 + 1;
        for (int n = 0; n < c.count; ++n) {
            const ControlLayout& control = c.controls[n];
            const std::string which = std::string(c.window) + " control " + std::to_string(n);
            // The host reports a mouse on the window's far edges too.
            EXPECT_TRUE(inside(control.zone, width + 1, height + 1)) << which;
            EXPECT_TRUE(inside(quil::MountBox(control), width, height)) << which;
            for (int cut : control.cuts) {
                const WindowBox& z = control.zone;
                const bool column = z.x0 < cut && cut <= z.x1;
                const bool row = z.y0 < cut && cut <= z.y1;
                EXPECT_TRUE(cut == 0 || column || row) << which << " cut " << cut;
            }
            if (control.cuts[1] != 0) {
                EXPECT_NE(control.cuts[0], 0) << which;
            }
        }
    }
}

}  // namespace
