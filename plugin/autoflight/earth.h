// Earth geometry on a sphere for the flight plan: arguments are latitudes
// and longitudes in radians, courses come out in degrees true.
#pragma once

#include "sim/units.h"

namespace quil {

constexpr double kNmPerRadian = 3437.75;  // the earth's radius in nautical miles

// The angle at the earth's centre between two points, radians.
double CentralAngle(double lat1, double lon1, double lat2, double lon2);
// CentralAngle in nautical miles.
double DistanceNm(double lat1, double lon1, double lat2, double lon2);
// The course from the first point towards the second, 0 ... 360 degrees
// (north 0, east 90); coincident points give north.
double InitialCourse(double lat1, double lon1, double lat2, double lon2);

}  // namespace quil
