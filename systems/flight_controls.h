// Flaps, slats, spoilers and wing flex.
#pragma once

namespace quil {

void StepAileronsAndSpoilers(float now);
void StepFlapsAndSlats(float now);
void StepWingFlex(float now);
// Each surface lags its neighbours by a small random amount.
void DrawFlapOffsets(float now);

// Surface positions for the 3D model, 0 retracted .. 1 fully extended.
float SpoilerExtension(int panel);      // index 0 .. 11: panel n is index n - 1
// Group 0 left slats, 1 left Krueger flaps, 2 right Krueger flaps, 3 right slats.
float LeadingEdgeExtension(int group);
float TrailingEdgeExtension(int side);  // 0 left, 1 right
// Bending of each wing, side 0 left, 1 right; station 0 root .. 4 tip.
float WingFlex(int side, int station);

}  // namespace quil
