#include "systems/flight_controls.h"

namespace quil {

void StepAileronsAndSpoilers(float) {}
void StepFlapsAndSlats(float) {}
void StepWingFlex(float) {}
void DrawFlapOffsets(float) {}
float SpoilerExtension(int) { return 0.0f; }
float LeadingEdgeExtension(int) { return 0.0f; }
float TrailingEdgeExtension(int) { return 0.0f; }
float WingFlex(int, int) { return 0.0f; }

}  // namespace quil
