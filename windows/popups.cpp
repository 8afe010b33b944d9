#include "windows/popups.h"

namespace quil {

void CreateAllPopups() {}
void DestroyAllPopups() {}
void SetPopupsPanelView(bool) {}

}  // namespace quil
