// The panel's colours: the lit and unlit variants, the display schemes and
// the panel brightness.
#pragma once

namespace quil {

void SetPanelBrightness(float brightness);
void SetTransparentPanel(bool on);
// The digit colour of the display scheme, as RGB.
const float* DisplayDigitColour();

}  // namespace quil
