// Guards for values read from the simulator, which may be NaN, infinite or
// out of any sensible range.
#pragma once

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

// Within low .. high; NaN gives low.
inline float ClampFinite(float value, float low, float high) {
    if (!(value >= low)) return low;
    return value > high ? high : value;
}

}  // namespace quil
