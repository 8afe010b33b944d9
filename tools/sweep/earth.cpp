#include "earth.h"

#include <cmath>

#include "standin/units.h"

namespace sweep {

namespace {

using standin::kMetresPerNm;
using standin::kRadiansPerDegree;

constexpr double kMetresPerDegree = kMetresPerNm * 60.0;

struct EastNorth {
    double east = 0.0, north = 0.0;
};

EastNorth eastNorth(const LatLon& origin, const LatLon& point) {
    const double meanLat = 0.5 * (origin.lat + point.lat) * kRadiansPerDegree;
    return {(point.lon - origin.lon) * kMetresPerDegree * std::cos(meanLat),
            (point.lat - origin.lat) * kMetresPerDegree};
}

}  // namespace

LatLon travelled(const LatLon& from, double bearingTrueDeg, double metres) {
    const double bearing = bearingTrueDeg * kRadiansPerDegree;
    const double lat = from.lat + metres * std::cos(bearing) / kMetresPerDegree;
    const double meanLat = 0.5 * (from.lat + lat) * kRadiansPerDegree;
    return {lat, from.lon + metres * std::sin(bearing) / (kMetresPerDegree * std::cos(meanLat))};
}

AlongRight alongAndRight(const LatLon& origin, double courseTrueDeg, const LatLon& point) {
    const EastNorth at = eastNorth(origin, point);
    const double course = courseTrueDeg * kRadiansPerDegree;
    return {at.east * std::sin(course) + at.north * std::cos(course),
            at.east * std::cos(course) - at.north * std::sin(course)};
}

double courseTrueDeg(const LatLon& from, const LatLon& to) {
    const EastNorth at = eastNorth(from, to);
    const double degrees = std::atan2(at.east, at.north) / kRadiansPerDegree;
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

double wrapped180(double degrees) { return std::remainder(degrees, 360.0); }

}  // namespace sweep
