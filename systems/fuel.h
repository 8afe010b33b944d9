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

// Settings of the configuration file; a count out of range is refused and
// leaves the previous one.
enum class FuelUnit { Kilograms, Pounds };
void SetFuelUnit(FuelUnit unit);
FuelUnit CurrentFuelUnit();
bool SetForwardAuxTanks(int count);  // 0 to 4
bool SetAftAuxTanks(int count);      // 0 to 5
void SetPumpShutoffLogic(bool on);
bool PumpShutoffLogic();

int AuxTankCount();

// The fuel panel's switches: boost pump 0 to 5 on or off, and the
// crossfeed selector turned to its other position.
void SetFuelPumpSwitch(int pump, bool on);
void ToggleCrossfeedSelector();

}  // namespace quil
