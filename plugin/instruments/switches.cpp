#include "instruments/switches.h"

#include <cmath>

#include "instruments/cockpit_light.h"
#include "render/atlas_table.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "render/geometry.h"
#include "render/primitives.h"
#include "sim/settings.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/flight_controls.h"
#include "systems/fuel.h"

namespace quil {
namespace {

constexpr float kLitWhite[3] = {1.0f, 1.0f, 1.0f};
constexpr float kDegreesToRadians = 3.14159265f / 180.0f;


// The pressure-unit knob: its pointer runs from 5 to 10 pixels out, at
// -45 degrees for inches of mercury and +45 for hectopascals.
constexpr PanelPoint kPressureKnob = {476, 618};
constexpr float kPointerInner = 5.0f, kPointerOuter = 10.0f;

// The leading-edge lamps: the slats and the Krueger flaps of the left wing
// stand for both wings.
constexpr PanelPoint kTransitLamp = {978, 484};
constexpr PanelPoint kExtendedLamp = {999, 484};
constexpr int kLampWidth = 24, kLampHeight = 10;
constexpr PanelPoint kLeadingEdgeLegend = {977, 483};

struct SideSwitch {
    int (*position)(int side);
    int side;
    float x;
};
constexpr float kGeneratorSwitchY = 900.0f;
constexpr SideSwitch kGeneratorSwitches[] = {
    {generatorSwitchPosition, 0, 741},
    {apuGeneratorSwitchPosition, 0, 766},
    {apuGeneratorSwitchPosition, 1, 819},
    {generatorSwitchPosition, 1, 841},
};

constexpr PanelPoint kGroundPowerLight = {777, 1002};
constexpr PanelPoint kExternalPowerSwitch = {784, 953};

struct SideLight {
    bool (*lit)(int side);
    PanelSprite sprite[2];
    PanelPoint at[2];
};
constexpr SideLight kElectricalLights[] = {
    {generatorOffBusLight,
     {kSpriteGeneratorOffBusLight1, kSpriteGeneratorOffBusLight2},
     {{734, 940}, {835, 940}}},
    {sourceOffLight, {kSpriteSourceOffLight1, kSpriteSourceOffLight2}, {{733, 947}, {835, 947}}},
    {transferBusOffLight,
     {kSpriteTransferBusOffLight1, kSpriteTransferBusOffLight2},
     {{733, 954}, {835, 954}}},
};

constexpr float kStartSwitchX = 858.0f, kStartSwitchSpacing = 121.0f, kStartSwitchY = 826.0f;
// The ignition selector's picture moves along with its position.
constexpr float kIgnitionX[] = {924, 930, 936};
constexpr float kIgnitionY = 822.0f;

// Per boost pump 0 .. 5: its LOW PRESSURE light and its switch.
struct FuelPumpPicture {
    PanelPoint light, pumpSwitch;
};
constexpr FuelPumpPicture kFuelPumpPictures[kFuelPumps] = {
    {{588, 908}, {601, 871}},   {{618, 908}, {629, 871}},   {{616, 938}, {625, 900}},
    {{646, 938}, {655, 900}},   {{660, 908}, {669.5f, 871}}, {{690, 908}, {699.5f, 871}},
};
constexpr PanelPoint kCrossfeedSelector = {624, 937};

void drawSpriteAt(int sprite, const float* colour, const PanelPoint& at) {
    DrawSprite(sprite, colour, PanelToDrawX(at.x), PanelToDrawY(at.y));
}

void drawKnobPointer() {
    const float angle = (CurrentPressureUnit() == PressureUnit::Hectopascals ? 45.0f : -45.0f) *
                        kDegreesToRadians;
    const float sinA = std::sin(angle), cosA = std::cos(angle);
    const float cx = PanelToDrawX(kPressureKnob.x), cy = PanelToDrawY(kPressureKnob.y);
    SetGraphicsState(0, 0, 0, 0, 0, 0, 0);
    const struct {
        ColourVariant variant;
        float width;
    } strokes[] = {{ColourVariant::HalfLit, 3.0f}, {ColourVariant::Lit, 1.0f}};
    for (const auto& stroke : strokes) {
        ApplyColour(PanelColour::Grey33, stroke.variant);
        SetLineWidth(stroke.width);
        BeginShape(Shape::Lines);
        ShapeVertex(cx + kPointerInner * sinA, cy + kPointerInner * cosA);
        ShapeVertex(cx + kPointerOuter * sinA, cy + kPointerOuter * cosA);
        EndShape();
    }
}

void fillLamp(const PanelPoint& at, const float* colour) {
    const PixelRect rect = {TruncToInt(PanelToDrawX(at.x)), TruncToInt(PanelToDrawY(at.y)),
                            kLampWidth, kLampHeight};
    FillRect(colour, 0, 0, rect);
}

}  // namespace

void DrawLeadingEdgePanel() {
    drawKnobPointer();
    const float* off = ColourOf(FixedColour::Grey42);
    const bool battery = batteryOn();
    const float* transit = battery ? ColourOf(FixedColour::WindowAmber) : off;
    const float* extended = battery ? ColourOf(FixedColour::WindowGreen) : off;
    const bool test = snapshot.annunciatorTest != 0;
    const bool inTransit =
        LeadingEdgeInTransit(kLeftSlats) || LeadingEdgeInTransit(kLeftKrueger);
    const bool allExtended =
        LeadingEdgeExtended(kLeftSlats) && LeadingEdgeExtended(kLeftKrueger);
    fillLamp(kTransitLamp, test || inTransit ? transit : off);
    fillLamp(kExtendedLamp, test || allExtended ? extended : off);
    drawSpriteAt(kSpriteLeadingEdgeLampLegend, CockpitLightColour(), kLeadingEdgeLegend);
}

void DrawPanelSwitches() {
    const float* flood = CockpitLightColour();
    const bool test = snapshot.annunciatorTest != 0;
    for (const SideSwitch& s : kGeneratorSwitches) {
        drawSpriteAt(kSpriteGeneratorSwitchOff + s.position(s.side), flood,
                     {s.x, kGeneratorSwitchY});
    }

    if (GroundPowerUnitPresent()) {
        drawSpriteAt(kSpriteGroundPowerAvailableLight, kLitWhite, kGroundPowerLight);
    }
    drawSpriteAt(kSpriteExternalPowerSwitchOff + externalPowerSwitchPosition(), flood,
                 kExternalPowerSwitch);

    for (const SideLight& light : kElectricalLights) {
        for (int side = 0; side < 2; ++side) {
            if (test || light.lit(side)) drawSpriteAt(light.sprite[side], kLitWhite, light.at[side]);
        }
    }

    for (int engine = 0; engine < kEngines; ++engine) {
        drawSpriteAt(kSpriteStartSwitchGround + StartSwitchShownPosition(engine), flood,
                     {kStartSwitchX + kStartSwitchSpacing * engine, kStartSwitchY});
    }
    const int ignition = IgnitionSelector();
    if (ignition >= kIgnitionLeft && ignition <= kIgnitionRight) {
        drawSpriteAt(kSpriteIgnitionLeft + ignition, flood, {kIgnitionX[ignition], kIgnitionY});
    }

    const bool battery = batteryOn();
    for (int pump = 0; pump < kFuelPumps; ++pump) {
        const PanelPoint& light = kFuelPumpPictures[pump].light;
        if (battery && (test || FuelPumpLowPressure(pump))) {
            drawSpriteAt(kSpriteLowPressureLightLit, kLitWhite, light);
        } else {
            drawSpriteAt(kSpriteLowPressureLightUnlit, flood, light);
        }
    }
    drawSpriteAt(CrossfeedOpen() ? kSpriteCrossfeedOpen : kSpriteCrossfeedClosed, flood,
                 kCrossfeedSelector);
    for (int pump = 0; pump < kFuelPumps; ++pump) {
        drawSpriteAt(FuelPumpSwitch(pump) ? kSpriteFuelPumpSwitchOn : kSpriteFuelPumpSwitchOff,
                     flood, kFuelPumpPictures[pump].pumpSwitch);
    }
}

}  // namespace quil
