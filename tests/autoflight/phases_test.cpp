// Flight phases: the take-off roll, the climb-out actions, the traps, and
// the ground power unit at a reset.
#include "autoflight/phases.h"

#include <gtest/gtest.h>

#include "autoflight/modes.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"
#include "support/served_aircraft.h"
#include "systems/air_ground.h"
#include "systems/electrical.h"
#include "systems/engines.h"

namespace {

using namespace quil;

constexpr char kGearForce[] = "sim/flightmodel/forces/fnrml_gear";
constexpr char kBarometer[] = "sim/cockpit/misc/barometer_setting";
constexpr float kOnGear = 500000.0f;

class FlightPhases : public quiltest::InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        snapshot = SimSnapshot{};
        quiltest::BindServedAircraft();
        if (HasFatalFailure()) return;
        AfdsReset();
        SetThrustLimitMode(kThrustLimitTakeoff);
        RestartFlightPhase();
    }

    // One frame at this ground speed (m/s), radio and indicated altitude
    // (feet) and gear load.
    void step(float speed, float radioAltitude = 0.0f, float altitude = 0.0f,
              float gearForce = kOnGear) {
        snapshot.groundSpeed = speed;
        snapshot.radioAltitude = radioAltitude;
        snapshot.indicatedAltitude = altitude;
        standin::setFloat(kGearForce, gearForce);
        standin::runFrame();
        UpdateFlightPhase(standin::simTime());
    }
    // Off the runway and up to 9000 ft: phase 8.
    void climbOut() {
        for (float speed : {10.0f, 42.0f, 44.0f, 52.0f}) step(speed);
        step(80.0f, 10.0f, 10.0f, 0.0f);
        for (float height : {401.0f, 801.0f, 1001.0f}) step(80.0f, height, height, 0.0f);
        ASSERT_EQ(FlightPhase(), 8);
    }
};

TEST_F(FlightPhases, TheTakeOffRollAndARejectedTakeOff) {
    struct Case {
        float speed;
        int phase;
    };
    const Case roll[] = {{2.0f, 0},  {5.0f, 0},  {5.1f, 1},  {41.1f, 1}, {41.2f, 2},
                         {43.3f, 3}, {51.5f, 3}, {51.6f, 4}, {47.6f, 4}, {47.4f, 2}};
    for (const Case& c : roll) {
        step(c.speed);
        EXPECT_EQ(FlightPhase(), c.phase) << "at " << c.speed << " m/s";
    }
}

TEST_F(FlightPhases, ThrHoldOnTheRollIsReleasedAt800FeetAndTheClimbRatingFollows) {
    mcpAtArm(kMcpOn);
    mcpN1(kMcpOn);
    for (float speed : {10.0f, 42.0f, 44.0f}) step(speed);
    EXPECT_TRUE(atThrHold()) << "phase 3 with N1 engaged";
    step(52.0f);
    step(80.0f, 10.0f, 10.0f, 0.0f);
    step(80.0f, 401.0f, 401.0f, 0.0f);
    EXPECT_TRUE(atThrHold());
    step(80.0f, 801.0f, 801.0f, 0.0f);
    EXPECT_FALSE(atThrHold()) << "phase 7";
    step(80.0f, 1001.0f, 1001.0f, 0.0f);
    EXPECT_EQ(ThrustLimitMode(), kThrustLimitClimb) << "phase 8 from take-off thrust";
}

TEST_F(FlightPhases, TheStandardAltimeterIsSetThrough18000Feet) {
    climbOut();
    standin::setFloat(kBarometer, 30.12f);
    step(120.0f, 12000.0f, 10001.0f, 0.0f);
    step(120.0f, 17000.0f, 17999.0f, 0.0f);
    EXPECT_FLOAT_EQ(standin::getFloat(kBarometer), 30.12f) << "phase 9";
    step(120.0f, 18500.0f, 18001.0f, 0.0f);
    EXPECT_EQ(FlightPhase(), 10);
    EXPECT_FLOAT_EQ(standin::getFloat(kBarometer), 29.92f);
}

TEST_F(FlightPhases, DescendingBelow1500FeetFromTheClimbEndsInATrap) {
    climbOut();
    step(120.0f, 12000.0f, 10001.0f, 0.0f);
    step(120.0f, 1400.0f, 10001.0f, 0.0f);
    EXPECT_EQ(FlightPhase(), 17);
    step(120.0f, 30000.0f, 30000.0f, 0.0f);
    step(0.0f, 0.0f, 0.0f, kOnGear);
    EXPECT_EQ(FlightPhase(), 17) << "only a restart leaves it";
    RestartFlightPhase();
    EXPECT_EQ(FlightPhase(), 1);
}

// A load or reset starts the aircraft taxiing, which sends the ground power
// unit away; brought again at the stand, it leaves when the aircraft moves.
TEST_F(FlightPhases, TheGroundPowerUnitLeavesAtAResetAndAtTaxi) {
    SetGroundPowerUnitPresent(true);
    RestartFlightPhase();
    EXPECT_EQ(FlightPhase(), 1);
    EXPECT_FALSE(GroundPowerUnitPresent());
    step(0.0f);
    SetGroundPowerUnitPresent(true);
    EXPECT_TRUE(GroundPowerUnitPresent());
    step(6.0f);
    EXPECT_EQ(FlightPhase(), 1);
    EXPECT_FALSE(GroundPowerUnitPresent());
}

TEST_F(FlightPhases, AirborneTimeCountsFromTheLastFrameOnTheGear) {
    step(0.0f);
    standin::setFrameInterval(599.0f);
    step(80.0f, 500.0f, 500.0f, 0.0f);
    EXPECT_FALSE(AirborneAtLeast600());
    standin::setFrameInterval(2.0f);
    step(80.0f, 500.0f, 500.0f, 0.0f);
    EXPECT_TRUE(AirborneAtLeast600());
    EXPECT_TRUE(InAir());
}

}  // namespace
