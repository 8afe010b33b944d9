// Engine feed: the valves, the tank temperatures, the six boost pumps and
// suction feed, the manifolds and crossfeed, flame-out, the burn of engine
// and APU fuel, the low-pressure lights and trips, and the centre-tank
// scavenge.
#include <algorithm>
#include <cmath>

#include "XPLMDataAccess.h"
#include "sim/random.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/anti_ice.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/fuel.h"
#include "systems/fuel_inputs.h"
#include "systems/fuel_model.h"

namespace quil {
namespace {

// The boost pumps: feed side, tank, the AC transfer bus that drives it,
// pressure rise above ambient (psi), how pitch moves fuel over its inlet,
// current at full pressure (A), and whether it is a main tank pump, whose
// engine still draws fuel past it by suction when it stops and whose light
// shows with its switch off.
struct PumpRow {
    int side, tank, bus;
    float risePsi, attitude, nominalAmps;
    bool mainTank;
};
constexpr PumpRow kPumps[kFuelPumps] = {
    {0, kMainTank1, 1, 10.0f, 1.0f, 1.65f, true},     // main left aft
    {0, kMainTank1, 0, 10.0f, -1.0f, 1.81f, true},    // main left fwd
    {0, kCenterTank, 0, 23.0f, -1.8f, 2.87f, false},  // center left
    {1, kCenterTank, 1, 23.0f, 1.8f, 3.11f, false},   // center right
    {1, kMainTank2, 1, 10.0f, -1.0f, 1.6f, true},     // main right aft
    {1, kMainTank2, 0, 10.0f, 1.0f, 1.77f, true},     // main right fwd
};

// Valves: transit times, s
constexpr float kCrossfeedTransit = 1.27f;
constexpr float kEngineValveTransit[kEngines] = {1.18f, 1.32f};
constexpr float kSparValveTransit[kEngines] = {1.41f, 1.53f};
constexpr int kCrossfeedValveId = 1;
constexpr int kEngineValveIds[kEngines] = {2, 3};
constexpr int kSparValveIds[kEngines] = {4, 5};
constexpr float kStartLeverFuelOn = 0.66f;  // start lever above this: valves open

// The main tanks also take heat from their wing's heat exchanger.
constexpr float kMainTankExchangerHeat = 400.0f;

// Pumps
constexpr float kAttitudeKgPerRadian = 1000.0f;  // inlet head per unit attitude coefficient
constexpr float kRadiansPerDegree = 0.017453292f;
constexpr float kFullPressureInlet = 200.0f;  // kg over the inlet
constexpr float kDryInlet = 40.0f;
constexpr float kSuctionInletBase = 12.0f;  // suction feed above 12 + 12 r kg
constexpr float kSuctionInletSpread = 12.0f;
constexpr float kCurrentOffsetPsi = 4.5f;
constexpr float kSharingFraction = 0.9f;      // of the manifold pressure
constexpr float kLowPressureFraction = 0.6f;  // of the rise above ambient
constexpr float kTripSeconds = 15.0f;

// Engines fail below these manifold pressures, psi.
constexpr float kFlameOutPsi[kEngines] = {5.94f, 5.82f};
constexpr int kEngineFailed = 6;  // the simulator's failure: inoperative

// Scavenge: main tank 1 takes centre fuel below this, kg and kg/s.
constexpr float kScavengeBelow = 1850.0f;
constexpr float kScavengeRate = 0.0222f;
constexpr int kScavengePump = 1;

// A longer frame than this (a hitch, a time jump) counts as this long.
constexpr float kLongestFuelStepSeconds = 10.0f;

const FuelHandles& boundHandles() {
    FuelHandles& h = fuelModel.handles;
    if (!h.bound) {
        h.fuelFlow = XPLMFindDataRef("sim/flightmodel/engine/ENGN_FF_");
        h.engineFailure[0] = XPLMFindDataRef("sim/operation/failures/rel_engfai0");
        h.engineFailure[1] = XPLMFindDataRef("sim/operation/failures/rel_engfai1");
        h.bound = true;
    }
    return h;
}

bool batteryOnPowered() { return batteryOn(); }
bool dcStandbyPowered() { return dcStandbyBusPowered(); }

bool validPump(int pump) { return pump >= 0 && pump < kFuelPumps; }
bool validSide(int side) { return side >= 0 && side < kEngines; }

// The start levers open and close the engine and spar valves.
void stepValves(float now) {
    for (int side = 0; side < kEngines; ++side) {
        const bool open = StartLever(side) > kStartLeverFuelOn;
        CommandValve(fuelModel.engineValves[side], open);
        CommandValve(fuelModel.sparValves[side], open);
    }
    StepValve(fuelModel.crossfeed, now);
    for (int side = 0; side < kEngines; ++side) {
        StepValve(fuelModel.engineValves[side], now);
        StepValve(fuelModel.sparValves[side], now);
    }
}

// The tanks warm or cool towards the outside air, the mains also
// towards their wing's heat exchanger.
void stepTemperatures(float dt) {
    const float outside = static_cast<float>(snapshot.oat);
    for (int side = 0; side < kEngines; ++side) {
        const int tank = kMainTankOfSide[side];
        FuelTank& t = fuelModel.tanks[tank];
        const TankThermal& thermal = kTankThermal[tank];
        t.temperature += dt *
                         ((outside - t.temperature) * thermal.heatTransfer +
                          (WingDuctTemperature(side) - t.temperature) * kMainTankExchangerHeat) /
                         (t.quantity * kThermalMassPerKg + thermal.structureMass);
    }
    FuelTank& center = fuelModel.tanks[kCenterTank];
    const TankThermal& thermal = kTankThermal[kCenterTank];
    center.temperature += dt * (outside - center.temperature) * thermal.heatTransfer /
                          (center.quantity * kThermalMassPerKg + thermal.structureMass);
}

float runningPressure(float inlet, float full) {
    if (inlet > kFullPressureInlet) return full;
    if (inlet > kDryInlet) return (inlet - kDryInlet) * full / (kFullPressureInlet - kDryInlet);
    return 0.0f;
}

// Each pump's pressure and current from the fuel over its inlet.
void stepPumps() {
    const float ambient = std::isfinite(snapshot.baroCurrent)
                              ? std::max(0.0f, snapshot.baroCurrent * kPsiPerInHg)
                              : 0.0f;
    fuelModel.ambientPressure = ambient;
    const float pitch = std::isfinite(snapshot.pitch) ? snapshot.pitch : 0.0f;
    const float attitudeHead = kAttitudeKgPerRadian * std::sin(pitch * kRadiansPerDegree);
    for (int n = 0; n < kFuelPumps; ++n) {
        const PumpRow& row = kPumps[n];
        FuelPump& pump = fuelModel.pumps[n];
        const float inlet = fuelModel.tanks[row.tank].quantity + row.attitude * attitudeHead;
        pump.running =
            pump.switchOn && !pump.tripped && transferBusPowered(row.bus) && pump.healthy;
        if (pump.running) {
            pump.pressure = runningPressure(inlet, ambient + row.risePsi);
            pump.current = (pump.pressure + kCurrentOffsetPsi) * row.nominalAmps /
                           (row.risePsi + kCurrentOffsetPsi);
        } else {
            const float suctionInlet = kSuctionInletBase + kSuctionInletSpread * RandomUnit();
            pump.pressure = row.mainTank && inlet > suctionInlet ? ambient : 0.0f;
            pump.current = 0.0f;
        }
    }
}

// Each manifold takes its best pump; crossfeed joins them.
void stepManifolds() {
    float* manifold = fuelModel.manifoldPressure;
    manifold[0] = manifold[1] = 0.0f;
    for (int n = 0; n < kFuelPumps; ++n) {
        float& side = manifold[kPumps[n].side];
        side = std::max(side, fuelModel.pumps[n].pressure);
    }
    if (CrossfeedOpen()) manifold[0] = manifold[1] = std::max(manifold[0], manifold[1]);
}

// An engine without fuel pressure flames out.
void checkFlameOut(float now) {
    if (!(now >= fuelModel.flameOutChecksFrom)) return;
    SetEngineFailures(fuelModel.manifoldPressure[0] < kFlameOutPsi[0],
                      fuelModel.manifoldPressure[1] < kFlameOutPsi[1]);
}

// The pumps near their manifold's pressure share its flow equally; with
// crossfeed open, all of them share both engines' flow.
void shareFlow() {
    int sharing[kEngines] = {};
    bool shares[kFuelPumps] = {};
    for (int n = 0; n < kFuelPumps; ++n) {
        const int side = kPumps[n].side;
        shares[n] =
            fuelModel.pumps[n].pressure > kSharingFraction * fuelModel.manifoldPressure[side];
        if (shares[n]) ++sharing[side];
    }
    const bool crossfeed = CrossfeedOpen();
    for (int n = 0; n < kFuelPumps; ++n) {
        const int count = crossfeed ? sharing[0] + sharing[1] : sharing[kPumps[n].side];
        fuelModel.pumps[n].share = shares[n] ? 1.0f / static_cast<float>(count) : 0.0f;
    }
}

// What each engine burns, kg/s; what the simulator cannot say burns nothing.
void engineDemand(float (&demand)[kEngines]) {
    float flow[kEngines] = {};
    XPLMGetDatavf(boundHandles().fuelFlow, flow, 0, kEngines);
    for (int side = 0; side < kEngines; ++side) {
        demand[side] = std::isfinite(flow[side]) ? std::max(0.0f, flow[side]) : 0.0f;
        fuelModel.engineFlow[side] = demand[side];
    }
    const float apu = ApuFuelDemand();
    if (std::isfinite(apu)) demand[0] += std::max(0.0f, apu);
}

// Each pump delivers its share of its side's demand, or of both sides'
// with crossfeed open, from its tank.
void burn(float dt) {
    float demand[kEngines];
    engineDemand(demand);
    const bool crossfeed = CrossfeedOpen();
    for (int n = 0; n < kFuelPumps; ++n) {
        FuelPump& pump = fuelModel.pumps[n];
        const float sideDemand = crossfeed ? demand[0] + demand[1] : demand[kPumps[n].side];
        pump.flow = pump.share * sideDemand;
        FuelTank& tank = fuelModel.tanks[kPumps[n].tank];
        tank.quantity = std::max(0.0f, tank.quantity - dt * pump.flow);
    }
}

// A pump short of pressure for 15 s trips off until its switch moves.
void checkLowPressure(float now) {
    for (int n = 0; n < kFuelPumps; ++n) {
        const PumpRow& row = kPumps[n];
        FuelPump& pump = fuelModel.pumps[n];
        const bool watched = pump.switchOn || row.mainTank;
        pump.lowPressure = watched && pump.pressure < row.risePsi * kLowPressureFraction +
                                                          fuelModel.ambientPressure;
        if (!pump.lowPressure) pump.lastGoodTime = now;
        if (now - pump.lastGoodTime > kTripSeconds) pump.tripped = true;
    }
}

// Main tank 1's forward pump draws centre fuel across while the main
// tank runs low.
void scavenge(float dt) {
    FuelTank& main = fuelModel.tanks[kMainTank1];
    FuelTank& center = fuelModel.tanks[kCenterTank];
    if (main.quantity >= kScavengeBelow || !fuelModel.pumps[kScavengePump].running ||
        center.quantity <= 0.0f) {
        return;
    }
    const float moved =
        std::min({kScavengeRate * dt, center.quantity, main.capacity - main.quantity});
    center.quantity -= std::max(0.0f, moved);
    main.quantity += std::max(0.0f, moved);
}

}  // namespace

void MakeFuelValves() {
    fuelModel.crossfeed =
        MakeMotorisedValve(kCrossfeedTransit, kCrossfeedValveId, dcStandbyPowered);
    for (int side = 0; side < kEngines; ++side) {
        fuelModel.engineValves[side] =
            MakeMotorisedValve(kEngineValveTransit[side], kEngineValveIds[side], dcStandbyPowered);
        fuelModel.sparValves[side] =
            MakeMotorisedValve(kSparValveTransit[side], kSparValveIds[side], batteryOnPowered);
    }
}

void SetEngineFailures(bool left, bool right) {
    const FuelHandles& h = boundHandles();
    XPLMSetDatai(h.engineFailure[0], left ? kEngineFailed : 0);
    XPLMSetDatai(h.engineFailure[1], right ? kEngineFailed : 0);
}

void FuelTankAndPumpStep(float now) {
    if (!std::isfinite(now)) return;
    fuelModel.dt = HeldStepInterval(fuelModel.previousTime, now, kLongestFuelStepSeconds);
    stepValves(now);
    stepTemperatures(fuelModel.dt);
    stepPumps();
    stepManifolds();
    checkFlameOut(now);
    shareFlow();
}

void FuelFlowStep(float now) {
    if (!std::isfinite(now)) return;
    burn(fuelModel.dt);
    checkLowPressure(now);
    scavenge(fuelModel.dt);
}

// ---- Pumps, crossfeed and valves ----------------------------------------------

void SetFuelPumpSwitch(int pump, bool on) {
    if (!validPump(pump) || fuelModel.pumps[pump].switchOn == on) return;
    fuelModel.pumps[pump].switchOn = on;
    fuelModel.pumps[pump].tripped = false;
}

bool FuelPumpSwitch(int pump) { return validPump(pump) && fuelModel.pumps[pump].switchOn; }
float FuelPumpPressure(int pump) { return validPump(pump) ? fuelModel.pumps[pump].pressure : 0.0f; }
bool FuelPumpLowPressure(int pump) { return validPump(pump) && fuelModel.pumps[pump].lowPressure; }
float FuelPumpCurrent(int pump) { return validPump(pump) ? fuelModel.pumps[pump].current : 0.0f; }
bool FuelPumpTripped(int pump) { return validPump(pump) && fuelModel.pumps[pump].tripped; }

void SetCrossfeedSelector(bool open) { CommandValve(fuelModel.crossfeed, open); }

void ToggleCrossfeedSelector() {
    SetCrossfeedSelector(fuelModel.crossfeed.commanded != kValveOpen);
}

bool CrossfeedOpen() { return ValveState(fuelModel.crossfeed) == kValveOpen; }
std::uint8_t CrossfeedValveState() { return ValveState(fuelModel.crossfeed); }

std::uint8_t EngineFuelValveState(int engine) {
    return validSide(engine) ? ValveState(fuelModel.engineValves[engine]) : kValveClosed;
}

std::uint8_t SparValveState(int engine) {
    return validSide(engine) ? ValveState(fuelModel.sparValves[engine]) : kValveClosed;
}

float ManifoldPressure(int side) {
    return validSide(side) ? fuelModel.manifoldPressure[side] : 0.0f;
}

}  // namespace quil
