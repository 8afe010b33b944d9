// Digital readouts drawn with the digit fonts.
#pragma once

namespace quil {

// Draws `value` with `intDigits` integer and `decimals` decimal digits at
// the pen position (x, y), which moves along.
void DrawReadout(const float* colour, float value, float& x, float& y, int intDigits,
                 int decimals, int font);

}  // namespace quil
