#include "standin/flight/atmosphere.h"

#include <algorithm>
#include <cmath>

namespace standin::flight {
namespace {

constexpr double kSeaLevelTemperatureK = 288.15;
constexpr double kSeaLevelPressurePa = 101325.0;
constexpr double kLapseRateKPerM = 0.0065;
constexpr double kTropopauseM = 11000.0;
constexpr double kHighestM = 20000.0;
constexpr double kLowestM = -600.0;
constexpr double kGasConstant = 287.053;  // J/(kg K), dry air
constexpr double kHeatRatio = 1.4;

// p / p0 = (T / T0) ^ (g / (R L)) in the troposphere.
constexpr double kPressureExponent = kGravity / (kGasConstant * kLapseRateKPerM);

Air airAt(double temperatureK, double pressurePa) {
    Air air;
    air.temperatureK = temperatureK;
    air.pressurePa = pressurePa;
    air.density = pressurePa / (kGasConstant * temperatureK);
    air.speedOfSound = std::sqrt(kHeatRatio * kGasConstant * temperatureK);
    return air;
}

// Impact pressure over static pressure at a Mach number, and back.
double impactRatio(double mach) { return std::pow(1.0 + 0.2 * mach * mach, 3.5) - 1.0; }
double machOfImpactRatio(double ratio) {
    return std::sqrt(std::max(0.0, 5.0 * (std::pow(ratio + 1.0, 2.0 / 7.0) - 1.0)));
}

}  // namespace

Air standardAir(double altitudeM) {
    const double h = std::clamp(std::isfinite(altitudeM) ? altitudeM : 0.0, kLowestM, kHighestM);
    const double troposphereTop = std::min(h, kTropopauseM);
    const double temperature = kSeaLevelTemperatureK - kLapseRateKPerM * troposphereTop;
    double pressure =
        kSeaLevelPressurePa * std::pow(temperature / kSeaLevelTemperatureK, kPressureExponent);
    if (h > kTropopauseM)
        pressure *= std::exp(-kGravity * (h - kTropopauseM) / (kGasConstant * temperature));
    return airAt(temperature, pressure);
}

Air seaLevelAir() { return standardAir(0.0); }

double machFromCalibrated(double calibratedMps, const Air& air) {
    const Air sea = seaLevelAir();
    const double impact =
        sea.pressurePa * impactRatio(std::max(0.0, calibratedMps) / sea.speedOfSound);
    return machOfImpactRatio(impact / air.pressurePa);
}

double calibratedFromMach(double mach, const Air& air) {
    const Air sea = seaLevelAir();
    const double impact = air.pressurePa * impactRatio(std::max(0.0, mach));
    return sea.speedOfSound * machOfImpactRatio(impact / sea.pressurePa);
}

}  // namespace standin::flight
