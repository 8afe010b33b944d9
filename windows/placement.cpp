#include "windows/placement.h"

#include "host/sim_values.h"

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

}  // namespace

void InitPlacements(float screenHeight) {
    if (table.initialised) return;
    copyPlaces(kWindowFuel, kFuelPlaces);
    copyPlaces(kWindowAuxFuel, kAuxFuelPlaces);
    copyPlaces(kWindowClock, kClockPlaces);
    copyPlaces(kWindowApu, kApuPlaces);
    copyPlaces(kWindowMeter, kMeterPlaces);
    copyPlaces(kWindowCabinUtilities, kCabinUtilitiesPlaces);
    copyPlaces(kWindowAntiIce, kAntiIcePlaces);
    copyPlaces(kWindowFuelStation, kFuelStationPlaces);
    const int anchorY = TruncToInt(screenHeight - kAnchorTopMargin - kTallestWindow);
    table.panelAnchor = {kAnchorX, anchorY};
    table.screenAnchor = {kAnchorX, anchorY};
    table.scale = kWindowScale;
    table.overheadOpen = false;
    table.initialised = true;
}

int PlacementLeft(int index, int mode) {
    if (!valid(index, mode)) return 0;
    return TruncToInt(static_cast<float>(table.places[index][mode].x) * table.scale +
                      static_cast<float>(anchorOf(mode).x));
}

int PlacementBottom(int index, int mode) {
    if (!valid(index, mode)) return 0;
    return TruncToInt(static_cast<float>(table.places[index][mode].y) * table.scale +
                      static_cast<float>(anchorOf(mode).y));
}

int PlacementWidth(int index, int mode) {
    return valid(index, mode) ? scaled(table.places[index][mode].width) : 0;
}

int PlacementHeight(int index, int mode) {
    return valid(index, mode) ? scaled(table.places[index][mode].height) : 0;
}

void MovePlacement(int index, int mode, int dx, int dy) {
    if (!valid(index, mode)) return;
    if (mode == kPlacementOverhead) {
        table.panelAnchor.x += dx;
        table.panelAnchor.y += dy;
    } else if (mode == kPlacementAlone || mode == kPlacementFloating) {
        table.places[index][mode].x += dx;
        table.places[index][mode].y += dy;
    }
}

void SetPlacementFromScreen(int index, int mode, int x, int y) {
    if (!valid(index, mode)) return;
    MovePlacement(index, mode, x - PlacementLeft(index, mode), y - PlacementBottom(index, mode));
}

bool OverheadArrangementOpen() { return table.overheadOpen; }
void SetOverheadArrangementOpen(bool open) { table.overheadOpen = open; }

}  // namespace quil
