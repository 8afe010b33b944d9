#include "systems/refuelling.h"

namespace quil {

void OpenFuelRequestDialog() {}
void CloseFuelStationWindows() {}
void HideFuelRequestDialog() {}
void DestroyFuelRequestDialog() {}
void SetFuelStationExternalView(bool) {}

}  // namespace quil
