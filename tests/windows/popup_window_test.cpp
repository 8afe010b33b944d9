// The popup window pattern through the host's windows and mouse: the press
// that receives its release, dragging by the body, the zone outlines, and a
// window whose sheet cannot be loaded.
#include "windows/popup_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <vector>

#include "host/lifecycle.h"
#include "support/popup_host.h"
#include "support/test_aircraft.h"
#include "windows/placement.h"

namespace {

using quiltest::kApuSize;
using quiltest::kMenuRowApu;
using quiltest::kMenuRowMeter;
using quiltest::kMeterSize;

constexpr char kShowClickSpots[] = "sim/graphics/misc/show_panel_click_spots";

class PopupWindows : public quiltest::PopupHost {
protected:
    // A point of the APU window's body, clear of its controls.
    static void bodyPoint(const standin::WindowInfo& w, int& x, int& y) {
        x = w.left + 8;
        y = w.bottom + 200;
    }
};

TEST_F(PopupWindows, CloseButtonPressedAndReleasedOutsideTheWindowStillCloses) {
    start();
    openAlone(kMenuRowApu);
    const standin::WindowInfo apu = window(kApuSize);
    EXPECT_TRUE(standin::mouseDown(apu.left + 10, apu.top - 8)) << "the window takes the press";
    standin::mouseDrag(apu.right + 100, apu.bottom - 100);
    EXPECT_TRUE(quiltest::PopupHost::find(kApuSize)) << "the close button acts on release";
    standin::mouseUp(apu.right + 100, apu.bottom - 100);
    standin::runFrame();
    EXPECT_FALSE(quiltest::PopupHost::find(kApuSize));
}

TEST_F(PopupWindows, DraggingTheBodyMovesTheWindowAndKeepsItUnderTheMouse) {
    start();
    openAlone(kMenuRowApu);
    const standin::WindowInfo before = window(kApuSize);
    int x = 0, y = 0;
    bodyPoint(before, x, y);
    standin::mouseDown(x, y);
    standin::mouseDrag(x + 4, y - 1);
    standin::mouseDrag(x + 10, y - 5);
    standin::mouseUp(x + 10, y - 5);
    standin::runFrame();
    const standin::WindowInfo after = window(kApuSize);
    EXPECT_EQ(after.left - before.left, 10);
    EXPECT_EQ(after.top - before.top, -5);
    EXPECT_EQ(after.bottom - before.bottom, -5);
    EXPECT_EQ(after.right - before.right, 10);

    // Opened again, it comes back where it was left.
    standin::click(after.left + 10, after.top - 8);
    openAlone(kMenuRowApu);
    EXPECT_EQ(window(kApuSize).left, after.left);
}

// The host hears of a window's place only when it changes: a window
// standing still is not placed again frame after frame.
TEST_F(PopupWindows, AWindowIsPlacedOnlyWhenItMoves) {
    start();
    openAlone(kMenuRowApu);
    standin::runFrame();
    EXPECT_EQ(standin::lastFrameCalls("XPLMSetWindowGeometry"), 0) << "standing still";
    const standin::WindowInfo before = window(kApuSize);
    int x = 0, y = 0;
    bodyPoint(before, x, y);
    standin::mouseDown(x, y);
    standin::mouseDrag(x + 10, y);
    standin::mouseUp(x + 10, y);
    standin::runFrame();
    standin::runFrame();
    EXPECT_EQ(standin::lastFrameCalls("XPLMSetWindowGeometry"), 0) << "standing still again";
    EXPECT_EQ(window(kApuSize).left - before.left, 10) << "where it was dragged";
}

// Dragged by the mouse as far as the host's coordinates go, every window
// keeps a strip on the screen (the fuel panel's companion strips too), also
// once the aircraft is loaded again, and a press on that strip drags it back.
TEST_F(PopupWindows, AWindowDraggedAnyDistanceKeepsAStripOnTheScreen) {
    start();
    const int screen = config().windowWidth;  // square
    constexpr int kMenuRowFuel = 4;
    const int rows[] = {kMenuRowApu, kMenuRowFuel};  // both windows 170 x 256
    const int pulls[][2] = {{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MIN, INT_MAX}};
    for (const int row : rows) {
        for (const auto& pull : pulls) {
            const std::string where = "row " + std::to_string(row) + ", pull " +
                                      std::to_string(pull[0]) + " " + std::to_string(pull[1]);
            standin::sendSimMessage(102, 0);  // an aircraft load closes every window
            standin::runSeconds(1.0);
            openAlone(row);
            int x = 0, y = 0;
            bodyPoint(window(kApuSize), x, y);
            standin::mouseDown(x, y);
            standin::mouseDrag(pull[0], pull[1]);
            standin::mouseDrag(pull[0], pull[1]);
            standin::mouseUp(pull[0], pull[1]);
            standin::runFrame();
            standin::sendSimMessage(102, 0);
            standin::runSeconds(1.0);
            openAlone(row);
            for (const standin::WindowInfo& w : standin::windows()) {
                const int across = std::min(w.right, screen) - std::max(w.left, 0);
                const int up = std::min(w.top, screen) - std::max(w.bottom, 0);
                EXPECT_GE(across, quil::kOnScreenStripPx) << where << ", at " << w.left;
                EXPECT_GE(up, quil::kOnScreenStripPx) << where << ", at " << w.bottom;
            }
            const standin::WindowInfo w = window(kApuSize);
            const int left = std::max(w.left, 0), right = std::min(w.right, screen);
            const int bottom = std::max(w.bottom, 0), top = std::min(w.top, screen);
            // Somewhere on the strip a press takes the body, not a control.
            const int back = pull[0] > 0 ? -100 : 100;
            bool draggedBack = false;
            for (int py = bottom + 2; py < top && !draggedBack; py += 6) {
                for (int px = left + 2; px < right && !draggedBack; px += 6) {
                    const int before = window(kApuSize).left;
                    standin::mouseDown(px, py);
                    standin::mouseDrag(px + back, py);
                    standin::mouseUp(px + back, py);
                    standin::runFrame();
                    draggedBack = window(kApuSize).left - before == back;
                }
            }
            EXPECT_TRUE(draggedBack) << where;
        }
    }
}

// The outline shows on the close button's edge and not along the window's
// own edge, where the body zone lies.
TEST_F(PopupWindows, ClickSpotOutlinesLeaveTheBodyZoneOut) {
    start();
    openAlone(kMenuRowApu);
    const standin::WindowInfo apu = window(kApuSize);
    // The navigation display under the window's edge finishes its power-on
    // fade first, so only the outlines change between the two looks.
    standin::jumpTime(30.0f);
    standin::runFrames(2);
    auto column = [](int x, int y0, int y1) {
        std::vector<standin::Rgba> pixels;
        for (int y = y0; y <= y1; ++y) {
            for (int dx = -2; dx <= 2; ++dx) pixels.push_back(standin::readPixel(x + dx, y));
        }
        return pixels;
    };
    auto same = [](const std::vector<standin::Rgba>& a, const std::vector<standin::Rgba>& b) {
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i].r != b[i].r || a[i].g != b[i].g || a[i].b != b[i].b) return false;
        }
        return true;
    };
    const int closeTop = apu.bottom + 254, closeBottom = apu.bottom + 239;
    const auto closeEdgeOff = column(apu.left + 1, closeBottom + 2, closeTop - 2);
    const auto windowEdgeOff = column(apu.left, apu.bottom + 120, apu.bottom + 200);
    standin::setInt(kShowClickSpots, 1);
    standin::runFrames(8);  // the setting is read every few frames
    EXPECT_FALSE(same(column(apu.left + 1, closeBottom + 2, closeTop - 2), closeEdgeOff));
    EXPECT_TRUE(same(column(apu.left, apu.bottom + 120, apu.bottom + 200), windowEdgeOff));
}

// A broken sheet in the aircraft's folder is taken over the plug-in's own
// and refused: the window opens, draws nothing and ignores clicks; the
// other windows work.
TEST_F(PopupWindows, WindowWithABrokenSheetOpensButDrawsAndTakesNothing) {
    quiltest::TestAircraft aircraft;
    aircraft.name = "BrokenSheetJet";
    const std::string acf = quiltest::makeAircraft(aircraft);
    const auto textures = std::filesystem::path(acf).parent_path() / "quiltextures";
    std::filesystem::create_directories(textures);
    std::ofstream(textures / "quilapuwin.png") << "\x89PNG\r\n\x1a\n not a picture";
    start(acf);

    openMenu();
    standin::runFrame();
    auto insideApu = [] { return standin::readPixel(400, 400); };  // where it opens
    const standin::Rgba before = insideApu();
    clickMenuRow(kMenuRowApu);
    const standin::WindowInfo apu = window(kApuSize);
    ASSERT_TRUE(apu.left < 400 && 400 < apu.right && apu.bottom < 400 && 400 < apu.top);
    const standin::Rgba after = insideApu();
    EXPECT_EQ(after.r, before.r);
    EXPECT_EQ(after.g, before.g);
    EXPECT_EQ(after.b, before.b);

    int x = 0, y = 0;
    bodyPoint(apu, x, y);
    EXPECT_TRUE(standin::mouseDown(x, y)) << "clicks are still consumed";
    standin::mouseDrag(x + 30, y);
    standin::mouseUp(x + 30, y);
    standin::click(apu.left + 10, apu.top - 8);
    standin::runFrame();
    EXPECT_EQ(window(kApuSize).left, apu.left) << "neither dragged nor closed";

    openAlone(kMenuRowMeter);
    const standin::WindowInfo meter = window(kMeterSize);
    standin::click(meter.left + 10, meter.top - 8);
    standin::runFrame();
    EXPECT_FALSE(find(kMeterSize)) << "the meter window works";
}

}  // namespace

// ---- The plug-in's code in the test process ------------------------------------

namespace {

int releases = 0;
int controlStatuses[4] = {};  // by mouse status

void countRelease() { ++releases; }
void control(int, int, int status, int) { ++controlStatuses[status]; }

quil::PopupWindow testWindow{};
constexpr quil::ClickZone kTestZones[] = {
    {1, 24, 239, 254, 1, 0, quil::CloseZoneHandler<testWindow>},
    {50, 80, 50, 80, 2, 0, control},
    {0, 170, 0, 256, 3, 0, quil::BodyZoneHandler<testWindow>},
    {},
};

class WindowPattern : public quiltest::InProcessTest {
protected:
    standin::HostConfig config() const override {
        standin::HostConfig c = InProcessTest::config();
        c.graphics = true;  // the sheet is a texture
        return c;
    }
    void SetUp() override {
        InProcessTest::SetUp();
        // The built aircraft, which carries the sheets.
        standin::setAircraft(QUIL_BUILD_DIR "/aircraft/Quil737/Quil737.acf");
        char name[256], signature[256], description[256];
        ASSERT_EQ(quil::StartPlugin(name, signature, description), 1);
        testWindow = quil::MakePopupWindow(quil::kApuSheet, quil::kWindowApu, kTestZones, nullptr,
                                           countRelease, false);
        quil::OpenWindow(testWindow, quil::kPlacementAlone);
        ASSERT_NE(testWindow.texture, 0);
        releases = 0;
        std::fill(std::begin(controlStatuses), std::end(controlStatuses), 0);
    }
    void TearDown() override {
        quil::UnloadWindowTexture(testWindow);
        quil::StopPlugin();
        InProcessTest::TearDown();
    }
    int mouse(int x, int y, int status) {
        int left = 0, top = 0, right = 0, bottom = 0;
        XPLMGetWindowGeometry(testWindow.handle, &left, &top, &right, &bottom);
        return quil::HandleMouse(testWindow, left + x, bottom + y, status);
    }
};

// Wherever the mouse is let go, the window hears of it; only the control
// pressed hears its own release, and only one press each.
TEST_F(WindowPattern, EveryReleaseReachesTheWindowAndThePressedControl) {
    struct Case {
        int pressX, pressY, releaseX, releaseY;
        int controlPresses, controlReleases;
    } cases[] = {
        {60, 60, 60, 60, 1, 1},      // on the control
        {60, 60, -40, 300, 1, 1},    // pressed on it, let go outside the window
        {120, 200, 60, 60, 0, 1},    // pressed on the body, let go on the control
        {120, 200, 500, 500, 0, 0},  // the body alone
    };
    int expected = 0;
    for (const Case& c : cases) {
        std::fill(std::begin(controlStatuses), std::end(controlStatuses), 0);
        EXPECT_EQ(mouse(c.pressX, c.pressY, xplm_MouseDown), 1);
        EXPECT_EQ(mouse(c.releaseX, c.releaseY, xplm_MouseUp), 1);
        ++expected;
        EXPECT_EQ(releases, expected) << "press at " << c.pressX << ", " << c.pressY;
        EXPECT_EQ(controlStatuses[xplm_MouseDown], c.controlPresses);
        EXPECT_EQ(controlStatuses[xplm_MouseUp], c.controlReleases)
            << "release at " << c.releaseX << ", " << c.releaseY;
    }
}

}  // namespace
