#include "host/snapshot_read.h"

#include "sim/snapshot.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "XPLMDataAccess.h"
#include "autoflight/modes.h"
#include "host/lifecycle.h"
#include "render/colours.h"
#include "render/geometry.h"
#include "render/textures.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/units.h"
#include "systems/anti_ice.h"
#include "systems/electrical.h"
#include "systems/engine_quantities.h"
#include "systems/engines.h"
#include "windows/fuel_station_window.h"
#include "windows/popups.h"

namespace quil {

namespace {

constexpr float kFeetPerRadioAltitudeUnit = 0.3042f;  // the aircraft's own, not 0.3048
constexpr float kDefaultBankLimit = 30.0f;
constexpr float kDeviationRateRange = 2.42f;   // dots: beyond it no rate is measured
constexpr float kDeviationRateSettle = 0.5f;   // seconds before a rate counts as valid
constexpr float kLampTestWindow = 0.02f;
constexpr int kMaxMapRangeSelector = 16;


struct Rotation {
    unsigned fast = 0;
    unsigned slow = 0;
    int lightMask = 0;
    int lastViewType = -1;
    float previousHdef = 0.0f;
};

Rotation rotation;

bool anyAcBusPowered() { return transferBusPowered(0) || transferBusPowered(1); }

void readFloats(XPLMDataRef ref, float* out, int count) { XPLMGetDatavf(ref, out, 0, count); }

void raiseToOutsideAir(float (&values)[kEngines]) {
    for (float& value : values) {
        if (value < static_cast<float>(snapshot.oat)) value = static_cast<float>(snapshot.oat);
    }
}

// Light glows rotate over four frames; the anti-ice model runs with the
// first of them.
void rotateLightMask() {
    switch (rotation.fast % 4) {
        case 0:
            rotation.lightMask = anyAcBusPowered() ? kAcPowerGlow : 0;
            if (snapshot.cabinLightSwitch != 0 && cabinLightSupplyPowered()) {
                rotation.lightMask |= kCabinGlow;
            }
            snapshot.taxiLight = XPLMGetDatai(sim.taxiLight);
            if (snapshot.taxiLight != 0 && anyAcBusPowered()) rotation.lightMask |= kTaxiGlow;
            StepAntiIce();
            break;
        case 1:
            snapshot.oat = TruncToInt(XPLMGetDataf(sim.outsideTemperature));
            snapshot.landingLights = XPLMGetDatai(sim.landingLights);
            if (snapshot.landingLights != 0 && anyAcBusPowered()) rotation.lightMask |= kLandingGlow;
            break;
        case 2:
            if (snapshot.galleySwitch > 0 && transferBusPowered(0)) rotation.lightMask |= kGalleyGlow;
            break;
        default:
            ApplyLitMapMask(anyAcBusPowered() ? rotation.lightMask : 0);
            break;
    }
    ++rotation.fast;
}

// A heading knob turned in the simulator moves the MCP heading by whole
// degrees the short way round; a fraction settles on the next frame.
void followHeadingKnob() {
    const float knob = XPLMGetDataf(sim.apHeading);
    if (!std::isfinite(knob) || knob == snapshot.mcpHeading) return;
    const float d = knob - snapshot.mcpHeading;
    if (d < -180.0f) {
        McpHdgUp(TruncToInt(d + 360.0f));
    } else if (d > 180.0f) {
        McpHdgDown(TruncToInt(std::fabs(d - 360.0f)));
    } else if (knob > snapshot.mcpHeading) {
        McpHdgUp(TruncToInt(d));
    } else {
        McpHdgDown(TruncToInt(snapshot.mcpHeading - knob));
    }
}

void readSelectedNavSource() {
    const bool nav1 = snapshot.hsiSource == 0;
    if (nav1 || snapshot.hsiSource == 1) {
        snapshot.navBearing = XPLMGetDataf(nav1 ? sim.nav1Bearing : sim.nav2Bearing);
        snapshot.navCourse = XPLMGetDataf(nav1 ? sim.nav1Course : sim.nav2Course);
        snapshot.navHdef = XPLMGetDataf(nav1 ? sim.nav1Hdef : sim.nav2Hdef);
        snapshot.navVdef = XPLMGetDataf(nav1 ? sim.nav1Vdef : sim.nav2Vdef);
        const XPLMDataRef slope = nav1 ? sim.nav1Slope : sim.nav2Slope;
        snapshot.glideSlopeAngle = std::fabs(XPLMGetDataf(slope));
        // The frequencies and the to/from flags are integers in the simulator.
        snapshot.navFrequency = XPLMGetDatai(nav1 ? sim.nav1Frequency : sim.nav2Frequency);
        snapshot.navFromTo = static_cast<float>(XPLMGetDatai(nav1 ? sim.nav1FromTo : sim.nav2FromTo));
        snapshot.hasGlideSlope = snapshot.glideSlopeAngle != 0.0f;
        XPLMSetDataf(slope, 0.0f);
    } else {
        snapshot.navBearing = snapshot.gpsBearing;
        snapshot.navCourse = XPLMGetDataf(sim.gpsCourse);
        snapshot.navHdef = snapshot.gpsHdef;
        snapshot.hasGlideSlope = 0;
        snapshot.navFromTo = 0.0f;
    }
}

// A flagged needle measures nothing: a rate across the flag would compare a
// resting needle with a live one.
void measureDeviationRate() {
    const float dt = snapshot.now - snapshot.prevTime;
    if (std::fabs(snapshot.navHdef) < kDeviationRateRange && dt > 0.0f &&
        !snapshot.navLateralFlag) {
        snapshot.hdefRate = (snapshot.navHdef - rotation.previousHdef) / dt;
        snapshot.hdefRateValid = snapshot.now - snapshot.hdefRateSince > kDeviationRateSettle;
    } else {
        snapshot.hdefRate = 0.0f;
        snapshot.hdefRateValid = 0;
        snapshot.hdefRateSince = snapshot.now;
    }
}

// A simulator without the signal datarefs is taken to hear the station.
uint8_t flagged(XPLMDataRef signal) { return signal != nullptr && XPLMGetDatai(signal) == 0; }

void readSelectedReceiverFlags() {
    const bool nav1 = snapshot.hsiSource == 0;
    if (nav1 || snapshot.hsiSource == 1) {
        snapshot.navLateralFlag = flagged(nav1 ? sim.nav1HasLateral : sim.nav2HasLateral);
        snapshot.navGlideSlopeFlag = flagged(nav1 ? sim.nav1HasGlideSlope : sim.nav2HasGlideSlope);
    } else {
        snapshot.navLateralFlag = 0;
        snapshot.navGlideSlopeFlag = 1;
    }
}

uint8_t markerLit() {
    if (XPLMGetDatai(sim.outerMarker) != 0) return 1;
    if (XPLMGetDatai(sim.middleMarker) != 0) return 2;
    if (XPLMGetDatai(sim.innerMarker) != 0) return 3;
    return 0;
}

void noticeViewChange() {
    const int viewType = GetViewType();
    if (viewType == rotation.lastViewType) return;
    SetPopupsPanelView(viewType == kViewPanel);
    SetFuelStationExternalView(IsExternalView());
    rotation.lastViewType = viewType;
}

void readMapRange() {
    const int selector = XPLMGetDatai(sim.mapRangeSelector);
    if (selector == snapshot.mapRangeSelector || selector < 0 || selector > kMaxMapRangeSelector) {
        return;
    }
    snapshot.mapRangeNm = std::ldexp(10.0f, selector);
    snapshot.mapScale = 136.0f / snapshot.mapRangeNm;
    snapshot.mapRangeSelector = selector;
}

void slowEveryOtherFrame(unsigned phase) {
    snapshot.maxAllowableAltitude = XPLMGetDataf(sim.maxAllowableAltitude);
    if (phase == 0) {
        snapshot.baroSetting = XPLMGetDataf(sim.barometerSetting);
        snapshot.nav1Obs = TruncToInt(XPLMGetDataf(sim.nav1Obs));
        snapshot.blink = TruncToInt(snapshot.now * 2.0f) & 1;
        return;
    }
    snapshot.nav2Obs = TruncToInt(XPLMGetDataf(sim.nav2Obs));
    readFloats(sim.oilPressure, snapshot.oilPressure, kEngines);
    UpdateEngineQuantities(kEngines);
    readMapRange();
}

void slowEveryFourthFrame(unsigned phase) {
    switch (phase) {
        case 0:
            snapshot.showClickSpots = XPLMGetDatai(sim.showClickSpots);
            snapshot.transparentPanel = XPLMGetDatai(sim.transparentPanel);
            SetTransparentPanel(snapshot.transparentPanel != 0);
            // The simulator's own autopilot is never left engaged.
            snapshot.apMode = XPLMGetDatai(sim.apMode);
            if (snapshot.apMode == 2) XPLMSetDatai(sim.apMode, 1);
            readFloats(sim.oilTemperature, snapshot.oilTemp, kEngines);
            raiseToOutsideAir(snapshot.oilTemp);
            break;
        case 1:
            snapshot.displayMode = XPLMGetDatai(sim.firingMode);
            snapshot.cabinAltitude = TruncToInt(XPLMGetDataf(sim.cabinAltitude));
            break;
        case 2:
            snapshot.flapRatio = XPLMGetDataf(sim.flapRatio);
            if (standbyPowerPowered()) {
                int ignition[kEngines] = {1, 1};
                XPLMSetDatavi(sim.ignitionOn, ignition, 0, kEngines);
            }
            break;
        default:
            break;
    }
}

void slowEveryEighthFrame(unsigned phase) {
    switch (phase) {
        case 0: {
            const float limit = static_cast<float>(XPLMGetDatai(sim.apBankMode)) * 5.0f;
            snapshot.bankLimit = limit == 0.0f ? kDefaultBankLimit : limit;
            snapshot.bankLimitTan =
                std::tan(snapshot.bankLimit / static_cast<float>(kDegreesPerRadian));
            break;
        }
        case 1:
            snapshot.bleedAirOn = XPLMGetDatai(sim.bleedAirOn);
            snapshot.wingAntiIce = XPLMGetDatai(sim.wingHeat);
            for (int e = 0; e < kEngines; ++e) snapshot.engineAntiIce[e] = EngineAntiIceState(e);
            break;
        case 2:
            readFloats(sim.gearDeploy, snapshot.gearDeploy, 3);
            snapshot.anyGearDown = snapshot.gearDeploy[0] > 0.0f || snapshot.gearDeploy[1] > 0.0f ||
                                   snapshot.gearDeploy[2] > 0.0f;
            break;
        case 3:
            XPLMGetDatavi(sim.propMode, snapshot.propMode, 0, kEngines);
            break;
        case 5:
            // The ground crew takes the unit away once the parking brake is off.
            snapshot.parkBrake = XPLMGetDataf(sim.parkBrake);
            if (GroundServiceMode() == kGroundServiceByUs && GroundPowerUnitPresent() && snapshot.parkBrake < 0.5f) {
                SetGroundPowerUnitPresent(false);
            }
            break;
        case 6:
            snapshot.firstTenSeconds = snapshot.now < 10.0f;
            break;
        case 7:
            XPLMSetDatai(sim.batteryEquipped, 1);
            BatteryWriteBack();
            break;
        default:
            break;
    }
}

}  // namespace

void RestartSlowRotation() { rotation.slow = 0; }

void ReadSnapshot() {
    snapshot.paused = XPLMGetDatai(sim.paused);
    snapshot.prevTime = snapshot.now;
    snapshot.now = XPLMGetDataf(sim.runningTime);
    rotateLightMask();
    ComputeN1Limits(snapshot.oat, snapshot.indicatedAltitude, snapshot.wingAntiIce,
                    snapshot.engineAntiIce, snapshot.n1Limit, kEngines);

    snapshot.indicatedAltitude = XPLMGetDataf(sim.hInd);
    snapshot.baroCurrent = XPLMGetDataf(sim.barometerCurrent);
    N1OfBothEngines(snapshot.engineN1);
    N2OfBothEngines(snapshot.engineN2);
    // What the panel's drawing needs besides, so that it reads nothing itself.
    snapshot.mapSubmode = XPLMGetDatai(sim.mapSubmode);
    snapshot.ias = XPLMGetDataf(sim.indicatedAirspeed);
    snapshot.mach = XPLMGetDataf(sim.machNumber);
    snapshot.magVar = XPLMGetDataf(sim.magneticVariation);
    snapshot.groundSpeed = XPLMGetDataf(sim.groundSpeed);

    snapshot.apSpeed = XPLMGetDataf(sim.apAirspeed);
    snapshot.apSpeedAsIas = snapshot.apSpeed;
    snapshot.apSpeedIsMach = XPLMGetDatai(sim.apAirspeedIsMach);
    followHeadingKnob();
    ClampMcpSpeed(snapshot.apSpeed);
    XPLMSetDataf(sim.apAirspeed, snapshot.apSpeed);
    // A Mach MCP speed as the indicated airspeed of that Mach number at the
    // present altitude: the speed loops fly knots.
    if (snapshot.apSpeedIsMach != 0 && snapshot.mach > 0.0f) {
        snapshot.apSpeedAsIas = snapshot.ias * snapshot.apSpeed / snapshot.mach;
    }

    snapshot.radioAltitude = XPLMGetDataf(sim.yAgl) / kFeetPerRadioAltitudeUnit;
    readFloats(sim.engineEgt, snapshot.egt, kEngines);
    raiseToOutsideAir(snapshot.egt);

    snapshot.gpsBearing = XPLMGetDataf(sim.gpsBearing);
    snapshot.gpsHdef = XPLMGetDataf(sim.gpsHdef);
    snapshot.gpsDistance = XPLMGetDataf(sim.gpsDistance);
    snapshot.track = XPLMGetDataf(sim.hpath);
    snapshot.sideslip = XPLMGetDataf(sim.beta);
    snapshot.slipBall = XPLMGetDataf(sim.slip);

    snapshot.hasGlideSlope = 0;
    rotation.previousHdef = snapshot.navHdef;
    snapshot.nav1Course = XPLMGetDataf(sim.nav1Course);
    snapshot.nav2Course = XPLMGetDataf(sim.nav2Course);
    snapshot.hsiSource = XPLMGetDatai(sim.hsiSelector);
    readSelectedNavSource();
    measureDeviationRate();

    snapshot.pitch = XPLMGetDataf(sim.theta);
    snapshot.roll = XPLMGetDataf(sim.phi);
    snapshot.magHeading = XPLMGetDataf(sim.magPsi);
    snapshot.trueHeading = XPLMGetDataf(sim.psi);
    snapshot.verticalSpeed = XPLMGetDataf(sim.vhIndFpm);
}

void ReadSnapshotSlow() {
    const unsigned c = rotation.slow;
    snapshot.paused = XPLMGetDatai(sim.paused);
    snapshot.annunciatorTest = snapshot.now - kLampTestWindow < XPLMGetDataf(sim.annunciatorTestTimeout);
    noticeViewChange();
    snapshot.markerLit = markerLit();
    readSelectedReceiverFlags();
    slowEveryOtherFrame(c % 2);
    slowEveryFourthFrame(c % 4);
    slowEveryEighthFrame(c % 8);
    ++rotation.slow;
}

}  // namespace quil
