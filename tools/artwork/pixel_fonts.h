// Two small bitmap fonts for the panel's legends: 3 x 5 and 5 x 7 texels,
// proportionally spaced.
#pragma once

#include <initializer_list>
#include <string>

#include "artwork/canvas.h"

namespace artwork {

enum class PixelFont { Small, Large };

int TextWidth(const std::string& line, PixelFont font);
int FontHeight(PixelFont font);

// One line with its lower-left corner at (x, y).
void DrawText(Canvas& canvas, int x, int y, const std::string& line, PixelFont font,
              const Colour& colour);

enum class FontChoice { LargeFirst, SmallOnly };

// The first candidate that fits the box (lines split at '\n'), centred in
// it. False when none fits: the last candidate is then drawn in the small
// font, cut by the box.
bool DrawLabel(Canvas& canvas, const Box& box, std::initializer_list<const char*> candidates,
               const Colour& colour, FontChoice choice = FontChoice::LargeFirst);

}  // namespace artwork
