// The autothrottle: an N1 loop and a speed loop per engine, acting on the
// same throttle, written to the simulator only while a thrust mode holds it.
#include <cmath>

#include "XPLMDataAccess.h"
#include "autoflight/modes.h"
#include "autoflight/phases.h"
#include "autoflight/vertical.h"
#include "control/controllers.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "systems/air_ground.h"

namespace quil {
namespace {

constexpr float kSpeedLoopHeadroom = 1.025f / 102.0f;  // throttle per percent of N1 limit
constexpr float kAirborneLeastThrottle = 0.22f;
constexpr float kScheduleFullBelowLimit = 0.93f;  // of the N1 limit
constexpr float kScheduleFadePercent = 7.0f;      // N1 over which the advance turns round

// The speed loop pushes the throttle less as N1 nears its limit, and pulls
// it back past the limit.
template <int engine>
float speedSchedule() {
    const float n1 = snapshot.engineN1[engine];
    const float limit = snapshot.n1Limit[engine];
    if (n1 < kScheduleFullBelowLimit * limit) return 1.0f;
    return (limit - n1) / kScheduleFadePercent;
}

struct EngineLoops {
    FilteredController n1Loop;
    FilteredController speedLoop;
    LagFilter4 speedLag;
};

struct Autothrottle {
    EngineLoops engines[kEngines] = {
        {{-0.0028f, 0.0316f, 0.0f, 4.0f, 0.085f, 2.0f, 0.0f, 1.02f},
         {-0.006f, 10.0f, 0.0f, 3.0f, 0.0f, 4.0f, 0.0f, 0.0f, speedSchedule<0>},
         {0.11f}},
        {{-0.0028f, 0.0316f, 0.0f, 4.0f, 0.085f, 2.0f, 0.0f, 1.02f},
         {-0.006f, 10.0f, 0.0f, 3.0f, 0.0f, 4.0f, 0.0f, 0.0f, speedSchedule<1>},
         {0.11f}},
    };
    float throttle[kEngines] = {};
    float heldThrottle[kEngines] = {};
    float lastTime = 0.0f;
};

Autothrottle autothrottle;

bool holdsThrottles() {
    return atSpeed() || atSpeedHold() || atN1() || atThrHold() || atRetard() || apPitchMcpspd();
}

float n1Target(int engine) {
    if (atRetard()) return kRetardN1Percent;
    if (atThrHold()) return autothrottle.heldThrottle[engine];
    return snapshot.n1Limit[engine];
}

void stepLoops(int engine, float now) {
    EngineLoops& loops = autothrottle.engines[engine];
    float& throttle = autothrottle.throttle[engine];
    StepFiltered(loops.n1Loop, now, atN1() || atRetard(), n1Target(engine),
                 snapshot.engineN1[engine], throttle);

    const float limit = snapshot.n1Limit[engine];
    loops.speedLoop.outMax = std::isfinite(limit) ? limit * kSpeedLoopHeadroom : 0.0f;
    loops.speedLoop.outMin = InAir() ? kAirborneLeastThrottle : 0.0f;
    const float target = atSpeed() ? snapshot.apSpeedAsIas : kSpeedHoldDefaultKnots;
    const float airspeed = StepLag(snapshot.ias, loops.speedLag, now);
    StepFiltered(loops.speedLoop, now, atSpeed() || atSpeedHold(), target, airspeed, throttle);
}

// The pilot's throttles, so that a loop engaged later starts from them.
void readThrottles() {
    float read[kEngines] = {};
    XPLMGetDatavf(sim.throttle, read, 0, kEngines);
    for (int engine = 0; engine < kEngines; ++engine) {
        if (std::isfinite(read[engine])) autothrottle.throttle[engine] = read[engine];
    }
}

}  // namespace

void AutothrottleStep(float now) {
    if (!std::isfinite(now)) return;
    // Frames too close together would only amplify noise in the loops.
    const bool stepLoopsNow =
        !(now >= autothrottle.lastTime && now - autothrottle.lastTime < kClosestFramesSeconds);
    if (stepLoopsNow) {
        for (int engine = 0; engine < kEngines; ++engine) stepLoops(engine, now);
        autothrottle.lastTime = now;
    }
    if (holdsThrottles()) {
        XPLMSetDatavf(sim.throttleUsed, autothrottle.throttle, 0, kEngines);
        XPLMSetDatavf(sim.throttle, autothrottle.throttle, 0, kEngines);
    } else {
        readThrottles();
    }
}

void HoldPresentThrottles() {
    for (int engine = 0; engine < kEngines; ++engine) {
        autothrottle.heldThrottle[engine] = autothrottle.throttle[engine];
    }
}

}  // namespace quil
