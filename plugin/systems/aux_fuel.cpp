// The auxiliary tanks: their switches, bleed-air pressurisation and the
// transfer of their fuel into the centre tank.
#include <algorithm>
#include <cmath>

#include "sim/snapshot.h"
#include "systems/air_ground.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/engines.h"
#include "systems/fuel.h"
#include "systems/fuel_model.h"

namespace quil {
namespace {

constexpr int kForward = 0;
constexpr int kAft = 1;
constexpr int kAuxTankOf[kAuxTanks] = {kForwardAuxTank, kAftAuxTank};

// The cabin's differential pressure decides whether bleed air must push the
// aux fuel: set below 4.4 psi, cleared above 4.6.
constexpr float kLowDifferentialSet = 4.4f;
constexpr float kLowDifferentialClear = 4.6f;
// The cabin pressure from the cabin altitude (m) in the standard atmosphere.
constexpr float kSeaLevelPsi = 14.696f;
constexpr float kStandardLapsePerMetre = 2.25577e-5f;
constexpr float kStandardPressureExponent = 5.25588f;

// Transfer: enabled with the centre tank at most this full, ended within
// the margin of its capacity, kg.
constexpr float kTransferCenterLimit = 10886.0f;
constexpr float kTransferFullMargin = 8.0f;

// Bleed channels 0, 1 pressurise the forward tank, 2, 3 the aft one, each
// on its AC transfer bus.
constexpr int kBleedChannelTank[kAuxBleedChannels] = {kForward, kForward, kAft, kAft};
constexpr int kBleedChannelBus[kAuxBleedChannels] = {0, 1, 1, 0};
constexpr float kPressurisedPsi = 8.13f;

// Transfer switches A and B of each tank with the bus each needs.
struct TransferSwitchRow {
    int tank, bus;
};
constexpr TransferSwitchRow kTransferSwitches[kAuxTransferSwitches] = {
    {kForward, 0},  // forward A
    {kForward, 1},  // forward B
    {kAft, 1},      // aft A
    {kAft, 0},      // aft B
};
// Transfer rate: (differential pressure - 2.628 psi) x rate, kg/s.
constexpr float kTransferThresholdPsi = 2.628f;
constexpr float kTransferRate[kAuxTanks] = {0.247f, 0.266f};
constexpr float kTransferSupplyTemperature = 18.3f;  // °C
constexpr float kTransferringAbove = 0.8f;           // kg

bool validAuxTank(int which) { return which >= 0 && which < kAuxTanks; }

// The cabin's pressure above the outside air, psi.
float cabinDifferentialPressure() {
    const float cabinAltitude = static_cast<float>(snapshot.cabinAltitude);
    const float cabin =
        kSeaLevelPsi * std::pow(std::max(0.0f, 1.0f - kStandardLapsePerMetre * cabinAltitude),
                                kStandardPressureExponent);
    const float outside = snapshot.baroCurrent * kPsiPerInHg;
    return std::isfinite(outside) ? cabin - outside : 0.0f;
}

// Hysteresis on the differential pressure.
void updateLowDifferential(AuxTransfer& aux, float differential) {
    if (!aux.lowDifferentialPressure && differential < kLowDifferentialSet) {
        aux.lowDifferentialPressure = true;
    } else if (aux.lowDifferentialPressure && differential > kLowDifferentialClear) {
        aux.lowDifferentialPressure = false;
    }
}

// Transfer starts long after take-off or for a ground transfer, while the
// centre tank has room.
void updateTransferEnabled(AuxTransfer& aux) {
    if (!AuxSystemInstalled()) {
        aux.groundTransfer = false;
        aux.transferEnabled = false;
        return;
    }
    aux.groundTransfer = dcStandbyBusPowered() && aux.mode == kAuxModeGroundTransfer;
    const FuelTank& center = fuelModel.tanks[kCenterTank];
    if (!aux.transferEnabled) {
        aux.transferEnabled =
            (AirborneAtLeast600() || aux.groundTransfer) && center.quantity <= kTransferCenterLimit;
    } else if ((OnGround() && !aux.groundTransfer) ||
               center.quantity >= center.capacity - kTransferFullMargin) {
        // Landed, or the centre tank is full.
        aux.transferEnabled = false;
    }
}

// Bleed air pressurises a tank through either of its channels.
void updatePressurisation(AuxTransfer& aux) {
    const bool phaseAllows = AirborneAtLeast40() || aux.mode == kAuxModeGroundTransfer;
    const bool common = dcStandbyBusPowered() && phaseAllows && aux.lowDifferentialPressure;
    aux.pressurised[kForward] = aux.pressurised[kAft] = false;
    for (int channel = 0; channel < kAuxBleedChannels; ++channel) {
        const int tank = kBleedChannelTank[channel];
        if (common && aux.bleedSwitch[tank] && transferBusPowered(kBleedChannelBus[channel])) {
            aux.pressurised[tank] = true;
        }
    }
}

// A pressurised tank holds 8.13 psi while bleed air is there.
void updateDifferentialPressures(AuxTransfer& aux, float differential) {
    const bool bleedAir = eitherEngineRunning() || apuBleedAvailable();
    for (int tank = 0; tank < kAuxTanks; ++tank) {
        aux.differentialPressure[tank] =
            aux.pressurised[tank] && bleedAir ? kPressurisedPsi : differential;
    }
}

bool transferSwitchedOn(const AuxTransfer& aux, int tank) {
    for (int n = 0; n < kAuxTransferSwitches; ++n) {
        const TransferSwitchRow& row = kTransferSwitches[n];
        if (row.tank == tank && aux.transferSwitch[n] && transferBusPowered(row.bus)) return true;
    }
    return false;
}

// The air pressure pushes each tank's fuel into the centre tank.
void transfer(AuxTransfer& aux, float dt) {
    for (int tank = 0; tank < kAuxTanks; ++tank) {
        FuelTank& from = fuelModel.tanks[kAuxTankOf[tank]];
        const bool moving = aux.transferEnabled && from.present && transferSwitchedOn(aux, tank);
        if (moving) {
            const float push =
                (aux.differentialPressure[tank] - kTransferThresholdPsi) * kTransferRate[tank] * dt;
            const float offered = std::min(from.quantity, std::max(0.0f, push));
            from.quantity -= AddFuel(kCenterTank, offered, kTransferSupplyTemperature);
        }
        aux.transferring[tank] = moving && from.quantity > kTransferringAbove;
    }
}

void stepAuxTransfer(float dt) {
    AuxTransfer& aux = fuelModel.aux;
    const float differential = cabinDifferentialPressure();
    updateLowDifferential(aux, differential);
    updateTransferEnabled(aux);
    updatePressurisation(aux);
    updateDifferentialPressures(aux, differential);
    transfer(aux, dt);
}

}  // namespace

void AuxTankStep(float now) {
    if (!std::isfinite(now)) return;
    stepAuxTransfer(fuelModel.dt);
    StepAuxFuelPanel(now);
}

void SetAuxTransferSwitch(int which, bool on) {
    if (which >= 0 && which < 4) fuelModel.aux.transferSwitch[which] = on;
}

bool AuxTransferSwitch(int which) {
    return which >= 0 && which < 4 && fuelModel.aux.transferSwitch[which];
}

void SetAuxBleedSwitch(int which, bool on) {
    if (validAuxTank(which)) fuelModel.aux.bleedSwitch[which] = on;
}

bool AuxBleedSwitch(int which) { return validAuxTank(which) && fuelModel.aux.bleedSwitch[which]; }

void SetAuxMode(int mode) {
    if (mode >= 0 && mode <= kAuxModeGroundTransfer) fuelModel.aux.mode = mode;
}

int AuxMode() { return fuelModel.aux.mode; }

float AuxDifferentialPressure(int which) {
    return validAuxTank(which) ? fuelModel.aux.differentialPressure[which] : 0.0f;
}

bool AuxTransferring(int which) { return validAuxTank(which) && fuelModel.aux.transferring[which]; }
bool AuxTransferEnabled() { return fuelModel.aux.transferEnabled; }

}  // namespace quil
