#include "render/colours.h"

namespace quil {
namespace {

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};

}  // namespace

void SetPanelBrightness(float) {}
void SetTransparentPanel(bool) {}
const float* DisplayDigitColour() { return kWhite; }

}  // namespace quil
