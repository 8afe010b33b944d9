// The selector menu: a small window of rows that opens the overhead
// windows one by one, the whole overhead arrangement, or a fuel request.
// Opened and closed through popups.h.
#pragma once

namespace quil {

void ShowSelectorMenu(bool visible);

}  // namespace quil
