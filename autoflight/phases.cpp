#include "autoflight/phases.h"

#include "XPLMDataAccess.h"
#include "host/sim_binding.h"

namespace quil {
namespace {

constexpr float kGearLoadOnGroundNewtons = 1000.0f;

}  // namespace

void UpdateFlightPhase(float) {}
void RestartFlightPhase() {}

bool OnGround() { return XPLMGetDataf(sim.gearNormalForce) > kGearLoadOnGroundNewtons; }

}  // namespace quil
