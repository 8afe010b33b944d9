// The pixel rectangles of the panel atlas "quiltexture.png" (256 texels
// wide, at least 298 high), by sprite number: x0, y0, x1, y1 with y counted
// from the bottom edge of the picture. Shared by the plug-in and by the
// artwork generator, which draws each sprite inside its rectangle.
#pragma once

#include "render/sprites.h"

namespace quil {

constexpr int kAtlasWidthPx = 256;
constexpr int kAtlasMinHeightPx = 298;

// The sprites by name; each is its rectangle's index in the table below.
enum PanelSprite : int {
    kSpriteN1Legend = 0,                // N1 legend
    kSpriteEgtLegend = 1,               // EGT legend
    kSpriteN2Legend = 2,                // N2 legend
    kSpriteFfLegend = 3,                // FF legend
    kSpriteRevBox = 4,                  // REV box
    kSpriteTatLegend = 5,               // TAT legend
    kSpriteOilLegend = 6,               // OIL legend
    kSpriteCentreTankLegend = 7,        // CTR tank legend
    kSpriteTank1Legend = 8,             // tank 1 legend
    kSpriteTank2Legend = 9,             // tank 2 legend
    kSpriteFfLegendNarrow = 10,         // FF legend, narrow
    kSpriteLowOilPressureBox = 11,      // LOW OIL PRESSURE box
    kSpriteOilPressureLegend = 12,      // OIL P legend
    kSpriteOilTemperatureLegend = 13,   // OIL T legend
    kSpriteOilQuantityLegend = 14,      // OIL Q legend
    kSpriteVibrationLegend = 15,        // VIB legend
    kSpriteHydPressureLegend = 16,      // HYD P legend
    kSpriteHydQuantityLegend = 17,      // HYD Q legend
    kSpriteN1AntiIceMark = 18,          // anti-ice mark beside the N1 reference
    kSpriteEngine1Legend = 19,          // ENG 1 legend
    kSpriteEngine2Legend = 20,          // ENG 2 legend
    kSpriteSmallPointer = 21,           // small pointer
    kSpriteCelsiusLegend = 22,          // C legend
    kSpriteFahrenheitLegend = 23,       // F legend
    kSpritePercentLegend = 24,          // % legend
    kSpriteKgLegend = 25,               // KG legend
    kSpriteLbLegend = 26,               // LB legend
    kSpriteInchesLegend = 27,           // IN barometer legend
    kSpriteHpaLegend = 28,              // HPA barometer legend
    kSpriteFmaLnavArmed = 29,           // FMA LNAV armed
    kSpriteFmaLnav = 30,                // FMA LNAV
    kSpriteFmaAltHold = 31,             // FMA ALT HOLD
    kSpriteFmaArm = 32,                 // FMA ARM
    kSpriteFmaVnavShort = 33,           // FMA VNAV, short
    kSpriteFmaVnavPath = 34,            // FMA VNAV PTH
    kSpriteFmaHdgSel = 35,              // FMA HDG SEL
    kSpriteFmaVs = 36,                  // FMA V/S
    kSpriteFmaN1 = 37,                  // FMA N1
    kSpriteGroundPowerAvailableLight = 38,// GRD POWER AVAILABLE light
    kSpriteGeneratorOffBusLight1 = 39,  // GEN OFF BUS light, side 1
    kSpriteGeneratorOffBusLight2 = 40,  // GEN OFF BUS light, side 2
    kSpriteSourceOffLight1 = 41,        // SOURCE OFF light, side 1
    kSpriteSourceOffLight2 = 42,        // SOURCE OFF light, side 2
    kSpriteTransferBusOffLight1 = 43,   // TRANSFER BUS OFF light, side 1
    kSpriteTransferBusOffLight2 = 44,   // TRANSFER BUS OFF light, side 2
    kSpriteGeneratorSwitchOff = 45,     // generator switch OFF
    kSpriteGeneratorSwitchCentre = 46,  // generator switch centre
    kSpriteGeneratorSwitchOn = 47,      // generator switch ON
    kSpriteToggleSwitchUp = 48,         // toggle switch up
    kSpriteToggleSwitchDown = 49,       // toggle switch down
    kSpriteLampUnlit = 50,              // lamp unlit
    kSpriteLampLit = 51,                // lamp lit
    kSpriteCabinSwitchOn = 52,          // cabin switch on
    kSpriteCabinSwitchOff = 53,         // cabin switch off
    kSpriteHoverStepUp = 54,            // hover: one step up
    kSpriteHoverFiveStepsUp = 55,       // hover: five steps up
    kSpriteHoverStepDown = 56,          // hover: one step down
    kSpriteHoverFiveStepsDown = 57,     // hover: five steps down
    kSpriteHoverClick = 58,             // hover: click
    kSpriteClickSpotMarker = 59,        // click-spot marker
    kSpriteThrustRefNone = 60,          // thrust reference: none
    kSpriteThrustRefTakeoff = 61,       // thrust reference: TO
    kSpriteThrustRefTakeoffReduced = 62,// thrust reference: D-TO
    kSpriteThrustRefClimbReduced = 63,  // thrust reference: D-CLB
    kSpriteThrustRefClimb = 64,         // thrust reference: CLB
    kSpriteThrustRefCruise = 65,        // thrust reference: CRZ
    kSpriteThrustRefGoAround = 66,      // thrust reference: G/A
    kSpriteThrustRefContinuous = 67,    // thrust reference: CON
    kSpriteThrustRefMaximum = 68,       // thrust reference: MCT
    kSpriteMcpModeLight = 69,           // MCP mode light
    kSpriteAtArmSwitchOff = 70,         // A/T ARM switch off
    kSpriteAtArmSwitchOn = 71,          // A/T ARM switch on
    kSpriteAtArmLightLit = 72,          // A/T ARM light lit
    kSpriteAtArmLightUnlit = 73,        // A/T ARM light unlit
    kSpriteFmaMcpSpd = 74,              // FMA MCP SPD
    kSpriteFmaFmcSpd = 75,              // FMA FMC SPD
    kSpriteAfdsStatusFd = 76,           // AFDS status FD
    kSpriteAfdsStatusCmd = 77,          // AFDS status CMD
    kSpriteFmaToga = 78,                // FMA TO/GA
    kSpriteFmaRetard = 79,              // FMA RETARD
    kSpriteFmaGsArmed = 80,             // FMA G/S armed
    kSpriteFmaGs = 81,                  // FMA G/S
    kSpriteFmaVorLoc = 82,              // FMA VOR/LOC
    kSpriteFlightDirectorSwitch = 83,   // flight director switch
    kSpritePanelKnob = 84,              // panel knob
    kSpriteHoverPopupMenu = 85,         // hover: popup menu
    kSpriteFuelLowLight = 86,           // fuel LOW
    kSpriteFuelImbalanceLight = 87,     // fuel IMBAL
    kSpriteFuelConfigLight = 88,        // fuel CONFIG
    kSpriteMarkerOuter = 89,            // marker beacon
    kSpriteMarkerMiddle = 90,           // marker beacon, middle
    kSpriteMarkerInner = 91,            // marker beacon, inner
    kSpriteFmaThrHold = 92,             // FMA THR HLD
    kSpriteExternalPowerSwitchOff = 93, // external power switch OFF
    kSpriteExternalPowerSwitchCentre = 94,// external power switch centre
    kSpriteExternalPowerSwitchOn = 95,  // external power switch ON
    kSpriteFmaFlare = 96,               // FMA FLARE
    kSpriteStartSwitchGround = 97,      // engine start switch GRD
    kSpriteStartSwitchOff = 98,         // engine start switch OFF
    kSpriteStartSwitchContinuous = 99,  // engine start switch CONT
    kSpriteStartSwitchFlight = 100,     // engine start switch FLT
    kSpriteStartValveOpenBox = 101,     // START VALVE OPEN box
    kSpriteIgnitionLeft = 102,          // ignition selector IGN L
    kSpriteIgnitionBoth = 103,          // ignition selector BOTH
    kSpriteIgnitionRight = 104,         // ignition selector IGN R
    kSpriteHoverTurnLeft = 105,         // hover: turn left
    kSpriteHoverTurnRight = 106,        // hover: turn right
    kSpriteFuelKgLegend = 107,          // FUEL KG legend
    kSpriteFuelLbLegend = 108,          // FUEL LB legend
    kSpriteKgThousandsLegend = 109,     // KG x 1000 legend
    kSpriteLbThousandsLegend = 110,     // LB x 1000 legend
    kSpriteLeadingEdgeLampLegend = 111, // LE TRANSIT and LE EXT lamp legend
    kSpriteCrossfeedClosed = 112,       // crossfeed selector closed
    kSpriteCrossfeedOpen = 113,         // crossfeed selector open
    kSpriteFuelPumpSwitchOff = 114,     // fuel pump switch off
    kSpriteFuelPumpSwitchOn = 115,      // fuel pump switch on
    kSpriteLowPressureLightUnlit = 116, // LOW PRESSURE light unlit
    kSpriteLowPressureLightLit = 117,   // LOW PRESSURE light lit
    kAtlasSpriteCount
};

constexpr SpriteRect kAtlasRects[] = {
    {122, 195, 131, 206},  // kSpriteN1Legend
    {36, 205, 53, 216},    // kSpriteEgtLegend
    {132, 195, 141, 205},  // kSpriteN2Legend
    {37, 195, 61, 205},    // kSpriteFfLegend
    {75, 205, 95, 216},    // kSpriteRevBox
    {58, 205, 75, 216},    // kSpriteTatLegend
    {68, 195, 90, 205},    // kSpriteOilLegend
    {92, 195, 108, 204},   // kSpriteCentreTankLegend
    {109, 195, 113, 203},  // kSpriteTank1Legend
    {114, 195, 120, 203},  // kSpriteTank2Legend
    {150, 195, 161, 205},  // kSpriteFfLegendNarrow
    {62, 241, 101, 253},   // kSpriteLowOilPressureBox
    {74, 174, 93, 180},    // kSpriteOilPressureLegend
    {74, 166, 93, 172},    // kSpriteOilTemperatureLegend
    {74, 158, 100, 164},   // kSpriteOilQuantityLegend
    {74, 150, 86, 156},    // kSpriteVibrationLegend
    {74, 142, 93, 148},    // kSpriteHydPressureLegend
    {74, 134, 100, 140},   // kSpriteHydQuantityLegend
    {88, 126, 100, 132},   // kSpriteN1AntiIceMark
    {75, 118, 95, 124},    // kSpriteEngine1Legend
    {75, 110, 95, 116},    // kSpriteEngine2Legend
    {27, 0, 33, 6},        // kSpriteSmallPointer
    {142, 174, 149, 180},  // kSpriteCelsiusLegend
    {153, 174, 160, 180},  // kSpriteFahrenheitLegend
    {108, 174, 116, 180},  // kSpritePercentLegend
    {117, 174, 129, 180},  // kSpriteKgLegend
    {130, 174, 142, 180},  // kSpriteLbLegend
    {97, 206, 104, 216},   // kSpriteInchesLegend
    {107, 206, 124, 216},  // kSpriteHpaLegend
    {66, 0, 97, 8},        // kSpriteFmaLnavArmed
    {66, 0, 83, 8},        // kSpriteFmaLnav
    {66, 8, 98, 16},       // kSpriteFmaAltHold
    {62, 16, 96, 24},      // kSpriteFmaArm
    {62, 24, 96, 32},      // kSpriteFmaVnavShort
    {62, 24, 100, 32},     // kSpriteFmaVnavPath
    {65, 32, 96, 40},      // kSpriteFmaHdgSel
    {66, 40, 96, 48},      // kSpriteFmaVs
    {66, 48, 96, 56},      // kSpriteFmaN1
    {225, 1, 254, 9},      // kSpriteGroundPowerAvailableLight
    {222, 10, 250, 18},    // kSpriteGeneratorOffBusLight1
    {224, 36, 254, 43},    // kSpriteGeneratorOffBusLight2
    {222, 18, 250, 26},    // kSpriteSourceOffLight1
    {224, 44, 254, 52},    // kSpriteSourceOffLight2
    {222, 26, 250, 34},    // kSpriteTransferBusOffLight1
    {224, 52, 254, 61},    // kSpriteTransferBusOffLight2
    {189, 61, 210, 102},   // kSpriteGeneratorSwitchOff
    {211, 61, 231, 102},   // kSpriteGeneratorSwitchCentre
    {233, 61, 254, 102},   // kSpriteGeneratorSwitchOn
    {211, 103, 232, 129},  // kSpriteToggleSwitchUp
    {234, 103, 255, 129},  // kSpriteToggleSwitchDown
    {193, 1, 219, 10},     // kSpriteLampUnlit
    {193, 11, 219, 21},    // kSpriteLampLit
    {219, 192, 252, 250},  // kSpriteCabinSwitchOn
    {168, 197, 216, 247},  // kSpriteCabinSwitchOff
    {0, 236, 15, 251},     // kSpriteHoverStepUp
    {18, 236, 33, 255},    // kSpriteHoverFiveStepsUp
    {0, 230, 15, 245},     // kSpriteHoverStepDown
    {18, 226, 33, 245},    // kSpriteHoverFiveStepsDown
    {0, 236, 15, 255},     // kSpriteHoverClick
    {0, 239, 15, 244},     // kSpriteClickSpotMarker
    {107, 160, 126, 170},  // kSpriteThrustRefNone
    {116, 149, 129, 159},  // kSpriteThrustRefTakeoff
    {106, 149, 127, 159},  // kSpriteThrustRefTakeoffReduced
    {106, 138, 134, 148},  // kSpriteThrustRefClimbReduced
    {116, 138, 134, 148},  // kSpriteThrustRefClimb
    {106, 127, 124, 137},  // kSpriteThrustRefCruise
    {106, 116, 122, 126},  // kSpriteThrustRefGoAround
    {106, 105, 124, 115},  // kSpriteThrustRefContinuous
    {106, 94, 124, 104},   // kSpriteThrustRefMaximum
    {223, 138, 240, 147},  // kSpriteMcpModeLight
    {240, 133, 255, 150},  // kSpriteAtArmSwitchOff
    {240, 161, 255, 177},  // kSpriteAtArmSwitchOn
    {240, 177, 255, 183},  // kSpriteAtArmLightLit
    {240, 155, 255, 160},  // kSpriteAtArmLightUnlit
    {68, 56, 98, 64},      // kSpriteFmaMcpSpd
    {35, 56, 66, 64},      // kSpriteFmaFmcSpd
    {106, 72, 127, 82},    // kSpriteAfdsStatusFd
    {106, 61, 127, 71},    // kSpriteAfdsStatusCmd
    {66, 64, 96, 71},      // kSpriteFmaToga
    {68, 72, 95, 79},      // kSpriteFmaRetard
    {65, 80, 97, 87},      // kSpriteFmaGsArmed
    {65, 80, 79, 87},      // kSpriteFmaGs
    {65, 88, 96, 95},      // kSpriteFmaVorLoc
    {136, 0, 185, 22},     // kSpriteFlightDirectorSwitch
    {180, 22, 209, 55},    // kSpritePanelKnob
    {36, 234, 51, 255},    // kSpriteHoverPopupMenu
    {0, 215, 26, 223},     // kSpriteFuelLowLight
    {0, 207, 27, 215},     // kSpriteFuelImbalanceLight
    {0, 199, 28, 207},     // kSpriteFuelConfigLight
    {101, 242, 114, 255},  // kSpriteMarkerOuter
    {115, 242, 128, 255},  // kSpriteMarkerMiddle
    {129, 242, 142, 255},  // kSpriteMarkerInner
    {65, 96, 96, 103},     // kSpriteFmaThrHold
    {169, 152, 189, 193},  // kSpriteExternalPowerSwitchOff
    {191, 152, 211, 193},  // kSpriteExternalPowerSwitchCentre
    {212, 152, 232, 193},  // kSpriteExternalPowerSwitchOn
    {35, 80, 65, 87},      // kSpriteFmaFlare
    {0, 0, 35, 39},        // kSpriteStartSwitchGround
    {0, 39, 35, 78},       // kSpriteStartSwitchOff
    {0, 78, 35, 117},      // kSpriteStartSwitchContinuous
    {0, 117, 35, 156},     // kSpriteStartSwitchFlight
    {62, 227, 101, 239},   // kSpriteStartValveOpenBox
    {147, 110, 166, 158},  // kSpriteIgnitionLeft
    {167, 110, 186, 158},  // kSpriteIgnitionBoth
    {187, 110, 206, 158},  // kSpriteIgnitionRight
    {0, 181, 25, 194},     // kSpriteHoverTurnLeft
    {7, 181, 32, 194},     // kSpriteHoverTurnRight
    {137, 93, 174, 106},   // kSpriteFuelKgLegend
    {137, 80, 174, 93},    // kSpriteFuelLbLegend
    {144, 63, 165, 79},    // kSpriteKgThousandsLegend
    {144, 46, 165, 63},    // kSpriteLbThousandsLegend
    {0, 165, 47, 177},     // kSpriteLeadingEdgeLampLegend
    {0, 259, 40, 297},     // kSpriteCrossfeedClosed
    {41, 259, 81, 297},    // kSpriteCrossfeedOpen
    {227, 255, 248, 287},  // kSpriteFuelPumpSwitchOff
    {205, 255, 226, 287},  // kSpriteFuelPumpSwitchOn
    {103, 218, 137, 228},  // kSpriteLowPressureLightUnlit
    {103, 229, 137, 239},  // kSpriteLowPressureLightLit
};

}  // namespace quil
