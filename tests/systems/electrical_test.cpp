// The electrical power system: generators and their frequency, the transfer
// buses' first-match sources, every switch's breaker logic, TRUs and the
// TRU 3 cross-feed, the DC cross-tie, battery and charger, external power,
// standby power and its relays, loads, lights, the simulator's switches, the
// resets, and time that pauses, jumps or runs backwards.
#include "systems/electrical.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "host/served_aircraft.h"
#include "host/snapshot_read.h"
#include "sim/random.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/apu_forcing.h"
#include "support/host_fixture.h"
#include "support/test_aircraft.h"
#include "systems/anti_ice.h"
#include "systems/apu.h"
#include "systems/fuel.h"
#include "windows/overhead.h"

namespace {

using namespace quil;

constexpr float kFrame = 1.0f / 30.0f;
constexpr float kGovernedHz = 398.7f;
constexpr float kJitterHz = 2.5f;
constexpr float kTruFactorLow = (1.0f - 0.0065f) / 4.1f;
constexpr float kTruFactorHigh = (1.0f + 0.0065f) / 4.1f;

constexpr const char* kN2 = "sim/flightmodel/engine/ENGN_N2_";
constexpr const char* kBatteryArray = "sim/cockpit/electrical/battery_array_on";
constexpr const char* kBatteryOn = "sim/cockpit/electrical/battery_on";
constexpr const char* kGeneratorOn = "sim/cockpit/electrical/generator_on";
constexpr const char* kAvionicsOn = "sim/cockpit/electrical/avionics_on";
constexpr const char* kInverterOn = "sim/cockpit/engine/inverter_on";
constexpr const char* kBatteryVolts = "sim/flightmodel/engine/ENGN_bat_volt";

// The model on a fresh stand-in host, stepped by hand at 30 frames a
// second; the models it reads that are not built yet stand neutral, and the
// APU stands still unless a test runs it on its own clock.
class Electrical : public quiltest::HostTest {
public:
    void SetUp() override {
        HostTest::SetUp();
        snapshot = SimSnapshot{};
        BindSimulatorState();
        RestartFuelModel();
        SeedRandom(20240611u);
        RestartElectricalModel();
        now = standin::simTime();
        restartApu();
        step();  // the first step only initialises
    }

    void step(float dt = kFrame) {
        now += dt;
        ElectricalStep(now);
        UpdateEngineGeneratorSources();
    }
    void runFor(float seconds, float dt = kFrame) {
        const int steps = static_cast<int>(std::lround(seconds / dt));
        for (int n = 0; n < steps; ++n) step(dt);
    }
    // The engines' speeds, fed to the generators at once.
    void setN2(float left, float right) {
        standin::setFloat(kN2, left, 0);
        standin::setFloat(kN2, right, 1);
        UpdateEngineGeneratorSources();
    }
    // Both engines at N2 60 after the running reset: both generators on
    // their own buses, both tie breakers closed.
    void hotStart() {
        setN2(60.0f, 60.0f);
        SetGeneratorsRunning();
        ResetDriveGenerators();
        SetElectricalChannels(true);
        step();
        step();
    }
    void connectGroundPower() {
        snapshot.groundSpeed = 0.0f;
        SetGroundPowerUnitPresent(true);
    }
    // Down to an open-circuit voltage of 22 V or less, then unloaded.
    void drainBattery() {
        setStarterLoad(400.0f);
        while (batteryOpenCircuitVoltage() > 22.0f && now < 1000.0f) step(1.0f);
        setStarterLoad(0.0f);
        step();
    }

    // The APU at a standstill, its first step taken.
    void restartApu() {
        RestartApuModel();
        apuNow = now;
        stepApu();
    }
    void stepApu() {
        apuNow += kFrame;
        snapshot.now = apuNow;
        StepApu(apuNow);
    }
    // APU frames until `done` holds, at least one.
    void runApuUntil(const std::function<bool()>& done) {
        const float until = apuNow + 200.0f;
        do {
            stepApu();
        } while (!done() && apuNow < until);
        ASSERT_TRUE(done()) << "the APU never got there";
    }
    // The APU started and run up until its generator is available, or
    // switched off and run down until it is lost; either way held there.
    void setApuGenerator(bool running) {
        snapshot.now = apuNow;
        SetApuSwitch(running ? kApuSwitchStart : kApuSwitchOff);
        runApuUntil([running] { return ApuGeneratorAvailable() == running; });
    }
    // A battery load that no APU start draws for long: the starter current
    // held at a value, with the APU stopped.
    static void setStarterLoad(float amps, int phase = kApuPhaseOff) {
        ForceApuState(0.0f, phase, amps);
    }

    float now = 0.0f;
    float apuNow = 0.0f;  // the APU's own clock
};

// ---- Generators --------------------------------------------------------------

TEST_F(Electrical, GeneratorAtN2FortySevenTargetsTwoHundredHertzAndIsNotAvailable) {
    setN2(47.0f, 47.0f);
    runFor(20.0f);
    for (int side = 0; side < 2; ++side) {
        EXPECT_GE(generatorFrequency(side), 200.0f) << "side " << side;
        EXPECT_LE(generatorFrequency(side), 200.0f + kJitterHz) << "side " << side;
        EXPECT_FALSE(generatorAvailable(side)) << "side " << side;
        SetGeneratorSwitch(side, kSwitchOn);
        EXPECT_FALSE(generatorBreakerClosed(side)) << "side " << side;
        EXPECT_EQ(standin::getInt(kGeneratorOn, side), 0) << "side " << side;
    }
}

TEST_F(Electrical, GeneratorAtN2FortyNineOrMoreSettlesNearFourHundredHertzAndGoesOnLine) {
    for (float n2 : {49.0f, 60.0f, 101.0f}) {
        RestartElectricalModel();
        step();
        setN2(n2, n2);
        runFor(20.0f);
        for (int side = 0; side < 2; ++side) {
            EXPECT_GE(generatorFrequency(side), kGovernedHz) << "N2 " << n2 << " side " << side;
            EXPECT_LE(generatorFrequency(side), kGovernedHz + kJitterHz)
                << "N2 " << n2 << " side " << side;
            EXPECT_TRUE(generatorAvailable(side)) << "N2 " << n2 << " side " << side;
            SetGeneratorSwitch(side, kSwitchOn);
            EXPECT_TRUE(generatorBreakerClosed(side)) << "N2 " << n2 << " side " << side;
            EXPECT_EQ(standin::getInt(kGeneratorOn, side), 1) << "N2 " << n2 << " side " << side;
        }
        step();
        EXPECT_TRUE(transferBusPowered(0)) << "N2 " << n2;
        EXPECT_TRUE(transferBusPowered(1)) << "N2 " << n2;
    }
}

// Frequency <- (frequency (1.5 - dt) + dt target) / 1.5, the target
// carrying a jitter of up to 2.5 Hz.
TEST_F(Electrical, FrequencyLagsItsTargetByOneAndAHalfSeconds) {
    setN2(47.0f, 47.0f);
    step();  // the spool-up term of the first sight of N2 passes
    for (int n = 0; n < 30; ++n) {
        const float before = generatorFrequency(0);
        step();
        const float low = (before * (1.5f - kFrame) + kFrame * 200.0f) / 1.5f;
        const float high = (before * (1.5f - kFrame) + kFrame * (200.0f + kJitterHz)) / 1.5f;
        EXPECT_GE(generatorFrequency(0), low - 1e-3f) << "frame " << n;
        EXPECT_LE(generatorFrequency(0), high + 1e-3f) << "frame " << n;
    }
}

TEST_F(Electrical, SpoolingUpRaisesTheTargetByTheN2GainedPerSecond) {
    setN2(47.0f, 47.0f);
    runFor(20.0f);
    const float before = generatorFrequency(0);
    setN2(48.0f, 47.0f);
    step();
    // 1 % in one frame adds 0.3 / (1/30) = 9 Hz to the 300 Hz target.
    const float target = 300.0f + 1.0f * 0.3f / (kFrame + 0.00001f);
    const float low = (before * (1.5f - kFrame) + kFrame * target) / 1.5f;
    EXPECT_GE(generatorFrequency(0), low - 1e-3f);
    EXPECT_LE(generatorFrequency(0), low + kFrame * kJitterHz / 1.5f + 1e-3f);
}

TEST_F(Electrical, GeneratorVoltageIsItsEmfLessItsLoadThroughThirtyMilliohms) {
    hotStart();
    const float load = transferBusLoad(0);
    ASSERT_GT(load, 0.0f);
    step();
    EXPECT_FLOAT_EQ(generatorLoad(0), load);
    EXPECT_NEAR(generatorVoltage(0), generatorFrequency(0) * 0.295f - 0.03f * load, 1e-3f);
}

TEST_F(Electrical, DisconnectedDriveLetsItsGeneratorRunDownUntilTheReset) {
    hotStart();
    DisconnectGeneratorDrive(0);
    EXPECT_FALSE(generatorDriveConnected(0));
    runFor(15.0f);
    EXPECT_LE(generatorFrequency(0), kJitterHz);
    EXPECT_FALSE(generatorBreakerClosed(0)) << "the breaker opens once the generator is lost";
    EXPECT_TRUE(generatorAvailable(1));
    ResetDriveGenerators();
    runFor(15.0f);
    EXPECT_TRUE(generatorDriveConnected(0));
    EXPECT_GE(generatorFrequency(0), kGovernedHz);
}

// ---- Time ----------------------------------------------------------------------

TEST_F(Electrical, LongFrameLandsTheFrequencyOnItsTargetNotBeyondIt) {
    struct Case {
        const char* name;
        float startN2, jumpN2;
        bool running;
        float low, high;
    } cases[] = {
        {"spooling up", 60.0f, 60.0f, false, kGovernedHz, kGovernedHz + kJitterHz},
        {"running down", 0.0f, 0.0f, true, 0.0f, kJitterHz},
    };
    for (const Case& c : cases) {
        RestartElectricalModel();
        step();
        setN2(c.startN2, c.startN2);
        if (c.running) SetGeneratorsRunning();
        step();
        for (float jump : {5.0f, 600.0f, 1.5f}) {
            step(jump);
            EXPECT_GE(generatorFrequency(0), c.low) << c.name << ", jump " << jump;
            EXPECT_LE(generatorFrequency(0), c.high) << c.name << ", jump " << jump;
        }
    }
}

TEST_F(Electrical, PausedFramesChangeNeitherFrequencyNorCharge) {
    setN2(47.0f, 47.0f);
    setStarterLoad(300.0f);
    step();
    const float frequency = generatorFrequency(0);
    const float charge = batteryCharge();
    for (int n = 0; n < 10; ++n) step(0.0f);
    EXPECT_FLOAT_EQ(generatorFrequency(0), frequency);
    EXPECT_FLOAT_EQ(batteryCharge(), charge);
}

TEST_F(Electrical, TimeRunningBackwardsIntegratesNothingAndLaterFramesCarryOn) {
    setStarterLoad(300.0f);
    step();
    const float charge = batteryCharge();
    step(-50.0f);
    EXPECT_FLOAT_EQ(batteryCharge(), charge);
    step(1.0f);
    EXPECT_NEAR(batteryCharge(), charge - 300.0f / (40.0f * 3600.0f), 1e-6f);
}

TEST_F(Electrical, AHugeTimeJumpCountsAsTenSeconds) {
    setStarterLoad(300.0f);
    step();
    const float charge = batteryCharge();
    step(3600.0f);
    EXPECT_NEAR(batteryCharge(), charge - 300.0f * 10.0f / (40.0f * 3600.0f), 1e-5f);
}

TEST_F(Electrical, NonFiniteTimeAndInputsLeaveTheModelSound) {
    hotStart();
    ElectricalStep(std::numeric_limits<float>::quiet_NaN());
    ElectricalStep(std::numeric_limits<float>::infinity());
    standin::setFloat(kN2, std::numeric_limits<float>::quiet_NaN(), 0);
    standin::setFloat(kN2, 1e30f, 1);
    // The APU refuses what it cannot be, and keeps its values finite.
    setStarterLoad(std::numeric_limits<float>::infinity());
    ForceApuState(std::numeric_limits<float>::quiet_NaN(), kApuPhaseRunning, 0.0f);
    StepApu(std::numeric_limits<float>::quiet_NaN());
    StepApu(std::numeric_limits<float>::infinity());
    UpdateEngineGeneratorSources();
    runFor(2.0f);
    for (int side = 0; side < 2; ++side) {
        EXPECT_TRUE(std::isfinite(generatorFrequency(side))) << "side " << side;
        EXPECT_TRUE(std::isfinite(transferBusLoadedVoltage(side))) << "side " << side;
        EXPECT_TRUE(std::isfinite(standin::getFloat(kBatteryVolts, side))) << "side " << side;
    }
    EXPECT_TRUE(std::isfinite(batteryVoltage()));
    EXPECT_TRUE(std::isfinite(dcBusVoltage(0)));
    EXPECT_TRUE(std::isfinite(acStandbyBusVoltage()));
}

// ---- Transfer buses ------------------------------------------------------------

TEST_F(Electrical, EachSourceFeedsTheBusWithItsOwnVoltageAndFrequency) {
    struct Case {
        const char* name;
        std::function<void(Electrical&)> setUp;
        std::function<float()> voltage, frequency;
    } cases[] = {
        {"own generator", [](Electrical& t) { t.hotStart(); }, [] { return generatorVoltage(0); },
         [] { return generatorFrequency(0); }},
        {"other generator through both ties",
         [](Electrical& t) {
             t.hotStart();
             SetGeneratorSwitch(0, kSwitchOff);
         },
         [] { return generatorVoltage(1); }, [] { return generatorFrequency(1); }},
        {"APU generator",
         [](Electrical& t) {
             t.setApuGenerator(true);
             SetApuGeneratorSwitch(0, kSwitchOn);
         },
         [] { return ApuGeneratorVoltage(); }, [] { return ApuGeneratorFrequency(); }},
        {"external power",
         [](Electrical& t) {
             t.connectGroundPower();
             SetExternalPowerSwitch(kSwitchOn);
         },
         [] { return externalPowerVoltage(); }, [] { return externalPowerFrequency(); }},
    };
    for (const Case& c : cases) {
        RestartElectricalModel();
        step();
        c.setUp(*this);
        step();
        EXPECT_TRUE(transferBusPowered(0)) << c.name;
        EXPECT_FLOAT_EQ(transferBusVoltage(0), c.voltage()) << c.name;
        EXPECT_FLOAT_EQ(transferBusFrequency(0), c.frequency()) << c.name;
    }
}

TEST_F(Electrical, UnpoweredBusHasNoVoltageFrequencyOrLoad) {
    step();
    for (int side = 0; side < 2; ++side) {
        EXPECT_FALSE(transferBusPowered(side)) << "side " << side;
        EXPECT_EQ(transferBusVoltage(side), 0.0f) << "side " << side;
        EXPECT_EQ(transferBusFrequency(side), 0.0f) << "side " << side;
        EXPECT_EQ(transferBusLoad(side), 0.0f) << "side " << side;
    }
}

TEST_F(Electrical, GeneratorOneAloneFeedsBothBusesOnlyThroughBothTieBreakers) {
    setN2(60.0f, 0.0f);
    runFor(10.0f);
    SetBusTransferSwitch(kBusTransferAuto);
    SetGeneratorSwitch(0, kSwitchOn);
    step();
    EXPECT_TRUE(transferBusPowered(0));
    EXPECT_TRUE(transferBusPowered(1));
    EXPECT_FLOAT_EQ(transferBusFrequency(1), generatorFrequency(0));

    SetBusTransferSwitch(kBusTransferOff);
    EXPECT_FALSE(busTieBreakerClosed(0));
    EXPECT_FALSE(busTieBreakerClosed(1));
    step();
    EXPECT_TRUE(transferBusPowered(0));
    EXPECT_FALSE(transferBusPowered(1));
    EXPECT_FALSE(tru3FedFromBus1()) << "bus transfer OFF keeps TRU 3 off bus 1";
    EXPECT_FALSE(tru3Powered());
    EXPECT_FALSE(dcBusPowered(1));
}

TEST_F(Electrical, LoadedVoltageAndSupplyRatioTakeTheBusLoadThroughFifteenMilliohms) {
    hotStart();
    step();
    for (int side = 0; side < 2; ++side) {
        const float loaded = transferBusVoltage(side) - transferBusLoad(side) * 0.015f;
        EXPECT_FLOAT_EQ(transferBusLoadedVoltage(side), loaded) << "side " << side;
        EXPECT_FLOAT_EQ(transferBusSupplyRatio(side), loaded / 115.0f) << "side " << side;
    }
}

// ---- Switches ------------------------------------------------------------------

struct BreakerState {
    bool generator0, generator1, tie0, tie1, apuSelected, externalOnLine;
};

BreakerState breakers() {
    return {generatorBreakerClosed(0), generatorBreakerClosed(1), busTieBreakerClosed(0),
            busTieBreakerClosed(1),    apuGeneratorSelected(),    externalPowerOnLine()};
}

void expectBreakers(const BreakerState& expected, const char* name) {
    const BreakerState actual = breakers();
    EXPECT_EQ(actual.generator0, expected.generator0) << name << ": generator breaker 1";
    EXPECT_EQ(actual.generator1, expected.generator1) << name << ": generator breaker 2";
    EXPECT_EQ(actual.tie0, expected.tie0) << name << ": tie breaker 1";
    EXPECT_EQ(actual.tie1, expected.tie1) << name << ": tie breaker 2";
    EXPECT_EQ(actual.apuSelected, expected.apuSelected) << name << ": APU generator selected";
    EXPECT_EQ(actual.externalOnLine, expected.externalOnLine) << name << ": external power on line";
}

struct SwitchCase {
    const char* name;
    std::function<void(Electrical&)> setUp;
    std::function<void()> operate;
    BreakerState expected;
};

class ElectricalSwitches : public Electrical {
protected:
    void check(const SwitchCase& c) {
        RestartElectricalModel();
        step();
        setN2(60.0f, 60.0f);
        SetGeneratorsRunning();
        restartApu();
        c.setUp(*this);
        c.operate();
        expectBreakers(c.expected, c.name);
    }
};

TEST_F(ElectricalSwitches, GeneratorSwitchClosesItsBreakerByTheTieRules) {
    const SwitchCase cases[] = {
        {"centre only moves the switch",
         [](Electrical&) { SetBusTransferSwitch(kBusTransferAuto); },
         [] { SetGeneratorSwitch(0, kSwitchCentre); },
         {false, false, true, true, false, false}},
        {"takes external power off line",
         [](Electrical& t) {
             t.connectGroundPower();
             SetExternalPowerSwitch(kSwitchOn);
         },
         [] { SetGeneratorSwitch(0, kSwitchOn); },
         {true, false, true, true, false, false}},
        {"APU deselected and both ties closed when the other generator is on",
         [](Electrical& t) {
             t.setApuGenerator(true);
             SetBusTransferSwitch(kBusTransferAuto);
             SetGeneratorSwitch(1, kSwitchOn);
             SetApuGeneratorSwitch(0, kSwitchOn);  // opens tie 2 against generator 2
         },
         [] { SetGeneratorSwitch(0, kSwitchOn); },
         {true, true, true, true, false, false}},
        {"bus transfer OFF opens its own tie",
         [](Electrical& t) {
             t.setApuGenerator(true);
             SetBusTransferSwitch(kBusTransferAuto);
             SetApuGeneratorSwitch(0, kSwitchOn);
             SetBusTransferSwitch(kBusTransferOff);  // the ties stay closed for the APU
         },
         [] { SetGeneratorSwitch(0, kSwitchOn); },
         {true, false, false, true, true, false}},
        {"AUTO with the other generator off opens its own tie while the APU is selected",
         [](Electrical& t) {
             t.setApuGenerator(true);
             SetBusTransferSwitch(kBusTransferAuto);
             SetApuGeneratorSwitch(1, kSwitchOn);
         },
         [] { SetGeneratorSwitch(0, kSwitchOn); },
         {true, false, false, true, true, false}},
        {"AUTO with the other generator off and no APU leaves the ties",
         [](Electrical&) { SetBusTransferSwitch(kBusTransferAuto); },
         [] { SetGeneratorSwitch(0, kSwitchOn); },
         {true, false, true, true, false, false}},
        {"OFF opens the breaker",
         [](Electrical&) {
             SetBusTransferSwitch(kBusTransferAuto);
             SetGeneratorSwitch(0, kSwitchOn);
         },
         [] { SetGeneratorSwitch(0, kSwitchOff); },
         {false, false, true, true, false, false}},
    };
    for (const SwitchCase& c : cases) check(c);
}

TEST_F(ElectricalSwitches, GeneratorSwitchWritesItsBreakerToTheSimulatorOnEveryCall) {
    setN2(60.0f, 60.0f);
    SetGeneratorsRunning();
    for (const auto& [position, written] :
         {std::pair{kSwitchOn, 1}, {kSwitchCentre, 1}, {kSwitchOff, 0}}) {
        standin::setInt(kGeneratorOn, 7, 1);
        SetGeneratorSwitch(1, position);
        EXPECT_EQ(standin::getInt(kGeneratorOn, 1), written) << "position " << position;
        EXPECT_EQ(generatorSwitchPosition(1), position);
    }
}

TEST_F(ElectricalSwitches, ApuGeneratorSwitchSelectsAndReleasesTheApu) {
    const SwitchCase cases[] = {
        {"ON refused without the APU generator",
         [](Electrical&) { SetBusTransferSwitch(kBusTransferAuto); },
         [] { SetApuGeneratorSwitch(0, kSwitchOn); },
         {false, false, true, true, false, false}},
        {"ON with the other breaker open keeps the other tie",
         [](Electrical& t) {
             t.setApuGenerator(true);
             SetBusTransferSwitch(kBusTransferAuto);
             SetGeneratorSwitch(0, kSwitchOn);
         },
         [] { SetApuGeneratorSwitch(0, kSwitchOn); },
         {false, false, true, true, true, false}},
        {"ON with the other breaker closed opens the other tie",
         [](Electrical& t) {
             t.setApuGenerator(true);
             SetBusTransferSwitch(kBusTransferAuto);
             SetGeneratorSwitch(1, kSwitchOn);
         },
         [] { SetApuGeneratorSwitch(0, kSwitchOn); },
         {false, true, true, false, true, false}},
        {"ON takes external power off line",
         [](Electrical& t) {
             t.setApuGenerator(true);
             t.connectGroundPower();
             SetExternalPowerSwitch(kSwitchOn);
         },
         [] { SetApuGeneratorSwitch(1, kSwitchOn); },
         {false, false, true, true, true, false}},
        {"OFF while the APU also feeds the other side opens only this tie",
         [](Electrical& t) {
             t.setApuGenerator(true);
             SetBusTransferSwitch(kBusTransferAuto);
             SetApuGeneratorSwitch(0, kSwitchOn);
             SetApuGeneratorSwitch(1, kSwitchOn);
         },
         [] { SetApuGeneratorSwitch(0, kSwitchOff); },
         {false, false, false, true, true, false}},
        {"OFF with the other tie open deselects the APU and AUTO closes both ties",
         [](Electrical& t) {
             t.setApuGenerator(true);
             SetBusTransferSwitch(kBusTransferAuto);
             SetGeneratorSwitch(1, kSwitchOn);
             SetApuGeneratorSwitch(0, kSwitchOn);
         },
         [] { SetApuGeneratorSwitch(0, kSwitchOff); },
         {false, true, true, true, false, false}},
        {"OFF with bus transfer OFF deselects the APU and leaves the ties",
         [](Electrical& t) {
             t.setApuGenerator(true);
             SetBusTransferSwitch(kBusTransferOff);
             SetApuGeneratorSwitch(0, kSwitchOn);
         },
         [] { SetApuGeneratorSwitch(0, kSwitchOff); },
         {false, false, true, false, false, false}},
    };
    for (const SwitchCase& c : cases) check(c);
}

TEST_F(ElectricalSwitches, ExternalPowerSwitchPutsTheUnitOnAndOffLine) {
    const SwitchCase cases[] = {
        {"ON refused without a unit (no EMF above 100 V)",
         [](Electrical&) { SetBusTransferSwitch(kBusTransferOff); },
         [] { SetExternalPowerSwitch(kSwitchOn); },
         {false, false, false, false, false, false}},
        {"ON deselects the APU, opens both generators and closes both ties",
         [](Electrical& t) {
             t.setApuGenerator(true);
             t.connectGroundPower();
             SetBusTransferSwitch(kBusTransferOff);
             SetGeneratorSwitch(0, kSwitchOn);
             SetApuGeneratorSwitch(1, kSwitchOn);
         },
         [] { SetExternalPowerSwitch(kSwitchOn); },
         {false, false, true, true, false, true}},
        {"OFF with bus transfer OFF opens both ties",
         [](Electrical& t) {
             t.connectGroundPower();
             SetBusTransferSwitch(kBusTransferOff);
             SetExternalPowerSwitch(kSwitchOn);
         },
         [] { SetExternalPowerSwitch(kSwitchOff); },
         {false, false, false, false, false, false}},
        {"OFF with bus transfer AUTO keeps both ties closed",
         [](Electrical& t) {
             t.connectGroundPower();
             SetBusTransferSwitch(kBusTransferAuto);
             SetExternalPowerSwitch(kSwitchOn);
         },
         [] { SetExternalPowerSwitch(kSwitchOff); },
         {false, false, true, true, false, false}},
    };
    for (const SwitchCase& c : cases) check(c);
}

TEST_F(ElectricalSwitches, BusTransferSwitchSetsBothTiesAndDropsTheApuBesideAGenerator) {
    const SwitchCase cases[] = {
        {"AUTO closes both ties",
         [](Electrical&) { SetBusTransferSwitch(kBusTransferOff); },
         [] { SetBusTransferSwitch(kBusTransferAuto); },
         {false, false, true, true, false, false}},
        {"OFF opens both ties",
         [](Electrical&) { SetBusTransferSwitch(kBusTransferAuto); },
         [] { SetBusTransferSwitch(kBusTransferOff); },
         {false, false, false, false, false, false}},
        {"OFF keeps the ties closed for external power",
         [](Electrical& t) {
             t.connectGroundPower();
             SetExternalPowerSwitch(kSwitchOn);
         },
         [] { SetBusTransferSwitch(kBusTransferOff); },
         {false, false, true, true, false, true}},
        {"OFF keeps the ties closed for the APU alone",
         [](Electrical& t) {
             t.setApuGenerator(true);
             SetBusTransferSwitch(kBusTransferAuto);
             SetApuGeneratorSwitch(0, kSwitchOn);
         },
         [] { SetBusTransferSwitch(kBusTransferOff); },
         {false, false, true, true, true, false}},
        {"a closed generator breaker deselects the APU",
         [](Electrical& t) {
             t.setApuGenerator(true);
             SetBusTransferSwitch(kBusTransferAuto);
             SetApuGeneratorSwitch(0, kSwitchOn);
             SetGeneratorSwitch(1, kSwitchOn);
         },
         [] { SetBusTransferSwitch(kBusTransferOff); },
         {false, true, false, false, false, false}},
    };
    for (const SwitchCase& c : cases) check(c);
}

TEST_F(Electrical, SpringLoadedSwitchesRecordTheirPositionsAndRefuseNonsense) {
    SetApuGeneratorSwitch(1, kSwitchOff);
    SetExternalPowerSwitch(kSwitchOn);
    EXPECT_EQ(apuGeneratorSwitchPosition(1), kSwitchOff);
    EXPECT_EQ(externalPowerSwitchPosition(), kSwitchOn);
    SetGeneratorSwitch(2, kSwitchOn);
    SetGeneratorSwitch(0, 3);
    SetBusTransferSwitch(5);
    SetStandbyPowerSwitch(-1);
    EXPECT_EQ(generatorSwitchPosition(0), kSwitchCentre);
    EXPECT_EQ(busTransferSwitch(), kBusTransferAuto);
    EXPECT_EQ(standbyPowerSwitch(), kStandbyAuto);
}

// ---- TRUs and DC buses ---------------------------------------------------------

TEST_F(Electrical, Tru3FeedsFromBus1WhenBus2LosesItsSourceWithBusTransferAuto) {
    setN2(60.0f, 0.0f);
    SetGeneratorsRunning();
    setApuGenerator(true);
    SetBusTransferSwitch(kBusTransferAuto);
    SetGeneratorSwitch(0, kSwitchOn);
    SetApuGeneratorSwitch(1, kSwitchOn);
    step();
    ASSERT_TRUE(transferBusPowered(1)) << "the APU feeds bus 2";
    ASSERT_FALSE(tru3FedFromBus1());

    setApuGenerator(false);
    step();
    EXPECT_FALSE(apuGeneratorSelected());
    EXPECT_TRUE(transferBusPowered(0));
    EXPECT_FALSE(transferBusPowered(1));
    EXPECT_TRUE(tru3FedFromBus1());
    EXPECT_TRUE(tru3Powered());
    EXPECT_TRUE(dcBusPowered(1));
    const float tru3 = truOutputVoltage(2);
    EXPECT_GE(tru3, kTruFactorLow * transferBusVoltage(0) - 1e-3f);
    EXPECT_LE(tru3, kTruFactorHigh * transferBusVoltage(0) + 1e-3f);
    EXPECT_FLOAT_EQ(truOutputVoltage(1), tru3 - 0.7f) << "TRU 3 holds DC bus 2 up";
    EXPECT_EQ(dcBusLoad(1), 0.0f);
    EXPECT_GE(dcBusLoad(2), 51.6f) << "TRU 3 carries DC load 2";
    EXPECT_LE(dcBusLoad(2), 51.6f + 15.1f);
}

TEST_F(Electrical, TruOutputsFollowTheirDrawnFactorsAndDcBusesDropThirteenMilliohms) {
    hotStart();
    SetStandbyPowerSwitch(kStandbyBat);  // opens the cross tie
    step();
    ASSERT_FALSE(dcCrossTieClosed());
    for (int tru = 0; tru < 2; ++tru) {
        const float factor = truOutputVoltage(tru) / transferBusVoltage(tru);
        EXPECT_GE(factor, kTruFactorLow - 1e-6f) << "TRU " << tru + 1;
        EXPECT_LE(factor, kTruFactorHigh + 1e-6f) << "TRU " << tru + 1;
    }
    for (int tru = 0; tru < 3; ++tru) {
        EXPECT_FLOAT_EQ(dcBusVoltage(tru), truOutputVoltage(tru) - dcBusLoad(tru) * 0.013f)
            << "TRU " << tru + 1;
    }
    EXPECT_GE(dcBusLoad(0), 58.6f);
    EXPECT_LE(dcBusLoad(0), 58.6f + 12.1f);
    EXPECT_GE(dcBusLoad(1), 51.6f);
    EXPECT_LE(dcBusLoad(1), 51.6f + 15.1f);
    EXPECT_EQ(dcBusLoad(2), 0.0f);
}

TEST_F(Electrical, ClosedCrossTieSharesTheDcLoadsAndTheHigherTruVoltage) {
    hotStart();
    step();
    ASSERT_TRUE(dcCrossTieClosed());
    EXPECT_FLOAT_EQ(truOutputVoltage(0), truOutputVoltage(1));
    EXPECT_FLOAT_EQ(dcBusLoad(0), dcBusLoad(1));
    EXPECT_GE(dcBusLoad(0), (58.6f + 51.6f) / 2.0f);
    EXPECT_LE(dcBusLoad(0), (58.6f + 12.1f + 51.6f + 15.1f) / 2.0f);
    EXPECT_FLOAT_EQ(dcBusVoltage(0), dcBusVoltage(1));
}

TEST_F(Electrical, CrossTieOpensOutsideStandbyAuto) {
    hotStart();
    EXPECT_TRUE(dcCrossTieClosed());
    SetStandbyPowerSwitch(kStandbyBat);
    EXPECT_FALSE(dcCrossTieClosed()) << "standby BAT";
    SetStandbyPowerSwitch(kStandbyAuto);
    SetBusTransferSwitch(kBusTransferOff);
    SetGeneratorSwitch(1, kSwitchOff);
    step();
    EXPECT_FALSE(dcCrossTieClosed()) << "bus 2 unpowered";
    EXPECT_TRUE(dcBusPowered(0));
    EXPECT_FALSE(dcBusPowered(1));
}

// ---- Standby power ---------------------------------------------------------------

TEST_F(Electrical, BatteryAloneFeedsBothStandbyBusesThroughTheInverter) {
    step();
    EXPECT_FALSE(transferBusPowered(0));
    EXPECT_FALSE(transferBusPowered(1));
    EXPECT_TRUE(rly_K3());
    EXPECT_TRUE(rly_R9());
    EXPECT_FALSE(rly_K5norm());
    EXPECT_NEAR(batteryVoltage(), 0.95f * 4.35f + 24.6f, 1e-4f);
    EXPECT_EQ(dcStandbyBusSource(), 2);
    EXPECT_FLOAT_EQ(dcStandbyBusVoltage(), batteryVoltage());
    EXPECT_TRUE(inverterPowered());
    EXPECT_EQ(acStandbyBusSource(), 3);
    EXPECT_FLOAT_EQ(acStandbyBusVoltage(), batteryVoltage() * 4.1f);
    EXPECT_FLOAT_EQ(acStandbyBusFrequency(), 400.0f);
    EXPECT_FLOAT_EQ(inverterFrequency(), 400.0f);
    EXPECT_TRUE(avionicsPowered());
    EXPECT_TRUE(standbyPowerAutoPowered());
}

TEST_F(Electrical, NormalStandbyFeedComesFromDcBus1AndTransferBus1) {
    hotStart();
    step();
    EXPECT_TRUE(rly_K5norm());
    EXPECT_FALSE(rly_K3());
    EXPECT_FALSE(rly_R9());
    EXPECT_EQ(dcStandbyBusSource(), 1);
    EXPECT_GT(dcStandbyBusVoltage(), 22.0f);
    EXPECT_EQ(acStandbyBusSource(), 4);
    EXPECT_FLOAT_EQ(acStandbyBusVoltage(), transferBusLoadedVoltage(0));
    EXPECT_FLOAT_EQ(acStandbyBusFrequency(), transferBusFrequency(0));
}

TEST_F(Electrical, AcStandbyBusTakesTransferBus1sFrequencyWhateverFeedsIt) {
    setApuGenerator(true);
    SetBusTransferSwitch(kBusTransferAuto);
    SetApuGeneratorSwitch(0, kSwitchOn);
    SetApuGeneratorSwitch(1, kSwitchOn);
    step();
    step();
    ASSERT_EQ(acStandbyBusSource(), 4);
    EXPECT_LT(generatorFrequency(0), kJitterHz) << "generator 1 stands still";
    EXPECT_FLOAT_EQ(acStandbyBusFrequency(), ApuGeneratorFrequency());
}

TEST_F(Electrical, StandbySwitchBatAndOffOverrideTheNormalFeed) {
    hotStart();
    SetStandbyPowerSwitch(kStandbyBat);
    step();
    EXPECT_TRUE(rly_K3());
    EXPECT_TRUE(rly_R9());
    EXPECT_FALSE(rly_K5norm());
    EXPECT_EQ(dcStandbyBusSource(), 2) << "BAT";
    EXPECT_EQ(acStandbyBusSource(), 3) << "BAT";
    EXPECT_FALSE(standbyPowerAutoPowered());

    SetStandbyPowerSwitch(kStandbyOff);
    step();
    EXPECT_FALSE(rly_K3());
    EXPECT_FALSE(rly_R9());
    EXPECT_FALSE(dcStandbyBusPowered()) << "OFF";
    EXPECT_FALSE(acStandbyBusPowered()) << "OFF";
    EXPECT_TRUE(inverterPowered()) << "the inverter still runs from the battery";
}

TEST_F(Electrical, BatterySwitchOffLeavesStandbyBatAndTheInverterOnly) {
    SetBatterySwitch(false);
    step();
    EXPECT_FALSE(batteryOn());
    EXPECT_FALSE(rly_K3());
    EXPECT_FALSE(dcStandbyBusPowered());
    EXPECT_FALSE(inverterPowered());
    EXPECT_FALSE(avionicsPowered());
    SetStandbyPowerSwitch(kStandbyBat);
    step();
    EXPECT_TRUE(dcStandbyBusPowered());
    EXPECT_TRUE(inverterPowered());
    EXPECT_TRUE(avionicsPowered()) << "through the DC standby bus";
}

// ---- Battery and charger -------------------------------------------------------

TEST_F(Electrical, BatteryDischargeFollowsItsCurveAndCollapsesBelowATenthCharge) {
    setStarterLoad(400.0f);
    const float perSecond = 400.0f / (40.0f * 3600.0f);
    float charge = batteryCharge();
    while (batteryCharge() > 0.0f) {
        step(1.0f);
        const float c = batteryCharge();
        EXPECT_NEAR(c, std::max(0.0f, charge - perSecond), 1e-5f);
        charge = c;
        const float open = c <= 0.1f ? c * 246.0f : c * 4.35f + 24.6f;
        EXPECT_NEAR(batteryOpenCircuitVoltage(), open, 1e-3f) << "charge " << c;
        const float terminal = open - 400.0f * (3.0f - 2.0f * c) * 0.011f;
        EXPECT_NEAR(batteryVoltage(), std::max(0.0f, terminal), 1e-3f) << "charge " << c;
        ASSERT_LT(now, 1000.0f) << "the battery never ran flat";
    }
    EXPECT_EQ(batteryOpenCircuitVoltage(), 0.0f);
    EXPECT_EQ(batteryVoltage(), 0.0f);
    step(60.0f);
    EXPECT_EQ(batteryCharge(), 0.0f) << "a flat battery holds no negative charge";
}

TEST_F(Electrical, WeakBatteryIsNotOkAndDropsTheStandbyBuses) {
    ClearStartupHold();
    setStarterLoad(400.0f);
    drainBattery();
    ASSERT_LE(batteryVoltage(), 22.0f);
    EXPECT_FALSE(batteryOk());
    EXPECT_FALSE(batteryOn());
    EXPECT_FALSE(dcStandbyBusPowered());
    EXPECT_FALSE(inverterPowered());
    EXPECT_FALSE(anyPowerAvailable());
}

TEST_F(Electrical, ChargerGoesOffFloatBoostFloatAndBoostEndsAboveOnePointOTwo) {
    EXPECT_EQ(chargerMode(), ChargerMode::Off);
    connectGroundPower();
    ASSERT_TRUE(chargerPowered()) << "external power above 105 V powers the charger";
    step();
    EXPECT_EQ(chargerMode(), ChargerMode::Float) << "off wakes to float";
    EXPECT_EQ(chargerCurrent(), 0.0f);
    step();
    EXPECT_EQ(chargerMode(), ChargerMode::Boost) << "charge 0.95 is below 0.96";
    step();
    EXPECT_FLOAT_EQ(chargerCurrent(), 25.0f);
    EXPECT_FLOAT_EQ(chargerVoltage(), 29.1f - 25.0f * 0.033f);
    EXPECT_FLOAT_EQ(chargerAcInputCurrent(), 25.0f / 4.1f);
    EXPECT_FLOAT_EQ(batteryCurrent(), -25.0f);

    while (chargerMode() == ChargerMode::Boost && now < 5000.0f) step(1.0f);
    ASSERT_EQ(chargerMode(), ChargerMode::Float);
    EXPECT_GT(batteryCharge(), 1.02f);
    // The step that finds the charge above 1.02 still boosts.
    EXPECT_LT(batteryCharge(), 1.02f + 2.0f * 25.0f / (40.0f * 3600.0f) + 1e-6f);

    setStarterLoad(10.0f, kApuPhaseRunning);
    const float charge = batteryCharge();
    runFor(60.0f, 1.0f);
    EXPECT_FLOAT_EQ(chargerCurrent(), 10.0f) << "float carries the battery's load";
    EXPECT_FLOAT_EQ(chargerVoltage(), 28.4f - 10.0f * 0.033f);
    EXPECT_FLOAT_EQ(batteryCharge(), charge);
}

TEST_F(Electrical, BoostCurrentIsTheLoadPlusTwentyFiveUpToSixtyFive) {
    connectGroundPower();
    step();
    step();
    ASSERT_EQ(chargerMode(), ChargerMode::Boost);
    for (const auto& [load, current] : {std::pair{10.0f, 35.0f}, {40.0f, 65.0f}, {100.0f, 65.0f}}) {
        setStarterLoad(load, kApuPhaseRunning);
        step();
        EXPECT_FLOAT_EQ(chargerCurrent(), current) << "load " << load;
    }
}

TEST_F(Electrical, ApuStartInhibitsTheChargerUntilItEnds) {
    connectGroundPower();
    runFor(1.0f);
    ASSERT_EQ(chargerMode(), ChargerMode::Boost);
    snapshot.now = apuNow;
    SetApuSwitch(kApuSwitchStart);
    // Into each phase, with its starter current drawn.
    for (const auto& [phase, starterAmps] :
         {std::pair{kApuPhaseDoorOpening, 5.0f}, {kApuPhaseStarting, 100.0f}}) {
        runApuUntil([phase = phase, starterAmps = starterAmps] {
            return ApuPhase() == phase && ApuStarterCurrent() > starterAmps;
        });
        step();
        EXPECT_EQ(chargerMode(), ChargerMode::Inhibited) << "phase " << phase;
        EXPECT_EQ(chargerCurrent(), 0.0f) << "phase " << phase;
        EXPECT_FLOAT_EQ(batteryCurrent(), ApuStarterCurrent()) << "phase " << phase;
    }
    runApuUntil([] { return ApuPhase() == kApuPhaseRunning && ApuStarterCurrent() == 0.0f; });
    step();
    EXPECT_EQ(chargerMode(), ChargerMode::Float);
}

TEST_F(Electrical, ChargerWithoutPowerFallsBackToOff) {
    connectGroundPower();
    runFor(1.0f);
    ASSERT_EQ(chargerMode(), ChargerMode::Boost);
    SetGroundPowerUnitPresent(false);
    EXPECT_FALSE(chargerPowered());
    step();
    EXPECT_EQ(chargerMode(), ChargerMode::Off);
    step();
    EXPECT_EQ(chargerCurrent(), 0.0f);
    EXPECT_EQ(chargerVoltage(), 0.0f);
}

TEST_F(Electrical, TransferBus2PowersTheChargerWhichKeepsAFlatBatteryOk) {
    drainBattery();
    ASSERT_FALSE(batteryOk());
    hotStart();
    EXPECT_TRUE(chargerPowered());
    EXPECT_TRUE(batteryOk());
    EXPECT_TRUE(batteryOn());
}

// Current flowing into the battery (a starter current read as negative)
// charges it, but never beyond 1.05.
TEST_F(Electrical, ChargeNeverRisesAboveOnePointOFive) {
    setStarterLoad(-65.0f, kApuPhaseStarting);
    runFor(600.0f, 1.0f);
    EXPECT_FLOAT_EQ(batteryCharge(), 1.05f);
}

// ---- External power --------------------------------------------------------------

TEST_F(Electrical, ExternalPowerConnectsOnlyAtThreeMetresPerSecondOrLess) {
    for (const auto& [speed, connects] :
         {std::pair{3.5f, false}, {std::numeric_limits<float>::quiet_NaN(), false}, {3.0f, true}}) {
        SetGroundPowerUnitPresent(false);
        snapshot.groundSpeed = speed;
        SetGroundPowerUnitPresent(true);
        EXPECT_EQ(GroundPowerUnitPresent(), connects) << "ground speed " << speed;
    }
}

TEST_F(Electrical, ConnectedUnitDrawsItsValuesOnceAndKeepsThem) {
    connectGroundPower();
    const float emf = externalPowerVoltage() + externalPowerLoad() * 0.000576f;
    EXPECT_GE(emf, 112.0f);
    EXPECT_LE(emf, 118.0f);
    EXPECT_GE(externalPowerFrequency(), 392.0f);
    EXPECT_LE(externalPowerFrequency(), 408.0f);
    EXPECT_EQ(externalPowerLoad(), 0.0f) << "the charger was off";
    const float voltage = externalPowerVoltage();
    const float frequency = externalPowerFrequency();
    connectGroundPower();
    runFor(1.0f);
    EXPECT_EQ(externalPowerVoltage(), voltage);
    EXPECT_EQ(externalPowerFrequency(), frequency);
}

TEST_F(Electrical, UnitConnectedWhileTheChargerBoostsCarriesItsCurrent) {
    connectGroundPower();
    runFor(1.0f);
    ASSERT_EQ(chargerMode(), ChargerMode::Boost);
    SetGroundPowerUnitPresent(false);
    EXPECT_EQ(externalPowerVoltage(), 0.0f) << "disconnecting zeroes the unit";
    connectGroundPower();
    EXPECT_FLOAT_EQ(externalPowerLoad(), 25.0f);
    const float emf = externalPowerVoltage() + 25.0f * 0.000576f;
    EXPECT_GE(emf, 112.0f);
    EXPECT_LE(emf, 118.0f);
}

TEST_F(Electrical, DisconnectedUnitFallsOffLineAndTheBusesGoDark) {
    connectGroundPower();
    SetExternalPowerSwitch(kSwitchOn);
    step();
    ASSERT_TRUE(transferBusPowered(0));
    ASSERT_TRUE(transferBusPowered(1));
    SetGroundPowerUnitPresent(false);
    step();
    EXPECT_FALSE(externalPowerOnLine());
    EXPECT_FALSE(transferBusPowered(0));
    EXPECT_FALSE(transferBusPowered(1));
}

TEST_F(Electrical, ChangingTheGroundServiceModeTakesTheUnitAway) {
    connectGroundPower();
    SetGroundServiceMode(0);
    EXPECT_TRUE(GroundPowerUnitPresent()) << "the same mode changes nothing";
    SetGroundServiceMode(1);
    EXPECT_FALSE(GroundPowerUnitPresent());
    EXPECT_EQ(GroundServiceMode(), 1);
}

// ---- Loads ---------------------------------------------------------------------

// Operates anti-ice switches and lets the anti-ice model take them up, as
// the snapshot read does; its first step on a restarted host only takes up
// the clock.
void switchAntiIce(const std::function<void()>& operate) {
    operate();
    for (int frame = 0; frame < 2; ++frame) {
        standin::runFrame();
        ReadTime();
        StepAntiIce();
    }
}

TEST_F(Electrical, EachConsumerAddsItsCurrentToItsTransferBus) {
    struct Case {
        const char* name;
        std::function<void()> switchOn;
        float bus1, bus2;
    } cases[] = {
        {"beacon", [] { standin::setInt("sim/cockpit/electrical/beacon_lights_on", 1); }, 2.1f,
         0.0f},
        {"landing lights", [] { snapshot.landingLights = 1; }, 4.1f, 0.0f},
        {"taxi light", [] { snapshot.taxiLight = 1; }, 0.0f, 4.1f},
        {"cabin lights", [] { snapshot.cabinLightSwitch = 1; }, 3.23f, 3.23f},
        {"cabin utility 1", [] { SetCabinUtilitySwitch(0, true); }, 2.2f, -2.3f},
        {"cabin utility 2", [] { SetCabinUtilitySwitch(1, true); }, 0.0f, 3.1f},
        {"probe heat A", [] { switchAntiIce([] { SetProbeHeatSwitch(0, true); }); },
         1.7f + 2.1f + 1.1f, 0.0f},
        {"probe heat B", [] { switchAntiIce([] { SetProbeHeatSwitch(1, true); }); }, 0.0f,
         1.9f + 2.4f + 1.3f},
        {"fuel pumps at full pressure",
         [this] {
             ResetFuel(false, now);
             ClearFuelSwitchStates(now);
             SetFuelPanelSwitches(false);
             SetTankQuantity(kCenterTank, 5000.0f);
             FuelTankAndPumpStep(now);
         },
         1.65f + 3.11f + 1.6f, 1.81f + 2.87f + 1.77f},
        {"igniters",
         [this] {
             for (int engine = 0; engine < 2; ++engine) {
                 StartSwitchStepRight(engine);  // CONT
                 StartSwitchStepRight(engine);  // FLT
             }
             StepEngineStart(now);
         },
         4.6f, 4.6f - 0.34f},
    };
    for (const Case& c : cases) {
        standin::setInt("sim/cockpit/electrical/beacon_lights_on", 0);
        snapshot = SimSnapshot{};
        SetCabinUtilitySwitch(0, false);
        SetCabinUtilitySwitch(1, false);
        switchAntiIce([] {
            for (int side = 0; side < kProbeHeatSides; ++side) SetProbeHeatSwitch(side, false);
        });
        restartApu();
        RestartElectricalModel();
        step();
        hotStart();  // the random loads are drawn now and held for over 6 s
        const float before[2] = {transferBusLoad(0), transferBusLoad(1)};
        c.switchOn();
        step();
        EXPECT_NEAR(transferBusLoad(0) - before[0], c.bus1, 1e-4f) << c.name;
        EXPECT_NEAR(transferBusLoad(1) - before[1], c.bus2, 1e-4f) << c.name;
    }
}

TEST_F(Electrical, SideOnesWindowHeatersLoadTransferBusOne) {
    hotStart();
    const float before = transferBusLoad(0);
    const auto setSideOne = [](bool on) {
        switchAntiIce([on] {
            SetWindowHeatSwitch(0, on);
            SetWindowHeatSwitch(2, on);
        });
    };
    setSideOne(true);
    step();
    EXPECT_GT(WindowHeatCurrent(0), 5.0f);
    EXPECT_NEAR(transferBusLoad(0) - before, WindowHeatCurrent(0) + WindowHeatCurrent(2), 1e-4f);
    setSideOne(false);
}

TEST_F(Electrical, QuietBusesCarryTheirBaseAndGalleyLoads) {
    hotStart();
    EXPECT_GE(transferBusLoad(0), 18.4f + 25.6f);
    EXPECT_LE(transferBusLoad(0), 18.4f + 25.6f + 8.9f);
    // Bus 2 also carries the 2.3 A that cabin utility 1 draws while OFF.
    EXPECT_GE(transferBusLoad(1), 16.3f + 2.3f + 28.6f);
    EXPECT_LE(transferBusLoad(1), 16.3f + 2.3f + 28.6f + 8.1f);
}

TEST_F(Electrical, GalleyLoadIsRedrawnAfterItsRandomHoldTime) {
    hotStart();
    const float first = transferBusLoad(0);
    const float drawnAt = now;
    while (transferBusLoad(0) == first && now < drawnAt + 30.0f) step();
    const float held = now - drawnAt;
    EXPECT_GE(held, 9.5f - 2.0f * kFrame);
    EXPECT_LE(held, 9.5f + 7.1f + 2.0f * kFrame);
}

TEST_F(Electrical, DcLoadIsRedrawnAfterItsRandomHoldTime) {
    hotStart();
    SetStandbyPowerSwitch(kStandbyBat);  // opens the cross tie
    step();                              // the buses' loads as split by it
    const float first = dcBusLoad(0);
    const float drawnAt = now;
    while (dcBusLoad(0) == first && now < drawnAt + 30.0f) step();
    const float held = now - drawnAt;
    EXPECT_GE(held, 6.5f - 2.0f * kFrame);
    EXPECT_LE(held, 6.5f + 4.75f + 2.0f * kFrame);
}

// ---- Lights and queries ----------------------------------------------------------

TEST_F(Electrical, LightsFollowTheirConditions) {
    step();
    EXPECT_TRUE(transferBusOffLight(0)) << "battery on, bus unpowered";
    EXPECT_TRUE(sourceOffLight(0)) << "standby powered, nothing feeding side 1";
    setN2(60.0f, 60.0f);
    SetGeneratorsRunning();
    setApuGenerator(true);
    step();
    EXPECT_TRUE(generatorOffBusLight(0)) << "available, breaker open";
    EXPECT_TRUE(apuGeneratorOffBusLight()) << "available, not selected";

    SetApuGeneratorSwitch(1, kSwitchOn);
    SetBusTransferSwitch(kBusTransferOff);
    SetGeneratorSwitch(0, kSwitchOn);
    step();
    step();
    ASSERT_TRUE(dcStandbyBusPowered());
    EXPECT_FALSE(apuGeneratorOffBusLight()) << "APU selected";
    EXPECT_FALSE(generatorOffBusLight(0)) << "generator 1 on its bus";
    EXPECT_FALSE(sourceOffLight(0)) << "generator 1 breaker closed";
    EXPECT_FALSE(sourceOffLight(1)) << "the APU through tie 2";
    EXPECT_FALSE(transferBusOffLight(0));
    EXPECT_TRUE(generatorOffBusLight(1));

    SetBatterySwitch(false);
    step();
    EXPECT_FALSE(generatorOffBusLight(1)) << "battery off";
}

TEST_F(Electrical, ExternalPowerOnLineClearsSourceOff) {
    connectGroundPower();
    SetExternalPowerSwitch(kSwitchOn);
    step();
    step();
    ASSERT_TRUE(dcStandbyBusPowered());
    EXPECT_FALSE(sourceOffLight(0));
    EXPECT_FALSE(sourceOffLight(1));
}

TEST_F(Electrical, CabinLightSupplyIsEitherTransferBus) {
    step();
    EXPECT_FALSE(cabinLightSupplyPowered());
    hotStart();
    EXPECT_TRUE(cabinLightSupplyPowered());
}

// ---- Simulator writes ------------------------------------------------------------

TEST_F(Electrical, SimulatorBatteryInverterAndAvionicsFollowTheModel) {
    step();
    for (int element = 0; element < 2; ++element) {
        EXPECT_EQ(standin::getInt(kBatteryArray, element), 1) << "element " << element;
        EXPECT_EQ(standin::getInt(kInverterOn, element), 1) << "element " << element;
        EXPECT_FLOAT_EQ(standin::getFloat(kBatteryVolts, element), batteryVoltage()) << element;
    }
    EXPECT_EQ(standin::getInt(kAvionicsOn), 1);

    ClearStartupHold();
    SetBatterySwitch(false);
    step();
    for (int element = 0; element < 2; ++element) {
        EXPECT_EQ(standin::getInt(kBatteryArray, element), 0) << "element " << element;
        EXPECT_EQ(standin::getInt(kInverterOn, element), 0) << "element " << element;
    }
    EXPECT_EQ(standin::getInt(kAvionicsOn), 0);
}

TEST_F(Electrical, StartupHoldKeepsTheSimulatorBatteryOnUntilCleared) {
    SetBatterySwitch(false);
    step();
    EXPECT_TRUE(anyPowerAvailable());
    EXPECT_EQ(standin::getInt(kBatteryArray, 0), 1);
    ClearStartupHold();
    step();
    EXPECT_FALSE(anyPowerAvailable());
    EXPECT_EQ(standin::getInt(kBatteryArray, 0), 0);
}

TEST_F(Electrical, WithoutTheBatteryArrayTheSingleBatterySwitchIsWritten) {
    standin::markDataRefAbsent(kBatteryArray);
    RestartElectricalModel();
    step();
    step();
    EXPECT_EQ(standin::getInt(kBatteryOn), 1);
    EXPECT_EQ(standin::getInt(kBatteryArray, 0), 0);
}

TEST_F(Electrical, BindingWritesTheGeneratorBreakers) {
    standin::setInt(kGeneratorOn, 1, 0);
    standin::setInt(kGeneratorOn, 1, 1);
    BindElectrical();
    EXPECT_EQ(standin::getInt(kGeneratorOn, 0), 0);
    EXPECT_EQ(standin::getInt(kGeneratorOn, 1), 0);
}

TEST_F(Electrical, BatteryWriteBackWritesTheBatterySwitchAndVoltage) {
    standin::setInt(kBatteryArray, 0, 0);
    standin::setFloat(kBatteryVolts, 0.0f, 1);
    BatteryWriteBack();
    EXPECT_EQ(standin::getInt(kBatteryArray, 0), 1);
    EXPECT_FLOAT_EQ(standin::getFloat(kBatteryVolts, 1), batteryVoltage());
}

// ---- Resets ----------------------------------------------------------------------

TEST_F(Electrical, RunningResetPutsBothGeneratorsOnTheirBuses) {
    hotStart();
    EXPECT_EQ(busTransferSwitch(), kBusTransferAuto);
    for (int side = 0; side < 2; ++side) {
        EXPECT_TRUE(generatorBreakerClosed(side)) << "side " << side;
        EXPECT_TRUE(busTieBreakerClosed(side)) << "side " << side;
        EXPECT_EQ(standin::getInt(kGeneratorOn, side), 1) << "side " << side;
        EXPECT_EQ(generatorSwitchPosition(side), kSwitchCentre) << "side " << side;
        EXPECT_TRUE(transferBusPowered(side)) << "side " << side;
        EXPECT_FLOAT_EQ(transferBusVoltage(side), generatorVoltage(side)) << "side " << side;
    }
    runFor(5.0f);
    for (int side = 0; side < 2; ++side) {
        EXPECT_GE(transferBusFrequency(side), kGovernedHz) << "side " << side;
        EXPECT_LE(transferBusFrequency(side), kGovernedHz + kJitterHz) << "side " << side;
        EXPECT_GT(transferBusLoadedVoltage(side), 112.0f) << "side " << side;
    }
}

TEST_F(Electrical, ColdResetOpensBothGeneratorsAndReconnectsTheDrives) {
    hotStart();
    DisconnectGeneratorDrive(1);
    ResetDriveGenerators();
    SetElectricalChannels(false);
    EXPECT_EQ(busTransferSwitch(), kBusTransferAuto);
    for (int side = 0; side < 2; ++side) {
        EXPECT_FALSE(generatorBreakerClosed(side)) << "side " << side;
        EXPECT_EQ(standin::getInt(kGeneratorOn, side), 0) << "side " << side;
        EXPECT_TRUE(generatorDriveConnected(side)) << "side " << side;
    }
    step();
    EXPECT_FALSE(transferBusPowered(0));
    EXPECT_FALSE(transferBusPowered(1));
}

TEST_F(Electrical, ColdEnginesRefuseTheRunningChannels) {
    SetElectricalChannels(true);
    EXPECT_FALSE(generatorBreakerClosed(0));
    EXPECT_FALSE(generatorBreakerClosed(1));
}

// ---- The whole plug-in -----------------------------------------------------------

class ElectricalPlugin : public quiltest::HostTest {
protected:
    void startWithEngines(float n2) {
        standin::setAircraft(quiltest::makeAircraft(quiltest::TestAircraft{}));
        standin::setFloat(kN2, n2, 0);
        standin::setFloat(kN2, n2, 1);
        load(quiltest::pluginPath());
    }
};

TEST_F(ElectricalPlugin, HotStartPutsBothGeneratorsOnLine) {
    startWithEngines(60.0f);
    standin::runFrames(3);
    EXPECT_EQ(standin::getInt(kBatteryArray, 0), 1) << "held on from the start";
    EXPECT_EQ(standin::getInt(kGeneratorOn, 0), 0) << "the start itself is cold";
    standin::runSeconds(2.0);
    EXPECT_EQ(standin::getInt(kGeneratorOn, 0), 1);
    EXPECT_EQ(standin::getInt(kGeneratorOn, 1), 1);
    EXPECT_EQ(standin::getInt(kInverterOn, 0), 1);
    EXPECT_EQ(standin::getInt(kBatteryArray, 1), 1);
    EXPECT_GT(standin::getFloat(kBatteryVolts, 0), 24.0f);
}

TEST_F(ElectricalPlugin, ColdStartLeavesTheGeneratorsOff) {
    startWithEngines(0.0f);
    standin::runSeconds(2.0);
    EXPECT_EQ(standin::getInt(kGeneratorOn, 0), 0);
    EXPECT_EQ(standin::getInt(kGeneratorOn, 1), 0);
    EXPECT_GT(standin::getFloat(kBatteryVolts, 0), 24.0f);
}

}  // namespace
