#include "render/colours.h"

namespace quil {
namespace {

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};
DisplayScheme displayScheme = DisplayScheme::White;

}  // namespace

void SetDisplayScheme(DisplayScheme scheme) { displayScheme = scheme; }
DisplayScheme CurrentDisplayScheme() { return displayScheme; }

void SetPanelBrightness(float) {}
void SetTransparentPanel(bool) {}
const float* DisplayDigitColour() { return kWhite; }

}  // namespace quil
