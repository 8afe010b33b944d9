// Vertical guidance and the autothrottle: the pitch targets, the LVL CHG
// rates, the throttle loops' limits and schedule, and what reaches the
// simulator.
#include "autoflight/vertical.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "XPLMNavigation.h"
#include "autoflight/lateral.h"
#include "autoflight/modes.h"
#include "host/snapshot_read.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"
#include "support/served_aircraft.h"

namespace {

using namespace quil;

constexpr char kGearForce[] = "sim/flightmodel/forces/fnrml_gear";
constexpr char kThrottle[] = "sim/flightmodel/engine/ENGN_thro";
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class VerticalLaws : public quiltest::InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        snapshot = SimSnapshot{};
        quiltest::BindServedAircraft();
        if (HasFatalFailure()) return;
        AfdsReset();
        mcpApConnect(kMcpOn);
        airborne(true);
        snapshot.indicatedAltitude = snapshot.radioAltitude = 5000.0f;
        snapshot.ias = snapshot.apSpeed = snapshot.apSpeedAsIas = 250.0f;
        snapshot.engineN1[0] = snapshot.engineN1[1] = 80.0f;
        snapshot.n1Limit[0] = snapshot.n1Limit[1] = 95.0f;
        setThrottles(0.6f);
        SetMcpAlt(5000.0f);
        frame();  // the loops' clocks catch up with this test's
    }

    void airborne(bool inAir) { standin::setFloat(kGearForce, inAir ? 0.0f : 500000.0f); }
    void setThrottles(float ratio) {
        standin::setFloat(kThrottle, ratio, 0);
        standin::setFloat(kThrottle, ratio, 1);
    }
    void frame() {
        standin::setFrameInterval(1.0f / 30.0f);
        standin::runFrame();
        ReadTime();
        AutoflightStep();
    }
    void frames(float seconds) {
        for (int i = 0; i < static_cast<int>(seconds * 30.0f); ++i) frame();
    }
    bool wrote(const char* name) const {
        for (const standin::DataRefWrite& write : standin::writeLog()) {
            if (write.name == name) return true;
        }
        return false;
    }
};

TEST_F(VerticalLaws, AltHoldClimbsFourFeetPerMinutePerFootWithinTheLimit) {
    struct Case {
        float target, altitude, fpm;
    };
    const Case cases[] = {
        {5000.0f, 4750.0f, 1000.0f},    // 250 ft low
        {5000.0f, 5100.0f, -400.0f},    // 100 ft high
        {12000.0f, 10000.0f, 4000.0f},  // 4500 less 0.05 per foot
        {10000.0f, 12000.0f, -3900.0f},
    };
    for (const Case& c : cases) {
        snapshot.indicatedAltitude = c.target;
        SetMcpAlt(c.target);
        mcpAltHold(kMcpOn, 0);
        ASSERT_TRUE(apPitchAltHld());
        snapshot.indicatedAltitude = c.altitude;
        PitchTargetStep(standin::simTime());
        EXPECT_FLOAT_EQ(VerticalSpeedTarget(), c.fpm) << c.altitude << " ft for " << c.target;
        mcpAltHold(kMcpOff, 0);
    }
}

// VNAV towards NORTH at 9000 ft, 20 nm ahead at 130 m/s (253 kt): a path
// climb of 4000 ft in the 4.7 minutes to the turn, until within 100 ft.
TEST_F(VerticalLaws, VnavClimbsAlongThePathAndCapturesTheWaypointAltitude) {
    standin::setFlightPlan({{xplm_Nav_LatLon, "DEP", XPLM_NAV_NOT_FOUND, 3000, 55.0f, 12.0f},
                            {xplm_Nav_LatLon, "NORTH", XPLM_NAV_NOT_FOUND, 9000, 55.5f, 12.0f}});
    standin::setDestinationEntry(1);
    standin::setDouble("sim/flightmodel/position/latitude", 55.5 - 20.0 / 60.0);
    standin::setDouble("sim/flightmodel/position/longitude", 12.0);
    snapshot.groundSpeed = 130.0f;
    TrackFlightPlan();
    mcpVnav(kMcpOn);
    ASSERT_TRUE(apVnavEng());
    PitchTargetStep(standin::simTime());
    const float minutesToGo = DistanceToTurnNm() / (130.0f * 1.943844f) * 60.0f;
    EXPECT_NEAR(VerticalSpeedTarget(), 4000.0f / minutesToGo, 5.0f) << "on the path";
    snapshot.indicatedAltitude = 8950.0f;
    PitchTargetStep(standin::simTime());
    EXPECT_FLOAT_EQ(VerticalSpeedTarget(), 200.0f) << "captured 50 ft below";
}

// On a 3 degree glide slope at 70 m/s (136 kt) the target is the classic
// 720 fpm down, less by the cosine of the heading's angle to the course.
TEST_F(VerticalLaws, TheGlideSlopeTargetComesFromTheSlopeAndTheGroundSpeed) {
    snapshot.navFrequency = 11030;
    snapshot.hasGlideSlope = 1;
    snapshot.glideSlopeAngle = 3.0f;
    snapshot.groundSpeed = 70.0f;
    snapshot.navCourse = 90.0f;
    mcpApp(kMcpOn);
    mcpGsCapture(kMcpOn);
    ASSERT_TRUE(apGSEng());
    for (float heading : {90.0f, 150.0f}) {
        snapshot.magHeading = heading;
        PitchTargetStep(standin::simTime());
        const float expected = heading == 90.0f ? -722.1f : -361.0f;
        EXPECT_NEAR(VerticalSpeedTarget(), expected, 2.0f) << "heading " << heading;
    }
}

// A captured glide slope whose receiver shows its flag keeps its last
// correction to the path, not the one its needle resting centred would give.
TEST_F(VerticalLaws, TheGlideSlopeKeepsItsLastCorrectionWhileTheReceiverShowsItsFlag) {
    snapshot.navFrequency = 11030;
    snapshot.hasGlideSlope = 1;
    snapshot.glideSlopeAngle = 3.0f;
    snapshot.groundSpeed = 70.0f;
    snapshot.navCourse = snapshot.magHeading = 90.0f;
    for (const bool flagged : {false, true}) {
        AfdsReset();
        mcpApp(kMcpOn);
        mcpGsCapture(kMcpOn);
        snapshot.navGlideSlopeFlag = 0;
        snapshot.navVdef = -0.1f;  // below the path: less descent
        frames(3.0f);
        const float corrected = VerticalSpeedTarget();
        ASSERT_GT(corrected, -600.0f) << flagged;
        snapshot.navGlideSlopeFlag = flagged;
        snapshot.navVdef = 0.0f;
        frames(3.0f);
        EXPECT_TRUE(apGSEng()) << flagged;
        EXPECT_EQ(std::fabs(VerticalSpeedTarget() - corrected) < 10.0f, flagged)
            << flagged << ": " << corrected << " then " << VerticalSpeedTarget();
    }
}

TEST_F(VerticalLaws, LvlChgBaseRatesFollowWeightAndAltitude) {
    standin::setFloat("sim/flightmodel/weight/m_total", 60000.0f);
    snapshot.indicatedAltitude = 10000.0f;
    EXPECT_NEAR(LvlChgClimbRate(), 3652.0f, 1.0f);
    EXPECT_NEAR(LvlChgDescentRate(), -2119.9f, 0.5f);
}

// SPEED with the aircraft far too fast: the speed loop closes the throttles,
// down to idle on the ground but never below 0.22 in the air.
TEST_F(VerticalLaws, TheSpeedLoopsLeastThrottleIsIdleOnTheGroundOnlyOnTheGround) {
    for (bool inAir : {false, true}) {
        airborne(inAir);
        mcpAtArm(kMcpOn);
        SetMcpSpeed(150.0f);
        snapshot.apSpeedAsIas = 150.0f;
        mcpSpeed(kMcpOn);
        ASSERT_TRUE(atSpeed());
        frames(30.0f);
        EXPECT_NEAR(standin::getFloat(kThrottle, 0), inAir ? 0.22f : 0.0f, 1e-4f)
            << (inAir ? "airborne" : "on the ground");
        mcpAtArm(kMcpOff);
        setThrottles(0.6f);
        frame();
    }
}

// Far too slow: below 93 % of the N1 limit the loop advances the throttle;
// with N1 past the limit the same speed error takes it back.
TEST_F(VerticalLaws, TheSpeedScheduleTurnsAnAdvanceIntoAReductionPastTheN1Limit) {
    mcpAtArm(kMcpOn);
    SetMcpSpeed(300.0f);
    snapshot.apSpeedAsIas = 300.0f;
    mcpSpeed(kMcpOn);
    struct Case {
        float n1;
        bool advances;
    };
    for (const Case& c : {Case{80.0f, true}, Case{100.0f, false}}) {
        snapshot.engineN1[0] = snapshot.engineN1[1] = c.n1;
        frame();
        const float before = standin::getFloat(kThrottle, 0);
        frames(0.5f);
        const float after = standin::getFloat(kThrottle, 0);
        EXPECT_EQ(after > before, c.advances) << "N1 " << c.n1 << ": " << before << " -> " << after;
    }
}

TEST_F(VerticalLaws, WithoutAThrustModeTheThrottlesAreOnlyReadAndLoopsStartFromThem) {
    standin::clearWriteLog();
    setThrottles(0.43f);
    frames(1.0f);
    EXPECT_FALSE(wrote(kThrottle));
    EXPECT_FALSE(wrote("sim/flightmodel/engine/ENGN_thro_use"));
    mcpAtArm(kMcpOn);
    mcpThrHold(kMcpOn);
    ASSERT_TRUE(atThrHold());
    frames(1.0f);
    EXPECT_FLOAT_EQ(standin::getFloat(kThrottle, 1), 0.43f) << "THR HLD freezes the pilot's setting";
}

// Broken readings hold the last good command rather than reach the
// simulator's throttles, trims or flight director.
TEST_F(VerticalLaws, NonFiniteReadingsNeverReachAWrite) {
    mcpAtArm(kMcpOn);
    mcpSpeed(kMcpOn);
    mcpAltHold(kMcpOn, 0);
    frames(1.0f);
    standin::clearWriteLog();
    snapshot.ias = snapshot.verticalSpeed = snapshot.indicatedAltitude = kNaN;
    snapshot.pitch = snapshot.engineN1[0] = kNaN;
    standin::setFloat("sim/flightmodel/weight/m_total", kNaN);
    frames(1.0f);
    for (const standin::DataRefWrite& write : standin::writeLog()) {
        for (double value : write.values) EXPECT_TRUE(std::isfinite(value)) << write.name;
    }
    EXPECT_TRUE(wrote(kThrottle));
    EXPECT_TRUE(wrote("sim/cockpit/autopilot/flight_director_pitch"));
}

}  // namespace
