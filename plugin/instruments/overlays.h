// The attitude and navigation display overlays and the panel's mode
// control panel.
#pragma once

namespace quil {

void DrawAttitudeOverlay();
void DrawNavDisplayOverlay();
void DrawSmallDisplayCover();
void DrawPanelMcp();

}  // namespace quil
