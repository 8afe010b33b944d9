#include "systems/fuel.h"

namespace quil {

void FuelTankAndPumpStep(float) {}
void FuelFlowStep(float) {}
void AuxTankStep(float) {}
void FuelMassWriteBack() {}
void ResetFuel(bool, float) {}
void ClearFuelSwitchStates(float) {}
void SetFuelPanelSwitches(bool) {}
int AuxTankCount() { return 0; }

}  // namespace quil
