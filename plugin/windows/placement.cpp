#include "windows/placement.h"

#include <algorithm>
#include <cmath>

#include "sim/sim_values.h"

namespace quil {
namespace {

struct PlaceRecord {
    int32_t x, y, width, height;  // x, y from the mode's anchor
};

struct Anchor {
    int32_t x, y;
};

// The records by window index and mode, as the aircraft's designers laid
// them out. The anti-ice panel sits at the screen anchor's (254, 401) by
// itself and at the panel anchor's in the overhead: above the meters.
constexpr PlaceRecord kFuelPlaces[kPlacementModeCount] = {
    {-170, 0, 170, 256}, {-170, 0, 170, 256}, {140, 96, 170, 256}, {140, 96, 170, 256}};
constexpr PlaceRecord kAuxFuelPlaces[kPlacementModeCount] = {
    {-350, -50, 167, 145}, {-350, -50, 167, 145}, {140, 96, 167, 145}, {140, 96, 167, 145}};
constexpr PlaceRecord kClockPlaces[kPlacementModeCount] = {
    {-350, -50, 167, 145}, {-350, -50, 167, 145}, {140, 96, 167, 145}, {140, 96, 167, 145}};
constexpr PlaceRecord kApuPlaces[kPlacementModeCount] = {
    {0, 0, 170, 256}, {0, 0, 170, 256}, {0, 0, 170, 256}, {0, 0, 170, 256}};
constexpr PlaceRecord kMeterPlaces[kPlacementModeCount] = {
    {0, 256, 170, 348}, {0, 256, 170, 348}, {0, 256, 170, 348}, {0, 256, 170, 348}};
constexpr PlaceRecord kCabinUtilitiesPlaces[kPlacementModeCount] = {
    {256, 0, 82, 657}, {170, 0, 82, 657}, {170, 0, 82, 657}, {170, 0, 82, 657}};
constexpr PlaceRecord kAntiIcePlaces[kPlacementModeCount] = {
    {254, 401, 170, 256}, {254, 401, 170, 256}, {254, 401, 170, 256}, {254, 401, 170, 256}};
constexpr PlaceRecord kFuelStationPlaces[kPlacementModeCount] = {
    {-120, 0, 256, 147}, {-120, 0, 256, 147}, {140, 96, 256, 147}, {140, 96, 256, 147}};

constexpr int kAnchorX = 310;
constexpr float kAnchorTopMargin = 96.0f;  // below the screen's top edge
constexpr float kTallestWindow = 657.0f;   // the cabin utilities strip
constexpr float kWindowScale = 1.0f;

struct PlacementTable {
    PlaceRecord places[kWindowIndexCount][kPlacementModeCount];
    Anchor panelAnchor, screenAnchor;
    float scale;
    bool overheadOpen;
    bool initialised;
    int screenWidth, screenHeight;
};

PlacementTable table{};

void copyPlaces(int index, const PlaceRecord (&places)[kPlacementModeCount]) {
    for (int mode = 0; mode < kPlacementModeCount; ++mode) table.places[index][mode] = places[mode];
}

bool valid(int index, int mode) {
    return index > 0 && index < kWindowIndexCount && mode >= 0 && mode < kPlacementModeCount;
}

const Anchor& anchorOf(int mode) {
    return mode == kPlacementOverhead ? table.panelAnchor : table.screenAnchor;
}

int scaled(int value) { return TruncToInt(static_cast<float>(value) * table.scale); }

// A screen of at least a strip each way, so that the strip always fits.
int screenSize(float pixels) {
    return TruncToInt(ClampFinite(pixels, static_cast<float>(kOnScreenStripPx), kLargestScreenPx));
}

// A corner on one axis, moved in so that a strip of the window's `size`
// stays within 0 .. screen. Anchors and records are held so that nothing
// here comes near the int range.
double keptOnScreen(double corner, int size, int screen) {
    return std::max<double>(kOnScreenStripPx - size,
                            std::min<double>(corner, screen - kOnScreenStripPx));
}

// The corner the record and anchor give, before it is kept on the screen.
double cornerX(const PlaceRecord& record, const Anchor& anchor) {
    return std::trunc(static_cast<double>(record.x) * table.scale + anchor.x);
}
double cornerY(const PlaceRecord& record, const Anchor& anchor) {
    return std::trunc(static_cast<double>(record.y) * table.scale + anchor.y);
}

// Moves one axis by `delta` from where the window is shown, no further
// than the screen keeps it: `moved` is the anchor's or the record's value
// on that axis, `perUnit` the corner's change for one unit of it.
void moveAxis(int32_t& moved, double corner, double delta, int size, int screen, double perUnit) {
    const double shown = keptOnScreen(corner, size, screen);
    const double kept = keptOnScreen(shown + delta, size, screen);
    moved = static_cast<int32_t>(std::lround(moved + (kept - corner) / perUnit));
}

void move(int index, int mode, double dx, double dy) {
    if (!valid(index, mode)) return;
    PlaceRecord& record = table.places[index][mode];
    const Anchor& anchor = anchorOf(mode);
    const int width = PlacementWidth(index, mode);
    const int height = PlacementHeight(index, mode);
    const double x = cornerX(record, anchor);
    const double y = cornerY(record, anchor);
    if (mode == kPlacementOverhead) {
        moveAxis(table.panelAnchor.x, x, dx, width, table.screenWidth, 1.0);
        moveAxis(table.panelAnchor.y, y, dy, height, table.screenHeight, 1.0);
    } else if (mode == kPlacementAlone || mode == kPlacementFloating) {
        moveAxis(record.x, x, dx, width, table.screenWidth, table.scale);
        moveAxis(record.y, y, dy, height, table.screenHeight, table.scale);
    }
}

}  // namespace

void InitPlacements(float screenWidth, float screenHeight) {
    table.screenWidth = screenSize(screenWidth);
    table.screenHeight = screenSize(screenHeight);
    if (table.initialised) return;
    copyPlaces(kWindowFuel, kFuelPlaces);
    copyPlaces(kWindowAuxFuel, kAuxFuelPlaces);
    copyPlaces(kWindowClock, kClockPlaces);
    copyPlaces(kWindowApu, kApuPlaces);
    copyPlaces(kWindowMeter, kMeterPlaces);
    copyPlaces(kWindowCabinUtilities, kCabinUtilitiesPlaces);
    copyPlaces(kWindowAntiIce, kAntiIcePlaces);
    copyPlaces(kWindowFuelStation, kFuelStationPlaces);
    const int anchorY = TruncToInt(screenSize(screenHeight) - kAnchorTopMargin - kTallestWindow);
    table.panelAnchor = {kAnchorX, anchorY};
    table.screenAnchor = {kAnchorX, anchorY};
    table.scale = kWindowScale;
    table.overheadOpen = false;
    table.initialised = true;
}

int PlacementLeft(int index, int mode) {
    if (!valid(index, mode)) return 0;
    const double x = cornerX(table.places[index][mode], anchorOf(mode));
    return static_cast<int>(keptOnScreen(x, PlacementWidth(index, mode), table.screenWidth));
}

int PlacementBottom(int index, int mode) {
    if (!valid(index, mode)) return 0;
    const double y = cornerY(table.places[index][mode], anchorOf(mode));
    return static_cast<int>(keptOnScreen(y, PlacementHeight(index, mode), table.screenHeight));
}

int KeptOnScreenLeft(int left, int width) {
    return static_cast<int>(keptOnScreen(left, width, table.screenWidth));
}

int KeptOnScreenBottom(int bottom, int height) {
    return static_cast<int>(keptOnScreen(bottom, height, table.screenHeight));
}

int PlacementWidth(int index, int mode) {
    return valid(index, mode) ? scaled(table.places[index][mode].width) : 0;
}

int PlacementHeight(int index, int mode) {
    return valid(index, mode) ? scaled(table.places[index][mode].height) : 0;
}

void MovePlacement(int index, int mode, int dx, int dy) { move(index, mode, dx, dy); }

void SetPlacementFromScreen(int index, int mode, int x, int y) {
    if (!valid(index, mode)) return;
    move(index, mode, static_cast<double>(x) - PlacementLeft(index, mode),
         static_cast<double>(y) - PlacementBottom(index, mode));
}

bool OverheadArrangementOpen() { return table.overheadOpen; }
void SetOverheadArrangementOpen(bool open) { table.overheadOpen = open; }

}  // namespace quil
