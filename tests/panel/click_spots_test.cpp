// The panel's click spots: clicks on the 2D panel and the cabin view turned
// into model operations, the press that receives its release, the wheels
// held down, the ground power request, the hover icon and the outlines.
#include "panel/click_spots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "autoflight/modes.h"
#include "autoflight/protocol.h"
#include "host/lifecycle.h"
#include "render/geometry.h"
#include "sim/settings.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"
#include "support/test_aircraft.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/engines.h"

namespace {

constexpr char kWinLeft[] = "sim/graphics/view/panel_total_win_l";
constexpr char kWinRight[] = "sim/graphics/view/panel_total_win_r";
constexpr char kWinBottom[] = "sim/graphics/view/panel_total_win_b";
constexpr char kWinTop[] = "sim/graphics/view/panel_total_win_t";
constexpr char kPnlLeft[] = "sim/graphics/view/panel_total_pnl_l";
constexpr char kPnlRight[] = "sim/graphics/view/panel_total_pnl_r";
constexpr char kPnlBottom[] = "sim/graphics/view/panel_total_pnl_b";
constexpr char kPnlTop[] = "sim/graphics/view/panel_total_pnl_t";
constexpr char kViewType[] = "sim/graphics/view/view_type";
constexpr char kShowClickSpots[] = "sim/graphics/misc/show_panel_click_spots";
constexpr char kMcpSpeed[] = "sim/cockpit/autopilot/airspeed";
constexpr char kMcpVerticalSpeed[] = "sim/cockpit/autopilot/vertical_velocity";
constexpr char kAutopilotMode[] = "sim/cockpit/autopilot/autopilot_mode";
constexpr char kParkBrake[] = "sim/flightmodel/controls/parkbrake";
constexpr int kView3dCockpit = 1026;
constexpr float kPanelUnits = 1024.0f;
constexpr int kEngine1StarterButton = 2;

struct PanelPoint {
    int x, y;
};

struct ScreenPoint {
    int x, y;
};

// The pixel whose panel point truncates to p, through the simulator's
// panel extents of one space.
int toScreen(const char* low, const char* high, int p) {
    const float from = standin::getFloat(low);
    const float scale = (standin::getFloat(high) - from) / kPanelUnits;
    return static_cast<int>(std::floor(from + (static_cast<float>(p) + 0.5f) * scale));
}

ScreenPoint toWindow(PanelPoint p) {
    return {toScreen(kWinLeft, kWinRight, p.x), toScreen(kWinBottom, kWinTop, p.y)};
}

ScreenPoint toDrawing(PanelPoint p) {
    return {toScreen(kPnlLeft, kPnlRight, p.x), toScreen(kPnlBottom, kPnlTop, p.y)};
}

std::string describe(PanelPoint p) {
    return "panel point (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

// A few controls, by a point inside them.
constexpr PanelPoint kSpeedUpOne{660, 590};
constexpr PanelPoint kSpeedDownFive{660, 560};
constexpr PanelPoint kVsButton{888, 559};
constexpr PanelPoint kExternalPowerOn{793, 960};
constexpr PanelPoint kGroundPowerRequest{790, 1005};
constexpr PanelPoint kEngine1StartDown{863, 850};
constexpr PanelPoint kGalleySwitch{250, 900};
constexpr PanelPoint kCabinLightSwitch{360, 880};
constexpr PanelPoint kAuxPanel{20, 250};
constexpr PanelPoint kClockPanel{20, 400};
constexpr PanelPoint kNoSpot{300, 300};

// ---- Through the whole plug-in on the stand-in host ---------------------------

// The plug-in loaded on the demo aircraft, drawing, past its delayed reset,
// so its mouse window is up.
class PanelClicks : public quiltest::HostTest {
protected:
    standin::HostConfig config() const override {
        standin::HostConfig c = HostTest::config();
        c.graphics = true;
        return c;
    }

    void start(const std::string& aircraft = quiltest::demoAircraftPath()) {
        standin::setAircraft(aircraft);
        load(quiltest::pluginPath());
        standin::runSeconds(2.0);
        ASSERT_EQ(mouseWindows(), 1u) << "the first draw makes the mouse window";
    }

    size_t mouseWindows() const {
        size_t count = 0;
        for (const standin::WindowInfo& window : standin::windows()) {
            if (window.left == 0 && window.bottom == 0 && window.right == 1024 &&
                window.top == 1024) {
                ++count;
            }
        }
        return count;
    }

    bool click(PanelPoint p) {
        const ScreenPoint w = toWindow(p);
        return standin::click(w.x, w.y);
    }
    bool press(PanelPoint p) {
        const ScreenPoint w = toWindow(p);
        return standin::mouseDown(w.x, w.y);
    }
    void drag(PanelPoint p) {
        const ScreenPoint w = toWindow(p);
        standin::mouseDrag(w.x, w.y);
    }
    void release(PanelPoint p) {
        const ScreenPoint w = toWindow(p);
        standin::mouseUp(w.x, w.y);
    }
    // Past the wheels' repeat time, with the result written back.
    void settle() { standin::runSeconds(0.2); }

    float mcpSpeed() const { return standin::getFloat(kMcpSpeed); }

    static std::string auxTankAircraft() {
        quiltest::TestAircraft aircraft;
        aircraft.name = "AuxJet";
        aircraft.configuration = "nmb_fwd_auxtanks = \"1\"\n";
        return quiltest::makeAircraft(aircraft);
    }

    // The messages our plug-in sent to every plug-in since the log was cleared.
    std::vector<uint32_t> broadcasts() const {
        std::vector<uint32_t> sent;
        for (const standin::MessageRecord& record : standin::messageLog()) {
            if (record.from != XPLM_PLUGIN_XPLANE && record.to == XPLM_NO_PLUGIN_ID) {
                sent.push_back(static_cast<uint32_t>(record.message));
            }
        }
        return sent;
    }

    // RGBA of a box of the last frame, bottom row first.
    std::vector<uint32_t> pixels(ScreenPoint corner, int width, int height) const {
        std::vector<uint32_t> box;
        for (int y = corner.y; y < corner.y + height; ++y) {
            for (int x = corner.x; x < corner.x + width; ++x) {
                const standin::Rgba c = standin::readPixel(x, y);
                box.push_back(uint32_t(c.r) << 24 | uint32_t(c.g) << 16 | uint32_t(c.b) << 8 | c.a);
            }
        }
        return box;
    }
};

TEST_F(PanelClicks, MouseWindowCoversTheScreenOnce) {
    start();
    standin::runFrames(10);
    EXPECT_EQ(mouseWindows(), 1u) << "later draws keep the one window";
}

TEST_F(PanelClicks, ClickOnTheSpeedWheelStepsTheMcpSpeedOnce) {
    start();
    const float before = mcpSpeed();
    EXPECT_TRUE(click(kSpeedUpOne));
    settle();
    EXPECT_FLOAT_EQ(mcpSpeed(), before + 1.0f);
    EXPECT_TRUE(click(kSpeedDownFive));
    settle();
    EXPECT_FLOAT_EQ(mcpSpeed(), before - 4.0f);
}

TEST_F(PanelClicks, HeldSpeedWheelStepsEveryFifteenHundredthsOfASecond) {
    start();
    standin::setFrameInterval(0.1f);
    const float before = mcpSpeed();
    ASSERT_TRUE(press(kSpeedUpOne));
    for (int frame = 0; frame < 10; ++frame) {
        standin::runFrame();
        drag(kSpeedUpOne);
    }
    release(kSpeedUpOne);
    standin::runFrame();
    // The press, then every second drag of a 0.1 s frame for one second.
    EXPECT_FLOAT_EQ(mcpSpeed(), before + 6.0f);
}

TEST_F(PanelClicks, TwoClicksWithinTheRepeatTimeStepTheWheelOnce) {
    start();
    const float before = mcpSpeed();
    click(kSpeedUpOne);
    standin::runFrame();
    click(kSpeedUpOne);
    settle();
    EXPECT_FLOAT_EQ(mcpSpeed(), before + 1.0f);
}

TEST_F(PanelClicks, EdgesOfASpotAreInsideItAndTheNextPixelOutside) {
    start();
    // The speed wheel's "one knot up" half: 640..680 x 584..597.
    for (PanelPoint corner : {PanelPoint{640, 584}, PanelPoint{680, 584}, PanelPoint{640, 597},
                              PanelPoint{680, 597}}) {
        const float before = mcpSpeed();
        EXPECT_TRUE(click(corner)) << describe(corner);
        settle();
        EXPECT_FLOAT_EQ(mcpSpeed(), before + 1.0f) << describe(corner);
    }
    for (PanelPoint outside : {PanelPoint{639, 590}, PanelPoint{681, 590}}) {
        const float before = mcpSpeed();
        EXPECT_FALSE(click(outside)) << describe(outside) << " reaches the simulator";
        settle();
        EXPECT_FLOAT_EQ(mcpSpeed(), before) << describe(outside);
    }
}

TEST_F(PanelClicks, VsWheelMovesTheVerticalSpeedWindowOnceVsIsArmed) {
    start();
    ASSERT_TRUE(click(kVsButton));
    settle();
    // y 597 is shared by "one step down" (579..597) and "five steps down"
    // (597..616): the earlier record takes it.
    click({928, 597});
    settle();
    EXPECT_FLOAT_EQ(standin::getFloat(kMcpVerticalSpeed), -50.0f);
    click({928, 616});
    settle();
    EXPECT_FLOAT_EQ(standin::getFloat(kMcpVerticalSpeed), -300.0f);
    click({928, 546});
    settle();
    EXPECT_FLOAT_EQ(standin::getFloat(kMcpVerticalSpeed), -50.0f);
}

TEST_F(PanelClicks, EngineStartSwitchTurnedToGroundPressesTheStarter) {
    quiltest::SetEngine1N2(quiltest::kHotResetN2);
    start();
    quiltest::SetEngine1N2(0.0f);
    ASSERT_FALSE(standin::buttonHeld(kEngine1StarterButton));
    EXPECT_TRUE(click(kEngine1StartDown));
    EXPECT_TRUE(standin::buttonHeld(kEngine1StarterButton)) << "battery power starts it";
}

TEST_F(PanelClicks, StartSwitchWinsOverTheSelectorMenuWhereTheyOverlap) {
    quiltest::SetEngine1N2(quiltest::kHotResetN2);
    start();
    quiltest::SetEngine1N2(0.0f);
    // (880, 874) lies in engine 1's "start switch up" (874..894 x 830..874)
    // and in the selector menu spot (880..968 x 874..1023).
    click(kEngine1StartDown);
    ASSERT_TRUE(standin::buttonHeld(kEngine1StarterButton));
    EXPECT_TRUE(click({880, 874}));
    standin::runFrame();
    EXPECT_FALSE(standin::buttonHeld(kEngine1StarterButton)) << "back to OFF releases it";
}

TEST_F(PanelClicks, GroundPowerIsRequestedFromTheManagingPlugInOnlyWithTheParkingBrakeSet) {
    start();
    standin::sendSimMessage(static_cast<int>(quil::GroundServiceTakeover));
    standin::setFloat(kParkBrake, 1.0f);
    standin::runFrames(8);
    standin::clearMessageLog();
    EXPECT_TRUE(click(kGroundPowerRequest));
    EXPECT_EQ(broadcasts(), (std::vector<uint32_t>{quil::GroundPowerRequest,
                                                   quil::GroundServiceState}));

    standin::setFloat(kParkBrake, 0.0f);
    standin::runFrames(8);
    standin::clearMessageLog();
    click(kGroundPowerRequest);
    EXPECT_TRUE(broadcasts().empty()) << "no request with the brake released";
}

TEST_F(PanelClicks, PresentGroundPowerIsAskedAwayFromTheManagingPlugIn) {
    start();
    standin::sendSimMessage(static_cast<int>(quil::GroundServiceTakeover));
    standin::sendSimMessage(static_cast<int>(quil::ExternalPowerConnect));
    standin::runFrames(8);
    standin::clearMessageLog();
    click(kGroundPowerRequest);
    EXPECT_EQ(broadcasts(), std::vector<uint32_t>{quil::GroundPowerRelease});
}

TEST_F(PanelClicks, GroundPowerWeManageIsToggledWithoutMessages) {
    start();
    standin::clearMessageLog();
    click(kGroundPowerRequest);
    EXPECT_TRUE(broadcasts().empty());
}

TEST_F(PanelClicks, OtherViewsLeaveTheClickToTheSimulator) {
    start();
    standin::setInt(kViewType, kView3dCockpit);
    const float before = mcpSpeed();
    EXPECT_FALSE(click(kSpeedUpOne));
    settle();
    EXPECT_FLOAT_EQ(mcpSpeed(), before);
}

TEST_F(PanelClicks, CabinViewTakesItsTwoSwitchesAndNothingElse) {
    start();
    standin::setInt(kViewType, quil::kViewCabin);
    EXPECT_TRUE(click(kGalleySwitch));
    EXPECT_TRUE(click(kCabinLightSwitch));
    const float before = mcpSpeed();
    EXPECT_FALSE(click(kSpeedUpOne)) << "the panel's spots are not in the cabin";
    settle();
    EXPECT_FLOAT_EQ(mcpSpeed(), before);
}

TEST_F(PanelClicks, ClicksOutsideEverySpotReachTheSimulator) {
    start();
    EXPECT_FALSE(click(kNoSpot));
}

TEST_F(PanelClicks, EmbeddedAuxiliaryFuelPanelTakesClicksOnlyWithAuxiliaryTanks) {
    start();
    EXPECT_FALSE(click(kAuxPanel)) << "the demo aircraft has no auxiliary tank";
    EXPECT_TRUE(click(kClockPanel)) << "the clock is always there";
}

TEST_F(PanelClicks, EmbeddedAuxiliaryFuelPanelTakesClicksWithAnAuxiliaryTank) {
    start(auxTankAircraft());
    EXPECT_TRUE(click(kAuxPanel));
}

// ---- What the screen shows ----------------------------------------------------

TEST_F(PanelClicks, HoverIconIsDrawnBesideTheMouseOnlyOverASpot) {
    start();
    const PanelPoint button{588, 559};  // the N1 button, icon 58: 15 x 19 pixels
    const ScreenPoint mouse = toDrawing(button);
    const ScreenPoint box{mouse.x - 4, mouse.y - 4};
    standin::setMouseLocation(toDrawing(kNoSpot).x, toDrawing(kNoSpot).y);
    standin::runFrame();
    const std::vector<uint32_t> without = pixels(box, 26, 28);
    standin::setMouseLocation(mouse.x, mouse.y);
    standin::runFrame();
    const std::vector<uint32_t> with = pixels(box, 26, 28);
    int changed = 0;
    for (size_t i = 0; i < with.size(); ++i) {
        if (with[i] == without[i]) continue;
        ++changed;
        const int x = box.x + static_cast<int>(i % 26), y = box.y + static_cast<int>(i / 26);
        EXPECT_TRUE(x >= mouse.x + 1 && x <= mouse.x + 18 && y >= mouse.y - 1 && y <= mouse.y + 20)
            << "pixel (" << x << ", " << y << ") lies outside the icon at (mouse x + 2, mouse y)";
    }
    EXPECT_GT(changed, 0) << "the icon shows";
}

TEST_F(PanelClicks, NoHoverIconAwayFromTheSpots) {
    start();
    const ScreenPoint far = toDrawing({150, 150});
    const ScreenPoint mouse = toDrawing(kNoSpot);
    const ScreenPoint box{mouse.x - 4, mouse.y - 4};
    standin::setMouseLocation(far.x, far.y);
    standin::runFrame();
    const std::vector<uint32_t> without = pixels(box, 26, 28);
    standin::setMouseLocation(mouse.x, mouse.y);
    standin::runFrame();
    EXPECT_EQ(pixels(box, 26, 28), without);
}

// The outline colour (1.0, 1.0, 0.5) within a pixel of a panel point: lines
// on whole coordinates may land on either neighbour.
class PanelOutlines : public PanelClicks {
protected:
    bool outlinedNear(PanelPoint p) const {
        const ScreenPoint centre = toDrawing(p);
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const standin::Rgba c = standin::readPixel(centre.x + dx, centre.y + dy);
                if (c.r == 255 && c.g == 255 && c.b >= 126 && c.b <= 129) return true;
            }
        }
        return false;
    }
    void showClickSpots(bool on) {
        standin::setInt(kShowClickSpots, on ? 1 : 0);
        standin::runFrames(8);
    }
};

constexpr PanelPoint kClockRightEdge{30, 400};
constexpr PanelPoint kAuxPanelRightEdge{34, 260};
constexpr PanelPoint kSpeedWheelLeftEdge{640, 590};

TEST_F(PanelOutlines, ShownOnlyWhileTheSimulatorShowsClickSpots) {
    start();
    standin::runFrames(8);
    EXPECT_FALSE(outlinedNear(kSpeedWheelLeftEdge));
    showClickSpots(true);
    EXPECT_TRUE(outlinedNear(kSpeedWheelLeftEdge));
    EXPECT_TRUE(outlinedNear(kClockRightEdge));
    EXPECT_FALSE(outlinedNear(kNoSpot));
}

TEST_F(PanelOutlines, AuxiliaryFuelPanelIsOutlinedOnlyWithAuxiliaryTanks) {
    start();
    showClickSpots(true);
    EXPECT_FALSE(outlinedNear(kAuxPanelRightEdge));
}

TEST_F(PanelOutlines, AuxiliaryFuelPanelIsOutlinedWithAnAuxiliaryTank) {
    start(auxTankAircraft());
    showClickSpots(true);
    EXPECT_TRUE(outlinedNear(kAuxPanelRightEdge));
}

TEST_F(PanelOutlines, CornerMarkerBlinksOncePerSecond) {
    start();
    showClickSpots(true);
    // The marker of the V/S wheel's first record, at (914 + 2, 546).
    const ScreenPoint marker = toDrawing({916, 547});
    std::vector<std::vector<uint32_t>> seen;  // each different picture once
    std::vector<uint32_t> previous;
    int changes = 0;
    for (int frame = 0; frame < 30; ++frame) {
        standin::runFrame();
        const std::vector<uint32_t> now = pixels(marker, 15, 4);
        if (!previous.empty() && previous != now) ++changes;
        if (std::find(seen.begin(), seen.end(), now) == seen.end()) seen.push_back(now);
        previous = now;
    }
    EXPECT_GE(changes, 1) << "the phase changes every half second";
    EXPECT_LE(changes, 2);
    ASSERT_EQ(seen.size(), 2u) << "shown and hidden, nothing else";
    showClickSpots(false);
    const std::vector<uint32_t> hidden = pixels(marker, 15, 4);
    EXPECT_TRUE(hidden == seen[0] || hidden == seen[1]) << "one phase shows no marker";
}

TEST_F(PanelClicks, CabinSwitchesAreDrawnInTheCabinViewOnly) {
    start();
    const ScreenPoint away = toDrawing(kNoSpot);
    const ScreenPoint galley = toDrawing({220, 870});
    standin::setMouseLocation(away.x, away.y);
    auto pictureIn = [&](int view) {
        standin::setInt(kViewType, view);
        standin::runFrame();
        return pixels(galley, 70, 80);
    };
    auto toggleGalley = [&] {
        standin::setInt(kViewType, quil::kViewCabin);
        ASSERT_TRUE(click(kGalleySwitch));
        standin::setMouseLocation(away.x, away.y);
    };
    const std::vector<uint32_t> cabinOff = pictureIn(quil::kViewCabin);
    const std::vector<uint32_t> panelOff = pictureIn(quil::kViewPanel);
    toggleGalley();
    EXPECT_NE(pictureIn(quil::kViewCabin), cabinOff) << "the galley switch turns on";
    EXPECT_EQ(pictureIn(quil::kViewPanel), panelOff) << "the forward panel has no galley switch";
    toggleGalley();
    EXPECT_EQ(pictureIn(quil::kViewCabin), cabinOff);
}

// ---- The plug-in's code in the test process ------------------------------------

// The plug-in started inside the test process on the demo aircraft, past
// its delayed reset, so its models can be asked directly. Clicks go
// straight to the mouse callback, in window pixels.
class PanelClickSpots : public quiltest::InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        standin::setAircraft(quiltest::demoAircraftPath());
        char name[256], signature[256], description[256];
        ASSERT_EQ(quil::StartPlugin(name, signature, description), 1);
        standin::runSeconds(1.5);
        quil::UpdatePanelGeometry();
        release(kNoSpot);  // forgets a press an earlier test left behind
        quil::AfdsReset();
    }

    void TearDown() override {
        quil::StopPlugin();
        InProcessTest::TearDown();
    }

    int mouse(PanelPoint p, XPLMMouseStatus status) {
        const ScreenPoint w = toWindow(p);
        return quil::HandlePanelClick(nullptr, w.x, w.y, status, nullptr);
    }
    int press(PanelPoint p) { return mouse(p, xplm_MouseDown); }
    int drag(PanelPoint p) { return mouse(p, xplm_MouseDrag); }
    int release(PanelPoint p) { return mouse(p, xplm_MouseUp); }
    int click(PanelPoint p) {
        const int taken = press(p);
        release(p);
        return taken;
    }
    int iconAt(PanelPoint p) {
        const ScreenPoint d = toDrawing(p);
        return quil::FindClickSpotUnderMouse(d.x, d.y);
    }
    void setView(int viewType) { standin::setInt(kViewType, viewType); }
};

// The panel table as the aircraft's panel lays it out: rectangle and icon.
struct SpotRecord {
    int left, right, bottom, top, icon;
};

constexpr SpotRecord kPanelLayout[] = {
    {914, 942, 546, 559, 55},  {914, 942, 560, 578, 54},   {914, 942, 579, 597, 56},
    {914, 942, 597, 616, 57},  {834, 874, 564, 577, 57},   {834, 874, 578, 591, 56},
    {834, 874, 592, 605, 54},  {834, 874, 606, 619, 55},   {577, 599, 550, 568, 58},
    {608, 628, 550, 568, 58},  {640, 680, 553, 569, 57},   {640, 680, 570, 583, 56},
    {640, 680, 584, 597, 54},  {640, 680, 598, 614, 55},   {876, 900, 550, 568, 58},
    {842, 866, 550, 568, 58},  {687, 711, 609, 627, 58},   {745, 769, 550, 568, 58},
    {795, 819, 609, 627, 58},  {795, 819, 579, 597, 58},   {795, 819, 550, 568, 58},
    {688, 712, 550, 568, 58},  {585, 605, 595, 617, 58},   {464, 476, 617, 630, 54},
    {478, 490, 617, 630, 56},  {394, 406, 576, 600, 56},   {407, 419, 576, 600, 54},
    {776, 807, 1000, 1010, 58}, {778, 808, 972, 994, 54},  {778, 808, 948, 971, 56},
    {740, 760, 892, 916, 58},  {766, 786, 892, 916, 58},   {816, 836, 892, 916, 58},
    {842, 862, 892, 916, 58},  {740, 760, 917, 941, 58},   {766, 786, 917, 941, 58},
    {816, 836, 917, 941, 58},  {842, 862, 917, 941, 58},   {754, 774, 446, 466, 56},
    {775, 795, 446, 466, 54},  {966, 1023, 546, 567, 58},  {853, 873, 830, 874, 56},
    {874, 894, 830, 874, 54},  {975, 995, 830, 874, 56},   {996, 1016, 830, 874, 54},
    {919, 939, 830, 868, 105}, {940, 960, 830, 868, 106},  {-133, 34, 191, 336, 58},
    {-88, 30, 339, 457, 58},   {627, 660, 945, 970, 58},   {602, 624, 872, 892, 56},
    {602, 624, 892, 910, 54},  {626, 648, 872, 892, 56},   {626, 648, 892, 910, 54},
    {624, 646, 910, 924, 56},  {624, 646, 924, 944, 54},   {654, 676, 910, 924, 56},
    {654, 676, 924, 944, 54},  {668, 690, 872, 892, 56},   {668, 690, 892, 910, 54},
    {698, 720, 872, 892, 56},  {698, 720, 892, 910, 54},   {968, 1023, 874, 930, 85},
    {880, 968, 874, 1023, 85}, {572, 774, 971, 1023, 85},  {320, 600, 872, 971, 85},
};

// The icon of the first record of the layout containing the point, or 0.
int expectedIcon(PanelPoint p) {
    for (const SpotRecord& r : kPanelLayout) {
        if (r.left <= p.x && p.x <= r.right && r.bottom <= p.y && p.y <= r.top) return r.icon;
    }
    return 0;
}

TEST_F(PanelClickSpots, EveryPanelSpotShowsItsIconToItsEdgesAndNotBeyond) {
    ASSERT_EQ(std::size(kPanelLayout), 66u);
    quil::SetAuxPanelSpotEnabled(true);
    for (size_t i = 0; i < std::size(kPanelLayout); ++i) {
        const SpotRecord& r = kPanelLayout[i];
        const int midX = (r.left + r.right) / 2, midY = (r.bottom + r.top) / 2;
        const PanelPoint points[] = {
            {r.left, r.bottom},  {r.right, r.top},     {r.left, r.top},  {r.right, r.bottom},
            {r.left - 1, midY},  {r.right + 1, midY},  {midX, r.bottom - 1}, {midX, r.top + 1},
            {midX, midY},
        };
        for (PanelPoint p : points) {
            EXPECT_EQ(iconAt(p), expectedIcon(p)) << "record " << i << ", " << describe(p);
        }
    }
}

TEST_F(PanelClickSpots, OverlappingSpotsGoToTheEarlierRecord) {
    // The V/S wheel's halves share y 597: one step down, not five.
    EXPECT_EQ(iconAt({928, 597}), 56);
    // Engine 1's start switch up and the selector menu share y 874.
    EXPECT_EQ(iconAt({885, 874}), 54);
    // The two selector menu spots share 968, 874 .. 1023, 930; both open
    // the menu, so only the click being taken shows.
    EXPECT_EQ(iconAt({968, 900}), 85);
    EXPECT_EQ(click({968, 900}), 1);
}

TEST_F(PanelClickSpots, DisabledAuxiliaryFuelPanelSpotIsNeitherHitNorShown) {
    quil::SetAuxPanelSpotEnabled(true);
    EXPECT_EQ(iconAt(kAuxPanel), 58);
    EXPECT_EQ(click(kAuxPanel), 1);
    quil::SetAuxPanelSpotEnabled(false);
    EXPECT_EQ(iconAt(kAuxPanel), 0);
    EXPECT_EQ(click(kAuxPanel), 0);
    EXPECT_EQ(iconAt(kClockPanel), 58) << "only the auxiliary fuel panel's spot";
}

TEST_F(PanelClickSpots, CabinViewShowsOnlyItsOwnSpotsAndOtherViewsNone) {
    setView(quil::kViewCabin);
    EXPECT_EQ(iconAt(kGalleySwitch), 58);
    EXPECT_EQ(iconAt(kCabinLightSwitch), 58);
    EXPECT_EQ(iconAt({223, 886}), 58) << "the galley switch's corner";
    EXPECT_EQ(iconAt({222, 886}), 0);
    EXPECT_EQ(iconAt(kSpeedUpOne), 0);
    setView(kView3dCockpit);
    EXPECT_EQ(iconAt(kGalleySwitch), 0);
    EXPECT_EQ(iconAt(kSpeedUpOne), 0);
    EXPECT_EQ(click(kSpeedUpOne), 0);
}

struct ButtonCase {
    const char* name;
    PanelPoint point;
    std::function<void()> before;
    std::function<bool()> result;
};

TEST_F(PanelClickSpots, McpButtonsToggleTheirModes) {
    using namespace quil;
    const auto nothing = [] {};
    const auto armAutothrottle = [] { mcpAtArm(kMcpOn); };
    const ButtonCase cases[] = {
        {"A/T ARM", {595, 606}, nothing, [] { return atArmed(); }},
        {"N1", {588, 559}, armAutothrottle, [] { return atN1(); }},
        {"SPEED", {618, 559}, armAutothrottle, [] { return atSpeed(); }},
        {"V/S", {888, 559}, nothing, [] { return apVsArmed(); }},
        {"ALT HLD", {854, 559}, nothing, [] { return apPitchAltHld(); }},
        {"VNAV", {699, 618}, nothing, [] { return apVnavEng(); }},
        {"HDG SEL", {757, 559}, nothing, [] { return apHdgSel(); }},
        {"LNAV without a flight plan", {807, 618}, nothing,
         [] { return lnavLightOn() && !apLnavArmed(); }},
        {"VOR/LOC", {807, 588}, nothing, [] { return apVorLocArmed(); }},
        {"APP on an ILS", {807, 559}, [] { snapshot.hasGlideSlope = 1; },
         [] { return apGsArmed() && apVorLocArmed(); }},
        {"LVL CHG", {700, 559},
         [] {
             mcpAtArm(kMcpOn);
             snapshot.radioAltitude = snapshot.indicatedAltitude = 5000.0f;
             SetMcpAlt(10000.0f);
         },
         [] { return apPitchMcpspd(); }},
    };
    for (const ButtonCase& c : cases) {
        AfdsReset();
        c.before();
        EXPECT_EQ(click(c.point), 1) << c.name;
        EXPECT_TRUE(c.result()) << c.name;
    }
    AfdsReset();
    click({595, 606});
    click({595, 606});
    EXPECT_FALSE(atArmed()) << "a second press switches A/T ARM off";
}

struct WheelCase {
    const char* name;
    PanelPoint point;
    std::function<float()> value;
    float change;
};

TEST_F(PanelClickSpots, McpWheelsStepByTheirRecordsStepCounts) {
    using namespace quil;
    const auto vs = [] { return McpVerticalSpeed(); };
    const auto altitude = [] { return McpAltitude(); };
    const auto speed = [] { return standin::getFloat(kMcpSpeed); };
    const WheelCase cases[] = {
        {"V/S up five", {928, 550}, vs, 250.0f},     {"V/S up one", {928, 570}, vs, 50.0f},
        {"V/S down one", {928, 590}, vs, -50.0f},    {"V/S down five", {928, 610}, vs, -250.0f},
        {"ALT down five", {850, 570}, altitude, -500.0f},
        {"ALT down one", {850, 585}, altitude, -100.0f},
        {"ALT up one", {850, 600}, altitude, 100.0f}, {"ALT up five", {850, 612}, altitude, 500.0f},
        {"SPD down five", {660, 560}, speed, -5.0f}, {"SPD down one", {660, 575}, speed, -1.0f},
        {"SPD up one", {660, 590}, speed, 1.0f},     {"SPD up five", {660, 606}, speed, 5.0f},
    };
    for (const WheelCase& c : cases) {
        SetMcpVs(0.0f);
        SetMcpAlt(10000.0f);
        SetMcpSpeed(250.0f);
        standin::runSeconds(0.2);
        const float before = c.value();
        EXPECT_EQ(click(c.point), 1) << c.name;
        EXPECT_FLOAT_EQ(c.value() - before, c.change) << c.name;
    }
}

TEST_F(PanelClickSpots, WheelsKeepTheirOwnRepeatTimes) {
    quil::SetMcpAlt(10000.0f);
    const float speed = standin::getFloat(kMcpSpeed);
    click(kSpeedUpOne);
    click({850, 600});  // the altitude wheel, at once
    EXPECT_FLOAT_EQ(quil::McpAltitude(), 10100.0f);
    EXPECT_FLOAT_EQ(standin::getFloat(kMcpSpeed), speed + 1.0f);
}

struct SwitchCase {
    const char* name;
    PanelPoint point;
    std::function<int()> position;
    int expected;
};

TEST_F(PanelClickSpots, ElectricalSwitchesMoveOnThePress) {
    using namespace quil;
    const SwitchCase cases[] = {
        {"external power OFF", {793, 980}, [] { return externalPowerSwitchPosition(); }, kSwitchOff},
        {"external power ON", kExternalPowerOn, [] { return externalPowerSwitchPosition(); },
         kSwitchOn},
        {"generator 1 ON", {750, 900}, [] { return generatorSwitchPosition(0); }, kSwitchOn},
        {"APU generator 1 ON", {776, 900}, [] { return apuGeneratorSwitchPosition(0); }, kSwitchOn},
        {"APU generator 2 ON", {826, 900}, [] { return apuGeneratorSwitchPosition(1); }, kSwitchOn},
        {"generator 2 ON", {852, 900}, [] { return generatorSwitchPosition(1); }, kSwitchOn},
        {"generator 1 OFF", {750, 930}, [] { return generatorSwitchPosition(0); }, kSwitchOff},
        {"APU generator 1 OFF", {776, 930}, [] { return apuGeneratorSwitchPosition(0); },
         kSwitchOff},
        {"APU generator 2 OFF", {826, 930}, [] { return apuGeneratorSwitchPosition(1); },
         kSwitchOff},
        {"generator 2 OFF", {852, 930}, [] { return generatorSwitchPosition(1); }, kSwitchOff},
    };
    for (const SwitchCase& c : cases) {
        EXPECT_EQ(press(c.point), 1) << c.name;
        EXPECT_EQ(c.position(), c.expected) << c.name;
        release(c.point);
        EXPECT_EQ(c.position(), kSwitchCentre) << c.name << " springs back";
    }
}

TEST_F(PanelClickSpots, ReleaseAfterExternalPowerOnCentresAllFiveSwitchesWhereverItIs) {
    using namespace quil;
    SetGeneratorSwitch(0, kSwitchOn);
    SetGeneratorSwitch(1, kSwitchOff);
    SetApuGeneratorSwitch(0, kSwitchOn);
    SetApuGeneratorSwitch(1, kSwitchOff);
    ASSERT_EQ(press(kExternalPowerOn), 1);
    EXPECT_EQ(drag(kNoSpot), 0) << "dragged off every spot";
    EXPECT_EQ(externalPowerSwitchPosition(), kSwitchOn) << "held until let go";
    EXPECT_EQ(release(kNoSpot), 0) << "the simulator keeps the release";
    EXPECT_EQ(externalPowerSwitchPosition(), kSwitchCentre);
    EXPECT_EQ(generatorSwitchPosition(0), kSwitchCentre);
    EXPECT_EQ(generatorSwitchPosition(1), kSwitchCentre);
    EXPECT_EQ(apuGeneratorSwitchPosition(0), kSwitchCentre);
    EXPECT_EQ(apuGeneratorSwitchPosition(1), kSwitchCentre);
}

TEST_F(PanelClickSpots, ReleasingOtherControlsLeavesTheGeneratorSwitchesAlone) {
    quil::SetGeneratorSwitch(0, quil::kSwitchOn);
    click(kSpeedUpOne);
    click({1000, 560});  // the flight director switch
    EXPECT_EQ(quil::generatorSwitchPosition(0), quil::kSwitchOn);
}

TEST_F(PanelClickSpots, ControlsActOnThePressNotOnADragOntoThem) {
    const int selector = quil::IgnitionSelector();
    EXPECT_EQ(drag({950, 850}), 1) << "the ignition selector's right half";
    EXPECT_EQ(quil::IgnitionSelector(), selector);
    release({950, 850});
    EXPECT_EQ(quil::IgnitionSelector(), selector) << "nor on the release";
}

TEST_F(PanelClickSpots, EngineStartAndIgnitionSwitchesStepOnePositionPerClick) {
    using namespace quil;
    click(kEngine1StartDown);
    EXPECT_EQ(StartSwitchPosition(0), kStartSwitchGround);
    click({884, 850});
    click({884, 850});
    EXPECT_EQ(StartSwitchPosition(0), kStartSwitchContinuous);
    click({1006, 850});
    EXPECT_EQ(StartSwitchPosition(1), kStartSwitchContinuous) << "engine 2 up";
    click({985, 850});
    click({985, 850});
    EXPECT_EQ(StartSwitchPosition(1), kStartSwitchGround) << "engine 2 down";
    ASSERT_EQ(IgnitionSelector(), kIgnitionBoth);
    click({929, 850});
    click({929, 850});
    EXPECT_EQ(IgnitionSelector(), kIgnitionLeft) << "not below left";
    click({950, 850});
    EXPECT_EQ(IgnitionSelector(), kIgnitionBoth);
}

TEST_F(PanelClickSpots, ThrustLimitSelectionStepsWithinItsModes) {
    quil::SetThrustLimitMode(1);
    click({764, 456});
    click({764, 456});
    EXPECT_EQ(quil::ThrustLimitMode(), 0);
    click({785, 456});
    EXPECT_EQ(quil::ThrustLimitMode(), 1);
}

TEST_F(PanelClickSpots, PressureUnitSpotsSelectTheirUnit) {
    using quil::PressureUnit;
    click({484, 620});
    EXPECT_EQ(quil::CurrentPressureUnit(), PressureUnit::Hectopascals);
    click({484, 620});
    EXPECT_EQ(quil::CurrentPressureUnit(), PressureUnit::Hectopascals);
    click({470, 620});
    EXPECT_EQ(quil::CurrentPressureUnit(), PressureUnit::InchesOfMercury);
}

TEST_F(PanelClickSpots, FlightDirectorSwitchTurnsTheSimulatorsFlightDirectorOffAndOn) {
    standin::setInt(kAutopilotMode, 1);
    click({1000, 560});
    EXPECT_EQ(standin::getInt(kAutopilotMode), 0);
    EXPECT_EQ(quil::AfdsStatus(), 0) << "the flight director is off at once";
    click({1000, 560});
    EXPECT_EQ(standin::getInt(kAutopilotMode), 1);
}

TEST_F(PanelClickSpots, GroundPowerRequestTogglesTheUnitWeManage) {
    ASSERT_EQ(quil::GroundServiceMode(), 0);
    const bool present = quil::GroundPowerUnitPresent();
    click(kGroundPowerRequest);
    EXPECT_EQ(quil::GroundPowerUnitPresent(), !present);
    click(kGroundPowerRequest);
    EXPECT_EQ(quil::GroundPowerUnitPresent(), present);
}

TEST_F(PanelClickSpots, GroundPowerRequestLeavesTheUnitToTheManagingPlugIn) {
    quil::SetGroundServiceMode(1);  // which takes the unit away
    quil::snapshot.parkBrake = 1.0f;
    click(kGroundPowerRequest);
    EXPECT_FALSE(quil::GroundPowerUnitPresent()) << "it only asks";
}

TEST_F(PanelClickSpots, CabinSwitchesToggleOnThePressAlone) {
    setView(quil::kViewCabin);
    quil::snapshot.galleySwitch = 0;
    quil::snapshot.cabinLightSwitch = 0;
    EXPECT_EQ(press(kGalleySwitch), 1);
    EXPECT_EQ(quil::snapshot.galleySwitch, 1);
    EXPECT_EQ(drag(kGalleySwitch), 0) << "the cabin spots take no drags";
    EXPECT_EQ(release(kGalleySwitch), 0);
    EXPECT_EQ(quil::snapshot.galleySwitch, 1);
    click(kGalleySwitch);
    EXPECT_EQ(quil::snapshot.galleySwitch, 0);
    click(kCabinLightSwitch);
    EXPECT_EQ(quil::snapshot.cabinLightSwitch, 1);
    EXPECT_EQ(quil::snapshot.galleySwitch, 0);
}

TEST_F(PanelClickSpots, UnknownMouseStatusIsLeftToTheSimulator) {
    EXPECT_EQ(mouse(kSpeedUpOne, 7), 0);
}

}  // namespace
