// The panel's click spots: the invisible full-screen window that catches
// panel clicks, the hover icon and the outlines.
#pragma once

#include "XPLMDisplay.h"

namespace quil {

int HandlePanelClick(XPLMWindowID window, int x, int y, XPLMMouseStatus status, void* refcon);
// The icon of the first enabled spot under the mouse, or 0.
int FindClickSpotUnderMouse(int x, int y);
void DrawClickSpotOutlines();
void DrawCabinSwitches();
void SetAuxPanelSpotEnabled(bool enabled);

}  // namespace quil
