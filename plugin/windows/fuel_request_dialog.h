// The fuel request dialog: the crew's and the flight's names, the requested
// quantity, and the choice of quick, realtime or manual refuelling.
#pragma once

namespace quil {

// From the selector menu: the dialog on the ground with the parking brake
// set, the fuelling alert otherwise.
void OpenFuelRequestDialog();
// The dialog whatever the aircraft's state (the alert's "Ignore..."):
// built on first use, its texts refreshed afterwards.
void ShowFuelRequestDialog();
void HideFuelRequestDialog();
void DestroyFuelRequestDialog();

// The picture above the dialog's fields, loaded with the popup windows'
// sheets.
void LoadFuelRequestBanner();
void UnloadFuelRequestBanner();

}  // namespace quil
