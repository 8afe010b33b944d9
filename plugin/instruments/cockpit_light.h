// The cockpit light, tinted by the panel flood lights while the battery is
// on: the colour panel switches and lights are drawn in.
#pragma once

namespace quil {

// Tints the simulator's cockpit light; once a frame, before the panel draws.
void UpdateCockpitLight();
// The tinted cockpit light, RGB.
const float* CockpitLightColour();

}  // namespace quil
