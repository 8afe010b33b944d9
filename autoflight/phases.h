// Flight phase tracking, from taxi to landing, with its automatic actions:
// THR HLD on the take-off roll and its release, the thrust-limit changes,
// the standard altimeter through 18000 ft and the ground power unit sent
// away at taxi.
#pragma once

#include <cstdint>

namespace quil {

// Phases 0 (parked) to 23 (landed); 17 and 23 are left only by a restart.
constexpr int kFlightPhaseCount = 24;

// One step with the simulator's running time, after the flaps and before
// the flight-plan tracking.
void UpdateFlightPhase(float now);
// The model reset: back to the taxi phase.
void RestartFlightPhase();
uint8_t FlightPhase();

// The gear carries the aircraft (more than 1000 N), or does not.
bool OnGround();
bool InAir();
// Time since the gear last carried the aircraft: at least 40 s (the aux
// tanks' bleed pressurisation), and at least ten minutes.
bool AirborneAtLeast40();
bool AirborneAtLeast600();

}  // namespace quil
