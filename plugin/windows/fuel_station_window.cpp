#include "windows/fuel_station_window.h"

#include <cmath>

#include "XPLMDisplay.h"
#include "instruments/cockpit_light.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "render/glyph_grid.h"
#include "sim/snapshot.h"
#include "systems/fuel.h"
#include "systems/refuelling.h"
#include "windows/layout_tables.h"
#include "windows/placement.h"

namespace quil {
namespace {

// Window-local pixels from the lower-left corner. The aux window hangs
// 280 pixels right of the main window's left edge, its 90-pixel height
// reaching up from the main window's bottom.
constexpr int kAuxOffsetX = 280;
constexpr int kAuxOffsetY = 0;
constexpr int kAuxWidth = 140;
constexpr int kAuxHeight = 90;

constexpr const ControlLayout& kTestSwitch = kFuelStationLayout[kStationTestSwitch];
constexpr const ControlLayout* kValveSwitch = &kFuelStationLayout[kStationValveSwitch];
constexpr const ControlLayout& kAuxSelectSwitch = kFuelStationAuxLayout[kStationAuxSelect];
// Per channel: the valve light and the quantity display.
constexpr WindowPoint kValveLight[kRefuelChannels] = {{78, 61}, {143, 61}, {211, 61}};
constexpr WindowPoint kQuantity[kRefuelChannels] = {{73, 43}, {138, 43}, {206, 43}};
constexpr WindowPoint kFeedLegend[2] = {{50, 50}, {50, 27}};  // channels 0 and 2

constexpr int kQuantityDigits = 5;
constexpr int kTestQuantity = 88888;
constexpr float kLampLit[3] = {1.0f, 1.0f, 1.0f};

enum StationZoneId : int {
    kZoneClose = 1,
    kZoneTest = 2,
    kZoneValve = 3,
    kZoneAuxSelect = 4,
    kZoneBody = 5,
};

GlfFont digits{};

// The test switch springs back to normal when the mouse lets go.
void testZone(int, int, int status, int position) {
    if (status == xplm_MouseDown) SetRefuelTestSwitch(position);
    if (status == xplm_MouseUp) SetRefuelTestSwitch(kRefuelNormalPosition);
}

// Argument: channel x 2 + (1 open, 0 closed).
void valveZone(int, int, int status, int argument) {
    if (status == xplm_MouseDown) SetRefuelValve(argument / 2, argument % 2 == 1);
}

void auxSelectZone(int, int, int status, int selected) {
    if (status == xplm_MouseDown) SetAuxRefuelSelect(selected != 0);
}

// The valve switch's lower part closes the valve, the upper opens it.
constexpr ClickZone valvePart(int channel, int part) {
    return Zone(RowPart(kValveSwitch[channel], part), kZoneValve, channel * 2 + part, valveZone);
}

constexpr ClickZone kStationControls[] = {
    Zone(RowPart(kTestSwitch, 0), kZoneTest, kRefuelOtherPosition, testZone),
    Zone(RowPart(kTestSwitch, 1), kZoneTest, kRefuelTestPosition, testZone),
    valvePart(0, 0), valvePart(0, 1), valvePart(1, 0),
    valvePart(1, 1), valvePart(2, 0), valvePart(2, 1),
};

constexpr auto kStationZones = PopupZones(
    Zone(kFuelStationLayout[kStationClose].zone, kZoneClose, 0,
         CloseZoneHandler<fuelStationWindow>),
    kStationControls, {0, 256, 0, 147, kZoneBody, 0, BodyZoneHandler<fuelStationWindow>});

constexpr ClickZone kAuxZones[] = {
    Zone(RowPart(kAuxSelectSwitch, 0), kZoneAuxSelect, 1, auxSelectZone),
    Zone(RowPart(kAuxSelectSwitch, 1), kZoneAuxSelect, 0, auxSelectZone),
    {0, 140, 0, 90, kZoneBody, 0, BodyZoneHandler<fuelStationAuxWindow>},
    {},
};

// The glyph grid lives in the window's sheet: set up again whenever the
// sheet has been loaded anew.
bool digitsReady() {
    const int texture = fuelStationWindow.texture;
    if (texture == 0) return false;
    if (digits.glfTexture != texture || digits.ready == 0) {
        const GlyphGrid& g = kStationDigitGlyphs;
        SetupGlfFont(digits, texture, g.baseChar, g.topChar, g.originRow, g.charWidth, g.advance,
                     g.charHeight, g.rowStep, g.glyphsPerRow);
    }
    return digits.ready != 0;
}

struct Pen {
    const PopupWindow& window;
    float left, bottom;

    void sprite(int sprite, const float* colour, const WindowPoint& at) const {
        DrawWindowSprite(window, sprite, colour, left + at.x, bottom + at.y);
    }
};

int toggleSprite(bool up) { return up ? kStationToggleUp : kStationToggleDown; }

int testSwitchSprite() {
    switch (RefuelTestSwitch()) {
        case kRefuelTestPosition:
            return kStationToggleUp;
        case kRefuelOtherPosition:
            return kStationToggleDown;
        default:
            return kStationToggleCentre;
    }
}

// What a channel's display reads: its tank in the configured unit, or all
// eights while the test switch is held.
int displayedQuantity(int channel) {
    if (RefuelTestSwitch() == kRefuelTestPosition) return kTestQuantity;
    return static_cast<int>(
        std::lround(TankQuantity(RefuelChannelTank(channel)) * FuelQuantityFactor()));
}

bool valveLightLit(int channel) {
    return RefuelChannelFlowing(channel) ||
           (RefuellingPowerAvailable() && RefuelTestSwitch() == kRefuelTestPosition);
}

void stationContent(PopupWindow& window, int left, int bottom) {
    const Pen pen{window, static_cast<float>(left), static_cast<float>(bottom)};
    const float* base = CockpitLightColour();
    pen.sprite(testSwitchSprite(), base, kTestSwitch.at);
    for (int channel = 0; channel < kRefuelChannels; ++channel) {
        pen.sprite(toggleSprite(RefuelValveOpen(channel)), base, kValveSwitch[channel].at);
        const bool lit = valveLightLit(channel);
        pen.sprite(lit ? kStationValveLightOn : kStationValveLightOff, lit ? kLampLit : base,
                   kValveLight[channel]);
    }
    if (!digitsReady()) return;
    for (int channel = 0; channel < kRefuelChannels; ++channel) {
        float x = pen.left + kQuantity[channel].x, y = pen.bottom + kQuantity[channel].y;
        DrawGlfNumber(digits, displayedQuantity(channel), DisplayDigitColour(), kQuantityDigits,
                      x, y);
    }
}

void auxContent(PopupWindow& window, int left, int bottom) {
    const Pen pen{window, static_cast<float>(left), static_cast<float>(bottom)};
    const float* base = CockpitLightColour();
    pen.sprite(toggleSprite(!AuxRefuelSelected()), base, kAuxSelectSwitch.at);
    const int channels[2] = {kRefuelChannelLeft, kRefuelChannelRight};
    for (int i = 0; i < 2; ++i) {
        const bool aux = RefuelChannelTank(channels[i]) >= kForwardAuxTank;
        pen.sprite(aux ? kStationFeedsAux : kStationFeedsMain, base, kFeedLegend[i]);
    }
}

}  // namespace

PopupWindow fuelStationWindow =
    WithCompanions(MakePopupWindow(kFuelStationSheet, kWindowFuelStation, kStationZones.data(),
                                   stationContent, nullptr, false),
                   &fuelStationAuxWindow);

PopupWindow fuelStationAuxWindow =
    MakeCompanionWindow(fuelStationWindow, kStationAuxBackground, kAuxOffsetX, kAuxOffsetY,
                        kAuxWidth, kAuxHeight, kAuxZones, auxContent, AuxSystemInstalled);

void OpenFuelStationWindow() {
    OpenWindow(fuelStationWindow, kPlacementAlone);
    SwitchFuelStationOn();
}

void CloseFuelStationWindows() { CloseWindow(fuelStationWindow); }

void SetFuelStationExternalView(bool external) {
    ShowWindow(fuelStationWindow, !external);
    ShowWindow(fuelStationAuxWindow, !external);
}

}  // namespace quil
