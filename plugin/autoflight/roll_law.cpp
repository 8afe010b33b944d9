// The roll law: a turn is flown as a bank profile (rolling in at 5 deg/s to
// the bank for the course change, rolling out with a lead), then handed
// over to the heading loop within 8 s.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "autoflight/lateral.h"
#include "control/controllers.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "sim/units.h"
#include "systems/air_ground.h"

namespace quil {
namespace {

constexpr float kRollRateDegPerS = 5.0f;
constexpr float kTurnStartDelayS = 0.1f;
constexpr float kHandOverS = 8.0f;          // the heading loop's weight rises to 1 in this
constexpr float kHandOverDoneWeight = 0.98f;
constexpr float kRollOutLeadFactor = 4.905f * 6.0f;  // lead (deg of heading) = bank * this / v
constexpr float kOutputFilterS = 0.01f;
// An interval beyond this (a reload, a stalled frame) counts as this long.
constexpr float kLongestRollStepSeconds = 1.0f;

// Bank for a course change: sqrt(|delta| * v * 5 / 19.62).
constexpr float kBankPerCourseChange = 5.0f / 19.62f;

// Bank limits: 8 deg up to 200 ft radio altitude, blended to the
// selector's limit at 800 ft.
constexpr float kLowBankLimitDeg = 8.0f;
constexpr float kLowBankLimitFeet = 200.0f;
constexpr float kBlendTopFeet = 800.0f;
constexpr float kSelectorMostDeg = 30.0f;

enum TurnState : std::uint8_t { kTurnIdle = 0, kTurning = 1, kTurnDone = 2 };
enum TurnPhase : std::uint8_t {
    kRollingRight = 1,
    kRollingLeft = 2,
    kRollingOut = 3,
    kRolledOut = 4,
};

struct RollLaw {
    std::uint8_t turnState = kTurnIdle;
    std::uint8_t turnPhase = kRollingRight;
    float turnBankCmd = 0.0f;  // the bank of the turn profile
    float turnBank = 0.0f;     // the ideal bank of this turn
    float turnStartTime = 0.0f;
    float pidWeight = 0.0f;
    std::uint8_t pidMode = kLoopActivate;
    float rollOut = 0.0f;
    float lastTime = 0.0f;
    float lastError = 0.0f;
    std::uint8_t trackingReady = 0;
    RateLimitedController headingLoop{-1.66f, 0.28f, 0.085f, -kSelectorMostDeg,
                                      kSelectorMostDeg, 6.0f};
};

RollLaw law;

TurnPhase phaseTowards(float target, float current) {
    return current - target < 0.0f ? kRollingRight : kRollingLeft;
}

// The profile rolls towards the bank of its side, one step at a time.
void rollIn(float step, float limit, float now) {
    const float goal = law.turnPhase == kRollingRight ? limit : -limit;
    const float gap = goal - law.turnBankCmd;
    law.turnBankCmd = std::fabs(gap) <= std::fabs(step) ? goal
                                                        : law.turnBankCmd + std::copysign(step, gap);
    // Within the lead, bank * factor / v degrees of heading, it rolls out.
    // At a standstill there is no lead to weigh: the turn waits, with no
    // bank, for the aircraft to move. Weighed without dividing, so that a
    // speed next to nothing cannot make the lead overflow.
    const float v = groundspeed_mps();
    if (law.turnState == kTurning && now > law.turnStartTime && v > 0.0f &&
        std::fabs(law.lastError) * v <= law.turnBank * kRollOutLeadFactor)
        law.turnPhase = kRollingOut;
}

void rollOut(float step) {
    if (law.turnBankCmd > step) {
        law.turnBankCmd -= step;
    } else if (law.turnBankCmd < -step) {
        law.turnBankCmd += step;
    } else {
        law.turnBankCmd = 0.0f;
        law.pidMode = kLoopRun;
        law.turnPhase = kRolledOut;
    }
}

void stepProfile(float step, float limit, float now) {
    switch (law.turnPhase) {
        case kRollingOut:
            rollOut(step);
            break;
        case kRolledOut:
            law.turnBankCmd = 0.0f;
            law.turnState = kTurnDone;
            break;
        default:
            rollIn(step, limit, now);
            break;
    }
}

}  // namespace

void StartTurn(float target, float current, float now) {
    if (!std::isfinite(target) || !std::isfinite(current) || !std::isfinite(now)) return;
    law.turnBank = BankForCourseChange(target - current);
    law.turnPhase = phaseTowards(target, current);
    law.pidWeight = 0.0f;
    law.pidMode = kLoopActivate;
    if (law.turnState != kTurning) {
        law.turnState = kTurning;
        law.turnStartTime = now + kTurnStartDelayS;
        law.turnBankCmd = law.rollOut;
    }
}

void RollCommand(float target, float current, float now, float bankLimit, float& output,
                 bool active) {
    if (!std::isfinite(target) || !std::isfinite(current) || !std::isfinite(now) ||
        !std::isfinite(bankLimit)) {
        return;
    }
    // The first command after a stop has no interval behind it.
    const bool first = law.lastTime == 0.0f;
    const float held = HeldStepInterval(law.lastTime, now, kLongestRollStepSeconds);
    const float dt = first ? 0.0f : held;
    const float step = dt * kRollRateDegPerS;

    law.lastError = current - target;
    law.trackingReady = 0;
    if (!active) law.turnState = kTurnIdle;

    if (law.turnState == kTurnIdle) {
        law.turnBankCmd = 0.0f;
        law.pidMode = kLoopActivate;
        if (active) {
            law.turnState = kTurning;
            law.turnStartTime = now + kTurnStartDelayS;
            StartTurn(target, current, now);
        }
    }
    // A turn begun for less than the law now has to steer (at a standstill,
    // or towards a course the target has since left, as when LNAV engages
    // on the leg's course but off the leg) is re-aimed at the present
    // target; else its bank and roll-out lead would stay too small for good.
    // After the turn its bank still bounds the heading loop: a turn of
    // nothing (a localizer captured on its course heading) would leave the
    // loop no bank at all to track with.
    if (law.turnState != kTurnIdle) {
        const float needed = BankForCourseChange(target - current);
        if (needed > law.turnBank) {
            law.turnBank = needed;
            if (law.turnState == kTurning && law.turnPhase < kRollingOut) {
                law.turnPhase = phaseTowards(target, current);
            }
        }
    }
    if (law.turnState != kTurnIdle) {
        const float limit = std::min(bankLimit, law.turnBank);
        stepProfile(step, limit, now);
        if (law.turnState == kTurning && law.pidWeight >= kHandOverDoneWeight &&
            law.turnPhase == kRolledOut) {
            law.pidMode = kLoopRun;
            law.turnState = kTurnDone;
        }
        if (law.turnPhase >= kRollingOut || law.turnState == kTurnDone) {
            law.pidWeight = std::min(law.pidWeight + dt / kHandOverS, 1.0f);
        }

        law.headingLoop.outMin = -limit;
        law.headingLoop.outMax = limit;
        float loopOutput = law.rollOut;
        StepRateLimited(law.headingLoop, now, law.pidMode, target, current, loopOutput);

        const float w = law.pidWeight;
        const float blended = (1.0f - w) * law.turnBankCmd + w * loopOutput;
        law.rollOut = (blended * dt + kOutputFilterS * law.rollOut) / (dt + kOutputFilterS);
        law.trackingReady = law.turnState == kTurnDone && law.pidMode == kLoopRun;
    }
    output = law.rollOut;
}

void StopRollLaw() {
    law.turnState = kTurnIdle;
    law.turnBankCmd = 0.0f;
    law.pidWeight = 0.0f;
    law.pidMode = kLoopActivate;
    law.rollOut = 0.0f;
    law.trackingReady = 0;
    law.lastTime = 0.0f;  // the next turn starts without an interval behind it
}

bool TurnComplete() { return law.trackingReady && law.turnState == kTurnDone; }
bool TurnDone() { return law.turnState == kTurnDone; }

float BankForCourseChange(float delta) {
    if (!std::isfinite(delta)) return 0.0f;
    const float bank = std::sqrt(std::fabs(delta) * groundspeed_mps() * kBankPerCourseChange);
    return std::min(bank, MaxBankAngle());
}

float tanMaxBankAngle(float delta) {
    return std::tan(BankForCourseChange(delta) / static_cast<float>(kDegreesPerRadian));
}

// The selector's limit (a usable one: garbage counts as its 30 deg stop).
float MaxBankAngle() {
    const float r = snapshot.radioAltitude;
    if (!(r > kLowBankLimitFeet)) return kLowBankLimitDeg;
    float b = snapshot.bankLimit;
    if (!(b > 0.0f) || b > kSelectorMostDeg) b = kSelectorMostDeg;
    if (r >= kBlendTopFeet) return b;
    return (r - kLowBankLimitFeet) * (b - kLowBankLimitDeg) / (kBlendTopFeet - kLowBankLimitFeet) +
           kLowBankLimitDeg;
}

void WrapToNear(float& target, float current) {
    float d = target - current;
    if (!std::isfinite(d)) return;
    d = std::fmod(d, 360.0f);
    if (d > 180.0f) d -= 360.0f;
    if (d < -180.0f) d += 360.0f;
    target = current + d;
}

}  // namespace quil
