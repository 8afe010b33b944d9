// The one record of simulator values that every model reads, filled each
// frame from the simulator's datarefs with its units converted (feet, knots,
// degrees, feet per minute) by the application's snapshot read, and the few
// write-backs that go with it.
#pragma once

#include <cstdint>

namespace quil {

// Per-engine values are indexed 0 for the left engine, 1 for the right.
constexpr int kEngines = 2;

// Fields in their declared order; "slow n/k" fields are read in phase n of
// a k-frame rotation and may be up to k - 1 frames old.
struct SimSnapshot {
    int32_t hostVersion;
    int32_t hostIsV8;
    uint8_t annunciatorTest;
    int32_t active;
    float vno;
    float mmo;
    int32_t showClickSpots;
    float windowHeight, windowWidth;
    float now;
    int32_t paused;
    float prevTime;
    int32_t blink;            // 1 Hz on/off phase
    float baroSetting;        // inHg
    int32_t firstTenSeconds;
    float baroCurrent;        // inHg
    int32_t nav1Obs, nav2Obs;
    float mcpHeading;         // degrees magnetic, kept by the MCP heading knob
    float indicatedAltitude;  // feet
    float radioAltitude;      // feet
    int32_t displayMode;      // the panel's display selector
    int32_t mapRangeSelector;
    int32_t mapSubmode;
    float mapRangeNm;
    float mapScale;
    int32_t bleedAirOn;
    float maxAllowableAltitude;  // feet
    int32_t cabinAltitude;
    float n1Limit[kEngines];
    int32_t propMode[kEngines];
    float engineN1[kEngines];
    float engineN2[kEngines];
    float egt[kEngines];
    float oilPressure[kEngines];
    float oilTemp[kEngines];
    int32_t igniterActive[kEngines];
    float gearDeploy[3];
    int32_t anyGearDown;
    float magVar;
    float gpsBearing;
    float gpsDistance;
    int32_t navFrequency;
    float navBearing, navCourse;
    float nav1Course, nav2Course;
    float navFromTo;
    float navHdef, navVdef;  // dots
    float gpsHdef;
    float glideSlopeAngle;
    uint8_t hasGlideSlope;
    // The selected receiver shows its flag: it hears no VOR or localizer,
    // or no glide slope (GPS has none). 0 also where the simulator does not say.
    uint8_t navLateralFlag, navGlideSlopeFlag;
    uint8_t markerLit;  // 1 outer, 2 middle, 3 inner, 0 none
    uint8_t hdefRateValid;
    float hdefRate;  // dots per second
    float hdefRateSince;
    float pitch, roll;
    float track;
    float sideslip;
    float slipBall;
    float bankLimit;  // degrees
    float bankLimitTan;
    float magHeading, trueHeading;
    int32_t taxiLight, landingLights;
    int32_t galleySwitch, cabinLightSwitch;
    int32_t wingAntiIce;
    uint8_t engineAntiIce[kEngines];  // 0 closed, 1 transition pending, 2 open
    int32_t oat;               // °C
    int32_t hsiSource;         // 0 NAV1, 1 NAV2, other GPS
    int32_t apMode;
    float verticalSpeed;  // ft/min
    float apSpeedAsIas;
    float apSpeed;
    int32_t apSpeedIsMach;
    float parkBrake;
    float groundSpeed;  // m/s, as the simulator gives it
    float ias;
    float mach;
    float flapRatio;
    int32_t transparentPanel;
    // As the simulator gives it, nonsense included; read with the panel
    // colours that follow it (FollowInstrumentBrightness).
    float instrumentBrightness;
};

extern SimSnapshot snapshot;

// Writes to the simulator that other modules ask for.
void SetTailNumber(const char* text);
void SetStandardBarometer();

}  // namespace quil
