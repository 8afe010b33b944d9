#include "systems/fuel.h"

namespace quil {
namespace {

constexpr int kMaxForwardAuxTanks = 4;
constexpr int kMaxAftAuxTanks = 5;

struct FuelSettings {
    FuelUnit unit = FuelUnit::Kilograms;
    int forwardAuxTanks = 0;
    int aftAuxTanks = 0;
    bool pumpShutoffLogic = true;
};

FuelSettings settings;

}  // namespace

void SetFuelUnit(FuelUnit unit) { settings.unit = unit; }
FuelUnit CurrentFuelUnit() { return settings.unit; }

bool SetForwardAuxTanks(int count) {
    if (count < 0 || count > kMaxForwardAuxTanks) return false;
    settings.forwardAuxTanks = count;
    return true;
}

bool SetAftAuxTanks(int count) {
    if (count < 0 || count > kMaxAftAuxTanks) return false;
    settings.aftAuxTanks = count;
    return true;
}

void SetPumpShutoffLogic(bool on) { settings.pumpShutoffLogic = on; }
bool PumpShutoffLogic() { return settings.pumpShutoffLogic; }

void FuelTankAndPumpStep(float) {}
void FuelFlowStep(float) {}
void AuxTankStep(float) {}
void FuelMassWriteBack() {}
void ResetFuel(bool, float) {}
void ClearFuelSwitchStates(float) {}
void SetFuelPanelSwitches(bool) {}
int AuxTankCount() { return settings.forwardAuxTanks + settings.aftAuxTanks; }
float TankQuantity(int) { return 0.0f; }
int FuelTankIndication(int) { return 0; }
float FuelQuantityFactor() { return settings.unit == FuelUnit::Pounds ? 2.205f : 1.0f; }
float FuelFlowFactor() { return settings.unit == FuelUnit::Pounds ? 8.1f : 3.6f; }
float EngineFuelFlow(int) { return 0.0f; }
void SetFuelPumpSwitch(int, bool) {}
void ToggleCrossfeedSelector() {}

// ---- Fuel panel lights and switches as the panel draws them -----------------
bool FuelPumpSwitch(int) { return false; }
bool FuelPumpLowPressure(int) { return false; }
bool CrossfeedOpen() { return false; }

}  // namespace quil
