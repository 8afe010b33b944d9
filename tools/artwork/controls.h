// Controls and colours shared by the panel atlas and the window sheets:
// toggle switches, pointer knobs and the panel's palette.
#pragma once

#include "artwork/canvas.h"

namespace artwork {

constexpr float kPi = 3.14159265f;

constexpr Colour kShadow = {0.0f, 0.0f, 0.0f, 0.85f};
constexpr Colour kBezel = {0.16f, 0.16f, 0.18f, 1.0f};
constexpr Colour kBezelRim = {0.55f, 0.56f, 0.58f, 1.0f};
constexpr Colour kMetal = {0.86f, 0.86f, 0.88f, 1.0f};
constexpr Colour kMetalShade = {0.5f, 0.5f, 0.53f, 1.0f};
constexpr Colour kKnob = {0.1f, 0.1f, 0.11f, 1.0f};
constexpr Colour kKnobRim = {0.32f, 0.32f, 0.34f, 1.0f};
constexpr Colour kPanelText = {0.92f, 0.92f, 0.92f, 1.0f};
constexpr Colour kLegendDark = {0.08f, 0.08f, 0.08f, 1.0f};
constexpr Colour kLens = {0.09f, 0.1f, 0.12f, 1.0f};
constexpr Colour kBlueLegend = {0.55f, 0.85f, 1.0f, 1.0f};
constexpr Colour kBlueGlow = {0.35f, 0.6f, 1.0f, 0.5f};
constexpr Colour kAmberLensDark = {0.22f, 0.15f, 0.06f, 1.0f};
constexpr Colour kAmberLegendDim = {0.5f, 0.38f, 0.2f, 1.0f};
constexpr Colour kAmberLegend = {1.0f, 0.72f, 0.2f, 1.0f};
constexpr Colour kAmberGlow = {1.0f, 0.55f, 0.05f, 0.5f};
constexpr Colour kGreenLens = {0.3f, 0.95f, 0.35f, 1.0f};
constexpr Colour kGreenGlow = {0.4f, 1.0f, 0.4f, 0.5f};

// A toggle switch seen from the front: its bezel nut, and the lever up
// (direction 1), down (-1), or end-on in the centre (0).
void ToggleSwitch(Canvas& canvas, const Box& area, int direction);
// A round knob whose pointer bar points at `degrees` clockwise from up.
void PointerKnob(Canvas& canvas, const Box& area, float cx, float cy, float radius,
                 float degrees);

}  // namespace artwork
