#include "systems/flight_controls.h"

namespace quil {

void StepAileronsAndSpoilers(float) {}
void StepFlapsAndSlats(float) {}
void StepWingFlex(float) {}
void DrawFlapOffsets(float) {}

}  // namespace quil
