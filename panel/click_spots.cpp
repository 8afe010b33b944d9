#include "panel/click_spots.h"

namespace quil {

int HandlePanelClick(XPLMWindowID, int, int, XPLMMouseStatus, void*) { return 0; }
int FindClickSpotUnderMouse(int, int) { return 0; }
void DrawClickSpotOutlines() {}
void DrawCabinSwitches() {}
void SetAuxPanelSpotEnabled(bool) {}

}  // namespace quil
