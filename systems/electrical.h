// The electrical power system: generators, transfer buses, TRUs, DC buses,
// battery and charger, standby power and external power.
#pragma once

namespace quil {

void ElectricalStep(float now);
// Feeds each engine-driven generator from its engine's present speed.
void UpdateEngineGeneratorSources();

// Resets: generators to their running state, the drives reconnected, and
// both channels switched as running or cold.
void SetGeneratorsRunning();
void ResetDriveGenerators();
void SetElectricalChannels(bool running);
// The simulator's battery switch is held on from start until the first
// delayed reset.
void ClearStartupHold();
// Writes the battery state to the simulator (every eighth frame).
void BatteryWriteBack();

// Ground power: whether another plug-in manages the unit (1) or we do (0);
// a change of mode also takes the unit away.
void SetGroundServiceMode(int mode);
int GroundServiceMode();
void SetGroundPowerUnitPresent(bool present);
bool GroundPowerUnitPresent();

bool transferBusPowered(int side);  // AC transfer bus 1 (side 0) or 2 (side 1)
bool cabinLightSupplyPowered();
bool standbyPowerPowered();
bool batteryOn();

}  // namespace quil
