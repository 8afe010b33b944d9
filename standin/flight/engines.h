// The two turbofans: spool speeds following the throttle with their lags,
// starting on the starter and stopping at fuel cut-off, temperature, fuel
// flow and thrust.
#pragma once

#include "standin/flight/atmosphere.h"

namespace standin::flight {

struct Engine {
    double n1 = 0.0;   // % fan speed
    double n2 = 0.0;   // % core speed
    double egt = 15.0; // °C
    double fuelFlow = 0.0;  // kg/s
    bool running = false;   // burning fuel and self-sustaining
};

struct EngineControls {
    double throttle = 0.0;  // ratio 0 … 1
    bool fuel = false;      // start lever at idle (not cut off)
    bool starter = false;   // the starter turns the core
};

// An engine at ground idle, and one stopped at the outside temperature.
Engine idlingEngine(double outsideC);
Engine stoppedEngine(double outsideC);

// One step in the air around the engine at the aircraft's Mach number.
void stepEngine(Engine& engine, const EngineControls& controls, const Air& air, double mach,
                double dt);

// Net thrust in newtons at the engine's fan speed in the given air.
double engineThrust(const Engine& engine, const Air& air, double mach);

// The throttle at which a running engine settles to give this thrust (0 … 1).
double throttleForThrust(double thrustN, const Air& air, double mach);
// A running engine settled at a throttle.
void settleEngine(Engine& engine, double throttle, const Air& air, double mach);

}  // namespace standin::flight
