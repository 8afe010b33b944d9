#include "autoflight/earth.h"

#include <algorithm>
#include <cmath>

namespace quil {

// Rounding can push the cosine of two nearby points just past 1, where acos
// has no value.
double CentralAngle(double lat1, double lon1, double lat2, double lon2) {
    const double c = std::sin(lat1) * std::sin(lat2) +
                     std::cos(lat1) * std::cos(lat2) * std::cos(lon2 - lon1);
    return std::acos(std::clamp(c, -1.0, 1.0));
}

double DistanceNm(double lat1, double lon1, double lat2, double lon2) {
    return CentralAngle(lat1, lon1, lat2, lon2) * kNmPerRadian;
}

// The ratio is held within -1 ... 1 (and taken as 1 where it has no value,
// for coincident points), so antipodal and coincident points still give a
// course.
double InitialCourse(double lat1, double lon1, double lat2, double lon2) {
    const double dLat = lat2 - lat1;
    const double d = std::acos(std::cos((lon2 - lon1) * std::cos(lat1)) * std::cos(dLat));
    double r = std::sin(dLat) / std::sin(d);
    if (!(r < 1.0)) r = 1.0;
    if (!(r > -1.0)) r = -1.0;
    const double course = 90.0 - std::asin(r) * kDegreesPerRadian;
    return lon2 < lon1 ? 360.0 - course : course;
}

}  // namespace quil
