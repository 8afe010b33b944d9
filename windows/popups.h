// The popup windows: created together, destroyed together, and told when
// the simulator shows the 2D panel.
#pragma once

namespace quil {

void CreateAllPopups();
void DestroyAllPopups();
void SetPopupsPanelView(bool panelView);

}  // namespace quil
