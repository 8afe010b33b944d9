// The popup windows: created together, destroyed together, and told when
// the simulator shows the 2D panel.
#pragma once

namespace quil {

void CreateAllPopups();
void DestroyAllPopups();
void SetPopupsPanelView(bool panelView);

// The selector menu, opened at the mouse.
void OpenSelectorMenu();
// Opens the whole overhead arrangement, or closes it when it is open.
void ToggleOverheadArrangement();

}  // namespace quil
