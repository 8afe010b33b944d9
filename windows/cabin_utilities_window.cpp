// The cabin utilities strip: engine 2's start switch, the emergency exit
// lights selector under its guard, the two wiper selectors and the cabin
// and in-flight entertainment supply switches.
#include "host/snapshot.h"
#include "panel/click_actions.h"
#include "render/draw_state.h"
#include "systems/electrical.h"
#include "systems/wipers.h"
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
constexpr int kCabinSupply = 0, kEntertainmentSupply = 1;

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

constexpr ClickZone kCabinZones[] = {
    {1, 24, 640, 656, kZoneClose, 0, CloseZoneHandler<cabinUtilitiesWindow>},
    {22, 43, 32, 59, kZoneStartLeft, 0, StartZones::left},
    {44, 65, 32, 59, kZoneStartMiddle, 1, StartZones::middle},
    {44, 65, 5, 31, kZoneStartRight, 2, StartZones::right},
    {25, 60, 229, 247, kZoneExitLightsDown, 0, exitLightsDown},
    {25, 60, 248, 266, kZoneExitLightsUp, 0, exitLightsUp},
    {25, 60, 267, 294, kZoneExitLightsGuard, 0, exitLightsGuard},
    {12, 30, 176, 195, kZoneWiper, kLeftWiper,
     onPressWithArgument<WiperSelectorUp>},
    {12, 30, 196, 215, kZoneWiper, kLeftWiper,
     onPressWithArgument<WiperSelectorDown>},
    {54, 72, 176, 195, kZoneWiper, kRightWiper,
     onPressWithArgument<WiperSelectorUp>},
    {54, 72, 196, 215, kZoneWiper, kRightWiper,
     onPressWithArgument<WiperSelectorDown>},
    {9, 27, 328, 348, kZoneCabinOn, kCabinSupply,
     onOffSwitch<SetCabinUtilitySwitch, true>},
    {9, 27, 349, 368, kZoneCabinOff, kCabinSupply,
     onOffSwitch<SetCabinUtilitySwitch, false>},
    {54, 72, 328, 348, kZoneEntertainmentOn, kEntertainmentSupply,
     onOffSwitch<SetCabinUtilitySwitch, true>},
    {54, 72, 349, 368, kZoneEntertainmentOff, kEntertainmentSupply,
     onOffSwitch<SetCabinUtilitySwitch, false>},
    {0, 82, 0, 657, kZoneBody, 0, BodyZoneHandler<cabinUtilitiesWindow>},
    {},
};

// ---- Drawing ---------------------------------------------------------------

constexpr WindowPoint kStartSwitch = {26, 14};
constexpr WindowPoint kExitLights = {26, 246};
constexpr WindowPoint kWiperSelector[2] = {{11, 176}, {53, 176}};
constexpr WindowPoint kUtilitySwitch[kCabinUtilitySwitches] = {{8, 335}, {53, 335}};
constexpr int kExitLightsSprite[] = {kCabinSelectorGuardClosed, kCabinSelectorLeft,
                                     kCabinSelectorCentre, kCabinSelectorRight};

void cabinContent(PopupWindow& window, int left, int bottom) {
    const float x = static_cast<float>(left), y = static_cast<float>(bottom);
    const float* flood = CockpitLightColour();
    auto picture = [&](int sprite, const WindowPoint& at) {
        DrawWindowSprite(window, sprite, flood, x + at.x, y + at.y);
    };
    picture(kCabinStartSwitchGround + StartSwitchShownPosition(kEngine2), kStartSwitch);
    picture(kExitLightsSprite[cabin.exitLights], kExitLights);
    for (int wiper = 0; wiper < kWipers; ++wiper) {
        picture(kCabinWiperSelector + WiperSelector(wiper), kWiperSelector[wiper]);
    }
    for (int supply = 0; supply < kCabinUtilitySwitches; ++supply) {
        const bool on = CabinUtilitySwitchOn(supply);
        picture(on ? kCabinToggleDown : kCabinToggleUp, kUtilitySwitch[supply]);
    }
}

}  // namespace

PopupWindow cabinUtilitiesWindow = MakePopupWindow(kCabinUtilitiesSheet, kWindowCabinUtilities,
                                                   kCabinZones, cabinContent, nullptr, true);

}  // namespace quil
