// Figures are those published for the CFM56-7B27 of the 737-800: 121.4 kN
// (27,300 lbf) of sea-level static thrust (the engine's type certificate
// data sheet), a fan redline of 104 % N1, ground idle near 21 % N1 and 60 %
// N2, some 5 to 6 s to spool from idle to take-off thrust, a maximum climb
// thrust near 26.5 kN (5,960 lbf) at 35,000 ft and Mach 0.8 (CFM's published
// engine figures), and a specific fuel consumption near 0.36 lb/(lbf h)
// standing at sea level and 0.62 in the cruise at 35,000 ft, Mach 0.78.
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
// The engine's similarity law: thrust over the pressure ratio δ grows with
// the 3.5th power of the corrected fan speed N1/√θ, so the same N1 gives
// more thrust per δ in the cold air aloft. At one corrected speed it falls
// with Mach number as the ram drag grows and levels off as the inlet's ram
// pressure builds: a parabola through the take-off lapse (0.82 at Mach
// 0.2) and the maximum climb thrust at 35,000 ft (about 93.5 % N1 there).
constexpr double kThrustN1Exponent = 3.5;
constexpr double kRamDragPerMach = 1.087;
constexpr double kRamRecoveryPerMach2 = 0.933;
// Exhaust gas temperature over the outside air: about 450 °C at idle and
// 800 °C at take-off, following N1 with a thermal lag.
constexpr double kEgtIdleRiseC = 430.0;
constexpr double kEgtRisePerN1 = 4.6;
constexpr double kEgtLagS = 3.0;
constexpr double kIdleFuelFlowKgS = 0.1;
// Specific fuel consumption grows with flight Mach number and with √θ,
// from the static figure to the cruise one. Below its design corrected fan
// speed the engine burns more for its thrust: some 12 % more at the 65 %
// N1 of level flight low down.
constexpr double kStaticFuelPerThrust = 0.36;  // lb/(lbf h)
constexpr double kFuelPerThrustPerMach = 0.45;
constexpr double kPartPowerFuel = 1.05;
constexpr double kKgPerSecondPerNewtonPerLbPerLbfHour = 0.45359237 / (4.4482216 * 3600.0);

double coreOfFan(double n1) { return kN2AtZeroN1 + kN2PerN1 * n1; }

double fanForThrottle(double throttle) {
    return kIdleN1 + (kFullThrottleN1 - kIdleN1) * std::clamp(throttle, 0.0, 1.0);
}

double egtAt(double n1, double outsideC) {
    return outsideC + kEgtIdleRiseC + kEgtRisePerN1 * std::max(0.0, n1 - kIdleN1);
}

double temperatureRatio(const Air& air) {
    return air.temperatureK / seaLevelAir().temperatureK;
}

// N1 / √θ, as a ratio.
double correctedFanSpeed(const Engine& engine, const Air& air) {
    return std::max(0.0, engine.n1) / 100.0 / std::sqrt(temperatureRatio(air));
}

// The thrust at the present specific consumption; never below the flow
// that keeps the engine at idle.
double fuelFlowAt(const Engine& engine, const Air& air, double mach) {
    const double belowDesign = std::max(0.0, 1.0 - correctedFanSpeed(engine, air));
    const double consumption =
        (kStaticFuelPerThrust + kFuelPerThrustPerMach * std::max(0.0, mach)) *
        std::sqrt(temperatureRatio(air)) * (1.0 + kPartPowerFuel * belowDesign * belowDesign) *
        kKgPerSecondPerNewtonPerLbPerLbfHour;
    return std::max(kIdleFuelFlowKgS, consumption * engineThrust(engine, air, mach));
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

void stepEngine(Engine& engine, const EngineControls& controls, const Air& air, double mach,
                double dt) {
    if (!(dt > 0.0)) return;
    const double outsideC = air.temperatureK - kKelvinAtZeroC;
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
    engine.fuelFlow = engine.running ? fuelFlowAt(engine, air, mach) : 0.0;
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

void settleEngine(Engine& engine, double throttle, const Air& air, double mach) {
    const double outsideC = air.temperatureK - kKelvinAtZeroC;
    engine = idlingEngine(outsideC);
    engine.n1 = fanForThrottle(throttle);
    engine.n2 = coreOfFan(engine.n1);
    engine.egt = egtAt(engine.n1, outsideC);
    engine.fuelFlow = fuelFlowAt(engine, air, mach);
}

double engineThrust(const Engine& engine, const Air& air, double mach) {
    if (!engine.running) return 0.0;
    const double pressureRatio = air.pressurePa / seaLevelAir().pressurePa;
    const double m = std::max(0.0, mach);
    const double machLapse = 1.0 - kRamDragPerMach * m + kRamRecoveryPerMach2 * m * m;
    return kRatedThrustN * pressureRatio *
           std::pow(correctedFanSpeed(engine, air), kThrustN1Exponent) * machLapse;
}

}  // namespace standin::flight
