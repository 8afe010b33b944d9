// The APU from its switch through inlet door, start, governed running and
// shutdown, its generator, oil, lights, fuel and bleed values and what the
// simulator sees of it; the engine start switches, the starters held
// through the simulator's starter buttons, the igniters by switch and
// selector; and time that pauses, jumps or runs backwards.
#include "systems/apu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "host/served_aircraft.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/apu_forcing.h"
#include "support/host_fixture.h"
#include "support/test_aircraft.h"
#include "systems/electrical.h"

namespace {

using namespace quil;

constexpr float kFrame = 1.0f / 30.0f;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr int kOutsideAirC = 15;

constexpr const char* kApuSwitch = "sim/cockpit/engine/APU_switch";
constexpr const char* kApuRunning = "sim/cockpit/engine/APU_running";
constexpr const char* kApuN1 = "sim/cockpit/engine/APU_N1";
constexpr const char* kBleedAirMode = "sim/cockpit/pressure/bleed_air_mode";
constexpr const char* kIgnitersOn = "sim/cockpit/engine/igniters_on";
constexpr const char* kStarterDuration = "sim/cockpit/engine/starter_duration";
constexpr const char* kMixture = "sim/flightmodel/engine/ENGN_mixt";
constexpr const char* kN1 = "sim/flightmodel/engine/ENGN_N1_";
constexpr const char* kN2 = "sim/flightmodel/engine/ENGN_N2_";
constexpr const char* kGearForce = "sim/flightmodel/forces/fnrml_gear";

// Everything the APU shows, to compare whole states.
struct ApuReading {
    int phase, switchPosition;
    float n1, egt, door, fuelFlow, oil, starter;
};

ApuReading readApu() {
    return {ApuPhase(),     ApuSwitchPosition(), ApuN1(),          ApuEgt(),
            ApuInletDoor(), ApuFuelFlow(),       ApuOilPressure(), ApuStarterCurrent()};
}

void expectSameApu(const ApuReading& expected, const char* what) {
    const ApuReading actual = readApu();
    EXPECT_EQ(actual.phase, expected.phase) << what << ": phase";
    EXPECT_EQ(actual.switchPosition, expected.switchPosition) << what << ": switch";
    EXPECT_EQ(actual.n1, expected.n1) << what << ": N1";
    EXPECT_EQ(actual.egt, expected.egt) << what << ": EGT";
    EXPECT_EQ(actual.door, expected.door) << what << ": door";
    EXPECT_EQ(actual.fuelFlow, expected.fuelFlow) << what << ": fuel flow";
    EXPECT_EQ(actual.oil, expected.oil) << what << ": oil pressure";
    EXPECT_EQ(actual.starter, expected.starter) << what << ": starter current";
}

// The models on a fresh stand-in host, stepped by hand in the systems
// update's order at 30 frames a second, with the snapshot's time kept as
// the flight loop keeps it.
class ApuHost : public quiltest::HostTest {
public:
    void SetUp() override {
        HostTest::SetUp();
        bindFresh();
        frame();  // the first step only initialises
    }

    void bindFresh() {
        snapshot = SimSnapshot{};
        BindSimulatorState();
        RestartElectricalModel();
        RestartApuModel();
        snapshot.oat = kOutsideAirC;
        now = standin::simTime();
        snapshot.now = now;
    }

    void frame(float dt = kFrame) {
        now += dt;
        snapshot.now = now;
        ApuUpdate();
        ElectricalStep(now);
        UpdateEngineGeneratorSources();
        EngineStartStep();
    }
    void runFor(float seconds, float dt = kFrame) {
        const int frames = static_cast<int>(std::lround(seconds / dt));
        for (int n = 0; n < frames; ++n) frame(dt);
    }
    // Frames until `done` holds; false when it does not within the limit.
    bool runUntil(const std::function<bool()>& done, float limitSeconds, float dt = kFrame) {
        const float until = now + limitSeconds;
        while (!done()) {
            if (now > until) return false;
            frame(dt);
        }
        return true;
    }

    // START, released to ON as the APU window does on mouse up, and on to
    // the governed speed.
    void startApu() {
        SetApuSwitch(kApuSwitchStart);
        frame();
        SetApuSwitch(kApuSwitchOn);
        ASSERT_TRUE(
            runUntil([] { return ApuPhase() == kApuPhaseRunning && ApuN1() > 99.0f; }, 120.0f));
        runFor(60.0f);
    }

    // External power on both transfer buses and, through transfer bus 1,
    // the AC standby bus.
    void groundPower() {
        snapshot.groundSpeed = 0.0f;
        SetGroundPowerUnitPresent(true);
        SetExternalPowerSwitch(kSwitchOn);
        frame();
        frame();
        ASSERT_TRUE(transferBusPowered(0));
        ASSERT_TRUE(transferBusPowered(1));
        ASSERT_TRUE(acStandbyBusPowered());
    }
    // Nothing at all: battery off, no ground power.
    void noPower() {
        SetBatterySwitch(false);
        frame();
        frame();
        ASSERT_FALSE(batteryOn());
        ASSERT_FALSE(transferBusPowered(0));
        ASSERT_FALSE(acStandbyBusPowered());
    }

    static void setN2(int engine, float n2) { standin::setFloat(kN2, n2, engine); }
    static void setAirborne(bool airborne) {
        standin::setFloat(kGearForce, airborne ? 0.0f : 500000.0f);
    }
    // From OFF to the position, one step at a time.
    static void moveStartSwitch(int engine, int position) {
        while (StartSwitchPosition(engine) < position) StartSwitchStepRight(engine);
        while (StartSwitchPosition(engine) > position) StartSwitchStepLeft(engine);
    }

    float now = 0.0f;
};

using Apu = ApuHost;
using EngineStart = ApuHost;

std::vector<standin::ButtonEvent> buttons() { return standin::buttonLog(); }

// ---- APU: start ------------------------------------------------------------------

TEST_F(Apu, FirstStepOnlyInitialisesAtTheOutsideTemperatureWithTheSwitchOff) {
    RestartApuModel();
    snapshot.oat = -7;
    ResetApu();  // the plug-in's start resets before the first frame
    frame();
    EXPECT_EQ(ApuSwitchPosition(), kApuSwitchOff);
    EXPECT_EQ(ApuPhase(), kApuPhaseOff);
    EXPECT_FLOAT_EQ(ApuEgt(), -7.0f);
    EXPECT_EQ(ApuN1(), 0.0f);
    EXPECT_EQ(ApuInletDoor(), 0.0f);
    runFor(10.0f);
    EXPECT_EQ(ApuPhase(), kApuPhaseOff) << "nothing starts by itself";
    EXPECT_EQ(ApuN1(), 0.0f);
    EXPECT_EQ(ApuStarterCurrent(), 0.0f);
}

TEST_F(Apu, StartOpensTheShutDoorOverTwentySecondsDrawingFiveNinetySevenAmps) {
    SetApuSwitch(kApuSwitchStart);
    EXPECT_EQ(ApuSwitchPosition(), kApuSwitchStart);
    EXPECT_EQ(ApuPhase(), kApuPhaseDoorOpening);
    const float startedAt = now;
    frame();
    EXPECT_NEAR(ApuInletDoor(), kFrame / 20.0f, 1e-6f);
    EXPECT_FLOAT_EQ(ApuStarterCurrent(), 5.97f);
    runFor(10.0f - kFrame);
    EXPECT_NEAR(ApuInletDoor(), 0.5f, 1e-3f);
    EXPECT_EQ(ApuPhase(), kApuPhaseDoorOpening);
    EXPECT_FLOAT_EQ(ApuStarterCurrent(), 5.97f);
    EXPECT_EQ(ApuN1(), 0.0f) << "nothing turns while the door opens";
    EXPECT_EQ(ApuFuelFlow(), 0.0f);

    ASSERT_TRUE(runUntil([] { return ApuPhase() == kApuPhaseStarting; }, 15.0f));
    EXPECT_NEAR(now - startedAt, 20.0f, 2.0f * kFrame);
    EXPECT_EQ(ApuInletDoor(), 1.0f);
}

TEST_F(Apu, StarterSpinsItUpLightOffAtFiftyFivePercentStartCompleteAtSixtyFive) {
    SetApuSwitch(kApuSwitchStart);
    ASSERT_TRUE(runUntil([] { return ApuPhase() == kApuPhaseStarting; }, 25.0f));
    bool lit = false;
    while (ApuPhase() == kApuPhaseStarting) {
        ASSERT_LT(now, 200.0f) << "the start never completed";
        const float n1 = ApuN1();
        const float egt = ApuEgt();
        frame();
        if (ApuPhase() == kApuPhaseRunning) {
            EXPECT_GE(n1, 65.0f) << "start complete at 65 %";
            EXPECT_EQ(ApuN1(), n1) << "the completing frame only changes state";
            break;
        }
        if (n1 < 55.0f) {
            EXPECT_EQ(ApuFuelFlow(), 0.0f) << "no fuel below 55 %, N1 " << n1;
            EXPECT_NEAR(ApuN1(), n1 + (120.0f - 0.5f * n1) * kFrame / 40.0f, 1e-4f) << n1;
            EXPECT_NEAR(ApuEgt(), (egt * 2.0f + kOutsideAirC * kFrame) / (kFrame + 2.0f), 1e-3f);
        } else {
            EXPECT_GT(ApuFuelFlow(), 0.0f) << "light-off from 55 %, N1 " << n1;
            lit = true;
            const float flow = ApuFuelFlow();
            EXPECT_NEAR(ApuN1(), n1 + (flow * 1.25f + 120.0f - 0.5f * n1) * kFrame / 40.0f, 1e-3f);
            const float flame = flow * 360.0f / (ApuN1() + 100.0f) + 268.0f;
            EXPECT_NEAR(ApuEgt(), (egt * 2.0f + flame * kFrame) / (kFrame + 2.0f), 1e-2f);
        }
        EXPECT_NEAR(ApuStarterCurrent(), 387.7f - ApuN1() * 2.13f - ApuFuelFlow() * 0.68f, 1e-3f)
            << "N1 " << ApuN1();
    }
    EXPECT_TRUE(lit);
    EXPECT_EQ(ApuPhase(), kApuPhaseRunning);
    frame();
    EXPECT_EQ(ApuStarterCurrent(), 0.0f) << "the running APU needs no starter";
}

TEST_F(Apu, GovernorHoldsNOneNearOneHundredPercentWithoutOvershoot) {
    SetApuSwitch(kApuSwitchStart);
    float highest = 0.0f;
    while (now < 200.0f) {
        frame();
        highest = std::max(highest, ApuN1());
    }
    EXPECT_EQ(ApuPhase(), kApuPhaseRunning);
    EXPECT_LE(highest, 100.5f);
    EXPECT_NEAR(ApuN1(), 100.0f, 0.1f);
    EXPECT_NEAR(ApuFuelFlow(), 40.0f, 0.5f) << "1.25 x flow balances the run-down of 50";
    EXPECT_NEAR(ApuEgt(), 40.0f * 360.0f / 145.0f + 268.0f, 1.0f);

    // Knocked down to 90 %, it comes back without going over.
    ForceApuState(90.0f, kApuPhaseRunning, 0.0f);
    highest = 0.0f;
    for (int n = 0; n < 60 * 30; ++n) {
        frame();
        highest = std::max(highest, ApuN1());
    }
    EXPECT_NEAR(ApuN1(), 100.0f, 0.1f);
    EXPECT_LE(highest, 100.5f);
}

TEST_F(Apu, SwitchBackToOnDuringTheStartMarksPhaseFourWhileTheStartCarriesOn) {
    SetApuSwitch(kApuSwitchStart);
    frame();
    const float door = ApuInletDoor();
    SetApuSwitch(kApuSwitchOn);
    EXPECT_EQ(ApuSwitchPosition(), kApuSwitchOn);
    EXPECT_EQ(ApuPhase(), kApuPhaseRunning);
    frame();
    EXPECT_GT(ApuInletDoor(), door) << "the door keeps opening";
    EXPECT_FLOAT_EQ(ApuStarterCurrent(), 5.97f);
    ASSERT_TRUE(runUntil([] { return ApuInletDoor() == 1.0f; }, 25.0f));
    EXPECT_EQ(ApuPhase(), kApuPhaseStarting);
    ASSERT_TRUE(runUntil([] { return ApuPhase() == kApuPhaseRunning; }, 60.0f));
    EXPECT_GE(ApuN1(), 65.0f);
}

TEST_F(Apu, OnFromOffMarksPhaseFourWithoutStartingAnything) {
    SetApuSwitch(kApuSwitchOn);
    EXPECT_EQ(ApuPhase(), kApuPhaseRunning);
    runFor(30.0f);
    EXPECT_EQ(ApuN1(), 0.0f);
    EXPECT_EQ(ApuInletDoor(), 0.0f);
    EXPECT_EQ(ApuStarterCurrent(), 0.0f);
}

// ---- APU: deadline ---------------------------------------------------------------

// At 4 s frames the model takes at most 1 s a frame, so the start is slow.
TEST_F(Apu, StartStillBelowSixtyFivePercentAfterNinetySecondsEndsOff) {
    SetApuSwitch(kApuSwitchStart);
    const float deadline = now + 90.0f;
    while (now + 4.0f <= deadline) {
        frame(4.0f);
        ASSERT_NE(ApuPhase(), kApuPhaseOff) << "ended early at " << now - deadline + 90.0f;
    }
    EXPECT_EQ(ApuPhase(), kApuPhaseStarting);
    EXPECT_LT(ApuN1(), 65.0f);
    frame(4.0f);
    EXPECT_EQ(ApuPhase(), kApuPhaseOff);
    frame(4.0f);
    EXPECT_EQ(ApuStarterCurrent(), 0.0f);
    for (int n = 0; n < 50; ++n) {
        const float n1 = ApuN1();
        frame(4.0f);
        EXPECT_LE(ApuN1(), n1) << "never lit, it only runs down";
        EXPECT_EQ(ApuFuelFlow(), 0.0f);
    }
    EXPECT_EQ(ApuPhase(), kApuPhaseOff) << "no second attempt";
    EXPECT_EQ(ApuInletDoor(), 0.0f);
}

TEST_F(Apu, StartAbandonedBeforeLightOffRunsDownWithoutFuel) {
    SetApuSwitch(kApuSwitchStart);
    ASSERT_TRUE(runUntil([] { return ApuN1() > 30.0f; }, 40.0f));
    SetApuSwitch(kApuSwitchOff);
    while (ApuInletDoor() > 0.0f) {
        ASSERT_LT(now, 100.0f);
        const float n1 = ApuN1();
        const float door = ApuInletDoor();
        frame();
        EXPECT_LT(ApuN1(), n1);
        EXPECT_LT(ApuInletDoor(), door);
        EXPECT_EQ(ApuFuelFlow(), 0.0f);
        EXPECT_EQ(ApuStarterCurrent(), 0.0f);
    }
}

TEST_F(Apu, DeadlinePassingDuringTheStartOrTheDoorOpeningEndsOff) {
    SetApuSwitch(kApuSwitchStart);
    ASSERT_TRUE(runUntil([] { return ApuPhase() == kApuPhaseStarting; }, 25.0f));
    frame(75.0f);
    EXPECT_EQ(ApuPhase(), kApuPhaseOff) << "while starting";
    frame();
    EXPECT_EQ(ApuStarterCurrent(), 0.0f);

    bindFresh();
    frame();
    SetApuSwitch(kApuSwitchStart);
    frame();
    frame(95.0f);
    EXPECT_EQ(ApuPhase(), kApuPhaseOff) << "while the door opens";
    EXPECT_LT(ApuInletDoor(), 1.0f);
    frame();
    EXPECT_EQ(ApuStarterCurrent(), 0.0f);
}

// ---- APU: shutdown ---------------------------------------------------------------

TEST_F(Apu, OffWhileRunningHoldsNOneUntilTheDoorHasShutThenRunsDown) {
    startApu();
    SetApuSwitch(kApuSwitchOff);
    EXPECT_EQ(ApuPhase(), kApuPhaseOff);
    EXPECT_EQ(ApuSwitchPosition(), kApuSwitchOff);
    const float stoppedAt = now;
    while (ApuInletDoor() > 0.0f) {
        ASSERT_LT(now, stoppedAt + 21.0f) << "the door never shut";
        const float door = ApuInletDoor();
        frame();
        if (ApuInletDoor() > 0.0f) {
            EXPECT_NEAR(ApuInletDoor(), door - kFrame / 20.0f, 1e-5f);
            EXPECT_NEAR(ApuN1(), 100.0f, 0.2f) << "the APU keeps turning with its door open";
            EXPECT_GT(ApuFuelFlow(), 0.0f);
        }
    }
    EXPECT_NEAR(now - stoppedAt, 20.0f, 2.0f * kFrame);
    EXPECT_EQ(ApuFuelFlow(), 0.0f);
    EXPECT_EQ(ApuStarterCurrent(), 0.0f);

    // Shut, it runs down with an 80 s time constant.
    const float shutN1 = ApuN1();
    runFor(80.0f);
    EXPECT_NEAR(ApuN1(), shutN1 * std::exp(-1.0f), 0.01f * shutN1);
    EXPECT_FALSE(ApuGeneratorAvailable());
    EXPECT_EQ(ApuFuelFlow(), 0.0f);
    const float egt = ApuEgt();
    frame();
    EXPECT_NEAR(ApuEgt(), (egt * 30.0f + kOutsideAirC * kFrame) / (kFrame + 30.0f), 1e-3f);
}

TEST_F(Apu, RunningApuThatFallsBelowFortyPercentStops) {
    startApu();
    ForceApuState(40.0f, kApuPhaseRunning, 0.0f);
    frame();
    EXPECT_EQ(ApuPhase(), kApuPhaseRunning) << "40 % is not below 40 %";
    ForceApuState(39.9f, kApuPhaseRunning, 0.0f);
    frame();
    EXPECT_EQ(ApuPhase(), kApuPhaseOff);
    frame();
    EXPECT_LT(ApuInletDoor(), 1.0f) << "off: the door closes";
}

// ---- APU: generator, oil, lights, fuel and bleed ---------------------------------

TEST_F(Apu, GeneratorFrequencyIsFourTimesNOneAndAvailableFromThreeEightyHertz) {
    SetApuSwitch(kApuSwitchStart);
    bool becameAvailable = false;
    while (now < 120.0f) {
        frame();
        EXPECT_FLOAT_EQ(ApuGeneratorFrequency(), ApuN1() * 4.0f);
        EXPECT_EQ(ApuGeneratorAvailable(), ApuN1() * 4.0f >= 380.0f) << "N1 " << ApuN1();
        becameAvailable = becameAvailable || ApuGeneratorAvailable();
    }
    EXPECT_TRUE(becameAvailable);

    const struct {
        float n1;
        bool available;
    } cases[] = {{94.9f, false}, {95.0f, true}, {100.0f, true}};
    for (const auto& c : cases) {
        ForceApuState(c.n1, kApuPhaseRunning, 0.0f);
        EXPECT_EQ(ApuGeneratorAvailable(), c.available) << "N1 " << c.n1;
    }
}

TEST_F(Apu, GeneratorVoltageRampsFromEightyFiveAndFollowsNOneAboveNinetyFive) {
    const struct {
        float n1, volts;
    } cases[] = {
        {0.0f, 0.0f},    {84.9f, 0.0f},          {85.0f, 0.0f},    {90.0f, 59.0f},
        {95.0f, 118.0f}, {95.5f, 95.5f * 1.18f}, {97.5f, 115.05f}, {100.0f, 118.0f},
    };
    for (const auto& c : cases) {
        ForceApuState(c.n1, kApuPhaseRunning, 0.0f);
        EXPECT_NEAR(ApuGeneratorVoltage(), c.volts, 1e-3f) << "N1 " << c.n1;
    }
}

TEST_F(Apu, OilPressureLagsTowardsItsTargetByThreeSeconds) {
    const struct {
        float n1, target;
    } cases[] = {{100.0f, 100.0f}, {60.0f, (60.0f - 8.3f) * 1.09573f}, {8.0f, 0.0f}};
    for (const auto& c : cases) {
        ForceApuState(c.n1, kApuPhaseOff, 0.0f);
        for (int n = 0; n < 3; ++n) {
            const float oil = ApuOilPressure();
            frame();
            // The door is shut: N1 runs down a little each frame.
            const float n1 = ApuN1();
            const float target = n1 > 95.0f ? n1 : n1 < 8.3f ? 0.0f : (n1 - 8.3f) * 1.09573f;
            EXPECT_NEAR(target, c.target, 0.01f * c.n1 + 1e-3f) << "N1 " << c.n1;
            EXPECT_NEAR(ApuOilPressure(), (oil * 3.0f + kFrame * target) / (kFrame + 3.0f), 1e-3f)
                << "N1 " << c.n1 << " frame " << n;
        }
    }
}

TEST_F(Apu, LowOilAndOverspeedLightsNeedTheSwitchOn) {
    EXPECT_FALSE(apuLowOilPressureLight()) << "switch OFF";
    SetApuSwitch(kApuSwitchOn);
    EXPECT_TRUE(apuLowOilPressureLight()) << "no pressure";
    startApu();
    EXPECT_GT(ApuOilPressure(), 35.0f);
    EXPECT_FALSE(apuLowOilPressureLight()) << "running";
    EXPECT_FALSE(apuOverspeedLight()) << "governed";

    const struct {
        int position;
        float n1;
        bool lit;
    } cases[] = {{kApuSwitchOn, 106.0f, false},
                 {kApuSwitchOn, 106.1f, true},
                 {kApuSwitchOff, 110.0f, false}};
    for (const auto& c : cases) {
        SetApuSwitch(kApuSwitchOn);
        if (c.position == kApuSwitchOff) SetApuSwitch(kApuSwitchOff);
        ForceApuState(c.n1, ApuPhase(), 0.0f);
        EXPECT_EQ(apuOverspeedLight(), c.lit) << "switch " << c.position << " N1 " << c.n1;
    }
}

TEST_F(Apu, LowOilLightGoesOutAboveThirtyFive) {
    SetApuSwitch(kApuSwitchOn);
    ForceApuState(100.0f, kApuPhaseRunning, 0.0f);
    bool wasLit = apuLowOilPressureLight();
    ASSERT_TRUE(wasLit);
    while (wasLit) {
        ASSERT_LT(now, 100.0f);
        frame();
        wasLit = apuLowOilPressureLight();
        EXPECT_EQ(wasLit, ApuOilPressure() <= 35.0f) << "oil " << ApuOilPressure();
    }
    EXPECT_GT(ApuOilPressure(), 35.0f);
}

TEST_F(Apu, FuelDemandAndBleedAvailabilityFollowFlowDoorAndNOne) {
    SetApuSwitch(kApuSwitchStart);
    bool bleed = false;
    while (now < 100.0f) {
        frame();
        EXPECT_FLOAT_EQ(ApuFuelDemand(), ApuFuelFlow() * 0.00071028f);
        EXPECT_EQ(apuBleedAvailable(), ApuInletDoor() > 0.9f && ApuN1() > 55.0f)
            << "door " << ApuInletDoor() << " N1 " << ApuN1();
        bleed = bleed || apuBleedAvailable();
    }
    EXPECT_TRUE(bleed);
    EXPECT_GT(ApuFuelDemand(), 0.0f);

    // Shutting down, the door closes on a turning APU.
    SetApuSwitch(kApuSwitchOff);
    while (ApuInletDoor() > 0.8f) {
        frame();
        ASSERT_GT(ApuN1(), 55.0f);
        EXPECT_EQ(apuBleedAvailable(), ApuInletDoor() > 0.9f) << "door " << ApuInletDoor();
    }
}

// ---- APU: simulator writes -------------------------------------------------------

// The write-back comes before the frame's APU step: the simulator sees what
// the last frame left.
TEST_F(Apu, SimulatorSeesTheApuRunningWhileItBurnsFuelAndItsNOne) {
    SetApuSwitch(kApuSwitchStart);
    bool sawRunning = false;
    while (now < 80.0f) {
        const float flow = ApuFuelFlow();
        const float n1 = ApuN1();
        frame();
        const int running = flow > 0.0f ? 1 : 0;
        EXPECT_EQ(standin::getInt(kApuRunning), running) << "flow " << flow;
        EXPECT_EQ(standin::getInt(kApuSwitch), running) << "flow " << flow;
        EXPECT_FLOAT_EQ(standin::getFloat(kApuN1), n1);
        sawRunning = sawRunning || running == 1;
    }
    EXPECT_TRUE(sawRunning);
    SetApuSwitch(kApuSwitchOff);
    runFor(25.0f);
    EXPECT_EQ(standin::getInt(kApuRunning), 0);
    EXPECT_EQ(standin::getInt(kApuSwitch), 0);
}

TEST_F(Apu, BleedAirModeComesFromTheEnginesNOneOrTheRunningApu) {
    const struct {
        float left, right;
        int phase;
        int mode;
    } cases[] = {
        {20.0f, 20.0f, kApuPhaseRunning, 2}, {20.0f, 15.0f, kApuPhaseOff, 1},
        {15.1f, 10.0f, kApuPhaseRunning, 1}, {15.0f, 25.1f, kApuPhaseOff, 3},
        {15.0f, 25.0f, kApuPhaseRunning, 4}, {15.0f, 25.0f, kApuPhaseStarting, 0},
        {0.0f, 0.0f, kApuPhaseOff, 0},       {kNaN, kNaN, kApuPhaseRunning, 4},
    };
    for (const auto& c : cases) {
        snapshot.engineN1[0] = c.left;
        snapshot.engineN1[1] = c.right;
        ForceApuState(0.0f, c.phase, 0.0f);
        ApuWriteBack();
        EXPECT_EQ(standin::getInt(kBleedAirMode), c.mode)
            << "L " << c.left << " R " << c.right << " phase " << c.phase;
    }
}

TEST_F(Apu, NothingIsWrittenWhenTheSimulatorLacksTheApuSwitchOrBleedMode) {
    for (const char* absent : {kApuSwitch, kBleedAirMode}) {
        standin::startHost(config());
        standin::markDataRefAbsent(absent);
        bindFresh();
        ForceApuState(100.0f, kApuPhaseRunning, 0.0f);
        standin::clearWriteLog();
        frame();
        for (const standin::DataRefWrite& write : standin::writeLog()) {
            for (const char* name : {kApuSwitch, kApuRunning, kApuN1, kBleedAirMode}) {
                EXPECT_NE(write.name, name) << "without " << absent;
            }
        }
        EXPECT_EQ(standin::getFloat(kApuN1), 0.0f) << "without " << absent;
    }
}

// ---- APU: reset ------------------------------------------------------------------

TEST_F(Apu, ResetStopsTheApuWhateverItWasDoing) {
    const struct {
        const char* name;
        float seconds;  // after START
    } cases[] = {{"door opening", 5.0f}, {"starting", 30.0f}, {"running", 120.0f}};
    for (const auto& c : cases) {
        bindFresh();
        frame();
        SetApuSwitch(kApuSwitchStart);
        runFor(c.seconds);
        ResetApu();
        EXPECT_EQ(ApuN1(), 0.0f) << c.name;
        EXPECT_EQ(ApuEgt(), 0.0f) << c.name;
        EXPECT_EQ(ApuInletDoor(), 0.0f) << c.name;
        EXPECT_EQ(ApuPhase(), kApuPhaseOff) << c.name;
        EXPECT_EQ(ApuSwitchPosition(), kApuSwitchOff) << c.name;
        EXPECT_EQ(ApuStarterCurrent(), 0.0f) << c.name;
        EXPECT_EQ(ApuFuelFlow(), 0.0f) << c.name;
        runFor(100.0f);
        EXPECT_EQ(ApuPhase(), kApuPhaseOff) << c.name << ": stays stopped";
        EXPECT_EQ(ApuN1(), 0.0f) << c.name << ": stays stopped";
        EXPECT_EQ(ApuStarterCurrent(), 0.0f) << c.name << ": stays stopped";
        EXPECT_FALSE(ApuGeneratorAvailable()) << c.name;
    }
}

// Switched off before the door has moved, the start leaves no starter load
// on the battery.
TEST_F(Apu, OffAtOnceAfterStartLeavesNoStarterCurrent) {
    SetApuSwitch(kApuSwitchStart);
    frame();
    ASSERT_FLOAT_EQ(ApuStarterCurrent(), 5.97f);
    SetApuSwitch(kApuSwitchOff);
    frame();
    EXPECT_EQ(ApuInletDoor(), 0.0f);
    EXPECT_EQ(ApuStarterCurrent(), 0.0f);
    runFor(5.0f);
    EXPECT_EQ(ApuStarterCurrent(), 0.0f);
}

// ---- APU: time -------------------------------------------------------------------

TEST_F(Apu, PausedFramesChangeNothing) {
    SetApuSwitch(kApuSwitchStart);
    runFor(45.0f);
    ASSERT_GT(ApuFuelFlow(), 0.0f);
    const ApuReading before = readApu();
    for (int n = 0; n < 30; ++n) frame(0.0f);
    expectSameApu(before, "paused");
}

TEST_F(Apu, TimeRunningBackwardsIntegratesNothingAndKeepsTheStartWindow) {
    SetApuSwitch(kApuSwitchStart);
    runFor(10.0f);
    const ApuReading before = readApu();
    frame(-1000.0f);
    expectSameApu(before, "backwards");
    // 80 s of the 90 s window were left: a jump of 85 s passes it.
    frame(85.0f);
    EXPECT_EQ(ApuPhase(), kApuPhaseOff);
}

TEST_F(Apu, HugeJumpsMoveTheApuByNoMoreThanOneSecondsWorth) {
    SetApuSwitch(kApuSwitchStart);
    ASSERT_TRUE(runUntil([] { return ApuPhase() == kApuPhaseStarting; }, 25.0f));
    runFor(1.0f);
    const float n1 = ApuN1();
    frame(30.0f);
    EXPECT_GT(ApuN1(), n1);
    EXPECT_LE(ApuN1(), n1 + 3.0f) << "at most 120 / 40 % in one step";

    startApu();
    frame(3600.0f);
    EXPECT_NEAR(ApuN1(), 100.0f, 5.0f);
    runFor(30.0f);
    EXPECT_NEAR(ApuN1(), 100.0f, 0.5f);
    EXPECT_TRUE(std::isfinite(ApuEgt()));
    EXPECT_TRUE(std::isfinite(ApuOilPressure()));
}

TEST_F(Apu, NonFiniteTimeAndStatesAreRefused) {
    SetApuSwitch(kApuSwitchStart);
    runFor(45.0f);
    const ApuReading before = readApu();
    StepApu(kNaN);
    StepApu(kInf);
    StepApu(-kInf);
    ForceApuState(kNaN, kApuPhaseRunning, 0.0f);
    ForceApuState(50.0f, kApuPhaseRunning, kInf);
    ForceApuState(50.0f, 1, 0.0f);
    SetApuSwitch(3);
    SetApuSwitch(-1);
    expectSameApu(before, "refused");
    snapshot.now = kNaN;
    SetApuSwitch(kApuSwitchOff);
    SetApuSwitch(kApuSwitchStart);
    EXPECT_EQ(ApuPhase(), kApuPhaseOff) << "a start needs a time to count from";
    EXPECT_EQ(ApuSwitchPosition(), kApuSwitchOff);
    frame();
    EXPECT_TRUE(std::isfinite(ApuN1()));
}

// ---- Engine start: starters ------------------------------------------------------

TEST_F(EngineStart, GroundWithoutAnyPowerDoesNotPressTheStarter) {
    noPower();
    StartSwitchStepLeft(0);
    EXPECT_EQ(StartSwitchPosition(0), kStartSwitchGround);
    EXPECT_EQ(StartSwitchShownPosition(0), kStartSwitchGround);
    runFor(2.0f);
    EXPECT_TRUE(buttons().empty());
    EXPECT_EQ(StartSwitchPosition(0), kStartSwitchGround);
    setN2(0, 60.0f);
    frame();
    EXPECT_TRUE(buttons().empty()) << "without power nothing happens, even at cut-out";
    EXPECT_EQ(StartSwitchPosition(0), kStartSwitchGround);
}

TEST_F(EngineStart, GroundPressesTheEnginesStarterButtonAndCutsOutAtFiftySixPercent) {
    for (int engine = 0; engine < 2; ++engine) {
        const int button = engine + 2;
        setN2(engine, 20.0f);
        StartSwitchStepLeft(engine);
        ASSERT_FALSE(buttons().empty()) << "engine " << engine;
        EXPECT_EQ(buttons().back().button, button) << "engine " << engine;
        EXPECT_TRUE(buttons().back().pressed) << "engine " << engine;
        EXPECT_TRUE(standin::buttonHeld(button)) << "engine " << engine;

        for (float n2 : {30.0f, 55.9f}) {
            setN2(engine, n2);
            runFor(1.0f);
            EXPECT_TRUE(standin::buttonHeld(button)) << "engine " << engine << " N2 " << n2;
            EXPECT_EQ(StartSwitchPosition(engine), kStartSwitchGround) << "N2 " << n2;
        }
        setN2(engine, 56.0f);
        const size_t events = buttons().size();
        frame();
        ASSERT_EQ(buttons().size(), events + 1) << "engine " << engine;
        EXPECT_EQ(buttons().back().button, button) << "engine " << engine;
        EXPECT_FALSE(buttons().back().pressed) << "engine " << engine;
        EXPECT_FALSE(standin::buttonHeld(button)) << "engine " << engine;
        EXPECT_EQ(StartSwitchPosition(engine), kStartSwitchOff) << "engine " << engine;
        runFor(1.0f);
        EXPECT_EQ(buttons().size(), events + 1) << "released once";
    }
}

TEST_F(EngineStart, ShownPositionLagsTheCutOutByAQuarterSecond) {
    setN2(0, 20.0f);
    StartSwitchStepLeft(0);
    runFor(1.0f);
    setN2(0, 60.0f);
    frame();
    const float cutOut = now;
    ASSERT_EQ(StartSwitchPosition(0), kStartSwitchOff);
    while (now <= cutOut + 0.25f) {
        EXPECT_EQ(StartSwitchShownPosition(0), kStartSwitchGround) << now - cutOut << " s after";
        frame();
    }
    EXPECT_EQ(StartSwitchShownPosition(0), kStartSwitchOff);
}

TEST_F(EngineStart, EachStepShowsAtOnce) {
    const struct {
        bool right;
        int position;
    } steps[] = {{true, kStartSwitchContinuous}, {true, kStartSwitchFlight},
                 {true, kStartSwitchFlight},     {false, kStartSwitchContinuous},
                 {false, kStartSwitchOff},       {false, kStartSwitchGround},
                 {false, kStartSwitchGround},    {true, kStartSwitchOff}};
    setN2(1, 20.0f);
    int n = 0;
    for (const auto& step : steps) {
        if (step.right) {
            StartSwitchStepRight(1);
        } else {
            StartSwitchStepLeft(1);
        }
        EXPECT_EQ(StartSwitchPosition(1), step.position) << "step " << n;
        EXPECT_EQ(StartSwitchShownPosition(1), step.position) << "step " << n;
        frame();
        EXPECT_EQ(StartSwitchShownPosition(1), step.position) << "step " << n << ", a frame on";
        ++n;
    }
    // GRD was reached once, and left once.
    ASSERT_EQ(buttons().size(), 2u);
    EXPECT_TRUE(buttons()[0].pressed);
    EXPECT_EQ(buttons()[0].button, 3);
    EXPECT_FALSE(buttons()[1].pressed);
    EXPECT_EQ(buttons()[1].button, 3);
    EXPECT_FALSE(standin::buttonHeld(3));
}

TEST_F(EngineStart, SimulatorsOwnStarterHoldsTheSwitchAtGroundUntilCutOut) {
    setN2(0, 20.0f);
    float duration = 0.0f;
    for (int n = 0; n < 5; ++n) {
        duration += kFrame;
        standin::setFloat(kStarterDuration, duration, 0);
        frame();
        EXPECT_TRUE(starterActive(0)) << "frame " << n;
        EXPECT_FALSE(starterActive(1)) << "frame " << n;
        EXPECT_EQ(StartSwitchPosition(0), kStartSwitchGround) << "frame " << n;
        EXPECT_EQ(StartSwitchShownPosition(0), kStartSwitchGround) << "frame " << n;
    }
    frame();
    EXPECT_FALSE(starterActive(0)) << "the duration stopped growing";
    EXPECT_EQ(StartSwitchPosition(0), kStartSwitchGround);
    setN2(0, 56.0f);
    frame();
    EXPECT_EQ(StartSwitchPosition(0), kStartSwitchOff);
    ASSERT_EQ(buttons().size(), 1u);
    EXPECT_FALSE(buttons()[0].pressed);
    EXPECT_EQ(buttons()[0].button, 2);
}

TEST_F(EngineStart, SimulatorsOwnStarterWithoutPowerLeavesTheSwitch) {
    noPower();
    standin::setFloat(kStarterDuration, 5.0f, 1);
    frame();
    EXPECT_TRUE(starterActive(1));
    EXPECT_EQ(StartSwitchPosition(1), kStartSwitchOff);
}

TEST_F(EngineStart, ResetReleasesOnlyAStarterHeldAtGround) {
    setN2(0, 20.0f);
    StartSwitchStepLeft(0);
    moveStartSwitch(1, kStartSwitchContinuous);
    const size_t events = buttons().size();
    ReleaseStarter(0);
    ReleaseStarter(1);
    ASSERT_EQ(buttons().size(), events + 1);
    EXPECT_EQ(buttons().back().button, 2);
    EXPECT_FALSE(buttons().back().pressed);
    EXPECT_EQ(StartSwitchPosition(0), kStartSwitchOff);
    EXPECT_EQ(StartSwitchPosition(1), kStartSwitchContinuous) << "not engaged";
    ReleaseStarter(2);
    ReleaseStarter(-1);
    EXPECT_EQ(buttons().size(), events + 1);

    // Without power the starter stays as it is.
    StartSwitchStepLeft(0);
    noPower();
    const size_t held = buttons().size();
    ReleaseStarter(0);
    EXPECT_EQ(buttons().size(), held);
    EXPECT_EQ(StartSwitchPosition(0), kStartSwitchGround);
}

// ---- Engine start: igniters ------------------------------------------------------

TEST_F(EngineStart, IgnitionSelectorStepsBetweenLeftAndRight) {
    EXPECT_EQ(IgnitionSelector(), kIgnitionBoth);
    IgnitionSelectorUp();
    EXPECT_EQ(IgnitionSelector(), kIgnitionRight);
    IgnitionSelectorUp();
    EXPECT_EQ(IgnitionSelector(), kIgnitionRight);
    IgnitionSelectorDown();
    IgnitionSelectorDown();
    EXPECT_EQ(IgnitionSelector(), kIgnitionLeft);
    IgnitionSelectorDown();
    EXPECT_EQ(IgnitionSelector(), kIgnitionLeft);
}

TEST_F(EngineStart, IgnitersFollowTheStartSwitchOnTheGroundAndInTheAir) {
    const struct {
        int position;
        bool airborne;
        float n2, lever;
        bool on;
    } cases[] = {
        {kStartSwitchGround, false, 20.0f, 0.67f, true},
        {kStartSwitchGround, true, 20.0f, 0.67f, true},
        {kStartSwitchGround, false, 20.0f, 0.66f, false},
        {kStartSwitchGround, true, 20.0f, 0.0f, false},
        {kStartSwitchOff, false, 20.0f, 1.0f, false},
        {kStartSwitchOff, true, 55.9f, 1.0f, true},
        {kStartSwitchOff, true, 56.0f, 1.0f, false},
        {kStartSwitchContinuous, false, 90.0f, 1.0f, true},
        {kStartSwitchContinuous, true, 55.9f, 1.0f, true},
        {kStartSwitchContinuous, true, 90.0f, 1.0f, false},
        {kStartSwitchFlight, false, 90.0f, 0.0f, true},
        {kStartSwitchFlight, true, 90.0f, 0.0f, true},
    };
    groundPower();
    for (const auto& c : cases) {
        for (int engine = 0; engine < 2; ++engine) {
            moveStartSwitch(engine, kStartSwitchOff);
            moveStartSwitch(engine, c.position);
            setN2(engine, c.n2);
            standin::setFloat(kMixture, c.lever, engine);
        }
        setAirborne(c.airborne);
        frame();
        for (int engine = 0; engine < 2; ++engine) {
            const std::string row = "switch " + std::to_string(c.position) +
                                    (c.airborne ? " airborne" : " on the ground") + " N2 " +
                                    std::to_string(c.n2) + " lever " + std::to_string(c.lever) +
                                    " engine " + std::to_string(engine);
            ASSERT_EQ(StartSwitchPosition(engine), c.position) << row;
            EXPECT_EQ(ignitionOn(engine), c.on) << row;
            EXPECT_EQ(snapshot.igniterActive[engine], c.on ? 1 : 0) << row;
            EXPECT_FLOAT_EQ(IgniterCurrent(engine), c.on ? 4.6f - 0.34f * engine : 0.0f) << row;
            EXPECT_FLOAT_EQ(RightIgniterCurrent(engine), c.on ? 4.3f + 0.24f * engine : 0.0f)
                << row;
        }
    }
}

TEST_F(EngineStart, OneThousandNewtonsOnTheGearCountsAsAirborne) {
    groundPower();
    setN2(0, 20.0f);
    for (const auto& [force, on] : {std::pair{1000.0f, true}, {1000.5f, false}}) {
        standin::setFloat(kGearForce, force);
        frame();
        EXPECT_EQ(ignitionOn(0), on) << "switch OFF, gear force " << force;
    }
}

TEST_F(EngineStart, SelectorAndTheirBusesChooseTheIgniters) {
    enum Power { Ground, BatteryOnly, StandbyOff };
    const struct {
        Power power;
        int selector;
        bool left, right;
    } cases[] = {
        {Ground, kIgnitionLeft, true, false},       {Ground, kIgnitionBoth, true, true},
        {Ground, kIgnitionRight, false, true},      {BatteryOnly, kIgnitionBoth, false, true},
        {BatteryOnly, kIgnitionLeft, false, false}, {StandbyOff, kIgnitionBoth, true, false},
        {StandbyOff, kIgnitionRight, false, false},
    };
    for (const auto& c : cases) {
        bindFresh();
        frame();
        if (c.power != BatteryOnly) groundPower();
        if (c.power == StandbyOff) SetStandbyPowerSwitch(kStandbyOff);
        while (IgnitionSelector() < c.selector) IgnitionSelectorUp();
        while (IgnitionSelector() > c.selector) IgnitionSelectorDown();
        moveStartSwitch(0, kStartSwitchFlight);
        moveStartSwitch(1, kStartSwitchFlight);
        frame();
        frame();
        for (int engine = 0; engine < 2; ++engine) {
            const std::string row = "power " + std::to_string(c.power) + " selector " +
                                    std::to_string(c.selector) + " engine " +
                                    std::to_string(engine);
            EXPECT_FLOAT_EQ(IgniterCurrent(engine), c.left ? 4.6f - 0.34f * engine : 0.0f) << row;
            EXPECT_FLOAT_EQ(RightIgniterCurrent(engine), c.right ? 4.3f + 0.24f * engine : 0.0f)
                << row;
            EXPECT_EQ(ignitionOn(engine), c.left || c.right) << row;
        }
    }
}

TEST_F(EngineStart, EachLeftIgniterNeedsItsOwnEnginesTransferBus) {
    setN2(0, 60.0f);
    SetGeneratorsRunning();
    runFor(10.0f);
    SetBusTransferSwitch(kBusTransferOff);
    SetGeneratorSwitch(0, kSwitchOn);
    frame();
    ASSERT_TRUE(transferBusPowered(0));
    ASSERT_FALSE(transferBusPowered(1));
    moveStartSwitch(0, kStartSwitchFlight);
    moveStartSwitch(1, kStartSwitchFlight);
    frame();
    EXPECT_FLOAT_EQ(IgniterCurrent(0), 4.6f);
    EXPECT_EQ(IgniterCurrent(1), 0.0f);
    // Bus 2 down and bus 1 up: the standby relays feed the AC standby bus
    // from neither.
    ASSERT_FALSE(acStandbyBusPowered());
    EXPECT_EQ(RightIgniterCurrent(0), 0.0f);
    EXPECT_EQ(RightIgniterCurrent(1), 0.0f);
}

TEST_F(EngineStart, LeftIgnitersLoadTheirTransferBuses) {
    groundPower();
    frame();
    const float before[2] = {transferBusLoad(0), transferBusLoad(1)};
    moveStartSwitch(0, kStartSwitchFlight);
    moveStartSwitch(1, kStartSwitchFlight);
    frame();  // the igniters come on after this frame's electrical step
    frame();
    EXPECT_NEAR(transferBusLoad(0) - before[0], 4.6f, 1e-4f);
    EXPECT_NEAR(transferBusLoad(1) - before[1], 4.26f, 1e-4f);
}

TEST_F(EngineStart, SimulatorIgnitersStayOnEveryFrame) {
    for (int engine = 0; engine < 2; ++engine) standin::setInt(kIgnitersOn, 0, engine);
    noPower();
    EXPECT_FALSE(ignitionOn(0));
    for (int engine = 0; engine < 2; ++engine) {
        EXPECT_EQ(standin::getInt(kIgnitersOn, engine), 1) << "engine " << engine;
        EXPECT_EQ(snapshot.igniterActive[engine], 0) << "engine " << engine;
    }
}

// ---- Engine start: time and bad input --------------------------------------------

TEST_F(EngineStart, TimeRunningBackwardsKeepsTheShownPositionsQuarterSecond) {
    setN2(0, 20.0f);
    StartSwitchStepLeft(0);
    runFor(1.0f);
    setN2(0, 60.0f);
    frame();
    ASSERT_EQ(StartSwitchShownPosition(0), kStartSwitchGround);
    frame(-100.0f);
    EXPECT_EQ(StartSwitchShownPosition(0), kStartSwitchGround);
    runFor(0.3f);
    EXPECT_EQ(StartSwitchShownPosition(0), kStartSwitchOff);
}

TEST_F(EngineStart, NonFiniteTimeAndSimulatorValuesAreHarmless) {
    setN2(0, 20.0f);
    StartSwitchStepLeft(0);
    StepEngineStart(kNaN);
    StepEngineStart(kInf);
    EXPECT_EQ(StartSwitchPosition(0), kStartSwitchGround);
    setN2(0, kNaN);
    standin::setFloat(kStarterDuration, kNaN, 1);
    standin::setFloat(kMixture, kNaN, 0);
    frame();
    EXPECT_TRUE(standin::buttonHeld(2)) << "an unknown N2 is no cut-out";
    EXPECT_FALSE(starterActive(1));
    EXPECT_FALSE(ignitionOn(0)) << "an unknown start lever is cut off";
    snapshot.now = kNaN;
    StartSwitchStepRight(0);
    EXPECT_EQ(StartSwitchShownPosition(0), kStartSwitchOff);
    frame();
    EXPECT_EQ(StartSwitchShownPosition(0), kStartSwitchOff);
}

// ---- The whole plug-in -----------------------------------------------------------

class ApuPlugin : public quiltest::HostTest {};

TEST_F(ApuPlugin, WritesTheStoppedApuAndLetsGoOfTheSimulatorsStarterAtCutOut) {
    standin::setAircraft(quiltest::makeAircraft(quiltest::TestAircraft{}));
    quiltest::SetEngine1N2(quiltest::kHotResetN2);
    load(quiltest::pluginPath());
    standin::setFloat(kN1, 20.0f, 0);
    standin::setFloat(kN1, 20.0f, 1);
    standin::runSeconds(2.0);
    quiltest::SetEngine1N2(0.0f);
    EXPECT_EQ(standin::getInt(kApuSwitch), 0);
    EXPECT_EQ(standin::getInt(kApuRunning), 0);
    EXPECT_EQ(standin::getFloat(kApuN1), 0.0f);
    EXPECT_EQ(standin::getInt(kBleedAirMode), 2) << "both engines above 15 % N1";
    EXPECT_EQ(standin::getInt(kIgnitersOn, 0), 1);
    EXPECT_EQ(standin::getInt(kIgnitersOn, 1), 1);

    // The simulator's own starter on engine 2, already at 60 % N2.
    standin::setFloat(kN2, 60.0f, 1);
    standin::setFloat(kStarterDuration, 1.0f, 1);
    standin::runFrames(2);
    ASSERT_FALSE(standin::buttonLog().empty());
    EXPECT_EQ(standin::buttonLog().back().button, 3);
    EXPECT_FALSE(standin::buttonLog().back().pressed);
}

}  // namespace
