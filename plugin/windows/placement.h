// Where the popup windows sit: one record per window and placement mode,
// relative to one of two anchors, so that the overhead windows move
// together while a window opened by itself moves alone.
#pragma once

#include <cstdint>

namespace quil {

// The windows that have a place, by their index in the table.
enum WindowIndex : int {
    kWindowFuel = 1,
    kWindowAuxFuel = 2,
    kWindowClock = 3,
    kWindowApu = 4,
    kWindowMeter = 5,
    kWindowCabinUtilities = 6,
    kWindowAntiIce = 7,
    kWindowFuelStation = 8,
    kWindowIndexCount
};

// How a window was opened. Alone and floating windows hang from the screen
// anchor, the overhead arrangement from the panel anchor; an embedded
// window is drawn inside the 2D panel.
enum PlacementMode : uint8_t {
    kPlacementAlone = 0,
    kPlacementOverhead = 1,
    kPlacementFloating = 2,
    kPlacementEmbedded = 3,
    kPlacementModeCount
};

// At least this much of every window, across and up, stays on the screen
// whatever it is dragged by or the screen measures: enough of its body to
// take a press clear of its controls and drag it back.
constexpr int kOnScreenStripPx = 48;

// Sets the records and both anchors for a screen of the given height once
// per run, so that later calls keep the places the pilot dragged the
// windows to; the screen's size is taken at every call.
void InitPlacements(float screenWidth, float screenHeight);

// The window's lower-left corner on the screen, moved in just far enough
// to keep a kOnScreenStripPx strip of it there.
int PlacementLeft(int index, int mode);
int PlacementBottom(int index, int mode);
// A corner, across or up, moved in as far as a window of that size needs
// to keep its strip on the screen: for windows placed by another's record.
int KeptOnScreenLeft(int left, int width);
int KeptOnScreenBottom(int bottom, int height);

int PlacementWidth(int index, int mode);
int PlacementHeight(int index, int mode);

// Moves the overhead arrangement's anchor (mode 1) or the window's own
// record (modes 0 and 2); embedded windows stay where the panel has them.
// The move stops where the window would leave the screen: the record or
// anchor never goes further, so a move back takes effect at once.
void MovePlacement(int index, int mode, int dx, int dy);
// Places the window's lower-left corner at screen point (x, y).
void SetPlacementFromScreen(int index, int mode, int x, int y);

// The overhead arrangement is open: its windows close together.
bool OverheadArrangementOpen();
void SetOverheadArrangementOpen(bool open);

}  // namespace quil
