// Refuelling: the flow through the open channels at the station's pressure,
// the station and the realtime sequence stopped the moment the aircraft
// may no longer take fuel, the sequence's stages up to a request or to
// full tanks, and the full flag that stops a channel until its valve is
// closed.
#include "systems/refuelling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "autoflight/phases.h"
#include "host/served_aircraft.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/fuel.h"

namespace {

using namespace quil;

constexpr float kFrame = 1.0f / 30.0f;
constexpr const char* kGearForce = "sim/flightmodel/forces/fnrml_gear";
constexpr float kParkedGearForce = 600000.0f;  // newtons

// The refuelling and fuel models with the electrical model they read, in
// the systems update's order, on ground power, parked, both mains nearly
// empty and the centre tank empty, in kilograms.
class Refuelling : public quiltest::InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        snapshot = SimSnapshot{};
        BindSimulatorState();
        RestartElectricalModel();
        RestartApuModel();
        RestartFuelModel();
        SetFuelUnit(FuelUnit::Kilograms);
        snapshot.oat = 15;
        snapshot.parkBrake = 1.0f;
        standin::setFloat(kGearForce, kParkedGearForce);
        now = standin::simTime();
        ResetFuel(true, now);
        ClearFuelSwitchStates(now);
        ResetRefuelling();
        frame();
        SetGroundPowerUnitPresent(true);
        SetExternalPowerSwitch(kSwitchOn);
        // The fuel model notices full tanks from 4 s after its reset.
        runFor(5.0f);
        ASSERT_TRUE(RefuellingPowerAvailable());
    }

    void frame(float dt = kFrame) {
        now += dt;
        snapshot.now = now;
        ElectricalStep(now);
        UpdateFlightPhase(now);
        RefuellingStep(now);
        FuelTankAndPumpStep(now);
        FuelFlowStep(now);
        AuxTankStep(now);
        FuelMassWriteBack();
    }
    void runFor(float seconds, float dt = kFrame) {
        const long frames = std::lround(seconds / dt);
        for (long n = 0; n < frames; ++n) frame(dt);
    }
    static std::vector<float> quantities() {
        std::vector<float> q;
        for (int tank = 0; tank < kFuelTanks; ++tank) q.push_back(TankQuantity(tank));
        return q;
    }

    float now = 0.0f;
};

TEST_F(Refuelling, EachOpenChannelTakesItsShareOfTheStationPressure) {
    struct Case {
        std::vector<int> open;
        float kgPerSecondAt53Psi;  // into each open channel's tank
    };
    const Case cases[] = {
        {{kRefuelChannelLeft}, 19.2f},
        {{kRefuelChannelCenter}, 19.2f},
        {{kRefuelChannelLeft, kRefuelChannelRight}, 17.5f},
        {{kRefuelChannelLeft, kRefuelChannelCenter, kRefuelChannelRight}, 0.297f * 53.0f},
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.open.size()) + " open, first " +
                                 std::to_string(c.open.front());
        ResetFuel(true, now);
        for (int channel : c.open) SetRefuelValve(channel, true);
        SwitchFuelStationOn();
        const float pressure = FuelStationPressure();
        EXPECT_GE(pressure, 52.0f) << name;
        EXPECT_LE(pressure, 55.0f) << name;
        const std::vector<float> before = quantities();
        runFor(2.0f);
        const float expected = c.kgPerSecondAt53Psi * pressure / 53.0f;
        for (int channel = 0; channel < kRefuelChannels; ++channel) {
            const int tank = RefuelChannelTank(channel);
            const bool open = RefuelValveOpen(channel);
            EXPECT_NEAR((TankQuantity(tank) - before[tank]) / 2.0f, open ? expected : 0.0f, 0.1f)
                << name << ", channel " << channel;
        }
        EXPECT_NEAR(FuelAddedLastStep(), expected * kFrame, 0.01f) << name;
        ResetRefuelling();
    }
}

TEST_F(Refuelling, TheStationStopsTheMomentTheAircraftMayNoLongerTakeFuel) {
    struct Case {
        const char* name;
        float gearForce;
        float parkBrake;
    };
    const Case cases[] = {
        {"parking brake released", kParkedGearForce, 0.0f},
        {"lifted off", 0.0f, 1.0f},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(StartRealtimeRefuelling(10000.0f)) << c.name;
        runFor(2.0f);
        ASSERT_GT(TankQuantity(kMainTank1), 250.0f) << c.name;
        snapshot.parkBrake = c.parkBrake;
        standin::setFloat(kGearForce, c.gearForce);
        frame();
        EXPECT_FALSE(FuelStationActive()) << c.name;
        EXPECT_FALSE(RealtimeRefuellingActive()) << c.name;
        EXPECT_EQ(FuelStationPressure(), 0.0f) << c.name;
        const std::vector<float> stopped = quantities();
        runFor(2.0f);
        EXPECT_EQ(quantities(), stopped) << c.name << ": no more fuel";
        SwitchFuelStationOn();
        EXPECT_FALSE(FuelStationActive()) << c.name << ": cannot be switched on again";
        EXPECT_FALSE(StartRealtimeRefuelling(10000.0f)) << c.name;

        snapshot.parkBrake = 1.0f;
        standin::setFloat(kGearForce, kParkedGearForce);
        ResetRefuelling();
        ResetFuel(true, now);
    }
}

TEST_F(Refuelling, TheRealtimeSequenceFillsTheTanksStageByStage) {
    constexpr float kFull = -1.0f;  // the tank's capacity
    struct Case {
        const char* name;
        int forward, aft;
        float request;
        float expected[kFuelTanks];
        float tolerance;
    };
    const Case cases[] = {
        {"beyond the capacity", 0, 0, 99999.0f, {kFull, kFull, kFull, 0, 0}, 2.0f},
        {"beyond the capacity, aux tanks", 2, 3, 99999.0f, {kFull, kFull, kFull, kFull, kFull},
         2.0f},
        {"9000 kg: full mains, the rest in the centre", 0, 0, 9000.0f, {kFull, 1200, kFull, 0, 0},
         10.0f},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SetForwardAuxTanks(c.forward) && SetAftAuxTanks(c.aft));
        ResetFuel(true, now);
        ASSERT_TRUE(StartRealtimeRefuelling(c.request)) << c.name;
        EXPECT_TRUE(RefuelValveOpen(kRefuelChannelLeft) && RefuelValveOpen(kRefuelChannelRight) &&
                    !RefuelValveOpen(kRefuelChannelCenter))
            << c.name << ": the mains first";
        for (int minute = 0; minute < 40 && RealtimeRefuellingActive(); ++minute) {
            runFor(60.0f, 0.25f);
        }
        EXPECT_FALSE(RealtimeRefuellingActive()) << c.name;
        EXPECT_FALSE(FuelStationActive()) << c.name;
        for (int tank = 0; tank < kFuelTanks; ++tank) {
            const float expected = c.expected[tank] == kFull ? TankCapacity(tank) : c.expected[tank];
            EXPECT_NEAR(TankQuantity(tank), expected, c.tolerance) << c.name << ", tank " << tank;
        }
        for (int channel = 0; channel < kRefuelChannels; ++channel) {
            EXPECT_FALSE(RefuelValveOpen(channel)) << c.name << ", channel " << channel;
        }
        EXPECT_FALSE(AuxRefuelSelected()) << c.name;
    }
    ASSERT_TRUE(SetForwardAuxTanks(0) && SetAftAuxTanks(0));
}

TEST_F(Refuelling, AFullTankStopsItsChannelUntilTheValveCloses) {
    SetTankQuantity(kMainTank1, 3890.0f);
    SetRefuelValve(kRefuelChannelLeft, true);
    SwitchFuelStationOn();
    runFor(1.0f);
    EXPECT_EQ(TankQuantity(kMainTank1), TankCapacity(kMainTank1));
    EXPECT_TRUE(TankFullDuringRefuelling(kMainTank1));
    EXPECT_FALSE(RefuelChannelFlowing(kRefuelChannelLeft));
    SetRefuelValve(kRefuelChannelLeft, false);
    EXPECT_FALSE(TankFullDuringRefuelling(kMainTank1));
}

}  // namespace
