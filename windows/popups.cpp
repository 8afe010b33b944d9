#include "windows/popups.h"

namespace quil {

void CreateAllPopups() {}
void DestroyAllPopups() {}
void SetPopupsPanelView(bool) {}
void OpenSelectorMenu() {}
void ToggleOverheadArrangement() {}

}  // namespace quil
