// The control-law building blocks: each mode and feature against values
// worked by hand, step responses over many frames, and the guards against
// bad time and bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "control/controllers.h"

namespace {

using quil::FilteredController;
using quil::LagFilter4;
using quil::RateLimitedController;
using quil::StepFiltered;
using quil::StepLag;
using quil::StepRateLimited;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kFrameS = 1.0f / 30.0f;

float gScheduleFactor = 1.0f;
float Schedule() { return gScheduleFactor; }

// ---- Rate-limited PID loop ----------------------------------------------------

// Negative gain as in the aircraft's loops, limits +-10, no rate limit.
RateLimitedController Pid(float gain, float derivativeTime, float integralWeight) {
    return {gain, derivativeTime, integralWeight, -10.0f, 10.0f, 0.0f};
}

// The first step of a loop only tracks; this one leaves it ready to run at
// t = 1 s with the given measurement and output.
void Prime(RateLimitedController& loop, float measurement, float output) {
    StepRateLimited(loop, 1.0f, quil::kLoopRun, 0.0f, measurement, output);
}

void ExpectSameLoop(const RateLimitedController& expected, const RateLimitedController& actual) {
    EXPECT_EQ(actual.lastTime, expected.lastTime);
    EXPECT_EQ(actual.lastMeasurement, expected.lastMeasurement);
    EXPECT_EQ(actual.integral, expected.integral);
    EXPECT_EQ(actual.activeSince, expected.activeSince);
}

TEST(RateLimitedController, FirstStepOnlyTracksThePresentOutput) {
    RateLimitedController loop = Pid(-2.0f, 0.5f, 0.25f);
    float output = 3.0f;
    StepRateLimited(loop, 5.0f, quil::kLoopRun, 0.0f, 1.0f, output);
    EXPECT_EQ(output, 3.0f);
    EXPECT_FLOAT_EQ(loop.integral, -10.0f) << "(3 / -2 - 1) / 0.25";
    EXPECT_EQ(loop.activeSince, 5.0f);
    EXPECT_EQ(loop.lastTime, 5.0f);
    EXPECT_EQ(loop.lastMeasurement, 1.0f);

    // Running on from there: only 0.1 s of integral, no derivative yet.
    StepRateLimited(loop, 5.1f, quil::kLoopRun, 0.0f, 1.0f, output);
    EXPECT_NEAR(output, 2.95f, 1e-4f) << "-2 * (1 + 0.25 * (-10 + 0.1))";
}

TEST(RateLimitedController, ProportionalActionIsGainTimesError) {
    struct Case {
        float setPoint, measurement, output;
    };
    for (const Case& c :
         {Case{4.0f, 1.0f, 6.0f}, Case{0.0f, 2.5f, -5.0f}, Case{3.0f, 3.0f, 0.0f}}) {
        RateLimitedController loop = Pid(-2.0f, 0.0f, 0.0f);
        float output = 0.0f;
        Prime(loop, c.measurement, output);
        StepRateLimited(loop, 1.5f, quil::kLoopRun, c.setPoint, c.measurement, output);
        EXPECT_FLOAT_EQ(output, c.output) << "set point " << c.setPoint << ", measurement "
                                          << c.measurement;
    }
}

TEST(RateLimitedController, DerivativeActsOnTheMeasurementsRateNotOnSetPointChanges) {
    RateLimitedController loop = Pid(-2.0f, 0.5f, 0.0f);
    float output = 0.0f;
    Prime(loop, 1.0f, output);
    StepRateLimited(loop, 1.5f, quil::kLoopRun, 2.0f, 2.0f, output);
    EXPECT_FLOAT_EQ(output, -2.0f) << "no error, rate 2/s: -2 * 0.5 * 2";
    StepRateLimited(loop, 2.0f, quil::kLoopRun, 5.0f, 2.0f, output);
    EXPECT_FLOAT_EQ(output, 6.0f) << "the set point moved, the measurement did not";
}

TEST(RateLimitedController, IntegralAccumulatesTheErrorOverTime) {
    RateLimitedController loop = Pid(-2.0f, 0.0f, 0.25f);
    float output = 0.0f;
    Prime(loop, 0.0f, output);
    const float expected[] = {-2.25f, -2.5f, -2.75f};  // -2 * (1 + 0.25 * 0.5 n)
    for (int n = 1; n <= 3; ++n) {
        StepRateLimited(loop, 1.0f + 0.5f * n, quil::kLoopRun, 0.0f, 1.0f, output);
        EXPECT_FLOAT_EQ(loop.integral, 0.5f * n) << "step " << n;
        EXPECT_FLOAT_EQ(output, expected[n - 1]) << "step " << n;
    }
}

TEST(RateLimitedController, IntegralStopsWhereTheOutputReachesItsLimit) {
    struct Case {
        float measurement, integral, output;
    };
    // Two seconds of error 4 would integrate to 8; the limit output -10 is
    // reached at (-10 / -2 - 4) / 0.25 = 4. Likewise for the other side.
    for (const Case& c : {Case{4.0f, 4.0f, -10.0f}, Case{-4.0f, -4.0f, 10.0f}}) {
        RateLimitedController loop = Pid(-2.0f, 0.0f, 0.25f);
        float output = 0.0f;
        Prime(loop, 0.0f, output);
        StepRateLimited(loop, 3.0f, quil::kLoopRun, 0.0f, c.measurement, output);
        EXPECT_FLOAT_EQ(loop.integral, c.integral) << "measurement " << c.measurement;
        EXPECT_FLOAT_EQ(output, c.output) << "measurement " << c.measurement;
    }
}

TEST(RateLimitedController, OutputComesOffItsLimitAsSoonAsTheErrorTurns) {
    RateLimitedController loop = Pid(-2.0f, 0.0f, 0.25f);
    float output = 0.0f;
    Prime(loop, 0.0f, output);
    StepRateLimited(loop, 3.0f, quil::kLoopRun, 0.0f, 4.0f, output);
    ASSERT_FLOAT_EQ(output, -10.0f);
    StepRateLimited(loop, 3.5f, quil::kLoopRun, 0.0f, -1.0f, output);
    EXPECT_FLOAT_EQ(loop.integral, 3.5f) << "4 - 0.5, not 8 - 0.5";
    EXPECT_FLOAT_EQ(output, 0.25f) << "-2 * (-1 + 0.25 * 3.5)";
}

TEST(RateLimitedController, PositiveGainLoopIntegratesInsideItsLimitsToo) {
    RateLimitedController loop = Pid(2.0f, 0.0f, 0.25f);
    float output = 0.0f;
    Prime(loop, 0.0f, output);
    StepRateLimited(loop, 1.5f, quil::kLoopRun, 0.0f, 1.0f, output);
    EXPECT_FLOAT_EQ(loop.integral, 0.5f) << "inside the bounds -24 ... 16, so left alone";
    EXPECT_FLOAT_EQ(output, 2.25f) << "2 * (1 + 0.25 * 0.5)";
}

TEST(RateLimitedController, LoopWithoutGainOrIntegralWeightHoldsItsIntegralAtZero) {
    struct Case {
        float gain, integralWeight, output;
    };
    for (const Case& c : {Case{-2.0f, 0.0f, -6.0f}, Case{0.0f, 0.25f, 0.0f}}) {
        RateLimitedController loop = Pid(c.gain, 0.0f, c.integralWeight);
        float output = 4.0f;
        Prime(loop, 3.0f, output);
        for (int n = 1; n <= 3; ++n) {
            StepRateLimited(loop, 1.0f + 0.5f * n, quil::kLoopRun, 0.0f, 3.0f, output);
        }
        EXPECT_EQ(loop.integral, 0.0f) << "K " << c.gain << ", Ti " << c.integralWeight;
        EXPECT_FLOAT_EQ(output, c.output) << "K " << c.gain << ", Ti " << c.integralWeight;
    }
}

TEST(RateLimitedController, ReseededRunMatchesTheIntegralToTheOutputAndAddsTheDerivative) {
    RateLimitedController loop = Pid(-2.0f, 0.5f, 0.25f);
    float output = 3.0f;
    Prime(loop, 1.0f, output);
    StepRateLimited(loop, 1.5f, quil::kLoopRunReseeded, 0.0f, 2.0f, output);
    EXPECT_FLOAT_EQ(loop.integral, -14.0f) << "(3 / -2 - 2) / 0.25";
    EXPECT_FLOAT_EQ(output, 1.0f) << "3 + -2 * 0.5 * (2 - 1) / 0.5";
}

TEST(RateLimitedController, ReseededRunWithinTheHoldOffKeepsTheOutput) {
    RateLimitedController loop = Pid(-2.0f, 0.5f, 0.25f);
    float output = 3.0f;
    Prime(loop, 1.0f, output);
    StepRateLimited(loop, 1.1f, quil::kLoopRunReseeded, 0.0f, 2.0f, output);
    EXPECT_FLOAT_EQ(loop.integral, -14.0f);
    EXPECT_FLOAT_EQ(output, 3.0f);
}

TEST(RateLimitedController, ActivationKeepsTheOutputWhateverTheMeasurementDid) {
    RateLimitedController loop = Pid(-2.0f, 0.5f, 0.25f);
    float output = 0.0f;
    Prime(loop, 0.0f, output);
    output = 4.0f;
    StepRateLimited(loop, 2.0f, quil::kLoopActivate, 0.0f, 1.0f, output);
    EXPECT_EQ(output, 4.0f);
    EXPECT_FLOAT_EQ(loop.integral, -12.0f) << "(4 / -2 - 1) / 0.25";
    EXPECT_EQ(loop.activeSince, 2.0f);
}

class AfterActivation : public ::testing::Test {
protected:
    // Activated at t = 2 s with output 4 and measurement 1.
    void SetUp() override {
        Prime(loop, 0.0f, output);
        output = 4.0f;
        StepRateLimited(loop, 2.0f, quil::kLoopActivate, 0.0f, 1.0f, output);
    }
    RateLimitedController loop = Pid(-2.0f, 0.5f, 0.25f);
    float output = 0.0f;
};

TEST_F(AfterActivation, RunningOnContinuesFromTheOutputWithoutAJump) {
    StepRateLimited(loop, 2.1f, quil::kLoopRun, 0.0f, 1.0f, output);
    EXPECT_NEAR(output, 3.95f, 1e-4f) << "-2 * (1 + 0.25 * (-12 + 0.1))";
}

TEST_F(AfterActivation, NoDerivativeKickWithinTwoTenthsOfASecond) {
    StepRateLimited(loop, 2.1f, quil::kLoopRun, 0.0f, 1.5f, output);
    EXPECT_NEAR(output, 2.925f, 1e-4f)
        << "-2 * (1.5 + 0.25 * (-12 + 0.15)); a derivative would give -2.075";
    StepRateLimited(loop, 2.3f, quil::kLoopRun, 0.0f, 2.0f, output);
    EXPECT_NEAR(output, -0.775f, 1e-4f)
        << "past 0.2 s the rate (2 - 1.5) / 0.2 counts: -2 * (2 + 0.5 * 2.5 + 0.25 * -11.45)";
}

TEST(RateLimitedController, TrackOnlyLeavesTheOutputAloneEvenOutsideItsLimits) {
    for (float held : {4.0f, 50.0f}) {
        RateLimitedController loop = Pid(-2.0f, 0.5f, 0.25f);
        float output = 0.0f;
        Prime(loop, 0.0f, output);
        output = held;
        StepRateLimited(loop, 2.0f, quil::kLoopTrack, 0.0f, 5.0f, output);
        EXPECT_EQ(output, held);
        EXPECT_FLOAT_EQ(loop.integral, (held / -2.0f - 5.0f) / 0.25f) << "output " << held;
        EXPECT_EQ(loop.activeSince, 2.0f) << "output " << held;
    }
}

TEST(RateLimitedController, StepsWithoutTimeBetweenThemChangeOnlyTheMemory) {
    for (float later : {2.0f, 2.0005f}) {
        RateLimitedController loop = Pid(-2.0f, 0.5f, 0.25f);
        float output = 0.0f;
        Prime(loop, 0.0f, output);
        StepRateLimited(loop, 2.0f, quil::kLoopRun, 0.0f, 1.0f, output);
        const RateLimitedController before = loop;
        const float outputBefore = output;
        StepRateLimited(loop, later, quil::kLoopRun, 0.0f, 3.0f, output);
        SCOPED_TRACE(testing::Message() << "second step at " << later);
        EXPECT_EQ(output, outputBefore);
        EXPECT_EQ(loop.integral, before.integral);
        EXPECT_EQ(loop.activeSince, before.activeSince);
        EXPECT_EQ(loop.lastMeasurement, 3.0f);
        EXPECT_EQ(loop.lastTime, later);
    }
}

TEST(RateLimitedController, TimeGoingBackwardsSkipsOneStepAndRestartsTheInterval) {
    RateLimitedController loop = Pid(-2.0f, 0.0f, 0.25f);
    float output = 0.0f;
    Prime(loop, 0.0f, output);
    StepRateLimited(loop, 5.0f, quil::kLoopRun, 0.0f, 1.0f, output);
    const float integral = loop.integral;
    const float outputBefore = output;
    StepRateLimited(loop, 4.0f, quil::kLoopRun, 0.0f, 1.0f, output);
    EXPECT_EQ(output, outputBefore);
    EXPECT_EQ(loop.integral, integral);
    EXPECT_EQ(loop.lastTime, 4.0f);
    StepRateLimited(loop, 4.5f, quil::kLoopRun, 0.0f, 1.0f, output);
    EXPECT_FLOAT_EQ(loop.integral, integral + 0.5f) << "half a second of error 1";
}

TEST(RateLimitedController, RateLimitHoldsTheOutputChangeToTheLimitPerSecond) {
    RateLimitedController loop = Pid(-2.0f, 0.0f, 0.0f);
    loop.rateLimit = 4.0f;
    float output = 0.0f;
    Prime(loop, 5.0f, output);
    StepRateLimited(loop, 1.5f, quil::kLoopRun, 0.0f, 5.0f, output);
    EXPECT_FLOAT_EQ(output, -2.0f) << "wants -10, may move 4 * 0.5";
    StepRateLimited(loop, 2.0f, quil::kLoopRun, 0.0f, 5.0f, output);
    EXPECT_FLOAT_EQ(output, -4.0f);
}

TEST(RateLimitedController, OutputIsHeldWithinItsLimits) {
    struct Case {
        float measurement, output;
    };
    for (const Case& c : {Case{-7.0f, 10.0f}, Case{7.0f, -10.0f}}) {
        RateLimitedController loop = Pid(-2.0f, 0.0f, 0.0f);
        float output = 0.0f;
        Prime(loop, c.measurement, output);
        StepRateLimited(loop, 1.5f, quil::kLoopRun, 0.0f, c.measurement, output);
        EXPECT_EQ(output, c.output) << "measurement " << c.measurement;
    }
}

TEST(RateLimitedController, ScheduleScalesOnlyAPositiveOutputBeforeTheLimits) {
    struct Case {
        float measurement, rateLimit, output;
        const char* what;
    };
    gScheduleFactor = 0.5f;
    for (const Case& c : {Case{-3.0f, 0.0f, 3.0f, "6 scaled"},
                          Case{3.0f, 0.0f, -6.0f, "a negative output is not scaled"},
                          Case{-8.0f, 0.0f, 8.0f, "16 scaled, then inside the limit"},
                          Case{-3.0f, 4.0f, 1.0f, "the rate-limited 2 scaled"}}) {
        RateLimitedController loop = Pid(-2.0f, 0.0f, 0.0f);
        loop.schedule = Schedule;
        loop.rateLimit = c.rateLimit;
        float output = 0.0f;
        Prime(loop, c.measurement, output);
        StepRateLimited(loop, 1.5f, quil::kLoopRun, 0.0f, c.measurement, output);
        EXPECT_FLOAT_EQ(output, c.output) << c.what;
    }
}

TEST(RateLimitedController, NonFiniteInputLeavesTheLoopAsItWas) {
    struct Case {
        float now, setPoint, measurement, output;
    };
    const Case cases[] = {{kNaN, 0.0f, 1.0f, 2.0f}, {3.0f, kNaN, 1.0f, 2.0f},
                          {3.0f, 0.0f, kNaN, 2.0f}, {3.0f, 0.0f, 1.0f, kNaN},
                          {kInf, 0.0f, 1.0f, 2.0f}, {3.0f, 0.0f, -kInf, 2.0f}};
    for (int row = 0; row < 6; ++row) {
        RateLimitedController loop = Pid(-2.0f, 0.5f, 0.25f);
        float output = 0.0f;
        Prime(loop, 0.0f, output);
        StepRateLimited(loop, 2.0f, quil::kLoopRun, 0.0f, 0.5f, output);
        const RateLimitedController before = loop;
        const Case& c = cases[row];
        float given = c.output;
        StepRateLimited(loop, c.now, quil::kLoopRun, c.setPoint, c.measurement, given);
        SCOPED_TRACE(testing::Message() << "row " << row);
        ExpectSameLoop(before, loop);
        EXPECT_TRUE(std::isnan(c.output) ? std::isnan(given) : given == c.output);
    }
}

TEST(RateLimitedController, UnknownModeLeavesTheLoopAsItWas) {
    RateLimitedController loop = Pid(-2.0f, 0.5f, 0.25f);
    float output = 0.0f;
    Prime(loop, 0.0f, output);
    const RateLimitedController before = loop;
    StepRateLimited(loop, 2.0f, 4, 0.0f, 3.0f, output);
    ExpectSameLoop(before, loop);
    EXPECT_EQ(output, 0.0f);
}

TEST(RateLimitedController, StepWhoseArithmeticOverflowsLeavesTheLoopAsItWas) {
    RateLimitedController loop = Pid(-2.0f, 0.5f, 0.25f);
    float output = 1.0f;
    Prime(loop, 0.0f, output);
    RateLimitedController before = loop;
    // Both finite, but their difference is not.
    StepRateLimited(loop, 2.0f, quil::kLoopRun, -3e38f, 3e38f, output);
    ExpectSameLoop(before, loop);
    EXPECT_EQ(output, 1.0f);

    gScheduleFactor = kNaN;
    loop.schedule = Schedule;
    before = loop;
    StepRateLimited(loop, 2.0f, quil::kLoopRun, 0.0f, -1.0f, output);
    ExpectSameLoop(before, loop);
    EXPECT_EQ(output, 1.0f) << "a schedule gone bad is never applied";
}

// A first-order plant with a one-second time constant, driven at 30 frames
// per second.
struct Plant {
    float value = 0.0f;
    void Step(float input, float dt) { value += (input - value) * dt / 1.0f; }
};

TEST(RateLimitedController, ClosedLoopSettlesOnASetPointStepWithinItsLimitsAndRate) {
    RateLimitedController loop = {-2.0f, 0.1f, 0.5f, 0.0f, 6.0f, 20.0f};
    Plant plant;
    float output = 0.0f;
    StepRateLimited(loop, 10.0f, quil::kLoopActivate, 0.0f, plant.value, output);
    bool rateLimited = false;
    float highest = 0.0f;
    for (int frame = 1; frame <= 30 * 30; ++frame) {
        const float setPoint = frame > 30 ? 5.0f : 0.0f;
        const float before = output;
        StepRateLimited(loop, 10.0f + frame * kFrameS, quil::kLoopRun, setPoint, plant.value,
                        output);
        ASSERT_GE(output, 0.0f) << "frame " << frame;
        ASSERT_LE(output, 6.0f) << "frame " << frame;
        const float change = std::fabs(output - before);
        ASSERT_LE(change, 20.0f * kFrameS * 1.001f) << "frame " << frame;
        rateLimited = rateLimited || change > 20.0f * kFrameS * 0.999f;
        plant.Step(output, kFrameS);
        highest = std::fmax(highest, plant.value);
    }
    EXPECT_TRUE(rateLimited) << "the set-point step was steep enough to meet the rate limit";
    EXPECT_NEAR(plant.value, 5.0f, 0.01f);
    EXPECT_NEAR(output, 5.0f, 0.01f) << "the integral carries the steady output";
    EXPECT_LT(highest, 5.05f) << "no wind-up overshoot";
}

// ---- Filtered velocity-form loop ----------------------------------------------

// Gain -0.5, limits 0 ... 100, no filter, rate, integral, leak or rate
// limit unless a test sets them.
FilteredController Velocity() { return {-0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 100.0f}; }

// Initialised at t = 1 s on the given measurement.
void Start(FilteredController& loop, float measurement) {
    float untouched = 0.0f;
    StepFiltered(loop, 1.0f, 1, 0.0f, measurement, untouched);
}

void ExpectSameLoop(const FilteredController& expected, const FilteredController& actual) {
    EXPECT_EQ(actual.lastTime, expected.lastTime);
    EXPECT_EQ(actual.lastFiltered, expected.lastFiltered);
    EXPECT_EQ(actual.rate, expected.rate);
    EXPECT_EQ(actual.integral, expected.integral);
    EXPECT_EQ(actual.filtered, expected.filtered);
    EXPECT_EQ(actual.firstCall, expected.firstCall);
}

TEST(FilteredController, FirstCallStartsTheFilterOnTheMeasurementAndLeavesTheOutput) {
    FilteredController loop = Velocity();
    loop.filterTime = 0.5f;
    loop.rateWeight = 2.0f;
    loop.lastTime = 3.0f;
    loop.lastFiltered = 1.0f;
    loop.rate = 7.0f;
    loop.integral = 9.0f;
    loop.filtered = 2.0f;
    loop.firstCall = 1;
    float output = 40.0f;
    StepFiltered(loop, 10.0f, 1, 60.0f, 50.0f, output);
    EXPECT_EQ(output, 40.0f);
    EXPECT_EQ(loop.rate, 0.0f);
    EXPECT_EQ(loop.integral, 0.0f);
    EXPECT_EQ(loop.filtered, 50.0f);
    EXPECT_EQ(loop.lastFiltered, 50.0f);
    EXPECT_EQ(loop.lastTime, 10.0f);
    EXPECT_EQ(loop.firstCall, 0);

    // The next step sees a steady measurement, so no rate kick.
    StepFiltered(loop, 10.5f, 1, 60.0f, 50.0f, output);
    EXPECT_EQ(loop.rate, 0.0f);
    EXPECT_FLOAT_EQ(output, 42.5f) << "40 + -0.5 * 0.5 * (50 - 60)";
}

TEST(FilteredController, RecordThatHasNeverRunInitialisesOnItsFirstStep) {
    FilteredController loop = Velocity();
    loop.firstCall = 0;
    float output = 40.0f;
    StepFiltered(loop, 500.0f, 1, 60.0f, 50.0f, output);
    EXPECT_EQ(output, 40.0f) << "not driven over the 500 s since the simulator started";
    EXPECT_EQ(loop.filtered, 50.0f);
    EXPECT_EQ(loop.lastTime, 500.0f);
}

TEST(FilteredController, DisabledLoopHoldsTheOutputAndItsIntegralAtZeroWhileFiltering) {
    FilteredController loop = Velocity();
    loop.filterTime = 0.5f;
    loop.leakTime = 2.0f;
    loop.integralWeight = 1.0f;
    Start(loop, 0.0f);
    loop.integral = 3.0f;
    float output = 40.0f;
    const float filtered[] = {5.0f, 7.5f};  // (0.5 * 10 + 0.5 * previous) / 1
    const float rate[] = {10.0f, 5.0f};
    for (int n = 0; n < 2; ++n) {
        StepFiltered(loop, 1.5f + 0.5f * n, 0, 0.0f, 10.0f, output);
        EXPECT_EQ(output, 40.0f) << "step " << n;
        EXPECT_EQ(loop.integral, 0.0f) << "step " << n;
        EXPECT_FLOAT_EQ(loop.filtered, filtered[n]) << "step " << n;
        EXPECT_FLOAT_EQ(loop.lastFiltered, filtered[n]) << "step " << n;
        EXPECT_FLOAT_EQ(loop.rate, rate[n]) << "step " << n;
    }
}

TEST(FilteredController, ChangeIsGainTimesIntervalTimesTheFilteredError) {
    FilteredController loop = Velocity();
    loop.filterTime = 0.5f;
    Start(loop, 0.0f);
    float output = 10.0f;
    StepFiltered(loop, 1.5f, 1, 1.0f, 4.0f, output);
    EXPECT_FLOAT_EQ(output, 9.75f) << "filtered 2: 10 + -0.5 * 0.5 * (2 - 1)";
}

TEST(FilteredController, RateWeightActsOnTheFilteredMeasurementsRate) {
    FilteredController loop = Velocity();
    loop.filterTime = 0.5f;
    loop.rateWeight = 2.0f;
    Start(loop, 0.0f);
    float output = 10.0f;
    StepFiltered(loop, 1.5f, 1, 10.0f, 10.0f, output);
    EXPECT_FLOAT_EQ(output, 6.25f) << "filtered 5, rate 10: 10 + -0.25 * ((5 - 10) + 2 * 10)";
}

TEST(FilteredController, LeakyIntegralSumsTheRawErrorAndForgetsItOverTheLeakTime) {
    FilteredController loop = Velocity();
    loop.filterTime = 0.5f;
    loop.integralWeight = 1.0f;
    loop.leakTime = 2.0f;
    Start(loop, 0.0f);
    float output = 10.0f;
    StepFiltered(loop, 1.5f, 1, 0.0f, 4.0f, output);
    EXPECT_FLOAT_EQ(loop.integral, 2.0f) << "4 * 0.5 + 0.8 * 0";
    EXPECT_FLOAT_EQ(output, 9.0f) << "filtered 2: 10 + -0.25 * (2 + 2)";
    StepFiltered(loop, 2.0f, 1, 0.0f, 4.0f, output);
    EXPECT_FLOAT_EQ(loop.integral, 3.6f) << "4 * 0.5 + 0.8 * 2";
    EXPECT_FLOAT_EQ(output, 7.35f) << "filtered 3: 9 + -0.25 * (3 + 3.6)";
    StepFiltered(loop, 2.5f, 1, 4.0f, 4.0f, output);
    EXPECT_FLOAT_EQ(loop.integral, 2.88f) << "no error: 0.8 * 3.6";
}

TEST(FilteredController, ZeroLeakTimeFreezesTheIntegral) {
    FilteredController loop = Velocity();
    loop.integralWeight = 1.0f;
    Start(loop, 0.0f);
    loop.integral = 3.0f;
    float output = 10.0f;
    StepFiltered(loop, 1.5f, 1, 0.0f, 2.0f, output);
    StepFiltered(loop, 2.0f, 1, 0.0f, -5.0f, output);
    EXPECT_EQ(loop.integral, 3.0f);
    EXPECT_FLOAT_EQ(output, 10.0f - 0.25f * (2.0f + 3.0f) - 0.25f * (-5.0f + 3.0f));
}

TEST(FilteredController, ScheduleShapesOnlyAChangeAwayFromZero) {
    struct Case {
        float factor, setPoint, output, result;
        const char* what;
    };
    // Gain -1 over 0.5 s: the change is 0.5 * (set point - measurement 0).
    for (const Case& c : {Case{0.5f, 1.0f, 0.5f, 0.75f, "an advance scaled"},
                          Case{0.5f, -1.0f, 0.5f, 0.0f, "a reduction left alone"},
                          Case{0.5f, 1.0f, 0.0f, 0.5f, "from zero left alone"},
                          Case{-0.5f, 1.0f, 0.5f, 0.25f, "a negative factor reverses it"}}) {
        FilteredController loop = Velocity();
        loop.gain = -1.0f;
        loop.outMin = -1.0f;
        loop.schedule = Schedule;
        gScheduleFactor = c.factor;
        Start(loop, 0.0f);
        float output = c.output;
        StepFiltered(loop, 1.5f, 1, c.setPoint, 0.0f, output);
        EXPECT_FLOAT_EQ(output, c.result) << c.what;
    }
}

TEST(FilteredController, FullRangeTimeLimitsTheChangeAfterTheSchedule) {
    FilteredController loop = Velocity();
    loop.outMax = 200.0f;
    loop.fullRangeTime = 1.0f;
    loop.schedule = Schedule;
    gScheduleFactor = 0.5f;
    Start(loop, 0.0f);
    float output = 10.0f;
    StepFiltered(loop, 1.1f, 1, 2000.0f, 0.0f, output);
    EXPECT_FLOAT_EQ(output, 30.0f) << "100 halved to 50, then held to 200 * 0.1 / 1";
}

TEST(FilteredController, FullRangeTimeIsTheQuickestTravelBetweenTheLimits) {
    FilteredController loop = Velocity();
    loop.gain = -8.0f;
    loop.outMax = 200.0f;
    loop.fullRangeTime = 1.0f;
    Start(loop, 0.0f);
    float output = 0.0f;
    int frames = 0;
    for (; output < 200.0f && frames < 100; ++frames) {
        const float before = output;
        StepFiltered(loop, 1.0f + (frames + 1) * kFrameS, 1, 100.0f, 0.0f, output);
        ASSERT_LE(output - before, 200.0f * kFrameS * 1.0001f) << "frame " << frames;
    }
    EXPECT_NEAR(frames, 30, 1) << "full travel in about one second";
    EXPECT_EQ(output, 200.0f);
}

TEST(FilteredController, OutputIsHeldWithinItsLimits) {
    struct Case {
        float setPoint, start, output;
    };
    for (const Case& c : {Case{1000.0f, 90.0f, 100.0f}, Case{-1000.0f, 10.0f, 0.0f}}) {
        FilteredController loop = Velocity();
        Start(loop, 0.0f);
        float output = c.start;
        StepFiltered(loop, 1.5f, 1, c.setPoint, 0.0f, output);
        EXPECT_EQ(output, c.output) << "set point " << c.setPoint;
    }
}

TEST(FilteredController, StepsCloserThanAMillisecondDoNothingAtAll) {
    FilteredController loop = Velocity();
    loop.filterTime = 0.5f;
    Start(loop, 0.0f);
    const FilteredController before = loop;
    float output = 10.0f;
    for (float now : {1.0f, 1.0005f}) {
        StepFiltered(loop, now, 1, 5.0f, 3.0f, output);
        SCOPED_TRACE(testing::Message() << "at " << now);
        ExpectSameLoop(before, loop);
        EXPECT_EQ(output, 10.0f);
    }
}

TEST(FilteredController, TimeGoingBackwardsOnlyMovesItsClockBack) {
    FilteredController loop = Velocity();
    loop.filterTime = 0.5f;
    Start(loop, 0.0f);
    float output = 10.0f;
    StepFiltered(loop, 5.0f, 1, 0.0f, 0.0f, output);
    FilteredController before = loop;
    StepFiltered(loop, 3.0f, 1, 1.0f, 4.0f, output);
    before.lastTime = 3.0f;
    ExpectSameLoop(before, loop);
    EXPECT_EQ(output, 10.0f);
    StepFiltered(loop, 3.5f, 1, 1.0f, 4.0f, output);
    EXPECT_FLOAT_EQ(loop.filtered, 2.0f) << "a half-second step from there";
}

TEST(FilteredController, NonFiniteInputLeavesTheLoopAsItWas) {
    struct Case {
        float now, setPoint, measurement, output;
    };
    const Case cases[] = {{kNaN, 0.0f, 1.0f, 2.0f}, {3.0f, kInf, 1.0f, 2.0f},
                          {3.0f, 0.0f, kNaN, 2.0f}, {3.0f, 0.0f, 1.0f, -kInf}};
    for (int row = 0; row < 4; ++row) {
        FilteredController loop = Velocity();
        loop.filterTime = 0.5f;
        Start(loop, 0.0f);
        const FilteredController before = loop;
        const Case& c = cases[row];
        float given = c.output;
        StepFiltered(loop, c.now, 1, c.setPoint, c.measurement, given);
        SCOPED_TRACE(testing::Message() << "row " << row);
        ExpectSameLoop(before, loop);
        EXPECT_TRUE(std::isnan(c.output) ? std::isnan(given) : given == c.output);
    }
}

TEST(FilteredController, StepWhoseArithmeticOverflowsLeavesTheLoopAsItWas) {
    FilteredController loop = Velocity();
    loop.rateWeight = 1.0f;
    Start(loop, 0.0f);
    FilteredController before = loop;
    float output = 10.0f;
    StepFiltered(loop, 1.5f, 1, 0.0f, 3e38f, output);
    ExpectSameLoop(before, loop);
    EXPECT_EQ(output, 10.0f) << "the rate 6e38 per second does not fit a float";

    loop.schedule = Schedule;
    gScheduleFactor = kNaN;
    before = loop;
    StepFiltered(loop, 1.5f, 1, 0.0f, -1.0f, output);
    ExpectSameLoop(before, loop);
    EXPECT_EQ(output, 10.0f) << "a schedule gone bad is never applied";
}

TEST(FilteredController, ClosedLoopSettlesOnASetPointStepWithinItsLimitsAndTravel) {
    // In velocity form the proportional and rate terms act as integral and
    // proportional action on the output.
    FilteredController loop = {-4.0f, 1.0f, 0.0f, 1.0f, 0.1f, 0.0f, 0.0f, 6.0f};
    Plant plant;
    float output = 0.0f;
    StepFiltered(loop, 10.0f, 1, 0.0f, plant.value, output);
    bool travelLimited = false;
    float highest = 0.0f;
    for (int frame = 1; frame <= 30 * 30; ++frame) {
        const float setPoint = frame > 30 ? 5.0f : 0.0f;
        const float before = output;
        StepFiltered(loop, 10.0f + frame * kFrameS, 1, setPoint, plant.value, output);
        ASSERT_GE(output, 0.0f) << "frame " << frame;
        ASSERT_LE(output, 6.0f) << "frame " << frame;
        const float change = std::fabs(output - before);
        ASSERT_LE(change, 6.0f * kFrameS * 1.001f) << "frame " << frame;
        travelLimited = travelLimited || change > 6.0f * kFrameS * 0.999f;
        plant.Step(output, kFrameS);
        highest = std::fmax(highest, plant.value);
    }
    EXPECT_TRUE(travelLimited) << "the set-point step was steep enough to meet the travel limit";
    EXPECT_NEAR(plant.value, 5.0f, 0.01f);
    EXPECT_NEAR(output, 5.0f, 0.01f);
    EXPECT_LT(highest, 5.05f);
}

// ---- Four-stage lag -----------------------------------------------------------

TEST(LagFilter4, FirstUseStartsEveryStageAtTheInput) {
    LagFilter4 lag = {2.0f};
    EXPECT_EQ(StepLag(3.0f, lag, 10.0f), 3.0f);
    EXPECT_EQ(lag.stage1, 3.0f);
    EXPECT_EQ(lag.stage2, 3.0f);
    EXPECT_EQ(lag.stage3, 3.0f);
    EXPECT_EQ(lag.stage4, 3.0f);
    EXPECT_EQ(lag.lastTime, 10.0f);
    EXPECT_EQ(lag.timeConstant, 2.0f);
}

TEST(LagFilter4, TimeConstantThatIsNotPositiveBecomesOneSecondAtFirstUse) {
    for (float given : {0.0f, -2.0f, kNaN}) {
        LagFilter4 lag = {given};
        StepLag(3.0f, lag, 10.0f);
        EXPECT_EQ(lag.timeConstant, 1.0f) << "given " << given;
    }
}

TEST(LagFilter4, EachStageFollowsTheOneBefore) {
    LagFilter4 lag = {2.0f};
    StepLag(0.0f, lag, 1.0f);
    // Each stage moves 0.5 / 2.5 of the way to the stage before it.
    EXPECT_FLOAT_EQ(StepLag(1.0f, lag, 1.5f), 0.0016f);
    EXPECT_FLOAT_EQ(lag.stage1, 0.2f);
    EXPECT_FLOAT_EQ(lag.stage2, 0.04f);
    EXPECT_FLOAT_EQ(lag.stage3, 0.008f);
    EXPECT_FLOAT_EQ(lag.stage4, 0.0016f);
    EXPECT_EQ(lag.lastTime, 1.5f);
}

TEST(LagFilter4, StepResponseRisesStageByStageAndSettlesOnTheInput) {
    LagFilter4 lag = {2.0f};
    StepLag(0.0f, lag, 1.0f);
    float previous = 0.0f;
    for (int frame = 1; frame <= 60 * 30; ++frame) {
        const float result = StepLag(1.0f, lag, 1.0f + frame * kFrameS);
        ASSERT_EQ(result, lag.stage4);
        ASSERT_GE(lag.stage1, lag.stage2) << "frame " << frame;
        ASSERT_GE(lag.stage2, lag.stage3) << "frame " << frame;
        ASSERT_GE(lag.stage3, lag.stage4) << "frame " << frame;
        ASSERT_GE(result, previous) << "frame " << frame;
        if (frame == 30) {
            EXPECT_GT(lag.stage1, lag.stage2) << "after a second the stages are spread";
            EXPECT_GT(lag.stage3, lag.stage4) << "after a second the stages are spread";
        }
        previous = result;
    }
    EXPECT_NEAR(lag.stage1, 1.0f, 1e-4f);
    EXPECT_NEAR(lag.stage4, 1.0f, 1e-4f);
}

TEST(LagFilter4, StandingStillHoldsEvenWithoutATimeConstant) {
    LagFilter4 lag = {2.0f};
    StepLag(0.0f, lag, 1.0f);
    const float held = StepLag(1.0f, lag, 1.5f);
    lag.timeConstant = 0.0f;
    EXPECT_EQ(StepLag(5.0f, lag, 1.5f), held);
    EXPECT_FLOAT_EQ(lag.stage1, 0.2f);
}

TEST(LagFilter4, TimeGoingBackwardsHoldsAndRestartsTheInterval) {
    LagFilter4 lag = {2.0f};
    StepLag(0.0f, lag, 4.0f);
    EXPECT_EQ(StepLag(1.0f, lag, 3.0f), 0.0f);
    EXPECT_EQ(lag.stage1, 0.0f);
    EXPECT_EQ(lag.lastTime, 3.0f);
    EXPECT_FLOAT_EQ(StepLag(1.0f, lag, 3.5f), 0.0016f) << "a half-second step from there";
}

TEST(LagFilter4, ClearingLastTimeRestartsTheFilterAtTheInput) {
    LagFilter4 lag = {2.0f};
    StepLag(0.0f, lag, 1.0f);
    StepLag(1.0f, lag, 1.5f);
    lag.lastTime = 0.0f;
    EXPECT_EQ(StepLag(7.0f, lag, 2.0f), 7.0f);
    EXPECT_EQ(lag.stage1, 7.0f);
}

TEST(LagFilter4, BadInputReturnsTheLastValueAndKeepsTheFilter) {
    for (float input : {kNaN, kInf, 3e38f}) {
        LagFilter4 lag = {2.0f};
        StepLag(0.0f, lag, 1.0f);
        const float last = StepLag(1.0f, lag, 1.5f);
        const LagFilter4 before = lag;
        // 3e38 over ten seconds overflows the first stage.
        EXPECT_EQ(StepLag(input, lag, 11.5f), last) << "input " << input;
        EXPECT_EQ(lag.stage1, before.stage1) << "input " << input;
        EXPECT_EQ(lag.lastTime, before.lastTime) << "input " << input;
    }
    LagFilter4 lag = {2.0f};
    StepLag(1.0f, lag, 1.0f);
    EXPECT_EQ(StepLag(2.0f, lag, kNaN), 1.0f);
    EXPECT_EQ(lag.lastTime, 1.0f);
}

}  // namespace
