// The panel's switches and annunciator lights.
#pragma once

namespace quil {

// The pressure-unit knob and the leading-edge lamps.
void DrawLeadingEdgePanel();
void DrawPanelSwitches();

}  // namespace quil
