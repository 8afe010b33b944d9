// The panel's switches and annunciator lights, drawn in the test process
// from the models' state and the panel's clicks.
#include "instruments/switches.h"

#include <cmath>

#include "instruments/cockpit_light.h"
#include "instruments/panel_support.h"
#include "panel/click_spots.h"
#include "render/atlas_table.h"
#include "render/colours.h"
#include "render/geometry.h"
#include "render/primitives.h"
#include "sim/settings.h"

namespace {

using namespace quil;
using paneltest::Rgba;
using rendertest::pixel;

class Switches : public paneltest::PanelDraw {
protected:
    static void drawBoth() {
        rendertest::drawFrame([] {
            DrawLeadingEdgePanel();
            DrawPanelSwitches();
        });
    }
};

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};

// The lamps go dark with the battery, lamp test or not; with it the test
// lights every one. Each is looked at `probe` pixels in, clear of the
// pictures drawn over it.
TEST_F(Switches, LampsNeedTheBatteryAndTheTestLightsThemAll) {
    struct Lamp {
        int sprite;
        float x, y;
        int probe;
    };
    const Lamp pumps[] = {{0, 588, 908, 4},  {0, 618, 908, 4},  {0, 616, 938, 4},
                          {0, 646, 938, 28}, {0, 660, 908, 24}, {0, 690, 908, 4}};
    const Lamp electrical[] = {{39, 734, 940, 4}, {40, 835, 940, 4}, {41, 733, 947, 4},
                               {42, 835, 947, 4}, {43, 733, 954, 4}, {44, 835, 954, 4}};
    for (const bool battery : {false, true}) {
        for (const bool test : {true, false}) {
            power(battery);
            snapshot.annunciatorTest = test;
            drawBoth();
            Rgba seen[12];
            for (int i = 0; i < 6; ++i) {
                seen[i] = pixel(pumps[i].x + pumps[i].probe, pumps[i].y + 4);
                seen[6 + i] = pixel(electrical[i].x + 4, electrical[i].y + 4);
            }
            const bool lit = battery && test;
            const Rgba grey = shown(ColourOf(FixedColour::Grey42));
            EXPECT_TRUE(close(pixel(990, 489), lit ? shown(ColourOf(FixedColour::WindowAmber)) : grey))
                << "LE TRANSIT, battery " << battery << " test " << test;
            EXPECT_TRUE(close(pixel(1011, 489), lit ? shown(ColourOf(FixedColour::WindowGreen)) : grey))
                << "LE EXT, battery " << battery << " test " << test;
            for (int i = 0; i < 6; ++i) {
                const Lamp& p = pumps[i];
                EXPECT_EQ(seen[i], lit ? sprite(kSpriteLowPressureLightLit, kWhite, p.x, p.y, p.probe)
                                       : sprite(kSpriteLowPressureLightUnlit, CockpitLightColour(),
                                                p.x, p.y, p.probe))
                    << "pump " << i << " battery " << battery << " test " << test;
                const Lamp& e = electrical[i];
                if (test) {
                    EXPECT_EQ(seen[6 + i], sprite(e.sprite, kWhite, e.x, e.y)) << e.sprite;
                }
            }
        }
    }
    snapshot.annunciatorTest = 0;
}

// Inches of mercury at -45 degrees, hectopascals at +45: the pointer's
// middle, 7.5 pixels out, on one side of the knob and not the other.
TEST_F(Switches, TheKnobPointsToThePressureUnit) {
    const int offset = static_cast<int>(std::lround(7.5f * std::sqrt(0.5f)));
    for (const auto unit : {PressureUnit::InchesOfMercury, PressureUnit::Hectopascals}) {
        SetPressureUnit(unit);
        drawBoth();
        const int side = unit == PressureUnit::Hectopascals ? offset : -offset;
        EXPECT_FALSE(near(476 + side, 618 + offset, background_, 0)) << "pointer";
        EXPECT_EQ(pixel(476 - side, 618 + offset), background_) << "nothing opposite";
    }
    SetPressureUnit(PressureUnit::InchesOfMercury);
}

// A spring-loaded switch shows its pressed side while held and its centre
// once let go.
TEST_F(Switches, SpringLoadedSwitchesShowTheirCentreAfterRelease) {
    const struct {
        int clickX, clickY;
        float x, y;
        int held, released;
    } cases[] = {
        {790, 960, 784, 953, kSpriteExternalPowerSwitchOn, kSpriteExternalPowerSwitchCentre},
        {790, 980, 784, 953, kSpriteExternalPowerSwitchOff, kSpriteExternalPowerSwitchCentre},
        {750, 900, 741, 900, kSpriteGeneratorSwitchOn, kSpriteGeneratorSwitchCentre},
    };
    power(true);
    SetViewType(kViewPanel);
    for (const auto& c : cases) {
        for (const int status : {xplm_MouseDown, xplm_MouseUp}) {
            HandlePanelClick(nullptr, c.clickX, c.clickY, status, nullptr);
            drawBoth();
            const Rgba seen = pixel(c.x + 4, c.y + 4);
            EXPECT_EQ(seen, sprite(status == xplm_MouseDown ? c.held : c.released,
                                   CockpitLightColour(), c.x, c.y))
                << c.held << " at mouse status " << status;
        }
    }
}

}  // namespace

