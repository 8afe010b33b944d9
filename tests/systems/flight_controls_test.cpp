// Flaps, slats, spoilers and wing flex: the leading-edge sequencing and
// its annunciator flags, the trailing edge following the simulator, the
// spoiler mix of lever, roll and ground spoilers, hydraulic power from
// either engine, the steps left out after pauses, the wing settling under
// its load at any frame rate, and the surfaces as the 3D model reads them.
#include "systems/flight_controls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "XPLMDataAccess.h"
#include "host/sim_binding.h"
#include "host/snapshot.h"
#include "support/host_fixture.h"
#include "systems/engines.h"

namespace {

using namespace quil;

constexpr float kFrame = 1.0f / 30.0f;
constexpr const char* kRunningTime = "sim/time/total_running_time_sec";
constexpr const char* kN1 = "sim/flightmodel/engine/ENGN_N1_";
constexpr const char* kFlapRequest = "sim/flightmodel/controls/flaprqst";
constexpr const char* kFlapRatio = "sim/flightmodel/controls/flaprat";
constexpr const char* kSpeedbrake = "sim/flightmodel/controls/sbrkrat";
constexpr const char* kLeftAileron = "sim/flightmodel/controls/lail1def";
constexpr const char* kRightAileron = "sim/flightmodel/controls/rail1def";
constexpr const char* kGearForce = "sim/flightmodel/forces/fnrml_gear";
constexpr const char* kPartForces = "sim/flightmodel/parts/nrml_force";
constexpr const char* kLeftTank = "sim/flightmodel/weight/m_fuel1";
constexpr const char* kRightTank = "sim/flightmodel/weight/m_fuel3";
constexpr int kReversePropMode = 3;

constexpr int kLeftSlats = 0;
constexpr int kLeftKrueger = 1;
constexpr int kRightKrueger = 2;
constexpr int kRightSlats = 3;
constexpr int kLeft = 0;
constexpr int kRight = 1;
constexpr int kTip = kWingFlexStations - 1;

class FlightControls : public quiltest::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        snapshot = SimSnapshot{};
        BindSimulatorState();
        RestartEngineModel();
        RestartFlightControls();
        setTime(10.0f);
        engines(25.0f, 25.0f);
    }

    void setTime(float t) {
        now = t;
        standin::setFloat(kRunningTime, t);
    }
    void engines(float left, float right) {
        standin::setFloat(kN1, left, 0);
        standin::setFloat(kN1, right, 1);
    }
    void airborne() { standin::setFloat(kGearForce, 0.0f); }
    void frame(float dt = kFrame) {
        setTime(now + dt);
        StepAileronsAndSpoilers(now);
        StepFlapsAndSlats(now);
        StepWingFlex(now);
    }
    void run(float seconds, float dt = kFrame) {
        for (int n = static_cast<int>(seconds / dt); n > 0; --n) frame(dt);
    }

    float now = 0.0f;
};

// ---- Flaps and slats -----------------------------------------------------------

TEST_F(FlightControls, LeadingEdgeFollowsTheFlapLeverInItsSequence) {
    struct Row {
        float from, to;  // flap request held 8 s each
        float slats, krueger;
        bool extended;
    };
    const Row rows[] = {
        {0.0f, 0.25f, 0.6f, 1.0f, true},   // flaps 1-5: slats at the intermediate position
        {0.0f, 0.33f, 0.6f, 1.0f, true},
        {0.0f, 0.5f, 1.0f, 1.0f, true},    // past flaps 5 the slats run fully out
        {0.0f, 0.09f, 0.0f, 0.0f, false},  // below flaps 1 nothing moves out
        {0.5f, 0.05f, 0.0f, 0.0f, false},  // and what was out comes in
        {0.5f, 0.25f, 0.6f, 1.0f, true},
    };
    for (const Row& row : rows) {
        const std::string name = std::to_string(row.from) + " to " + std::to_string(row.to);
        RestartFlightControls();
        standin::setFloat(kFlapRequest, row.from);
        run(8.0f);
        standin::setFloat(kFlapRequest, row.to);
        run(8.0f);
        EXPECT_FLOAT_EQ(LeadingEdgeExtension(kLeftSlats), row.slats) << name;
        EXPECT_FLOAT_EQ(LeadingEdgeExtension(kRightSlats), row.slats) << name;
        EXPECT_FLOAT_EQ(LeadingEdgeExtension(kLeftKrueger), row.krueger) << name;
        EXPECT_FLOAT_EQ(LeadingEdgeExtension(kRightKrueger), row.krueger) << name;
        for (int group = 0; group < kLeadingEdgeGroups; ++group) {
            EXPECT_FALSE(LeadingEdgeInTransit(group)) << name << " group " << group;
            EXPECT_EQ(LeadingEdgeExtended(group), row.extended) << name << " group " << group;
        }
    }
}

TEST_F(FlightControls, SurfacesTravelAtTheirRatesAndShowTransit) {
    frame();  // the first step only takes the time
    standin::setFloat(kFlapRequest, 0.5f);
    standin::setFloat(kFlapRatio, 0.5f);
    run(2.0f);
    // 0.18 a second on the leading edge, 0.08 on the trailing edge.
    EXPECT_NEAR(LeadingEdgeExtension(kLeftSlats), 0.36f, 0.01f);
    EXPECT_NEAR(TrailingEdgeExtension(kLeft), 0.16f, 0.01f);
    EXPECT_TRUE(LeadingEdgeInTransit(kLeftKrueger));
    EXPECT_FALSE(LeadingEdgeExtended(kLeftKrueger));
    run(8.0f);
    EXPECT_FLOAT_EQ(TrailingEdgeExtension(kLeft), 0.5f);
    EXPECT_FLOAT_EQ(TrailingEdgeExtension(kRight), 0.5f);
}

TEST_F(FlightControls, OnlyATurningEngineMovesTheSurfaces) {
    struct Row {
        float leftN1, rightN1;
        bool moves;
    };
    const Row rows[] = {{0.1f, 0.1f, false}, {0.3f, 0.0f, true}, {0.0f, 0.3f, true}};
    airborne();
    for (const Row& row : rows) {
        const std::string name = std::to_string(row.leftN1) + "/" + std::to_string(row.rightN1);
        RestartFlightControls();
        engines(row.leftN1, row.rightN1);
        standin::setFloat(kFlapRequest, 0.5f);
        standin::setFloat(kFlapRatio, 0.5f);
        standin::setFloat(kSpeedbrake, 1.0f);
        run(1.0f);
        EXPECT_EQ(LeadingEdgeExtension(kLeftKrueger) > 0.0f, row.moves) << name;
        EXPECT_EQ(TrailingEdgeExtension(kRight) > 0.0f, row.moves) << name;
        EXPECT_EQ(SpoilerExtension(4) > 0.0f, row.moves) << name;
    }
    // With both engines stopped the flaps stay where they were left.
    engines(0.0f, 0.0f);
    standin::setFloat(kFlapRequest, 0.0f);
    standin::setFloat(kFlapRatio, 0.0f);
    const float left = LeadingEdgeExtension(kLeftKrueger);
    run(2.0f);
    EXPECT_EQ(LeadingEdgeExtension(kLeftKrueger), left);
}

// ---- Spoilers ------------------------------------------------------------------

TEST_F(FlightControls, SpoilersMixLeverRollAndGroundSpoilers) {
    struct Row {
        const char* name;
        bool ground;
        float lever;
        bool leftReverser, rightReverser;
        float leftAileron, rightAileron;
        float panel5, panel4, panel2, panel8, panel11, groundPanels;
    };
    const Row rows[] = {
        {"left reverser on the ground", true, 0.0f, true, false, 0.0f, 0.0f, 1, 1, 1, 1, 1, 1},
        {"right reverser only", true, 0.0f, false, true, 0.0f, 0.0f, 0, 0, 0, 0, 0, 0},
        {"left reverser airborne", false, 0.0f, true, false, 0.0f, 0.0f, 0, 0, 0, 0, 0, 0},
        {"lever 0.4 on the ground", true, 0.4f, false, false, 5.5f, 5.5f, 1, 1, 1, 1, 1, 1},
        {"lever 1.0 airborne", false, 1.0f, false, false, 5.5f, 5.5f,
         0.67f, 0.5695f, 0.3685f, 0.67f, 0.3685f, 0},
        {"lever 1.0, ailerons neutral", false, 1.0f, false, false, 0.0f, 0.0f,
         0.56f, 0.476f, 0.308f, 0.56f, 0.308f, 0},
        {"left aileron 22 degrees", false, 0.0f, false, false, 22.0f, 0.0f,
         0.33f, 0.2805f, 0.1815f, 0, 0, 0},
        {"right aileron 22 degrees", false, 0.0f, false, false, 3.0f, 22.0f,
         0, 0, 0, 0.33f, 0.1815f, 0},
        {"aileron 5 degrees", false, 0.0f, false, false, 5.0f, 5.0f, 0, 0, 0, 0, 0, 0},
    };
    constexpr int kGroundPanels[] = {0, 5, 6, 11};
    for (const Row& row : rows) {
        RestartEngineModel();
        RestartFlightControls();
        standin::setFloat(kGearForce, row.ground ? 600000.0f : 0.0f);
        standin::setFloat(kSpeedbrake, row.lever);
        standin::setFloat(kLeftAileron, row.leftAileron);
        standin::setFloat(kRightAileron, row.rightAileron);
        snapshot.propMode[0] = row.leftReverser ? kReversePropMode : 1;
        snapshot.propMode[1] = row.rightReverser ? kReversePropMode : 1;
        run(2.0f);
        EXPECT_NEAR(SpoilerExtension(4), row.panel5, 1e-4f) << row.name;
        EXPECT_NEAR(SpoilerExtension(3), row.panel4, 1e-4f) << row.name;
        EXPECT_NEAR(SpoilerExtension(1), row.panel2, 1e-4f) << row.name;
        EXPECT_NEAR(SpoilerExtension(7), row.panel8, 1e-4f) << row.name;
        EXPECT_NEAR(SpoilerExtension(10), row.panel11, 1e-4f) << row.name;
        for (int panel : kGroundPanels)
            EXPECT_NEAR(SpoilerExtension(panel), row.groundPanels, 1e-4f)
                << row.name << " panel " << panel + 1;
    }
}

TEST_F(FlightControls, SpoilersLagTheirTargetByAboutAFifthOfASecond) {
    airborne();
    standin::setFloat(kSpeedbrake, 1.0f);
    standin::setFloat(kLeftAileron, 5.5f);
    frame();  // the first step only takes the time
    run(0.15f, 1.0f / 120.0f);
    // One time constant: 63 % of the way.
    EXPECT_NEAR(SpoilerExtension(4), 0.67f * 0.63f, 0.02f);
}

// ---- Time guards ---------------------------------------------------------------

// The frame after a pause longer than a model's limit is left out; a frame
// just shorter still moves it, and so does the one after the pause.
TEST_F(FlightControls, EachModelSitsOutTheStepAfterALongPause) {
    struct Row {
        const char* name;
        float skipped, taken;  // pause lengths, s
        float (*reading)();
    };
    const Row rows[] = {
        {"leading edge", 0.85f, 0.75f, [] { return LeadingEdgeExtension(kLeftSlats); }},
        {"spoilers", 0.25f, 0.15f, [] { return SpoilerExtension(4); }},
        {"wing flex", 0.12f, 0.09f, [] { return WingFlex(kLeft, kTip); }},
    };
    airborne();
    standin::setFloat(kFlapRequest, 0.5f);
    standin::setFloat(kSpeedbrake, 1.0f);
    for (const Row& row : rows) {
        RestartFlightControls();
        run(0.2f);
        const float before = row.reading();
        frame(row.skipped);
        EXPECT_EQ(row.reading(), before) << row.name;
        frame();
        EXPECT_NE(row.reading(), before) << row.name << " after the pause";
        const float again = row.reading();
        frame(row.taken);
        EXPECT_NE(row.reading(), again) << row.name << " after a shorter pause";
    }
}

TEST_F(FlightControls, TimeRunBackwardsOrNotANumberMovesNothing) {
    airborne();
    standin::setFloat(kSpeedbrake, 1.0f);
    run(0.1f);
    const float before = SpoilerExtension(4);
    frame(-0.15f);  // where the lag would divide by zero
    EXPECT_EQ(SpoilerExtension(4), before);
    StepAileronsAndSpoilers(NAN);
    EXPECT_EQ(SpoilerExtension(4), before);
    frame();
    EXPECT_GT(SpoilerExtension(4), before);
    EXPECT_TRUE(std::isfinite(SpoilerExtension(4)));
}

// ---- Wing flex -----------------------------------------------------------------

class WingFlexTest : public FlightControls {
protected:
    void load(float liftPerPart, float tankKg) {
        for (int part = 8; part <= 11; ++part) standin::setFloat(kPartForces, liftPerPart, part);
        standin::setFloat(kLeftTank, tankKg);
        standin::setFloat(kRightTank, tankKg);
    }
    // The wing after a minute at 30 frames a second from straight.
    float settled(int side, int station, float liftPerPart, float tankKg) {
        RestartFlightControls();
        load(liftPerPart, tankKg);
        run(60.0f);
        return WingFlex(side, station);
    }
};

// The fuel lies in the middle of the wing: it weighs on the segments from
// there inwards; the lift bends the whole wing up, the tip most.
TEST_F(WingFlexTest, TheWingBendsUpWithLiftAndDroopsWithFuel) {
    constexpr int kOuterTank = 3;
    airborne();
    for (int side : {kLeft, kRight}) {
        for (int station = 0; station <= kOuterTank; ++station) {
            const float light = settled(side, station, 0.0f, 1000.0f);
            const float heavy = settled(side, station, 0.0f, 8000.0f);
            EXPECT_LT(light, 0.0f) << "side " << side << " station " << station;
            EXPECT_LT(heavy, light) << "side " << side << " station " << station;
        }
        const float lifting = settled(side, kTip, 100000.0f, 4000.0f);
        const float liftingMore = settled(side, kTip, 200000.0f, 4000.0f);
        EXPECT_GT(lifting, 0.0f) << "side " << side;
        EXPECT_GT(liftingMore, lifting) << "side " << side;
        EXPECT_GT(WingFlex(side, kTip), WingFlex(side, 0)) << "side " << side;
    }
}

// Run an hour from straight at each frame rate: the wing settles to one
// shape whatever the rate, and stays there.
TEST_F(WingFlexTest, SettlesToTheSameShapeAndStaysThereAtEveryFrameRate) {
    airborne();
    load(150000.0f, 4000.0f);
    const float reference = settled(kLeft, kTip, 150000.0f, 4000.0f);
    for (float fps : {10.0f, 20.0f, 30.0f, 120.0f, 200.0f}) {
        RestartFlightControls();
        const double start = now;
        const long frames = static_cast<long>(3600.0f * fps);
        for (long n = 1; n <= frames; ++n) StepWingFlex(static_cast<float>(start + n / fps));
        now = static_cast<float>(start + frames / fps);
        const float tip = WingFlex(kLeft, kTip);
        StepWingFlex(now + 1.0f / fps);
        for (int side : {kLeft, kRight})
            for (int station = 0; station < kWingFlexStations; ++station)
                EXPECT_TRUE(std::isfinite(WingFlex(side, station)))
                    << fps << " fps, side " << side << " station " << station;
        EXPECT_NEAR(tip, reference, 1e-4f) << fps << " fps";
        EXPECT_NEAR(WingFlex(kLeft, kTip), tip, 1e-5f) << fps << " fps: still moving";
    }
}

TEST_F(WingFlexTest, GarbageLoadsLeaveTheWingFinite) {
    for (float garbage : {NAN, INFINITY, -3.0e38f}) {
        RestartFlightControls();
        load(garbage, garbage);
        standin::setFloat("sim/flightmodel/position/P_dot", garbage);
        standin::setFloat("sim/flightmodel/position/local_ay", garbage);
        run(10.0f);
        for (int station = 0; station < kWingFlexStations; ++station)
            EXPECT_TRUE(std::isfinite(WingFlex(kRight, station))) << garbage << " " << station;
    }
}

// ---- As the 3D model sees them -------------------------------------------------

class PublishedSurfaces : public quiltest::HostTest {};

TEST_F(PublishedSurfaces, MoveWithTheLeversWhileTheEnginesTurn) {
    standin::setAircraft(quiltest::demoAircraftPath());
    load(quiltest::pluginPath());
    standin::setFloat(kN1, 25.0f, 0);
    standin::setFloat(kN1, 25.0f, 1);
    standin::setFloat(kFlapRequest, 0.25f);
    standin::setFloat(kFlapRatio, 0.25f);
    standin::setFloat(kSpeedbrake, 0.5f);
    standin::runSeconds(8.0);
    struct Row {
        const char* name;
        float value;
    };
    const Row rows[] = {
        {"quil/systems/flaps/le_k1_ext_left", 1.0f},
        {"quil/systems/flaps/le_k2_ext_right", 1.0f},
        {"quil/systems/flaps/le_1_ext_left", 0.6f},
        {"quil/systems/flaps/le_4_ext_right", 0.6f},
        {"quil/systems/flaps/te_ext_all_left", 0.25f},
        {"quil/systems/flaps/te_linear_small_right", 0.5f},
        {"quil/systems/spoilers/spoiler_1_ext", 1.0f},
        {"quil/systems/spoilers/spoiler_9_ext", 1.0f},
    };
    for (const Row& row : rows)
        EXPECT_NEAR(XPLMGetDataf(XPLMFindDataRef(row.name)), row.value, 1e-4f) << row.name;
    EXPECT_NE(XPLMGetDataf(XPLMFindDataRef("quil/systems/wingflex/leftwing/wingflex5")), 0.0f);
}

}  // namespace
