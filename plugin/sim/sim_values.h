// Guards for values read from the simulator, which may be NaN, infinite or
// out of any sensible range.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace quil {

// Truncates toward zero; a non-finite value gives 0 and a huge one the
// nearest int, where a plain conversion would be undefined.
inline int TruncToInt(float value) {
    if (!std::isfinite(value)) return 0;
    constexpr float kLargest = 2147483520.0f;  // the largest float below 2^31
    if (value >= kLargest) return std::numeric_limits<int>::max();
    if (value <= -kLargest) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// a - b, held within the int range where the plain difference would
// overflow (mouse positions come from the simulator unchecked).
inline int SaturatedDifference(int a, int b) {
    const long long difference = static_cast<long long>(a) - b;
    return static_cast<int>(std::clamp<long long>(difference, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

// Wider and taller than any display: screen sizes are held below it.
constexpr float kLargestScreenPx = 16384.0f;

// Within low .. high; NaN gives low.
inline float ClampFinite(float value, float low, float high) {
    if (!(value >= low)) return low;
    return value > high ? high : value;
}

// Within lo .. hi; one that is not a number reads 0.
inline float SaneInput(float value, float lo, float hi) {
    return std::isfinite(value) ? std::fmin(std::fmax(value, lo), hi) : 0.0f;
}

// The time since a step's previous run, moving the previous time on to now.
// A time that is not a number is left out: it gives 0, which no step
// moves on, and the previous time stays.
inline float StepInterval(float& previous, float now) {
    if (!std::isfinite(now)) return 0.0f;
    const float dt = now - previous;
    previous = now;
    return dt;
}

// StepInterval held to 0 .. longest: a pause or time running backwards
// gives no interval, a hitch (a stall, a time jump) at most the longest step.
inline float HeldStepInterval(float& previous, float now, float longest) {
    return std::clamp(StepInterval(previous, now), 0.0f, longest);
}

}  // namespace quil
