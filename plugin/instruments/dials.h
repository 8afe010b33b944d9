// The round dial gauges of the engine display: their geometry, computed
// once per load, and the draws that only interpolate the needle and walk
// the stored points. Offsets are pixels from the dial's centre, which is
// given in drawing coordinates.
#pragma once

#include <cstdint>

namespace quil {

constexpr int kDialSegments = 60;
constexpr int kMostDialTicks = 14;

struct DialPoint {
    float x, y;
};

struct DialTick {
    DialPoint inner, outer;
};

// Types 1 to 4 are the engine dials, 5 the fuel quantity dial.
enum DialType : int32_t {
    kDialTicked = 1,
    kDialEgt = 2,
    kDialN2 = 3,
    kDialFuelFlow = 4,
    kDialFuelQuantity = 5,
};

struct DialGauge {
    int32_t segments;
    DialType type;
    int32_t fill, arc;
    float minimum, maximum;
    float startAngle, endAngle;  // radians clockwise from straight up
    float verticalScale;
    float radius;
    int32_t tickCount;
    DialPoint arcPoints[kDialSegments];
    DialTick ticks[kMostDialTicks];
    DialPoint limitMark[2];  // at the end angle, at the radius and beyond it
};

// A dial of this type, range and radius, its points computed.
DialGauge MakeDial(DialType type, float minimum, float maximum, float radius);
// The N1 dial: 0 to 105 % with a tick every 10 %.
const DialGauge& N1Dial();
// A fuel quantity dial for a tank of this full range.
DialGauge MakeFuelQuantityDial(float fullRange);

// What a dial draw puts down: its lines and fills, its digits (the
// digit-font sheet), its sprites (the atlas). A display of many dials draws
// them layer by layer, so that each layer is one run of one graphics state
// and texture.
enum DialLayers : int {
    kDialFace = 1,
    kDialDigits = 2,
    kDialSprites = 4,
    kDialWhole = kDialFace | kDialDigits | kDialSprites,
};

// Types 1 to 4: the needle at the value (pinned and red above the
// maximum), the filled sector, the arc, the limit mark and ticks, and the
// true value as a readout above the centre.
void DrawDial(const DialGauge& dial, float value, float centreX, float centreY,
              int layers = kDialWhole);

// N1 flags: the reverser code of the engine in bits 1 and 2, engine
// anti-ice in bit 16.
constexpr int kN1FlagReverserTransit = 1;
constexpr int kN1FlagReverserDeployed = 2;
constexpr int kN1FlagAntiIce = 16;
void DrawN1Dial(float value, int flags, float targetN1, float centreX, float centreY,
                int layers = kDialWhole);

// Tank 0 left main, 1 centre, 2 right main; the value in kilograms, the
// indication 0 none, 1 imbalance, 2 low, 3 configuration; shown in the
// display unit (kilograms times the quantity factor).
void DrawFuelQuantityDial(const DialGauge& dial, float kilograms, int tank, int indication,
                          float quantityFactor, float centreX, float centreY,
                          int layers = kDialWhole);

}  // namespace quil
