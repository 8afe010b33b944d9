// Where the popup windows sit: the records laid out from the two anchors,
// and what moving a window in each mode moves.
#include "windows/placement.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace quil;

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
    void SetUp() override { InitPlacements(kScreenHeight); }
};

// Both anchors start at (310, 1024 - 96 - 657); the table is set once, so
// a later call with another screen keeps it.
TEST_F(Placements, WindowsStartWhereTheAircraftsLayoutPutsThem) {
    InitPlacements(600.0f);
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

}  // namespace
