// Glyph-grid fonts: characters laid out in rows of equal cells inside a
// window's own artwork sheet (the auxiliary fuel panel, the clock).
#pragma once

#include <cstdint>

namespace quil {

struct GlfFont {
    int32_t glfTexture;
    uint8_t ready;          // the texture has a size; drawing waits for it
    int8_t glfBaseChar;     // the character of glyph 0
    uint8_t glfTopChar;     // the last character held
    int32_t originRow;      // texel row of the first glyph row
    int32_t glfCharWidth;   // texels, and pixels on screen
    int32_t advance;        // pixels the pen moves per character
    int32_t glfCharHeight;  // texels; its magnitude is the height on screen
    int32_t rowStep;        // texels from one glyph row to the next
    int32_t glyphsPerRow;
    float glfTexWidth, glfTexHeight;
    float spanU, spanV;  // one cell in texture coordinates
};

// Binds the texture and reads its size; the font is ready when it has one.
void SetupGlfFont(GlfFont& font, int texture, int baseChar, int topChar, int originRow,
                  int charWidth, int advance, int charHeight, int rowStep, int glyphsPerRow);

// The character at the pen, which then moves right by the advance. The
// colour, when given, is set as it is: transparent-panel mode does not
// apply to window text.
void DrawGlfChar(const GlfFont& font, const float* colour, int ch, float& x, float& y);
void DrawGlfString(const GlfFont& font, const float* colour, const char* text, float& x, float& y);
// The value modulo 10^digits in exactly `digits` positions; leading zeros
// are left blank (the pen still moves), the last position always shows.
void DrawGlfNumber(const GlfFont& font, int value, const float* colour, int digits, float& x,
                   float& y);
// The same with the leading zeros drawn.
void DrawGlfDigits(const GlfFont& font, int value, const float* colour, int digits, float& x,
                   float& y);

}  // namespace quil
