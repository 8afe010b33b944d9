#include "host/snapshot_read.h"

#include "sim/snapshot.h"

#include <cmath>

#include "XPLMDataAccess.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/units.h"
#include "systems/anti_ice.h"
#include "systems/engines.h"

namespace quil {

namespace {

constexpr float kFeetPerRadioAltitudeUnit = 0.3042f;  // the aircraft's own, not 0.3048
constexpr float kDefaultBankLimit = 30.0f;
constexpr float kDeviationRateRange = 2.42f;   // dots: beyond it no rate is measured
constexpr float kDeviationRateSettle = 0.5f;   // seconds before a rate counts as valid
constexpr float kLampTestWindow = 0.02f;
constexpr int kMaxMapRangeSelector = 16;

float previousHdef = 0.0f;

void readFloats(XPLMDataRef ref, float* out, int count) { XPLMGetDatavf(ref, out, 0, count); }

void raiseToOutsideAir(float (&values)[kEngines]) {
    for (float& value : values) {
        if (value < static_cast<float>(snapshot.oat)) value = static_cast<float>(snapshot.oat);
    }
}

// A flagged needle measures nothing: a rate across the flag would compare a
// resting needle with a live one.
void measureDeviationRate() {
    const float dt = snapshot.now - snapshot.prevTime;
    if (std::fabs(snapshot.navHdef) < kDeviationRateRange && dt > 0.0f &&
        !snapshot.navLateralFlag) {
        snapshot.hdefRate = (snapshot.navHdef - previousHdef) / dt;
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

}  // namespace

void ReadTime() {
    snapshot.paused = XPLMGetDatai(sim.paused);
    snapshot.prevTime = snapshot.now;
    snapshot.now = XPLMGetDataf(sim.runningTime);
}

void ReadTaxiLight() { snapshot.taxiLight = XPLMGetDatai(sim.taxiLight); }

void ReadOutsideAirAndLandingLights() {
    snapshot.oat = TruncToInt(XPLMGetDataf(sim.outsideTemperature));
    snapshot.landingLights = XPLMGetDatai(sim.landingLights);
}

void ReadAirData() {
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
}

void ReadSelectedReceiver() {
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
    previousHdef = snapshot.navHdef;
    snapshot.nav1Course = XPLMGetDataf(sim.nav1Course);
    snapshot.nav2Course = XPLMGetDataf(sim.nav2Course);
    snapshot.hsiSource = XPLMGetDatai(sim.hsiSelector);
    const bool nav1 = snapshot.hsiSource == 0;
    if (nav1 || snapshot.hsiSource == 1) {
        snapshot.navBearing = XPLMGetDataf(nav1 ? sim.nav1Bearing : sim.nav2Bearing);
        snapshot.navCourse = XPLMGetDataf(nav1 ? sim.nav1Course : sim.nav2Course);
        snapshot.navHdef = XPLMGetDataf(nav1 ? sim.nav1Hdef : sim.nav2Hdef);
        snapshot.navVdef = XPLMGetDataf(nav1 ? sim.nav1Vdef : sim.nav2Vdef);
        snapshot.glideSlopeAngle = std::fabs(XPLMGetDataf(nav1 ? sim.nav1Slope : sim.nav2Slope));
        // The frequencies and the to/from flags are integers in the simulator.
        snapshot.navFrequency = XPLMGetDatai(nav1 ? sim.nav1Frequency : sim.nav2Frequency);
        snapshot.navFromTo = static_cast<float>(XPLMGetDatai(nav1 ? sim.nav1FromTo : sim.nav2FromTo));
        snapshot.hasGlideSlope = snapshot.glideSlopeAngle != 0.0f;
    } else {
        snapshot.navBearing = snapshot.gpsBearing;
        snapshot.navCourse = XPLMGetDataf(sim.gpsCourse);
        snapshot.navHdef = snapshot.gpsHdef;
        snapshot.hasGlideSlope = 0;
        snapshot.navFromTo = 0.0f;
    }
}

void ReadDeviationRateAndAttitude() {
    measureDeviationRate();
    snapshot.pitch = XPLMGetDataf(sim.theta);
    snapshot.roll = XPLMGetDataf(sim.phi);
    snapshot.magHeading = XPLMGetDataf(sim.magPsi);
    snapshot.trueHeading = XPLMGetDataf(sim.psi);
    snapshot.verticalSpeed = XPLMGetDataf(sim.vhIndFpm);
}

void ReadLampTest() {
    snapshot.annunciatorTest =
        snapshot.now - kLampTestWindow < XPLMGetDataf(sim.annunciatorTestTimeout);
}

void ReadMarkersAndReceiverFlags() {
    snapshot.markerLit = markerLit();
    readSelectedReceiverFlags();
}

void ReadMaxAllowableAltitude() {
    snapshot.maxAllowableAltitude = XPLMGetDataf(sim.maxAllowableAltitude);
}

void ReadBarometerAndNav1Course() {
    snapshot.baroSetting = XPLMGetDataf(sim.barometerSetting);
    snapshot.nav1Obs = TruncToInt(XPLMGetDataf(sim.nav1Obs));
    snapshot.blink = TruncToInt(snapshot.now * 2.0f) & 1;
}

void ReadNav2CourseAndOilPressure() {
    snapshot.nav2Obs = TruncToInt(XPLMGetDataf(sim.nav2Obs));
    readFloats(sim.oilPressure, snapshot.oilPressure, kEngines);
}

void ReadMapRange() {
    const int selector = XPLMGetDatai(sim.mapRangeSelector);
    if (selector == snapshot.mapRangeSelector || selector < 0 || selector > kMaxMapRangeSelector) {
        return;
    }
    snapshot.mapRangeNm = std::ldexp(10.0f, selector);
    snapshot.mapScale = 136.0f / snapshot.mapRangeNm;
    snapshot.mapRangeSelector = selector;
}

void ReadPanelSettingsAndSimulatorAutopilot() {
    snapshot.showClickSpots = XPLMGetDatai(sim.showClickSpots);
    snapshot.transparentPanel = XPLMGetDatai(sim.transparentPanel);
    snapshot.apMode = XPLMGetDatai(sim.apMode);
}

void ReadOilTemperature() {
    readFloats(sim.oilTemperature, snapshot.oilTemp, kEngines);
    raiseToOutsideAir(snapshot.oilTemp);
}

void ReadDisplayModeAndCabinAltitude() {
    snapshot.displayMode = XPLMGetDatai(sim.firingMode);
    snapshot.cabinAltitude = TruncToInt(XPLMGetDataf(sim.cabinAltitude));
}

void ReadFlapRatio() { snapshot.flapRatio = XPLMGetDataf(sim.flapRatio); }

void ReadBankLimit() {
    const float limit = static_cast<float>(XPLMGetDatai(sim.apBankMode)) * 5.0f;
    snapshot.bankLimit = limit == 0.0f ? kDefaultBankLimit : limit;
    snapshot.bankLimitTan = std::tan(snapshot.bankLimit / static_cast<float>(kDegreesPerRadian));
}

void ReadAntiIceSwitches() {
    snapshot.bleedAirOn = XPLMGetDatai(sim.bleedAirOn);
    snapshot.wingAntiIce = XPLMGetDatai(sim.wingHeat);
    for (int e = 0; e < kEngines; ++e) snapshot.engineAntiIce[e] = EngineAntiIceState(e);
}

void ReadGearDeployment() {
    readFloats(sim.gearDeploy, snapshot.gearDeploy, 3);
    snapshot.anyGearDown = snapshot.gearDeploy[0] > 0.0f || snapshot.gearDeploy[1] > 0.0f ||
                           snapshot.gearDeploy[2] > 0.0f;
}

void ReadPropellerMode() { XPLMGetDatavi(sim.propMode, snapshot.propMode, 0, kEngines); }

void ReadParkingBrake() { snapshot.parkBrake = XPLMGetDataf(sim.parkBrake); }

void ReadFirstTenSeconds() { snapshot.firstTenSeconds = snapshot.now < 10.0f; }

}  // namespace quil
