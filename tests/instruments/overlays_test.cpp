// The attitude and navigation overlays and the panel's mode control panel,
// drawn in the test process with the models set by their own commands.
#include "instruments/overlays.h"

#include <functional>
#include <string>

#include "autoflight/modes.h"
#include "instruments/cockpit_light.h"
#include "instruments/panel_support.h"
#include "render/atlas_table.h"
#include "render/colours.h"
#include "render/primitives.h"
#include "sim/settings.h"

namespace {

using namespace quil;
using paneltest::Rgba;
using rendertest::pixel;

const float* lit(PanelColour c) { return ColourOf(c, ColourVariant::Lit); }

class Overlays : public paneltest::PanelDraw {
protected:
    void SetUp() override {
        PanelDraw::SetUp();
        if (HasFatalFailure()) return;
        power(true);
        AfdsReset();
    }
    // Past any stamp or blink, with the display warmed up.
    static void settle(void (*draw)()) {
        drawFrame(draw);
        wait(25.0f);
        drawFrame(draw);
    }
};

// N1, SPEED, V/S, LVL CHG, ALT HOLD, VNAV, HDG SEL, LNAV, VOR/LOC, APP;
// per light '.' dark, 'g' green, 'a' amber.
TEST_F(Overlays, EachMcpLightIsLitExactlyUnderItsCondition) {
    const int lights[10][2] = {{582, 554}, {611, 554}, {881, 554}, {693, 554}, {846, 554},
                               {692, 613}, {749, 554}, {799, 613}, {799, 584}, {798, 554}};
    const struct {
        std::function<void()> set;
        std::string lit;
    } cases[] = {
        {[] {}, ".........."},
        {[] { mcpAtArm(kMcpOn); mcpN1(kMcpOn); }, "g........."},
        {[] { mcpAtArm(kMcpOn); mcpSpeed(kMcpOn); }, ".g........"},
        {[] { mcpVs(kMcpArm); }, "..a......."},
        {[] { mcpVs(kMcpOn); }, "..g......."},
        {[] { snapshot.radioAltitude = snapshot.indicatedAltitude = 5000.0f;
              SetMcpAlt(10000.0f); mcpAtArm(kMcpOn); mcpLvlChg(kMcpOn); }, "g..g......"},
        {[] { mcpAltHold(kMcpOn, 0); }, "....g....."},
        {[] { mcpVnav(kMcpOn); }, ".....g...."},
        {[] { mcpHdgSel(kMcpOn); }, "......g..."},
        {[] { mcpLnav(kMcpOn); }, ".......g.."},  // refused without a plan: the blink
        {[] { mcpVorLoc(kMcpOn); }, "........g."},
        {[] { snapshot.hasGlideSlope = 0; mcpApp(kMcpOn); }, ".........g"},  // refused
        {[] { snapshot.hasGlideSlope = 1; mcpApp(kMcpOn); }, ".........g"},
    };
    for (const auto& c : cases) {
        AfdsReset();
        wait(1.0f);  // past the blinks of the case before
        c.set();
        drawFrame(DrawPanelMcp);
        Rgba seen[10];
        for (int i = 0; i < 10; ++i) seen[i] = pixel(lights[i][0] + 8, lights[i][1] + 4);
        for (int i = 0; i < 10; ++i) {
            const float* colour = ColourOf(c.lit[i] == 'a' ? FixedColour::WindowAmber
                                                           : FixedColour::WindowGreen);
            const Rgba expected = c.lit[i] == '.' ? background_
                                                  : sprite(kSpriteMcpModeLight, colour,
                                                           lights[i][0], lights[i][1], 8);
            EXPECT_EQ(seen[i], expected) << c.lit << ", light " << i;
        }
    }
}

// The windows in the scheme's colours, V/S blank unless armed or engaged;
// without power no window and no digit, but the switches.
TEST_F(Overlays, WindowsShowInTheSchemesColoursOnlyWithPower) {
    const struct {
        DisplayScheme scheme;
        bool powered, vs;
    } cases[] = {{DisplayScheme::Amber, true, true},
                 {DisplayScheme::White, true, false},
                 {DisplayScheme::Amber, false, true}};
    auto digitsIn = [](int left, int right, const Rgba& colour) {
        int count = 0;
        for (int x = left; x < right; ++x) {
            for (int y = 615; y < 626; ++y) count += close(pixel(x, y), colour);
        }
        return count;
    };
    const Rgba fdSwitch = sprite(kSpriteFlightDirectorSwitch, CockpitLightColour(), 975,
                                 flightDirectorOn() ? 546 : 539, 10);
    for (const auto& c : cases) {
        SetDisplayScheme(c.scheme);
        power(c.powered);
        AfdsReset();
        if (c.vs) mcpVs(kMcpOn);
        SetMcpAlt(12300.0f);
        drawFrame(DrawPanelMcp);
        const Rgba digit = shown(DisplayDigitColour());
        EXPECT_EQ(close(pixel(834, 616), shown(DisplayBackgroundColour())), c.powered);
        EXPECT_EQ(digitsIn(833, 873, digit) > 20, c.powered) << "altitude digits";
        EXPECT_EQ(digitsIn(902, 938, digit) > 5, c.powered && c.vs) << "V/S digits";
        EXPECT_EQ(pixel(985, flightDirectorOn() ? 550 : 543), fdSwitch) << "FD switch";
    }
    SetDisplayScheme(DisplayScheme::White);
}

// Each field shows the first of its modes that is set, boxed for ten
// seconds after its change.
TEST_F(Overlays, TheModeAnnunciationsShowTheFirstSetModeBoxedAfterAChange) {
    const struct {
        std::function<void()> set;
        int field, sprite;  // -1: none
        bool later;         // looked at ten seconds on
    } cases[] = {
        {[] {}, 3, -1, false},
        {[] { mcpAtArm(kMcpOn); mcpN1(kMcpOn); }, 3, kSpriteFmaN1, false},
        {[] { mcpVs(kMcpOn); }, 5, kSpriteFmaVs, false},
        {[] { mcpVs(kMcpArm); }, 2, kSpriteFmaVs, false},
        {[] { mcpHdgSel(kMcpOn); }, 4, kSpriteFmaHdgSel, true},
    };
    settle(DrawAttitudeOverlay);
    const Rgba green = shown(lit(PanelColour::GreenB));
    for (const auto& c : cases) {
        AfdsReset();
        wait(11.0f);
        c.set();
        if (c.later) wait(11.0f);
        const float x = 94.0f + 38.0f * (c.field % 3), y = 426.0f + 12.0f * (c.field / 3);
        drawFrame(DrawAttitudeOverlay);
        const Rgba seen = pixel(x + 19, y + 5);
        const bool boxed = near(x + 1, y + 5, green);
        const Rgba expected =
            c.sprite < 0 ? shown(lit(PanelColour::DisplayDark))
                         : drawn([&] { DrawSpriteCentred(c.sprite, lit(PanelColour::GreenB),
                                                         x + 19, y + 2); }, x + 19, y + 5);
        EXPECT_EQ(seen, expected) << "field " << c.field;
        EXPECT_EQ(boxed, c.sprite >= 0 && !c.later) << "field " << c.field;
    }
}

// The setting in either unit, its legend and its first-ten-seconds box.
TEST_F(Overlays, TheBarometricSettingShowsInInchesOrHectopascals) {
    const struct {
        PressureUnit unit;
        int legend, legendX, boxRight;
    } cases[] = {{PressureUnit::InchesOfMercury, kSpriteInchesLegend, 246, 255},
                 {PressureUnit::Hectopascals, kSpriteHpaLegend, 251, 268}};
    settle(DrawAttitudeOverlay);
    snapshot.baroSetting = 29.92f;
    snapshot.firstTenSeconds = 1;
    const Rgba boxGreen = shown(lit(PanelColour::GreenC));
    for (const auto& c : cases) {
        SetPressureUnit(c.unit);
        drawFrame(DrawAttitudeOverlay);
        const Rgba legend = pixel(c.legendX + 3, 277);
        EXPECT_TRUE(near(c.boxRight, 278, boxGreen)) << c.boxRight;
        EXPECT_EQ(near(268, 278, boxGreen), c.boxRight == 268);
        EXPECT_EQ(legend, sprite(c.legend, lit(PanelColour::GreenB), c.legendX, 273, 3));
    }
    SetPressureUnit(PressureUnit::InchesOfMercury);
}

// V/S at 1000 fpm towards an armed MCP altitude 1000 ft up, on a map of a
// pixel a mile: the arc stands `pixels` ahead at a ground speed of that
// many miles a minute.
void aimArc(float pixels) {
    snapshot.mapScale = 1.0f;
    snapshot.indicatedAltitude = 5000.0f;
    snapshot.groundSpeed = pixels / 0.0324f;
}
bool arcAt(float d) {
    return paneltest::PanelDraw::near(412, static_cast<int>(299 + d + 0.5f),
                                      paneltest::PanelDraw::shown(lit(PanelColour::GreenC)), 2);
}

TEST_F(Overlays, TheArcHidesFrom137PixelsAndMovesAtMostOnePixelIn30Ms) {
    mcpVs(kMcpOn);
    SetMcpVs(1000.0f);
    SetMcpAlt(6000.0f);
    mcpAltHold(kMcpArm, 0);
    settle(DrawNavDisplayOverlay);
    for (const float t : {136.0f, 137.0f, 50.0f}) {  // from hidden, straight to its place
        aimArc(200.0f);
        drawFrame(DrawNavDisplayOverlay);
        aimArc(t);
        drawFrame(DrawNavDisplayOverlay);
        EXPECT_EQ(arcAt(t), t < 137.0f) << t;
    }
    aimArc(120.0f);
    const float before = standin::simTime();
    standin::runSeconds(0.3);
    drawFrame(DrawNavDisplayOverlay);
    const float moved = (standin::simTime() - before) / 0.03f;
    EXPECT_TRUE(arcAt(50.0f + moved)) << "after " << moved << " pixels";
    EXPECT_FALSE(arcAt(120.0f));
}

// The plan view keeps only the cover: a display just powered is dim, and
// shows no ring.
TEST_F(Overlays, PlanModeDrawsTheCoverButNoRingsOrArc) {
    power(false);
    settle(DrawNavDisplayOverlay);
    power(true);
    for (const int submode : {4, 2}) {
        standin::setInt("sim/cockpit/switches/EFIS_map_submode", submode);
        drawFrame(DrawNavDisplayOverlay);
        EXPECT_EQ(pixel(412, 299 + 68) == pixel(412, 299 + 80), submode == 4) << "rings";
        EXPECT_LT(pixel(412, 299 + 80).g, background_.g / 2) << "the cover darkens it";
    }
}

}  // namespace

