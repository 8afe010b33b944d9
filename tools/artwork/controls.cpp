#include "artwork/controls.h"

#include <algorithm>
#include <cmath>

namespace artwork {

void ToggleSwitch(Canvas& canvas, const Box& area, int direction) {
    ClipTo(canvas, area);
    const float cx = area.centreX(), cy = area.centreY();
    const float nut = 0.33f * std::min(area.width(), area.height());
    FillCircle(canvas, cx, cy, nut + 1.0f, kBezelRim);
    FillCircle(canvas, cx, cy, nut, kBezel);
    if (direction == 0) {
        FillCircle(canvas, cx, cy, 0.55f * nut + 0.8f, kShadow);
        FillCircle(canvas, cx, cy, 0.55f * nut, kMetal);
        FillCircle(canvas, cx - 0.2f * nut, cy + 0.2f * nut, 0.2f * nut, kWhite);
        return;
    }
    const float reach = 0.5f * area.height() - 2.5f;
    const Point tip = {cx, cy + direction * reach};
    const float width = std::max(2.5f, 0.3f * nut);
    StrokeLine(canvas, {cx, cy}, tip, width + 1.2f, kShadow);
    StrokeLine(canvas, {cx, cy}, tip, width, kMetalShade);
    StrokeLine(canvas, {cx - 0.3f * width, cy}, {tip.x - 0.3f * width, tip.y}, 0.4f * width,
               kMetal);
    FillCircle(canvas, tip.x, tip.y, 0.75f * width + 0.8f, kShadow);
    FillCircle(canvas, tip.x, tip.y, 0.75f * width, kMetal);
}

void PointerKnob(Canvas& canvas, const Box& area, float cx, float cy, float radius, float degrees) {
    ClipTo(canvas, area);
    FillCircle(canvas, cx, cy, radius + 1.0f, kKnobRim);
    FillCircle(canvas, cx, cy, radius, kKnob);
    const float a = degrees * kPi / 180.0f;
    const Point tip = {cx + 0.95f * radius * std::sin(a), cy + 0.95f * radius * std::cos(a)};
    const Point tail = {cx - 0.6f * radius * std::sin(a), cy - 0.6f * radius * std::cos(a)};
    StrokeLine(canvas, tail, tip, 0.32f * radius + 1.0f, kShadow);
    StrokeLine(canvas, tail, tip, 0.32f * radius, kMetalShade);
    StrokeLine(canvas, {cx, cy}, tip, 0.14f * radius, kWhite);
}

}  // namespace artwork
