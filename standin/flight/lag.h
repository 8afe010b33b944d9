// The first-order lag every part of the flight model settles through.
#pragma once

#include <cmath>

namespace standin::flight {

// One step of `dt` seconds from `value` towards `target` with a time
// constant of `lag` seconds, exact for any step length.
inline double lagged(double value, double target, double lag, double dt) {
    return value + (target - value) * (1.0 - std::exp(-dt / lag));
}

}  // namespace standin::flight
