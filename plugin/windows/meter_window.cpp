// The AC/DC meter panel: the battery and standby power switches under their
// guards, the generator drive disconnects, the two meter selectors with the
// voltmeters, ammeters and frequency meter they feed, and the panel's
// lights.
#include <GL/gl.h>

#include "autoflight/phases.h"
#include "instruments/cockpit_light.h"
#include "instruments/readouts.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "sim/snapshot.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "windows/click_actions.h"
#include "windows/layout_tables.h"
#include "windows/overhead.h"
#include "windows/placement.h"

namespace quil {
namespace {

enum MeterZoneId : int {
    kZoneClose = 1,
    kZoneBatteryGuard = 2,
    kZoneBatterySwitch = 3,
    kZoneBatteryOn = 4,
    kZoneStandbyGuard = 8,
    kZoneStandbyTowardsBat = 9,
    kZoneStandbyTowardsAuto = 10,
    kZoneDriveLower = 11,
    kZoneDriveSwitch = 12,
    kZoneDriveGuard = 13,
    kZoneDcSelector = 15,
    kZoneAcSelector = 17,
    kZoneTwoPositionOn = 18,
    kZoneTwoPositionOff = 19,
    kZoneBody = 20,
};

struct MeterSwitches {
    int battery = kBatteryGuardClosed;
    int standby = kStandbyGuardClosed;
    int drive[2] = {kDriveGuardClosed, kDriveGuardClosed};
    int dcSelector = 0;
    int acSelector = 0;
    int twoPosition = 0;
};

MeterSwitches meter;

// ---- Battery ---------------------------------------------------------------

void setBattery(int state) {
    meter.battery = state;
    SetBatterySwitch(state != kBatteryOffState);
}

void batteryGuard(int, int, int status, int) {
    if (isPress(status)) setBattery(meter.battery != 0 ? kBatteryGuardClosed : kBatteryGuardOpen);
}

void batterySwitch(int, int, int status, int) {
    if (isPress(status)) setBattery(meter.battery != 0 ? kBatteryOffState : kBatteryGuardOpen);
}

void batterySwitchOn(int, int, int status, int) {
    if (isPress(status)) setBattery(kBatteryGuardOpen);
}

// ---- Standby power ---------------------------------------------------------

// The electrical input is AUTO under the guard, else the state less one.
void setStandby(int state) {
    meter.standby = state;
    SetStandbyPowerSwitch(state == kStandbyGuardClosed ? kStandbyAuto : state - 1);
}

void standbyGuard(int, int, int status, int) {
    if (isPress(status)) {
        setStandby(meter.standby != 0 ? kStandbyGuardClosed : kStandbyGuardOpen);
    }
}

void standbyTowardsBat(int, int, int status, int) {
    if (!isPress(status)) return;
    constexpr int kNext[] = {kStandbyGuardOpen, kStandbyOffState, kStandbyBatState,
                             kStandbyBatState};
    setStandby(kNext[meter.standby]);
}

void standbyTowardsAuto(int, int, int status, int) {
    if (!isPress(status)) return;
    constexpr int kNext[] = {kStandbyGuardOpen, kStandbyGuardOpen, kStandbyGuardOpen,
                             kStandbyOffState};
    setStandby(kNext[meter.standby]);
}

// ---- Generator drive disconnects -------------------------------------------

void driveLower(int, int, int status, int side) {
    if (isPress(status)) meter.drive[side] = kDriveGuardOpen;
}

void driveSwitch(int, int, int status, int side) {
    if (!isPress(status)) return;
    if (meter.drive[side] == kDriveGuardClosed) {
        meter.drive[side] = kDriveGuardOpen;
    } else if (meter.drive[side] == kDriveGuardOpen) {
        meter.drive[side] = kDriveDisconnected;
        DisconnectGeneratorDrive(side);
    }
}

void driveGuard(int, int, int status, int side) {
    if (isPress(status))
        meter.drive[side] = meter.drive[side] != 0 ? kDriveGuardClosed : kDriveGuardOpen;
}

// ---- Meter selectors -------------------------------------------------------

// The upper quadrants turn the knob towards positions 2 (left) and 4
// (right) and stop there; the lower ones step one way round.
int stepTowards(int value, int stop) {
    if (value < stop) return value + 1;
    return value == stop ? value : value - 1;
}

int acStep(int v, int quadrant) {
    switch (quadrant) {
        case kLowerLeft:
            return v > 0 ? v - 1 : 1;
        case kUpperLeft:
            return stepTowards(v, 2);
        case kUpperRight:
            return stepTowards(v, 4);
        default:
            return v < kAcMeterPositions - 1 ? v + 1 : v - 1;
    }
}

// Past its last position the DC knob comes round to the first.
int dcStep(int v, int quadrant) {
    int next = v;
    switch (quadrant) {
        case kLowerLeft:
            next = (v == 0 || v >= 6) ? v + 1 : v - 1;
            break;
        case kUpperLeft:
            next = stepTowards(v, 2);
            break;
        case kUpperRight:
            next = stepTowards(v, 4);
            break;
        default:
            next = v >= kDcMeterPositions - 1 ? v - 1 : v + 1;
            break;
    }
    return next > kDcMeterPositions - 1 ? 0 : next;
}

void dcSelector(int, int, int status, int quadrant) {
    if (isPress(status)) meter.dcSelector = dcStep(meter.dcSelector, quadrant);
}

void acSelector(int, int, int status, int quadrant) {
    if (isPress(status)) meter.acSelector = acStep(meter.acSelector, quadrant);
}

template <int position>
void twoPositionSwitch(int, int, int status, int) {
    if (isPress(status)) meter.twoPosition = position;
}

constexpr const ControlLayout& kBatterySwitch = kMeterLayout[kMeterBattery];
constexpr const ControlLayout& kStandbySwitch = kMeterLayout[kMeterStandbyPower];
constexpr const ControlLayout* kDriveSwitch = &kMeterLayout[kMeterDrive];
constexpr const ControlLayout& kDcKnob = kMeterLayout[kMeterDcSelector];
constexpr const ControlLayout& kAcKnob = kMeterLayout[kMeterAcSelector];
constexpr const ControlLayout& kTwoPositionSwitch = kMeterLayout[kMeterTwoPosition];

constexpr ClickZone kMeterZones[] = {
    Zone(kMeterLayout[kMeterClose].zone, kZoneClose, 0, CloseZoneHandler<meterWindow>),
    Zone(RowPart(kBatterySwitch, 2), kZoneBatteryGuard, 0, batteryGuard),
    Zone(RowPart(kBatterySwitch, 1), kZoneBatterySwitch, 0, batterySwitch),
    Zone(RowPart(kBatterySwitch, 0), kZoneBatteryOn, 0, batterySwitchOn),
    Zone(ColumnPart(kStandbySwitch, 0), kZoneStandbyGuard, 0, standbyGuard),
    Zone(ColumnPart(kStandbySwitch, 1), kZoneStandbyTowardsBat, 0, standbyTowardsBat),
    Zone(ColumnPart(kStandbySwitch, 2), kZoneStandbyTowardsAuto, 0, standbyTowardsAuto),
    Zone(RowPart(kDriveSwitch[0], 0), kZoneDriveLower, 0, driveLower),
    Zone(RowPart(kDriveSwitch[0], 1), kZoneDriveSwitch, 0, driveSwitch),
    Zone(RowPart(kDriveSwitch[0], 2), kZoneDriveGuard, 0, driveGuard),
    Zone(RowPart(kDriveSwitch[1], 0), kZoneDriveLower, 1, driveLower),
    Zone(RowPart(kDriveSwitch[1], 1), kZoneDriveSwitch, 1, driveSwitch),
    Zone(RowPart(kDriveSwitch[1], 2), kZoneDriveGuard, 1, driveGuard),
    Zone(QuadrantPart(kDcKnob, kLowerLeft), kZoneDcSelector, kLowerLeft, dcSelector),
    Zone(QuadrantPart(kDcKnob, kUpperLeft), kZoneDcSelector, kUpperLeft, dcSelector),
    Zone(QuadrantPart(kDcKnob, kUpperRight), kZoneDcSelector, kUpperRight, dcSelector),
    Zone(QuadrantPart(kDcKnob, kLowerRight), kZoneDcSelector, kLowerRight, dcSelector),
    Zone(QuadrantPart(kAcKnob, kLowerLeft), kZoneAcSelector, kLowerLeft, acSelector),
    Zone(QuadrantPart(kAcKnob, kUpperLeft), kZoneAcSelector, kUpperLeft, acSelector),
    Zone(QuadrantPart(kAcKnob, kUpperRight), kZoneAcSelector, kUpperRight, acSelector),
    Zone(QuadrantPart(kAcKnob, kLowerRight), kZoneAcSelector, kLowerRight, acSelector),
    Zone(RowPart(kTwoPositionSwitch, 0), kZoneTwoPositionOn, 0, twoPositionSwitch<1>),
    Zone(RowPart(kTwoPositionSwitch, 1), kZoneTwoPositionOff, 0, twoPositionSwitch<0>),
    {0, 170, 0, 348, kZoneBody, 0, BodyZoneHandler<meterWindow>},
    {},
};

// ---- Meters ----------------------------------------------------------------

struct MeterReading {
    float volts, amps, hertz;
};

// DC sources: STBY PWR, BAT BUS, BAT, AUX BAT, TR 1, TR 2, TR 3 and TEST,
// which reads the battery charger's output. The aircraft carries no
// auxiliary battery.
MeterReading dcReading(int source) {
    switch (source) {
        case 0:
            return {dcStandbyBusVoltage(), 0.0f, 0.0f};
        case 1:
            return {batteryOn() ? batteryVoltage() : 0.0f, 0.0f, 0.0f};
        case 2:
            return {batteryVoltage(), batteryCurrent(), 0.0f};
        case 4:
        case 5:
        case 6:
            return {truOutputVoltage(source - 4), dcBusLoad(source - 4), 0.0f};
        case 7:
            return {chargerVoltage(), chargerCurrent(), 0.0f};
        default:
            return {0.0f, 0.0f, 0.0f};
    }
}

// AC sources: STBY PWR, GRD PWR, GEN 1, APU GEN, GEN 2, INV and TEST,
// where nothing is connected.
MeterReading acReading(int source) {
    switch (source) {
        case 0:
            return {acStandbyBusVoltage(), 0.0f, acStandbyBusFrequency()};
        case 1:
            return {externalPowerVoltage(), externalPowerLoad(), externalPowerFrequency()};
        case 2:
            return {generatorVoltage(0), generatorLoad(0), generatorFrequency(0)};
        case 3:
            return {ApuGeneratorVoltage(), apuGeneratorLoad(), ApuGeneratorFrequency()};
        case 4:
            return {generatorVoltage(1), generatorLoad(1), generatorFrequency(1)};
        case 5:
            return {inverterVoltage(), 0.0f, inverterFrequency()};
        default:
            return {0.0f, 0.0f, 0.0f};
    }
}

// ---- Drawing ---------------------------------------------------------------

constexpr int kMeterDigits = 3;
constexpr int kMeterFont = 0;
constexpr WindowPoint kDcVolts = {10, 307}, kDcAmps = {10, 293};
constexpr WindowPoint kAcVolts = {92, 307}, kAcAmps = {92, 293};
constexpr WindowPoint kFrequency = {92, 260};

// The knobs' positions lie 30 degrees apart from the first, left of the top.
constexpr float kFirstPositionDegrees = -105.0f, kPositionDegrees = 30.0f;

// The battery's discharge light comes on above this current.
constexpr float kDischargeLightAmps = 5.0f;

constexpr int kBatterySprite[] = {kMeterBatteryGuardClosed, kMeterBatteryOff,
                                  kMeterBatteryGuardOpen};
constexpr int kStandbySprite[] = {kMeterStandbyGuardClosed, kMeterStandbyGuardOpen,
                                  kMeterStandbyOff, kMeterStandbyBat};
constexpr int kDriveSprite[] = {kMeterDisconnectGuardClosed, kMeterDriveDisconnected,
                                kMeterDisconnectGuardOpen};

// In flight a TRU light needs TRU 1 or both of the others out; on the
// ground any one.
bool trUnitLight() {
    const bool tru1 = truPowered(0), tru2 = truPowered(1), tru3 = tru3Powered();
    if (FlightPhase() > kPhaseLiftOff) return !tru1 || (!tru2 && !tru3);
    return !tru1 || !tru2 || !tru3;
}

bool driveLight(int side) { return !generatorDriveConnected(side) || !generatorAvailable(side); }

void drawLamps(int left, int bottom) {
    const bool battery = batteryOn();
    const bool test = snapshot.annunciatorTest != 0;
    const float* amber = ColourOf(FixedColour::WindowAmber);
    auto lamp = [&](int lens, int n, bool condition) {
        DrawWindowLamp(left, bottom, kMeterLamps[lens], n, amber, battery && (test || condition));
    };
    lamp(kMeterBatteryDischargeLamp, 0, batteryCurrent() > kDischargeLightAmps);
    lamp(kMeterTrUnitLamp, 0, trUnitLight());
    lamp(kMeterElecLamp, 0, chargerMode() == ChargerMode::Off);
    lamp(kMeterStandbyPowerOffLamp, 0, !acStandbyBusPowered() || !dcStandbyBusPowered());
    for (int side = 0; side < 2; ++side) lamp(kMeterDriveLamp, side, driveLight(side));
}

void readout(float left, float bottom, const WindowPoint& at, float value) {
    float x = left + at.x, y = bottom + at.y;
    DrawReadout(ColourOf(FixedColour::WindowGreen), value, x, y, kMeterDigits, 0, kMeterFont);
}

// The meters need the battery bus.
void drawMeters(float left, float bottom) {
    if (!batteryOn()) return;
    const MeterReading dc = dcReading(meter.dcSelector);
    const MeterReading ac = acReading(meter.acSelector);
    readout(left, bottom, kDcVolts, dc.volts);
    readout(left, bottom, kDcAmps, dc.amps);
    readout(left, bottom, kAcVolts, ac.volts);
    readout(left, bottom, kAcAmps, ac.amps);
    readout(left, bottom, kFrequency, ac.hertz);
}

void drawKnob(const PopupWindow& window, float left, float bottom, const ControlLayout& knob,
              int position) {
    DrawWindowSpriteTurned(window, kMeterSelectorKnob, CockpitLightColour(), left + knob.at.x,
                           bottom + knob.at.y, kFirstPositionDegrees + kPositionDegrees * position);
}

void meterContent(PopupWindow& window, int left, int bottom) {
    const float x = static_cast<float>(left), y = static_cast<float>(bottom);
    const float* flood = CockpitLightColour();
    auto picture = [&](int sprite, const ControlLayout& control) {
        DrawControlSprite(window, sprite, flood, left, bottom, control);
    };
    picture(kBatterySprite[meter.battery], kBatterySwitch);
    picture(kStandbySprite[meter.standby], kStandbySwitch);
    for (int side = 0; side < 2; ++side)
        picture(kDriveSprite[meter.drive[side]], kDriveSwitch[side]);
    picture(kMeterTwoPositionSwitch + meter.twoPosition, kTwoPositionSwitch);
    drawKnob(window, x, y, kDcKnob, meter.dcSelector);
    drawKnob(window, x, y, kAcKnob, meter.acSelector);
    drawLamps(left, bottom);
    drawMeters(x, y);
}

}  // namespace

PopupWindow meterWindow =
    MakePopupWindow(kMeterSheet, kWindowMeter, kMeterZones, meterContent, nullptr, true);

void ResetMeterWindow(bool cold) {
    setBattery(cold ? kBatteryOffState : kBatteryGuardClosed);
    setStandby(cold ? kStandbyOffState : kStandbyGuardClosed);
    meter.drive[0] = meter.drive[1] = kDriveGuardClosed;
}

int BatteryGuardState() { return meter.battery; }
int StandbyPowerState() { return meter.standby; }
int DriveDisconnectState(int side) {
    return side == 0 || side == 1 ? meter.drive[side] : kDriveGuardClosed;
}
int DcMeterSelector() { return meter.dcSelector; }
int AcMeterSelector() { return meter.acSelector; }
int MeterTwoPositionSwitch() { return meter.twoPosition; }

}  // namespace quil
