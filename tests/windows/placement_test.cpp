// Where the popup windows sit: the records laid out from the two anchors,
// and what moving a window in each mode moves.
#include "windows/placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

namespace {

using namespace quil;

constexpr float kScreenWidth = 1024.0f;
constexpr float kScreenHeight = 1024.0f;

struct Place {
    int left, bottom, width, height;
};

Place placeOf(int index, int mode) {
    return {PlacementLeft(index, mode), PlacementBottom(index, mode), PlacementWidth(index, mode),
            PlacementHeight(index, mode)};
}

std::string describe(int index, int mode) {
    return "window " + std::to_string(index) + ", mode " + std::to_string(mode);
}

class Placements : public ::testing::Test {
protected:
    void SetUp() override { InitPlacements(kScreenWidth, kScreenHeight); }
};

// Both anchors start at (310, 1024 - 96 - 657); the table is set once, so
// a later call with another screen keeps it.
TEST_F(Placements, WindowsStartWhereTheAircraftsLayoutPutsThem) {
    InitPlacements(2048.0f, 2048.0f);
    struct Case {
        int index, mode;
        Place place;
    } cases[] = {
        {kWindowFuel, kPlacementAlone, {140, 271, 170, 256}},
        {kWindowFuel, kPlacementFloating, {450, 367, 170, 256}},
        {kWindowAuxFuel, kPlacementOverhead, {-40, 221, 167, 145}},
        {kWindowClock, kPlacementEmbedded, {450, 367, 167, 145}},
        {kWindowApu, kPlacementAlone, {310, 271, 170, 256}},
        {kWindowMeter, kPlacementOverhead, {310, 527, 170, 348}},
        {kWindowCabinUtilities, kPlacementAlone, {566, 271, 82, 657}},
        {kWindowCabinUtilities, kPlacementOverhead, {480, 271, 82, 657}},
        {kWindowAntiIce, kPlacementOverhead, {564, 672, 170, 256}},
        {kWindowFuelStation, kPlacementAlone, {190, 271, 256, 147}},
    };
    for (const Case& c : cases) {
        // Each case on a record nothing has moved yet.
        const Place p = placeOf(c.index, c.mode);
        EXPECT_EQ(p.left, c.place.left) << describe(c.index, c.mode);
        EXPECT_EQ(p.bottom, c.place.bottom) << describe(c.index, c.mode);
        EXPECT_EQ(p.width, c.place.width) << describe(c.index, c.mode);
        EXPECT_EQ(p.height, c.place.height) << describe(c.index, c.mode);
    }
}

// The overhead mode moves the shared anchor, the alone and floating modes
// the window's own record, the embedded mode nothing.
TEST_F(Placements, MovingAWindowMovesWhatItsModeHangsFrom) {
    struct Case {
        int index, mode;
        bool movesItself, movesOverhead;
    } cases[] = {
        {kWindowApu, kPlacementOverhead, true, true},
        {kWindowApu, kPlacementAlone, true, false},
        {kWindowFuel, kPlacementFloating, true, false},
        {kWindowClock, kPlacementEmbedded, false, false},
        {0, kPlacementAlone, false, false},  // no such window
        {kWindowApu, 7, false, false},       // no such mode
    };
    for (const Case& c : cases) {
        const Place self = placeOf(c.index, c.mode);
        const Place meter = placeOf(kWindowMeter, kPlacementOverhead);
        const Place fuelAlone = placeOf(kWindowFuel, kPlacementAlone);
        MovePlacement(c.index, c.mode, 10, -5);
        const Place selfAfter = placeOf(c.index, c.mode);
        EXPECT_EQ(selfAfter.left - self.left, c.movesItself ? 10 : 0) << describe(c.index, c.mode);
        EXPECT_EQ(selfAfter.bottom - self.bottom, c.movesItself ? -5 : 0)
            << describe(c.index, c.mode);
        EXPECT_EQ(placeOf(kWindowMeter, kPlacementOverhead).left - meter.left,
                  c.movesOverhead ? 10 : 0)
            << describe(c.index, c.mode);
        EXPECT_EQ(placeOf(kWindowFuel, kPlacementAlone).left, fuelAlone.left)
            << describe(c.index, c.mode);
    }
}

TEST_F(Placements, PlacingFromTheScreenPutsTheCornerThere) {
    for (int mode : {kPlacementAlone, kPlacementOverhead, kPlacementFloating}) {
        SetPlacementFromScreen(kWindowAuxFuel, mode, 123, 45);
        EXPECT_EQ(PlacementLeft(kWindowAuxFuel, mode), 123) << describe(kWindowAuxFuel, mode);
        EXPECT_EQ(PlacementBottom(kWindowAuxFuel, mode), 45) << describe(kWindowAuxFuel, mode);
    }
}

// How much of the window lies on a screen of that size, across and up.
int overlap(int corner, int size, int screen) {
    return std::min(corner + size, screen) - std::max(corner, 0);
}

// Drags of any size, on any screen, repeated and after the screen changes
// (as on a reload): a strip of every window stays on the screen, and a
// drag back moves the window at once.
TEST_F(Placements, AStripOfEveryWindowStaysOnTheScreenWhateverTheDrag) {
    struct Screen {
        float width, height;
    };
    const Screen screens[] = {{1024, 768}, {3840, 2160}, {200, 150}, {0, 0}, {-5, 1e9f}};
    const int drags[][2] = {{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MIN},
                            {INT_MIN, INT_MAX}, {100000, -100000}};
    for (const Screen& screen : screens) {
        InitPlacements(screen.width, screen.height);
        const int width = std::clamp(static_cast<int>(std::max(screen.width, 0.0f)),
                                     kOnScreenStripPx, 16384);
        const int height = std::clamp(static_cast<int>(std::min(screen.height, 16384.0f)),
                                      kOnScreenStripPx, 16384);
        for (const auto& drag : drags) {
            for (int index = kWindowFuel; index < kWindowIndexCount; ++index) {
                for (int mode : {kPlacementAlone, kPlacementOverhead, kPlacementFloating}) {
                    for (int times = 0; times < 3; ++times) MovePlacement(index, mode, drag[0], drag[1]);
                    const Place p = placeOf(index, mode);
                    const std::string where = describe(index, mode) + " on " +
                                              std::to_string(width) + " x " +
                                              std::to_string(height) + ", drag " +
                                              std::to_string(drag[0]) + " " +
                                              std::to_string(drag[1]);
                    ASSERT_GE(overlap(p.left, p.width, width), kOnScreenStripPx) << where;
                    ASSERT_GE(overlap(p.bottom, p.height, height), kOnScreenStripPx) << where;
                    // Back by a few pixels: it moves by them at once.
                    const int backX = drag[0] > 0 ? -3 : 3, backY = drag[1] > 0 ? -3 : 3;
                    MovePlacement(index, mode, backX, backY);
                    EXPECT_EQ(PlacementLeft(index, mode) - p.left, backX) << where;
                    EXPECT_EQ(PlacementBottom(index, mode) - p.bottom, backY) << where;
                }
            }
        }
    }
    InitPlacements(kScreenWidth, kScreenHeight);
}

}  // namespace
