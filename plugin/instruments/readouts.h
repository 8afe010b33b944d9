// Digital readouts drawn with the digit fonts, shared by every panel
// display. Each takes a colour, the value and the pen position (x, y in
// drawing coordinates), which moves along as the glyphs are drawn.
#pragma once

namespace quil {

// `intDigits` integer digits, leading zeros left blank but for the last;
// then `decimals` decimal digits after a point. A negative value starts
// with the minus sign. The pen starts 4 pixels right of x.
void DrawReadout(const float* colour, float value, float& x, float& y, int intDigits,
                 int decimals, int font);
// The same with every leading zero drawn.
void DrawReadoutPadded(const float* colour, float value, float& x, float& y, int intDigits,
                       int decimals, int font);
// Two integer digits, one pixel up, the decimal part boxed.
void DrawReadout2(const float* colour, float value, float& x, float& y, int decimals, int font);
// Five digits: thousands in the given font, the last three smaller.
void DrawReadoutFuel(const float* colour, float value, float& x, float& y, int font);

}  // namespace quil
