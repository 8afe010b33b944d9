#include "systems/electrical.h"

namespace quil {
namespace {

int groundServiceMode = 0;
bool groundPowerUnitPresent = false;

}  // namespace

void ElectricalStep(float) {}
void UpdateEngineGeneratorSources() {}
void SetGeneratorsRunning() {}
void ResetDriveGenerators() {}
void SetElectricalChannels(bool) {}
void ClearStartupHold() {}
void BatteryWriteBack() {}

void SetGroundServiceMode(int mode) {
    if (mode != groundServiceMode) groundPowerUnitPresent = false;
    groundServiceMode = mode;
}

int GroundServiceMode() { return groundServiceMode; }
void SetGroundPowerUnitPresent(bool present) { groundPowerUnitPresent = present; }
bool GroundPowerUnitPresent() { return groundPowerUnitPresent; }

bool transferBusPowered(int) { return false; }
bool cabinLightSupplyPowered() { return false; }
bool standbyPowerPowered() { return false; }
bool batteryOn() { return false; }

}  // namespace quil
