#include "control/controllers.h"

#include <algorithm>
#include <cmath>

namespace quil {
namespace {

// Frames closer together than this leave the PID loops alone.
constexpr float kShortestStepS = 0.001f;
// After (re)activation a PID loop takes no derivative action for this long,
// so a measurement that moved while the loop was off gives no kick.
constexpr float kDerivativeHoldOffS = 0.2f;
constexpr float kDefaultLagTimeConstantS = 1.0f;

template <typename... Values>
bool AllFinite(Values... values) {
    return (std::isfinite(values) && ...);
}

// Every limit here tests the upper bound first.
float Clamp(float value, float lo, float hi) {
    if (value > hi) return hi;
    if (value < lo) return lo;
    return value;
}

// One step of a first-order lag from `previous` towards `input`.
float Lag(float previous, float input, float dt, float timeConstant) {
    return (dt * input + timeConstant * previous) / (dt + timeConstant);
}

// ---- Rate-limited PID loop ----------------------------------------------------

// The integral for which K * (e + Ti * integral) is the present output; a
// loop without proportional or integral weight has no integral to match.
float MatchedIntegral(const RateLimitedController& loop, float error, float output) {
    if (loop.gain == 0.0f || loop.integralWeight == 0.0f) return 0.0f;
    return (output / loop.gain - error) / loop.integralWeight;
}

// Accumulates the error, kept where K * (e + Ti * integral) stays within the
// output limits so that the loop comes off a limit as soon as the error turns.
void Integrate(RateLimitedController& loop, float error, float dt) {
    if (loop.gain == 0.0f || loop.integralWeight == 0.0f) {
        loop.integral = 0.0f;
        return;
    }
    loop.integral += error * dt;
    const float atOutMin = (loop.outMin / loop.gain - error) / loop.integralWeight;
    const float atOutMax = (loop.outMax / loop.gain - error) / loop.integralWeight;
    loop.integral = Clamp(loop.integral, std::min(atOutMin, atOutMax),
                          std::max(atOutMin, atOutMax));
}

void Track(RateLimitedController& loop, float now, float error, float output) {
    loop.integral = MatchedIntegral(loop, error, output);
    loop.activeSince = now;
}

void RunLoop(RateLimitedController& loop, float now, float dt, std::uint8_t mode, float error,
             float measurement, float& output) {
    if (mode == kLoopTrack) {
        Track(loop, now, error, output);
        return;
    }
    if (mode == kLoopRun) {
        Integrate(loop, error, dt);
    } else {
        loop.integral = MatchedIntegral(loop, error, output);
    }

    float derivative = 0.0f;
    if (mode == kLoopActivate) {
        loop.activeSince = now;
    } else if (now - loop.activeSince > kDerivativeHoldOffS) {
        derivative = (measurement - loop.lastMeasurement) / dt;
    }

    float change = loop.gain * (error + loop.derivativeTime * derivative +
                                loop.integralWeight * loop.integral) -
                   output;
    if (loop.rateLimit > 0.0f) {
        const float mostChange = loop.rateLimit * dt;
        change = Clamp(change, -mostChange, mostChange);
    }
    output += change;
    if (loop.schedule != nullptr && output > 0.0f) output = loop.schedule() * output;
    output = Clamp(output, loop.outMin, loop.outMax);
}

// ---- Filtered velocity-form loop ----------------------------------------------

// The filter starts on the measurement with no rate.
void Initialise(FilteredController& loop, float now, float measurement) {
    loop.rate = 0.0f;
    loop.integral = 0.0f;
    loop.filtered = measurement;
    loop.lastFiltered = measurement;
    loop.lastTime = now;
    loop.firstCall = 0;
}

void Advance(FilteredController& loop, float now, float dt, bool enabled, float setPoint,
             float measurement, float& output) {
    loop.filtered = Lag(loop.lastFiltered, measurement, dt, loop.filterTime);
    loop.rate = (loop.filtered - loop.lastFiltered) / dt;
    loop.lastFiltered = loop.filtered;
    loop.lastTime = now;
    if (!enabled) {
        loop.integral = 0.0f;
        return;
    }

    if (loop.leakTime > 0.0f) {
        loop.integral = (measurement - setPoint) * dt +
                        loop.leakTime / (loop.leakTime + dt) * loop.integral;
    }
    float change = loop.gain * dt *
                   ((loop.filtered - setPoint) + loop.rateWeight * loop.rate +
                    loop.integralWeight * loop.integral);
    // The schedule shapes only a change that drives the output further from zero.
    if (loop.schedule != nullptr && change * output > 0.0f) change = loop.schedule() * change;
    if (loop.fullRangeTime > 0.0f) {
        const float mostChange = (loop.outMax - loop.outMin) * dt / loop.fullRangeTime;
        change = Clamp(change, -mostChange, mostChange);
    }
    output = Clamp(output + change, loop.outMin, loop.outMax);
}

}  // namespace

void StepRateLimited(RateLimitedController& controller, float now, std::uint8_t mode,
                     float setPoint, float measurement, float& output) {
    if (!AllFinite(now, setPoint, measurement, output) || mode > kLoopTrack) return;

    RateLimitedController next = controller;
    float nextOutput = output;
    const float error = measurement - setPoint;
    const float dt = now - controller.lastTime;
    // A loop that has never run has neither an interval to integrate over nor
    // a previous measurement to take a rate from.
    if (controller.lastTime == 0.0f) {
        Track(next, now, error, nextOutput);
    } else if (dt > kShortestStepS) {
        RunLoop(next, now, dt, mode, error, measurement, nextOutput);
    }
    next.lastMeasurement = measurement;
    next.lastTime = now;

    if (!AllFinite(next.integral, nextOutput)) return;
    controller = next;
    output = nextOutput;
}

void StepFiltered(FilteredController& controller, float now, std::uint8_t enabled,
                  float setPoint, float measurement, float& output) {
    if (!AllFinite(now, setPoint, measurement, output)) return;

    const float dt = now - controller.lastTime;
    if (dt < 0.0f) {
        // Time went backwards: the next interval is measured from here.
        controller.lastTime = now;
        return;
    }
    if (dt <= kShortestStepS) return;

    FilteredController next = controller;
    float nextOutput = output;
    if (controller.firstCall != 0 || controller.lastTime == 0.0f) {
        Initialise(next, now, measurement);
    } else {
        Advance(next, now, dt, enabled != 0, setPoint, measurement, nextOutput);
    }

    if (!AllFinite(next.filtered, next.rate, next.integral, nextOutput)) return;
    controller = next;
    output = nextOutput;
}

float StepLag(float input, LagFilter4& filter, float now) {
    if (!AllFinite(input, now)) return filter.stage4;

    if (!(filter.lastTime > 0.0f)) {
        filter.lastTime = now;
        filter.stage1 = filter.stage2 = filter.stage3 = filter.stage4 = input;
        if (!(filter.timeConstant > 0.0f)) filter.timeConstant = kDefaultLagTimeConstantS;
        return input;
    }

    const float dt = now - filter.lastTime;
    if (dt <= 0.0f) {
        // Time stood still or went backwards: hold, and measure the next
        // interval from here.
        filter.lastTime = now;
        return filter.stage4;
    }

    const float timeConstant = filter.timeConstant;
    LagFilter4 next = filter;
    next.stage1 = Lag(filter.stage1, input, dt, timeConstant);
    next.stage2 = Lag(filter.stage2, next.stage1, dt, timeConstant);
    next.stage3 = Lag(filter.stage3, next.stage2, dt, timeConstant);
    next.stage4 = Lag(filter.stage4, next.stage3, dt, timeConstant);
    next.lastTime = now;

    if (!AllFinite(next.stage1, next.stage2, next.stage3, next.stage4)) return filter.stage4;
    filter = next;
    return filter.stage4;
}

}  // namespace quil
