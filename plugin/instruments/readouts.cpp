#include "instruments/readouts.h"

#include <algorithm>
#include <cmath>

#include "render/colours.h"
#include "render/digit_font_table.h"
#include "render/digit_fonts.h"
#include "render/draw_state.h"

namespace quil {
namespace {

constexpr float kPenStartX = 4.0f;
constexpr float kSmallFormRaise = 1.0f;  // the three- and two-digit forms
constexpr float kBlankDigitWidth = 6.0f;
constexpr float kFuelThousandsBlankWidth = 3.0f;
constexpr int kFuelSmallFont = 1;
constexpr int kFuelDigits = 5;
constexpr int kFuelLargeDigits = 2;  // ten-thousands and thousands
constexpr float kBoxMargin = 2.0f;
constexpr int kMostDigits = 7;
constexpr double kPowersOfTen[kMostDigits + 1] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
// A float reading sits just under the decimal it stands for (52.3 is
// 52.2999...): a digit is taken with this much to spare.
constexpr double kDigitSlack = 1e-3;

// The pen goes back to the readout's line before every glyph, since each
// glyph moves it up by its height.
struct Pen {
    float& x;
    float& y;
    float line;
    const float* colour;
    int font;

    void glyph(int g, int glyphFont) {
        y = line;
        DrawDigitGlyph(g, colour, x, y, glyphFont);
    }
    void minus() {
        y = line;
        DrawMinusGlyph(colour, x, y, font);
    }
};

int digitOf(double value, double unit) {
    return std::clamp(static_cast<int>(value / unit + kDigitSlack), 0, 9);
}

// The integer digits from the most significant down, and the decimals.
void drawValue(Pen& pen, float reading, int intDigits, int decimals, bool padded) {
    if (!std::isfinite(reading)) return;
    double value = reading;
    if (value < 0.0) {
        pen.minus();
        value = -value;
    }
    intDigits = std::clamp(intDigits, 0, kMostDigits);
    value = std::fmod(value, kPowersOfTen[intDigits]);
    bool started = padded;
    for (int position = intDigits; position >= 1; --position) {
        const double unit = kPowersOfTen[position - 1];
        const int digit = digitOf(value, unit);
        if (digit == 0 && !started && position > 1) {
            pen.x += kBlankDigitWidth;
        } else {
            pen.glyph(digit, pen.font);
            started = true;
        }
        value = std::max(0.0, value - digit * unit);
    }
    if (decimals < 1) return;
    pen.glyph(kDecimalPointGlyph, pen.font);
    for (int k = 1; k <= std::min(decimals, kMostDigits); ++k) {
        const double unit = 1.0 / kPowersOfTen[k];
        const int digit = digitOf(value, unit);
        pen.glyph(digit, pen.font);
        value = std::max(0.0, value - digit * unit);
    }
}

void drawReadout(const float* colour, float value, float& x, float& y, int intDigits,
                 int decimals, int font, bool padded) {
    Pen pen{x, y, y, colour, font};
    drawValue(pen, value, intDigits, decimals, padded);
    y = pen.line;
}

}  // namespace

void DrawReadout(const float* colour, float value, float& x, float& y, int intDigits, int decimals,
                 int font) {
    x += kPenStartX;
    drawReadout(colour, value, x, y, intDigits, decimals, font, false);
}

void DrawReadoutPadded(const float* colour, float value, float& x, float& y, int intDigits,
                       int decimals, int font) {
    x += kPenStartX;
    drawReadout(colour, value, x, y, intDigits, decimals, font, true);
}

void DrawReadout2(const float* colour, float value, float& x, float& y, int decimals, int font) {
    x += kPenStartX;
    y += kSmallFormRaise;
    Pen pen{x, y, y, colour, font};
    const float integerPart = std::trunc(value);
    drawValue(pen, integerPart, 2, 0, false);
    if (decimals < 1 || !std::isfinite(value)) return;
    // The decimal part, boxed: drawn as a readout of its own without digits
    // before the point.
    const float left = x;
    drawValue(pen, std::fabs(value - integerPart), 0, decimals, false);
    const float top = pen.y;
    y = pen.line;
    SetGraphicsState(0, 0, 0, 0, 0, 0, 0);
    SetColour(colour);
    SetLineWidth(1.0f);
    BeginShape(Shape::LineLoop);
    ShapeVertex(left - kBoxMargin, y - kBoxMargin);
    ShapeVertex(left - kBoxMargin, top + kBoxMargin);
    ShapeVertex(x + kBoxMargin, top + kBoxMargin);
    ShapeVertex(x + kBoxMargin, y - kBoxMargin);
    EndShape();
}

void DrawReadoutFuel(const float* colour, float value, float& x, float& y, int font) {
    x += kPenStartX;
    Pen pen{x, y, y, colour, font};
    if (!std::isfinite(value)) return;
    double rest = std::fmod(std::fabs(static_cast<double>(value)), kPowersOfTen[kFuelDigits]);
    bool started = false;
    for (int position = kFuelDigits; position >= 1; --position) {
        const bool large = position > kFuelDigits - kFuelLargeDigits;
        const double unit = kPowersOfTen[position - 1];
        const int digit = digitOf(rest, unit);
        rest = std::max(0.0, rest - digit * unit);
        if (digit == 0 && !started && position > 1) {
            pen.x += large ? kFuelThousandsBlankWidth : kBlankDigitWidth;
            continue;
        }
        pen.glyph(digit, large ? font : kFuelSmallFont);
        started = true;
    }
    y = pen.line;
}

}  // namespace quil
