// The overhead popup windows: meters, APU, cabin utilities, anti-ice, fuel.
#pragma once

#include "windows/popup_window.h"

namespace quil {

extern PopupWindow meterWindow;
extern PopupWindow apuWindow;
extern PopupWindow cabinUtilitiesWindow;
extern PopupWindow antiIceWindow;
extern PopupWindow fuelWindow;

void ResetMeterWindow(bool cold);

}  // namespace quil
