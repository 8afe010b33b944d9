// The fuel system: boost pump pressure and suction feed, attitude, trips,
// flame-out, the burn from the right tanks with crossfeed closed and open,
// the simulator's tank masses, the aux tanks' capacities, distribution and
// transfer, the panel lights, the aux fuel panel's message lists, and bad
// input from the simulator.
#include "systems/fuel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "autoflight/phases.h"
#include "host/served_aircraft.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/motorised_valve.h"

namespace {

using namespace quil;

constexpr float kFrame = 1.0f / 30.0f;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kStandardInHg = 29.92f;  // 14.7 psi
constexpr const char* kFuelFlow = "sim/flightmodel/engine/ENGN_FF_";
constexpr const char* kN1 = "sim/flightmodel/engine/ENGN_N1_";
constexpr const char* kMixture = "sim/flightmodel/engine/ENGN_mixt";
constexpr const char* kEngineFailure[2] = {"sim/operation/failures/rel_engfai0",
                                           "sim/operation/failures/rel_engfai1"};
constexpr const char* kSimMass[3] = {"sim/flightmodel/weight/m_fuel1",
                                     "sim/flightmodel/weight/m_fuel2",
                                     "sim/flightmodel/weight/m_fuel3"};
constexpr int kMainPumps[2][2] = {{0, 1}, {4, 5}};
constexpr int kCenterLeftPump = 2;

// The fuel model with the models it reads, on a fresh stand-in host, in the
// systems update's order at 30 frames a second, on ground power.
class Fuel : public quiltest::InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        snapshot = SimSnapshot{};
        BindSimulatorState();
        RestartElectricalModel();
        RestartApuModel();
        RestartFuelModel();
        snapshot.oat = 15;
        snapshot.baroCurrent = kStandardInHg;
        now = standin::simTime();
        frame();
        SetGroundPowerUnitPresent(true);
        SetExternalPowerSwitch(kSwitchOn);
        frame();
        ASSERT_TRUE(transferBusPowered(0) && transferBusPowered(1));
    }

    void frame(float dt = kFrame) {
        now += dt;
        snapshot.now = now;
        ElectricalStep(now);
        EngineStartStep();
        UpdateFlightPhase(now);
        FuelTankAndPumpStep(now);
        FuelFlowStep(now);
        AuxTankStep(now);
        FuelMassWriteBack();
    }
    void runFor(float seconds, float dt = kFrame) {
        const long frames = std::lround(seconds / dt);
        for (long n = 0; n < frames; ++n) frame(dt);
    }
    // The model's reset as the plug-in makes it.
    void reset(bool cold) {
        ResetFuel(cold, now);
        ClearFuelSwitchStates(now);
        SetFuelPanelSwitches(cold);
    }
    static void setPumps(bool on) {
        for (int pump = 0; pump < kFuelPumps; ++pump) SetFuelPumpSwitch(pump, on);
    }
    static void setFuelFlow(float left, float right) {
        standin::setFloat(kFuelFlow, left, 0);
        standin::setFloat(kFuelFlow, right, 1);
    }
    static float total() {
        float sum = 0.0f;
        for (int tank = 0; tank < kFuelTanks; ++tank) sum += TankQuantity(tank);
        return sum;
    }

    float now = 0.0f;
};

TEST_F(Fuel, PumpPressureFollowsTheFuelOverItsInletAndSuctionFeedsWithPumpsOff) {
    struct Case {
        const char* name;
        float mainTank;
        bool pumpsOn;
        float pressure;  // psi, the left main pumps
    };
    const Case cases[] = {
        {"full tank, pumps on: ambient plus rise", 3510.0f, true, 24.7f},
        {"30 kg, pumps on: no pressure", 30.0f, true, 0.0f},
        {"30 kg, pumps off: suction at ambient", 30.0f, false, 14.7f},
        {"10 kg, pumps off: nothing", 10.0f, false, 0.0f},
        {"120 kg, pumps on: half way up", 120.0f, true, 24.7f / 2.0f},
    };
    for (const Case& c : cases) {
        reset(false);
        setPumps(c.pumpsOn);
        SetTankQuantity(kMainTank1, c.mainTank);
        frame();
        for (int pump : kMainPumps[0]) {
            EXPECT_NEAR(FuelPumpPressure(pump), c.pressure, 0.05f) << c.name << ", pump " << pump;
        }
        EXPECT_NEAR(ManifoldPressure(0), c.pressure, 0.05f) << c.name;
    }
}

TEST_F(Fuel, PitchingNoseUpTenDegreesRaisesTheAftInletsBy174Kilograms) {
    reset(false);
    SetTankQuantity(kMainTank1, 20.0f);
    snapshot.pitch = 10.0f;
    frame();
    const float pitched[2] = {FuelPumpPressure(0), FuelPumpPressure(1)};
    snapshot.pitch = 0.0f;
    SetTankQuantity(kMainTank1, 20.0f + 174.0f);
    frame();
    EXPECT_NEAR(pitched[0], FuelPumpPressure(0), 0.1f);
    EXPECT_GT(pitched[0], 20.0f);
    EXPECT_EQ(pitched[1], 0.0f);  // the forward inlet runs dry
}

TEST_F(Fuel, APumpLowForFifteenSecondsTripsUntilItsSwitchIsCycled) {
    reset(false);  // the centre tank is empty, its pumps on
    runFor(14.5f);
    EXPECT_TRUE(FuelPumpLowPressure(kCenterLeftPump));
    EXPECT_FALSE(FuelPumpTripped(kCenterLeftPump));
    EXPECT_GT(FuelPumpCurrent(kCenterLeftPump), 0.0f);
    runFor(1.0f);
    EXPECT_TRUE(FuelPumpTripped(kCenterLeftPump));
    EXPECT_EQ(FuelPumpCurrent(kCenterLeftPump), 0.0f);
    EXPECT_FALSE(FuelPumpTripped(0));  // the full main tank keeps its pumps up
    SetTankQuantity(kCenterTank, 5000.0f);
    runFor(1.0f);
    EXPECT_TRUE(FuelPumpTripped(kCenterLeftPump));
    SetFuelPumpSwitch(kCenterLeftPump, false);
    SetFuelPumpSwitch(kCenterLeftPump, true);
    runFor(1.0f);
    EXPECT_FALSE(FuelPumpTripped(kCenterLeftPump));
    EXPECT_NEAR(FuelPumpPressure(kCenterLeftPump), 14.7f + 23.0f, 0.05f);
    EXPECT_FALSE(FuelPumpLowPressure(kCenterLeftPump));
}

TEST_F(Fuel, AnEngineFlamesOutWhenItsManifoldLosesPressure) {
    struct Case {
        const char* name;
        float baroInHg;
        float leftTank;
        bool pumpsOn;
        int leftFailure;
    };
    const Case cases[] = {
        {"pumps off, suction at sea level", kStandardInHg, 3000.0f, false, 0},
        {"pumps off, suction high up", 11.0f, 3000.0f, false, 6},
        {"pumps on high up", 11.0f, 3000.0f, true, 0},
        {"tank dry, pumps on", kStandardInHg, 5.0f, true, 6},
    };
    for (const Case& c : cases) {
        snapshot.baroCurrent = c.baroInHg;
        reset(!c.pumpsOn);
        SetTankQuantity(kMainTank1, c.leftTank);
        standin::setInt(kEngineFailure[0], 0);
        runFor(3.5f);
        EXPECT_EQ(standin::getInt(kEngineFailure[0]), 0) << c.name << ": not within 4 s of a reset";
        runFor(1.0f);
        EXPECT_EQ(standin::getInt(kEngineFailure[0]), c.leftFailure) << c.name;
        EXPECT_EQ(standin::getInt(kEngineFailure[1]), c.baroInHg < 12.0f && !c.pumpsOn ? 6 : 0)
            << c.name;
    }
}

TEST_F(Fuel, LongBurnDrainsCentreThenMainsSideBySideAndConservesFuel) {
    reset(false);
    SetTankQuantity(kCenterTank, 3000.0f);
    const float initial = total();
    const float flow[2] = {0.7f, 0.5f};  // kg/s
    setFuelFlow(flow[0], flow[1]);
    double burnt = 0.0;  // counted finer than the tanks
    auto burnFor = [&](float seconds) {
        const float dt = 0.5f;
        for (long n = std::lround(seconds / dt); n > 0; --n) {
            frame(dt);
            burnt += (flow[0] + flow[1]) * dt;
        }
    };
    // Both centre pumps out-press the mains and feed both engines.
    burnFor(1800.0f);
    EXPECT_NEAR(TankQuantity(kMainTank1), 3510.0f, 0.01f);
    EXPECT_NEAR(TankQuantity(kMainTank2), 3510.0f, 0.01f);
    EXPECT_NEAR(TankQuantity(kCenterTank), 3000.0f - 1800.0f * 1.2f, 2.0f);
    // The centre pumps' pressure falls away with the last of the centre
    // fuel: each engine then drinks from its own main tank.
    burnFor(1800.0f);
    EXPECT_LT(TankQuantity(kCenterTank), 200.0f);
    const float drop[2] = {3510.0f - TankQuantity(kMainTank1), 3510.0f - TankQuantity(kMainTank2)};
    EXPECT_NEAR(drop[0] / drop[1], 0.7f / 0.5f, 0.1f);
    // Crossfeed open: the mains share both engines' burn.
    SetCrossfeedSelector(true);
    burnFor(2.0f);
    ASSERT_TRUE(CrossfeedOpen());
    const float before[2] = {TankQuantity(kMainTank1), TankQuantity(kMainTank2)};
    burnFor(1200.0f);
    EXPECT_NEAR(before[0] - TankQuantity(kMainTank1), before[1] - TankQuantity(kMainTank2), 5.0f);
    EXPECT_NEAR(burnt + total(), initial, 1.0);
    EXPECT_EQ(standin::getInt(kEngineFailure[0]), 0);
}

TEST_F(Fuel, TheSimulatorsTankMassesFollowTheModelByFiveKilogramsAFrame) {
    struct Case {
        const char* name;
        bool cold;
        float model[3];
    };
    const Case cases[] = {
        {"cold", true, {227.3f, 0.0f, 212.4f}},
        {"hot", false, {3510.0f, 0.0f, 3510.0f}},
    };
    for (const Case& c : cases) {
        const float start[3] = {c.model[0] + 100.0f, 12.0f, c.model[2] - 60.0f};
        for (int tank = 0; tank < 3; ++tank) standin::setFloat(kSimMass[tank], start[tank]);
        reset(c.cold);
        runFor(3.9f);
        EXPECT_EQ(standin::getFloat(kSimMass[0]), start[0]) << c.name << ": not before 4 s";
        runFor(0.2f);
        float previous[3];
        for (int tank = 0; tank < 3; ++tank) previous[tank] = standin::getFloat(kSimMass[tank]);
        for (int n = 0; n < 40; ++n) {
            frame();
            for (int tank = 0; tank < 3; ++tank) {
                const float mass = standin::getFloat(kSimMass[tank]);
                EXPECT_LE(std::fabs(mass - previous[tank]), 5.0f + 1e-3f) << c.name << " " << tank;
                previous[tank] = mass;
            }
        }
        for (int tank = 0; tank < 3; ++tank) {
            EXPECT_NEAR(standin::getFloat(kSimMass[tank]), c.model[tank], 5.0f)
                << c.name << ", tank " << tank;
        }
    }
}

TEST_F(Fuel, AuxTankCapacitiesDistributionAndTransferIntoTheCentre) {
    ASSERT_TRUE(SetForwardAuxTanks(2));
    ASSERT_TRUE(SetAftAuxTanks(3));
    EXPECT_FALSE(SetForwardAuxTanks(5));
    EXPECT_EQ(TankCapacity(kForwardAuxTank), 3176.0f);
    EXPECT_EQ(TankCapacity(kAftAuxTank), 4513.0f);
    EXPECT_EQ(TotalFuelCapacity(), 3900.0f * 2 + 13000.0f + 3176.0f + 4513.0f);

    float shares[kFuelTanks];
    ASSERT_TRUE(DistributeFuel(100000.0f, shares));
    for (int tank = 0; tank < kFuelTanks; ++tank) EXPECT_EQ(shares[tank], TankCapacity(tank));
    // What the forward tank cannot take goes aft.
    ASSERT_TRUE(DistributeFuel(7800.0f + 13000.0f + 7000.0f, shares));
    EXPECT_EQ(shares[kForwardAuxTank], 3176.0f);
    EXPECT_NEAR(shares[kAftAuxTank], 7000.0f - 3176.0f, 0.01f);
    ASSERT_TRUE(DistributeFuel(3000.0f, shares));
    EXPECT_EQ(shares[kMainTank1], 1500.0f);
    EXPECT_EQ(shares[kCenterTank], 0.0f);
    EXPECT_FALSE(DistributeFuel(kNaN, shares));

    // Ground transfer: bleed air from a running engine pushes the forward
    // tank's fuel into the centre tank.
    reset(false);
    SetTankQuantity(kForwardAuxTank, 1000.0f);
    SetAuxMode(kAuxModeGroundTransfer);
    SetAuxBleedSwitch(kAuxBleedForward, true);
    SetAuxTransferSwitch(kAuxTransferForwardA, true);
    frame();
    EXPECT_EQ(AuxDifferentialPressure(0), AuxDifferentialPressure(1)) << "no bleed air yet";
    standin::setFloat(kN1, 20.0f, 0);
    runFor(100.0f);
    EXPECT_NEAR(AuxDifferentialPressure(0), 8.13f, 1e-4f);
    EXPECT_TRUE(AuxTransferring(0));
    EXPECT_FALSE(AuxTransferring(1));
    const float moved = 1000.0f - TankQuantity(kForwardAuxTank);
    EXPECT_NEAR(moved / 100.0f, (8.13f - 2.628f) * 0.247f, 0.02f);
    EXPECT_NEAR(TankQuantity(kCenterTank), moved, 0.1f);
}

TEST_F(Fuel, PanelLightsShowLowImbalanceAndCentreConfig) {
    struct Case {
        const char* name;
        float left, center, right;
        bool centerPumps, engineRunning;
        int lights[3];  // main 1, centre, main 2
    };
    const Case cases[] = {
        {"balanced", 3000.0f, 0.0f, 3000.0f, true, true, {0, 0, 0}},
        {"left low", 900.0f, 0.0f, 1000.0f, true, true, {2, 0, 0}},
        {"left light by 500", 2500.0f, 0.0f, 3000.0f, true, true, {1, 0, 0}},
        {"centre fuel, pumps off, engine on", 3000.0f, 800.0f, 3000.0f, false, true, {0, 3, 0}},
        {"centre fuel, engines off", 3000.0f, 800.0f, 3000.0f, false, false, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        reset(false);
        SetTankQuantity(kMainTank1, c.left);
        SetTankQuantity(kCenterTank, c.center);
        SetTankQuantity(kMainTank2, c.right);
        SetFuelPumpSwitch(2, c.centerPumps);
        SetFuelPumpSwitch(3, c.centerPumps);
        standin::setFloat(kN1, c.engineRunning ? 20.0f : 0.0f, 1);
        frame();
        for (int tank = 0; tank < 3; ++tank) {
            EXPECT_EQ(FuelTankLight(tank), c.lights[tank]) << c.name << ", tank " << tank;
        }
    }
}

TEST_F(Fuel, AuxPanelListsWalkTheirMessagesWrapAndCallAgainAfterFifteenMinutes) {
    ASSERT_TRUE(SetForwardAuxTanks(1));
    reset(false);
    runFor(2.5f);  // one evaluation: switches off, no pressure, tanks empty
    EXPECT_TRUE(AfcpListAHasMessage());
    EXPECT_EQ(AfcpShownList(), kAfcpListA);
    const char* walk[][2] = {{"AFT LOW ", "PRESSURE"},
                             {"FWD LOW ", "PRESSURE"},
                             {"TRANSFER", "OFF     "},
                             {"AFT QTY ", "LOW     "},
                             {"FWD QTY ", "LOW     "}};
    for (const auto& message : walk) {
        AfcpNextMessageA(now);
        EXPECT_STREQ(AfcpMessageLine(0), message[0]);
        EXPECT_STREQ(AfcpMessageLine(1), message[1]);
    }
    AfcpNextMessageA(now);  // past the last: quiet
    EXPECT_EQ(AfcpCursor(kAfcpListA), 0);
    EXPECT_STREQ(AfcpMessageLine(0), "");
    EXPECT_FALSE(AfcpListAHasMessage());
    AfcpResetCursorA(now);
    EXPECT_STREQ(AfcpMessageLine(0), "AFT LOW ");
    AfcpNextMessageB(now);  // list B is shown, with nothing standing
    EXPECT_EQ(AfcpShownList(), kAfcpListB);
    EXPECT_EQ(AfcpCursor(kAfcpListB), 0);
    for (int n = 0; n < 6; ++n) AfcpNextMessageA(now);
    EXPECT_EQ(AfcpShownList(), kAfcpListA);
    EXPECT_EQ(AfcpCursor(kAfcpListA), 0);
    runFor(890.0f, 0.5f);
    EXPECT_FALSE(AfcpListAHasMessage());
    runFor(20.0f, 0.5f);
    EXPECT_TRUE(AfcpListAHasMessage()) << "the standing messages call again";
}

TEST_F(Fuel, TheTenAuxFailuresComeUpInTheGroundListAfterTheirDrawnTimes) {
    ASSERT_TRUE(SetAftAuxTanks(1));
    reset(false);
    runFor(3.0f);
    EXPECT_FALSE(AfcpListBHasMessage()) << "no failure within minutes of a reset";
    frame(200.0f * 3600.0f);  // past the latest failure time
    frame();
    EXPECT_EQ(AfcpShownList(), kAfcpListB);
    EXPECT_TRUE(AfcpListBHasMessage());
    std::string failures;
    for (AfcpNextMessageB(now); AfcpCursor(kAfcpListB) != 0; AfcpNextMessageB(now)) {
        failures += std::string(AfcpMessageLine(0)) + AfcpMessageLine(1) + "|";
    }
    EXPECT_EQ(failures,
              "CTRL SYSFAIL    |FWD CARDA FAIL  |FWD CARDB FAIL  |AFT CARDA FAIL  |"
              "AFT CARDB FAIL  |429 CARDFAIL    |CTR TANKHI SNSR |CTR TANKLO SNSR |"
              "AFT PRESSENSOR  |FWD PRESSENSOR  |");
}

TEST_F(Fuel, BadValuesFromTheSimulatorNeverReachTheTanks) {
    reset(false);
    SetTankQuantity(kCenterTank, 1000.0f);
    runFor(5.0f);
    const float before = total();
    struct Case {
        const char* name;
        float flow;
        float time;
    };
    const Case cases[] = {
        {"NaN fuel flow", kNaN, kFrame},
        {"negative fuel flow", -50.0f, kFrame},
        {"infinite fuel flow", std::numeric_limits<float>::infinity(), kFrame},
        {"NaN time", 0.0f, kNaN},
        {"time backwards", 0.0f, -100.0f},
    };
    for (const Case& c : cases) {
        setFuelFlow(c.flow, c.flow);
        FuelTankAndPumpStep(now + c.time);
        FuelFlowStep(now + c.time);
        AuxTankStep(now + c.time);
        for (int tank = 0; tank < kFuelTanks; ++tank) {
            EXPECT_TRUE(std::isfinite(TankQuantity(tank))) << c.name;
            EXPECT_GE(TankQuantity(tank), 0.0f) << c.name;
            EXPECT_LE(TankQuantity(tank), TankCapacity(tank)) << c.name;
        }
        EXPECT_LE(total(), before) << c.name;
        FuelTankAndPumpStep(now);
        setFuelFlow(0.0f, 0.0f);
    }
    SetTankQuantity(kMainTank1, kNaN);
    SetTankQuantity(kMainTank2, -10.0f);
    EXPECT_EQ(TankQuantity(kMainTank2), 0.0f);
    EXPECT_EQ(AddFuel(kMainTank1, kNaN, 15.0f), 0.0f);
    EXPECT_TRUE(std::isfinite(TankQuantity(kMainTank1)));
    const float room = TankCapacity(kCenterTank) - TankQuantity(kCenterTank);
    EXPECT_EQ(AddFuel(kCenterTank, 20000.0f, 15.0f), room);
    EXPECT_EQ(TankQuantity(kCenterTank), TankCapacity(kCenterTank));
    // A simulator mass gone bad takes the model's at once.
    standin::setFloat(kSimMass[0], kNaN);
    FuelMassWriteBack();
    EXPECT_EQ(standin::getFloat(kSimMass[0]), TankQuantity(kMainTank1));
}

}  // namespace
