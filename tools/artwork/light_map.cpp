// The demo aircraft's light-map paint: black where nothing shines, and a
// glow in each rectangle that one of the aircraft's lights switches.
#include "artwork/sheets.h"

namespace artwork {
namespace {

constexpr int kLightMapPx = 1024;
constexpr Colour kWarmWhite = {1.0f, 0.9f, 0.7f, 1.0f};
constexpr Colour kLampWhite = {1.0f, 1.0f, 0.95f, 1.0f};
constexpr Colour kCabinYellow = {1.0f, 0.8f, 0.45f, 1.0f};
constexpr int kWindowPitchPx = 16;

void glowIn(Canvas& canvas, const Box& box, const Colour& colour) {
    FillGlow(canvas, box.centreX(), box.centreY(), 0.5f * box.width(), 0.5f * box.height(), colour);
}

// A row of lit cabin windows along the strip.
void windowRow(Canvas& canvas, const Box& strip) {
    for (int x = strip.left + 4; x + 8 <= strip.right; x += kWindowPitchPx) {
        FillRoundRect(canvas, x, strip.bottom + 8, x + 8, strip.top - 8, 3, kCabinYellow);
    }
}

}  // namespace

Canvas DrawLightMapPaint() {
    Canvas canvas = MakeCanvas(kLightMapPx, kLightMapPx);
    FillBox(canvas, {0, 0, kLightMapPx, kLightMapPx}, kBlack);
    // Galley and service lights.
    glowIn(canvas, {19, 0, 531, 262}, kWarmWhite);
    glowIn(canvas, {934, 930, 966, 946}, kWarmWhite);
    // Landing lights.
    glowIn(canvas, {132, 809, 388, 909}, kLampWhite);
    glowIn(canvas, {132, 558, 388, 658}, kLampWhite);
    // Taxi and runway turnoff lights.
    glowIn(canvas, {0, 774, 128, 862}, kLampWhite);
    glowIn(canvas, {0, 521, 128, 609}, kLampWhite);
    glowIn(canvas, {0, 398, 128, 526}, kLampWhite);
    // Cabin windows, lit while the aircraft has AC power.
    windowRow(canvas, {128, 906, 640, 938});
    windowRow(canvas, {128, 654, 640, 686});
    // Cabin lights, where current and older simulators look for them.
    glowIn(canvas, {268, 264, 524, 520}, kCabinYellow);
    glowIn(canvas, {646, 258, 774, 396}, kCabinYellow);
    return canvas;
}

}  // namespace artwork
