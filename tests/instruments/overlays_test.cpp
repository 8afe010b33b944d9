// The attitude and navigation overlays and the panel's mode control panel,
// drawn in the test process with the models set by their own commands.
#include "instruments/overlays.h"

#include <functional>
#include <string>
#include <vector>

#include "autoflight/modes.h"
#include "host/config.h"
#include "instruments/panel_support.h"
#include "render/atlas_table.h"
#include "render/colours.h"
#include "render/primitives.h"

namespace {

using paneltest::Rgba;
using rendertest::pixel;

const float* lit(quil::PanelColour c) { return quil::ColourOf(c, quil::ColourVariant::Lit); }

class Overlays : public paneltest::PanelDraw {
protected:
    void SetUp() override {
        PanelDraw::SetUp();
        if (HasFatalFailure()) return;
        power(true);
        quil::AfdsReset();
    }
    // The host's clock moved on at once, for the next command to see.
    static void wait(float seconds) {
        standin::jumpTime(seconds);
        standin::runFrame();
    }
    // Past any stamp or blink, with the display warmed up.
    void settle(void (*draw)()) {
        rendertest::drawFrame(draw);
        wait(25.0f);
        rendertest::drawFrame(draw);
    }
};

// N1, SPEED, V/S, LVL CHG, ALT HOLD, VNAV, HDG SEL, LNAV, VOR/LOC, APP.
struct Light {
    int x, y;
};
constexpr Light kLights[] = {{582, 554}, {611, 554}, {881, 554}, {693, 554}, {846, 554},
                             {692, 613}, {749, 554}, {799, 613}, {799, 584}, {798, 554}};

TEST_F(Overlays, EachMcpLightIsLitExactlyUnderItsCondition) {
    using quil::kMcpOn;
    const struct {
        const char* name;
        std::function<void()> set;
        std::string lit;  // per light: '.' dark, 'g' green, 'a' amber
    } cases[] = {
        {"nothing", [] {}, ".........."},
        {"N1", [] { quil::mcpAtArm(kMcpOn); quil::mcpN1(kMcpOn); }, "g........."},
        {"SPEED", [] { quil::mcpAtArm(kMcpOn); quil::mcpSpeed(kMcpOn); }, ".g........"},
        {"V/S armed", [] { quil::mcpVs(quil::kMcpArm); }, "..a......."},
        {"V/S", [] { quil::mcpVs(kMcpOn); }, "..g......."},
        {"LVL CHG climb", [] {
             quil::snapshot.radioAltitude = 5000.0f;
             quil::snapshot.indicatedAltitude = 5000.0f;
             quil::SetMcpAlt(10000.0f);
             quil::mcpAtArm(kMcpOn);
             quil::mcpLvlChg(kMcpOn);
         }, "g..g......"},
        {"ALT HOLD", [] { quil::mcpAltHold(kMcpOn, 0); }, "....g....."},
        {"VNAV", [] { quil::mcpVnav(kMcpOn); }, ".....g...."},
        {"HDG SEL", [] { quil::mcpHdgSel(kMcpOn); }, "......g..."},
        {"LNAV refused", [] { quil::mcpLnav(kMcpOn); }, ".......g.."},
        {"VOR/LOC", [] { quil::mcpVorLoc(kMcpOn); }, "........g."},
        {"APP refused", [] { quil::snapshot.hasGlideSlope = 0; quil::mcpApp(kMcpOn); },
         ".........g"},
        {"APP on an ILS", [] { quil::snapshot.hasGlideSlope = 1; quil::mcpApp(kMcpOn); },
         ".........g"},
    };
    for (const auto& c : cases) {
        quil::AfdsReset();
        wait(1.0);  // past the blinks of the case before
        c.set();
        rendertest::drawFrame(quil::DrawPanelMcp);
        std::vector<Rgba> seen;
        for (const Light& l : kLights) seen.push_back(pixel(l.x + 8, l.y + 4));
        for (int i = 0; i < 10; ++i) {
            const Light& l = kLights[i];
            Rgba expected = background_;
            if (c.lit[i] != '.') {
                const float* colour = quil::ColourOf(c.lit[i] == 'a' ? quil::FixedColour::WindowAmber
                                                                     : quil::FixedColour::WindowGreen);
                expected = drawn([&] { quil::DrawSprite(quil::kSpriteMcpModeLight, colour, l.x, l.y); },
                                 l.x + 8, l.y + 4);
            }
            EXPECT_EQ(seen[i], expected) << c.name << ", light " << i;
        }
    }
}

// The windows in the scheme's colours, the V/S window blank unless V/S is
// armed, and without power no window and no digit, but the switches.
TEST_F(Overlays, WindowsShowInTheSchemesColoursOnlyWithPower) {
    const struct {
        quil::DisplayScheme scheme;
        bool powered, vs;
    } cases[] = {{quil::DisplayScheme::Amber, true, true},
                 {quil::DisplayScheme::White, true, false},
                 {quil::DisplayScheme::Amber, false, true}};
    auto digitsIn = [](int left, int right, const Rgba& colour) {
        int count = 0;
        for (int x = left; x < right; ++x) {
            for (int y = 615; y < 626; ++y) count += paneltest::PanelDraw::close(pixel(x, y), colour);
        }
        return count;
    };
    const int fdY = quil::flightDirectorOn() ? 546 : 539;
    const Rgba fdSwitch = drawn([&] { quil::DrawSprite(quil::kSpriteFlightDirectorSwitch,
                                                      quil::CockpitLightColour(), 975, fdY); },
                                985, 556);
    for (const auto& c : cases) {
        quil::SetDisplayScheme(c.scheme);
        power(c.powered);
        quil::AfdsReset();
        if (c.vs) quil::mcpVs(quil::kMcpOn);
        quil::SetMcpAlt(12300.0f);
        rendertest::drawFrame(quil::DrawPanelMcp);
        const Rgba backdrop = shown(quil::DisplayBackgroundColour());
        const Rgba digit = shown(quil::DisplayDigitColour());
        EXPECT_EQ(close(pixel(834, 616), backdrop), c.powered) << "altitude window";
        EXPECT_EQ(digitsIn(833, 873, digit) > 20, c.powered) << "altitude digits";
        EXPECT_EQ(digitsIn(902, 938, digit) > 5, c.powered && c.vs) << "V/S digits";
        EXPECT_EQ(pixel(985, 556), fdSwitch) << "the switches draw without power too";
    }
    quil::SetDisplayScheme(quil::DisplayScheme::White);
}

// Flaps 15 (190 kt): the mark blinks 2 pixels left of the readout, which
// starts 6 pixels right of the window's point in knots and at it in Mach.
TEST_F(Overlays, TheSpeedLimitMarkBlinksLeftOfTheSpeed) {
    const struct {
        int isMach;
        float speed;
        int blink;
        int markX;
        bool shown;
    } cases[] = {{0, 250, 1, 648, true}, {0, 250, 0, 648, false}, {0, 180, 1, 648, false},
                 {1, 0.7f, 1, 642, true}, {1, 0.3f, 1, 642, false}};
    quil::snapshot.flapRatio = 0.5f;
    quil::snapshot.ias = 250.0f;
    quil::snapshot.mach = 0.5f;
    for (const auto& c : cases) {
        quil::snapshot.apSpeedIsMach = c.isMach;
        quil::snapshot.apSpeed = c.speed;
        quil::snapshot.blink = c.blink;
        rendertest::drawFrame(quil::DrawPanelMcp);
        const Rgba digit = shown(quil::DisplayDigitColour());
        bool mark = false;
        for (int y = 617; y < 626; ++y) mark = mark || close(pixel(c.markX + 1, y), digit);
        EXPECT_EQ(mark, c.shown) << c.speed << " mach " << c.isMach << " blink " << c.blink;
    }
}

// Each field shows the first of its modes that is set, boxed for ten
// seconds after its change.
TEST_F(Overlays, TheModeAnnunciationsShowTheFirstSetModeBoxedAfterAChange) {
    using quil::kMcpOn;
    const struct {
        const char* name;
        std::function<void()> set;
        int field;
        int sprite;  // -1: none
        bool later;  // looked at ten seconds on
    } cases[] = {
        {"reset", [] {}, 3, -1, false},
        {"A/T ARM", [] { quil::mcpAtArm(kMcpOn); }, 3, quil::kSpriteFmaArm, false},
        {"N1 before ARM", [] { quil::mcpAtArm(kMcpOn); quil::mcpN1(kMcpOn); }, 3,
         quil::kSpriteFmaN1, false},
        {"V/S", [] { quil::mcpVs(kMcpOn); }, 5, quil::kSpriteFmaVs, false},
        {"V/S armed", [] { quil::mcpVs(quil::kMcpArm); }, 2, quil::kSpriteFmaVs, false},
        {"HDG SEL", [] { quil::mcpHdgSel(kMcpOn); }, 4, quil::kSpriteFmaHdgSel, false},
        {"HDG SEL later", [] { quil::mcpHdgSel(kMcpOn); }, 4, quil::kSpriteFmaHdgSel, true},
    };
    settle(quil::DrawAttitudeOverlay);
    const Rgba green = shown(lit(quil::PanelColour::GreenB));
    for (const auto& c : cases) {
        quil::AfdsReset();
        wait(11.0);
        c.set();
        if (c.later) wait(11.0);
        const float x = 94.0f + 38.0f * (c.field % 3), y = 426.0f + 12.0f * (c.field / 3);
        rendertest::drawFrame(quil::DrawAttitudeOverlay);
        const Rgba seen = pixel(x + 19, y + 5);
        const bool boxed = near(x + 1, y + 5, green);
        const Rgba expected =
            c.sprite < 0 ? shown(quil::ColourOf(quil::PanelColour::DisplayDark, quil::ColourVariant::Lit))
                         : drawn([&] { quil::DrawSpriteCentred(c.sprite, lit(quil::PanelColour::GreenB),
                                                               x + 19, y + 2); },
                                 x + 19, y + 5);
        EXPECT_EQ(seen, expected) << c.name;
        EXPECT_EQ(boxed, c.sprite >= 0 && !c.later) << c.name;
    }
}

// The setting in either unit, its legend and its first-ten-seconds box.
TEST_F(Overlays, TheBarometricSettingShowsInInchesOrHectopascals) {
    const struct {
        quil::PressureUnit unit;
        int legend, legendX, boxRight;
    } cases[] = {{quil::PressureUnit::InchesOfMercury, quil::kSpriteInchesLegend, 246, 255},
                 {quil::PressureUnit::Hectopascals, quil::kSpriteHpaLegend, 251, 268}};
    settle(quil::DrawAttitudeOverlay);
    quil::snapshot.baroSetting = 29.92f;
    quil::snapshot.firstTenSeconds = 1;
    const Rgba boxGreen = shown(lit(quil::PanelColour::GreenC));
    for (const auto& c : cases) {
        quil::SetPressureUnit(c.unit);
        rendertest::drawFrame(quil::DrawAttitudeOverlay);
        const Rgba legend = pixel(c.legendX + 3, 276);
        EXPECT_TRUE(near(c.boxRight, 278, boxGreen)) << c.boxRight;
        EXPECT_EQ(near(268, 278, boxGreen), c.boxRight == 268);
        EXPECT_EQ(legend, drawn([&] { quil::DrawSprite(c.legend, lit(quil::PanelColour::GreenB),
                                                       c.legendX, 273); },
                                c.legendX + 3, 276));
    }
    quil::SetPressureUnit(quil::PressureUnit::InchesOfMercury);
}

class NavDisplay : public Overlays {
protected:
    // V/S at 1000 fpm to an MCP altitude 1000 ft above, at a ground speed
    // that puts it `pixels` ahead on a one-pixel-per-mile map.
    void aimArc(float pixels) {
        quil::snapshot.mapScale = 1.0f;
        quil::snapshot.indicatedAltitude = 5000.0f;
        quil::snapshot.groundSpeed = pixels / 0.0324f;
    }
    static bool arcAt(float d) { return near(412, static_cast<int>(299 + d + 0.5f), arcGreen(), 2); }
    static Rgba arcGreen() { return shown(lit(quil::PanelColour::GreenC)); }
};

TEST_F(NavDisplay, TheArcHidesFrom137PixelsAndMovesAtMostOnePixelIn30Ms) {
    quil::mcpVs(quil::kMcpOn);
    quil::SetMcpVs(1000.0f);
    quil::SetMcpAlt(6000.0f);
    quil::mcpAltHold(quil::kMcpArm, 0);
    ASSERT_TRUE(quil::apPitchAltArmed());
    settle(quil::DrawNavDisplayOverlay);
    // From hidden the arc appears where it is aimed.
    for (const float t : {136.0f, 137.0f, 50.0f}) {
        aimArc(200.0f);
        rendertest::drawFrame(quil::DrawNavDisplayOverlay);
        aimArc(t);
        rendertest::drawFrame(quil::DrawNavDisplayOverlay);
        EXPECT_EQ(arcAt(t), t < 137.0f) << t;
    }
    aimArc(120.0f);
    const float before = standin::simTime();
    standin::runSeconds(0.3);
    rendertest::drawFrame(quil::DrawNavDisplayOverlay);
    const float moved = (standin::simTime() - before) / 0.03f;
    EXPECT_TRUE(arcAt(50.0f + moved)) << "after " << moved << " pixels";
    EXPECT_FALSE(arcAt(120.0f));
}

// The plan view keeps only the cover: a display just powered is dim, and
// shows no ring.
TEST_F(NavDisplay, PlanModeDrawsTheCoverButNoRingsOrArc) {
    power(false);
    settle(quil::DrawNavDisplayOverlay);
    power(true);
    standin::setInt("sim/cockpit/switches/EFIS_map_submode", 4);
    rendertest::drawFrame(quil::DrawNavDisplayOverlay);
    const Rgba ring = pixel(412, 299 + 68), beside = pixel(412, 299 + 80);
    EXPECT_EQ(ring, beside) << "no ring";
    EXPECT_LT(beside.g, background_.g / 2) << "the cover darkens the display";
    standin::setInt("sim/cockpit/switches/EFIS_map_submode", 2);
    rendertest::drawFrame(quil::DrawNavDisplayOverlay);
    EXPECT_FALSE(pixel(412, 299 + 68) == pixel(412, 299 + 80)) << "rings in map mode";
}

}  // namespace
