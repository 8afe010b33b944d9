// The panel's colours: the lit and unlit variants, the display schemes and
// the panel brightness.
#pragma once

namespace quil {

// The mode control panel's display colours, set by the configuration.
enum class DisplayScheme { White, Amber };
void SetDisplayScheme(DisplayScheme scheme);
DisplayScheme CurrentDisplayScheme();

void SetPanelBrightness(float brightness);
void SetTransparentPanel(bool on);
// The digit colour of the display scheme, as RGB.
const float* DisplayDigitColour();

}  // namespace quil
