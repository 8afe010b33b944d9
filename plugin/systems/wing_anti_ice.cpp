// The wing anti-ice valves and the temperature of each wing's bleed duct,
// with the valve shut while the duct overheats.
#include <cmath>

#include "sim/random.h"
#include "sim/snapshot.h"
#include "systems/anti_ice_model.h"

namespace quil {
namespace {

constexpr int kWingValveIds[kWings] = {100, 101};
constexpr float kDuctStartSpread = 1.28f;        // °C above the outside air
constexpr float kDuctHeating = 0.005f;           // per second
constexpr float kDuctHeatingSpread = 0.003f;     // per second
constexpr float kDuctCooling = 0.005f;           // per second
constexpr float kDuctCoolingSpread = 0.0028f;    // per second
constexpr float kBleedPerEgt = 1.4f;             // duct target per °C of EGT
constexpr float kDuctOverheatAbove = 125.0f;     // °C
constexpr float kDuctReopenBelow = 95.0f;        // °C
constexpr float kCoolingPerKnot = 0.0033f;       // more cooling per knot of airspeed
constexpr float kSurfaceHeatAbove = 75.0f;       // °C, the simulator's wing heat on

float finiteOr(float value, float fallback) { return std::isfinite(value) ? value : fallback; }

}  // namespace

void InitialiseWingAntiIce() {
    const float oat = static_cast<float>(snapshot.oat);
    for (int w = 0; w < kWings; ++w) {
        const float transit = kAntiIceValveTransit + kAntiIceValveTransitSpread * RandomUnit();
        antiIce.wing[w].valve = MakeMotorisedValve(transit, kWingValveIds[w], AntiIceValvesPowered);
        // The switch keeps its position over a reload; the new valve follows it.
        CommandValve(antiIce.wing[w].valve, antiIce.wingSwitch);
    }
    for (WingDuct& wing : antiIce.wing) {
        wing.temperature = oat + kDuctStartSpread * RandomUnit();
        wing.heatingCoefficient = kDuctHeating + kDuctHeatingSpread * RandomUnit();
        wing.coolingCoefficient = kDuctCooling + kDuctCoolingSpread * RandomUnit();
    }
}

void StepWingAntiIce(float now, float dt) {
    const float oat = static_cast<float>(snapshot.oat);
    const float ias = finiteOr(snapshot.ias, 0.0f);
    const bool bleed = snapshot.bleedAirOn != 0;
    for (int w = 0; w < kWings; ++w) {
        WingDuct& wing = antiIce.wing[w];
        StepValve(wing.valve, now);
        const std::uint8_t state = WingAntiIceValveState(w);
        float target = wing.temperature;
        if (state == kValveOpen && bleed && antiIce.wingSwitch) {
            target = finiteOr(kBleedPerEgt * snapshot.egt[w], wing.temperature);
            if (wing.temperature > kDuctOverheatAbove) CommandValve(wing.valve, false);
        } else if (state == kValveInTransit && bleed && antiIce.wingSwitch &&
                   wing.temperature < kDuctReopenBelow) {
            CommandValve(wing.valve, true);
        }
        wing.temperature += ((target - wing.temperature) * wing.heatingCoefficient +
                             (oat - wing.temperature) * wing.coolingCoefficient *
                                 (1.0f + kCoolingPerKnot * ias)) * dt;
    }
}

bool WingSurfaceHeated() { return antiIce.wing[0].temperature > kSurfaceHeatAbove; }

void SetWingAntiIceSwitch(bool on) {
    if (antiIce.wingSwitch == on) return;
    antiIce.wingSwitch = on;
    for (WingDuct& wing : antiIce.wing) CommandValve(wing.valve, on);
}
bool WingAntiIceSwitch() { return antiIce.wingSwitch; }

std::uint8_t WingAntiIceValveState(int wing) {
    if (!onPanel<kWings>(wing)) return kValveClosed;
    const std::uint8_t state = ValveState(antiIce.wing[wing].valve);
    return state == kValveClosed && antiIce.wingSwitch ? kValveInTransit : state;
}

float WingDuctTemperature(int side) {
    if (!antiIce.initialised || !onPanel<kWings>(side)) return static_cast<float>(snapshot.oat);
    return antiIce.wing[side].temperature;
}

}  // namespace quil
