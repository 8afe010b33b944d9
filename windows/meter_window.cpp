// The AC/DC meter panel: the battery and standby power switches under their
// guards, the generator drive disconnects, the two meter selectors with the
// voltmeters, ammeters and frequency meter they feed, and the panel's
// lights.
#include <GL/gl.h>

#include "autoflight/phases.h"
#include "host/snapshot.h"
#include "instruments/readouts.h"
#include "panel/click_actions.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "systems/apu.h"
#include "systems/electrical.h"
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

// Quadrants of a selector knob's zone.
constexpr int kBottomLeft = 0, kTopLeft = 1, kTopRight = 2, kBottomRight = 3;

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
        case kBottomLeft:
            return v > 0 ? v - 1 : 1;
        case kTopLeft:
            return stepTowards(v, 2);
        case kTopRight:
            return stepTowards(v, 4);
        default:
            return v < kAcMeterPositions - 1 ? v + 1 : v - 1;
    }
}

// Past its last position the DC knob comes round to the first.
int dcStep(int v, int quadrant) {
    int next = v;
    switch (quadrant) {
        case kBottomLeft:
            next = (v == 0 || v >= 6) ? v + 1 : v - 1;
            break;
        case kTopLeft:
            next = stepTowards(v, 2);
            break;
        case kTopRight:
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

constexpr ClickZone kMeterZones[] = {
    {1, 28, 332, 348, kZoneClose, 0, CloseZoneHandler<meterWindow>},
    {19, 49, 162, 183, kZoneBatteryGuard, 0, batteryGuard},
    {19, 49, 147, 161, kZoneBatterySwitch, 0, batterySwitch},
    {19, 49, 130, 146, kZoneBatteryOn, 0, batterySwitchOn},
    {50, 76, 59, 89, kZoneStandbyGuard, 0, standbyGuard},
    {77, 95, 59, 89, kZoneStandbyTowardsBat, 0, standbyTowardsBat},
    {96, 114, 59, 89, kZoneStandbyTowardsAuto, 0, standbyTowardsAuto},
    {20, 48, 24, 38, kZoneDriveLower, 0, driveLower},
    {20, 48, 39, 56, kZoneDriveSwitch, 0, driveSwitch},
    {20, 48, 57, 85, kZoneDriveGuard, 0, driveGuard},
    {123, 151, 24, 38, kZoneDriveLower, 1, driveLower},
    {123, 151, 39, 56, kZoneDriveSwitch, 1, driveSwitch},
    {123, 151, 57, 85, kZoneDriveGuard, 1, driveGuard},
    {13, 38, 180, 201, kZoneDcSelector, kBottomLeft, dcSelector},
    {13, 38, 202, 223, kZoneDcSelector, kTopLeft, dcSelector},
    {39, 64, 202, 223, kZoneDcSelector, kTopRight, dcSelector},
    {39, 64, 180, 201, kZoneDcSelector, kBottomRight, dcSelector},
    {93, 118, 180, 201, kZoneAcSelector, kBottomLeft, acSelector},
    {93, 118, 202, 223, kZoneAcSelector, kTopLeft, acSelector},
    {119, 144, 202, 223, kZoneAcSelector, kTopRight, acSelector},
    {119, 144, 180, 201, kZoneAcSelector, kBottomRight, acSelector},
    {91, 113, 143, 155, kZoneTwoPositionOn, 0, twoPositionSwitch<1>},
    {91, 113, 156, 167, kZoneTwoPositionOff, 0, twoPositionSwitch<0>},
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

constexpr WindowPoint kDcKnobCentre = {38.5f, 201.5f}, kAcKnobCentre = {118.5f, 201.5f};
// The knobs' positions lie 30 degrees apart from the first, left of the top.
constexpr float kFirstPositionDegrees = -105.0f, kPositionDegrees = 30.0f;

constexpr WindowPoint kBatterySwitch = {18, 140};
constexpr WindowPoint kStandbySwitch = {66, 58};
constexpr WindowPoint kDriveSwitch[2] = {{18, 38}, {121, 38}};
constexpr WindowPoint kTwoPositionSwitch = {92, 142};

constexpr PixelRect kBatteryDischargeLamp = {9, 251, 41, 13};
constexpr PixelRect kTrUnitLamp = {9, 237, 41, 11};
constexpr PixelRect kElecLamp = {121, 147, 39, 13};
constexpr PixelRect kStandbyPowerOffLamp = {59, 105, 51, 11};
constexpr PixelRect kDriveLamp[2] = {{57, 25, 28, 13}, {86, 25, 28, 13}};
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
    auto lamp = [&](const PixelRect& rect, bool condition) {
        DrawWindowLamp(left, bottom, rect, amber, battery && (test || condition));
    };
    lamp(kBatteryDischargeLamp, batteryCurrent() > kDischargeLightAmps);
    lamp(kTrUnitLamp, trUnitLight());
    lamp(kElecLamp, chargerMode() == ChargerMode::Off);
    lamp(kStandbyPowerOffLamp, !acStandbyBusPowered() || !dcStandbyBusPowered());
    for (int side = 0; side < 2; ++side) lamp(kDriveLamp[side], driveLight(side));
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

void drawKnob(const PopupWindow& window, float left, float bottom, const WindowPoint& centre,
              int position) {
    DrawWindowSpriteTurned(window, kMeterSelectorKnob, CockpitLightColour(), left + centre.x,
                           bottom + centre.y, kFirstPositionDegrees + kPositionDegrees * position);
}

void meterContent(PopupWindow& window, int left, int bottom) {
    const float x = static_cast<float>(left), y = static_cast<float>(bottom);
    const float* flood = CockpitLightColour();
    auto picture = [&](int sprite, const WindowPoint& at) {
        DrawWindowSprite(window, sprite, flood, x + at.x, y + at.y);
    };
    picture(kBatterySprite[meter.battery], kBatterySwitch);
    picture(kStandbySprite[meter.standby], kStandbySwitch);
    for (int side = 0; side < 2; ++side)
        picture(kDriveSprite[meter.drive[side]], kDriveSwitch[side]);
    picture(kMeterTwoPositionSwitch + meter.twoPosition, kTwoPositionSwitch);
    drawKnob(window, x, y, kDcKnobCentre, meter.dcSelector);
    drawKnob(window, x, y, kAcKnobCentre, meter.acSelector);
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
