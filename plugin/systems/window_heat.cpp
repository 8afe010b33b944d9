// The four window heat channels with their heaters, overheat protection
// and test switches, and the probe heat lamps.
#include "sim/random.h"
#include "sim/snapshot.h"
#include "systems/anti_ice_model.h"
#include "systems/electrical.h"

namespace quil {
namespace {

constexpr float kWindowStartTemperature = 16.0f;         // °C
constexpr float kWindowStartTemperatureSpread = 1.28f;   // °C
constexpr float kWindowHeating = 0.00295f;               // per second
constexpr float kWindowHeatingSpread = 0.0003f;          // per second
constexpr float kWindowCooling = 0.00295f;               // per second
constexpr float kWindowCoolingSpread = 0.00028f;         // per second
constexpr float kHeaterOnBelow = 36.0f;                  // °C, also where overheat resets
constexpr float kHeaterOffAbove = 40.0f;                 // °C
constexpr float kOverheatAbove = 45.0f;                  // °C
constexpr float kHeatedTarget = 60.0f;                   // °C
constexpr float kUnheatedTarget = 20.0f;                 // °C
constexpr float kIceFreeFrom = 3.0f;                     // °C
constexpr float kHeaterAmps = 5.9f;                      // A, less per °C of the window:
constexpr float kHeaterAmpsPerDegree = 0.03f;            // A/°C

bool sidePowered(int channel) { return transferBusPowered(channel % 2); }

void protectFromOverheat(WindowHeatChannel& w, bool powered) {
    const bool demanded = w.switchOn || antiIce.powerTest;
    if (w.temperature < kHeaterOnBelow && (!w.switchOn || powered)) w.overheat = 0.0f;
    if (!powered) return;
    if (antiIce.overheatTest) {
        w.overheat = 1.0f;
    } else if (w.overheat == 0.0f && demanded && w.temperature > kOverheatAbove) {
        w.overheat = 1.0f;
    }
}

void switchHeater(WindowHeatChannel& w, bool powered) {
    const bool demanded = w.switchOn || antiIce.powerTest;
    if (!w.heating && powered && w.overheat == 0.0f &&
        (antiIce.overheatTest || (demanded && w.temperature < kHeaterOnBelow))) {
        w.heating = 1;
    } else if (w.heating &&
               (!powered || (!w.switchOn && !antiIce.overheatTest && !antiIce.powerTest) ||
                w.overheat != 0.0f || w.temperature > kHeaterOffAbove)) {
        w.heating = 0;
    }
}

void exchangeHeat(WindowHeatChannel& w, float dt) {
    const float target = w.heating ? kHeatedTarget : kUnheatedTarget;
    const float oat = static_cast<float>(snapshot.oat);
    w.temperature += ((oat - w.temperature) * w.coolingCoefficient +
                      (target - w.temperature) * w.heatingCoefficient) * dt;
}

}  // namespace

void InitialiseWindowHeat() {
    for (WindowHeatChannel& w : antiIce.window) {
        w.temperature = kWindowStartTemperature + kWindowStartTemperatureSpread * RandomUnit();
        w.heatingCoefficient = kWindowHeating + kWindowHeatingSpread * RandomUnit();
        w.coolingCoefficient = kWindowCooling + kWindowCoolingSpread * RandomUnit();
    }
    antiIce.overheatTest = 0;
}

bool StepWindowHeat(float dt) {
    bool iceFree = true;
    for (int channel = 0; channel < kWindowHeatChannels; ++channel) {
        WindowHeatChannel& w = antiIce.window[channel];
        const bool powered = sidePowered(channel);
        protectFromOverheat(w, powered);
        switchHeater(w, powered);
        exchangeHeat(w, dt);
        iceFree = iceFree && powered && w.temperature >= kIceFreeFrom;
    }
    return iceFree;
}

void StepProbeHeat() {
    for (int side = 0; side < kProbeHeatSides; ++side) {
        const bool lit = antiIce.probeSwitch[side] && transferBusPowered(side);
        for (std::uint8_t& lamp : antiIce.probeLamps[side]) lamp = lit;
    }
}

void SetWindowHeatSwitch(int channel, bool on) {
    if (onPanel<kWindowHeatChannels>(channel)) antiIce.window[channel].switchOn = on;
}
bool WindowHeatSwitch(int channel) {
    return onPanel<kWindowHeatChannels>(channel) && antiIce.window[channel].switchOn;
}

void SetWindowHeatOverheatTest(bool on) { antiIce.overheatTest = on; }
bool WindowHeatOverheatTest() { return antiIce.overheatTest; }
void SetWindowHeatPowerTest(bool on) { antiIce.powerTest = on; }
bool WindowHeatPowerTest() { return antiIce.powerTest; }

WindowHeatLights WindowHeatChannelLights(int channel) {
    if (!onPanel<kWindowHeatChannels>(channel)) return {false, false, false};
    const WindowHeatChannel& w = antiIce.window[channel];
    return {w.switchOn != 0, w.heating != 0, w.overheat != 0.0f};
}

float WindowHeatCurrent(int channel) {
    if (!onPanel<kWindowHeatChannels>(channel) || !antiIce.window[channel].heating) return 0.0f;
    return kHeaterAmps - kHeaterAmpsPerDegree * antiIce.window[channel].temperature;
}

void SetProbeHeatSwitch(int side, bool on) {
    if (onPanel<kProbeHeatSides>(side)) antiIce.probeSwitch[side] = on;
}
bool ProbeHeatSwitch(int side) {
    return onPanel<kProbeHeatSides>(side) && antiIce.probeSwitch[side];
}

bool ProbeHeaterOn(int side, int heater) {
    return onPanel<kProbeHeatSides>(side) && onPanel<kProbeHeatLamps>(heater) &&
           antiIce.probeLamps[side][heater];
}

}  // namespace quil
