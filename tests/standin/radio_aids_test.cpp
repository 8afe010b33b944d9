// The host's radios as the plug-in reads them: localizer, glide slope and
// VOR needles, flags, distances and markers on NAV1 and NAV2, and the GPS
// on the flight plan's active leg, all following the aircraft's position.
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "XPLMNavigation.h"
#include "support/host_fixture.h"

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kFeetPerNm = 6076.12;
constexpr int kIls = 11030;
constexpr int kVor = 11380;

// Near the equator a nautical mile is a minute of arc either way, so the
// aircraft is placed by bearing (true) and distance from a point at 0, 0.
void placeAircraft(double trueBearingDeg, double distanceNm, double altitudeFt) {
    const double b = trueBearingDeg / kDegreesPerRadian;
    standin::setDouble("sim/flightmodel/position/latitude", distanceNm * std::cos(b) / 60.0);
    standin::setDouble("sim/flightmodel/position/longitude", distanceNm * std::sin(b) / 60.0);
    standin::setDouble("sim/flightmodel/position/elevation", altitudeFt * 0.3048);
}

// How far apart two compass directions are, degrees.
double apart(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

// Distances on the host's earth run a little longer than minutes of arc.
constexpr double kRangeTolerance = 0.01;

float nav1(const char* item) { return standin::getFloat(std::string("sim/cockpit/radios/nav1_") + item); }
// The receiver's indicator of a lateral or glide-slope signal, or its flag.
int indicator(const char* receiver, const char* item) {
    return standin::getInt(std::string("sim/cockpit2/radios/indicators/") + receiver + "_" + item);
}

class Radios : public quiltest::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        standin::simulateRadios(true);
        standin::setFloat("sim/flightmodel/position/magnetic_variation", 0.0f);
    }

    void place(standin::StationKind kind, int frequency, float course = 0.0f, float slope = 0.0f,
               double lat = 0.0) {
        standin::RadioStation station;
        station.kind = kind;
        station.id = "TEST";
        station.lat = lat;
        station.frequency = frequency;
        station.courseMag = course;
        station.slopeDeg = slope;
        ASSERT_TRUE(standin::addRadioStation(station));
    }
};

TEST_F(Radios, ALocalizerDeflectsAtOneAndAQuarterDegreesADotWithinItsCoverage) {
    struct Case {
        float course, variation;
        double radial, distanceNm;  // of the aircraft from the antenna, true
        float dots;
        int flag;
    } cases[] = {
        {0, 0, 180.0, 10, 0.0f, 1},
        {0, 0, 181.25, 10, 1.0f, 1},  // left of the course: fly right
        {0, 0, 178.75, 10, -1.0f, 1},
        {0, 0, 175.0, 10, -2.5f, 1},  // pinned at the edge of the scale
        {0, 0, 188.0, 15, 2.5f, 1},   // within 10 degrees, to 18 nm
        {0, 0, 200.0, 8, 2.5f, 1},    // within 35 degrees, to 10 nm
        {0, 0, 200.0, 12, 0.0f, 0},   // too wide that far out
        {0, 0, 180.0, 19, 0.0f, 0},   // too far
        {0, 0, 0.0, 5, 0.0f, 0},      // behind the antenna
        {90, -5, 275.0, 10, 0.0f, 1}, // 5 degrees east: course 090 is 095 true
    };
    for (const Case& c : cases) {
        standin::startHost(config());
        standin::simulateRadios(true);
        place(standin::StationKind::Localizer, kIls, c.course);
        standin::setFloat("sim/flightmodel/position/magnetic_variation", c.variation);
        standin::setInt("sim/cockpit/radios/nav1_freq_hz", kIls);
        placeAircraft(c.radial, c.distanceNm, 3000);
        standin::runFrame();
        const std::string row = "course " + std::to_string(c.course) + " radial " +
                                std::to_string(c.radial) + " at " + std::to_string(c.distanceNm);
        EXPECT_NEAR(nav1("hdef_dot"), c.dots, 0.02) << row;
        EXPECT_EQ(standin::getInt("sim/cockpit/radios/nav1_fromto"), c.flag) << row;
        EXPECT_EQ(indicator("nav1", "display_horizontal"), c.flag) << row;
        EXPECT_EQ(indicator("nav1", "display_vertical"), 0) << row;
        EXPECT_EQ(indicator("nav1", "flag_glideslope"), 1) << row;
        if (c.flag != 0) {
            EXPECT_LT(apart(nav1("dir_degt"), c.radial + 180.0), 0.05) << row;
            EXPECT_EQ(nav1("course_degm"), c.course) << row;
            const double slant = std::hypot(c.distanceNm, 3000 / kFeetPerNm);
            EXPECT_NEAR(nav1("dme_dist_m"), slant, slant * kRangeTolerance) << row;
        } else {
            EXPECT_EQ(nav1("dir_degt"), 0.0f) << row;
            EXPECT_EQ(nav1("dme_dist_m"), 0.0f) << row;
        }
    }
}

TEST_F(Radios, AGlideSlopeShowsTheAircraftAboveOrBelowItsPathOnTheIlsFrequency) {
    // The glide slope stands at 0, 0; its localizer 3 nm further north.
    place(standin::StationKind::GlideSlope, kIls, 0.0f, 3.0f);
    place(standin::StationKind::Localizer, kIls, 0.0f, 0.0f, 3.0 / 60.0);
    standin::setInt("sim/cockpit/radios/nav1_freq_hz", kIls);
    struct Case {
        double distanceNm, elevationDeg;  // seen from the glide-slope antenna
        float dots, slope;
    } cases[] = {
        {5, 3.0, 0.0f, 3.0f},
        {5, 3.36, 1.0f, 3.0f},   // above the path: fly down
        {5, 2.64, -1.0f, 3.0f},  // 0.12 of the path angle a dot
        {5, 2.0, -2.5f, 3.0f},
        {9, 3.9, 2.5f, 3.0f},
        {12, 3.5, 0.0f, 3.0f},   // beyond the glide slope, the localizer still an ILS
        {25, 3.0, 0.0f, 3.0f},   // neither heard: an ILS frequency all the same
    };
    for (const Case& c : cases) {
        const double heightFt = c.distanceNm * kFeetPerNm * std::tan(c.elevationDeg / kDegreesPerRadian);
        placeAircraft(180.0, c.distanceNm, heightFt);
        standin::setFloat("sim/cockpit/radios/nav1_slope_degt", 0.0f);  // as the plug-in clears it
        standin::runFrame();
        const std::string row = std::to_string(c.distanceNm) + " nm at " + std::to_string(c.elevationDeg);
        EXPECT_NEAR(nav1("vdef_dot"), c.dots, 0.02) << row;
        EXPECT_EQ(nav1("slope_degt"), c.slope) << row;
        EXPECT_NEAR(nav1("hdef_dot"), 0.0f, 0.01) << row;
        const int heard = c.distanceNm <= 10 ? 1 : 0;
        EXPECT_EQ(indicator("nav1", "display_vertical"), heard) << row;
        EXPECT_EQ(indicator("nav1", "flag_glideslope"), 1 - heard) << row;
        EXPECT_EQ(indicator("nav1", "display_horizontal"), c.distanceNm <= 15 ? 1 : 0) << row;
    }
}

TEST_F(Radios, AVorFliesTheObsCourseToAndFromTheStation) {
    place(standin::StationKind::Vor, kVor);
    standin::setInt("sim/cockpit/radios/nav2_freq_hz", kVor);
    struct Case {
        float obs;
        double radial, distanceNm;
        float dots;
        int flag;
    } cases[] = {
        {0, 180, 20, 0.0f, 1},
        {0, 185, 20, 1.0f, 1},    // left of the inbound course: fly right, 5 degrees a dot
        {0, 175, 20, -1.0f, 1},
        {0, 200, 20, 2.5f, 1},
        {0, 0, 20, 0.0f, 2},      // past the station
        {0, 5, 20, -1.0f, 2},     // right of the outbound course: fly left
        {0, 355, 20, 1.0f, 2},
        {90, 268, 20, -0.4f, 1},  // the flag turns with the OBS
        {270, 268, 20, 0.4f, 2},
        {0, 180, 140, 0.0f, 0},   // out of range
        {0, 180, 2.5, 0.0f, 1},   // seen 39 degrees above the horizon: heard
        {0, 180, 2.2, 0.0f, 0},   // 42 degrees: in the cone over the station
    };
    for (const Case& c : cases) {
        standin::setFloat("sim/cockpit/radios/nav2_obs_degm", c.obs);
        placeAircraft(c.radial, c.distanceNm, 12152);
        standin::runFrame();
        const std::string row = "obs " + std::to_string(c.obs) + " radial " + std::to_string(c.radial);
        EXPECT_NEAR(standin::getFloat("sim/cockpit/radios/nav2_hdef_dot2"), c.dots, 0.02) << row;
        EXPECT_EQ(standin::getInt("sim/cockpit/radios/nav2_fromto"), c.flag) << row;
        EXPECT_EQ(indicator("nav2", "display_horizontal"), c.flag != 0) << row;
        EXPECT_EQ(standin::getFloat("sim/cockpit/radios/nav2_course_degm2"), c.obs) << row;
        const float dme = standin::getFloat("sim/cockpit/radios/nav2_dme_dist_m");
        const double slant = c.flag ? std::hypot(c.distanceNm, 2.0) : 0.0;
        EXPECT_NEAR(dme, slant, slant * kRangeTolerance) << row;
        if (c.flag != 0) {
            const float bearing = standin::getFloat("sim/cockpit/radios/nav2_dir_degt");
            EXPECT_LT(apart(bearing, c.radial + 180.0), 0.05) << row;
        }
        EXPECT_EQ(standin::getFloat("sim/cockpit/radios/nav2_slope_degt"), 0.0f) << row;
    }
}

TEST_F(Radios, AReceiverThatHearsNothingShowsItsFlagAndNoNumbers) {
    place(standin::StationKind::Vor, kVor);
    place(standin::StationKind::Localizer, kIls);
    standin::setFloat("sim/cockpit/radios/nav1_obs_degm", 123.0f);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* why;
        int frequency;
        const char* spoilt;  // a position dataref made unusable, or none
        double value;
    } cases[] = {
        {"tuned to no station", 10950, nullptr, 0.0},
        {"latitude unknown", kIls, "sim/flightmodel/position/latitude", nan},
        {"longitude unknown", kVor, "sim/flightmodel/position/longitude", -std::numeric_limits<double>::infinity()},
        {"elevation unknown", kIls, "sim/flightmodel/position/elevation", nan},
        {"variation unknown", kVor, "sim/flightmodel/position/magnetic_variation", nan},
    };
    for (const Case& c : cases) {
        placeAircraft(180, 5, 3000);
        for (const char* item : {"hdef_dot", "vdef_dot", "slope_degt", "dme_dist_m", "dir_degt"})
            standin::setFloat(std::string("sim/cockpit/radios/nav1_") + item, 1.7f);
        standin::setInt("sim/cockpit/radios/nav1_freq_hz", c.frequency);
        if (c.spoilt != nullptr) standin::setDouble(c.spoilt, c.value);
        standin::runFrame();
        for (const char* item : {"hdef_dot", "vdef_dot", "slope_degt", "dme_dist_m", "dir_degt"})
            EXPECT_EQ(nav1(item), 0.0f) << c.why << ": " << item;
        EXPECT_EQ(standin::getInt("sim/cockpit/radios/nav1_fromto"), 0) << c.why;
        EXPECT_EQ(nav1("course_degm"), 123.0f) << c.why << ": the course stays the OBS";
        EXPECT_EQ(standin::getFloat("sim/cockpit/radios/gps_hdef_dot"), 0.0f) << c.why;
    }
}

TEST_F(Radios, MarkersLightOnlyOverTheirBeacon) {
    place(standin::StationKind::OuterMarker, 0);
    place(standin::StationKind::MiddleMarker, 0, 0, 0, 4.0 / 60.0);
    struct Case {
        double radial, distanceNm, heightFt;
        int outer, middle;
    } cases[] = {
        {0, 0.0, 1500, 1, 0},
        {0, 0.2, 1500, 1, 0},  // within the 40-degree cone
        {0, 0.3, 1500, 0, 0},
        {0, 4.0, 800, 0, 1},
        {0, 2.0, 1500, 0, 0},
    };
    for (const Case& c : cases) {
        placeAircraft(c.radial, c.distanceNm, c.heightFt);
        standin::runFrame();
        const std::string row = std::to_string(c.distanceNm) + " nm";
        EXPECT_EQ(standin::getInt("sim/cockpit/misc/outer_marker_lit"), c.outer) << row;
        EXPECT_EQ(standin::getInt("sim/cockpit/misc/middle_marker_lit"), c.middle) << row;
        EXPECT_EQ(standin::getInt("sim/cockpit/misc/inner_marker_lit"), 0) << row;
    }
}

TEST_F(Radios, TheGpsFollowsTheActiveLegOfTheFlightPlan) {
    // West to east along the equator, 60 nm, then on to the north.
    standin::setFlightPlan({{xplm_Nav_LatLon, "WEST", -1, 5000, 0.0f, 0.0f},
                            {xplm_Nav_LatLon, "EAST", -1, 5000, 0.0f, 1.0f},
                            {xplm_Nav_LatLon, "NORTH", -1, 5000, 1.0f, 1.0f}});
    standin::setFloat("sim/flightmodel/position/magnetic_variation", -3.0f);
    struct Case {
        int destination;
        double lat, lon;
        float crossTrackNm, dots, course, bearing, distanceNm;
    } cases[] = {
        {1, -0.01, 0.5, 0.6f, -1.2f, 87.0f, 88.85f, 30.0f},  // right of the leg: fly left
        {1, 0.005, 0.5, -0.3f, 0.6f, 87.0f, 90.57f, 30.0f},
        {1, 0.1, 0.5, -6.0f, 2.5f, 87.0f, 101.3f, 30.6f},
        {2, 0.5, 1.01, 0.6f, -1.2f, 357.0f, 358.85f, 30.0f},
        {0, 0.0, 0.5, 0.0f, 0.0f, 267.0f, 270.0f, 30.0f},  // straight to the first entry
        {3, 0.0, 0.5, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f},        // past the plan: nothing
    };
    for (const Case& c : cases) {
        standin::setDestinationEntry(c.destination);
        standin::setDouble("sim/flightmodel/position/latitude", c.lat);
        standin::setDouble("sim/flightmodel/position/longitude", c.lon);
        standin::runFrame();
        const std::string row = "to " + std::to_string(c.destination) + " from " +
                                std::to_string(c.lat) + ", " + std::to_string(c.lon);
        EXPECT_NEAR(standin::gpsCrossTrackNm(), c.crossTrackNm, 0.01) << row;
        EXPECT_NEAR(standin::getFloat("sim/cockpit/radios/gps_hdef_dot"), c.dots, 0.02) << row;
        EXPECT_NEAR(standin::getFloat("sim/cockpit/radios/gps_course_degm"), c.course, 0.05) << row;
        EXPECT_LT(apart(standin::getFloat("sim/cockpit/radios/gps_dir_degt"), c.bearing), 0.1) << row;
        EXPECT_NEAR(standin::getFloat("sim/cockpit/radios/gps_dme_dist_m"), c.distanceNm, 0.1) << row;
    }
}

TEST_F(Radios, StationsOutOfRangeAreRefusedAndRadiosOffLeaveTheDataRefsAlone) {
    standin::RadioStation station;
    station.kind = standin::StationKind::GlideSlope;
    station.frequency = kIls;
    station.slopeDeg = 3.0f;
    EXPECT_TRUE(standin::addRadioStation(station));
    struct Case {
        const char* what;
        void (*spoil)(standin::RadioStation&);
    } cases[] = {
        {"latitude", [](standin::RadioStation& s) { s.lat = 91; }},
        {"longitude", [](standin::RadioStation& s) { s.lon = std::nan(""); }},
        {"frequency", [](standin::RadioStation& s) { s.frequency = 12000; }},
        {"slope", [](standin::RadioStation& s) { s.slopeDeg = 0; }},
    };
    for (const Case& c : cases) {
        standin::RadioStation spoilt = station;
        c.spoil(spoilt);
        EXPECT_FALSE(standin::addRadioStation(spoilt)) << c.what;
    }
    EXPECT_EQ(standin::radioStations().size(), 1u);

    standin::simulateRadios(false);
    standin::setFloat("sim/cockpit/radios/nav1_hdef_dot", 1.5f);
    standin::runFrame();
    EXPECT_EQ(nav1("hdef_dot"), 1.5f);
}

}  // namespace
