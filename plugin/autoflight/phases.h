// Flight phase tracking, from taxi to landing, with its automatic actions:
// THR HLD on the take-off roll and its release, the thrust-limit changes,
// the standard altimeter through 18000 ft and the ground power unit sent
// away at taxi.
#pragma once

#include <cstdint>

namespace quil {

// The phases in the order a flight passes them; the climb abandoned (back
// below 1500 ft above 10000 ft) and the landing are left only by a restart.
enum FlightPhaseNumber : uint8_t {
    kPhaseStopped,            // parked or held
    kPhaseTaxi,               // ground power sent away
    kPhaseTakeoffThrust,      // above 80 kt
    kPhaseTakeoffRoll,        // above 84 kt: THR HLD
    kPhaseRotation,           // above 100 kt
    kPhaseLiftOff,            // the gear carries nothing
    kPhaseInitialClimb,       // above 400 ft radio
    kPhaseThrustReduction,    // above 800 ft radio: THR HLD released
    kPhaseClimb,              // above 1000 ft radio: climb thrust
    kPhaseClimbAbove10000,
    kPhaseClimbAbove18000,    // the standard altimeter setting
    kPhaseClimbAbove26000,
    kPhaseCruise,             // at the top of the flight plan
    kPhaseDescent,
    kPhaseDescentBelow26000,
    kPhaseDescentBelow18000,
    kPhaseDescentBelow10000,
    kPhaseClimbAbandoned,
    kPhaseApproach,           // below 1000 ft radio
    kPhaseApproachBelow800,   // go-around thrust limit
    kPhaseApproachBelow400,
    kPhaseFlare,              // below 50 ft radio
    kPhaseTouchdown,          // below 27 ft radio
    kPhaseLanded,
    kFlightPhaseCount
};

// One step with the simulator's running time, after the flaps and before
// the flight-plan tracking.
void UpdateFlightPhase(float now);
// The model reset: back to the taxi phase.
void RestartFlightPhase();
uint8_t FlightPhase();

}  // namespace quil
