#include "speeds.h"

#include <algorithm>
#include <cmath>

#include "standin/units.h"

namespace sweep {

using standin::kRadiansPerDegree;

double flapsFor(double iasKt) {
    if (iasKt >= kFlapsUpKt) return 0.0;
    if (iasKt >= 205.0) return 0.125;
    if (iasKt >= 185.0) return 0.375;
    if (iasKt >= 170.0) return 0.5;
    return 0.625;
}

double approachSpeedKt(double massKg, double headwindKt) {
    // 127 kt at 50 t, 158 kt at 79 t.
    const double vref = 127.0 + (massKg / 1000.0 - 50.0) * 1.07;
    return std::round(vref + std::clamp(headwindKt / 2.0, 5.0, 15.0));
}

double trueAirspeedKt(double iasKt, double altitudeFt) {
    return iasKt / std::sqrt(std::pow(1.0 - 6.8756e-6 * altitudeFt, 4.2559));
}

OnTrack flownOnTrack(double trackTrueDeg, double tasKt, double windFromDeg, double windKt) {
    const double off = (windFromDeg - trackTrueDeg) * kRadiansPerDegree;
    const double correction = std::asin(std::clamp(windKt * std::sin(off) / tasKt, -1.0, 1.0));
    return {trackTrueDeg + correction / kRadiansPerDegree,
            tasKt * std::cos(correction) - windKt * std::cos(off)};
}

}  // namespace sweep
