// Figures are those published for the CFM56-7B27 of the 737-800: 121.4 kN
// (27,300 lbf) of sea-level static thrust, a fan redline of 104 % N1,
// ground idle near 21 % N1 and 60 % N2, some 5 to 6 s to spool from idle
// to take-off thrust, and a take-off specific fuel consumption near
// 0.38 lb/(lbf h).
#include "standin/flight/engines.h"

#include <algorithm>
#include <cmath>

#include "standin/flight/lag.h"

namespace standin::flight {
namespace {

constexpr double kRatedThrustN = 121400.0;
constexpr double kIdleN1 = 21.0;
// N1 at full throttle; the autothrottle's throttle limits assume about 1 %
// of N1 per 0.01 of throttle.
constexpr double kFullThrottleN1 = 102.0;
// Above idle the core follows the fan: N2 = a + b N1 (60 % at idle, 99 %
// at 100 % N1).
constexpr double kN2AtZeroN1 = 49.5;
constexpr double kN2PerN1 = 0.495;
constexpr double kSpoolUpS = 1.8;    // N1 lag accelerating
constexpr double kSpoolDownS = 1.4;  // and decelerating
// Starting: the starter turns the core to about 25 % N2; fuel lights it at
// 20 % and it accelerates to idle; without fuel and starter it winds down.
constexpr double kStarterN2 = 25.0;
constexpr double kLightOffN2 = 20.0;
constexpr double kStartLagS = 8.0;
constexpr double kWindDownLagS = 6.0;
constexpr double kFanPerCoreBelowIdle = 0.35;
// Thrust grows with the 3.5th power of fan speed, and lapses with density
// (σ^0.7) and with Mach number (ram drag), which together put climb thrust
// at 10000 ft near 40 % of the static rating.
constexpr double kThrustN1Exponent = 3.5;
constexpr double kDensityLapseExponent = 0.7;
constexpr double kMachLapse = 0.8;
// Exhaust gas temperature over the outside air: about 450 °C at idle and
// 800 °C at take-off, following N1 with a thermal lag.
constexpr double kEgtIdleRiseC = 430.0;
constexpr double kEgtRisePerN1 = 4.6;
constexpr double kEgtLagS = 3.0;
constexpr double kIdleFuelFlowKgS = 0.1;
constexpr double kFuelPerThrust = 1.07e-5;  // kg/s per newton: 0.38 lb/(lbf h)

double coreOfFan(double n1) { return kN2AtZeroN1 + kN2PerN1 * n1; }

double fanForThrottle(double throttle) {
    return kIdleN1 + (kFullThrottleN1 - kIdleN1) * std::clamp(throttle, 0.0, 1.0);
}

double egtAt(double n1, double outsideC) {
    return outsideC + kEgtIdleRiseC + kEgtRisePerN1 * std::max(0.0, n1 - kIdleN1);
}

// Fuel flow from the fan speed's sea-level thrust, which over-reads at
// altitude by the density lapse; near enough for the fuel system's gauges.
double fuelFlowAt(const Engine& engine) {
    return kIdleFuelFlowKgS + kFuelPerThrust * engineThrust(engine, seaLevelAir(), 0.0);
}

}  // namespace

Engine idlingEngine(double outsideC) {
    Engine engine;
    engine.running = true;
    engine.n1 = kIdleN1;
    engine.n2 = coreOfFan(kIdleN1);
    engine.egt = egtAt(kIdleN1, outsideC);
    engine.fuelFlow = kIdleFuelFlowKgS;
    return engine;
}

Engine stoppedEngine(double outsideC) {
    Engine engine;
    engine.egt = outsideC;
    return engine;
}

void stepEngine(Engine& engine, const EngineControls& controls, double outsideC, double dt) {
    if (!(dt > 0.0)) return;
    const double idleN2 = coreOfFan(kIdleN1);
    engine.running = controls.fuel && (engine.running || engine.n2 >= kLightOffN2);
    if (engine.running && engine.n2 >= idleN2 - 0.5) {
        const double target = fanForThrottle(controls.throttle);
        engine.n1 = lagged(engine.n1, target, target > engine.n1 ? kSpoolUpS : kSpoolDownS, dt);
        engine.n1 = std::max(engine.n1, kIdleN1);
        engine.n2 = coreOfFan(engine.n1);
    } else {
        const double target = engine.running ? idleN2 : (controls.starter ? kStarterN2 : 0.0);
        engine.n2 = lagged(engine.n2, target, engine.running ? kStartLagS : kWindDownLagS, dt);
        engine.n1 = kFanPerCoreBelowIdle * engine.n2;
    }
    engine.egt = lagged(engine.egt, engine.running ? egtAt(engine.n1, outsideC) : outsideC,
                        kEgtLagS, dt);
    engine.fuelFlow = engine.running ? fuelFlowAt(engine) : 0.0;
}

double throttleForThrust(double thrustN, const Air& air, double mach) {
    Engine engine = idlingEngine(0.0);
    double low = 0.0, high = 1.0;
    for (int i = 0; i < 40; ++i) {
        const double middle = 0.5 * (low + high);
        engine.n1 = fanForThrottle(middle);
        (engineThrust(engine, air, mach) < thrustN ? low : high) = middle;
    }
    return 0.5 * (low + high);
}

void settleEngine(Engine& engine, double throttle, double outsideC) {
    engine = idlingEngine(outsideC);
    engine.n1 = fanForThrottle(throttle);
    engine.n2 = coreOfFan(engine.n1);
    engine.egt = egtAt(engine.n1, outsideC);
    engine.fuelFlow = fuelFlowAt(engine);
}

double engineThrust(const Engine& engine, const Air& air, double mach) {
    if (!engine.running) return 0.0;
    const double fan = std::pow(std::max(0.0, engine.n1) / 100.0, kThrustN1Exponent);
    const double density = std::pow(air.density / seaLevelAir().density, kDensityLapseExponent);
    return kRatedThrustN * fan * density * std::max(0.0, 1.0 - kMachLapse * mach);
}

}  // namespace standin::flight
