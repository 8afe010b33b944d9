// The APU and generator panel: the APU switch, the bus transfer switch
// under its guard, ground power, the generator and APU generator switches,
// engine 1's start switch, and the lights of the electrical and APU
// models.
#include "instruments/cockpit_light.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "sim/snapshot.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "windows/click_actions.h"
#include "windows/layout_tables.h"
#include "windows/overhead.h"
#include "windows/placement.h"
#include "windows/start_switch_zones.h"

namespace quil {
namespace {

enum ApuZoneId : int {
    kZoneClose = 1,
    kZoneBusTransferOff = 2,
    kZoneBusTransferAuto = 3,
    kZoneBusTransferGuard = 4,
    kZoneApuStart = 5,
    kZoneApuOff = 6,
    kZoneExternalPowerOff = 7,
    kZoneExternalPowerOn = 8,
    kZoneGroundPower = 9,
    kZoneGenerator1On = 10,
    kZoneGeneratorOff = 11,
    kZoneGenerator2On = 12,
    kZoneGenerator2Off = 13,
    kZoneApuGenerator1On = 14,
    kZoneStartLeft = 18,
    kZoneStartMiddle = 19,
    kZoneStartRight = 20,
    kZoneBody = 21,
};

constexpr int kEngine1 = 0;

int busTransfer = kBusTransferGuardClosed;

void setBusTransfer(int state) {
    busTransfer = state;
    SetBusTransferSwitch(state == kBusTransferOffState ? kBusTransferOff : kBusTransferAuto);
}

void busTransferAuto(int, int, int status, int) {
    if (isPress(status)) setBusTransfer(kBusTransferGuardOpen);
}

void busTransferSwitch(int, int, int status, int) {
    if (isPress(status)) {
        setBusTransfer(busTransfer != 0 ? kBusTransferOffState : kBusTransferGuardOpen);
    }
}

void busTransferGuard(int, int, int status, int) {
    if (isPress(status)) {
        setBusTransfer(busTransfer != 0 ? kBusTransferGuardClosed : kBusTransferGuardOpen);
    }
}

// One step of the APU switch: towards START (+1) or OFF (-1).
void apuSwitchStep(int, int, int status, int towardsStart) {
    if (!isPress(status)) return;
    const int position = ApuSwitchPosition() + (towardsStart != 0 ? 1 : -1);
    if (position >= kApuSwitchOff && position <= kApuSwitchStart) SetApuSwitch(position);
}

// Every release in the window lets the spring-loaded switches go: the
// generator and external power switches to their centre, the APU switch
// from START to ON.
void released() {
    CentreSpringLoadedSwitches();
    if (ApuSwitchPosition() == kApuSwitchStart) SetApuSwitch(kApuSwitchOn);
}

using StartZones = StartSwitchZones<kEngine1>;

constexpr const ControlLayout& kClose = kApuLayout[kApuClose];
constexpr const ControlLayout& kApuSelector = kApuLayout[kApuSwitch];
constexpr const ControlLayout& kBusTransfer = kApuLayout[kApuBusTransfer];
constexpr const LampLayout& kGroundPowerLamp = kApuLamps[kApuGroundPowerLamp];
constexpr const ControlLayout& kExternalPower = kApuLayout[kApuExternalPower];
constexpr const ControlLayout& kGenerator1Switch = kApuLayout[kApuGenerator1];
constexpr const ControlLayout& kGenerator2Switch = kApuLayout[kApuGenerator2];
constexpr const ControlLayout& kApuGenerator1Switch = kApuLayout[kApuApuGenerator1];
constexpr const ControlLayout& kApuGenerator2Switch = kApuLayout[kApuApuGenerator2];
constexpr const ControlLayout& kStartSwitch = kApuLayout[kApuStartSwitch];

// A generator switch's zones: ON below, OFF above.
template <void (*SetSwitch)(int side, int position)>
constexpr ClickZone generatorPart(const ControlLayout& control, int part, int id, int side) {
    return Zone(RowPart(control, part), id, side,
                part == 0 ? sideSwitch<SetSwitch, kSwitchOn> : sideSwitch<SetSwitch, kSwitchOff>);
}

constexpr ClickZone kApuZones[] = {
    Zone(kClose.zone, kZoneClose, 0, CloseZoneHandler<apuWindow>),
    Zone(RowPart(kApuSelector, 0), kZoneApuStart, 1, apuSwitchStep),
    Zone(RowPart(kApuSelector, 1), kZoneApuOff, 0, apuSwitchStep),
    Zone(ColumnPart(kBusTransfer, 2), kZoneBusTransferAuto, 0, busTransferAuto),
    Zone(ColumnPart(kBusTransfer, 1), kZoneBusTransferOff, 0, busTransferSwitch),
    Zone(ColumnPart(kBusTransfer, 0), kZoneBusTransferGuard, 0, busTransferGuard),
    Zone(kGroundPowerLamp.lens, kZoneGroundPower, 0, onPress<RequestGroundPowerUnit>),
    Zone(RowPart(kExternalPower, 0), kZoneExternalPowerOn, kSwitchOn,
         onPressWithArgument<SetExternalPowerSwitch>),
    Zone(RowPart(kExternalPower, 1), kZoneExternalPowerOff, kSwitchOff,
         onPressWithArgument<SetExternalPowerSwitch>),
    generatorPart<SetGeneratorSwitch>(kGenerator1Switch, 0, kZoneGenerator1On, 0),
    generatorPart<SetGeneratorSwitch>(kGenerator1Switch, 1, kZoneGeneratorOff, 0),
    generatorPart<SetGeneratorSwitch>(kGenerator2Switch, 0, kZoneGenerator2On, 1),
    generatorPart<SetGeneratorSwitch>(kGenerator2Switch, 1, kZoneGenerator2Off, 1),
    generatorPart<SetApuGeneratorSwitch>(kApuGenerator1Switch, 0, kZoneApuGenerator1On, 0),
    generatorPart<SetApuGeneratorSwitch>(kApuGenerator1Switch, 1, kZoneGeneratorOff, 0),
    generatorPart<SetApuGeneratorSwitch>(kApuGenerator2Switch, 0, kZoneGenerator2On, 1),
    generatorPart<SetApuGeneratorSwitch>(kApuGenerator2Switch, 1, kZoneGenerator2Off, 1),
    Zone(QuadrantPart(kStartSwitch, kUpperLeft), kZoneStartLeft, 0, StartZones::left),
    Zone(QuadrantPart(kStartSwitch, kUpperRight), kZoneStartMiddle, 1, StartZones::middle),
    Zone(QuadrantPart(kStartSwitch, kLowerRight), kZoneStartRight, 2, StartZones::right),
    {0, 256, 0, 256, kZoneBody, 0, BodyZoneHandler<apuWindow>},
    {},
};

// ---- Drawing ---------------------------------------------------------------

struct GeneratorPicture {
    int (*position)(int side);
    int side;
    const ControlLayout& control;
};
constexpr GeneratorPicture kGeneratorSwitches[] = {
    {generatorSwitchPosition, 0, kGenerator1Switch},
    {apuGeneratorSwitchPosition, 0, kApuGenerator1Switch},
    {apuGeneratorSwitchPosition, 1, kApuGenerator2Switch},
    {generatorSwitchPosition, 1, kGenerator2Switch},
};
constexpr int kBusTransferSprite[] = {kApuBusTransferGuardClosed, kApuBusTransferOff,
                                      kApuBusTransferGuardOpen};

void drawLamps(int left, int bottom) {
    const bool battery = batteryOn();
    const bool test = snapshot.annunciatorTest != 0;
    const float* blue = ColourOf(FixedColour::WindowBlue);
    const float* amber = ColourOf(FixedColour::WindowAmber);
    auto lamp = [&](int lens, int n, const float* colour, bool condition) {
        DrawWindowLamp(left, bottom, kApuLamps[lens], n, colour, battery && (test || condition));
    };
    lamp(kApuGroundPowerLamp, 0, blue, GroundPowerUnitPresent());
    for (int side = 0; side < 2; ++side) {
        lamp(kApuTransferBusOffLamp + side, 0, amber, transferBusOffLight(side));
        lamp(kApuSourceOffLamp, side, amber, sourceOffLight(side));
    }
    lamp(kApuLowOilLamp, 0, amber, apuLowOilPressureLight());
    lamp(kApuFaultLamp, 0, amber, apuOverspeedLight());
}

void apuContent(PopupWindow& window, int left, int bottom) {
    const float* flood = CockpitLightColour();
    auto picture = [&](int sprite, const ControlLayout& control) {
        DrawControlSprite(window, sprite, flood, left, bottom, control);
    };
    picture(kApuSelectorOff + ApuSwitchPosition(), kApuSelector);
    picture(kApuStartSwitchGround + StartSwitchShownPosition(kEngine1), kStartSwitch);
    picture(kBusTransferSprite[busTransfer], kBusTransfer);
    picture(kApuToggleUp + externalPowerSwitchPosition(), kExternalPower);
    for (const GeneratorPicture& g : kGeneratorSwitches) {
        picture(kApuToggleUp + g.position(g.side), g.control);
    }
    drawLamps(left, bottom);
}

}  // namespace

PopupWindow apuWindow =
    MakePopupWindow(kApuSheet, kWindowApu, kApuZones, apuContent, released, true);

int BusTransferState() { return busTransfer; }

}  // namespace quil
