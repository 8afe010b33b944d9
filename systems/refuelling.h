// Refuelling: the fuel request dialog and the fuel station window.
#pragma once

namespace quil {

void CloseFuelStationWindows();
void HideFuelRequestDialog();
void DestroyFuelRequestDialog();
// The station window is hidden while the simulator shows an outside view.
void SetFuelStationExternalView(bool external);

}  // namespace quil
