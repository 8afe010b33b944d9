// Flaps, slats, spoilers and wing flex: the leading-edge sequence, the
// spoiler mix, hydraulic power from either engine, the steps sat out after
// pauses or bad times, and the wing settling under its load at any rate.
#include "systems/flight_controls.h"
#include "systems/fuel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/served_aircraft.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"
#include "systems/engines.h"

namespace {

using namespace quil;

constexpr float kFrame = 1.0f / 30.0f;
constexpr const char* kN1 = "sim/flightmodel/engine/ENGN_N1_";
constexpr const char* kFlapRequest = "sim/flightmodel/controls/flaprqst";
constexpr const char* kSpeedbrake = "sim/flightmodel/controls/sbrkrat";
constexpr const char* kGearForce = "sim/flightmodel/forces/fnrml_gear";
constexpr int kTip = kWingFlexStations - 1;

class FlightControls : public quiltest::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        snapshot = SimSnapshot{};
        BindSimulatorState();
        RestartEngineModel();
        engines(25.0f, 25.0f);
        restart();
    }
    // Everything retracted, and the first step taken, which only takes the time.
    void restart() {
        RestartFlightControls();
        frame();
    }
    void engines(float left, float right) {
        standin::setFloat(kN1, left, 0);
        standin::setFloat(kN1, right, 1);
    }
    void frame(float dt = kFrame) {
        now += dt;
        standin::setFloat("sim/time/total_running_time_sec", now);
        StepAileronsAndSpoilers(now);
        StepFlapsAndSlats(now);
        StepWingFlex(now);
    }
    void run(float seconds) {
        for (int n = static_cast<int>(seconds / kFrame); n > 0; --n) frame();
    }
    // The wing, straight at first, after a minute under this lift on each
    // wing part and fuel in each main tank.
    float settledWing(int station, float lift, float tankKg) {
        for (int part = 8; part <= 11; ++part)
            standin::setFloat("sim/flightmodel/parts/nrml_force", lift, part);
        SetTankQuantity(0, tankKg);
        SetTankQuantity(2, tankKg);
        restart();
        run(60.0f);
        return WingFlex(0, station);
    }

    float now = 10.0f;
};

TEST_F(FlightControls, LeadingEdgeFollowsTheFlapLeverInItsSequence) {
    struct Row {
        float from, to;  // flap request, 8 s each
        float slats, krueger;
    };
    const Row rows[] = {{0.0f, 0.25f, 0.6f, 1.0f}, {0.0f, 0.5f, 1.0f, 1.0f},
                        {0.5f, 0.09f, 0.0f, 0.0f}, {0.5f, 0.25f, 0.6f, 1.0f}};
    for (const Row& row : rows) {
        const std::string name = std::to_string(row.from) + " to " + std::to_string(row.to);
        restart();
        standin::setFloat(kFlapRequest, row.from);
        run(8.0f);
        standin::setFloat(kFlapRequest, row.to);
        run(2.0f);
        EXPECT_TRUE(LeadingEdgeInTransit(0) || LeadingEdgeInTransit(1)) << name;
        run(6.0f);
        const float groups[] = {row.slats, row.krueger, row.krueger, row.slats};
        for (int group = 0; group < kLeadingEdgeGroups; ++group) {
            EXPECT_FLOAT_EQ(LeadingEdgeExtension(group), groups[group]) << name << " " << group;
            EXPECT_FALSE(LeadingEdgeInTransit(group)) << name << " " << group;
            EXPECT_EQ(LeadingEdgeExtended(group), groups[group] > 0.0f) << name << " " << group;
        }
    }
}

TEST_F(FlightControls, OnlyATurningEngineMovesTheSurfaces) {
    const float n1[][2] = {{0.1f, 0.1f}, {0.3f, 0.0f}, {0.0f, 0.3f}};
    for (const auto& engine : n1) {
        engines(engine[0], engine[1]);
        // The first step after a restart takes the trailing edge straight to
        // the simulator's flaps, as the frame read them.
        snapshot.flapRatio = 0.0f;
        restart();
        standin::setFloat(kFlapRequest, 0.5f);
        snapshot.flapRatio = 0.5f;
        standin::setFloat(kSpeedbrake, 1.0f);
        run(2.0f);
        const bool moves = engine[0] > 0.2f || engine[1] > 0.2f;
        EXPECT_EQ(LeadingEdgeExtension(1) > 0.0f, moves) << engine[0] << "/" << engine[1];
        EXPECT_NEAR(TrailingEdgeExtension(1), moves ? 0.16f : 0.0f, 0.01f) << engine[0];
        EXPECT_EQ(SpoilerExtension(0) > 0.0f, moves) << engine[0] << "/" << engine[1];
    }
}

TEST_F(FlightControls, SpoilersMixLeverRollAndGroundSpoilers) {
    struct Row {
        const char* name;
        bool ground, leftReverser;
        float lever, leftAileron;
        float panel5, panel4, panel2, panel8, groundPanels;
    };
    const Row rows[] = {
        {"left reverser on the ground", true, true, 0.0f, 0.0f, 1, 1, 1, 1, 1},
        {"left reverser airborne", false, true, 0.0f, 0.0f, 0, 0, 0, 0, 0},
        {"lever 0.4 on the ground", true, false, 0.4f, 5.5f, 1, 1, 1, 1, 1},
        {"lever 1.0 airborne", false, false, 1.0f, 5.5f, 0.67f, 0.5695f, 0.3685f, 0.67f, 0},
        {"aileron 22 degrees", false, false, 0.0f, 22.0f, 0.33f, 0.2805f, 0.1815f, 0, 0},
        {"aileron 5 degrees", false, false, 0.0f, 5.0f, 0, 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        RestartEngineModel();
        restart();
        standin::setFloat(kGearForce, row.ground ? 600000.0f : 0.0f);
        standin::setFloat(kSpeedbrake, row.lever);
        standin::setFloat("sim/flightmodel/controls/lail1def", row.leftAileron);
        standin::setFloat("sim/flightmodel/controls/rail1def", 5.5f);
        snapshot.propMode[0] = row.leftReverser ? 3 : 1;
        run(2.0f);
        const float expected[][2] = {{4, row.panel5}, {3, row.panel4},
                                     {1, row.panel2}, {7, row.panel8},
                                     {0, row.groundPanels}, {11, row.groundPanels}};
        for (const auto& panel : expected)
            EXPECT_NEAR(SpoilerExtension(static_cast<int>(panel[0])), panel[1], 1e-4f)
                << row.name << ", panel " << panel[0] + 1;
    }
}

// Past its limit the frame after a pause is sat out, and the next one
// moves again; so is a frame with time run backwards or not a number.
TEST_F(FlightControls, EachModelSitsOutTheStepAfterALongPause) {
    struct Row {
        const char* name;
        float skipped, taken;  // frame lengths, s
        float (*reading)();
    };
    const Row rows[] = {
        {"leading edge", 0.85f, 0.75f, [] { return LeadingEdgeExtension(0); }},
        {"spoilers", 0.25f, 0.15f, [] { return SpoilerExtension(4); }},
        {"spoilers, time backwards", -0.15f, 0.15f, [] { return SpoilerExtension(4); }},
        {"wing flex", 0.12f, 0.09f, [] { return WingFlex(0, kTip); }},
    };
    standin::setFloat(kGearForce, 0.0f);
    standin::setFloat(kFlapRequest, 0.5f);
    standin::setFloat(kSpeedbrake, 1.0f);
    for (const Row& row : rows) {
        restart();
        run(0.2f);
        const float before = row.reading();
        frame(row.skipped);
        StepAileronsAndSpoilers(NAN);
        EXPECT_EQ(row.reading(), before) << row.name;
        frame(row.taken);
        EXPECT_NE(row.reading(), before) << row.name;
    }
}

TEST_F(FlightControls, TheWingBendsUpWithLiftAndDroopsWithFuelInItsTanks) {
    EXPECT_LT(settledWing(3, 0.0f, 8000.0f), settledWing(3, 0.0f, 1000.0f));
    EXPECT_LT(settledWing(3, 0.0f, 1000.0f), 0.0f);
    EXPECT_GT(settledWing(kTip, 200000.0f, 4000.0f), settledWing(kTip, 100000.0f, 4000.0f));
    EXPECT_GT(settledWing(kTip, 100000.0f, 4000.0f), 0.0f);
    for (float garbage : {NAN, INFINITY, -3.0e38f})
        EXPECT_TRUE(std::isfinite(settledWing(kTip, garbage, garbage))) << garbage;
}

// An hour at each rate from straight: the same shape, and still.
TEST_F(FlightControls, TheWingSettlesToOneShapeAtEveryFrameRate) {
    const float reference = settledWing(kTip, 150000.0f, 4000.0f);
    for (float fps : {10.0f, 20.0f, 30.0f, 120.0f, 200.0f}) {
        RestartFlightControls();
        const double start = now;
        const long frames = static_cast<long>(3600.0f * fps);
        for (long n = 1; n <= frames; ++n) StepWingFlex(static_cast<float>(start + n / fps));
        const float tip = WingFlex(0, kTip);
        now = static_cast<float>(start + (frames + 1) / fps);
        StepWingFlex(now);
        EXPECT_NEAR(tip, reference, 1e-4f) << fps << " fps";
        EXPECT_NEAR(WingFlex(0, kTip), tip, 1e-6f) << fps << " fps";
    }
}

}  // namespace
