// Binding to the simulator: every dataref the snapshot and the write-backs
// use, looked up afresh at every bind, and whether the loaded aircraft is
// the one this plug-in serves.
#pragma once

#include "XPLMDataAccess.h"

namespace quil {

// One handle per bound name; null where the simulator lacks it, which the
// SDK tolerates as reads of 0 and writes that do nothing.
struct SimHandles {
    // Identification and aircraft
    XPLMDataRef tailNumber, author, description, vno, mmo;
    // Time and display
    XPLMDataRef runningTime, paused, annunciatorTestTimeout, showClickSpots;
    XPLMDataRef cockpitLightR, cockpitLightG, cockpitLightB;
    XPLMDataRef windowHeight, windowWidth, transparentPanel, instrumentBrightness;
    // Flight state
    XPLMDataRef yAgl, theta, phi, magPsi, psi, hpath, beta, indicatedAirspeed, vhIndFpm;
    XPLMDataRef magneticVariation, machNumber, hInd, groundSpeed, slip, latitude, longitude;
    XPLMDataRef gearNormalForce, outsideTemperature, barometerCurrent;
    // Engines
    XPLMDataRef engineEgt, engineBatteryVolts, throttle, throttleUsed;
    XPLMDataRef oilPressure, oilTemperature, propMode, inverterOn, ignitersOn, ignitionOn;
    // Switches and systems
    XPLMDataRef wingHeat, inletHeat, windowHeat, pitotHeat, pitotHeat2, aoaHeat;
    XPLMDataRef mapRangeSelector, mapSubmode, gearDeploy, firingRate, firingMode;
    XPLMDataRef bleedAirOn, maxAllowableAltitude, cabinAltitude, barometerSetting;
    XPLMDataRef parkBrake, flapRatio, taxiLight, landingLights, beaconLights, batteryEquipped;
    XPLMDataRef fuelMass1, fuelMass2, fuelMass3;
    // Autopilot
    XPLMDataRef apHeading, apBankMode, apMode, apVerticalVelocity, apAirspeed, apAirspeedIsMach;
    XPLMDataRef apAltitude, fdRoll, fdPitch, elevatorTrim, aileronTrim, rudderTrim;
    XPLMDataRef overrideFlightDirector, overrideAutopilot, overrideFmsAdvance;
    // Radios
    XPLMDataRef nav1Obs, nav2Obs, gpsDistance, hsiSelector, nav1Bearing, nav2Bearing;
    XPLMDataRef nav1FromTo, nav2FromTo, gpsBearing, nav1Frequency, nav2Frequency;
    XPLMDataRef nav1Course, nav2Course, nav1Hdef, nav2Hdef, nav1Vdef, nav2Vdef, gpsHdef;
    XPLMDataRef gpsCourse, nav1Slope, nav2Slope, outerMarker, middleMarker, innerMarker;
    XPLMDataRef nav1HasLateral, nav2HasLateral, nav1HasGlideSlope, nav2HasGlideSlope;
};

extern SimHandles sim;

// Looks every dataref of SimHandles up.
void FindSimDatarefs();

// 1 while the loaded aircraft is the one we serve.
extern int pluginActive;

}  // namespace quil
