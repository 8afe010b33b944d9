// Engine indications and animation: N1 and N2, the fans, spinners and blur
// disks the 3D model turns, the thrust-limit modes and their N1 targets with
// the anti-ice deductions, the sixteen-of-thirty-two-frame recompute and the
// slew, and the thrust reversers' travel.
#include "systems/engines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "XPLMDataAccess.h"
#include "host/served_aircraft.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"

namespace {

using namespace quil;

constexpr float kFrame = 1.0f / 30.0f;
constexpr const char* kN1 = "sim/flightmodel/engine/ENGN_N1_";
constexpr const char* kN2 = "sim/flightmodel/engine/ENGN_N2_";
constexpr const char* kPropMode = "sim/flightmodel/engine/ENGN_propmode";
constexpr int kReversePropMode = 3;
constexpr float kSlewPerSecond = 1.0f / 0.03f;

// ---- The model itself, stepped by hand ---------------------------------------

class Engines : public quiltest::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        snapshot = SimSnapshot{};
        BindSimulatorState();
        RestartEngineModel();
        setTime(10.0f);
    }

    // The models take the running time the frame read into the snapshot.
    void setTime(float t) {
        now = t;
        snapshot.now = t;
    }
    void advance(float dt) { setTime(now + dt); }

    // ---- N1 limit ----
    struct Conditions {
        float altitude = 0.0f;
        int oat = 15;
        int wingAntiIce = 0;
        unsigned char engineAntiIce[2] = {0, 0};
    };
    void limitFrame(float dt = kFrame) {
        advance(dt);
        ComputeN1Limits(conditions.oat, conditions.altitude, conditions.wingAntiIce,
                        conditions.engineAntiIce, limits, 2);
    }
    // Long enough for a recompute and the slew across the whole range.
    float settledLimit(int mode) {
        SetThrustLimitMode(mode);
        for (int n = 0; n < 150; ++n) limitFrame();
        EXPECT_FLOAT_EQ(limits[0], limits[1]) << "both engines share the target";
        return limits[0];
    }

    // ---- Reversers ----
    struct Reading {
        int code;
        float position;
    };
    Reading reverser(int engine = 0) {
        Reading r{};
        r.code = ReverserState(engine, &r.position);
        return r;
    }
    void command(int propMode, int engine = 0) { snapshot.propMode[engine] = propMode; }

    float now = 0.0f;
    Conditions conditions;
    float limits[2] = {0.0f, 0.0f};
};

TEST_F(Engines, N1AndN2ComeFromTheSimulatorOnEveryQuery) {
    standin::setFloat(kN1, 21.5f, 0);
    standin::setFloat(kN1, 0.15f, 1);
    standin::setFloat(kN2, 62.0f, 0);
    standin::setFloat(kN2, 58.0f, 1);
    EXPECT_FLOAT_EQ(N1(0), 21.5f);
    EXPECT_FLOAT_EQ(N1(1), 0.15f);
    EXPECT_FLOAT_EQ(N2(0), 62.0f);
    EXPECT_FLOAT_EQ(N2(1), 58.0f);
    EXPECT_FLOAT_EQ(VibrationLevel(0), 62.0f * 0.009f);
    EXPECT_TRUE(engineRunning(0));
    EXPECT_FALSE(engineRunning(1)) << "0.15 % is not above 0.2 %";
    EXPECT_TRUE(eitherEngineRunning());
    standin::setFloat(kN1, 0.2f, 0);
    EXPECT_FALSE(engineRunning(0)) << "exactly 0.2 % is not running";
    EXPECT_FALSE(eitherEngineRunning());
    standin::setFloat(kN1, 0.25f, 1);
    EXPECT_TRUE(eitherEngineRunning()) << "the right engine alone counts";
    EXPECT_EQ(N1(2), 0.0f) << "there are two engines";
    EXPECT_EQ(N2(-1), 0.0f);
}

TEST_F(Engines, NonFiniteEngineSpeedsReadAsStopped) {
    standin::setFloat(kN1, std::nanf(""), 0);
    standin::setFloat(kN2, INFINITY, 0);
    EXPECT_EQ(N1(0), 0.0f);
    EXPECT_EQ(VibrationLevel(0), 0.0f);
    EngineAnimationStep(0);
    advance(kFrame);
    EngineAnimationStep(0);
    EXPECT_EQ(FanRotation(0), 0.0f);
    EXPECT_EQ(FanDetail(0), 1.0f);
}

TEST_F(Engines, FirstStepBackwardsTimeAndLongJumpsTurnNothing) {
    standin::setFloat(kN1, 50.0f, 0);
    EngineAnimationStep(0);
    EXPECT_EQ(FanRotation(0), 0.0f) << "the first step only takes the time";
    EXPECT_EQ(DiskRotation(0), 0.0f);
    advance(0.01f);
    EngineAnimationStep(0);
    const float turned = FanRotation(0);
    EXPECT_NEAR(turned, std::fmod(50.0f * 0.8625f * 0.01f, 1.0f), 1e-4f);

    advance(-3.0f);
    EngineAnimationStep(0);
    EXPECT_EQ(FanRotation(0), turned) << "time ran backwards";
    advance(30.0f);
    EngineAnimationStep(0);
    EXPECT_EQ(FanRotation(0), turned) << "a jump of 30 s";
    advance(0.01f);
    EngineAnimationStep(0);
    EXPECT_NEAR(FanRotation(0), std::fmod(turned + 50.0f * 0.8625f * 0.01f, 1.0f), 1e-4f)
        << "and turns on from there";
    EXPECT_EQ(FanRotation(1), 0.0f) << "engine 1 was never stepped";
}

TEST_F(Engines, BlurDiskTurnsThreeTenthsOfARevolutionPerSecondWhateverTheN1) {
    EngineAnimationStep(1);
    for (int n = 0; n < 10; ++n) {
        advance(0.25f);
        EngineAnimationStep(1);
    }
    EXPECT_NEAR(DiskRotation(1), std::fmod(2.5f * 0.3f, 1.0f), 1e-5f);
    EXPECT_EQ(FanRotation(1), 0.0f);
}

// ---- Thrust-limit modes --------------------------------------------------------

TEST_F(Engines, ModeIsSetWithinZeroToEightAndSteppedWithoutWrapping) {
    EXPECT_EQ(ThrustLimitMode(), 1) << "at load";
    SetThrustLimitMode(8);
    EXPECT_EQ(ThrustLimitMode(), 8);
    SetThrustLimitMode(9);
    EXPECT_EQ(ThrustLimitMode(), 8) << "larger values are ignored";
    SetThrustLimitMode(-1);
    EXPECT_EQ(ThrustLimitMode(), 8);
    ThrustLimitModeUp();
    EXPECT_EQ(ThrustLimitMode(), 8) << "8 at most";
    SetThrustLimitMode(1);
    ThrustLimitModeDown();
    EXPECT_EQ(ThrustLimitMode(), 0);
    ThrustLimitModeDown();
    EXPECT_EQ(ThrustLimitMode(), 0) << "0 at least";
    ThrustLimitModeUp();
    ThrustLimitModeUp();
    EXPECT_EQ(ThrustLimitMode(), 2);
    SelectThrustLimitTable(1);
    EXPECT_EQ(ThrustLimitMode(), 1) << "every reset starts over at mode 1";
}

struct LimitCase {
    const char* what;
    int mode;
    float altitude;
    int oat;
    int wingAntiIce;
    unsigned char engineOneAntiIce;
    unsigned char engineTwoAntiIce;
    float expected;
};

const LimitCase kLimitCases[] = {
    {"mode 1 at sea level, 15 °C", 1, 0, 15, 0, 0, 0, 99.9f - 0.148f * 17},
    {"mode 1 with wing anti-ice", 1, 0, 15, 1, 0, 0, 95.384f},
    {"mode 1 with engine 1 anti-ice open", 1, 0, 15, 0, 2, 0, 97.384f - 1.2f},
    {"mode 1 with engine 1 anti-ice changing", 1, 0, 15, 0, 1, 0, 97.384f - 1.2f},
    {"mode 1 with both anti-ice", 1, 0, 15, 1, 2, 0, 97.384f - 3.2f},
    {"mode 1 with engine 2 anti-ice only", 1, 0, 15, 0, 0, 2, 97.384f},
    {"mode 1 hot, 40 °C", 1, 0, 40, 0, 0, 0, 99.9f - 0.146f * 8},
    {"mode 1 at 70 °C takes 60 °C", 1, 0, 70, 0, 0, 0, 99.9f - 0.146f * 28},
    {"mode 1 at 9000 ft and above takes 9000 ft", 1, 20000, 14, 0, 0, 0, 101.0f},
    {"mode 2 halfway up, 0 °C", 2, 4500, 0, 0, 0, 0,
     98.45f - (0.148f + (0.139f - 0.148f) * 0.5f) * 23},
    {"mode 3 at 18000 ft, 0 °C", 3, 18000, 0, 0, 0, 0, 96.25f - 0.1655f * 8.75f},
    {"mode 4 takes no anti-ice deduction", 4, 0, 35, 1, 2, 0, 94.0f},
    {"mode 5 below 29000 ft takes 29000 ft", 5, 20000, -5, 0, 0, 0, 93.8f},
    {"mode 5 above 41000 ft takes 41000 ft", 5, 45000, -20, 0, 0, 0, 94.4f},
    {"mode 5 at 10 °C takes 5 °C", 5, 29000, 10, 0, 0, 0, 93.8f - 0.128f * 10},
    {"mode 5 at -70 °C takes -60 °C", 5, 41000, -70, 0, 0, 0, 94.4f - 0.176f * 40},
    {"mode 5 takes no anti-ice deduction", 5, 29000, -5, 1, 2, 0, 93.8f},
    {"mode 6 at 10000 ft, 14 °C", 6, 10000, 14, 0, 0, 0, 101.2f},
    {"mode 7 has no temperature slope or clamp", 7, 0, 80, 0, 0, 0, 94.0f},
    {"mode 7 with wing anti-ice", 7, 36000, -40, 1, 0, 0, 92.0f},
    {"mode 8", 8, 20000, -30, 0, 0, 0, 100.0f},
    {"mode 0 rates nothing", 0, 5000, 15, 0, 0, 0, 0.0f},
    {"mode 0 stays at 0 with anti-ice on", 0, 5000, 15, 1, 2, 0, 0.0f},
};

TEST_F(Engines, EachModeGivesTheN1LimitOfItsRow) {
    for (const LimitCase& c : kLimitCases) {
        conditions.altitude = c.altitude;
        conditions.oat = c.oat;
        conditions.wingAntiIce = c.wingAntiIce;
        conditions.engineAntiIce[0] = c.engineOneAntiIce;
        conditions.engineAntiIce[1] = c.engineTwoAntiIce;
        EXPECT_NEAR(settledLimit(c.mode), c.expected, 1e-3f) << c.what;
    }
}

TEST_F(Engines, ModeChangeSlewsTheLimitAtAThirdOfAPercentPerHundredthOfASecond) {
    ASSERT_NEAR(settledLimit(1), 97.384f, 1e-3f);
    SetThrustLimitMode(0);
    int frames = 0;
    float previous = limits[0];
    while (limits[0] == previous && frames < 40) {
        limitFrame();
        ++frames;
    }
    ASSERT_LE(frames, 17) << "the new target comes within sixteen frames";
    int moving = 1;
    for (; limits[0] > 0.0f && moving < 200; ++moving) {
        EXPECT_NEAR(previous - limits[0], kSlewPerSecond * kFrame, 1e-3f) << "frame " << moving;
        previous = limits[0];
        limitFrame();
    }
    EXPECT_EQ(limits[0], 0.0f);
    EXPECT_NEAR(moving * kFrame, 97.384f / kSlewPerSecond, kFrame)
        << "97.4 % at 33.3 %/s takes 2.9 s";
}

TEST_F(Engines, LimitWithinAThreeHundredthOfAPercentTakesTheTarget) {
    ASSERT_NEAR(settledLimit(8), 100.0f, 1e-6f);
    limits[0] = 100.0003f;
    limits[1] = 99.9f;
    limitFrame(0.0f);  // no time passes, yet the close one lands
    EXPECT_EQ(limits[0], 100.0f);
    EXPECT_EQ(limits[1], 99.9f) << "a larger gap waits for time";
    limits[0] = std::nanf("");
    limitFrame();
    EXPECT_EQ(limits[0], 100.0f) << "a corrupted limit is replaced by the target";
}

// A change made at each phase of the 32-frame cycle in turn: half of them
// are taken up at once, the others after 16, 15, ... 1 frames.
TEST_F(Engines, TargetIsRecomputedInSixteenFramesOfEveryThirtyTwo) {
    ASSERT_NEAR(settledLimit(1), 97.384f, 1e-3f);
    constexpr int kTrialFrames = 161;  // one frame more than five cycles
    std::vector<int> delays;
    for (int trial = 0; trial < 32; ++trial) {
        SetThrustLimitMode(8);
        int delay = -1;
        for (int n = 0; n < kTrialFrames; ++n) {
            if (n == 80) SetThrustLimitMode(1);
            const float before = limits[0];
            limitFrame();
            if (delay < 0 && limits[0] != before) delay = n;
        }
        ASSERT_NEAR(limits[0], 97.384f, 1e-3f) << "settled again after trial " << trial;
        delays.push_back(delay);
    }
    std::sort(delays.begin(), delays.end());
    std::vector<int> expected(16, 0);
    for (int d = 1; d <= 16; ++d) expected.push_back(d);
    EXPECT_EQ(delays, expected);
}

TEST_F(Engines, FirstTargetAfterLoadComesOnTheSeventeenthFrame) {
    for (int frame = 1; frame <= 16; ++frame) {
        limitFrame();
        EXPECT_EQ(limits[0], 0.0f) << "frame " << frame << " keeps the target of load";
    }
    limitFrame();
    EXPECT_NEAR(limits[0], kSlewPerSecond * kFrame, 1e-3f) << "frame 17 starts the slew";
}

TEST_F(Engines, TimeJumpOrReversalMovesTheLimitNoFurtherThatFrame) {
    ASSERT_NEAR(settledLimit(8), 100.0f, 1e-6f);
    SetThrustLimitMode(0);
    float previous = limits[0];
    for (int n = 0; n < 40 && limits[0] == previous; ++n) limitFrame();
    ASSERT_LT(limits[0], previous);
    for (float jump : {5.0f, -2.0f}) {
        previous = limits[0];
        limitFrame(jump);
        EXPECT_EQ(limits[0], previous) << "a jump of " << jump << " s";
        limitFrame();
        EXPECT_NEAR(previous - limits[0], kSlewPerSecond * kFrame, 1e-3f)
            << "one frame's slew after a jump of " << jump << " s";
    }
    previous = limits[0];
    limitFrame(3.9f);
    EXPECT_NEAR(limits[0], std::max(0.0f, previous - kSlewPerSecond * 3.9f), 1e-3f)
        << "3.9 s is a long frame, not a jump";
}

TEST_F(Engines, NonFiniteAltitudeKeepsThePreviousTarget) {
    ASSERT_NEAR(settledLimit(1), 97.384f, 1e-3f);
    conditions.altitude = std::nanf("");
    for (int n = 0; n < 64; ++n) limitFrame();
    EXPECT_NEAR(limits[0], 97.384f, 1e-3f);
}

// ---- Thrust reversers ------------------------------------------------------------

TEST_F(Engines, ReverserDeploysInOneSecondAndHoldsDeployed) {
    EXPECT_EQ(reverser().code, kReverserStowed);
    command(kReversePropMode);
    Reading r = reverser();
    EXPECT_EQ(r.code, kReverserDeploying);
    EXPECT_EQ(r.position, 0.0f) << "the travel starts now";
    for (int n = 1; n < 40; ++n) {
        advance(0.025f);
        r = reverser();
        const float elapsed = n * 0.025f;
        if (elapsed < 1.0f - 1e-4f) {
            EXPECT_EQ(r.code, kReverserDeploying) << elapsed << " s";
            EXPECT_NEAR(r.position, elapsed, 1e-4f) << elapsed << " s";
        } else if (elapsed > 1.0f + 1e-4f) {
            EXPECT_EQ(r.code, kReverserDeployed) << elapsed << " s";
            EXPECT_EQ(r.position, 1.0f) << elapsed << " s";
        }
    }
    EXPECT_EQ(reverser(1).code, kReverserStowed) << "the other engine stays stowed";
}

TEST_F(Engines, CommandDroppedAtFourTenthsStowsInFourTenthsThroughStowing) {
    command(kReversePropMode);
    reverser();
    advance(0.4f);
    ASSERT_NEAR(reverser().position, 0.4f, 1e-4f);
    command(0);
    Reading r = reverser();
    EXPECT_EQ(r.code, kReverserStowing);
    EXPECT_NEAR(r.position, 0.4f, 1e-4f) << "the stowing travel starts where the deploying stopped";
    float elapsed = 0.0f;
    while (r.code == kReverserStowing && elapsed < 2.0f) {
        advance(0.025f);
        elapsed += 0.025f;
        r = reverser();
        if (r.code == kReverserStowing) {
            EXPECT_NEAR(r.position, 0.4f - elapsed, 1e-4f) << elapsed << " s";
        }
    }
    EXPECT_EQ(r.code, kReverserStowed);
    EXPECT_EQ(r.position, 0.0f);
    EXPECT_NEAR(elapsed, 0.4f, 0.025f + 1e-4f);
}

TEST_F(Engines, DeployedReverserStowsInOneSecondAndReversesMidway) {
    command(kReversePropMode);
    reverser();
    advance(1.5f);
    ASSERT_EQ(reverser().code, kReverserDeployed);
    command(1);
    Reading r = reverser();
    EXPECT_EQ(r.code, kReverserStowing);
    EXPECT_EQ(r.position, 1.0f);
    advance(0.7f);
    r = reverser();
    EXPECT_EQ(r.code, kReverserStowing);
    EXPECT_NEAR(r.position, 0.3f, 1e-4f);
    command(kReversePropMode);
    r = reverser();
    EXPECT_EQ(r.code, kReverserDeploying);
    EXPECT_NEAR(r.position, 0.3f, 1e-4f) << "deploying again from where it stood";
    advance(0.5f);
    EXPECT_NEAR(reverser().position, 0.8f, 1e-4f);
    advance(0.25f);
    EXPECT_EQ(reverser().code, kReverserDeployed);
    command(0);
    reverser();
    advance(0.99f);
    EXPECT_EQ(reverser().code, kReverserStowing);
    advance(0.02f);
    EXPECT_EQ(reverser().code, kReverserStowed) << "a full stow takes one second";
}

// Nobody asked for 5 s: the reverser learns only now that the command
// went, and stows from where its deploying travel had taken it.
TEST_F(Engines, ReverserAdvancesOnlyWhenAskedAndStowsFromWhereItStands) {
    command(kReversePropMode);
    reverser();
    command(0);
    advance(5.0f);
    Reading r = reverser();
    EXPECT_EQ(r.code, kReverserStowing);
    EXPECT_EQ(r.position, 1.0f);
    advance(0.5f);
    EXPECT_NEAR(reverser().position, 0.5f, 1e-4f);
    advance(0.51f);
    EXPECT_EQ(reverser().code, kReverserStowed) << "one second of travel, however late";
}

TEST_F(Engines, TimeRunningBackwardsKeepsTheTravelMadeSoFar) {
    command(kReversePropMode);
    reverser();
    advance(0.5f);
    ASSERT_NEAR(reverser().position, 0.5f, 1e-4f);
    advance(-20.0f);
    Reading r = reverser();
    EXPECT_EQ(r.code, kReverserDeploying);
    EXPECT_NEAR(r.position, 0.5f, 1e-4f);
    advance(0.25f);
    EXPECT_NEAR(reverser().position, 0.75f, 1e-4f);
    float position = -1.0f;
    EXPECT_EQ(ReverserState(7, &position), kReverserStowed);
    EXPECT_EQ(position, 0.0f) << "an engine that does not exist";
    EXPECT_EQ(ReverserState(0, nullptr), kReverserDeploying) << "the position may be left out";
}

// ---- The whole plug-in, read as the 3D model reads it --------------------------

std::string engineRef(const char* what, int engine) {
    return std::string("quil/engine/") + what + "_" + std::to_string(engine + 1);
}

class EnginesPlugin : public quiltest::HostTest {
protected:
    void start(float frameInterval = kFrame) {
        standin::setFrameInterval(frameInterval);
        standin::setAircraft(quiltest::demoAircraftPath());
        load(quiltest::pluginPath());
        standin::runFrames(3);
    }
    float read(const std::string& name) {
        XPLMDataRef ref = XPLMFindDataRef(name.c_str());
        EXPECT_NE(ref, nullptr) << name;
        return XPLMGetDataf(ref);
    }
    void setN1(float n1) {
        standin::setFloat(kN1, n1, 0);
        standin::setFloat(kN1, n1, 1);
    }
};

float revolutionsBetween(float from, float to) {
    const float d = std::fmod(to - from + 1.0f, 1.0f);
    return d;
}

TEST_F(EnginesPlugin, FanAndSpinnerTurnEightySixAndAQuarterRevolutionsPerSecondAtFullN1) {
    constexpr float kFineFrame = 1.0f / 256.0f;  // under one revolution a frame
    start(kFineFrame);
    setN1(100.0f);
    standin::runFrames(8);
    for (int engine = 0; engine < 2; ++engine) {
        float fan = read(engineRef("fan_rotation", engine));
        float spinner = read(engineRef("spinner_rotation", engine));
        float fanTurned = 0.0f, spinnerTurned = 0.0f;
        for (int n = 0; n < 64; ++n) {
            standin::runFrame();
            const float nextFan = read(engineRef("fan_rotation", engine));
            const float nextSpinner = read(engineRef("spinner_rotation", engine));
            EXPECT_GE(nextFan, 0.0f);
            EXPECT_LT(nextFan, 1.0f);
            fanTurned += revolutionsBetween(fan, nextFan);
            spinnerTurned += revolutionsBetween(spinner, nextSpinner);
            fan = nextFan;
            spinner = nextSpinner;
        }
        EXPECT_NEAR(fanTurned / (64 * kFineFrame), 86.25f, 0.05f) << "engine " << engine;
        EXPECT_NEAR(spinnerTurned / (64 * kFineFrame), 86.25f, 0.05f) << "engine " << engine;
    }
}

struct DetailCase {
    float increment;  // smoothed revolutions per frame
    float fanDetail;
    float spinnerDetail;
};

// At 30 frames a second an N1 of n turns the fan n × 0.8625 / 30 a frame.
const DetailCase kDetailCases[] = {
    {0.004f, 1.0f, 1.0f},  {0.006f, 1.0f, 1.0f},  {0.0085f, 0.75f, 1.0f},
    {0.011f, 0.5f, 1.0f},  {0.0135f, 0.25f, 1.0f}, {0.016f, 0.0f, 1.0f},
    {0.05f, 0.0f, 1.0f},   {0.19f, 0.0f, 1.0f},    {0.21f, 0.0f, 0.0f},
    {2.875f, 0.0f, 0.0f},
};

TEST_F(EnginesPlugin, DetailedFanFadesOutBetweenSixAndSixteenThousandthsAndSpinnerGoesAboveAFifth) {
    start();
    for (const DetailCase& c : kDetailCases) {
        setN1(c.increment * 30.0f / 0.8625f);
        standin::runSeconds(4.0);  // the smoothing settles
        for (int engine = 0; engine < 2; ++engine) {
            EXPECT_NEAR(read(engineRef("fan_showdetail", engine)), c.fanDetail, 2e-3f)
                << "engine " << engine << " at " << c.increment << " rev/frame";
            EXPECT_EQ(read(engineRef("spinner_showdetail", engine)), c.spinnerDetail)
                << "engine " << engine << " at " << c.increment << " rev/frame";
        }
    }
}

TEST_F(EnginesPlugin, VibrationFollowsN2AndTheDiskTurnsWithTheEnginesStopped) {
    start();
    standin::setFloat(kN2, 60.0f, 0);
    standin::setFloat(kN2, 20.0f, 1);
    EXPECT_FLOAT_EQ(read("quil/engine/viblevel_1"), 0.54f);
    EXPECT_FLOAT_EQ(read("quil/engine/viblevel_2"), 0.18f);
    const float disk = read("quil/engine/disk_rotation_2");
    standin::runSeconds(1.0);
    EXPECT_NEAR(revolutionsBetween(disk, read("quil/engine/disk_rotation_2")), 0.3f, 1e-3f);
    EXPECT_EQ(read("quil/engine/fan_rotation_1"), 0.0f);
}

TEST_F(EnginesPlugin, SimulatorReverseModeDeploysTheReverserInOneSecond) {
    start();
    EXPECT_EQ(read("quil/engine/thrustrev_pos_1"), 0.0f);
    standin::setInt(kPropMode, kReversePropMode, 0);
    int firstMoving = -1, deployedAt = -1;
    float previous = 0.0f;
    for (int frame = 0; frame < 90 && deployedAt < 0; ++frame) {
        standin::runFrame();
        const float position = read("quil/engine/thrustrev_pos_1");
        if (firstMoving < 0 && position > 0.0f) firstMoving = frame;
        if (firstMoving >= 0 && position < 1.0f) {
            EXPECT_NEAR(position - previous, kFrame, 1e-3f) << "frame " << frame;
        }
        if (position == 1.0f) deployedAt = frame;
        previous = position;
    }
    ASSERT_GE(firstMoving, 0);
    ASSERT_GT(deployedAt, 0);
    EXPECT_NEAR((deployedAt - firstMoving + 1) * kFrame, 1.0f, kFrame + 1e-4f);
    EXPECT_EQ(read("quil/engine/thrustrev_pos_2"), 0.0f);
}

}  // namespace
