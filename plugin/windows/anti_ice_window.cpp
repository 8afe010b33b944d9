// The anti-ice panel: window heat with its test switch, probe heat, wing
// and engine anti-ice, and their lamps.
#include "instruments/cockpit_light.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "sim/snapshot.h"
#include "systems/anti_ice.h"
#include "systems/electrical.h"
#include "windows/click_actions.h"
#include "windows/layout_tables.h"
#include "windows/overhead.h"
#include "windows/placement.h"

namespace quil {
namespace {

enum AntiIceZoneId : int { kZoneClose = 1, kZoneBody = 22 };

// The test switch holds its test while the mouse holds it.
template <void (*SetTest)(bool)>
void heldTest(int, int, int status, int) {
    SetTest(status == xplm_MouseDown || status == xplm_MouseDrag);
}

// Any release in the window lets the test switch go.
void released() {
    SetWindowHeatPowerTest(false);
    SetWindowHeatOverheatTest(false);
}

constexpr const ControlLayout* kWindowHeatSwitch = &kAntiIceLayout[kIceWindowHeat];
constexpr const ControlLayout& kTestSwitch = kAntiIceLayout[kIceTestSwitch];
constexpr const ControlLayout* kProbeSwitch = &kAntiIceLayout[kIceProbeHeat];
constexpr const ControlLayout& kWingSwitch = kAntiIceLayout[kIceWing];
constexpr const ControlLayout* kEngineSwitch = &kAntiIceLayout[kIceEngine];

constexpr ClickZone kAntiIceZones[] = {
    Zone(kAntiIceLayout[kIceClose].zone, kZoneClose, 0, CloseZoneHandler<antiIceWindow>),
    OnOffSwitchZone<SetWindowHeatSwitch>(kWindowHeatSwitch[0], 0, 2, 0),
    OnOffSwitchZone<SetWindowHeatSwitch>(kWindowHeatSwitch[0], 1, 3, 0),
    OnOffSwitchZone<SetWindowHeatSwitch>(kWindowHeatSwitch[1], 0, 4, 1),
    OnOffSwitchZone<SetWindowHeatSwitch>(kWindowHeatSwitch[1], 1, 5, 1),
    Zone(RowPart(kTestSwitch, 0), 6, 0, heldTest<SetWindowHeatPowerTest>),
    Zone(RowPart(kTestSwitch, 1), 7, 0, heldTest<SetWindowHeatOverheatTest>),
    OnOffSwitchZone<SetWindowHeatSwitch>(kWindowHeatSwitch[2], 0, 8, 2),
    OnOffSwitchZone<SetWindowHeatSwitch>(kWindowHeatSwitch[2], 1, 9, 2),
    OnOffSwitchZone<SetWindowHeatSwitch>(kWindowHeatSwitch[3], 0, 10, 3),
    OnOffSwitchZone<SetWindowHeatSwitch>(kWindowHeatSwitch[3], 1, 11, 3),
    OnOffSwitchZone<SetProbeHeatSwitch>(kProbeSwitch[0], 0, 12, 0),
    OnOffSwitchZone<SetProbeHeatSwitch>(kProbeSwitch[0], 1, 13, 0),
    OnOffSwitchZone<SetProbeHeatSwitch>(kProbeSwitch[1], 0, 14, 1),
    OnOffSwitchZone<SetProbeHeatSwitch>(kProbeSwitch[1], 1, 15, 1),
    OnOffSwitchZone<singleSwitch<SetWingAntiIceSwitch>>(kWingSwitch, 0, 16, 0),
    OnOffSwitchZone<singleSwitch<SetWingAntiIceSwitch>>(kWingSwitch, 1, 17, 0),
    OnOffSwitchZone<SetEngineAntiIceSwitch>(kEngineSwitch[0], 0, 18, 0),
    OnOffSwitchZone<SetEngineAntiIceSwitch>(kEngineSwitch[0], 1, 19, 0),
    OnOffSwitchZone<SetEngineAntiIceSwitch>(kEngineSwitch[1], 0, 20, 1),
    OnOffSwitchZone<SetEngineAntiIceSwitch>(kEngineSwitch[1], 1, 21, 1),
    {0, 256, 0, 256, kZoneBody, 0, BodyZoneHandler<antiIceWindow>},
    {},
};

// ---- Drawing ---------------------------------------------------------------

constexpr int kLampWidth = 24, kLampHeight = 13;
constexpr PixelRect lampAt(int x, int y) { return {x, y, kLampWidth, kLampHeight}; }

constexpr int kWindowHeatLampX[kWindowHeatChannels] = {29, 55, 89, 116};
constexpr int kWindowHeatOnLampY = 222, kOverheatLampY = 235;
constexpr int kProbeLampX[kProbeHeatSides] = {24, 120};
constexpr int kProbeLampY[kProbeHeatSides][kProbeHeatLamps] = {{158, 144, 130, 117},
                                                               {159, 145, 131, 118}};
constexpr PixelRect kWingValveLamp[kWings] = {lampAt(20, 55), lampAt(48, 56)};
constexpr PixelRect kEngineValveLamp[kAntiIceEngines] = {lampAt(92, 56), lampAt(120, 57)};
constexpr PixelRect kCowlLamp[kAntiIceEngines] = {lampAt(92, 70), lampAt(120, 71)};

// A valve lamp: bright open, dim in between.
void valveLamp(int left, int bottom, const PixelRect& lamp, int state) {
    DrawWindowLamp(left, bottom, lamp,
                   ColourOf(state == 1 ? FixedColour::WindowBlue : FixedColour::WindowDarkBlue),
                   state != 0);
}

// With the battery off every lamp is dark.
void drawLamps(int left, int bottom) {
    const bool battery = batteryOn();
    const bool test = battery && snapshot.annunciatorTest != 0;
    const float* green = ColourOf(FixedColour::WindowGreen);
    const float* amber = ColourOf(FixedColour::WindowAmber);
    for (int channel = 0; channel < kWindowHeatChannels; ++channel) {
        const WindowHeatLights lights = WindowHeatChannelLights(channel);
        const int x = kWindowHeatLampX[channel];
        DrawWindowLamp(left, bottom, lampAt(x, kWindowHeatOnLampY), green,
                       battery && (test || lights.heating));
        DrawWindowLamp(left, bottom, lampAt(x, kOverheatLampY), amber,
                       battery && (test || lights.overheat));
    }
    for (int side = 0; side < kProbeHeatSides; ++side) {
        for (int heater = 0; heater < kProbeHeatLamps; ++heater) {
            DrawWindowLamp(left, bottom, lampAt(kProbeLampX[side], kProbeLampY[side][heater]),
                           amber, battery && (test || !ProbeHeaterOn(side, heater)));
        }
    }
    for (int wing = 0; wing < kWings; ++wing) {
        valveLamp(left, bottom, kWingValveLamp[wing],
                  !battery ? 0
                  : test   ? 1
                           : WingAntiIceValveState(wing));
    }
    for (int engine = 0; engine < kAntiIceEngines; ++engine) {
        valveLamp(left, bottom, kEngineValveLamp[engine],
                  !battery ? 0
                  : test   ? 1
                           : EngineAntiIceState(engine));
        DrawWindowLamp(left, bottom, kCowlLamp[engine], amber, test);
    }
}

int leverSprite(bool on) { return on ? kIceLeverDown : kIceLeverUp; }

int testSwitchSprite() {
    if (WindowHeatOverheatTest()) return kIceLeverUp;
    if (WindowHeatPowerTest()) return kIceLeverDown;
    return kIceLeverCentre;
}

void antiIceContent(PopupWindow& window, int left, int bottom) {
    drawLamps(left, bottom);
    const float* flood = CockpitLightColour();
    auto picture = [&](int sprite, const ControlLayout& control) {
        DrawControlSprite(window, sprite, flood, left, bottom, control);
    };
    for (int channel = 0; channel < kWindowHeatChannels; ++channel) {
        picture(leverSprite(WindowHeatSwitch(channel)), kWindowHeatSwitch[channel]);
    }
    picture(testSwitchSprite(), kTestSwitch);
    for (int side = 0; side < kProbeHeatSides; ++side) {
        picture(leverSprite(ProbeHeatSwitch(side)), kProbeSwitch[side]);
    }
    picture(WingAntiIceSwitch() ? kIceWingLeverDown : kIceWingLeverUp, kWingSwitch);
    for (int engine = 0; engine < kAntiIceEngines; ++engine) {
        picture(leverSprite(EngineAntiIceSwitch(engine)), kEngineSwitch[engine]);
    }
}

}  // namespace

PopupWindow antiIceWindow =
    MakePopupWindow(kAntiIceSheet, kWindowAntiIce, kAntiIceZones, antiIceContent, released, true);

}  // namespace quil
