#include "systems/refuelling.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "sim/random.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/air_ground.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/fuel.h"
#include "systems/fuel_inputs.h"

namespace quil {
namespace {

// Supply pressure drawn when the station is switched on: 52 + 3 r psi.
constexpr float kSupplyPressureBase = 52.0f;
constexpr float kSupplyPressureSpread = 3.0f;
// Flow per channel, kg/s per psi: (0.396 - 0.033 n) with n channels
// flowing, so the hose shares its pressure between the open valves.
constexpr float kFlowPerPsi = 0.396f;
constexpr float kFlowLossPerChannel = 0.033f;
// Supply temperature, °C: oat x 0.3 + 10.85.
constexpr float kSupplyTemperaturePerOat = 0.3f;
constexpr float kSupplyTemperatureBase = 10.85f;
// External power counts for refuelling above this, volts.
constexpr float kExternalPowerRefuelVolts = 105.0f;
// A hitch longer than this adds no more fuel than this step would.
constexpr float kLongestRefuelStepSeconds = 1.0f;

// The sequence ends when all tanks together are within this of the
// targets, kg; a stage ends within kStageMargin of its own target.
constexpr float kSequenceMargin = 10.0f;
constexpr float kStageMargin = 2.0f;

enum class SupplyState { Off = 0, On = 2 };

struct FuelStation {
    bool active = false;
    SupplyState supply = SupplyState::Off;
    float pressure = 0.0f;  // psi, drawn at switch-on
    float added = 0.0f;     // kg, the last channel's share of the last step
};

// Stages in tank order: left, center, right, forward aux, aft aux.
struct RealtimeSequence {
    bool active = false;
    float target[kFuelTanks] = {};
    bool stage[kFuelTanks] = {};
};

struct RefuellingModel {
    FuelStation station;
    bool valveOpen[kRefuelChannels] = {};
    bool auxSelect = false;
    int testSwitch = kRefuelNormalPosition;
    RealtimeSequence sequence;
    float previousTime = -1.0f;
};

RefuellingModel model;

bool validChannel(int channel) { return channel >= 0 && channel < kRefuelChannels; }

float effectivePressure() {
    return model.station.supply == SupplyState::On ? model.station.pressure : 0.0f;
}

float supplyTemperature() {
    return static_cast<float>(snapshot.oat) * kSupplyTemperaturePerOat + kSupplyTemperatureBase;
}

// The request in kilograms; false for one that is not a finite positive
// number.
bool requestKilograms(float quantity, float (&shares)[kFuelTanks]) {
    return DistributeFuel(quantity / FuelQuantityFactor(), shares);
}

void stopSequence() { model.sequence.active = false; }

void openValve(int channel) { SetRefuelValve(channel, true); }
void closeValve(int channel) { SetRefuelValve(channel, false); }

void endAndSwitchOff() {
    stopSequence();
    SwitchFuelStationOff();
}

// Each channel that flows takes its share of the station's pressure.
void deliver(float dt) {
    int flowing = 0;
    for (int channel = 0; channel < kRefuelChannels; ++channel) {
        if (RefuelChannelFlowing(channel)) ++flowing;
    }
    if (flowing == 0 || !model.station.active || !(model.station.pressure > 0.0f)) return;
    const float q = (kFlowPerPsi - kFlowLossPerChannel * static_cast<float>(flowing)) *
                    effectivePressure() * dt;
    for (int channel = 0; channel < kRefuelChannels; ++channel) {
        const int tank = RefuelChannelTank(channel);
        if (!RefuelChannelFlowing(channel) || TankOverFull(tank)) continue;
        AddFuel(tank, q, supplyTemperature());
        model.station.added = q;
    }
}

bool stageDone(int tank) {
    const RealtimeSequence& s = model.sequence;
    return s.stage[tank] &&
           (TankQuantity(tank) > s.target[tank] - kStageMargin || TankFullDuringRefuelling(tank));
}

void startStage(int tank, int channel) {
    model.sequence.stage[tank] = true;
    openValve(channel);
}

void endStage(int tank, int channel) {
    closeValve(channel);
    model.sequence.stage[tank] = false;
}

// The realtime sequence: both mains together, then the centre, then the
// forward and the aft aux tank; at most one stage ends per step.
void stepSequence() {
    RealtimeSequence& s = model.sequence;
    if (!s.active) return;
    float onBoard = 0.0f, wanted = 0.0f;
    for (int tank = 0; tank < kFuelTanks; ++tank) {
        onBoard += TankQuantity(tank);
        wanted += s.target[tank];
    }
    // A request the tanks cannot hold ends on the stages instead: the total
    // would stop the last tank up to the margin short of full.
    const bool fillsEveryTank = wanted >= TotalFuelCapacity() - kSequenceMargin;
    if (!fillsEveryTank && onBoard > wanted - kSequenceMargin) {
        for (int channel = 0; channel < kRefuelChannels; ++channel) closeValve(channel);
        endAndSwitchOff();
    } else if (stageDone(kMainTank1)) {
        endStage(kMainTank1, kRefuelChannelLeft);
        if (!s.stage[kMainTank2]) startStage(kCenterTank, kRefuelChannelCenter);
    } else if (stageDone(kCenterTank)) {
        endStage(kCenterTank, kRefuelChannelCenter);
        if (AuxSystemInstalled() && (s.target[kForwardAuxTank] > 0.0f ||
                                     s.target[kAftAuxTank] > 0.0f)) {
            SetAuxRefuelSelect(true);
            startStage(kForwardAuxTank, kRefuelChannelLeft);
        } else {
            endAndSwitchOff();
        }
    } else if (stageDone(kMainTank2)) {
        endStage(kMainTank2, kRefuelChannelRight);
        if (!s.stage[kMainTank1]) startStage(kCenterTank, kRefuelChannelCenter);
    } else if (stageDone(kForwardAuxTank)) {
        endStage(kForwardAuxTank, kRefuelChannelLeft);
        if (!s.stage[kAftAuxTank]) startStage(kAftAuxTank, kRefuelChannelRight);
    } else if (stageDone(kAftAuxTank)) {
        endStage(kAftAuxTank, kRefuelChannelRight);
        SetAuxRefuelSelect(false);
        endAndSwitchOff();
    }
}

}  // namespace

bool RefuellingAllowed() { return OnGround() && snapshot.parkBrake != 0.0f; }

void RefuellingStep(float now) {
    const float dt = HeldStepInterval(model.previousTime, now, kLongestRefuelStepSeconds);
    // Nothing flows off the ground or without the parking brake.
    if (!RefuellingAllowed()) endAndSwitchOff();
    deliver(dt);
    stepSequence();
}

void ResetRefuelling() {
    for (int channel = 0; channel < kRefuelChannels; ++channel) closeValve(channel);
    model.sequence = RealtimeSequence{};
    SwitchFuelStationOff();
}

void SwitchFuelStationOn() {
    if (!RefuellingAllowed()) {
        endAndSwitchOff();
        return;
    }
    model.station.active = true;
    model.station.supply = SupplyState::On;
    model.station.pressure = kSupplyPressureBase + kSupplyPressureSpread * RandomUnit();
}

void SwitchFuelStationOff() {
    model.station.active = false;
    model.station.supply = SupplyState::Off;
    model.station.pressure = 0.0f;
}

bool FuelStationActive() { return model.station.active; }
float FuelStationPressure() { return effectivePressure(); }
float FuelAddedLastStep() { return model.station.added; }

void SetRefuelValve(int channel, bool open) {
    if (!validChannel(channel)) return;
    if (!open) ClearTankFullDuringRefuelling(RefuelChannelTank(channel));
    model.valveOpen[channel] = open;
}

bool RefuelValveOpen(int channel) { return validChannel(channel) && model.valveOpen[channel]; }

int RefuelChannelTank(int channel) {
    const bool aux = AuxRefuelSelected();
    switch (channel) {
        case kRefuelChannelLeft:
            return aux ? kForwardAuxTank : kMainTank1;
        case kRefuelChannelRight:
            return aux ? kAftAuxTank : kMainTank2;
        default:
            return kCenterTank;
    }
}

bool RefuelChannelFlowing(int channel) {
    return RefuellingPowerAvailable() && RefuelValveOpen(channel) &&
           !TankFullDuringRefuelling(RefuelChannelTank(channel));
}

bool RefuellingPowerAvailable() {
    return batteryOn() || transferBusPowered(0) || transferBusPowered(1) ||
           externalPowerVoltage() > kExternalPowerRefuelVolts || ApuGeneratorAvailable();
}

void SetAuxRefuelSelect(bool selected) { model.auxSelect = selected; }
// A selection left over from an aircraft with aux tanks does not lead the
// outer channels into tanks that are not there.
bool AuxRefuelSelected() {
    return model.auxSelect && dcStandbyBusPowered() && AuxSystemInstalled();
}

void SetRefuelTestSwitch(int position) {
    if (position >= kRefuelTestPosition && position <= kRefuelOtherPosition) {
        model.testSwitch = position;
    }
}

int RefuelTestSwitch() { return model.testSwitch; }

bool QuickRefuel(float quantity) {
    float shares[kFuelTanks];
    if (!requestKilograms(quantity, shares)) return false;
    for (int tank = 0; tank < kFuelTanks; ++tank) SetTankQuantity(tank, shares[tank]);
    return true;
}

bool StartRealtimeRefuelling(float quantity) {
    RealtimeSequence& s = model.sequence;
    float shares[kFuelTanks];
    if (!RefuellingAllowed() || !requestKilograms(quantity, shares)) return false;
    SetAuxRefuelSelect(false);
    for (int channel = 0; channel < kRefuelChannels; ++channel) closeValve(channel);
    s = RealtimeSequence{};
    std::copy(std::begin(shares), std::end(shares), s.target);
    s.stage[kMainTank1] = true;
    s.stage[kMainTank2] = true;
    SwitchFuelStationOn();
    s.active = true;
    openValve(kRefuelChannelLeft);
    openValve(kRefuelChannelRight);
    return true;
}

bool RealtimeRefuellingActive() { return model.sequence.active; }

// What the fuel model reads of refuelling.
bool RefuellingInto(int tank) {
    for (int channel = 0; channel < kRefuelChannels; ++channel) {
        if (RefuelValveOpen(channel) && RefuelChannelTank(channel) == tank) return true;
    }
    return false;
}

bool FuelStationDelivering() { return effectivePressure() > 0.0f; }

}  // namespace quil
