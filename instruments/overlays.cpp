#include "instruments/overlays.h"

namespace quil {

void DrawAttitudeOverlay() {}
void DrawNavDisplayOverlay() {}
void DrawSmallDisplayCover() {}
void DrawPanelMcp() {}

}  // namespace quil
