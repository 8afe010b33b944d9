// LNAV along the simulator's flight plan: what makes a plan usable, the
// aircraft's place on the leg, waypoint sequencing with the turn
// anticipation and the thrust-limit mode, and the end of the route.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "XPLMNavigation.h"
#include "autoflight/lateral.h"
#include "autoflight/lateral_fixture.h"
#include "support/test_aircraft.h"
#include "systems/engines.h"

namespace {

using namespace quil;
using quiltest::kNaN;
using standin::FmsEntry;

constexpr double kNmPerDegreeOfLatitude = 60.0;

FmsEntry waypoint(const char* id, float lat, float lon, int altitude) {
    return {xplm_Nav_LatLon, id, XPLM_NAV_NOT_FOUND, altitude, lat, lon};
}

// North from DEP to NORTH, then a right turn of about 90 deg to EAST.
std::vector<FmsEntry> northThenEast(int northAltitude = 9000, int eastAltitude = 9000) {
    return {waypoint("DEP", 55.0f, 12.0f, 3000), waypoint("NORTH", 55.5f, 12.0f, northAltitude),
            waypoint("EAST", 55.5f, 13.0f, eastAltitude)};
}

class Lnav : public quiltest::LateralFlight {
protected:
    void load(const std::vector<FmsEntry>& plan, int destination) {
        standin::setFlightPlan(plan);
        standin::setDestinationEntry(destination);
    }
    // On the north leg, `nm` short of NORTH and `eastNm` east of it.
    void beforeNorth(double nm, double eastNm = 0.0) {
        const double lat = 55.5 - nm / kNmPerDegreeOfLatitude;
        place(lat, 12.0 + eastNm / (kNmPerDegreeOfLatitude * std::cos(lat / 57.2957795)));
    }
    void engageLnav() {
        frame();
        mcpLnav(kMcpOn);
        frame();
        ASSERT_TRUE(apLnavEng());
    }
};

TEST_F(Lnav, APlanWithoutALegToFlyDropsLnav) {
    struct Case {
        const char* name;
        std::vector<FmsEntry> plan;
        int destination;
    };
    const Case cases[] = {
        {"no plan", {}, 0},
        {"destination beyond the plan", northThenEast(), 3},
        {"destination the first entry", northThenEast(), 0},
        {"destination at 0, 0", {waypoint("DEP", 55.0f, 12.0f, 0), waypoint("NUL", 0.0f, 0.0f, 0)}, 1},
        {"latitude not a number", {waypoint("DEP", 55.0f, 12.0f, 0), waypoint("BAD", kNaN, 12.0f, 0)}, 1},
        {"latitude beyond the pole", {waypoint("DEP", 55.0f, 12.0f, 0), waypoint("BAD", 95.0f, 12.0f, 0)}, 1},
        {"longitude beyond 180", {waypoint("BAD", 55.0f, 200.0f, 0), waypoint("N", 55.5f, 12.0f, 0)}, 1},
    };
    for (const Case& c : cases) {
        load(northThenEast(), 1);
        beforeNorth(10.0, 2.0);
        engageLnav();
        load(c.plan, c.destination);
        frame();
        EXPECT_FALSE(FlightPlanValid() || apLnavEng()) << c.name;
        EXPECT_EQ(CrossTrackNm(), 0.0f) << c.name;
        EXPECT_EQ(targetWaypointAltitude(), snapshot.indicatedAltitude) << c.name;
        mcpLnav(kMcpOn);
        EXPECT_FALSE(apLnavArmed()) << c.name << ": the button is refused";
    }
}

// Right of the leg is positive; LNAV turns back towards the leg.
TEST_F(Lnav, TheAircraftsPlaceOnTheLegAndLnavTurningTowardsIt) {
    load(northThenEast(), 1);
    for (double eastNm : {2.0, -2.0}) {
        mcpLnav(kMcpOff);
        beforeNorth(10.0, eastNm);
        engageLnav();
        EXPECT_NEAR(LegCourse(), 0.0f, 0.01f);
        EXPECT_NEAR(CrossTrackNm(), eastNm, 0.02) << eastNm;
        EXPECT_NEAR(CrossTrackDeg(), eastNm / kNmPerDegreeOfLatitude, 0.001) << eastNm;
        EXPECT_NEAR(AlongTrackNm(), 10.0, 0.05) << eastNm;
        frames(1.0f);
        EXPECT_LT(fdRoll() * eastNm, -2.0) << eastNm;
    }
    EXPECT_EQ(targetWaypointAltitude(), 9000.0f);
    EXPECT_EQ(passedWaypointAltitude(), 3000.0f);
    EXPECT_GE(highestPlanAltitude(), 9000);
}

// A 90 deg turn at 130 m/s with a 30 deg bank starts about 1.82 nm before
// the waypoint; the leg after it sets the thrust-limit mode.
TEST_F(Lnav, TheNextWaypointIsTakenAtTheTurnAnticipationWithItsThrustLimit) {
    struct Case {
        int passed, next;
        int before, after;
    };
    const Case cases[] = {
        {9000, 12000, kThrustLimitCruise, kThrustLimitClimb},
        {9000, 9050, kThrustLimitClimb, kThrustLimitCruise},
        {2000, 1000, kThrustLimitClimb, kThrustLimitGoAround},
        {2000, 3000, kThrustLimitTakeoffReduced, kThrustLimitClimbReduced},
        {2000, 3000, kThrustLimitTakeoff, kThrustLimitClimb},
        {2000, 3000, kThrustLimitCruise, kThrustLimitCruise},
        {500, 500, kThrustLimitCruise, kThrustLimitTakeoff},
        {500, 300, kThrustLimitClimb, kThrustLimitGoAround},
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.passed) + " ft to " + std::to_string(c.next) +
                                 " ft in mode " + std::to_string(c.before);
        load(northThenEast(c.passed, c.next), 1);
        beforeNorth(1.9);
        frame();
        SetThrustLimitMode(c.before);
        frame();
        EXPECT_EQ(standin::destinationEntry(), 1) << name;
        EXPECT_EQ(ThrustLimitMode(), c.before) << name;
        beforeNorth(1.75);
        frame();
        EXPECT_EQ(standin::destinationEntry(), 2) << name;
        EXPECT_EQ(ThrustLimitMode(), c.after) << name;
    }
}

// At the last waypoint LNAV hands over to HDG SEL on the final course and
// VNAV to ALT HOLD: within 0.2 nm, or when no longer getting closer for
// 3 s heading along the leg (also from just left of north), or for 30 s
// whatever the heading.
TEST_F(Lnav, AtTheEndOfTheRouteLnavHandsOverToHdgSelAndVnavToAltHold) {
    struct Case {
        const char* name;
        double lastNm;
        float heading, wait;
        bool ended;
    };
    const Case cases[] = {
        {"0.1 nm out", 0.1, 0.0f, 0.1f, true},
        {"heading along, 2.5 s", 3.0, 358.0f, 2.5f, false},
        {"heading along, 3.5 s", 3.0, 358.0f, 3.5f, true},
        {"heading away, 20 s", 3.0, 180.0f, 20.0f, false},
        {"heading away, 31 s", 3.0, 180.0f, 31.0f, true},
    };
    for (const Case& c : cases) {
        mcpHdgSel(kMcpOff);
        mcpAltHold(kMcpOff, 0);
        SetMcpHdg(200.0f);
        load({waypoint("SOUTH", 55.0f, 12.0f, 3000), waypoint("NORTH", 55.5f, 12.0f, 5000)}, 1);
        beforeNorth(5.0);
        engageLnav();
        mcpVnav(kMcpOn);
        beforeNorth(4.0);
        frame();
        steer(c.heading);
        beforeNorth(c.lastNm);
        frames(c.wait);
        EXPECT_EQ(apHdgSel() && apPitchAltHld(), c.ended) << c.name;
        EXPECT_EQ(apLnavEng() && apVnavEng(), !c.ended) << c.name;
        EXPECT_EQ(snapshot.mcpHeading, c.ended ? 0.0f : 200.0f) << c.name;
    }
}

// A leg change of a degree across north is nearly straight on: the turn
// point does not move miles ahead with the cross-track distance.
TEST_F(Lnav, ANearlyStraightLegChangeAcrossNorthIsNotTakenEarly) {
    load({waypoint("DEP", 55.0f, 12.0f, 3000), waypoint("NORTH", 55.5f, 12.0f, 5000),
          waypoint("ON", 56.5f, 11.97f, 5000)},
         1);
    beforeNorth(5.0, 0.5);
    frames(0.5f);
    EXPECT_EQ(standin::destinationEntry(), 1);
    EXPECT_GT(DistanceToTurnNm(), 2.0f);
}

// The whole plug-in on the stand-in host moves the simulator's flight plan
// on to the next entry.
class FlightPlanOnTheHost : public quiltest::HostTest {};

TEST_F(FlightPlanOnTheHost, ThePlugInAdvancesTheSimulatorsDestinationEntry) {
    standin::setAircraft(quiltest::makeAircraft(quiltest::TestAircraft{}));
    load(quiltest::pluginPath());
    standin::setFloat("sim/flightmodel/position/y_agl", 5000.0f * 0.3042f);
    standin::setFloat("sim/flightmodel/position/groundspeed", 130.0f);
    standin::setFloat("sim/flightmodel/position/hpath", 0.0f);
    standin::setFlightPlan(northThenEast());
    standin::setDestinationEntry(1);
    standin::setDouble("sim/flightmodel/position/latitude", 55.3);
    standin::setDouble("sim/flightmodel/position/longitude", 12.0);
    standin::runFrames(45);
    EXPECT_EQ(standin::destinationEntry(), 1) << "12 nm short of NORTH";
    standin::setDouble("sim/flightmodel/position/latitude", 55.5 - 1.5 / kNmPerDegreeOfLatitude);
    standin::runFrames(2);
    EXPECT_EQ(standin::destinationEntry(), 2) << "1.5 nm short of NORTH";
}

}  // namespace
