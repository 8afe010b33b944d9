// The APU and generator panel: the APU switch, the bus transfer switch
// under its guard, ground power, the generator and APU generator switches,
// engine 1's start switch, and the lights of the electrical and APU
// models.
#include "host/snapshot.h"
#include "panel/click_actions.h"
#include "panel/click_spots.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "systems/apu.h"
#include "systems/electrical.h"
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

constexpr ClickZone kApuZones[] = {
    {1, 24, 239, 254, kZoneClose, 0, CloseZoneHandler<apuWindow>},
    {81, 115, 12, 33, kZoneApuStart, 1, apuSwitchStep},
    {81, 115, 34, 56, kZoneApuOff, 0, apuSwitchStep},
    {100, 113, 156, 178, kZoneBusTransferAuto, 0, busTransferAuto},
    {85, 99, 156, 178, kZoneBusTransferOff, 0, busTransferSwitch},
    {57, 84, 156, 178, kZoneBusTransferGuard, 0, busTransferGuard},
    {69, 100, 236, 250, kZoneGroundPower, 0, onPress<RequestGroundPowerUnit>},
    {70, 100, 190, 207, kZoneExternalPowerOn, kSwitchOn,
     onPressWithArgument<SetExternalPowerSwitch>},
    {70, 100, 208, 224, kZoneExternalPowerOff, kSwitchOff,
     onPressWithArgument<SetExternalPowerSwitch>},
    {14, 44, 101, 116, kZoneGenerator1On, 0,
     sideSwitch<SetGeneratorSwitch, kSwitchOn>},
    {14, 44, 117, 132, kZoneGeneratorOff, 0,
     sideSwitch<SetGeneratorSwitch, kSwitchOff>},
    {126, 156, 101, 116, kZoneGenerator2On, 1,
     sideSwitch<SetGeneratorSwitch, kSwitchOn>},
    {126, 156, 117, 132, kZoneGenerator2Off, 1,
     sideSwitch<SetGeneratorSwitch, kSwitchOff>},
    {46, 76, 101, 116, kZoneApuGenerator1On, 0,
     sideSwitch<SetApuGeneratorSwitch, kSwitchOn>},
    {46, 76, 117, 132, kZoneGeneratorOff, 0,
     sideSwitch<SetApuGeneratorSwitch, kSwitchOff>},
    {94, 124, 101, 116, kZoneGenerator2On, 1,
     sideSwitch<SetApuGeneratorSwitch, kSwitchOn>},
    {94, 124, 117, 132, kZoneGenerator2Off, 1,
     sideSwitch<SetApuGeneratorSwitch, kSwitchOff>},
    {113, 134, 32, 59, kZoneStartLeft, 0, StartZones::left},
    {135, 156, 32, 59, kZoneStartMiddle, 1, StartZones::middle},
    {135, 156, 5, 31, kZoneStartRight, 2, StartZones::right},
    {0, 256, 0, 256, kZoneBody, 0, BodyZoneHandler<apuWindow>},
    {},
};

// ---- Drawing ---------------------------------------------------------------

constexpr WindowPoint kApuSelector = {80, 16};
constexpr WindowPoint kStartSwitch = {117, 14};
constexpr WindowPoint kBusTransferSwitch = {69, 149};
constexpr WindowPoint kExternalPowerSwitch = {75, 194};
struct GeneratorPicture {
    int (*position)(int side);
    int side;
    WindowPoint at;
};
constexpr GeneratorPicture kGeneratorSwitches[] = {
    {generatorSwitchPosition, 0, {19, 104}},
    {apuGeneratorSwitchPosition, 0, {51, 104}},
    {apuGeneratorSwitchPosition, 1, {99, 104}},
    {generatorSwitchPosition, 1, {131, 104}},
};
constexpr int kBusTransferSprite[] = {kApuBusTransferGuardClosed, kApuBusTransferOff,
                                      kApuBusTransferGuardOpen};

constexpr PixelRect kGroundPowerLamp = {70, 237, 30, 13};
constexpr PixelRect kTransferBusOffLamp[2] = {{7, 141, 43, 11}, {121, 141, 43, 11}};
constexpr PixelRect kSourceOffLamp[2] = {{64, 141, 21, 11}, {86, 141, 21, 11}};
constexpr PixelRect kLowOilLamp = {7, 71, 33, 11};
constexpr PixelRect kFaultLamp = {43, 71, 33, 11};

void drawLamps(int left, int bottom) {
    const bool battery = batteryOn();
    const bool test = snapshot.annunciatorTest != 0;
    const float* blue = ColourOf(FixedColour::WindowBlue);
    const float* amber = ColourOf(FixedColour::WindowAmber);
    auto lamp = [&](const PixelRect& rect, const float* colour, bool condition) {
        DrawWindowLamp(left, bottom, rect, colour, battery && (test || condition));
    };
    lamp(kGroundPowerLamp, blue, GroundPowerUnitPresent());
    for (int side = 0; side < 2; ++side) {
        lamp(kTransferBusOffLamp[side], amber, transferBusOffLight(side));
        lamp(kSourceOffLamp[side], amber, sourceOffLight(side));
    }
    lamp(kLowOilLamp, amber, apuLowOilPressureLight());
    lamp(kFaultLamp, amber, apuOverspeedLight());
}

void apuContent(PopupWindow& window, int left, int bottom) {
    const float x = static_cast<float>(left), y = static_cast<float>(bottom);
    const float* flood = CockpitLightColour();
    auto picture = [&](int sprite, const WindowPoint& at) {
        DrawWindowSprite(window, sprite, flood, x + at.x, y + at.y);
    };
    picture(kApuSelectorOff + ApuSwitchPosition(), kApuSelector);
    picture(kApuStartSwitchGround + StartSwitchShownPosition(kEngine1), kStartSwitch);
    picture(kBusTransferSprite[busTransfer], kBusTransferSwitch);
    picture(kApuToggleUp + externalPowerSwitchPosition(), kExternalPowerSwitch);
    for (const GeneratorPicture& g : kGeneratorSwitches) {
        picture(kApuToggleUp + g.position(g.side), g.at);
    }
    drawLamps(left, bottom);
}

}  // namespace

PopupWindow apuWindow =
    MakePopupWindow(kApuSheet, kWindowApu, kApuZones, apuContent, released, true);

int BusTransferState() { return busTransfer; }

}  // namespace quil
