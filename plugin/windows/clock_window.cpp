// The clock's face, displays and buttons: a popup window of its own, and the
// same picture inside the 2D panel.
#include <array>

#include "instruments/cockpit_light.h"
#include "render/draw_state.h"
#include "render/glyph_grid.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "systems/clock.h"
#include "systems/electrical.h"
#include "windows/clock_window.h"
#include "windows/layout_tables.h"
#include "windows/placement.h"
#include "windows/popup_window.h"
#include "windows/popups.h"

namespace quil {
namespace {

// Window-local pixels from the lower-left corner.
constexpr WindowPoint kBackdrop = {4, 4};
constexpr WindowPoint kFace = {12, 12};
constexpr WindowPoint kDisplay = {19, 19};
constexpr WindowPoint kTimeDateLamp = {77, 51};
constexpr WindowPoint kUtcLamp = {82, 85};
constexpr WindowPoint kSetLamp = {94, 69};
constexpr WindowPoint kUpperFirst = {40, 62};
constexpr WindowPoint kSeparator = {58, 64};
constexpr WindowPoint kUpperSecond = {60, 62};
constexpr WindowPoint kLowerFirst = {40, 42};
constexpr WindowPoint kLowerSecond = {60, 42};
constexpr WindowPoint kChronographLabel = {35, 60};
constexpr WindowPoint kElapsedLabel = {35, 42};
constexpr WindowPoint kHandPivot = {53, 9};
constexpr WindowPoint kRunLamp = {27, 18};
constexpr WindowPoint kHoldLamp = {26, 18};

constexpr float kDegreesPerSecondOfHand = 6.0f;
constexpr int kLampTestDigits = 88;
constexpr float kDisplayRedGreen = 0.9f;  // of the instrument brightness

enum ClockZoneId : int {
    kZoneChronograph = 1,
    kZoneElapsedTime = 1,
    kZoneMode = 3,
    kZoneSet = 4,
    kZoneReset = 6,
    kZoneSlew = 6,
    kZoneClose = 8,
    kZoneBody = 9,
};

void chronographZone(int, int, int status, int) { ChronographButton(status); }
void modeZone(int, int, int status, int) { ModeButton(status); }
void setZone(int, int, int status, int) { SetButton(status); }
void resetZone(int, int, int status, int) { ResetButton(status); }
void elapsedZone(int, int, int status, int) { ElapsedTimeButton(status); }
void slewZone(int, int, int status, int direction) { SlewButton(direction, status); }

constexpr ClickZone button(int control, int id, int argument, ZoneHandler handler) {
    return Zone(kClockLayout[control].zone, id, argument, handler);
}

constexpr ClickZone kButtonZones[] = {
    button(kClockChronographButton, kZoneChronograph, 0, chronographZone),
    button(kClockModeButton, kZoneMode, 0, modeZone),
    button(kClockSetButton, kZoneSet, 0, setZone),
    button(kClockResetButton, kZoneReset, 0, resetZone),
    button(kClockElapsedTimeButton, kZoneElapsedTime, 0, elapsedZone),
    button(kClockSlewForwardButton, kZoneSlew, 1, slewZone),
    button(kClockSlewBackButton, kZoneSlew, -1, slewZone),
};

constexpr auto kPanelClockZones = PanelZones(kButtonZones);
constexpr auto kClockZones =
    PopupZones(button(kClockClose, kZoneClose, 0, CloseZoneHandler<clockWindow>), kButtonZones,
               {0, 166, 0, 144, kZoneBody, 0, BodyZoneHandler<clockWindow>});

struct ClockFonts {
    GlfFont large{};
    int texture = 0;
};

ClockFonts fonts;

// The glyph grid lives in the window's sheet: set up again whenever the
// sheet has been loaded anew.
bool fontReady() {
    if (clockWindow.texture == 0) return false;
    if (fonts.texture != clockWindow.texture || !fonts.large.ready) {
        const GlyphGrid& g = kClockLargeGlyphs;
        SetupGlfFont(fonts.large, clockWindow.texture, g.baseChar, g.topChar, g.originRow,
                     g.charWidth, g.advance, g.charHeight, g.rowStep, g.glyphsPerRow);
        fonts.texture = clockWindow.texture;
    }
    return fonts.large.ready != 0;
}

struct Pen {
    float left, bottom;
    const float* colour;

    void sprite(int sprite, const WindowPoint& at) const {
        DrawWindowSprite(clockWindow, sprite, colour, left + at.x, bottom + at.y);
    }
    void digits(int value, const WindowPoint& at) const {
        float x = left + at.x, y = bottom + at.y;
        DrawGlfDigits(fonts.large, value, colour, 2, x, y);
    }
};

void drawHand(const Pen& pen, float degrees) {
    BeginTurn(pen.left + kHandPivot.x, pen.bottom + kHandPivot.y, degrees);
    const SpriteRecord& hand = clockWindow.sprites[kClockHand];
    DrawWindowSprite(clockWindow, kClockHand, pen.colour, -hand.width / 2.0f, 0.0f);
    EndTurn();
}

// The displays, lit only while the panel lights have power; the lamp test
// shows every digit as 8 and lights every lamp.
void drawDisplays(const Pen& pen) {
    const bool test = snapshot.annunciatorTest != 0;
    const ClockMode mode = CurrentClockMode(0);
    const bool time = mode == kClockUtcTime || mode == kClockSetTime;
    const bool utc = mode == kClockUtcTime || mode == kClockUtcDate;
    pen.sprite(kClockDisplay, kDisplay);
    pen.sprite(time ? kClockTimeLamp : kClockDateLamp, kTimeDateLamp);
    if (utc || test) pen.sprite(kClockUtcLamp, kUtcLamp);
    if (!utc || test) pen.sprite(kClockSetLamp, kSetLamp);
    if (test) pen.sprite(kClockTimeLamp, kTimeDateLamp);

    int first = 0, second = 0;
    ReadClockDisplay(0, &first, &second);
    // The value being set blinks, but holds still while it is slewed.
    const bool blankSet = !utc && snapshot.blink == 0 && !SlewActive() && !test;
    if (!(blankSet && SetField(0) == 1)) pen.digits(test ? kLampTestDigits : first, kUpperFirst);
    pen.sprite(kClockSeparator, kSeparator);
    if (!(blankSet && SetField(0) == 2)) pen.digits(test ? kLampTestDigits : second, kUpperSecond);

    int lowerFirst = 0, lowerSecond = 0, hand = 0;
    ReadTimer(0, &lowerFirst, &lowerSecond, &hand);
    if (test || lowerFirst >= 0) pen.digits(test ? kLampTestDigits : lowerFirst, kLowerFirst);
    if (test || lowerSecond >= 0) pen.digits(test ? kLampTestDigits : lowerSecond, kLowerSecond);
    const bool chronograph = hand >= 0;
    if (test || chronograph) pen.sprite(kClockChronographLabel, kChronographLabel);
    if (test || (!chronograph && lowerFirst >= 0)) pen.sprite(kClockElapsedLabel, kElapsedLabel);

    if (test) {
        for (int second = 0; second < 60; ++second) drawHand(pen, second * kDegreesPerSecondOfHand);
    } else if (hand >= 0) {
        drawHand(pen, hand * kDegreesPerSecondOfHand);
    }
    const TimerState elapsed = ElapsedTimerState(0);
    if (elapsed == kTimerRunning || test) pen.sprite(kClockRunLamp, kRunLamp);
    if (elapsed == kTimerStopped || test) pen.sprite(kClockHoldLamp, kHoldLamp);
}

void drawClock(float left, float bottom) {
    if (pluginActive == 0 || clockWindow.texture == 0 || !fontReady()) return;
    const float* light = CockpitLightColour();
    const Pen face{left, bottom, light};
    if (snapshot.transparentPanel == 0) face.sprite(kClockBackdrop, kBackdrop);
    face.sprite(kClockFace, kFace);
    if (batteryOn()) {
        const float b = snapshot.instrumentBrightness;
        const float colour[3] = {kDisplayRedGreen * b, kDisplayRedGreen * b, b};
        drawDisplays(Pen{left, bottom, colour});
    }
    face.sprite(kClockFrontFrame, {0, 0});
}

void clockContent(PopupWindow&, int left, int bottom) {
    drawClock(static_cast<float>(left), static_cast<float>(bottom));
}

PopupWindow makeClockWindow() {
    PopupWindow window = MakePopupWindow(kClockSheet, kWindowClock, kClockZones.data(),
                                         clockContent, nullptr, false);
    window.ownBackground = true;
    return window;
}

}  // namespace

PopupWindow clockWindow = makeClockWindow();

void DrawClockWindow(int mode, float x, float y) {
    if (mode == kPlacementEmbedded) drawClock(x, y);
}

void ClockWindowClick(int x, int y, int status, int) {
    if (clockWindow.texture != 0)
        HandleZoneClick(clockWindow, kPanelClockZones.data(), x, y, status);
}

void OpenClockWindow() { OpenWindow(clockWindow, kPlacementAlone); }

}  // namespace quil
