// The digit-font sheet "quilfonts.png": seven fixed-pitch digit fonts side
// by side, twelve glyphs each (0 to 9, the decimal point, the minus sign),
// glyph g of every font in the rows from 14 g + 1 upward. Shared by the
// plug-in and by the artwork generator.
#pragma once

namespace quil {

constexpr int kDigitFontCount = 7;
constexpr int kDigitGlyphCount = 12;
constexpr int kDecimalPointGlyph = 10;
constexpr int kMinusGlyph = 11;
constexpr int kGlyphRowPitchPx = 14;

constexpr int GlyphBottomRow(int glyph) { return kGlyphRowPitchPx * glyph + 1; }

// Texel columns of a font's glyphs and their size on screen (the cell
// height is also the glyph's height in texels), and the narrower columns
// of its decimal point.
struct DigitFontCells {
    int left, right;
    int width, height;
    int pointLeft, pointRight, pointWidth;
};

constexpr DigitFontCells kDigitFontCells[kDigitFontCount] = {
    {1, 7, 6, 10, 2, 5, 3},     {11, 17, 6, 9, 12, 15, 3},  {21, 27, 6, 9, 22, 25, 3},
    {29, 34, 5, 7, 30, 32, 2},  {37, 43, 6, 10, 37, 43, 6}, {46, 52, 6, 10, 46, 52, 6},
    {64, 72, 8, 10, 64, 72, 8},
};

}  // namespace quil
