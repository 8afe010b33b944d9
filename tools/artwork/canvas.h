// A picture drawn in texels with y counted from the bottom edge, as the
// plug-in's sprite tables count it, with anti-aliased shapes and a clip box.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace artwork {

struct Colour {
    float r, g, b, a;
};

constexpr Colour kClear = {0, 0, 0, 0};
constexpr Colour kWhite = {1, 1, 1, 1};
constexpr Colour kBlack = {0, 0, 0, 1};

// Texels [left, right) x [bottom, top).
struct Box {
    int left, bottom, right, top;
    int width() const { return right - left; }
    int height() const { return top - bottom; }
    float centreX() const { return 0.5f * static_cast<float>(left + right); }
    float centreY() const { return 0.5f * static_cast<float>(bottom + top); }
};

struct Point {
    float x, y;
};

struct Canvas {
    int width = 0, height = 0;
    std::vector<Colour> texels;  // bottom row first
    Box clip{};                  // nothing is drawn outside it
};

Canvas MakeCanvas(int width, int height);
// Drawing is kept inside the box (and the canvas) until the next clip.
void ClipTo(Canvas& canvas, const Box& box);
void ClipToCanvas(Canvas& canvas);

// Paints colour over texel (x, y) at the given coverage, "over" blending.
void Blend(Canvas& canvas, int x, int y, const Colour& colour, float coverage = 1.0f);
// Whole texels, no anti-aliasing.
void FillBox(Canvas& canvas, const Box& box, const Colour& colour);
// Makes the texels transparent again: an opening in a frame.
void ClearBox(Canvas& canvas, const Box& box);
void OutlineBox(Canvas& canvas, const Box& box, const Colour& colour);

// Anti-aliased shapes in continuous coordinates: texel (x, y) covers
// [x, x + 1) x [y, y + 1).
using Inside = std::function<bool(float x, float y)>;
void FillShape(Canvas& canvas, float left, float bottom, float right, float top,
               const Inside& inside, const Colour& colour);
void FillCircle(Canvas& canvas, float cx, float cy, float radius, const Colour& colour);
void FillRing(Canvas& canvas, float cx, float cy, float inner, float outer, const Colour& colour);
void FillRoundRect(Canvas& canvas, float left, float bottom, float right, float top, float radius,
                   const Colour& colour);
void StrokeLine(Canvas& canvas, Point from, Point to, float width, const Colour& colour);
void FillPolygon(Canvas& canvas, const std::vector<Point>& corners, const Colour& colour);
// A soft glow: full colour at the centre fading to nothing at the radii.
void FillGlow(Canvas& canvas, float cx, float cy, float radiusX, float radiusY,
              const Colour& colour);

// An 8-bit RGBA PNG, top row first as PNG stores it.
bool WritePng(const Canvas& canvas, const std::string& path);

}  // namespace artwork
