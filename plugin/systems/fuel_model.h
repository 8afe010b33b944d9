// The fuel model's records, shared by the files that step them: tanks and
// pumps (fuel.cpp, fuel_feed.cpp), aux transfer (aux_fuel.cpp) and the aux
// fuel control panel (aux_fuel_panel.cpp). Other modules use systems/fuel.h.
#pragma once

#include <cstdint>

#include "XPLMDataAccess.h"
#include "sim/snapshot.h"
#include "systems/fuel.h"
#include "systems/motorised_valve.h"

namespace quil {

// The feeds are the engines': side 0 left, 1 right (kEngines).
constexpr int kAuxTanks = 2;  // forward, aft
constexpr int kAuxBleedChannels = 4;
constexpr int kAuxFailures = 10;
constexpr int kAfcpListARows = 14;
constexpr int kAfcpListBRows = 26;

constexpr int kMainTankOfSide[kEngines] = {kMainTank1, kMainTank2};
constexpr float kPsiPerInHg = 0.49115415f;

// How a tank's fuel takes up heat: its transfer coefficient and its
// structure's thermal mass, which counts per 2000 like a kilogram of fuel.
// Aux tanks have no temperature model.
struct TankThermal {
    float heatTransfer, structureMass;
};
constexpr TankThermal kTankThermal[kFuelTanks] = {
    {2102.0f, 1600000.0f},  // main tank 1
    {760.0f, 4000000.0f},   // center
    {2102.0f, 1600000.0f},  // main tank 2
    {0.0f, 0.0f},           // forward aux
    {0.0f, 0.0f},           // aft aux
};
constexpr float kThermalMassPerKg = 2000.0f;

struct FuelTank {
    bool present = false;
    float quantity = 0.0f;
    float capacity = 0.0f;
    float temperature = 0.0f;
    bool fullDuringRefuelling = false;
};

struct FuelPump {
    bool switchOn = false;
    bool healthy = true;
    bool tripped = false;
    bool running = false;
    float pressure = 0.0f;
    float share = 0.0f;
    float flow = 0.0f;
    float current = 0.0f;
    bool lowPressure = false;
    float lastGoodTime = 0.0f;
};

struct AuxTransfer {
    bool transferSwitch[4] = {};
    bool bleedSwitch[kAuxTanks] = {};
    int mode = 0;
    bool lowDifferentialPressure = false;
    bool transferEnabled = false;
    bool groundTransfer = false;
    bool pressurised[kAuxTanks] = {};
    float differentialPressure[kAuxTanks] = {};
    bool transferring[kAuxTanks] = {};
};

struct AfcpList {
    int cursor = 0;  // 0 no message, else the row
    bool newMessage = false;
    float reAlertTime = 0.0f;
    bool active[kAfcpListBRows] = {};
};

struct AuxFuelPanel {
    int shownList = kAfcpListA;
    float nextEvaluation = 0.0f;
    AfcpList lists[2];  // indexed by kAfcpListB (0) and kAfcpListA (1)
    float failureTime[kAuxFailures];
};

// The simulator's datarefs this model alone uses, found on first use.
struct FuelHandles {
    XPLMDataRef fuelFlow = nullptr;
    XPLMDataRef engineFailure[kEngines] = {};
    bool bound = false;
};

struct FuelModel {
    FuelTank tanks[kFuelTanks];
    FuelPump pumps[kFuelPumps];
    MotorisedValve crossfeed;
    MotorisedValve engineValves[kEngines];
    MotorisedValve sparValves[kEngines];
    float manifoldPressure[kEngines] = {};
    float engineFlow[kEngines] = {};  // kg/s, as the simulator burns it this frame
    float ambientPressure = 0.0f;
    float previousTime = -10.0f;
    float dt = 0.0f;  // this frame's interval, worked out by the first fuel step
    float flameOutChecksFrom = 0.0f;
    int forwardAuxTanks = 0;
    int aftAuxTanks = 0;
    AuxTransfer aux;
    AuxFuelPanel panel;
    FuelHandles handles;
};

extern FuelModel fuelModel;

bool validFuelTank(int tank);
// The tank's quantity as the simulator's own tank sees it: the centre
// tank counts the aux tanks that feed it.
float SimulatorTankQuantity(int tank);
// The five valves new, closed and unstepped.
void MakeFuelValves();
// Writes the simulator's engine failure flags: failed engines flame out.
void SetEngineFailures(bool left, bool right);
// The aux fuel control panel's step and reset.
void StepAuxFuelPanel(float now);
void ResetAuxFuelPanel(float now);

}  // namespace quil
