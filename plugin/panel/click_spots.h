// The panel's click spots: the two tables that turn a click on the 2D panel
// or the cabin view into a model operation, the hover icon, the outlines
// and the cabin view's two switches.
#pragma once

#include "XPLMDisplay.h"

namespace quil {

// The mouse callback of the full-screen panel mouse window: 1 when a spot
// took the click, 0 to leave it to the simulator. A press is remembered and
// receives the release, wherever the mouse is let go.
int HandlePanelClick(XPLMWindowID window, int x, int y, XPLMMouseStatus status, void* refcon);
// The icon of the first enabled spot under the mouse (drawing coordinates),
// or 0.
int FindClickSpotUnderMouse(int x, int y);
// Outlines every enabled spot of the present view, with a blinking marker.
void DrawClickSpotOutlines();
// The galley and cabin light switches of the cabin view.
void DrawCabinSwitches();
// The embedded auxiliary fuel panel takes clicks only on an aircraft with
// auxiliary tanks.
void SetAuxPanelSpotEnabled(bool enabled);

}  // namespace quil
