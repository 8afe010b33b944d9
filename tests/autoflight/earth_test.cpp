// Earth geometry for the flight plan: distances and initial courses.
#include <gtest/gtest.h>

#include <cmath>

#include "autoflight/earth.h"

namespace {

using namespace quil;

double rad(double degrees) { return degrees / kDegreesPerRadian; }

TEST(EarthGeometry, DistancesBetweenAirportsMatchTheirPublishedGreatCircles) {
    struct Pair {
        const char* name;
        double lat1, lon1, lat2, lon2, nm;
    };
    const Pair pairs[] = {
        {"Heathrow - Kennedy", 51.4775, -0.4614, 40.6398, -73.7789, 2999.0},
        {"Sydney - Melbourne", -33.9461, 151.1772, -37.6733, 144.8433, 381.0},
        {"Haneda - Honolulu", 35.5523, 139.7797, 21.3187, -157.9225, 3341.0},
    };
    for (const Pair& p : pairs) {
        EXPECT_NEAR(DistanceNm(rad(p.lat1), rad(p.lon1), rad(p.lat2), rad(p.lon2)), p.nm, p.nm * 0.01)
            << p.name;
    }
}

TEST(EarthGeometry, NearbyCoincidentAndAntipodalPointsGiveFiniteValues) {
    const double lon = rad(12.6), metre = 1.0 / 1852.0 / kNmPerRadian;
    EXPECT_NEAR(DistanceNm(rad(55.6), lon, rad(55.6) + metre, lon) * 1852.0, 1.0, 0.01);
    // Rounding takes the cosine of a point and itself past 1 at some latitudes.
    for (int hundredths = -9000; hundredths <= 9000; ++hundredths) {
        const double at = rad(hundredths / 100.0);
        ASSERT_LT(DistanceNm(at, lon, at, lon), 0.001) << hundredths / 100.0;  // NaN fails too
        ASSERT_TRUE(std::isfinite(InitialCourse(at, lon, at, lon))) << hundredths / 100.0;
    }
    EXPECT_TRUE(std::isfinite(InitialCourse(rad(10.0), rad(20.0), rad(-10.0), rad(-160.0))));
}

TEST(EarthGeometry, CardinalCoursesComeOutNorthEastSouthWest) {
    const double lat = rad(48.0), lon = rad(11.0);
    const double legs[][3] = {{49.0, 11.0, 0.0}, {48.0, 12.0, 90.0}, {47.0, 11.0, 180.0},
                              {48.0, 10.0, 270.0}};
    for (const auto& leg : legs) {
        EXPECT_NEAR(InitialCourse(lat, lon, rad(leg[0]), rad(leg[1])), leg[2], 0.01) << leg[2];
    }
}

}  // namespace
