#include "instruments/switches.h"

namespace quil {

void DrawLeadingEdgePanel() {}
void DrawPanelSwitches() {}

}  // namespace quil
