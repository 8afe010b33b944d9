// The control-law building blocks that the APU governor and the autoflight
// loops share: a rate-limited PID loop, a velocity-form loop on a filtered
// measurement, and a four-stage lag. Each owner keeps its records and steps
// them once per frame with the simulator running time; the tuning values
// belong to the owners.
//
// Every step refuses non-finite input, and any step whose arithmetic would
// come out non-finite, leaving the output and the record as they were.
#pragma once

#include <cstdint>

namespace quil {

// A gain-scheduling factor; a record without one uses 1.
using GainSchedule = float (*)();

// The mode byte of StepRateLimited.
constexpr std::uint8_t kLoopRun = 0;
constexpr std::uint8_t kLoopRunReseeded = 1;  // the integral matched to the present output first
constexpr std::uint8_t kLoopActivate = 2;     // (re)start without a jump; derivative held off 0.2 s
constexpr std::uint8_t kLoopTrack = 3;        // follow the output without touching it

// The loops compute the error as measurement - set point, so they run with
// negative gains.
struct RateLimitedController {
    float gain;
    float derivativeTime;  // weight of the measurement's rate of change
    float integralWeight;
    float outMin;
    float outMax;
    float rateLimit;  // largest output change per second; 0 or less: none
    GainSchedule schedule = nullptr;
    // Running state; lastTime 0 means the loop has never run.
    float lastTime = 0.0f;
    float lastMeasurement = 0.0f;
    float integral = 0.0f;
    float activeSince = 0.0f;
};

struct FilteredController {
    float gain;
    float rateWeight;
    float integralWeight;
    float fullRangeTime;  // seconds from outMin to outMax; 0 or less: no rate limit
    float filterTime;     // time constant of the measurement filter, seconds
    float leakTime;       // time constant of the integral's leak; 0 or less freezes it
    float outMin;
    float outMax;
    GainSchedule schedule = nullptr;
    // Running state.
    float lastTime = 0.0f;
    float lastFiltered = 0.0f;
    float rate = 0.0f;
    float integral = 0.0f;
    float filtered = 0.0f;
    // 1: the next step initialises the record. A record that has never run
    // (lastTime 0) initialises whatever this says.
    std::uint8_t firstCall = 1;
};

struct LagFilter4 {
    float timeConstant;  // seconds, per stage
    float stage1 = 0.0f;
    float stage2 = 0.0f;
    float stage3 = 0.0f;
    float stage4 = 0.0f;
    float lastTime = 0.0f;  // 0: not started
};

// Moves `output` towards K * (e + Td * de/dt + Ti * integral of e), with
// e = measurement - setPoint. A loop's first step only tracks the output.
void StepRateLimited(RateLimitedController& controller, float now, std::uint8_t mode,
                     float setPoint, float measurement, float& output);

// Adds K * dt * (filtered error + Kd * rate + Ki * leaky integral) to
// `output` while enabled; the measurement filter runs either way.
void StepFiltered(FilteredController& controller, float now, std::uint8_t enabled,
                  float setPoint, float measurement, float& output);

// The input through four equal first-order lags; the first use starts every
// stage at the input.
float StepLag(float input, LagFilter4& filter, float now);

}  // namespace quil
