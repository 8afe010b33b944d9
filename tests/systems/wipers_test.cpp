// The wipers' stowage, stroke and pause times per selector, PARK in
// mid-stroke, power loss, and the selector's ends.
#include "systems/wipers.h"

#include <gtest/gtest.h>

#include "host/served_aircraft.h"
#include "sim/random.h"
#include "sim/sim_binding.h"
#include "support/host_fixture.h"
#include "systems/electrical.h"

namespace {

using namespace quil;

constexpr float kTick = 0.002f;  // s, fine enough to time a stroke

// Both wipers parked, DC bus 1 on ground power.
class Wipers : public quiltest::InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        BindSimulatorState();
        SeedRandom(7u);
        RestartElectricalModel();
        now = standin::simTime();
        ElectricalStep(now);  // the first step only initialises
        SetGroundPowerUnitPresent(true);
        setPower(true);
        for (int w = 0; w < kWipers; ++w) select(w, kWiperPark);
        ASSERT_EQ(timeUntil([] { return WiperStowage(0) + WiperStowage(1) == 0.0f; }) < 3.0f, true);
    }

    void setPower(bool on) {
        SetExternalPowerSwitch(on ? kSwitchOn : kSwitchOff);
        ElectricalStep(now += 0.05f);
        ElectricalStep(now += 0.05f);
        ASSERT_EQ(dcBusPowered(0), on);
    }
    static void select(int wiper, int position) {
        while (WiperSelector(wiper) > position) WiperSelectorDown(wiper);
        while (WiperSelector(wiper) < position) WiperSelectorUp(wiper);
    }
    // Steps until the condition holds; the time it took.
    template <typename Condition>
    float timeUntil(Condition condition, float limit = 20.0f) {
        const float start = now;
        while (!condition() && now - start < limit) StepWipers(now += kTick);
        return now - start;
    }

    float now = 0.0f;
};

TEST_F(Wipers, EachSelectorUnstowsThenStrokesAndPausesAtItsRate) {
    struct Case {
        const char* name;
        int selector;
        float stroke;  // s, one way, at the slowest of the random speeds
        float pause;   // s between strokes
    } cases[] = {{"LOW", kWiperLow, 0.8f, 0.15f},
                 {"HIGH", kWiperHigh, 0.53f, 0.15f},
                 {"INT", kWiperInt, 0.8f, 5.0f}};
    for (const Case& c : cases) {
        select(0, c.selector);
        EXPECT_NEAR(timeUntil([] { return WiperStowage(0) == 1.0f; }), 0.54f, 3 * kTick) << c.name;
        for (int stroke = 0; stroke < 2; ++stroke) {
            for (float end : {1.0f, 0.0f}) {
                const float t = timeUntil([end] { return WiperPosition(0) == end; });
                // The speed is up to 4 % above its nominal.
                EXPECT_NEAR(t, c.stroke * 0.98f, c.stroke * 0.02f + 2 * kTick) << c.name << stroke;
            }
            EXPECT_NEAR(timeUntil([] { return WiperPosition(0) > 0.0f; }), c.pause, 3 * kTick)
                << c.name << ", stroke " << stroke;
        }
        EXPECT_EQ(WiperStowage(1), 0.0f) << c.name << ": the right wiper stays parked";
        select(0, kWiperPark);
        timeUntil([] { return WiperStowage(0) == 0.0f; });
    }
}

TEST_F(Wipers, ParkInMidStrokeFinishesTheStrokeThenStows) {
    select(0, kWiperLow);
    timeUntil([] { return WiperPosition(0) > 0.5f; });
    select(0, kWiperPark);
    EXPECT_LT(timeUntil([] { return WiperPosition(0) == 1.0f; }), 0.5f);
    EXPECT_LT(timeUntil([] { return WiperPosition(0) == 0.0f; }), 0.81f);
    EXPECT_NEAR(timeUntil([] { return WiperStowage(0) == 0.0f; }), 0.54f, 3 * kTick);
}

TEST_F(Wipers, WithoutDcBusOneBothWipersStopWhereTheyAreAndGoOnWithPower) {
    select(0, kWiperLow);
    select(1, kWiperHigh);
    timeUntil([] { return WiperPosition(0) > 0.4f; });
    setPower(false);
    const float held[] = {WiperStowage(0), WiperPosition(0), WiperStowage(1), WiperPosition(1)};
    timeUntil([] { return false; }, 2.0f);
    EXPECT_EQ(WiperStowage(0), held[0]);
    EXPECT_EQ(WiperPosition(0), held[1]);
    EXPECT_EQ(WiperStowage(1), held[2]);
    EXPECT_EQ(WiperPosition(1), held[3]);
    setPower(true);
    StepWipers(now);  // the power's own 0.1 s move it on
    EXPECT_NEAR(WiperPosition(0), held[1] + 0.13f, 0.01f);
}

TEST_F(Wipers, TheSelectorStopsAtParkAndHighAndOtherWipersAreIgnored) {
    WiperSelectorDown(0);
    EXPECT_EQ(WiperSelector(0), kWiperPark);
    select(0, kWiperHigh);
    WiperSelectorUp(0);
    EXPECT_EQ(WiperSelector(0), kWiperHigh);
    WiperSelectorUp(2);
    EXPECT_EQ(WiperSelector(2), kWiperPark);
}

}  // namespace
