// Tanks: their capacities, fills and temperatures, the configuration's
// settings, the reset, the panel lights, refuelling's operations and the
// simulator's tank masses.
#include "systems/fuel.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "XPLMDataAccess.h"
#include "sim/random.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "systems/engines.h"
#include "systems/fuel_inputs.h"
#include "systems/fuel_model.h"

namespace quil {
namespace {

// Capacities, kg
constexpr float kMainTankCapacity = 3900.0f;
constexpr float kCenterTankCapacity = 13000.0f;
constexpr int kMaxForwardAuxTanks = 4;
constexpr int kMaxAftAuxTanks = 5;
// Each forward and aft aux tank added, in the order they are fitted.
constexpr float kForwardAuxCapacities[kMaxForwardAuxTanks] = {1580.0f, 1596.0f, 741.0f, 726.0f};
constexpr float kAftAuxCapacities[kMaxAftAuxTanks] = {1544.0f, 1398.0f, 1571.0f, 1571.0f, 915.0f};
constexpr float kNewAuxTankTemperature = 18.0f;  // °C

// Fills at reset, kg: 90 % for a hot start, the last of the fuel for a cold one.
constexpr float kHotMainTankFill = 3510.0f;
constexpr float kColdMainTankFill[2] = {227.3f, 212.4f};
// Reset temperature, °C: oat x 0.3 + 11.2 + 3 r.
constexpr float kResetTemperaturePerOat = 0.3f;
constexpr float kResetTemperatureBase = 11.2f;
constexpr float kResetTemperatureSpread = 3.0f;
constexpr float kFlameOutCheckDelay = 4.0f;  // s after a reset

constexpr float kNearlyFullMargin = 8.0f;  // kg

// Panel lights, kg
constexpr float kLowMainTank = 907.0f;
constexpr float kImbalance = 453.0f;
constexpr float kCenterConfig = 726.0f;
constexpr int kCenterPumps[2] = {2, 3};

// Distribution of a total, kg
constexpr float kCenterShareLimit = 13000.0f;
constexpr float kAuxShareThreshold = 10.0f;
constexpr float kLeftOverThreshold = 1.0f;

// The simulator's tank masses move towards the model by at most this a frame.
constexpr float kMassPullPerFrame = 5.0f;  // kg
constexpr int kSimulatorTanks = 3;         // m_fuel1 .. m_fuel3: tanks 0, 1, 2

// The aux failure times: (r x A + B) minutes after the reset.
struct FailureDraw {
    float spreadMinutes, baseMinutes;
};
constexpr FailureDraw kAuxFailureDraws[kAuxFailures] = {
    {3760.0f, 150.0f}, {5870.0f, 117.0f}, {4150.0f, 267.0f}, {5270.0f, 355.0f}, {4830.0f, 321.0f},
    {5930.0f, 8.0f},   {9990.0f, 240.0f}, {8990.0f, 340.0f}, {5990.0f, 140.0f}, {8990.0f, 80.0f},
};
constexpr float kSecondsPerMinute = 60.0f;
constexpr float kFailureTimeUntilReset = 9999.0f;

// Fuel units: quantity factor, flow factor (thousands per hour from kg/s).
struct FuelUnitRow {
    float quantityFactor, flowFactor;
};
constexpr FuelUnitRow kKilogramUnit = {1.0f, 3.6f};
constexpr FuelUnitRow kPoundUnit = {2.205f, 8.1f};

struct FuelSettings {
    FuelUnit unit = FuelUnit::Kilograms;
    bool pumpShutoffLogic = true;
};

FuelSettings settings;

const FuelUnitRow& unitRow() {
    return settings.unit == FuelUnit::Pounds ? kPoundUnit : kKilogramUnit;
}

template <int Count>
float sumOfFirst(const float (&capacities)[Count], int count) {
    float sum = 0.0f;
    for (int n = 0; n < count; ++n) sum += capacities[n];
    return sum;
}

void makeAuxTank(int tank, float capacity) {
    FuelTank& t = fuelModel.tanks[tank];
    t = FuelTank{};
    t.capacity = capacity;
    t.present = capacity > 0.0f;
    t.temperature = kNewAuxTankTemperature;
}

FuelTank* tankAt(int tank) { return validFuelTank(tank) ? &fuelModel.tanks[tank] : nullptr; }

int mainTankLight(int tank, int other) {
    if (fuelModel.tanks[tank].quantity < kLowMainTank) return kFuelLightLow;
    if (fuelModel.tanks[tank].quantity < fuelModel.tanks[other].quantity - kImbalance) {
        return kFuelLightImbalance;
    }
    return kFuelLightNone;
}

void pullSimulatorMass(XPLMDataRef ref, float model) {
    const float simulator = XPLMGetDataf(ref);
    if (!std::isfinite(simulator)) {
        // A mass the simulator lost track of takes the model's at once.
        XPLMSetDataf(ref, model);
    } else if (model > simulator + kMassPullPerFrame) {
        XPLMSetDataf(ref, simulator + kMassPullPerFrame);
    } else if (model < simulator - kMassPullPerFrame) {
        XPLMSetDataf(ref, simulator - kMassPullPerFrame);
    }
}

FuelModel fuelModelAtLoad() {
    FuelModel model{};
    model.tanks[kMainTank1].capacity = kMainTankCapacity;
    model.tanks[kCenterTank].capacity = kCenterTankCapacity;
    model.tanks[kMainTank2].capacity = kMainTankCapacity;
    for (int tank = kMainTank1; tank <= kMainTank2; ++tank) model.tanks[tank].present = true;
    for (float& time : model.panel.failureTime) time = kFailureTimeUntilReset;
    return model;
}

}  // namespace

FuelModel fuelModel = fuelModelAtLoad();

void RestartFuelModel() {
    fuelModel = fuelModelAtLoad();
    settings = FuelSettings{};
}

bool validFuelTank(int tank) { return tank >= 0 && tank < kFuelTanks; }

float SimulatorTankQuantity(int tank) {
    const FuelTank* tanks = fuelModel.tanks;
    if (tank == kCenterTank && AuxSystemInstalled()) {
        return tanks[kCenterTank].quantity + tanks[kForwardAuxTank].quantity +
               tanks[kAftAuxTank].quantity;
    }
    return tanks[tank].quantity;
}

// ---- Settings --------------------------------------------------------------------

void SetFuelUnit(FuelUnit unit) { settings.unit = unit; }
FuelUnit CurrentFuelUnit() { return settings.unit; }
float FuelQuantityFactor() { return unitRow().quantityFactor; }
float FuelFlowFactor() { return unitRow().flowFactor; }
float EngineFuelFlow(int engine) {
    return engine >= 0 && engine < kEngines ? fuelModel.engineFlow[engine] : 0.0f;
}

bool SetForwardAuxTanks(int count) {
    if (count < 0 || count > kMaxForwardAuxTanks) return false;
    fuelModel.forwardAuxTanks = count;
    makeAuxTank(kForwardAuxTank, sumOfFirst(kForwardAuxCapacities, count));
    return true;
}

bool SetAftAuxTanks(int count) {
    if (count < 0 || count > kMaxAftAuxTanks) return false;
    fuelModel.aftAuxTanks = count;
    makeAuxTank(kAftAuxTank, sumOfFirst(kAftAuxCapacities, count));
    return true;
}

void SetPumpShutoffLogic(bool on) {
    settings.pumpShutoffLogic = on;
    if (!on) {
        for (int pump : kCenterPumps) fuelModel.pumps[pump].tripped = false;
    }
}

bool PumpShutoffLogic() { return settings.pumpShutoffLogic; }
int AuxTankCount() { return fuelModel.forwardAuxTanks + fuelModel.aftAuxTanks; }
bool AuxSystemInstalled() { return AuxTankCount() > 0; }

// ---- Reset -----------------------------------------------------------------------

void ResetFuel(bool cold, float now) {
    if (!std::isfinite(now)) return;
    FuelTank(&tanks)[kFuelTanks] = fuelModel.tanks;
    tanks[kMainTank1].quantity = cold ? kColdMainTankFill[0] : kHotMainTankFill;
    tanks[kMainTank2].quantity = cold ? kColdMainTankFill[1] : kHotMainTankFill;
    for (int tank = kCenterTank; tank < kFuelTanks; ++tank) {
        if (tank != kMainTank2) tanks[tank].quantity = 0.0f;
    }
    const float oat = static_cast<float>(snapshot.oat);
    for (FuelTank& tank : tanks) {
        tank.temperature = oat * kResetTemperaturePerOat + kResetTemperatureBase +
                           kResetTemperatureSpread * RandomUnit();
        tank.fullDuringRefuelling = false;
    }
    for (FuelPump& pump : fuelModel.pumps) pump.healthy = true;
    fuelModel.flameOutChecksFrom = now + kFlameOutCheckDelay;
    SetEngineFailures(false, false);
    for (int n = 0; n < kAuxFailures; ++n) {
        const FailureDraw& draw = kAuxFailureDraws[n];
        fuelModel.panel.failureTime[n] =
            now + (RandomUnit() * draw.spreadMinutes + draw.baseMinutes) * kSecondsPerMinute;
    }
    ResetAuxFuelPanel(now);
}

void ClearFuelSwitchStates(float now) {
    if (!std::isfinite(now)) return;
    for (FuelPump& pump : fuelModel.pumps) {
        pump.tripped = false;
        pump.lowPressure = false;
        pump.lastGoodTime = now;
    }
    MakeFuelValves();
}

void SetFuelPanelSwitches(bool cold) {
    for (FuelPump& pump : fuelModel.pumps) pump.switchOn = !cold;
}

// ---- Tanks -----------------------------------------------------------------------

float TankQuantity(int tank) { return validFuelTank(tank) ? fuelModel.tanks[tank].quantity : 0.0f; }
float TankCapacity(int tank) { return validFuelTank(tank) ? fuelModel.tanks[tank].capacity : 0.0f; }
bool TankPresent(int tank) { return validFuelTank(tank) && fuelModel.tanks[tank].present; }

float TankTemperature(int tank) {
    return validFuelTank(tank) ? fuelModel.tanks[tank].temperature : 0.0f;
}

float TotalFuelCapacity() {
    float total = 0.0f;
    for (const FuelTank& tank : fuelModel.tanks) total += tank.capacity;
    return total;
}

bool TankNearlyFull(int tank) {
    const FuelTank* t = tankAt(tank);
    return t != nullptr && t->quantity >= t->capacity - kNearlyFullMargin;
}

bool TankOverFull(int tank) {
    const FuelTank* t = tankAt(tank);
    return t != nullptr && t->quantity > t->capacity;
}

float MainTankMass(int side) {
    return side >= 0 && side < kEngines ? fuelModel.tanks[kMainTankOfSide[side]].quantity : 0.0f;
}

bool TankFullDuringRefuelling(int tank) {
    return validFuelTank(tank) && fuelModel.tanks[tank].fullDuringRefuelling;
}

void ClearTankFullDuringRefuelling(int tank) {
    if (FuelTank* t = tankAt(tank)) t->fullDuringRefuelling = false;
}

float AddFuel(int tank, float kilograms, float supplyTemperature) {
    FuelTank* t = tankAt(tank);
    if (t == nullptr || !std::isfinite(kilograms) || !std::isfinite(supplyTemperature) ||
        kilograms <= 0.0f) {
        return 0.0f;
    }
    const float added = std::min(kilograms, std::max(0.0f, t->capacity - t->quantity));
    t->quantity += added;
    const float structure = kTankThermal[tank].structureMass / kThermalMassPerKg;
    const float denominator = structure + t->quantity;
    if (denominator > 0.0f) {
        t->temperature = (added * supplyTemperature + (t->quantity - added) * t->temperature +
                          structure * t->temperature) /
                         denominator;
    }
    return added;
}

void SetTankQuantity(int tank, float kilograms) {
    FuelTank* t = tankAt(tank);
    if (t == nullptr || !std::isfinite(kilograms)) return;
    t->quantity = std::clamp(kilograms, 0.0f, t->capacity);
}

bool DistributeFuel(float total, float (&shares)[kFuelTanks]) {
    std::fill(std::begin(shares), std::end(shares), 0.0f);
    if (!std::isfinite(total) || total <= 0.0f) return false;
    const FuelTank* tanks = fuelModel.tanks;
    float remainder = total;
    for (int tank : {kMainTank1, kMainTank2}) {
        shares[tank] = std::min(total / 2.0f, tanks[tank].capacity);
        remainder -= shares[tank];
    }
    shares[kCenterTank] = std::min(remainder, kCenterShareLimit);
    remainder -= shares[kCenterTank];
    if (!AuxSystemInstalled() || remainder <= kAuxShareThreshold) return true;
    const float offered = remainder / 2.0f;
    for (int tank : {kForwardAuxTank, kAftAuxTank}) {
        shares[tank] = std::min(offered, tanks[tank].capacity);
        remainder -= shares[tank];
    }
    if (remainder > kLeftOverThreshold) {
        // What one aux tank could not take goes to the other one.
        const int other = tanks[kForwardAuxTank].capacity < offered ? kAftAuxTank : kForwardAuxTank;
        shares[other] = std::min(shares[other] + remainder, tanks[other].capacity);
    }
    return true;
}

int FuelTankLight(int tank) {
    switch (tank) {
        case kMainTank1:
            return mainTankLight(kMainTank1, kMainTank2);
        case kMainTank2:
            return mainTankLight(kMainTank2, kMainTank1);
        case kCenterTank: {
            const bool pumpsRunning = fuelModel.pumps[kCenterPumps[0]].running ||
                                      fuelModel.pumps[kCenterPumps[1]].running;
            const bool config = fuelModel.tanks[kCenterTank].quantity > kCenterConfig &&
                                !pumpsRunning && eitherEngineRunning();
            return config ? kFuelLightConfig : kFuelLightNone;
        }
        default:
            return kFuelLightNone;
    }
}

// ---- The simulator's tank masses ---------------------------------------------------

void FuelMassWriteBack() {
    if (!(snapshot.now >= fuelModel.flameOutChecksFrom)) return;
    const XPLMDataRef masses[kSimulatorTanks] = {sim.fuelMass1, sim.fuelMass2, sim.fuelMass3};
    for (int tank = 0; tank < kSimulatorTanks; ++tank) {
        FuelTank& t = fuelModel.tanks[tank];
        if (t.quantity >= t.capacity && RefuellingInto(tank)) t.fullDuringRefuelling = true;
        pullSimulatorMass(masses[tank], SimulatorTankQuantity(tank));
    }
}

}  // namespace quil
