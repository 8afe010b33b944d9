// The fuel system: tanks, pumps, valves, crossfeed, engine feed and the
// auxiliary tanks.
#pragma once

namespace quil {

void FuelTankAndPumpStep(float now);
void FuelFlowStep(float now);
void AuxTankStep(float now);
void FuelMassWriteBack();

void ResetFuel(bool cold, float now);
void ClearFuelSwitchStates(float now);
// The fuel panel's pump switches: on when the engines run.
void SetFuelPanelSwitches(bool cold);

int AuxTankCount();

}  // namespace quil
