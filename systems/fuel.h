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

// What the engine display shows. Tanks 0 left main, 1 centre, 2 right
// main: the quantity in kilograms and the indication (0 none, 1 imbalance,
// 2 low, 3 configuration). Displayed quantities are kilograms times the
// quantity factor; displayed flows the engine's fuel flow (kg/s) times the
// flow factor, in thousands per hour.
float TankQuantity(int tank);
int FuelTankIndication(int tank);
float FuelQuantityFactor();
float FuelFlowFactor();
float EngineFuelFlow(int engine);

// The fuel panel's switches: boost pump 0 to 5 on or off, and the
// crossfeed selector turned to its other position.
void SetFuelPumpSwitch(int pump, bool on);
void ToggleCrossfeedSelector();

// ---- Fuel panel lights and switches as the panel draws them -----------------
// Neutral until the fuel model answers them: every pump switch off, no
// low-pressure light, the crossfeed closed.
bool FuelPumpSwitch(int pump);
bool FuelPumpLowPressure(int pump);
bool CrossfeedOpen();

}  // namespace quil
