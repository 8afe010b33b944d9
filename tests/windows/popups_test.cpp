// The popup windows together: the overhead arrangement that opens, moves
// and closes as one, and the selector menu, kept on the screen, whose rows
// open the windows.
#include "windows/popups.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "render/render_support.h"
#include "support/popup_host.h"
#include "support/test_aircraft.h"

namespace {

using namespace quiltest;

constexpr Size kOverheadSizes[] = {kCabinUtilitiesSize, kMeterSize, kMenuSize};

class Popups : public PopupHost {
protected:
    // Every window of the arrangement: APU and fuel share a size, so the
    // count of 170 x 256 windows stands for them and the anti-ice panel.
    static int windowsOfSize(Size size) {
        int count = 0;
        for (const standin::WindowInfo& w : standin::windows()) {
            if (w.right - w.left == size.width && w.top - w.bottom == size.height) ++count;
        }
        return count;
    }
    static int overheadWindows() {
        return windowsOfSize(kCabinUtilitiesSize) + windowsOfSize(kMeterSize) +
               windowsOfSize(kApuSize);
    }
};

TEST_F(Popups, OverheadArrangementOpensAndClosesItsFiveWindowsTogether) {
    start();
    openOverhead();
    EXPECT_EQ(overheadWindows(), 5);
    openOverhead();
    EXPECT_EQ(overheadWindows(), 0) << "its panel spot closes it again";

    openMenu();
    clickMenuRow(kMenuRowOverhead);
    EXPECT_FALSE(find(kMenuSize)) << "the menu closes on its release";
    ASSERT_EQ(overheadWindows(), 5);
    const standin::WindowInfo meter = window(kMeterSize);
    standin::click(meter.left + 10, meter.top - 8);
    standin::runFrame();
    EXPECT_EQ(overheadWindows(), 0) << "closing one closes the arrangement";
}

TEST_F(Popups, DraggingOneOverheadWindowMovesThemAll) {
    start();
    openOverhead();
    const std::vector<standin::WindowInfo> before = standin::windows();
    const standin::WindowInfo cabin = window(kCabinUtilitiesSize);
    const int x = cabin.left + 40, y = cabin.bottom + 500;
    standin::mouseDown(x, y);
    standin::mouseDrag(x + 30, y + 12);
    standin::mouseUp(x + 30, y + 12);
    standin::runFrame();
    const std::vector<standin::WindowInfo> after = standin::windows();
    int moved = 0;
    for (const standin::WindowInfo& b : before) {
        for (const standin::WindowInfo& a : after) {
            if (a.id != b.id || a.right - a.left == 1024) continue;
            EXPECT_EQ(a.left - b.left, 30);
            EXPECT_EQ(a.bottom - b.bottom, 12);
            ++moved;
        }
    }
    EXPECT_EQ(moved, 7) << "the five windows and the fuel panel's two strips";
}

// Opened at the mouse less (95, 72), kept 8 pixels from the sides, 32
// from the top and bottom of the 1024 x 1024 screen.
TEST_F(Popups, SelectorMenuOpensAtTheMouseKeptOnTheScreen) {
    struct Case {
        int mouseX, mouseY;
        int left, bottom;
    } cases[] = {
        {500, 500, 405, 428},  // where the mouse is
        {1000, 900, 826, 828}, // near the right edge: shifted left
        {1020, 1010, 826, 848},
        {20, 100, 8, 32},      // near the lower left corner
        {90, 60, 8, 32},
    };
    start();
    for (const Case& c : cases) {
        // The panel moved so that its menu spot lies under the mouse.
        standin::setFloat("sim/graphics/view/panel_total_win_l", c.mouseX - kMenuSpotX + 0.5f);
        standin::setFloat("sim/graphics/view/panel_total_win_r", c.mouseX - kMenuSpotX + 1024.5f);
        standin::setFloat("sim/graphics/view/panel_total_win_b", c.mouseY - kMenuSpotY + 0.5f);
        standin::setFloat("sim/graphics/view/panel_total_win_t", c.mouseY - kMenuSpotY + 1024.5f);
        standin::runFrame();
        standin::click(c.mouseX, c.mouseY);
        standin::runFrame();
        const std::string where =
            "mouse at " + std::to_string(c.mouseX) + ", " + std::to_string(c.mouseY);
        standin::WindowInfo menu{};
        ASSERT_TRUE(find(kMenuSize, &menu)) << where;
        EXPECT_EQ(menu.left, c.left) << where;
        EXPECT_EQ(menu.bottom, c.bottom) << where;
        clickMenuRow(kMenuRowNone);
        EXPECT_FALSE(find(kMenuSize)) << "any release closes it; " << where;
    }
}

// Its APU row opens the APU and generator panel by itself, at its own
// place; a row without an entry opens nothing.
TEST_F(Popups, SelectorMenuRowsOpenTheirWindows) {
    start();
    openMenu();
    clickMenuRow(kMenuRowNone);
    EXPECT_EQ(overheadWindows(), 0);
    openAlone(kMenuRowApu);
    EXPECT_EQ(windowsOfSize(kApuSize), 1);
    EXPECT_EQ(overheadWindows(), 1);
    openAlone(kMenuRowMeter);
    EXPECT_EQ(windowsOfSize(kMeterSize), 1);
}

// Every window, the menu with its host-drawn text among them, leaves the
// client arrays disabled for the simulator.
TEST_F(Popups, OpenWindowsAreDrawnWithoutAllocatingAndLeaveTheClientArraysOff) {
    start();
    openOverhead();
    openMenu();
    standin::setInt("sim/graphics/misc/show_panel_click_spots", 1);
    standin::runFrames(4);
    ASSERT_TRUE(find(kMenuSize));
    EXPECT_EQ(standin::lastFrameCounts().allocations, 0);
    EXPECT_EQ(standin::drawsLeavingClientArrays(), 0);
}

// Leaving the 2D panel hides the windows; coming back shows them again.
TEST_F(Popups, WindowsShowOnlyWithThePanel) {
    start();
    openOverhead();
    auto visibleWindows = [] {
        int count = 0;
        for (const standin::WindowInfo& w : standin::windows()) {
            if (w.visible && w.right - w.left != 1024) ++count;
        }
        return count;
    };
    standin::setInt("sim/graphics/view/view_type", 1026);
    standin::runFrames(8);
    EXPECT_EQ(visibleWindows(), 0);
    standin::setInt("sim/graphics/view/view_type", 1000);
    standin::runFrames(8);
    EXPECT_EQ(visibleWindows(), 7) << "the five windows and the fuel panel's two strips";
}

// The clock and the aux fuel panel drawn in the panel from their own sheet
// and from a see-through one: the pixels that differ are theirs, and none
// may fall on the attitude display, which starts at panel x 52. The panel
// is moved 200 pixels right so that both lie wholly on the screen.
TEST_F(Popups, TheEmbeddedClockAndAuxFuelPanelStayLeftOfTheAttitudeDisplay) {
    namespace fs = std::filesystem;
    constexpr int kShift = 200, kAttitudeLeft = 52, kBottom = 150, kTop = 500;
    const struct {
        const char* sheet;
        int width, height;
    } kCases[] = {{"quilclockwin.png", 512, 320}, {"quilAFCP.png", 256, 332}};

    // The demo aircraft with two aux tanks, so that the panel shows both
    // (every other setting at its default), and a copy of the plug-in's
    // artwork as its own.
    const fs::path folder = fs::path(makeAircraft({"EmbeddedPanels"})).parent_path();
    const auto copy = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
    fs::copy(fs::path(demoAircraftPath()).parent_path(), folder, copy);
    const fs::path textures = folder / "quiltextures";
    fs::copy(QUIL_BUILD_DIR "/quil/64/quiltextures", textures, copy);
    std::ofstream(folder / "conf" / "quil.cnf") << "nmb_fwd_auxtanks = \"2\"\n";
    const std::string aircraft = (folder / "Quil737.acf").string();

    auto drawPanel = [&] {
        standin::startHost(config());
        standin::setFloat("sim/graphics/view/panel_total_pnl_l", kShift);
        standin::setFloat("sim/graphics/view/panel_total_pnl_r", kShift + 1024);
        SetEngine1N2(60.0f);  // a hot start: the battery on, the displays lit
        start(aircraft);
        std::vector<standin::Rgba> pixels;
        for (int y = kBottom; y < kTop; ++y) {
            for (int x = 0; x < 1024; ++x) pixels.push_back(standin::readPixel(x, y));
        }
        return pixels;
    };
    for (const auto& c : kCases) {
        const fs::path sheet = textures / c.sheet, kept = textures / "kept.png";
        const std::vector<standin::Rgba> shown = drawPanel();
        if (!standin::graphicsAvailable()) GTEST_SKIP() << standin::graphicsRenderer();
        fs::rename(sheet, kept);
        ASSERT_TRUE(rendertest::writeRgbaPng(sheet.string(), c.width, c.height,
                                             [](int, int) { return rendertest::Rgba{}; }));
        const std::vector<standin::Rgba> hidden = drawPanel();
        fs::rename(kept, sheet);

        int ownPixels = 0, onAttitudeDisplay = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            const standin::Rgba &a = shown[i], &b = hidden[i];
            if (a.r == b.r && a.g == b.g && a.b == b.b) continue;
            const int panelX = static_cast<int>(i % 1024) - kShift;
            ++(panelX < kAttitudeLeft ? ownPixels : onAttitudeDisplay);
        }
        EXPECT_GT(ownPixels, 5000) << c.sheet << " is drawn";
        EXPECT_EQ(onAttitudeDisplay, 0) << c.sheet;
    }
}

}  // namespace
