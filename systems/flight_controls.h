// Flaps, slats, spoilers and wing flex.
#pragma once

namespace quil {

void StepAileronsAndSpoilers(float now);
void StepFlapsAndSlats(float now);
void StepWingFlex(float now);
// Each surface lags its neighbours by a small random amount.
void DrawFlapOffsets(float now);

}  // namespace quil
