#include "render/glyph_grid.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

#include "render/draw_state.h"

namespace quil {
namespace {

constexpr int kDecimalBase = 10;
constexpr int kLargestPowerOfTen = 9;  // 10^9: every digit of an int lies below 10^10
constexpr int64_t kPowersOfTen[kLargestPowerOfTen + 1] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

// The decimal digit at a position (0 = ones) of a non-negative value.
int digitAt(int64_t value, int position) {
    if (position > kLargestPowerOfTen) return 0;
    return static_cast<int>(value / kPowersOfTen[position] % kDecimalBase);
}

// A negative value is drawn by its magnitude.
void drawPositions(const GlfFont& font, int value, const float* colour, int digits, float& x,
                   float& y, bool leadingZeros) {
    if (digits <= 0) return;
    int64_t magnitude = std::llabs(static_cast<int64_t>(value));
    if (digits <= kLargestPowerOfTen) magnitude %= kPowersOfTen[digits];
    bool leading = !leadingZeros;
    for (int position = digits - 1; position >= 0; --position) {
        const int digit = digitAt(magnitude, position);
        if (leading && digit == 0 && position > 0) {
            x += static_cast<float>(font.advance);
            continue;
        }
        leading = false;
        DrawGlfChar(font, colour, '0' + digit, x, y);
    }
}

}  // namespace

void SetupGlfFont(GlfFont& font, int texture, int baseChar, int topChar, int originRow,
                  int charWidth, int advance, int charHeight, int rowStep, int glyphsPerRow) {
    font = GlfFont{};
    font.glfTexture = texture;
    font.glfBaseChar = static_cast<int8_t>(baseChar);
    font.glfTopChar = static_cast<uint8_t>(topChar);
    font.originRow = originRow;
    font.glfCharWidth = charWidth;
    font.advance = advance;
    font.glfCharHeight = charHeight;
    font.rowStep = rowStep;
    font.glyphsPerRow = glyphsPerRow;
    BindTexture(texture);
    glGetTexLevelParameterfv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &font.glfTexWidth);
    glGetTexLevelParameterfv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &font.glfTexHeight);
    // A row count of zero would divide by zero when drawing.
    if (font.glfTexWidth <= 0.0f || font.glfTexHeight <= 0.0f || glyphsPerRow <= 0) return;
    font.spanU = std::fabs(static_cast<float>(charWidth) / font.glfTexWidth);
    font.spanV = std::fabs(static_cast<float>(charHeight) / font.glfTexHeight);
    font.ready = 1;
}

void DrawGlfChar(const GlfFont& font, const float* colour, int ch, float& x, float& y) {
    if (font.ready == 0) return;
    const int index = ch - font.glfBaseChar;
    const int column = index % font.glyphsPerRow;
    const int row = index / font.glyphsPerRow;
    const float u = static_cast<float>(column * font.glfCharWidth) / font.glfTexWidth;
    const float v = static_cast<float>(row * font.rowStep + font.originRow) / font.glfTexHeight;
    DrawRunQuad(font.glfTexture, 1, colour, QuadColour::AsGiven,
                {x, y, static_cast<float>(font.glfCharWidth),
                 static_cast<float>(std::abs(font.glfCharHeight)), u, v, u + font.spanU,
                 v + font.spanV});
    x += static_cast<float>(font.advance);
}

void DrawGlfString(const GlfFont& font, const float* colour, const char* text, float& x, float& y) {
    if (text == nullptr) return;
    for (const char* c = text; *c != '\0'; ++c) {
        DrawGlfChar(font, colour, static_cast<unsigned char>(*c), x, y);
    }
}

void DrawGlfNumber(const GlfFont& font, int value, const float* colour, int digits, float& x,
                   float& y) {
    drawPositions(font, value, colour, digits, x, y, false);
}

void DrawGlfDigits(const GlfFont& font, int value, const float* colour, int digits, float& x,
                   float& y) {
    drawPositions(font, value, colour, digits, x, y, true);
}

}  // namespace quil
