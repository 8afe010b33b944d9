// Air and ground as every model and the guidance see them: whether the gear
// carries the aircraft, how long it has flown since it last did, and the
// ground speed with its guard.
#pragma once

namespace quil {

// Above this load on the gear the aircraft is on the ground.
constexpr float kGearLoadOnGroundNewtons = 1000.0f;

// The gear carries the aircraft, or does not.
bool OnGround();
bool InAir();

// The time since the gear last carried the aircraft, counted once a frame
// by the flight phase step with what it read of the gear.
void TrackTimeSinceGround(bool onGround, float now);
// At least 40 s airborne (the aux tanks' bleed pressurisation), and at
// least ten minutes.
bool AirborneAtLeast40();
bool AirborneAtLeast600();

// The simulator's ground speed, m/s; 0 when it gives nothing usable, so
// that nothing divides by a speed the aircraft does not have.
float groundspeed_mps();

}  // namespace quil
