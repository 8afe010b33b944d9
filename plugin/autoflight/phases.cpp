#include "autoflight/phases.h"

#include <cmath>
#include <cstdint>

#include "XPLMDataAccess.h"
#include "autoflight/lateral.h"
#include "autoflight/modes.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/air_ground.h"
#include "systems/electrical.h"
#include "systems/engines.h"

namespace quil {
namespace {


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

// Ground speeds of the take-off and the taxi, m/s.
constexpr float kTaxiSpeed = 5.0f;
constexpr float kStoppedSpeed = 2.5f;
constexpr float kTakeoffThrustSpeed = 41.155552f;  // 80 kt
constexpr float kBelowTakeoffThrustSpeed = 41.5f;
constexpr float kTakeoffRollSpeed = 43.21f;  // 84 kt
constexpr float kBelowTakeoffRollSpeed = 48.0f;
constexpr float kRotationSpeed = 51.54f;  // 100 kt
constexpr float kRejectedTakeoffSpeed = 47.5f;

using In = const PhaseInputs&;

// Rows in phase order.
constexpr PhaseRow kPhaseRows[kFlightPhaseCount] = {
    // Stopped
    {{[](In in) { return in.speed > kTaxiSpeed; }, kPhaseTaxi}, {}},
    // Taxi
    {{[](In in) { return in.speed > kTakeoffThrustSpeed; }, kPhaseTakeoffThrust},
     {[](In in) { return in.speed < kStoppedSpeed; }, kPhaseStopped}},
    // Take-off thrust
    {{[](In in) { return in.speed > kTakeoffRollSpeed; }, kPhaseTakeoffRoll},
     {[](In in) { return in.speed < kBelowTakeoffThrustSpeed; }, kPhaseTakeoffThrust}},
    // Take-off roll
    {{[](In in) { return in.speed > kRotationSpeed; }, kPhaseRotation},
     {[](In in) { return in.speed < kBelowTakeoffRollSpeed; }, kPhaseTakeoffRoll}},
    // Rotation
    {{[](In in) { return in.gearForce < kGearLoadOnGroundNewtons; }, kPhaseLiftOff},
     {[](In in) { return in.speed < kRejectedTakeoffSpeed; }, kPhaseTakeoffThrust}},
    // Lift-off
    {{[](In in) { return in.radioAltitude > 400.0f; }, kPhaseInitialClimb},
     {[](In in) { return in.ground; }, kPhaseLanded}},
    // Initial climb
    {{[](In in) { return in.radioAltitude > 800.0f; }, kPhaseThrustReduction},
     {[](In in) { return in.radioAltitude < 400.0f; }, kPhaseApproachBelow400}},
    // Thrust reduction
    {{[](In in) { return in.radioAltitude > 1000.0f; }, kPhaseClimb},
     {[](In in) { return in.radioAltitude < 800.0f; }, kPhaseApproachBelow800}},
    // Climb
    {{[](In in) { return in.altitude > 10000.0f; }, kPhaseClimbAbove10000},
     {[](In in) { return in.radioAltitude < 1000.0f; }, kPhaseApproachBelow800}},
    // Climb above 10000 ft
    {{[](In in) { return in.altitude > 18000.0f; }, kPhaseClimbAbove18000},
     {[](In in) { return in.radioAltitude < 1500.0f; }, kPhaseClimbAbandoned}},
    // Climb above 18000 ft
    {{[](In in) { return in.altitude > 26000.0f; }, kPhaseClimbAbove26000},
     {[](In in) { return in.radioAltitude < 10000.0f; }, kPhaseDescentBelow10000}},
    // Climb above 26000 ft: cruise at the top of the flight plan, or below
    // 18000 ft without one.
    {{[](In in) {
          return in.planValid &&
                 static_cast<float>(TruncToInt(in.altitude)) > in.planTop - 250.0f;
      },
      kPhaseCruise},
     {[](In in) { return !in.planValid && in.altitude < 18000.0f; }, kPhaseDescentBelow18000}},
    // Cruise
    {{[](In in) { return in.planValid && in.radioAltitude < in.planTop - 600.0f; },
      kPhaseDescent},
     {[](In in) { return !in.planValid && in.radioAltitude < 18000.0f; },
      kPhaseDescentBelow18000}},
    // Descent
    {{[](In in) { return in.radioAltitude < 26000.0f; }, kPhaseDescentBelow26000}, {}},
    // Descent below 26000 ft
    {{[](In in) { return in.radioAltitude < 18000.0f; }, kPhaseDescentBelow18000}, {}},
    // Descent below 18000 ft
    {{[](In in) { return in.radioAltitude < 10000.0f; }, kPhaseDescentBelow10000}, {}},
    // Descent below 10000 ft
    {{[](In in) { return in.radioAltitude < 1000.0f; }, kPhaseApproach}, {}},
    // Climb abandoned
    {},
    // Approach
    {{[](In in) { return in.radioAltitude < 800.0f; }, kPhaseApproachBelow800},
     {[](In in) { return in.radioAltitude > 1250.0f; }, kPhaseDescentBelow10000}},
    // Approach below 800 ft
    {{[](In in) { return in.radioAltitude < 400.0f; }, kPhaseApproachBelow400},
     {[](In in) { return in.radioAltitude > 950.0f; }, kPhaseApproach}},
    // Approach below 400 ft
    {{[](In in) { return in.radioAltitude < 50.0f; }, kPhaseFlare},
     {[](In in) { return in.radioAltitude > 650.0f; }, kPhaseApproachBelow800}},
    // Flare
    {{[](In in) { return in.radioAltitude < 27.0f; }, kPhaseTouchdown},
     {[](In in) { return in.radioAltitude > 150.0f; }, kPhaseApproachBelow400}},
    // Touchdown
    {{[](In in) { return in.gearForce > kGearLoadOnGroundNewtons; }, kPhaseLanded},
     {[](In in) { return in.radioAltitude > 36.0f; }, kPhaseFlare}},
    // Landed
    {},
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
        case kPhaseTaxi:
            return enterTaxi;
        case kPhaseTakeoffRoll:
            return enterTakeoffRoll;
        case kPhaseThrustReduction:
            return enterThrustReduction;
        case kPhaseClimb:
            return enterClimb;
        case kPhaseClimbAbove18000:
            return SetStandardBarometer;
        case kPhaseApproachBelow800:
            return enterGoAroundRange;
        default:
            return nullptr;
    }
}

struct FlightPhases {
    uint8_t phase = kPhaseStopped;
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
    TrackTimeSinceGround(inputs.ground, now);
}

// Every load and reset starts the aircraft taxiing: the ground power unit
// goes away until the crew asks for it again.
void RestartFlightPhase() { enter(kPhaseTaxi); }

uint8_t FlightPhase() { return phases.phase; }

}  // namespace quil
