#include "autoflight/phases.h"

#include <cmath>
#include <cstdint>

#include "XPLMDataAccess.h"
#include "autoflight/lateral.h"
#include "autoflight/modes.h"
#include "host/sim_binding.h"
#include "host/sim_values.h"
#include "host/snapshot.h"
#include "systems/electrical.h"
#include "systems/engines.h"

namespace quil {
namespace {

constexpr float kGearLoadOnGroundNewtons = 1000.0f;
constexpr float kAuxBleedAirborneSeconds = 40.0f;
constexpr float kLongAirborneSeconds = 600.0f;

// What one step of the machine looks at.
struct PhaseInputs {
    float speed;  // ground speed, m/s
    float radioAltitude;
    float altitude;  // indicated, feet
    float gearForce;  // newtons
    bool ground;
    bool planValid;
    float planTop;  // the highest flight-plan altitude, feet
};

using PhaseTest = bool (*)(const PhaseInputs&);

struct Transition {
    PhaseTest test;  // null: no transition
    uint8_t next;
};

// Each phase's tests, made in order; the first that holds moves the phase.
struct PhaseRow {
    Transition first, second;
};

constexpr PhaseRow kPhaseRows[kFlightPhaseCount] = {
    /* 0 */ {{[](const PhaseInputs& in) { return in.speed > 5.0f; }, 1}, {}},
    /* 1 */ {{[](const PhaseInputs& in) { return in.speed > 41.155552f; }, 2},
             {[](const PhaseInputs& in) { return in.speed < 2.5f; }, 0}},
    /* 2 */ {{[](const PhaseInputs& in) { return in.speed > 43.21f; }, 3},
             {[](const PhaseInputs& in) { return in.speed < 41.5f; }, 2}},
    /* 3 */ {{[](const PhaseInputs& in) { return in.speed > 51.54f; }, 4},
             {[](const PhaseInputs& in) { return in.speed < 48.0f; }, 3}},
    /* 4 */ {{[](const PhaseInputs& in) { return in.gearForce < kGearLoadOnGroundNewtons; }, 5},
             {[](const PhaseInputs& in) { return in.speed < 47.5f; }, 2}},
    /* 5 */ {{[](const PhaseInputs& in) { return in.radioAltitude > 400.0f; }, 6},
             {[](const PhaseInputs& in) { return in.ground; }, 23}},
    /* 6 */ {{[](const PhaseInputs& in) { return in.radioAltitude > 800.0f; }, 7},
             {[](const PhaseInputs& in) { return in.radioAltitude < 400.0f; }, 20}},
    /* 7 */ {{[](const PhaseInputs& in) { return in.radioAltitude > 1000.0f; }, 8},
             {[](const PhaseInputs& in) { return in.radioAltitude < 800.0f; }, 19}},
    /* 8 */ {{[](const PhaseInputs& in) { return in.altitude > 10000.0f; }, 9},
             {[](const PhaseInputs& in) { return in.radioAltitude < 1000.0f; }, 19}},
    /* 9 */ {{[](const PhaseInputs& in) { return in.altitude > 18000.0f; }, 10},
             {[](const PhaseInputs& in) { return in.radioAltitude < 1500.0f; }, 17}},
    /* 10 */ {{[](const PhaseInputs& in) { return in.altitude > 26000.0f; }, 11},
              {[](const PhaseInputs& in) { return in.radioAltitude < 10000.0f; }, 16}},
    // Cruise: the top of the flight plan, or 18000 ft without one.
    /* 11 */ {{[](const PhaseInputs& in) {
                   return in.planValid && static_cast<float>(TruncToInt(in.altitude)) >
                                              in.planTop - 250.0f;
               },
               12},
              {[](const PhaseInputs& in) { return !in.planValid && in.altitude < 18000.0f; }, 15}},
    /* 12 */ {{[](const PhaseInputs& in) {
                   return in.planValid && in.radioAltitude < in.planTop - 600.0f;
               },
               13},
              {[](const PhaseInputs& in) { return !in.planValid && in.radioAltitude < 18000.0f; },
               15}},
    /* 13 */ {{[](const PhaseInputs& in) { return in.radioAltitude < 26000.0f; }, 14}, {}},
    /* 14 */ {{[](const PhaseInputs& in) { return in.radioAltitude < 18000.0f; }, 15}, {}},
    /* 15 */ {{[](const PhaseInputs& in) { return in.radioAltitude < 10000.0f; }, 16}, {}},
    /* 16 */ {{[](const PhaseInputs& in) { return in.radioAltitude < 1000.0f; }, 18}, {}},
    /* 17 */ {},
    /* 18 */ {{[](const PhaseInputs& in) { return in.radioAltitude < 800.0f; }, 19},
              {[](const PhaseInputs& in) { return in.radioAltitude > 1250.0f; }, 16}},
    /* 19 */ {{[](const PhaseInputs& in) { return in.radioAltitude < 400.0f; }, 20},
              {[](const PhaseInputs& in) { return in.radioAltitude > 950.0f; }, 18}},
    /* 20 */ {{[](const PhaseInputs& in) { return in.radioAltitude < 50.0f; }, 21},
              {[](const PhaseInputs& in) { return in.radioAltitude > 650.0f; }, 19}},
    /* 21 */ {{[](const PhaseInputs& in) { return in.radioAltitude < 27.0f; }, 22},
              {[](const PhaseInputs& in) { return in.radioAltitude > 150.0f; }, 20}},
    /* 22 */ {{[](const PhaseInputs& in) { return in.gearForce > kGearLoadOnGroundNewtons; }, 23},
              {[](const PhaseInputs& in) { return in.radioAltitude > 36.0f; }, 21}},
    /* 23 */ {},
};

// ---- Entry actions ----

// Taxi: the ground crew takes the power unit away.
void enterTaxi() { SetGroundPowerUnitPresent(false); }

// Take-off roll: THR HLD when the autothrottle holds N1.
void enterTakeoffRoll() {
    if (!atN1()) return;
    mcpThrHold(kMcpOn);
    RecomputeHeadingWrap();
}

void enterThrustReduction() { mcpThrHold(kMcpOff); }

void enterClimb() {
    const ThrustLimit mode = ThrustLimitMode();
    if (mode == kThrustLimitTakeoff) SetThrustLimitMode(kThrustLimitClimb);
    if (mode == kThrustLimitTakeoffReduced) SetThrustLimitMode(kThrustLimitClimbReduced);
}

void enterGoAroundRange() { SetThrustLimitMode(kThrustLimitGoAround); }

using EntryAction = void (*)();

EntryAction entryAction(uint8_t phase) {
    switch (phase) {
        case 1:
            return enterTaxi;
        case 3:
            return enterTakeoffRoll;
        case 7:
            return enterThrustReduction;
        case 8:
            return enterClimb;
        case 10:
            return SetStandardBarometer;
        case 19:
            return enterGoAroundRange;
        default:
            return nullptr;
    }
}

struct FlightPhases {
    uint8_t phase = 0;
    float lastGroundTime = 0.0f;
    float timeSinceGround = 0.0f;
};

FlightPhases phases;

void enter(uint8_t phase) {
    phases.phase = phase;
    if (EntryAction action = entryAction(phase)) action();
}

bool holds(const Transition& transition, const PhaseInputs& inputs) {
    return transition.test != nullptr && transition.test(inputs);
}

PhaseInputs readInputs() {
    const float gearForce = XPLMGetDataf(sim.gearNormalForce);
    return {groundspeed_mps(),
            snapshot.radioAltitude,
            snapshot.indicatedAltitude,
            gearForce,
            gearForce > kGearLoadOnGroundNewtons,
            FlightPlanValid(),
            static_cast<float>(highestPlanAltitude())};
}

}  // namespace

void UpdateFlightPhase(float now) {
    if (!std::isfinite(now)) return;
    const PhaseInputs inputs = readInputs();
    // NaN readings fail every test, so a broken value holds the phase.
    const PhaseRow& row = kPhaseRows[phases.phase];
    if (holds(row.first, inputs)) {
        enter(row.first.next);
    } else if (holds(row.second, inputs)) {
        enter(row.second.next);
    }
    // A clock that went back (a replay, a reset of the simulator's time)
    // counts the flight from there.
    if (inputs.ground || now < phases.lastGroundTime) phases.lastGroundTime = now;
    phases.timeSinceGround = now - phases.lastGroundTime;
}

// Every load and reset starts the aircraft taxiing: the ground power unit
// goes away until the crew asks for it again.
void RestartFlightPhase() { enter(1); }

uint8_t FlightPhase() { return phases.phase; }

bool OnGround() { return XPLMGetDataf(sim.gearNormalForce) > kGearLoadOnGroundNewtons; }
bool InAir() { return !OnGround(); }
bool AirborneAtLeast40() { return phases.timeSinceGround >= kAuxBleedAirborneSeconds; }
bool AirborneAtLeast600() { return phases.timeSinceGround >= kLongAirborneSeconds; }

}  // namespace quil
