// The panel's switches and annunciator lights, drawn in the test process
// from the models' state and the panel's clicks.
#include "instruments/switches.h"

#include <cmath>

#include "host/config.h"
#include "instruments/panel_support.h"
#include "panel/click_spots.h"
#include "panel/geometry.h"
#include "render/atlas_table.h"
#include "render/colours.h"
#include "render/primitives.h"

namespace {

using paneltest::Rgba;
using rendertest::pixel;

class Switches : public paneltest::PanelDraw {
protected:
    void drawBoth() {
        rendertest::drawFrame([] {
            quil::DrawLeadingEdgePanel();
            quil::DrawPanelSwitches();
        });
    }
    // The sprite drawn alone at (x, y), seen `probe` pixels in.
    Rgba sprite(int n, const float* colour, float x, float y, int probe = 4) {
        return drawn([&] { quil::DrawSprite(n, colour, x, y); }, x + probe, y + 4);
    }
};

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};

// The lamps go dark with the battery, lamp test or not; with it the test
// lights every one.
TEST_F(Switches, LampsNeedTheBatteryAndTheTestLightsThemAll) {
    struct Lamp {
        int sprite;
        float x, y;
        int probe;  // pixels in, clear of the pictures drawn over it
    };
    const Lamp electrical[] = {{39, 734, 940, 4}, {40, 835, 940, 4}, {41, 733, 947, 4},
                               {42, 835, 947, 4}, {43, 733, 954, 4}, {44, 835, 954, 4}};
    const Lamp pumps[] = {{0, 588, 908, 4},  {0, 618, 908, 4},  {0, 616, 938, 4},
                          {0, 646, 938, 28}, {0, 660, 908, 24}, {0, 690, 908, 4}};
    const struct {
        bool battery, test;
    } cases[] = {{false, true}, {true, true}, {true, false}};
    for (const auto& c : cases) {
        power(c.battery);
        quil::snapshot.annunciatorTest = c.test;
        drawBoth();
        const bool lit = c.battery && c.test;
        const Rgba grey = shown(quil::ColourOf(quil::FixedColour::Grey42));
        EXPECT_TRUE(close(pixel(990, 489),
                          lit ? shown(quil::ColourOf(quil::FixedColour::WindowAmber)) : grey))
            << "LE TRANSIT, battery " << c.battery << " test " << c.test;
        EXPECT_TRUE(close(pixel(1011, 489),
                          lit ? shown(quil::ColourOf(quil::FixedColour::WindowGreen)) : grey))
            << "LE EXT, battery " << c.battery << " test " << c.test;
        std::vector<Rgba> seen;
        for (const Lamp& p : pumps) seen.push_back(pixel(p.x + p.probe, p.y + 4));
        for (int k = 0; k < 6; ++k) {
            const Lamp& p = pumps[k];
            const Rgba expected =
                lit ? sprite(quil::kSpriteLowPressureLightLit, kWhite, p.x, p.y, p.probe)
                    : sprite(quil::kSpriteLowPressureLightUnlit, quil::CockpitLightColour(), p.x,
                             p.y, p.probe);
            EXPECT_EQ(seen[k], expected) << "pump " << k << " battery " << c.battery;
        }
        if (!c.test) continue;
        drawBoth();
        for (const Lamp& l : electrical) seen.push_back(pixel(l.x + 4, l.y + 4));
        for (int i = 0; i < 6; ++i) {
            const Lamp& l = electrical[i];
            EXPECT_EQ(seen[6 + i], sprite(l.sprite, kWhite, l.x, l.y)) << "light " << l.sprite;
        }
    }
    quil::snapshot.annunciatorTest = 0;
}

// Inches of mercury at -45 degrees, hectopascals at +45: the pointer's
// middle, 7.5 pixels out, on one side of the knob and not the other.
TEST_F(Switches, TheKnobPointsToThePressureUnit) {
    const struct {
        quil::PressureUnit unit;
        float side;  // -1 left, +1 right
    } cases[] = {{quil::PressureUnit::InchesOfMercury, -1.0f},
                 {quil::PressureUnit::Hectopascals, 1.0f}};
    const int offset = static_cast<int>(std::lround(7.5f * std::sqrt(0.5f)));
    for (const auto& c : cases) {
        quil::SetPressureUnit(c.unit);
        drawBoth();
        const int x = 476 + static_cast<int>(c.side) * offset, otherX = 476 - (x - 476);
        EXPECT_FALSE(near(x, 618 + offset, background_, 0)) << "pointer at " << x;
        EXPECT_EQ(pixel(otherX, 618 + offset), background_) << "nothing at " << otherX;
    }
    quil::SetPressureUnit(quil::PressureUnit::InchesOfMercury);
}

// A spring-loaded switch shows its pressed side while held and its centre
// once let go.
TEST_F(Switches, SpringLoadedSwitchesShowTheirCentreAfterRelease) {
    const struct {
        const char* name;
        int clickX, clickY;
        float x, y;
        int held, released;
    } cases[] = {
        {"external power on", 790, 960, 784, 953, quil::kSpriteExternalPowerSwitchOn,
         quil::kSpriteExternalPowerSwitchCentre},
        {"external power off", 790, 980, 784, 953, quil::kSpriteExternalPowerSwitchOff,
         quil::kSpriteExternalPowerSwitchCentre},
        {"generator 1 on", 750, 900, 741, 900, quil::kSpriteGeneratorSwitchOn,
         quil::kSpriteGeneratorSwitchCentre},
    };
    power(true);
    quil::SetViewType(quil::kViewPanel);
    for (const auto& c : cases) {
        for (const int status : {xplm_MouseDown, xplm_MouseUp}) {
            quil::HandlePanelClick(nullptr, c.clickX, c.clickY, status, nullptr);
            drawBoth();
            const Rgba seen = pixel(c.x + 4, c.y + 4);
            const int expected = status == xplm_MouseDown ? c.held : c.released;
            EXPECT_EQ(seen, sprite(expected, quil::CockpitLightColour(), c.x, c.y))
                << c.name << (status == xplm_MouseDown ? " held" : " let go");
        }
    }
}

}  // namespace
