// The cabin utilities strip: engine 2's start switch, the emergency exit
// lights selector under its guard, the two wiper selectors and the cabin
// and in-flight entertainment supply switches.
#include "instruments/cockpit_light.h"
#include "render/draw_state.h"
#include "sim/snapshot.h"
#include "systems/electrical.h"
#include "systems/wipers.h"
#include "windows/click_actions.h"
#include "windows/layout_tables.h"
#include "windows/overhead.h"
#include "windows/placement.h"
#include "windows/start_switch_zones.h"

namespace quil {
namespace {

enum CabinZoneId : int {
    kZoneClose = 1,
    kZoneStartLeft = 2,
    kZoneStartMiddle = 3,
    kZoneStartRight = 4,
    kZoneExitLightsDown = 5,
    kZoneExitLightsUp = 6,
    kZoneExitLightsGuard = 7,
    kZoneWiper = 8,
    kZoneCabinOn = 12,
    kZoneCabinOff = 13,
    kZoneEntertainmentOn = 14,
    kZoneEntertainmentOff = 15,
    kZoneBody = 16,
};

constexpr int kEngine2 = 1;
constexpr int kLeftWiper = 0, kRightWiper = 1;

// The exit lights selector works nothing in the models: the window keeps it.
struct CabinSwitches {
    int exitLights = kExitLightsGuardClosed;
};

CabinSwitches cabin;

void exitLightsDown(int, int, int status, int) {
    if (!isPress(status)) return;
    constexpr int kNext[] = {kExitLightsArmed, kExitLightsArmed, kExitLightsOn, kExitLightsOn};
    cabin.exitLights = kNext[cabin.exitLights];
}

void exitLightsUp(int, int, int status, int) {
    if (!isPress(status)) return;
    constexpr int kNext[] = {kExitLightsArmed, kExitLightsOff, kExitLightsOff, kExitLightsArmed};
    cabin.exitLights = kNext[cabin.exitLights];
}

void exitLightsGuard(int, int, int status, int) {
    if (isPress(status)) {
        cabin.exitLights =
            cabin.exitLights == kExitLightsGuardClosed ? kExitLightsArmed : kExitLightsGuardClosed;
    }
}

using StartZones = StartSwitchZones<kEngine2>;

constexpr const ControlLayout& kClose = kCabinLayout[kCabinClose];
constexpr const ControlLayout& kStartSwitch = kCabinLayout[kCabinStartSwitch];
constexpr const ControlLayout& kExitLights = kCabinLayout[kCabinExitLights];
constexpr const ControlLayout* kWiper = &kCabinLayout[kCabinWiper];
constexpr const ControlLayout* kSupplySwitch = &kCabinLayout[kCabinSupplySwitch];

constexpr ClickZone kCabinZones[] = {
    Zone(kClose.zone, kZoneClose, 0, CloseZoneHandler<cabinUtilitiesWindow>),
    Zone(QuadrantPart(kStartSwitch, kUpperLeft), kZoneStartLeft, 0, StartZones::left),
    Zone(QuadrantPart(kStartSwitch, kUpperRight), kZoneStartMiddle, 1, StartZones::middle),
    Zone(QuadrantPart(kStartSwitch, kLowerRight), kZoneStartRight, 2, StartZones::right),
    Zone(RowPart(kExitLights, 0), kZoneExitLightsDown, 0, exitLightsDown),
    Zone(RowPart(kExitLights, 1), kZoneExitLightsUp, 0, exitLightsUp),
    Zone(RowPart(kExitLights, 2), kZoneExitLightsGuard, 0, exitLightsGuard),
    Zone(RowPart(kWiper[kLeftWiper], 0), kZoneWiper, kLeftWiper,
         onPressWithArgument<WiperSelectorUp>),
    Zone(RowPart(kWiper[kLeftWiper], 1), kZoneWiper, kLeftWiper,
         onPressWithArgument<WiperSelectorDown>),
    Zone(RowPart(kWiper[kRightWiper], 0), kZoneWiper, kRightWiper,
         onPressWithArgument<WiperSelectorUp>),
    Zone(RowPart(kWiper[kRightWiper], 1), kZoneWiper, kRightWiper,
         onPressWithArgument<WiperSelectorDown>),
    OnOffSwitchZone<SetCabinUtilitySwitch>(kSupplySwitch[kCabinSupply], 0, kZoneCabinOn,
                                           kCabinSupply),
    OnOffSwitchZone<SetCabinUtilitySwitch>(kSupplySwitch[kCabinSupply], 1, kZoneCabinOff,
                                           kCabinSupply),
    OnOffSwitchZone<SetCabinUtilitySwitch>(kSupplySwitch[kEntertainmentSupply], 0,
                                           kZoneEntertainmentOn, kEntertainmentSupply),
    OnOffSwitchZone<SetCabinUtilitySwitch>(kSupplySwitch[kEntertainmentSupply], 1,
                                           kZoneEntertainmentOff, kEntertainmentSupply),
    {0, 82, 0, 657, kZoneBody, 0, BodyZoneHandler<cabinUtilitiesWindow>},
    {},
};

// ---- Drawing ---------------------------------------------------------------

constexpr int kExitLightsSprite[] = {kCabinSelectorGuardClosed, kCabinSelectorLeft,
                                     kCabinSelectorCentre, kCabinSelectorRight};

void cabinContent(PopupWindow& window, int left, int bottom) {
    const float* flood = CockpitLightColour();
    auto picture = [&](int sprite, const ControlLayout& control) {
        DrawControlSprite(window, sprite, flood, left, bottom, control);
    };
    picture(kCabinStartSwitchGround + StartSwitchShownPosition(kEngine2), kStartSwitch);
    picture(kExitLightsSprite[cabin.exitLights], kExitLights);
    for (int wiper = 0; wiper < kWipers; ++wiper) {
        picture(kCabinWiperSelector + WiperSelector(wiper), kWiper[wiper]);
    }
    for (int supply = 0; supply < kCabinUtilitySwitches; ++supply) {
        const bool on = CabinUtilitySwitchOn(supply);
        picture(on ? kCabinToggleDown : kCabinToggleUp, kSupplySwitch[supply]);
    }
}

}  // namespace

PopupWindow cabinUtilitiesWindow = MakePopupWindow(kCabinUtilitiesSheet, kWindowCabinUtilities,
                                                   kCabinZones, cabinContent, nullptr, true);

}  // namespace quil
