// The popup windows' sheets: each window's background (a panel plate with
// its legends, lamp lenses, displays and the mounts its controls sit on)
// and the switches, guards, knobs, lights and digits drawn over it, each
// inside its rectangle; and the glyph grids of the aux fuel panel, the
// clock and the fuel station. What the plug-in tints is drawn light.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "artwork/controls.h"
#include "artwork/pixel_fonts.h"
#include "artwork/sheets.h"
#include "windows/layout_tables.h"
#include "windows/sheet_tables.h"

namespace artwork {
namespace {

using namespace quil;  // the sheets, their sprite names and rectangles, the layouts

constexpr Colour kPlate = {0.62f, 0.63f, 0.66f, 1.0f};
constexpr Colour kPlateEdge = {0.3f, 0.31f, 0.33f, 1.0f};
constexpr Colour kPlateLine = {0.9f, 0.9f, 0.92f, 1.0f};
constexpr Colour kMount = {0.24f, 0.25f, 0.27f, 1.0f};
constexpr Colour kDisplayGlass = {0.03f, 0.04f, 0.03f, 1.0f};
constexpr Colour kDigitGreen = {0.55f, 1.0f, 0.55f, 1.0f};
constexpr Colour kGuardRed = {0.78f, 0.1f, 0.08f, 0.92f};
constexpr Colour kGuardEdge = {0.4f, 0.03f, 0.02f, 1.0f};
constexpr Colour kCloseFace = {0.2f, 0.2f, 0.22f, 1.0f};

// What the background shows at a place of the window besides the mounts of
// its controls, in window pixels with both edges counted.
enum class Mark { Legend, SmallLegend, Display, Group };

struct Feature {
    Mark mark;
    int x0, y0, x1, y1;
    const char* text;
};

Box boxOf(int x0, int y0, int x1, int y1) { return {x0, y0, x1 + 1, y1 + 1}; }
Box boxOf(const SpriteRect& r) { return boxOf(r.x0, r.y0, r.x1, r.y1); }
// A box of a window's layout, inside the window's rectangle on the sheet.
Box boxOf(const SpriteRect& window, const WindowBox& b) {
    return boxOf(window.x0 + b.x0, window.y0 + b.y0, window.x0 + b.x1, window.y0 + b.y1);
}
Box inset(const Box& box, int by) {
    return {box.left + by, box.bottom + by, box.right - by, box.top - by};
}

void text(Canvas& canvas, const Box& box, const char* line, const Colour& colour,
          FontChoice choice) {
    ClipTo(canvas, box);
    if (!DrawLabel(canvas, box, {line}, colour, choice)) {
        std::fprintf(stderr, "quil-artwork: window legend \"%s\" cut\n", line);
    }
}

void closeButton(Canvas& canvas, const Box& box) {
    ClipTo(canvas, box);
    FillRoundRect(canvas, box.left, box.bottom, box.right, box.top, 2.0f, kPlateEdge);
    FillRoundRect(canvas, box.left + 1, box.bottom + 1, box.right - 1, box.top - 1, 1.5f,
                  kCloseFace);
    const float cx = box.centreX(), cy = box.centreY(), r = 0.3f * box.height();
    StrokeLine(canvas, {cx - r, cy - r}, {cx + r, cy + r}, 1.6f, kWhite);
    StrokeLine(canvas, {cx - r, cy + r}, {cx + r, cy - r}, 1.6f, kWhite);
}

// A knob's scale: ticks round where the knob sits.
void knobScale(Canvas& canvas, const Box& box) {
    ClipTo(canvas, box);
    const float cx = box.centreX(), cy = box.centreY();
    const float r = 0.5f * std::min(box.width(), box.height()) - 1.5f;
    for (int k = 0; k < 8; ++k) {
        const float a = (-105.0f + 30.0f * k) * kPi / 180.0f;
        StrokeLine(canvas, {cx + 0.75f * r * std::sin(a), cy + 0.75f * r * std::cos(a)},
                   {cx + r * std::sin(a), cy + r * std::cos(a)}, 1.2f, kPlateLine);
    }
    FillCircle(canvas, cx, cy, 0.62f * r, kMount);
}

void feature(Canvas& canvas, const Feature& f) {
    const Box box = boxOf(f.x0, f.y0, f.x1, f.y1);
    ClipTo(canvas, box);
    switch (f.mark) {
        case Mark::Legend:
            text(canvas, box, f.text, kPlateLine, FontChoice::LargeFirst);
            return;
        case Mark::SmallLegend:
            text(canvas, box, f.text, kPlateLine, FontChoice::SmallOnly);
            return;
        case Mark::Display:
            FillBox(canvas, box, kPlateEdge);
            FillBox(canvas, inset(box, 1), kDisplayGlass);
            return;
        case Mark::Group:
            OutlineBox(canvas, box, kPlateLine);
            return;
    }
}

// What a control sits on, inside the window's rectangle on the sheet.
void mount(Canvas& canvas, const SpriteRect& window, const ControlLayout& control) {
    const Box box = boxOf(window, MountBox(control));
    ClipTo(canvas, box);
    switch (control.mount) {
        case ControlMount::None:
            return;
        case ControlMount::Plate:
            FillRoundRect(canvas, box.left, box.bottom, box.right, box.top, 2.5f, kPlateEdge);
            FillRoundRect(canvas, box.left + 1, box.bottom + 1, box.right - 1, box.top - 1, 2.0f,
                          kMount);
            return;
        case ControlMount::KnobScale:
            knobScale(canvas, box);
            return;
        case ControlMount::CloseButton:
            closeButton(canvas, box);
            return;
        case ControlMount::Opening:
            ClearBox(canvas, box);
            return;
    }
}

// A window's plate with its features, inside the sprite's rectangle.
void plate(Canvas& canvas, const SpriteRect& rect, const std::vector<Feature>& features) {
    const Box box = boxOf(rect);
    ClipTo(canvas, box);
    FillBox(canvas, box, kPlateEdge);
    FillBox(canvas, inset(box, 1), kPlate);
    for (const int dx : {4, box.width() - 5}) {
        for (const int dy : {4, box.height() - 5}) {
            FillCircle(canvas, box.left + dx + 0.5f, box.bottom + dy + 0.5f, 2.0f, kPlateEdge);
        }
    }
    for (Feature f : features) {
        f.x0 += rect.x0, f.x1 += rect.x0, f.y0 += rect.y0, f.y1 += rect.y0;
        feature(canvas, f);
    }
}

// The same with the mounts of the window's controls.
template <int N>
void plate(Canvas& canvas, const SpriteRect& rect, const ControlLayout (&controls)[N],
           const std::vector<Feature>& features) {
    plate(canvas, rect, features);
    for (const ControlLayout& control : controls) mount(canvas, rect, control);
}

// The window's lamp lenses with their legends.
template <int N>
void lenses(Canvas& canvas, const SpriteRect& window, const LampLayout (&lamps)[N]) {
    for (const LampLayout& lamp : lamps) {
        const Box box = boxOf(window, lamp.lens);
        ClipTo(canvas, box);
        FillRoundRect(canvas, box.left, box.bottom, box.right, box.top, 1.5f, kLens);
        text(canvas, box, lamp.legend, kAmberLegendDim, FontChoice::SmallOnly);
    }
}

// ---- Controls drawn over the backgrounds ------------------------------------

void toggle(Canvas& canvas, const SpriteRect& rect, int direction) {
    ToggleSwitch(canvas, boxOf(rect), direction);
}

// A red guard over a switch: shut over it, or lifted, showing the lever.
void guardedSwitch(Canvas& canvas, const SpriteRect& rect, bool closed, int lever) {
    const Box box = boxOf(rect);
    const Box leverArea = {box.left + 4, box.bottom + 2, box.right - 4, box.top - 8};
    ToggleSwitch(canvas, leverArea, lever);
    ClipTo(canvas, box);
    if (closed) {
        FillRoundRect(canvas, box.left + 2, box.bottom + 1, box.right - 2, box.top - 4, 3.0f,
                      kGuardEdge);
        FillRoundRect(canvas, box.left + 3, box.bottom + 2, box.right - 3, box.top - 5, 2.5f,
                      kGuardRed);
        for (int y = box.bottom + 6; y < box.top - 6; y += 5) {
            StrokeLine(canvas, {box.left + 6.0f, float(y)}, {box.right - 6.0f, float(y + 3)}, 1.0f,
                       kGuardEdge);
        }
    }
    FillRoundRect(canvas, box.left + 2, box.top - 7, box.right - 2, box.top - 1, 2.0f, kGuardEdge);
    FillRoundRect(canvas, box.left + 3, box.top - 6, box.right - 3, box.top - 2, 1.5f, kGuardRed);
}

void knob(Canvas& canvas, const SpriteRect& rect, float degrees) {
    const Box box = boxOf(rect);
    PointerKnob(canvas, box, box.centreX(), box.centreY(),
                0.5f * std::min(box.width(), box.height()) - 3.0f, degrees);
}

// Engine start switches: GRD, OFF, CONT, FLT.
void startSwitches(Canvas& canvas, const SpriteRect* rects) {
    const float angles[4] = {-70, -25, 20, 65};
    for (int position = 0; position < 4; ++position) {
        knob(canvas, rects[position], angles[position]);
    }
}

void digit(Canvas& canvas, const SpriteRect& rect, const char* glyph) {
    const Box box = boxOf(rect);
    ClipTo(canvas, box);
    DrawText(canvas, box.left + 1, box.bottom + 2, glyph, PixelFont::Large, kDigitGreen);
}

void light(Canvas& canvas, const SpriteRect& rect, const char* legend, bool lit) {
    const Box box = boxOf(rect);
    ClipTo(canvas, box);
    FillRoundRect(canvas, box.left, box.bottom, box.right, box.top, 1.5f,
                  lit ? kGreenLens : kLens);
    if (lit) {
        FillGlow(canvas, box.centreX(), box.centreY(), 0.6f * box.width(), 0.9f * box.height(),
                 kGreenGlow);
    }
    if (legend[0] != '\0') {
        text(canvas, box, legend, lit ? kLegendDark : kKnobRim, FontChoice::SmallOnly);
    }
}

// Characters from base to top in the grid's cells; ';' is every segment
// lit, for the lamp test.
void glyphGrid(Canvas& canvas, const GlyphGrid& grid, PixelFont font) {
    for (int ch = grid.baseChar; ch <= grid.topChar; ++ch) {
        const int index = ch - grid.baseChar;
        const int column = index % grid.glyphsPerRow, row = index / grid.glyphsPerRow;
        const int bottom = grid.originRow + row * grid.rowStep;
        const Box cell = {column * grid.charWidth, bottom, (column + 1) * grid.charWidth,
                          bottom + std::abs(grid.charHeight)};
        ClipTo(canvas, cell);
        if (ch == ';') {
            FillBox(canvas, inset(cell, 1), kWhite);
            continue;
        }
        const std::string glyph(1, static_cast<char>(ch));
        const int x = cell.left + (cell.width() - TextWidth(glyph, font)) / 2;
        const int y = cell.bottom + (cell.height() - FontHeight(font)) / 2;
        DrawText(canvas, x, y, glyph, font, kWhite);
    }
}

// ---- The sheets -------------------------------------------------------------

Canvas meterSheet() {
    Canvas canvas = MakeCanvas(kMeterSheet.width, kMeterSheet.height);
    plate(canvas, kMeterSprites[kMeterBackground], kMeterLayout,
          {
              {Mark::Legend, 40, 332, 168, 344, "AC DC METERS"},
              {Mark::Display, 8, 290, 80, 322, ""},
              {Mark::Display, 90, 290, 162, 322, ""},
              {Mark::Display, 90, 250, 162, 282, ""},
              {Mark::SmallLegend, 8, 280, 80, 288, "DC VOLTS  AMPS"},
              {Mark::SmallLegend, 90, 240, 162, 248, "CPS FREQ"},
              {Mark::SmallLegend, 8, 226, 70, 234, "DC"},
              {Mark::SmallLegend, 88, 226, 150, 234, "AC"},
              {Mark::SmallLegend, 8, 186, 18, 194, "BAT"},
              {Mark::SmallLegend, 19, 122, 49, 129, "BAT"},
              {Mark::SmallLegend, 88, 168, 118, 175, "TEST"},
              {Mark::Group, 48, 57, 116, 91, ""},
              {Mark::SmallLegend, 50, 94, 116, 101, "STANDBY POWER"},
              {Mark::SmallLegend, 50, 48, 76, 55, "BAT"},
              {Mark::SmallLegend, 77, 48, 95, 55, "OFF"},
              {Mark::SmallLegend, 96, 48, 116, 55, "AUTO"},
              {Mark::SmallLegend, 4, 12, 166, 19, "GEN DRIVE DISCONNECT"},
              {Mark::SmallLegend, 20, 4, 48, 11, "1"},
              {Mark::SmallLegend, 123, 4, 151, 11, "2"},
          });
    lenses(canvas, kMeterSprites[kMeterBackground], kMeterLamps);
    toggle(canvas, kMeterSprites[kMeterToggleUp], 1);
    toggle(canvas, kMeterSprites[kMeterToggleCentre], 0);
    toggle(canvas, kMeterSprites[kMeterToggleDown], -1);
    guardedSwitch(canvas, kMeterSprites[kMeterBatteryGuardClosed], true, 1);
    guardedSwitch(canvas, kMeterSprites[kMeterBatteryGuardOpen], false, 1);
    guardedSwitch(canvas, kMeterSprites[kMeterStandbyGuardClosed], true, 0);
    guardedSwitch(canvas, kMeterSprites[kMeterStandbyGuardOpen], false, 0);
    guardedSwitch(canvas, kMeterSprites[kMeterDisconnectGuardClosed], true, 1);
    guardedSwitch(canvas, kMeterSprites[kMeterDisconnectGuardOpen], false, 1);
    knob(canvas, kMeterSprites[kMeterSelectorKnob], 0.0f);
    const char* digits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int d = 0; d < 10; ++d) digit(canvas, kMeterSprites[kMeterDigitZero + d], digits[d]);
    digit(canvas, kMeterSprites[kMeterMinus], "-");
    toggle(canvas, kMeterSprites[kMeterTwoPositionSwitch], 1);
    toggle(canvas, kMeterSprites[kMeterTwoPositionSwitch + 1], -1);
    guardedSwitch(canvas, kMeterSprites[kMeterBatteryOff], false, -1);
    guardedSwitch(canvas, kMeterSprites[kMeterStandbyOff], false, -1);
    guardedSwitch(canvas, kMeterSprites[kMeterStandbyBat], false, 1);
    guardedSwitch(canvas, kMeterSprites[kMeterDriveDisconnected], false, -1);
    return canvas;
}

Canvas apuSheet() {
    Canvas canvas = MakeCanvas(kApuSheet.width, kApuSheet.height);
    plate(canvas, kApuSprites[kApuBackground], kApuLayout,
          {
              {Mark::SmallLegend, 104, 240, 166, 247, "AVAILABLE"},
              {Mark::SmallLegend, 100, 204, 166, 211, "GRD PWR"},
              {Mark::Group, 55, 154, 115, 180, ""},
              {Mark::SmallLegend, 55, 183, 115, 190, "BUS TRANSFER"},
              {Mark::SmallLegend, 20, 162, 52, 169, "AUTO"},
              {Mark::SmallLegend, 118, 162, 166, 169, "OFF"},
              {Mark::SmallLegend, 14, 92, 44, 99, "GEN 1"},
              {Mark::SmallLegend, 46, 92, 76, 99, "APU"},
              {Mark::SmallLegend, 94, 92, 124, 99, "APU"},
              {Mark::SmallLegend, 126, 92, 156, 99, "GEN 2"},
              {Mark::SmallLegend, 80, 60, 116, 67, "APU"},
              {Mark::SmallLegend, 46, 44, 78, 51, "OFF"},
              {Mark::SmallLegend, 46, 20, 78, 27, "START"},
              {Mark::SmallLegend, 114, 62, 160, 69, "ENG 1 START"},
          });
    lenses(canvas, kApuSprites[kApuBackground], kApuLamps);
    toggle(canvas, kApuSprites[kApuToggleUp], 1);
    toggle(canvas, kApuSprites[kApuToggleCentre], 0);
    toggle(canvas, kApuSprites[kApuToggleDown], -1);
    knob(canvas, kApuSprites[kApuSelectorOff], -45.0f);
    knob(canvas, kApuSprites[kApuSelectorOn], 0.0f);
    knob(canvas, kApuSprites[kApuSelectorStart], 45.0f);
    guardedSwitch(canvas, kApuSprites[kApuBusTransferGuardClosed], true, 1);
    guardedSwitch(canvas, kApuSprites[kApuBusTransferGuardOpen], false, 1);
    guardedSwitch(canvas, kApuSprites[kApuBusTransferOff], false, -1);
    startSwitches(canvas, &kApuSprites[kApuStartSwitchGround]);
    return canvas;
}

Canvas cabinUtilitiesSheet() {
    Canvas canvas = MakeCanvas(kCabinUtilitiesSheet.width, kCabinUtilitiesSheet.height);
    plate(canvas, kCabinUtilitiesSprites[kCabinBackground], kCabinLayout,
          {
              {Mark::SmallLegend, 26, 642, 80, 650, "CABIN"},
              {Mark::SmallLegend, 2, 370, 40, 377, "CAB"},
              {Mark::SmallLegend, 44, 370, 80, 377, "IFE"},
              {Mark::Group, 23, 227, 62, 296, ""},
              {Mark::SmallLegend, 4, 300, 80, 307, "EMER EXIT"},
              {Mark::SmallLegend, 4, 218, 80, 225, "LIGHTS"},
              {Mark::SmallLegend, 2, 166, 40, 173, "WIPER"},
              {Mark::SmallLegend, 44, 166, 80, 173, "WIPER"},
              {Mark::SmallLegend, 4, 64, 80, 71, "ENG 2 START"},
          });
    toggle(canvas, kCabinUtilitiesSprites[kCabinToggleUp], 1);
    toggle(canvas, kCabinUtilitiesSprites[kCabinToggleCentre], 0);
    toggle(canvas, kCabinUtilitiesSprites[kCabinToggleDown], -1);
    startSwitches(canvas, &kCabinUtilitiesSprites[kCabinStartSwitchGround]);
    guardedSwitch(canvas, kCabinUtilitiesSprites[kCabinSelectorGuardClosed], true, 0);
    guardedSwitch(canvas, kCabinUtilitiesSprites[kCabinSelectorCentre], false, 0);
    guardedSwitch(canvas, kCabinUtilitiesSprites[kCabinSelectorLeft], false, 1);
    guardedSwitch(canvas, kCabinUtilitiesSprites[kCabinSelectorRight], false, -1);
    const float wiperAngles[4] = {-60, -20, 20, 60};
    for (int position = 0; position < 4; ++position) {
        knob(canvas, kCabinUtilitiesSprites[kCabinWiperSelector + position],
             wiperAngles[position]);
    }
    return canvas;
}

Canvas antiIceSheet() {
    Canvas canvas = MakeCanvas(kAntiIceSheet.width, kAntiIceSheet.height);
    plate(canvas, kAntiIceSprites[kIceBackground], kAntiIceLayout,
          {
              {Mark::SmallLegend, 30, 247, 140, 254, "WINDOW HEAT"},
              {Mark::SmallLegend, 142, 237, 166, 244, "OVHT"},
              {Mark::SmallLegend, 142, 224, 166, 231, "ON"},
              {Mark::SmallLegend, 66, 210, 100, 217, "TEST"},
              {Mark::SmallLegend, 4, 166, 36, 172, "L SIDE"},
              {Mark::SmallLegend, 36, 166, 66, 172, "L FWD"},
              {Mark::SmallLegend, 102, 166, 132, 172, "R FWD"},
              {Mark::SmallLegend, 132, 166, 166, 172, "R SIDE"},
              {Mark::SmallLegend, 50, 108, 120, 115, "PROBE HEAT"},
              {Mark::SmallLegend, 58, 124, 76, 131, "A"},
              {Mark::SmallLegend, 92, 124, 110, 131, "B"},
              {Mark::SmallLegend, 4, 86, 80, 93, "WING ANTI-ICE"},
              {Mark::SmallLegend, 84, 86, 166, 93, "ENG ANTI-ICE"},
              {Mark::SmallLegend, 4, 44, 80, 51, "VALVE OPEN"},
              {Mark::SmallLegend, 84, 44, 166, 51, "VALVE OPEN"},
          });
    toggle(canvas, kAntiIceSprites[kIceLeverUp], 1);
    toggle(canvas, kAntiIceSprites[kIceLeverDown], -1);
    toggle(canvas, kAntiIceSprites[kIceLeverCentre], 0);
    toggle(canvas, kAntiIceSprites[kIceWingLeverUp], 1);
    toggle(canvas, kAntiIceSprites[kIceWingLeverDown], -1);
    guardedSwitch(canvas, kAntiIceSprites[kIceGuardClosed], true, 1);
    guardedSwitch(canvas, kAntiIceSprites[kIceGuardOpen], false, 1);
    return canvas;
}

Canvas fuelSheet() {
    Canvas canvas = MakeCanvas(kFuelSheet.width, kFuelSheet.height);
    plate(canvas, kFuelSprites[kFuelBackground], kFuelLayout,
          {
              {Mark::SmallLegend, 40, 244, 166, 251, "FUEL"},
              {Mark::SmallLegend, 50, 176, 120, 183, "CROSSFEED"},
              {Mark::SmallLegend, 50, 120, 120, 127, "CENTER"},
              {Mark::SmallLegend, 14, 68, 74, 75, "AFT  FWD"},
              {Mark::SmallLegend, 96, 68, 158, 75, "FWD  AFT"},
              {Mark::SmallLegend, 14, 12, 74, 19, "1"},
              {Mark::SmallLegend, 96, 12, 158, 19, "2"},
          });
    lenses(canvas, kFuelSprites[kFuelBackground], kFuelLamps);
    const SpriteRect& bleed = kFuelSprites[kFuelAuxBleedStrip];
    plate(canvas, bleed, kFuelBleedStripLayout,
          {
              {Mark::SmallLegend, 40, 44, 56, 51, "BLD"},
              {Mark::SmallLegend, 82, 44, 110, 51, "AUX"},
          });
    plate(canvas, kFuelSprites[kFuelAuxTransferStrip], kFuelTransferStripLayout,
          {
              {Mark::SmallLegend, 40, 40, 56, 47, "XFR"},
          });
    toggle(canvas, kFuelSprites[kFuelToggleUp], 1);
    toggle(canvas, kFuelSprites[kFuelToggleDown], -1);
    knob(canvas, kFuelSprites[kFuelCrossfeedClosed], 90.0f);
    knob(canvas, kFuelSprites[kFuelCrossfeedOpen], 0.0f);
    for (int mode = 0; mode < 3; ++mode) {
        knob(canvas, kFuelSprites[kFuelAuxMode + mode], -45.0f + 45.0f * mode);
    }
    return canvas;
}

Canvas auxFuelSheet() {
    Canvas canvas = MakeCanvas(kAuxFuelSheet.width, kAuxFuelSheet.height);
    // The frame leaves the keys and the displays open to what lies beneath.
    const SpriteRect& frame = kAuxFuelSprites[kAfcpFrame];
    plate(canvas, frame, kAuxFuelLayout,
          {
              {Mark::SmallLegend, 64, 136, 164, 143, "AUX FUEL"},
          });
    const std::vector<Feature> displays = {
        {Mark::Display, 56, 104, 120, 135, ""},
        {Mark::Display, 94, 44, 132, 84, ""},
    };
    for (const Feature& display : displays) {
        const Box hole = boxOf(display.x0, display.y0, display.x1, display.y1);
        ClipTo(canvas, hole);
        ClearBox(canvas, hole);
    }
    plate(canvas, kAuxFuelSprites[kAfcpBackground], displays);
    light(canvas, kAuxFuelSprites[kAfcpIndicatorOn], "", true);
    light(canvas, kAuxFuelSprites[kAfcpIndicatorOff], "", false);
    const SpriteRect& legends = kAuxFuelSprites[kAfcpLegendPlate];
    text(canvas, boxOf(legends), "FWD AFT", kPlateLine, FontChoice::SmallOnly);
    light(canvas, kAuxFuelSprites[kAfcpKeyLit], "MSG", true);
    light(canvas, kAuxFuelSprites[kAfcpTestKeyLit], "TEST", true);
    light(canvas, kAuxFuelSprites[kAfcpTestKeyUnlit], "TEST", false);
    light(canvas, kAuxFuelSprites[kAfcpKeyUnlit], "MSG", false);
    glyphGrid(canvas, kAfcpLargeGlyphs, PixelFont::Large);
    glyphGrid(canvas, kAfcpSmallGlyphs, PixelFont::Small);
    return canvas;
}

Canvas clockSheet() {
    Canvas canvas = MakeCanvas(kClockSheet.width, kClockSheet.height);
    plate(canvas, kClockSprites[kClockBackdrop], {});
    const Box face = boxOf(kClockSprites[kClockFace]);
    ClipTo(canvas, face);
    FillCircle(canvas, face.centreX(), face.centreY(), 0.5f * face.height() - 1.0f, kKnob);
    for (int k = 0; k < 60; ++k) {
        const float a = k * 6.0f * kPi / 180.0f, r = 0.5f * face.height() - 3.0f;
        const float inner = k % 5 == 0 ? r - 5.0f : r - 2.0f;
        const float cx = face.centreX(), cy = face.centreY();
        StrokeLine(canvas, {cx + inner * std::sin(a), cy + inner * std::cos(a)},
                   {cx + r * std::sin(a), cy + r * std::cos(a)}, 1.0f, kWhite);
    }
    const Box display = boxOf(kClockSprites[kClockDisplay]);
    ClipTo(canvas, display);
    FillBox(canvas, display, kWhite);
    const struct {
        int sprite;
        const char* legend;
    } labels[] = {{kClockTimeLamp, "TIME"}, {kClockDateLamp, "DATE"}, {kClockUtcLamp, "UTC"},
                  {kClockSetLamp, "SET"},   {kClockChronographLabel, "CHR"},
                  {kClockElapsedLabel, "ET"}, {kClockRunLamp, "RUN"}, {kClockHoldLamp, "HLD"}};
    for (const auto& label : labels) {
        text(canvas, boxOf(kClockSprites[label.sprite]), label.legend, kWhite,
             FontChoice::SmallOnly);
    }
    const Box separator = boxOf(kClockSprites[kClockSeparator]);
    ClipTo(canvas, separator);
    FillBox(canvas, {separator.left + 1, separator.bottom + 2, separator.right - 1,
                     separator.bottom + 4}, kWhite);
    FillBox(canvas, {separator.left + 1, separator.bottom + 6, separator.right - 1,
                     separator.bottom + 8}, kWhite);
    const Box hand = boxOf(kClockSprites[kClockHand]);
    ClipTo(canvas, hand);
    FillBox(canvas, hand, kWhite);
    const SpriteRect& front = kClockSprites[kClockFrontFrame];
    plate(canvas, front, kClockLayout,
          {
              {Mark::SmallLegend, 4, 86, 26, 93, "CHR"},
              {Mark::SmallLegend, 0, 32, 11, 39, "ET"},
          });
    const Box opening = boxOf(front.x0 + 12, front.y0 + 12, front.x0 + 88, front.y0 + 88);
    ClipTo(canvas, opening);
    ClearBox(canvas, opening);
    glyphGrid(canvas, kClockLargeGlyphs, PixelFont::Large);
    glyphGrid(canvas, kClockSmallGlyphs, PixelFont::Small);
    return canvas;
}

Canvas fuelStationSheet() {
    Canvas canvas = MakeCanvas(kFuelStationSheet.width, kFuelStationSheet.height);
    plate(canvas, kFuelStationSprites[kStationBackground], kFuelStationLayout,
          {
              {Mark::Legend, 40, 130, 250, 142, "REFUELING"},
              {Mark::SmallLegend, 4, 60, 46, 67, "TEST"},
              {Mark::Display, 60, 40, 116, 56, ""},
              {Mark::Display, 125, 40, 181, 56, ""},
              {Mark::Display, 193, 40, 249, 56, ""},
              {Mark::SmallLegend, 60, 24, 116, 31, "LEFT"},
              {Mark::SmallLegend, 125, 24, 181, 31, "CENTER"},
              {Mark::SmallLegend, 193, 24, 249, 31, "RIGHT"},
              {Mark::SmallLegend, 60, 76, 250, 83, "VALVE"},
          });
    plate(canvas, kFuelStationSprites[kStationAuxBackground], kFuelStationAuxLayout,
          {
              {Mark::SmallLegend, 4, 76, 136, 83, "AUX REFUEL"},
              {Mark::SmallLegend, 4, 51, 44, 58, "LEFT"},
              {Mark::SmallLegend, 4, 29, 44, 36, "RIGHT"},
              {Mark::SmallLegend, 116, 60, 136, 67, "OFF"},
              {Mark::SmallLegend, 116, 28, 136, 35, "ON"},
          });
    toggle(canvas, kFuelStationSprites[kStationToggleUp], 1);
    toggle(canvas, kFuelStationSprites[kStationToggleCentre], 0);
    toggle(canvas, kFuelStationSprites[kStationToggleDown], -1);
    light(canvas, kFuelStationSprites[kStationValveLightOff], "", false);
    light(canvas, kFuelStationSprites[kStationValveLightOn], "", true);
    text(canvas, boxOf(kFuelStationSprites[kStationFeedsMain]), "MAIN", kWhite,
         FontChoice::SmallOnly);
    text(canvas, boxOf(kFuelStationSprites[kStationFeedsAux]), "AUX", kWhite,
         FontChoice::SmallOnly);
    glyphGrid(canvas, kStationDigitGlyphs, PixelFont::Large);
    return canvas;
}

Canvas fuelRequestSheet() {
    Canvas canvas = MakeCanvas(kFuelRequestSheet.width, kFuelRequestSheet.height);
    const Box banner = boxOf(kFuelRequestSprites[kFuelRequestBanner]);
    ClipTo(canvas, banner);
    FillBox(canvas, banner, kPlateEdge);
    FillBox(canvas, inset(banner, 2), kBezel);
    FillRoundRect(canvas, 20, 20, 76, 76, 6.0f, kAmberLegend);
    FillPolygon(canvas, {{36, 30}, {60, 30}, {60, 52}, {48, 68}, {36, 52}}, kBezel);
    text(canvas, {96, 40, 500, 60}, "FUEL REQUEST", kPanelText, FontChoice::LargeFirst);
    return canvas;
}

}  // namespace

std::vector<NamedCanvas> DrawWindowSheets() {
    return {
        {kMeterSheet.file, meterSheet()},
        {kApuSheet.file, apuSheet()},
        {kCabinUtilitiesSheet.file, cabinUtilitiesSheet()},
        {kAntiIceSheet.file, antiIceSheet()},
        {kFuelSheet.file, fuelSheet()},
        {kAuxFuelSheet.file, auxFuelSheet()},
        {kClockSheet.file, clockSheet()},
        {kFuelStationSheet.file, fuelStationSheet()},
        {kFuelRequestSheet.file, fuelRequestSheet()},
    };
}

}  // namespace artwork
