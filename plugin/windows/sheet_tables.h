// The popup windows' artwork sheets: file name, size and sprite rectangles
// (x0, y0, x1, y1, both edges counted, y from the bottom edge of the
// picture), and the glyph grids that three of them carry. Shared by the
// plug-in and by the artwork generator, which draws each sprite inside its
// rectangle. Every sheet holds its window's background as sprite 0.
#pragma once

#include "render/sprites.h"

namespace quil {

struct WindowSheet {
    const char* file;
    int width, height;  // texels
    const SpriteRect* sprites;
    int spriteCount;
};

// Characters in rows of equal cells, as the glyph-grid fonts read them.
struct GlyphGrid {
    int baseChar, topChar;
    int originRow;  // texel row of the first glyph row
    int charWidth, advance, charHeight;
    int rowStep;  // texels from one glyph row to the next
    int glyphsPerRow;
};

template <int N>
constexpr WindowSheet MakeSheet(const char* file, int width, int height,
                                const SpriteRect (&sprites)[N]) {
    return {file, width, height, sprites, N};
}

// ---- AC/DC meter panel, 170 x 348 -----------------------------------------

enum MeterSprite : int {
    kMeterBackground,
    kMeterToggleUp,
    kMeterToggleCentre,
    kMeterToggleDown,
    kMeterBatteryGuardClosed,
    kMeterBatteryGuardOpen,
    kMeterStandbyGuardClosed,
    kMeterStandbyGuardOpen,
    kMeterDisconnectGuardClosed,
    kMeterDisconnectGuardOpen,
    kMeterSelectorKnob,  // pointing up; turned to its position when drawn
    kMeterDigitZero,     // then the digits 1 to 9
    kMeterMinus = kMeterDigitZero + 10,
    kMeterTwoPositionSwitch,  // up at 0; the switch at 1 is the next sprite
    kMeterBatteryOff = kMeterTwoPositionSwitch + 2,  // guard lifted, lever down
    kMeterStandbyOff,        // guard lifted, lever down
    kMeterStandbyBat,        // guard lifted, lever up
    kMeterDriveDisconnected, // guard lifted, lever down
    kMeterSpriteCount
};
static_assert(kMeterTwoPositionSwitch == 22, "the two-position switch is drawn as 22 + state");

constexpr SpriteRect kMeterSprites[kMeterSpriteCount] = {
    {0, 0, 169, 347},
    {172, 0, 191, 25},
    {192, 0, 211, 25},
    {212, 0, 231, 25},
    {172, 26, 203, 57},
    {204, 26, 235, 57},
    {172, 58, 203, 89},
    {204, 58, 235, 89},
    {172, 90, 203, 121},
    {204, 90, 235, 121},
    {172, 122, 223, 173},
    {172, 174, 178, 184},
    {179, 174, 185, 184},
    {186, 174, 192, 184},
    {193, 174, 199, 184},
    {200, 174, 206, 184},
    {207, 174, 213, 184},
    {214, 174, 220, 184},
    {221, 174, 227, 184},
    {228, 174, 234, 184},
    {235, 174, 241, 184},
    {242, 174, 248, 184},
    {172, 186, 191, 211},
    {192, 186, 211, 211},
    {212, 186, 243, 217},
    {172, 218, 203, 249},
    {204, 218, 235, 249},
    {172, 250, 203, 281},
};
constexpr WindowSheet kMeterSheet = MakeSheet("quilmeterwin.png", 256, 352, kMeterSprites);

// ---- APU and generator panel, 170 x 256 -----------------------------------

enum ApuSprite : int {
    kApuBackground,
    kApuToggleUp,
    kApuToggleCentre,
    kApuToggleDown,
    kApuSelectorOff,  // then ON and START
    kApuSelectorOn,
    kApuSelectorStart,
    kApuBusTransferGuardClosed,
    kApuBusTransferGuardOpen,
    kApuBusTransferOff,
    kApuStartSwitchGround,  // then OFF, CONT and FLT
    kApuSpriteCount = kApuStartSwitchGround + 4
};

constexpr SpriteRect kApuSprites[kApuSpriteCount] = {
    {0, 0, 169, 255},
    {172, 0, 191, 25},
    {192, 0, 211, 25},
    {212, 0, 231, 25},
    {172, 26, 207, 61},
    {208, 26, 243, 61},
    {172, 62, 207, 97},
    {208, 62, 239, 93},
    {172, 98, 203, 129},
    {204, 98, 235, 129},
    {172, 130, 207, 165},
    {208, 130, 243, 165},
    {172, 166, 207, 201},
    {208, 166, 243, 201},
};
constexpr WindowSheet kApuSheet = MakeSheet("quilapuwin.png", 256, 256, kApuSprites);

// ---- Cabin utilities strip, 82 x 657 --------------------------------------

enum CabinUtilitiesSprite : int {
    kCabinBackground,
    kCabinToggleUp,
    kCabinToggleCentre,
    kCabinToggleDown,
    kCabinStartSwitchGround,  // then OFF, CONT and FLT
    kCabinSelectorGuardClosed = kCabinStartSwitchGround + 4,
    kCabinSelectorCentre,     // guard open
    kCabinSelectorLeft,
    kCabinSelectorRight,
    kCabinWiperSelector,  // PARK, INT, LOW and HIGH
    kCabinSpriteCount = kCabinWiperSelector + 4
};

constexpr SpriteRect kCabinUtilitiesSprites[kCabinSpriteCount] = {
    {0, 0, 81, 656},
    {84, 0, 103, 25},
    {104, 0, 123, 25},
    {124, 0, 143, 25},
    {84, 26, 119, 61},
    {120, 26, 155, 61},
    {156, 26, 191, 61},
    {192, 26, 227, 61},
    {84, 62, 119, 97},
    {120, 62, 155, 97},
    {156, 62, 191, 97},
    {192, 62, 227, 97},
    {84, 98, 103, 137},
    {104, 98, 123, 137},
    {124, 98, 143, 137},
    {144, 98, 163, 137},
};
constexpr WindowSheet kCabinUtilitiesSheet =
    MakeSheet("quilcabutilswin.png", 256, 660, kCabinUtilitiesSprites);

// ---- Anti-ice panel, 170 x 256 --------------------------------------------

// Its switches are ON with the lever down.
enum AntiIceSprite : int {
    kIceBackground,
    kIceLeverUp,
    kIceLeverDown,
    kIceLeverCentre,
    kIceWingLeverUp,
    kIceWingLeverDown,
    kIceGuardClosed,
    kIceGuardOpen,
    kIceSpriteCount
};

constexpr SpriteRect kAntiIceSprites[kIceSpriteCount] = {
    {0, 0, 169, 255},
    {172, 0, 191, 25},
    {192, 0, 211, 25},
    {212, 0, 231, 25},
    {172, 26, 193, 51},
    {194, 26, 215, 51},
    {172, 52, 203, 83},
    {204, 52, 235, 83},
};
constexpr WindowSheet kAntiIceSheet = MakeSheet("quilicewin.png", 256, 256, kAntiIceSprites);

// ---- Fuel panel, 170 x 256, with its two auxiliary strips -----------------

enum FuelSprite : int {
    kFuelBackground,
    kFuelAuxBleedStrip,     // 170 x 57: bleed switches and the aux mode
    kFuelAuxTransferStrip,  // 170 x 51: the four transfer switches
    kFuelToggleUp,
    kFuelToggleDown,
    kFuelCrossfeedClosed,
    kFuelCrossfeedOpen,
    kFuelAuxMode,  // modes 0, 1 and 2
    kFuelSpriteCount = kFuelAuxMode + 3
};

constexpr SpriteRect kFuelSprites[kFuelSpriteCount] = {
    {0, 0, 169, 255},
    {0, 258, 169, 314},
    {0, 316, 169, 366},
    {172, 0, 191, 25},
    {192, 0, 211, 25},
    {172, 26, 207, 61},
    {208, 26, 243, 61},
    {172, 62, 201, 91},
    {202, 62, 231, 91},
    {172, 92, 201, 121},
};
constexpr WindowSheet kFuelSheet = MakeSheet("quilfuelwin.png", 256, 368, kFuelSprites);

// ---- Auxiliary fuel control panel, 167 x 145 ------------------------------

// The frame has openings for the keys and the displays, which are drawn
// beneath it.
enum AuxFuelSprite : int {
    kAfcpFrame,
    kAfcpBackground,
    kAfcpIndicatorOn,
    kAfcpIndicatorOff,
    kAfcpLegendPlate,
    kAfcpKeyLit,
    kAfcpTestKeyLit,
    kAfcpTestKeyUnlit,
    kAfcpKeyUnlit,
    kAfcpSpriteCount
};

constexpr SpriteRect kAuxFuelSprites[kAfcpSpriteCount] = {
    {0, 0, 166, 144},
    {0, 186, 166, 330},
    {168, 0, 179, 11},
    {180, 0, 191, 11},
    {168, 12, 247, 51},
    {168, 52, 189, 73},
    {190, 52, 211, 73},
    {212, 52, 233, 73},
    {168, 74, 189, 95},
};
constexpr WindowSheet kAuxFuelSheet = MakeSheet("quilAFCP.png", 256, 332, kAuxFuelSprites);
constexpr GlyphGrid kAfcpLargeGlyphs = {48, 95, 163, 8, 7, 12, -12, 30};
constexpr GlyphGrid kAfcpSmallGlyphs = {48, 63, 175, 7, 7, 10, 10, 30};

// ---- Clock, 167 x 145 -------------------------------------------------------

enum ClockSprite : int {
    kClockBackdrop,
    kClockFace,
    kClockDisplay,
    kClockTimeLamp,
    kClockDateLamp,
    kClockUtcLamp,
    kClockSetLamp,
    kClockSeparator,
    kClockChronographLabel,
    kClockElapsedLabel,
    kClockHand,  // pointing up from its pivot at the bottom
    kClockRunLamp,
    kClockHoldLamp,
    kClockFrontFrame,
    kClockSpriteCount
};

// The window is 167 x 145, but what it shows (backdrop, face and frame)
// fits the 118 x 118 square that holds the buttons, so that the clock
// embedded in the panel stays clear of the attitude display beside it.
constexpr SpriteRect kClockSprites[kClockSpriteCount] = {
    {0, 0, 109, 109},
    {160, 0, 253, 93},
    {304, 0, 385, 61},
    {388, 0, 405, 7},
    {408, 0, 425, 7},
    {428, 0, 441, 7},
    {444, 0, 457, 7},
    {460, 0, 463, 9},
    {388, 10, 407, 17},
    {410, 10, 429, 17},
    {388, 20, 390, 57},
    {432, 10, 443, 17},
    {446, 10, 457, 17},
    {304, 130, 421, 247},
};
constexpr WindowSheet kClockSheet = MakeSheet("quilclockwin.png", 512, 320, kClockSprites);
constexpr GlyphGrid kClockLargeGlyphs = {48, 95, 231, 10, 9, 15, -15, 20};
constexpr GlyphGrid kClockSmallGlyphs = {48, 63, 175, 7, 7, 10, 10, 30};

// ---- Fuel station, 256 x 147, with its aux window, 140 x 90 ---------------

enum FuelStationSprite : int {
    kStationBackground,
    kStationAuxBackground,
    kStationToggleUp,
    kStationToggleCentre,
    kStationToggleDown,
    kStationValveLightOff,
    kStationValveLightOn,
    kStationFeedsMain,  // the aux window's feed legends
    kStationFeedsAux,
    kStationSpriteCount
};

constexpr SpriteRect kFuelStationSprites[kStationSpriteCount] = {
    {0, 0, 255, 146},
    {0, 150, 139, 239},
    {260, 0, 279, 25},
    {280, 0, 299, 25},
    {300, 0, 319, 25},
    {322, 0, 341, 11},
    {344, 0, 363, 11},
    {260, 28, 299, 37},
    {302, 28, 341, 37},
};
constexpr WindowSheet kFuelStationSheet =
    MakeSheet("quilfuelstation.png", 512, 256, kFuelStationSprites);
// The quantity displays' digits, 6 pixels apart.
constexpr GlyphGrid kStationDigitGlyphs = {48, 57, 242, 6, 6, 10, 10, 10};

// ---- Fuel request dialog: the picture above its window ----------------------

enum FuelRequestSprite : int { kFuelRequestBanner, kFuelRequestSpriteCount };

constexpr SpriteRect kFuelRequestSprites[kFuelRequestSpriteCount] = {
    {0, 0, 511, 95},
};
constexpr WindowSheet kFuelRequestSheet =
    MakeSheet("quilfuelrequest.png", 512, 96, kFuelRequestSprites);

// Every sheet, for the artwork generator and its checks.
constexpr const WindowSheet* kWindowSheets[] = {
    &kMeterSheet, &kApuSheet,         &kCabinUtilitiesSheet, &kAntiIceSheet,
    &kFuelSheet,  &kAuxFuelSheet,     &kClockSheet,          &kFuelStationSheet,
    &kFuelRequestSheet,
};

}  // namespace quil
