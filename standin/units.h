// Unit factors and the standard gravity, for the whole stand-in host.
#pragma once

namespace standin {

constexpr double kGravity = 9.80665;  // m/s², standard
constexpr double kMetresPerFoot = 0.3048;
constexpr double kMetresPerNm = 1852.0;
constexpr double kMetresPerSecondPerKnot = kMetresPerNm / 3600.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kRadiansPerDegree = kPi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / kPi;

}  // namespace standin
