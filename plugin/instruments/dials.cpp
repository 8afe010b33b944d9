#include "instruments/dials.h"

#include <algorithm>
#include <cmath>

#include "instruments/readouts.h"
#include "render/atlas_table.h"
#include "render/colours.h"
#include "render/digit_fonts.h"
#include "render/draw_state.h"
#include "render/primitives.h"

namespace quil {
namespace {

// The engine dials sweep 215 degrees clockwise from the right.
constexpr float kEngineDialStart = 1.5707961f;
constexpr float kEngineDialEnd = 5.3232536f;
constexpr float kFuelDialHalfSweep = 2.1816614f;
constexpr float kTickInner = 0.85f;  // of the radius
constexpr float kLimitMarkReach = 1.275f;
constexpr float kFuelTickOuterRadius = 19.0f;

// N1: 0.0357 rad per percent up to 105 %, a tick every 10 %.
constexpr float kN1RadiansPerPercent = 0.03573769f;
constexpr float kN1Maximum = 105.0f;
constexpr float kN1Radius = 20.0f;
constexpr float kN1TickInnerRadius = 17.0f;
constexpr int kN1Ticks = 11;
constexpr float kN1TickPercent = 10.0f;
constexpr int kN1ScaleFont = 3;
constexpr float kN1ScaleRadius = 13.0f;
constexpr float kN1BoxRaise = 13.0f;  // the reverser and reference box, above the value
constexpr int kN1TargetFont = 2;
constexpr float kN1AntiIceMarkGap = 2.0f;

constexpr float kReadoutRaise = 2.0f;
constexpr int kReadoutFont = 0;
constexpr int kLeastReadoutDigits = 3;

// Fuel quantity dial: readout, indication and tank label placement.
constexpr float kFuelReadoutLeft = 19.0f;
constexpr float kFuelReadoutDrop = 6.0f;
constexpr float kIndicationRight = 1.0f;
constexpr float kIndicationDrop = 14.0f;

struct DialShape {
    int32_t ticks;
    float start, end;
    float tickOuter;  // of the radius
};

DialShape shapeOf(DialType type) {
    switch (type) {
        case kDialTicked:
            return {11, kEngineDialStart, kEngineDialEnd, 1.0f};
        case kDialFuelFlow:
            return {7, kEngineDialStart, kEngineDialEnd, 1.0f};
        case kDialFuelQuantity:
            return {11, -kFuelDialHalfSweep, kFuelDialHalfSweep, 1.0f};
        default:
            return {0, kEngineDialStart, kEngineDialEnd, 1.0f};
    }
}

DialPoint pointAt(const DialGauge& dial, float angle, float radius) {
    return {radius * std::sin(angle), radius * dial.verticalScale * std::cos(angle)};
}

void computeArc(DialGauge& dial) {
    const float step = (dial.endAngle - dial.startAngle) / (kDialSegments - 1);
    for (int i = 0; i < kDialSegments; ++i) {
        dial.arcPoints[i] = pointAt(dial, dial.startAngle + step * i, dial.radius);
    }
}

void computeTicks(DialGauge& dial, float first, float spacing, float inner, float outer) {
    for (int i = 0; i < dial.tickCount; ++i) {
        const float angle = first + spacing * i;
        dial.ticks[i] = {pointAt(dial, angle, inner), pointAt(dial, angle, outer)};
    }
}

DialGauge baseDial(DialType type, float minimum, float maximum, float radius, float start,
                   float end) {
    DialGauge dial{};
    dial.segments = kDialSegments;
    dial.type = type;
    dial.fill = dial.arc = type != kDialFuelQuantity;
    dial.minimum = minimum;
    dial.maximum = maximum;
    dial.startAngle = start;
    dial.endAngle = end;
    dial.verticalScale = 1.0f;
    dial.radius = radius;
    computeArc(dial);
    dial.limitMark[0] = pointAt(dial, end, radius);
    dial.limitMark[1] = pointAt(dial, end, radius * kLimitMarkReach);
    return dial;
}

DialGauge makeN1Dial() {
    DialGauge dial = baseDial(kDialEgt, 0.0f, kN1Maximum, kN1Radius, kEngineDialStart,
                              kEngineDialStart + kN1RadiansPerPercent * kN1Maximum);
    dial.tickCount = kN1Ticks;
    computeTicks(dial, kEngineDialStart, kN1RadiansPerPercent * kN1TickPercent, kN1TickInnerRadius,
                 kN1Radius);
    return dial;
}

const DialGauge kN1Dial = makeN1Dial();

// Lines are drawn in drawing coordinates around the centre.
void vertex(float cx, float cy, const DialPoint& p) { ShapeVertex(cx + p.x, cy + p.y); }

void drawStrip(float cx, float cy, const DialPoint* points, int count, const DialPoint* end) {
    BeginShape(Shape::LineStrip);
    for (int i = 0; i < count; ++i) vertex(cx, cy, points[i]);
    if (end != nullptr) vertex(cx, cy, *end);
    EndShape();
}

void drawTicks(const DialGauge& dial, float cx, float cy) {
    BeginShape(Shape::Lines);
    for (int i = 0; i < dial.tickCount; ++i) {
        vertex(cx, cy, dial.ticks[i].inner);
        vertex(cx, cy, dial.ticks[i].outer);
    }
    EndShape();
}

// Where the value lies between the ends, 0 to 1.
float fractionOf(const DialGauge& dial, float value) {
    const float fraction = (value - dial.minimum) / (dial.maximum - dial.minimum);
    return std::clamp(fraction, 0.0f, 1.0f);
}

int readoutDigits(float value) {
    int digits = kLeastReadoutDigits;
    for (float reach = 1000.0f; std::fabs(value) >= reach && digits < 7; reach *= 10.0f) ++digits;
    return digits;
}

void drawReadoutOf(const DialGauge& dial, float value, bool over, float cx, float cy) {
    const float* colour = over ? ColourOf(PanelColour::RedA, ColourVariant::Lit)
                               : ColourOf(PanelColour::LightGreyB, ColourVariant::Lit);
    float x = cx;
    float y = cy + kReadoutRaise;
    switch (dial.type) {
        case kDialFuelFlow:
            DrawReadout2(colour, value, x, y, 2, kReadoutFont);
            return;
        case kDialN2:
            DrawReadout(colour, value, x, y, readoutDigits(value), 1, kReadoutFont);
            return;
        default:
            DrawReadout(colour, value, x, y, readoutDigits(value), 0, kReadoutFont);
            return;
    }
}

// The needle, the filled sector, the arc, the limit mark and the ticks.
void drawDialFace(const DialGauge& dial, float value, float cx, float cy, bool over) {
    const float fraction = fractionOf(dial, value);
    const float angle = dial.startAngle + (dial.endAngle - dial.startAngle) * fraction;
    const DialPoint tip = pointAt(dial, angle, dial.radius);
    const int reached = static_cast<int>(fraction * (kDialSegments - 1));

    SetGraphicsState(0, 0, 0, 1, 1, 0, 0);
    if (dial.fill) {
        ApplyColour(PanelColour::Grey28, ColourVariant::Lit);
        BeginShape(Shape::Fan);
        ShapeVertex(cx, cy);
        for (int i = 0; i <= reached; ++i) vertex(cx, cy, dial.arcPoints[i]);
        vertex(cx, cy, tip);
        EndShape();
    }
    if (dial.arc) {
        ApplyColour(PanelColour::LightGreyA, ColourVariant::HalfLit);
        SetLineWidth(2.0f);
        drawStrip(cx, cy, dial.arcPoints, kDialSegments, nullptr);
        ApplyColour(PanelColour::LightGreyA, ColourVariant::Lit);
        SetLineWidth(1.0f);
        drawStrip(cx, cy, dial.arcPoints, kDialSegments, nullptr);
    }
    ApplyColour(over ? PanelColour::RedB : PanelColour::White, ColourVariant::Lit);
    BeginShape(Shape::Lines);
    ShapeVertex(cx, cy);
    vertex(cx, cy, tip);
    EndShape();
    if (dial.type < kDialFuelFlow) {
        ApplyColour(PanelColour::DarkRed, ColourVariant::Lit);
        BeginShape(Shape::LineStrip);
        vertex(cx, cy, dial.arcPoints[kDialSegments - 1]);
        vertex(cx, cy, dial.limitMark[0]);
        vertex(cx, cy, dial.limitMark[1]);
        EndShape();
    }
    if (dial.tickCount > 0) {
        ApplyColour(PanelColour::LightGreyA, ColourVariant::Lit);
        drawTicks(dial, cx, cy);
    }
}

// 2, 4, 6, 8, 10 round the dial at 20 % steps, and 0 at its start.
void drawN1Scale(float cx, float cy) {
    const float* colour = ColourOf(PanelColour::LightGreyA, ColourVariant::Lit);
    for (int percent = 0; percent <= 100; percent += 20) {
        const DialPoint at =
            pointAt(kN1Dial, kEngineDialStart + kN1RadiansPerPercent * percent, kN1ScaleRadius);
        float x = cx + at.x - 2.0f;
        float y = cy + at.y - 3.0f;
        const int label = percent / 10;
        if (label >= 10) {
            DrawDigitGlyph(1, colour, x, y, kN1ScaleFont);
            y = cy + at.y - 3.0f;
        }
        DrawDigitGlyph(label % 10, colour, x, y, kN1ScaleFont);
    }
}

}  // namespace

DialGauge MakeDial(DialType type, float minimum, float maximum, float radius) {
    const DialShape shape = shapeOf(type);
    DialGauge dial = baseDial(type, minimum, maximum, radius, shape.start, shape.end);
    dial.tickCount = shape.ticks;
    if (dial.tickCount > 1) {
        computeTicks(dial, shape.start, (shape.end - shape.start) / (dial.tickCount - 1),
                     kTickInner * radius, shape.tickOuter * radius);
    }
    return dial;
}

const DialGauge& N1Dial() { return kN1Dial; }

DialGauge MakeFuelQuantityDial(float fullRange) {
    DialGauge dial = MakeDial(kDialFuelQuantity, 0.0f, fullRange, kFuelTickOuterRadius);
    computeTicks(dial, -kFuelDialHalfSweep, 2.0f * kFuelDialHalfSweep / (dial.tickCount - 1),
                 kTickInner * kFuelTickOuterRadius, kFuelTickOuterRadius);
    return dial;
}

void DrawDial(const DialGauge& dial, float value, float centreX, float centreY, int layers) {
    if (!(dial.maximum > dial.minimum) || !std::isfinite(value)) return;
    const bool over = value > dial.maximum;
    if ((layers & kDialFace) != 0) drawDialFace(dial, value, centreX, centreY, over);
    if ((layers & kDialDigits) != 0) drawReadoutOf(dial, value, over, centreX, centreY);
}

void DrawN1Dial(float value, int flags, float targetN1, float centreX, float centreY,
                int layers) {
    if (!std::isfinite(value)) return;
    const bool over = value > kN1Dial.maximum;
    if ((layers & kDialFace) != 0) drawDialFace(kN1Dial, value, centreX, centreY, over);
    if ((layers & kDialDigits) != 0) drawN1Scale(centreX, centreY);

    const float boxY = centreY + kN1BoxRaise;
    if ((flags & (kN1FlagReverserTransit | kN1FlagReverserDeployed)) != 0) {
        const PanelColour reverser = (flags & kN1FlagReverserTransit) != 0 ? PanelColour::Yellow
                                                                            : PanelColour::GreenA;
        if ((layers & kDialSprites) != 0) {
            DrawSprite(kSpriteRevBox, ColourOf(reverser, ColourVariant::Lit), centreX, boxY);
        }
    } else if ((layers & kDialDigits) != 0) {
        // The reference readout, and the anti-ice mark where it ends: drawn
        // with the digits, as its place follows them.
        const float* green = ColourOf(PanelColour::GreenB, ColourVariant::Lit);
        float x = centreX - 4.0f;
        float y = boxY;
        DrawReadout(green, targetN1, x, y, 2, 1, kN1TargetFont);
        if ((flags & kN1FlagAntiIce) != 0) {
            DrawSprite(kSpriteN1AntiIceMark, green, x + kN1AntiIceMarkGap, boxY);
        }
    }
    if ((layers & kDialDigits) == 0) return;
    float x = centreX;
    float y = centreY + kReadoutRaise;
    const float* colour = over ? ColourOf(PanelColour::RedA, ColourVariant::Lit)
                               : ColourOf(PanelColour::LightGreyB, ColourVariant::Lit);
    DrawReadout(colour, value, x, y, kLeastReadoutDigits, 1, kReadoutFont);
}

void DrawFuelQuantityDial(const DialGauge& dial, float kilograms, int tank, int indication,
                          float quantityFactor, float centreX, float centreY, int layers) {
    if (!(dial.maximum > 0.0f) || !std::isfinite(kilograms)) return;
    const float value = std::clamp(kilograms, 0.0f, dial.maximum);
    const PanelColour entry = indication != 0 ? PanelColour::AmberB : PanelColour::LightGreyA;
    if ((layers & kDialFace) != 0) {
        const float fraction = value / dial.maximum;
        const DialPoint tip = pointAt(
            dial, dial.startAngle + (dial.endAngle - dial.startAngle) * fraction, dial.radius);
        const int reached = static_cast<int>(value * kDialSegments / dial.maximum);
        SetGraphicsState(0, 0, 0, 1, 1, 0, 0);
        for (ColourVariant variant : {ColourVariant::HalfLit, ColourVariant::Lit}) {
            ApplyColour(entry, variant);
            SetLineWidth(variant == ColourVariant::Lit ? 1.0f : 2.0f);
            drawTicks(dial, centreX, centreY);
            drawStrip(centreX, centreY, dial.arcPoints, std::min(reached, kDialSegments), &tip);
        }
        SetLineWidth(1.0f);
    }
    if ((layers & kDialDigits) != 0) {
        float x = centreX - kFuelReadoutLeft;
        float y = centreY - kFuelReadoutDrop;
        DrawReadoutFuel(ColourOf(entry, ColourVariant::Lit), value * quantityFactor, x, y,
                        kReadoutFont);
    }
    if ((layers & kDialSprites) == 0) return;
    const float* cyan = ColourOf(PanelColour::Cyan, ColourVariant::Lit);
    if (tank == 1) {
        DrawSprite(kSpriteCentreTankLegend, cyan, centreX - 7.0f, centreY + 4.0f);
    } else {
        DrawSprite(tank == 0 ? kSpriteTank1Legend : kSpriteTank2Legend, cyan, centreX - 2.0f,
                   centreY + 5.0f);
    }
    constexpr PanelSprite kIndicationSprites[] = {kSpriteFuelImbalanceLight, kSpriteFuelLowLight,
                                                  kSpriteFuelConfigLight};
    if (indication >= 1 && indication <= 3) {
        DrawSpriteCentred(kIndicationSprites[indication - 1],
                          ColourOf(PanelColour::AmberB, ColourVariant::Lit),
                          centreX + kIndicationRight, centreY - kIndicationDrop);
    }
}

}  // namespace quil
