// The windows' layouts, read by their click zones, their drawing and the
// artwork: every control's zone and mount lie inside its window, each of
// the zone's cuts inside the zone, so that no part comes out empty, and
// every lamp's lens inside its window with its lit faces inside the lens.
#include "windows/layout_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "windows/sheet_tables.h"

namespace {

using quil::ControlLayout;
using quil::LampLayout;
using quil::SpriteRect;
using quil::WindowBox;

struct LayoutCase {
    const char* window;
    const ControlLayout* controls;
    int count;
    SpriteRect picture;  // the window's picture on its sheet
    const LampLayout* lamps = nullptr;
    int lampCount = 0;
};

template <int N>
LayoutCase layoutCase(const char* window, const ControlLayout (&controls)[N],
                      const SpriteRect& picture) {
    return {window, controls, N, picture};
}

template <int N, int M>
LayoutCase layoutCase(const char* window, const ControlLayout (&controls)[N],
                      const SpriteRect& picture, const LampLayout (&lamps)[M]) {
    return {window, controls, N, picture, lamps, M};
}

const LayoutCase kCases[] = {
    layoutCase("meter", quil::kMeterLayout, quil::kMeterSprites[quil::kMeterBackground],
               quil::kMeterLamps),
    layoutCase("APU", quil::kApuLayout, quil::kApuSprites[quil::kApuBackground],
               quil::kApuLamps),
    layoutCase("cabin", quil::kCabinLayout,
               quil::kCabinUtilitiesSprites[quil::kCabinBackground]),
    layoutCase("anti-ice", quil::kAntiIceLayout, quil::kAntiIceSprites[quil::kIceBackground]),
    layoutCase("fuel", quil::kFuelLayout, quil::kFuelSprites[quil::kFuelBackground],
               quil::kFuelLamps),
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

bool within(const WindowBox& inner, const WindowBox& outer) {
    return outer.x0 <= inner.x0 && inner.x0 <= inner.x1 && inner.x1 <= outer.x1 &&
           outer.y0 <= inner.y0 && inner.y0 <= inner.y1 && inner.y1 <= outer.y1;
}

TEST(WindowLayouts, EveryControlAndLampLiesInsideItsWindowAndEveryPartInsideIt) {
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
        for (int n = 0; n < c.lampCount; ++n) {
            const LampLayout& lamp = c.lamps[n];
            const std::string which = std::string(c.window) + " lamp " + std::to_string(n);
            EXPECT_TRUE(inside(lamp.lens, width, height)) << which;
            ASSERT_TRUE(lamp.lamps == 1 || lamp.lamps == 2) << which;
            for (int face = 0; face < lamp.lamps; ++face) {
                EXPECT_TRUE(within(quil::LampFace(lamp, face), lamp.lens)) << which;
            }
        }
    }
}

}  // namespace
