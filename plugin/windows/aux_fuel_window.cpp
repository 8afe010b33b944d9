#include "windows/aux_fuel_window.h"

#include <cmath>
#include <utility>

#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "instruments/cockpit_light.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "render/glyph_grid.h"
#include "sim/sim_binding.h"
#include "sim/sim_time.h"
#include "sim/sim_values.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "systems/electrical.h"
#include "systems/fuel.h"
#include "windows/layout_tables.h"
#include "windows/placement.h"

namespace quil {
namespace {

// Window-local pixels from the lower-left corner.
constexpr WindowPoint kLegendPlate = {9, 16};
constexpr WindowPoint kFirstLine = {58, 124};
constexpr WindowPoint kSecondLine = {58, 109};
constexpr WindowPoint kForwardQuantity = {97, 72};
constexpr WindowPoint kAftQuantity = {97, 49};
constexpr WindowPoint kIndicator = {95, 61};
constexpr WindowPoint kTestIndicator = {76, 61};
// A window carried by the mouse hangs from this point of it.
constexpr WindowPoint kCarriedAt = {83, 72};

constexpr float kTestBlinkSeconds = 2.0f;
constexpr char kTestLine[] = ";;;;;;;;";
constexpr int kTestQuantity = 88888;
constexpr int kTestIndicatorValue = 88;
constexpr int kQuantityDigits = 5;

enum AfcpZoneId : int {
    kZoneClose = 1,
    kZoneTest = 2,
    kZoneListA = 3,
    kZoneListB = 4,
    kZoneBody = 5
};

struct LampTest {
    bool held = false;
    bool blink = false;  // the blank half of the test
    float blinkNext = 0.0f;
};

LampTest test;

struct AfcpFonts {
    GlfFont large{};
    GlfFont small{};
    int texture = 0;
};

AfcpFonts fonts;

void testZone(int, int, int status, int) {
    if (status == xplm_MouseDown) {
        test.held = true;
        test.blink = false;
        test.blinkNext = snapshot.now + kTestBlinkSeconds;
    }
}

void listAZone(int, int, int status, int) {
    if (status == xplm_MouseDown) AfcpNextMessageA(snapshot.now);
}

void listBZone(int, int, int status, int) {
    if (status == xplm_MouseDown) AfcpNextMessageB(snapshot.now);
}

// Any release in the window ends the lamp test.
void released() {
    test.held = false;
    test.blink = false;
    test.blinkNext = snapshot.now;
}

constexpr const ControlLayout& kListAKey = kAuxFuelLayout[kAfcpListAKey];
constexpr const ControlLayout& kListBKey = kAuxFuelLayout[kAfcpListBKey];

constexpr ClickZone kControlZones[] = {
    Zone(kAuxFuelLayout[kAfcpTestKey].zone, kZoneTest, 0, testZone),
    Zone(kListAKey.zone, kZoneListA, 0, listAZone),
    Zone(kListBKey.zone, kZoneListB, 0, listBZone),
};

constexpr auto kPanelAfcpZones = PanelZones(kControlZones);
constexpr auto kAfcpZones = PopupZones(
    Zone(kAuxFuelLayout[kAfcpClose].zone, kZoneClose, 0, CloseZoneHandler<auxFuelWindow>),
    kControlZones, {0, 167, 0, 145, kZoneBody, 0, BodyZoneHandler<auxFuelWindow>});

// The glyph grids live in the window's sheet: set up again whenever the
// sheet has been loaded anew.
bool fontsReady() {
    if (auxFuelWindow.texture == 0) return false;
    if (fonts.texture != auxFuelWindow.texture || !fonts.large.ready || !fonts.small.ready) {
        for (auto [font, grid] : {std::pair{&fonts.large, &kAfcpLargeGlyphs},
                                  std::pair{&fonts.small, &kAfcpSmallGlyphs}}) {
            SetupGlfFont(*font, auxFuelWindow.texture, grid->baseChar, grid->topChar,
                         grid->originRow, grid->charWidth, grid->advance, grid->charHeight,
                         grid->rowStep, grid->glyphsPerRow);
        }
        fonts.texture = auxFuelWindow.texture;
    }
    return fonts.large.ready != 0 && fonts.small.ready != 0;
}

struct Pen {
    float left, bottom;

    void sprite(int sprite, const float* colour, const WindowPoint& at) const {
        DrawWindowSprite(auxFuelWindow, sprite, colour, left + at.x, bottom + at.y);
    }
    void text(const char* line, const WindowPoint& at) const {
        float x = left + at.x, y = bottom + at.y;
        DrawGlfString(fonts.large, DisplayDigitColour(), line, x, y);
    }
    void number(int value, const WindowPoint& at) const {
        float x = left + at.x, y = bottom + at.y;
        DrawGlfNumber(fonts.small, value, DisplayDigitColour(), kQuantityDigits, x, y);
    }
};

void drawKey(const Pen& pen, const ControlLayout& key, bool hasMessage, bool powered,
             const float* lit) {
    const bool shown = powered && (test.held || hasMessage) && !(test.held && test.blink);
    if (shown) {
        pen.sprite(kAfcpKeyLit, lit, key.at);
    } else {
        pen.sprite(kAfcpKeyUnlit, CockpitLightColour(), key.at);
    }
}

void drawQuantity(const Pen& pen, int tank, const WindowPoint& at) {
    if (!TankPresent(tank)) return;
    const int quantity =
        test.held ? kTestQuantity
                  : static_cast<int>(std::lround(TankQuantity(tank) * FuelQuantityFactor()));
    pen.number(quantity, at);
}

void drawDisplays(const Pen& pen) {
    if (test.held) {
        if (!test.blink) {
            pen.text(kTestLine, kFirstLine);
            pen.text(kTestLine, kSecondLine);
        }
    } else {
        pen.text(AfcpMessageLine(0), kFirstLine);
        pen.text(AfcpMessageLine(1), kSecondLine);
    }
    if (test.held && test.blink) return;
    drawQuantity(pen, kForwardAuxTank, kForwardQuantity);
    drawQuantity(pen, kAftAuxTank, kAftQuantity);
    if (test.held) {
        pen.number(kTestIndicatorValue, kTestIndicator);
    } else {
        pen.sprite(AuxTransferEnabled() ? kAfcpIndicatorOn : kAfcpIndicatorOff,
                   CockpitLightColour(), kIndicator);
    }
}

// A window carried by the mouse goes where the mouse is, and stays there
// once let go.
void followMouse() {
    int x = 0, y = 0;
    XPLMGetMouseLocation(&x, &y);
    const int left = SaturatedDifference(x, static_cast<int>(kCarriedAt.x));
    const int bottom = SaturatedDifference(y, static_cast<int>(kCarriedAt.y));
    SetPlacementFromScreen(kWindowAuxFuel, kPlacementFloating, left, bottom);
    SetPlacementFromScreen(kWindowAuxFuel, kPlacementAlone, left, bottom);
}

void drawPanel(float left, float bottom) {
    if (pluginActive == 0 || !fontsReady()) return;
    const Pen pen{left, bottom};
    const float* base = CockpitLightColour();
    if (snapshot.transparentPanel == 0) pen.sprite(kAfcpBackground, base, {0, 0});

    const float level = snapshot.instrumentBrightness;
    const float lit[3] = {level, level, level};
    const float now = snapshot.now;
    if (test.held && now > test.blinkNext) {
        test.blink = !test.blink;
        test.blinkNext += kTestBlinkSeconds;
    }
    const bool powered = batteryOn();
    drawKey(pen, kListBKey, AfcpListBHasMessage(), powered, lit);
    drawKey(pen, kListAKey, AfcpListAHasMessage(), powered, lit);
    pen.sprite(kAfcpFrame, base, {0, 0});
    pen.sprite(kAfcpLegendPlate, base, kLegendPlate);
    if (powered) drawDisplays(pen);
}

void afcpContent(PopupWindow& window, int left, int bottom) {
    if (window.mode == kPlacementFloating) followMouse();
    drawPanel(static_cast<float>(left), static_cast<float>(bottom));
}

PopupWindow makeAuxFuelWindow() {
    PopupWindow window = MakePopupWindow(kAuxFuelSheet, kWindowAuxFuel, kAfcpZones.data(),
                                         afcpContent, released, false);
    window.ownBackground = true;
    window.markZones = true;
    return window;
}

}  // namespace

PopupWindow auxFuelWindow = makeAuxFuelWindow();

void DrawAuxFuelWindow(int mode, float x, float y) {
    if (mode == kPlacementEmbedded) drawPanel(x, y);
}

void AuxFuelWindowClick(int x, int y, int status, int) {
    if (auxFuelWindow.texture != 0) {
        HandleZoneClick(auxFuelWindow, kPanelAfcpZones.data(), x, y, status);
    }
}

void OpenAuxFuelWindow() { OpenWindow(auxFuelWindow, kPlacementAlone); }

}  // namespace quil
