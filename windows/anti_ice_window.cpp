// The anti-ice panel: window heat with its test switch, probe heat, wing
// and engine anti-ice, and their lamps.
#include "host/snapshot.h"
#include "panel/click_actions.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "systems/anti_ice.h"
#include "systems/electrical.h"
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

void setWingAntiIce(int, bool on) { SetWingAntiIceSwitch(on); }

// Any release in the window lets the test switch go.
void released() {
    SetWindowHeatPowerTest(false);
    SetWindowHeatOverheatTest(false);
}

constexpr ClickZone kAntiIceZones[] = {
    {1, 24, 239, 254, kZoneClose, 0, CloseZoneHandler<antiIceWindow>},
    {9, 28, 174, 188, 2, 0, onOffSwitch<SetWindowHeatSwitch, true>},
    {9, 28, 189, 204, 3, 0, onOffSwitch<SetWindowHeatSwitch, false>},
    {41, 60, 174, 188, 4, 1, onOffSwitch<SetWindowHeatSwitch, true>},
    {41, 60, 189, 204, 5, 1, onOffSwitch<SetWindowHeatSwitch, false>},
    {74, 93, 181, 193, 6, 0, heldTest<SetWindowHeatPowerTest>},
    {74, 93, 194, 207, 7, 0, heldTest<SetWindowHeatOverheatTest>},
    {107, 126, 174, 188, 8, 2, onOffSwitch<SetWindowHeatSwitch, true>},
    {107, 126, 189, 204, 9, 2, onOffSwitch<SetWindowHeatSwitch, false>},
    {137, 156, 174, 188, 10, 3, onOffSwitch<SetWindowHeatSwitch, true>},
    {137, 156, 189, 204, 11, 3, onOffSwitch<SetWindowHeatSwitch, false>},
    {57, 77, 133, 147, 12, 0, onOffSwitch<SetProbeHeatSwitch, true>},
    {57, 77, 148, 161, 13, 0, onOffSwitch<SetProbeHeatSwitch, false>},
    {91, 111, 133, 147, 14, 1, onOffSwitch<SetProbeHeatSwitch, true>},
    {91, 111, 148, 161, 15, 1, onOffSwitch<SetProbeHeatSwitch, false>},
    {38, 60, 11, 26, 16, 0, onOffSwitch<setWingAntiIce, true>},
    {38, 60, 27, 42, 17, 0, onOffSwitch<setWingAntiIce, false>},
    {84, 106, 6, 20, 18, 0, onOffSwitch<SetEngineAntiIceSwitch, true>},
    {84, 106, 21, 35, 19, 0, onOffSwitch<SetEngineAntiIceSwitch, false>},
    {120, 142, 6, 20, 20, 1, onOffSwitch<SetEngineAntiIceSwitch, true>},
    {120, 142, 21, 35, 21, 1, onOffSwitch<SetEngineAntiIceSwitch, false>},
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

constexpr float kWindowHeatSwitchX[kWindowHeatChannels] = {10, 42, 108, 140};
constexpr float kWindowHeatSwitchY = 177;
constexpr WindowPoint kTestSwitch = {76, 181};
constexpr WindowPoint kProbeSwitch[kProbeHeatSides] = {{59, 135}, {91, 135}};
constexpr WindowPoint kWingSwitch = {40, 13};
constexpr WindowPoint kEngineSwitch[kAntiIceEngines] = {{87, 8}, {122, 8}};

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
    const float x = static_cast<float>(left), y = static_cast<float>(bottom);
    drawLamps(left, bottom);
    const float* flood = CockpitLightColour();
    auto picture = [&](int sprite, const WindowPoint& at) {
        DrawWindowSprite(window, sprite, flood, x + at.x, y + at.y);
    };
    for (int channel = 0; channel < kWindowHeatChannels; ++channel) {
        picture(leverSprite(WindowHeatSwitch(channel)),
                {kWindowHeatSwitchX[channel], kWindowHeatSwitchY});
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
