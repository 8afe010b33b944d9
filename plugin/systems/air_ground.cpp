#include "systems/air_ground.h"

#include <cmath>

#include "XPLMDataAccess.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"

namespace quil {
namespace {

constexpr float kAuxBleedAirborneSeconds = 40.0f;
constexpr float kLongAirborneSeconds = 600.0f;

struct AirGround {
    float lastGroundTime = 0.0f;
    float timeSinceGround = 0.0f;
};

AirGround airGround;

}  // namespace

bool OnGround() { return XPLMGetDataf(sim.gearNormalForce) > kGearLoadOnGroundNewtons; }
bool InAir() { return !OnGround(); }

// A clock that went back (a replay, a reset of the simulator's time) counts
// the flight from there.
void TrackTimeSinceGround(bool onGround, float now) {
    if (onGround || now < airGround.lastGroundTime) airGround.lastGroundTime = now;
    airGround.timeSinceGround = now - airGround.lastGroundTime;
}

bool AirborneAtLeast40() { return airGround.timeSinceGround >= kAuxBleedAirborneSeconds; }
bool AirborneAtLeast600() { return airGround.timeSinceGround >= kLongAirborneSeconds; }

float groundspeed_mps() {
    const float v = snapshot.groundSpeed;
    return std::isfinite(v) && v > 0.0f ? v : 0.0f;
}

}  // namespace quil
