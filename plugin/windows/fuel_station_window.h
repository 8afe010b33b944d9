// The fuel station window: the aircraft's refuelling panel with its three
// quantity displays, valve switches and lights and the test switch, and,
// with aux tanks fitted, a small window beside it with the aux refuel
// select switch.
#pragma once

#include "windows/popup_window.h"

namespace quil {

extern PopupWindow fuelStationWindow;
extern PopupWindow fuelStationAuxWindow;

// Opens both windows and switches the fuel station on.
void OpenFuelStationWindow();
void CloseFuelStationWindows();
// The windows are hidden while the simulator shows an outside view.
void SetFuelStationExternalView(bool external);

}  // namespace quil
