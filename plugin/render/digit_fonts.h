// The seven digit fonts of the sheet "quilfonts.png": glyphs 0 to 9, the
// decimal point (10) and the minus sign (11).
#pragma once

namespace quil {

// Texture coordinates of every glyph for a sheet of W x H pixels.
void ComputeDigitFontCoordinates(float sheetWidth, float sheetHeight);

// Glyph g (0 to 11) of the font (1 to 6; any other number is font 0) with
// its lower-left corner at the pen; the pen then moves by the glyph's width
// and height, so callers put y back before the next glyph.
void DrawDigitGlyph(int glyph, const float* colour, float& x, float& y, int font);
void DrawMinusGlyph(const float* colour, float& x, float& y, int font);

}  // namespace quil
