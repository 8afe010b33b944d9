// The clock's popup window, for the popup list.
#pragma once

#include "windows/popup_window.h"

namespace quil {

extern PopupWindow clockWindow;

}  // namespace quil
