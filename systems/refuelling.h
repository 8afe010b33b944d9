// Refuelling: the fuel request dialog and the fuel station window.
#pragma once

namespace quil {

// The fuel request dialog, from the selector menu.
void OpenFuelRequestDialog();
void CloseFuelStationWindows();
void HideFuelRequestDialog();
void DestroyFuelRequestDialog();
// The station window is hidden while the simulator shows an outside view.
void SetFuelStationExternalView(bool external);

}  // namespace quil
