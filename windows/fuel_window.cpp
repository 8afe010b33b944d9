// The fuel panel: the six boost pump switches, the crossfeed selector and
// their lights; below it the two auxiliary fuel strips, one with the bleed
// switches and the aux mode selector, one with the four transfer switches.
#include "host/snapshot.h"
#include "panel/click_actions.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "systems/electrical.h"
#include "systems/fuel.h"
#include "systems/motorised_valve.h"
#include "windows/overhead.h"
#include "windows/placement.h"

namespace quil {
namespace {

enum FuelZoneId : int {
    kZoneClose = 1,
    kZoneCrossfeed = 14,
    kZoneBleedStripClose = 15,
    kZoneTransferStripClose = 23,
    kZoneBody = 32,
};

// The strips hang below the panel, the transfer strip lowest.
constexpr int kStripWidth = 170;
constexpr int kBleedStripHeight = 57, kTransferStripHeight = 51;
constexpr int kBleedStripOffsetY = -kBleedStripHeight;
constexpr int kTransferStripOffsetY = kBleedStripOffsetY - kTransferStripHeight;

constexpr int kAuxModeOff = 0, kAuxModeOn = 1;

// From OFF the aux mode selector only goes to 1.
template <int mode>
void auxModeSelector(int, int, int status, int) {
    if (isPress(status)) SetAuxMode(AuxMode() == kAuxModeOff ? kAuxModeOn : mode);
}

constexpr ClickZone kFuelZones[] = {
    {1, 24, 239, 254, kZoneClose, 0, CloseZoneHandler<fuelWindow>},
    {19, 37, 24, 44, 2, 0, onOffSwitch<SetFuelPumpSwitch, true>},
    {19, 37, 45, 65, 3, 0, onOffSwitch<SetFuelPumpSwitch, false>},
    {52, 70, 24, 44, 4, 1, onOffSwitch<SetFuelPumpSwitch, true>},
    {52, 70, 45, 65, 5, 1, onOffSwitch<SetFuelPumpSwitch, false>},
    {101, 119, 24, 44, 6, 4, onOffSwitch<SetFuelPumpSwitch, true>},
    {101, 119, 45, 65, 7, 4, onOffSwitch<SetFuelPumpSwitch, false>},
    {135, 153, 24, 44, 8, 5, onOffSwitch<SetFuelPumpSwitch, true>},
    {135, 153, 45, 65, 9, 5, onOffSwitch<SetFuelPumpSwitch, false>},
    {57, 75, 78, 98, 10, 2, onOffSwitch<SetFuelPumpSwitch, true>},
    {57, 75, 98, 118, 11, 2, onOffSwitch<SetFuelPumpSwitch, false>},
    {94, 112, 78, 98, 12, 3, onOffSwitch<SetFuelPumpSwitch, true>},
    {94, 112, 98, 118, 13, 3, onOffSwitch<SetFuelPumpSwitch, false>},
    {67, 102, 138, 171, kZoneCrossfeed, 0, onPress<ToggleCrossfeedSelector>},
    {0, 170, 0, 256, kZoneBody, 0, BodyZoneHandler<fuelWindow>},
    {},
};

constexpr ClickZone kBleedStripZones[] = {
    {1, 19, 31, 56, kZoneBleedStripClose, 0,
     CloseZoneHandler<fuelAuxBleedWindow>},
    {19, 39, 31, 51, 16, kAuxBleedForward,
     onOffSwitch<SetAuxBleedSwitch, false>},
    {19, 39, 10, 30, 17, kAuxBleedForward,
     onOffSwitch<SetAuxBleedSwitch, true>},
    {57, 79, 31, 51, 18, kAuxBleedAft, onOffSwitch<SetAuxBleedSwitch, false>},
    {57, 79, 10, 30, 19, kAuxBleedAft, onOffSwitch<SetAuxBleedSwitch, true>},
    {112, 140, 31, 51, 20, 0, auxModeSelector<kAuxModeOn>},
    {112, 140, 12, 30, 21, 0, auxModeSelector<kAuxModeGroundTransfer>},
    {112, 140, 0, 11, 22, 0, auxModeSelector<kAuxModeOff>},
    {0, 170, 0, 57, kZoneBody, 0, BodyZoneHandler<fuelAuxBleedWindow>},
    {},
};

constexpr ClickZone kTransferStripZones[] = {
    {1, 18, 25, 52, kZoneTransferStripClose, 0,
     CloseZoneHandler<fuelAuxTransferWindow>},
    {19, 40, 2, 24, 24, 0, onOffSwitch<SetAuxTransferSwitch, true>},
    {19, 40, 25, 45, 25, 0, onOffSwitch<SetAuxTransferSwitch, false>},
    {57, 78, 2, 24, 26, 1, onOffSwitch<SetAuxTransferSwitch, true>},
    {57, 78, 25, 45, 27, 1, onOffSwitch<SetAuxTransferSwitch, false>},
    {93, 114, 2, 24, 28, 2, onOffSwitch<SetAuxTransferSwitch, true>},
    {93, 114, 25, 45, 29, 2, onOffSwitch<SetAuxTransferSwitch, false>},
    {130, 152, 2, 24, 30, 3, onOffSwitch<SetAuxTransferSwitch, true>},
    {130, 152, 25, 45, 31, 3, onOffSwitch<SetAuxTransferSwitch, false>},
    {0, 170, 0, 51, kZoneBody, 0, BodyZoneHandler<fuelAuxTransferWindow>},
    {},
};

// ---- Drawing ---------------------------------------------------------------

constexpr WindowPoint kPumpSwitch[kFuelPumps] = {{18, 32}, {51, 32},  {56, 86},
                                           {93, 86}, {100, 32}, {134, 32}};
constexpr WindowPoint kCrossfeedSelector = {67, 137};
constexpr PixelRect kCrossfeedLamp = {61, 191, 49, 11};
// The LOW PRESSURE lamps of the left and the right pumps, the centre
// tank's with their side.
constexpr PixelRect kLowPressureLamp[2] = {{9, 91, 41, 11}, {121, 91, 41, 11}};
constexpr int kSidePumps[2][3] = {{0, 1, 2}, {3, 4, 5}};

constexpr WindowPoint kBleedSwitch[2] = {{19, 18}, {58, 18}};
constexpr WindowPoint kAuxModeSelector = {111, 10};
constexpr WindowPoint kTransferSwitch[4] = {{20, 11}, {58, 11}, {94, 11}, {131, 11}};

int toggleSprite(bool on) { return on ? kFuelToggleDown : kFuelToggleUp; }

void drawLamps(int left, int bottom) {
    const bool battery = batteryOn();
    const bool test = snapshot.annunciatorTest != 0;
    const std::uint8_t valve = CrossfeedValveState();
    DrawWindowLamp(
        left, bottom, kCrossfeedLamp,
        ColourOf(valve == kValveInTransit ? FixedColour::WindowDarkBlue : FixedColour::WindowBlue),
        battery && (test || valve != kValveClosed));
    for (int side = 0; side < 2; ++side) {
        bool low = false;
        for (int pump : kSidePumps[side]) low = low || FuelPumpLowPressure(pump);
        DrawWindowLamp(left, bottom, kLowPressureLamp[side], ColourOf(FixedColour::WindowAmber),
                       battery && (test || low));
    }
}

void fuelContent(PopupWindow& window, int left, int bottom) {
    const float x = static_cast<float>(left), y = static_cast<float>(bottom);
    const float* flood = CockpitLightColour();
    for (int pump = 0; pump < kFuelPumps; ++pump) {
        DrawWindowSprite(window, toggleSprite(FuelPumpSwitch(pump)), flood, x + kPumpSwitch[pump].x,
                         y + kPumpSwitch[pump].y);
    }
    DrawWindowSprite(window, CrossfeedOpen() ? kFuelCrossfeedOpen : kFuelCrossfeedClosed, flood,
                     x + kCrossfeedSelector.x, y + kCrossfeedSelector.y);
    drawLamps(left, bottom);
}

void bleedStripContent(PopupWindow& window, int left, int bottom) {
    const float x = static_cast<float>(left), y = static_cast<float>(bottom);
    const float* flood = CockpitLightColour();
    for (int which : {kAuxBleedForward, kAuxBleedAft}) {
        DrawWindowSprite(window, toggleSprite(AuxBleedSwitch(which)), flood,
                         x + kBleedSwitch[which].x, y + kBleedSwitch[which].y);
    }
    DrawWindowSprite(window, kFuelAuxMode + AuxMode(), flood, x + kAuxModeSelector.x,
                     y + kAuxModeSelector.y);
}

void transferStripContent(PopupWindow& window, int left, int bottom) {
    const float x = static_cast<float>(left), y = static_cast<float>(bottom);
    const float* flood = CockpitLightColour();
    for (int which = 0; which < 4; ++which) {
        DrawWindowSprite(window, toggleSprite(AuxTransferSwitch(which)), flood,
                         x + kTransferSwitch[which].x, y + kTransferSwitch[which].y);
    }
}

}  // namespace

PopupWindow fuelWindow =
    WithCompanions(MakePopupWindow(kFuelSheet, kWindowFuel, kFuelZones, fuelContent, nullptr, true),
                   &fuelAuxBleedWindow, &fuelAuxTransferWindow);
PopupWindow fuelAuxBleedWindow =
    MakeCompanionWindow(fuelWindow, kFuelAuxBleedStrip, 0, kBleedStripOffsetY, kStripWidth,
                        kBleedStripHeight, kBleedStripZones, bleedStripContent, nullptr);
PopupWindow fuelAuxTransferWindow =
    MakeCompanionWindow(fuelWindow, kFuelAuxTransferStrip, 0, kTransferStripOffsetY, kStripWidth,
                        kTransferStripHeight, kTransferStripZones, transferStripContent, nullptr);

}  // namespace quil
