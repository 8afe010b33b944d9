// Unit factors, the standard gravity and the panel's units, for the whole
// stand-in host.
#pragma once

namespace standin {

constexpr double kGravity = 9.80665;  // m/s², standard
constexpr double kMetresPerFoot = 0.3048;
constexpr double kMetresPerNm = 1852.0;
constexpr double kMetresPerSecondPerKnot = kMetresPerNm / 3600.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kRadiansPerDegree = kPi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / kPi;
// The simulator's 2D panel spans this many panel units across and up.
constexpr double kPanelUnits = 1024.0;

}  // namespace standin
