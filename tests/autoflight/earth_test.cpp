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
        double lat1, lon1, lat2, lon2;
        double nm;
    };
    const Pair pairs[] = {
        {"Heathrow - Kennedy", 51.4775, -0.4614, 40.6398, -73.7789, 2999.0},
        {"Kastrup - Arlanda", 55.618, 12.656, 59.65, 17.92, 295.0},
        {"Sydney - Melbourne", -33.9461, 151.1772, -37.6733, 144.8433, 381.0},
        {"Haneda - Honolulu, across the date line", 35.5523, 139.7797, 21.3187, -157.9225, 3341.0},
    };
    for (const Pair& p : pairs) {
        const double nm = DistanceNm(rad(p.lat1), rad(p.lon1), rad(p.lat2), rad(p.lon2));
        EXPECT_NEAR(nm, p.nm, p.nm * 0.01) << p.name;
        EXPECT_NEAR(DistanceNm(rad(p.lat2), rad(p.lon2), rad(p.lat1), rad(p.lon1)), nm, 1e-6)
            << p.name << " backwards";
    }
}

TEST(EarthGeometry, PointsAMetreApartOrTogetherGiveAFiniteDistanceAndCourse) {
    const double lat = rad(55.6), lon = rad(12.6);
    const double metre = 1.0 / 1852.0 / kNmPerRadian;
    for (double dLat : {0.0, metre, 1e-12}) {
        const double angle = CentralAngle(lat, lon, lat + dLat, lon);
        EXPECT_TRUE(std::isfinite(angle)) << dLat;
        EXPECT_NEAR(angle * kNmPerRadian, dLat * kNmPerRadian, 1e-3) << dLat;
        EXPECT_TRUE(std::isfinite(InitialCourse(lat, lon, lat + dLat, lon))) << dLat;
    }
    EXPECT_TRUE(std::isfinite(InitialCourse(rad(10.0), rad(20.0), rad(-10.0), rad(-160.0))))
        << "antipodal points";
    // Rounding takes the cosine of a point and itself past 1 at some latitudes.
    for (int hundredths = -9000; hundredths <= 9000; ++hundredths) {
        const double at = rad(hundredths / 100.0);
        ASSERT_LT(DistanceNm(at, lon, at, lon), 0.001) << hundredths / 100.0;  // NaN fails too
    }
}

TEST(EarthGeometry, CardinalCoursesComeOutNorthEastSouthWest) {
    struct Leg {
        double lat2, lon2;
        double course;
    };
    const double lat = rad(48.0), lon = rad(11.0);
    const Leg legs[] = {
        {rad(49.0), rad(11.0), 0.0},
        {rad(48.0), rad(12.0), 90.0},
        {rad(47.0), rad(11.0), 180.0},
        {rad(48.0), rad(10.0), 270.0},
    };
    for (const Leg& leg : legs) {
        EXPECT_NEAR(InitialCourse(lat, lon, leg.lat2, leg.lon2), leg.course, 0.01) << leg.course;
    }
}

}  // namespace
