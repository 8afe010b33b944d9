#include "instruments/engine_display.h"

#include "instruments/dials.h"
#include "instruments/display_power.h"
#include "instruments/readouts.h"
#include "render/atlas_table.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "render/geometry.h"
#include "render/primitives.h"
#include "sim/snapshot.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/engine_quantities.h"
#include "systems/engines.h"
#include "systems/fuel.h"

namespace quil {
namespace {

// Display modes of the panel's format selector.
constexpr int kModeFull = 0;
constexpr int kModeCompactWithFuel = 1;
constexpr int kModeCompact = 2;

// Dial ranges: EGT °C, N2 %, fuel flow thousands per hour up to 1.5 kg/s,
// fuel quantity in kilograms for a main and the centre tank.
constexpr float kEgtMaximum = 950.0f;
constexpr float kN2Maximum = 105.0f;
constexpr float kEngineDialRadius = 20.0f;
constexpr float kFuelFlowDialRadius = 17.0f;
constexpr float kFuelFlowFullScaleKgPerSecond = 1.5f;
constexpr float kMainTankDialRange = 4000.0f;
constexpr float kCentreTankDialRange = 13100.0f;

// The secondary gauges: small ticked dials for oil pressure (psi), oil
// temperature (°C), vibration and the N2-derived hydraulic value.
constexpr float kSmallDialRadius = 12.0f;
constexpr float kOilPressureRange = 100.0f;
constexpr float kOilTemperatureRange = 165.0f;
constexpr float kVibrationRange = 5.0f;
constexpr float kHydraulicRange = 5.0f;
constexpr float kOilPressureScale = 100.0f;  // the simulator's oil pressure to psi

// Low oil pressure, psi: below this the engine's amber box shows.
constexpr float kEngineLowOilPsi = 26.0f;


// Per engine, left then right.
constexpr PanelPoint kN1Centres[kEngines] = {{754, 422}, {814, 422}};
constexpr PanelPoint kEgtCentres[kEngines] = {{754, 378}, {814, 378}};
constexpr PanelPoint kN2Centres[kEngines] = {{754, 336}, {814, 336}};
constexpr PanelPoint kFuelFlowCentres[kEngines] = {{753, 293}, {815, 293}};
constexpr PanelPoint kOilPressureCentres[kEngines] = {{875, 395}, {920, 395}};
constexpr PanelPoint kOilTemperatureCentres[kEngines] = {{875, 354}, {920, 354}};
constexpr PanelPoint kVibrationCentres[kEngines] = {{875, 302}, {920, 302}};
constexpr PanelPoint kHydraulicCentres[kEngines] = {{875, 264}, {920, 264}};
constexpr PanelPoint kOilQuantityPens[kEngines] = {{860, 322}, {912, 322}};
constexpr PanelPoint kHydraulicQuantityPens[kEngines] = {{860, 232}, {912, 232}};
// Left main, centre and right main tanks, under the fuel flow dials.
constexpr int kFuelQuantityDials = 3;
constexpr PanelPoint kFuelQuantityCentres[kFuelQuantityDials] = {
    {745, 246}, {788, 246}, {831, 246}};

// The amber boxes: x for each engine, y for each kind.
constexpr float kAmberBoxX = 859.0f;
constexpr float kAmberBoxSpacing = 38.0f;
constexpr float kLowOilBoxY = 415.0f;
constexpr float kStartValveBoxY = 441.0f;

constexpr PanelPoint kTatPen = {823, 451};
constexpr PanelPoint kThrustReference = {775, 451};

// The panel area of the display, blacked out as it loses power.
constexpr float kCoverLeft = 718, kCoverRight = 950, kCoverBottom = 212, kCoverTop = 470;

struct Sprite {
    PanelSprite sprite;
    PanelPoint at;
};

constexpr Sprite kPrimaryLegends[] = {
    {kSpriteN1Legend, {782, 400}},      {kSpriteEgtLegend, {776, 358}},
    {kSpriteTatLegend, {803, 450}},     {kSpriteEngine1Legend, {870, 456}},
    {kSpriteEngine2Legend, {907, 456}},
};

constexpr Sprite kSecondaryLegends[] = {
    {kSpriteN2Legend, {782, 314}},
    {kSpriteOilPressureLegend, {886, 378}},
    {kSpriteOilTemperatureLegend, {889, 335}},
    {kSpriteOilQuantityLegend, {884, 325}},
    {kSpriteVibrationLegend, {890, 290}},
    {kSpriteHydPressureLegend, {886, 247}},
    {kSpriteHydQuantityLegend, {886, 235}},
};

struct PanelLine {
    PanelPoint from, to;
};

constexpr PanelLine kSecondarySeparators[] = {
    {{852, 419}, {852, 230}}, {{727, 271}, {848, 271}}, {{856, 285}, {945, 285}}};

// The right-hand column's frames.
struct PanelBox {
    float left, right, bottom, top;
};
constexpr PanelBox kColumnFrames[] = {
    {856, 946, 446, 466}, {856, 946, 408, 444}, {856, 946, 230, 406}};

struct EngineDisplay {
    DialGauge egt, n2, fuelFlow, oilPressure, oilTemperature, vibration, hydraulic;
    DialGauge fuelQuantity[kFuelQuantityDials];
    FuelUnit builtForUnit = FuelUnit::Kilograms;
    bool built = false;
    DisplayLevel level;
};

EngineDisplay display;

float drawX(const PanelPoint& p) { return PanelToDrawX(p.x); }
float drawY(const PanelPoint& p) { return PanelToDrawY(p.y); }

const float* lit(PanelColour entry) { return ColourOf(entry, ColourVariant::Lit); }

void drawSprites(const Sprite* sprites, int count, const float* colour) {
    for (int i = 0; i < count; ++i) {
        DrawSprite(sprites[i].sprite, colour, drawX(sprites[i].at), drawY(sprites[i].at));
    }
}

template <int count>
void drawSprites(const Sprite (&sprites)[count], const float* colour) {
    drawSprites(sprites, count, colour);
}

void drawDialAt(const DialGauge& dial, float value, const PanelPoint& centre, int layers) {
    DrawDial(dial, value, drawX(centre), drawY(centre), layers);
}

void drawReadoutAt(const PanelPoint& pen, float value, int decimals) {
    float x = drawX(pen);
    float y = drawY(pen);
    DrawReadout(lit(PanelColour::LightGreyB), value, x, y, 3, decimals, 0);
}

float oilPressurePsi(int engine) { return snapshot.oilPressure[engine] * kOilPressureScale; }

float fuelFlow(int engine) { return EngineFuelFlow(engine) * FuelFlowFactor(); }

float vibration(int engine) { return VibrationAtN2(snapshot.engineN2[engine]); }

int n1Flags(int engine) {
    float position = 0.0f;
    int flags = ReverserState(engine, &position);
    if (snapshot.engineAntiIce[engine] != 0) flags |= kN1FlagAntiIce;
    return flags;
}

// The compact block: the secondary values as readouts only, a row each,
// the legend between the engines' columns.
struct CompactRow {
    PanelSprite legend;
    float y;
    int decimals;
    float (*value)(int engine);
};

constexpr float kCompactLeftX = 856.0f;
constexpr float kCompactRightX = 910.0f;
constexpr float kCompactLegendX = 886.0f;

constexpr CompactRow kCompactRows[] = {
    {kSpriteN2Legend, 392, 1, N2},
    {kSpriteFfLegendNarrow, 372, 2, fuelFlow},
    {kSpriteOilPressureLegend, 352, 0, oilPressurePsi},
    {kSpriteOilTemperatureLegend, 332, 0, [](int engine) { return snapshot.oilTemp[engine]; }},
    {kSpriteOilQuantityLegend, 312, 0, EngineOilQuantity},
    {kSpriteVibrationLegend, 292, 1, vibration},
    {kSpriteHydPressureLegend, 272, 1, EngineHydraulicPressure},
    {kSpriteHydQuantityLegend, 252, 0, EngineHydraulicQuantity},
};

bool full(int mode) { return mode == kModeFull; }
bool withFuelQuantities(int mode) { return mode == kModeFull || mode == kModeCompactWithFuel; }

// One layer of every dial the mode shows.
void drawDials(int mode, int layers) {
    for (int e = 0; e < kEngines; ++e) {
        DrawN1Dial(snapshot.engineN1[e], n1Flags(e), snapshot.n1Limit[e], drawX(kN1Centres[e]),
                   drawY(kN1Centres[e]), layers);
        drawDialAt(display.egt, snapshot.egt[e], kEgtCentres[e], layers);
    }
    if (full(mode)) {
        for (int e = 0; e < kEngines; ++e) {
            drawDialAt(display.n2, snapshot.engineN2[e], kN2Centres[e], layers);
            drawDialAt(display.fuelFlow, fuelFlow(e), kFuelFlowCentres[e], layers);
            drawDialAt(display.oilPressure, oilPressurePsi(e), kOilPressureCentres[e], layers);
            drawDialAt(display.oilTemperature, snapshot.oilTemp[e], kOilTemperatureCentres[e],
                       layers);
            drawDialAt(display.vibration, vibration(e), kVibrationCentres[e], layers);
            drawDialAt(display.hydraulic, EngineHydraulicPressure(e), kHydraulicCentres[e], layers);
        }
    }
    if (!withFuelQuantities(mode)) return;
    for (int tank = 0; tank < kFuelQuantityDials; ++tank) {
        const PanelPoint& centre = kFuelQuantityCentres[tank];
        DrawFuelQuantityDial(display.fuelQuantity[tank], TankQuantity(tank), tank,
                             FuelTankLight(tank), FuelQuantityFactor(), drawX(centre),
                             drawY(centre), layers);
    }
}

// The right-hand column's frames and, in the full format, the separators.
void drawLines(int mode) {
    SetGraphicsState(0, 0, 0, 0, 1, 0, 0);
    SetLineWidth(1.0f);
    if (full(mode)) {
        ApplyColour(PanelColour::Cyan, ColourVariant::Lit);
        BeginShape(Shape::Lines);
        for (const PanelLine& line : kSecondarySeparators) {
            ShapeVertex(drawX(line.from), drawY(line.from));
            ShapeVertex(drawX(line.to), drawY(line.to));
        }
        EndShape();
    }
    ApplyColour(PanelColour::Grey28, ColourVariant::Lit);
    for (const PanelBox& frame : kColumnFrames) {
        OutlinePanelRect(frame.left, frame.right, frame.bottom, frame.top);
    }
}

// The readouts of no dial: the total air temperature, the engine
// quantities, the compact block's values.
void drawReadouts(int mode) {
    float x = drawX(kTatPen);
    float y = drawY(kTatPen);
    DrawReadout(lit(PanelColour::LightGreyB), static_cast<float>(snapshot.oat), x, y, 2, 0, 0);
    if (full(mode)) {
        for (int e = 0; e < kEngines; ++e) {
            drawReadoutAt(kOilQuantityPens[e], EngineOilQuantity(e), 0);
            drawReadoutAt(kHydraulicQuantityPens[e], EngineHydraulicQuantity(e), 0);
        }
        return;
    }
    for (const CompactRow& row : kCompactRows) {
        drawReadoutAt({kCompactLeftX, row.y}, row.value(0), row.decimals);
        drawReadoutAt({kCompactRightX, row.y}, row.value(1), row.decimals);
    }
}

// Each engine alike: the START VALVE OPEN box while its starter runs, the
// LOW OIL PRESSURE box below 26 psi.
void drawAmberBoxes() {
    const float* amber = lit(PanelColour::AmberB);
    for (int e = 0; e < kEngines; ++e) {
        const float x = PanelToDrawX(kAmberBoxX + kAmberBoxSpacing * e);
        if (starterActive(e)) {
            DrawSprite(kSpriteStartValveOpenBox, amber, x, PanelToDrawY(kStartValveBoxY));
        }
        if (oilPressurePsi(e) < kEngineLowOilPsi) {
            DrawSprite(kSpriteLowOilPressureBox, amber, x, PanelToDrawY(kLowOilBoxY));
        }
    }
}

PanelSprite thousandsLegend() {
    return CurrentFuelUnit() == FuelUnit::Pounds ? kSpriteLbThousandsLegend
                                                 : kSpriteKgThousandsLegend;
}

// The legends the values lie over: the full format's under its dials (the
// fuel unit's under the right fuel flow dial), the compact block's under
// its values.
void drawLegendsUnder(int mode) {
    const float* cyan = lit(PanelColour::Cyan);
    if (full(mode)) {
        drawSprites(kSecondaryLegends, cyan);
        const bool pounds = CurrentFuelUnit() == FuelUnit::Pounds;
        DrawSprite(pounds ? kSpriteFuelLbLegend : kSpriteFuelKgLegend, cyan, PanelToDrawX(767),
                   PanelToDrawY(273));
        DrawSprite(thousandsLegend(), cyan, PanelToDrawX(778), PanelToDrawY(220));
    } else {
        if (mode == kModeCompactWithFuel) {
            DrawSprite(thousandsLegend(), cyan, PanelToDrawX(884), PanelToDrawY(246));
        }
        for (const CompactRow& row : kCompactRows) {
            DrawSpriteCentred(row.legend, cyan, PanelToDrawX(kCompactLegendX),
                              PanelToDrawY(row.y));
        }
    }
}

// The other legends and the amber boxes over the dials; the thrust
// reference, centred and drawn without alpha testing, last.
void drawLegends() {
    drawSprites(kPrimaryLegends, lit(PanelColour::Cyan));
    drawAmberBoxes();
    DrawSpriteCentred(kSpriteThrustRefNone + ThrustLimitMode(), lit(PanelColour::GreenB),
                      PanelToDrawX(kThrustReference.x), PanelToDrawY(kThrustReference.y));
}

void drawCover(float level) {
    SetGraphicsState(0, 0, 0, 0, 1, 0, 0);
    SetPenColour(0.0f, 0.0f, 0.0f, 1.0f - level);
    FillPanelRect(kCoverLeft, kCoverRight, kCoverBottom, kCoverTop);
}

}  // namespace

void BuildEngineDialGeometry() {
    const float flowMaximum = kFuelFlowFullScaleKgPerSecond * FuelFlowFactor();
    display.egt = MakeDial(kDialEgt, 0.0f, kEgtMaximum, kEngineDialRadius);
    display.n2 = MakeDial(kDialN2, 0.0f, kN2Maximum, kEngineDialRadius);
    display.fuelFlow = MakeDial(kDialFuelFlow, 0.0f, flowMaximum, kFuelFlowDialRadius);
    display.oilPressure = MakeDial(kDialTicked, 0.0f, kOilPressureRange, kSmallDialRadius);
    display.oilTemperature = MakeDial(kDialTicked, 0.0f, kOilTemperatureRange, kSmallDialRadius);
    display.vibration = MakeDial(kDialTicked, 0.0f, kVibrationRange, kSmallDialRadius);
    display.hydraulic = MakeDial(kDialTicked, 0.0f, kHydraulicRange, kSmallDialRadius);
    display.fuelQuantity[0] = MakeFuelQuantityDial(kMainTankDialRange);
    display.fuelQuantity[1] = MakeFuelQuantityDial(kCentreTankDialRange);
    display.fuelQuantity[2] = display.fuelQuantity[0];
    display.builtForUnit = CurrentFuelUnit();
    display.built = true;
}

void DrawEngineDisplay(int mode) {
    // The fuel flow scale follows the mass unit the configuration sets.
    if (!display.built || display.builtForUnit != CurrentFuelUnit()) BuildEngineDialGeometry();
    if (!StepDisplayLevel(display.level, kEngineDisplayUnit, acStandbyBusPowered(), snapshot.now)) {
        drawCover(display.level.level);
        return;
    }
    if (mode < kModeFull || mode > kModeCompact) {
        drawCover(0.0f);
        return;
    }
    // Layer by layer, so that each layer is one run in one graphics state
    // and texture: the lines and fills, then the digits, then the sprites.
    drawLines(mode);
    drawLegendsUnder(mode);
    drawDials(mode, kDialFace);
    drawDials(mode, kDialDigits);
    drawReadouts(mode);
    drawDials(mode, kDialSprites);
    drawLegends();
}

}  // namespace quil
