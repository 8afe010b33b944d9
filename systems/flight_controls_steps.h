// What the flap, spoiler and wing-flex files share among themselves.
#pragma once

#include <cmath>

namespace quil {

// The time since a step's previous run, moving the previous time on to now.
// A time that is not a number is left out: it gives 0, which no step
// moves on, and the previous time stays.
inline float StepInterval(float& previous, float now) {
    if (!std::isfinite(now)) return 0.0f;
    const float dt = now - previous;
    previous = now;
    return dt;
}

// A simulator value held to lo .. hi; one that is not a number reads 0.
inline float SaneInput(float value, float lo, float hi) {
    return std::isfinite(value) ? std::fmin(std::fmax(value, lo), hi) : 0.0f;
}

void RestartSpoilers();
void RestartHighLift();
void RestartWingFlex();

}  // namespace quil
