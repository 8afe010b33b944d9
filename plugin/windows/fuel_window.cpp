// The fuel panel: the six boost pump switches, the crossfeed selector and
// their lights; below it the two auxiliary fuel strips, one with the bleed
// switches and the aux mode selector, one with the four transfer switches.
#include "instruments/cockpit_light.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "sim/snapshot.h"
#include "systems/electrical.h"
#include "systems/fuel.h"
#include "systems/motorised_valve.h"
#include "windows/click_actions.h"
#include "windows/layout_tables.h"
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

constexpr const ControlLayout* kPumpSwitch = &kFuelLayout[kFuelPump];
constexpr const ControlLayout& kCrossfeedSelector = kFuelLayout[kFuelCrossfeed];
constexpr const ControlLayout* kBleedSwitch = &kFuelBleedStripLayout[kBleedStripSwitch];
constexpr const ControlLayout& kAuxModeSelector = kFuelBleedStripLayout[kBleedStripAuxMode];
constexpr const ControlLayout* kTransferSwitch = &kFuelTransferStripLayout[kTransferStripSwitch];

constexpr ClickZone pumpZone(int pump, int part, int id) {
    return OnOffSwitchZone<SetFuelPumpSwitch>(kPumpSwitch[pump], part, id, pump);
}

constexpr ClickZone kFuelZones[] = {
    Zone(kFuelLayout[kFuelClose].zone, kZoneClose, 0, CloseZoneHandler<fuelWindow>),
    pumpZone(0, 0, 2),  pumpZone(0, 1, 3),  pumpZone(1, 0, 4),  pumpZone(1, 1, 5),
    pumpZone(4, 0, 6),  pumpZone(4, 1, 7),  pumpZone(5, 0, 8),  pumpZone(5, 1, 9),
    pumpZone(2, 0, 10), pumpZone(2, 1, 11), pumpZone(3, 0, 12), pumpZone(3, 1, 13),
    Zone(kCrossfeedSelector.zone, kZoneCrossfeed, 0, onPress<ToggleCrossfeedSelector>),
    {0, 170, 0, 256, kZoneBody, 0, BodyZoneHandler<fuelWindow>},
    {},
};

constexpr ClickZone bleedZone(int which, int part, int id) {
    return OnOffSwitchZone<SetAuxBleedSwitch>(kBleedSwitch[which], part, id, which);
}

constexpr ClickZone kBleedStripZones[] = {
    Zone(kFuelBleedStripLayout[kBleedStripClose].zone, kZoneBleedStripClose, 0,
         CloseZoneHandler<fuelAuxBleedWindow>),
    bleedZone(kAuxBleedForward, 1, 16), bleedZone(kAuxBleedForward, 0, 17),
    bleedZone(kAuxBleedAft, 1, 18),     bleedZone(kAuxBleedAft, 0, 19),
    Zone(RowPart(kAuxModeSelector, 2), 20, 0, auxModeSelector<kAuxModeOn>),
    Zone(RowPart(kAuxModeSelector, 1), 21, 0, auxModeSelector<kAuxModeGroundTransfer>),
    Zone(RowPart(kAuxModeSelector, 0), 22, 0, auxModeSelector<kAuxModeOff>),
    {0, 170, 0, 57, kZoneBody, 0, BodyZoneHandler<fuelAuxBleedWindow>},
    {},
};

constexpr ClickZone transferZone(int which, int part, int id) {
    return OnOffSwitchZone<SetAuxTransferSwitch>(kTransferSwitch[which], part, id, which);
}

constexpr ClickZone kTransferStripZones[] = {
    Zone(kFuelTransferStripLayout[kTransferStripClose].zone, kZoneTransferStripClose, 0,
         CloseZoneHandler<fuelAuxTransferWindow>),
    transferZone(0, 0, 24), transferZone(0, 1, 25), transferZone(1, 0, 26),
    transferZone(1, 1, 27), transferZone(2, 0, 28), transferZone(2, 1, 29),
    transferZone(3, 0, 30), transferZone(3, 1, 31),
    {0, 170, 0, 51, kZoneBody, 0, BodyZoneHandler<fuelAuxTransferWindow>},
    {},
};

// ---- Drawing ---------------------------------------------------------------

// The LOW PRESSURE lamps of the left and the right pumps, the centre
// tank's with their side.
constexpr int kSidePumps[2][3] = {{0, 1, 2}, {3, 4, 5}};

int toggleSprite(bool on) { return on ? kFuelToggleDown : kFuelToggleUp; }

void drawLamps(int left, int bottom) {
    const bool battery = batteryOn();
    const bool test = snapshot.annunciatorTest != 0;
    const std::uint8_t valve = CrossfeedValveState();
    DrawWindowLamp(
        left, bottom, kFuelLamps[kFuelCrossfeedLamp], 0,
        ColourOf(valve == kValveInTransit ? FixedColour::WindowDarkBlue : FixedColour::WindowBlue),
        battery && (test || valve != kValveClosed));
    for (int side = 0; side < 2; ++side) {
        bool low = false;
        for (int pump : kSidePumps[side]) low = low || FuelPumpLowPressure(pump);
        DrawWindowLamp(left, bottom, kFuelLamps[kFuelLowPressureLamp + side], 0,
                       ColourOf(FixedColour::WindowAmber), battery && (test || low));
    }
}

void fuelContent(PopupWindow& window, int left, int bottom) {
    const float* flood = CockpitLightColour();
    for (int pump = 0; pump < kFuelPumps; ++pump) {
        DrawControlSprite(window, toggleSprite(FuelPumpSwitch(pump)), flood, left, bottom,
                          kPumpSwitch[pump]);
    }
    DrawControlSprite(window, CrossfeedOpen() ? kFuelCrossfeedOpen : kFuelCrossfeedClosed, flood,
                      left, bottom, kCrossfeedSelector);
    drawLamps(left, bottom);
}

void bleedStripContent(PopupWindow& window, int left, int bottom) {
    const float* flood = CockpitLightColour();
    for (int which : {kAuxBleedForward, kAuxBleedAft}) {
        DrawControlSprite(window, toggleSprite(AuxBleedSwitch(which)), flood, left, bottom,
                          kBleedSwitch[which]);
    }
    DrawControlSprite(window, kFuelAuxMode + AuxMode(), flood, left, bottom, kAuxModeSelector);
}

void transferStripContent(PopupWindow& window, int left, int bottom) {
    const float* flood = CockpitLightColour();
    for (int which = 0; which < kAuxTransferSwitches; ++which) {
        DrawControlSprite(window, toggleSprite(AuxTransferSwitch(which)), flood, left, bottom,
                          kTransferSwitch[which]);
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
