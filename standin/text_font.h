// The host's built-in bitmap font: 5 x 7 pixel glyphs for printable ASCII,
// drawn as GL quads in the current colour and matrices. Used by
// XPLMDrawString and by the host's own dialog text.
#pragma once

#include <string_view>
#include <vector>

namespace standin {

constexpr int kGlyphWidthPx = 5;
constexpr int kGlyphHeightPx = 7;
constexpr int kGlyphAdvancePx = 6;   // a blank column between glyphs
constexpr int kTextLineHeightPx = 10;

int textWidthPx(std::string_view text);

// Splits text into lines no wider than wrapWidthPx, breaking at spaces
// where it can; a word longer than a line is cut. No wrapping when
// wrapWidthPx <= 0.
std::vector<std::string_view> wrapText(std::string_view text, int wrapWidthPx);

// One line with the lower-left corner of its first glyph at (x, y).
// Characters outside the font advance as blanks.
void drawTextLine(int x, int y, std::string_view text);

}  // namespace standin
