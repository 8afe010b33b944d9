// Positions near a reference point, on the flight model's earth (a sphere
// of one nautical mile per minute of arc): where a flight starts, where its
// waypoints lie, and where a trace's rows fall against a runway or a leg.
#pragma once

namespace sweep {

// The stand-in host's magnetic variation: magnetic = true - 4.5°.
constexpr double kVariationWestDeg = 4.5;

struct LatLon {
    double lat = 0.0, lon = 0.0;  // degrees
};

// The point `metres` away on the true bearing.
LatLon travelled(const LatLon& from, double bearingTrueDeg, double metres);

// A point against a line through `origin` on a true course: how far along
// it and how far to its right, in metres (flat within a few tens of miles).
struct AlongRight {
    double along = 0.0, right = 0.0;
};
AlongRight alongAndRight(const LatLon& origin, double courseTrueDeg, const LatLon& point);

// The true course from one point to another, 0 ... 360.
double courseTrueDeg(const LatLon& from, const LatLon& to);

// Into -180 ... 180.
double wrapped180(double degrees);

}  // namespace sweep
