// The wipers' stowage, stroke and pause times per selector, PARK in
// mid-stroke, power loss, and the selector's ends.
#include "systems/wipers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "host/random.h"
#include "host/sim_binding.h"
#include "host/snapshot.h"
#include "support/host_fixture.h"
#include "systems/apu.h"
#include "systems/electrical.h"

namespace {

using namespace quil;

constexpr float kTick = 0.002f;  // s, fine enough to time a stroke

// Both wipers parked, DC bus 1 on ground power.
class Wipers : public quiltest::InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        snapshot = SimSnapshot{};
        BindSimulatorState();
        SeedRandom(7u);
        RestartElectricalModel();
        RestartApuModel();
        now = standin::simTime();
        setPower(true);
        for (int w = 0; w < kWipers; ++w) select(w, kWiperPark);
        runFor(3.0f);
        ASSERT_EQ(WiperStowage(0), 0.0f);
    }

    void setPower(bool on) {
        SetGroundPowerUnitPresent(true);
        SetExternalPowerSwitch(on ? kSwitchOn : kSwitchOff);
        for (int n = 0; n < 2; ++n) {
            now += 0.05f;
            ElectricalStep(now);
        }
        ASSERT_EQ(dcBusPowered(0), on);
    }
    static void select(int wiper, int position) {
        while (WiperSelector(wiper) > position) WiperSelectorDown(wiper);
        while (WiperSelector(wiper) < position) WiperSelectorUp(wiper);
    }
    void tick() {
        now += kTick;
        StepWipers(now);
    }
    void runFor(float seconds) {
        for (long n = std::lround(seconds / kTick); n > 0; --n) tick();
    }
    // Runs until the condition holds; the time it took.
    template <typename Condition>
    float timeUntil(Condition condition, float limit = 20.0f) {
        const float start = now;
        while (!condition() && now - start < limit) tick();
        return now - start;
    }

    float now = 0.0f;
};

TEST_F(Wipers, EachSelectorUnstowsThenStrokesAndPausesAtItsRate) {
    struct Case {
        const char* name;
        int selector;
        float strokeMin, strokeMax;  // s, one way
        float pause;                 // s between strokes
    } cases[] = {
        {"LOW", kWiperLow, 0.8f / 1.04f, 0.8f, 0.15f},
        {"HIGH", kWiperHigh, 0.53f / 1.03f, 0.53f, 0.15f},
        {"INT", kWiperInt, 0.8f / 1.04f, 0.8f, 5.0f},
    };
    for (const Case& c : cases) {
        select(0, kWiperPark);
        timeUntil([] { return WiperStowage(0) == 0.0f; });
        select(0, c.selector);
        EXPECT_NEAR(timeUntil([] { return WiperStowage(0) == 1.0f; }), 0.54f, 2 * kTick) << c.name;
        for (int stroke = 0; stroke < 2; ++stroke) {
            const float out = timeUntil([] { return WiperPosition(0) == 1.0f; });
            const float back = timeUntil([] { return WiperPosition(0) == 0.0f; });
            for (float t : {out, back}) {
                EXPECT_GE(t, c.strokeMin - 2 * kTick) << c.name << ", stroke " << stroke;
                EXPECT_LE(t, c.strokeMax + 2 * kTick) << c.name << ", stroke " << stroke;
            }
            EXPECT_NEAR(timeUntil([] { return WiperPosition(0) > 0.0f; }), c.pause, 3 * kTick)
                << c.name << ", stroke " << stroke;
        }
        EXPECT_EQ(WiperStowage(1), 0.0f) << c.name << ": the right wiper stays parked";
    }
}

TEST_F(Wipers, ParkInMidStrokeFinishesTheStrokeThenStows) {
    select(0, kWiperLow);
    timeUntil([] { return WiperPosition(0) > 0.5f; });
    select(0, kWiperPark);
    EXPECT_LT(timeUntil([] { return WiperPosition(0) == 1.0f; }), 0.5f);
    EXPECT_LT(timeUntil([] { return WiperPosition(0) == 0.0f; }), 0.81f);
    EXPECT_EQ(WiperStowage(0), 1.0f);
    EXPECT_NEAR(timeUntil([] { return WiperStowage(0) == 0.0f; }), 0.54f, 3 * kTick);
    runFor(2.0f);
    EXPECT_EQ(WiperPosition(0), 0.0f);
    EXPECT_EQ(WiperStowage(0), 0.0f);
}

TEST_F(Wipers, WithoutDcBusOneBothWipersStopWhereTheyAreAndGoOnWithPower) {
    select(0, kWiperLow);
    select(1, kWiperHigh);
    timeUntil([] { return WiperPosition(0) > 0.4f; });
    setPower(false);
    const float held[2][2] = {{WiperStowage(0), WiperPosition(0)},
                              {WiperStowage(1), WiperPosition(1)}};
    runFor(2.0f);
    for (int w = 0; w < kWipers; ++w) {
        EXPECT_EQ(WiperStowage(w), held[w][0]) << "wiper " << w;
        EXPECT_EQ(WiperPosition(w), held[w][1]) << "wiper " << w;
    }
    setPower(true);  // the power's own steps are not the wipers' time
    tick();
    EXPECT_GT(WiperPosition(0), held[0][1]);
    EXPECT_LT(WiperPosition(0), held[0][1] + 0.2f);
}

TEST_F(Wipers, TheSelectorStopsAtParkAndHighAndOtherWipersAreIgnored) {
    WiperSelectorDown(0);
    EXPECT_EQ(WiperSelector(0), kWiperPark);
    select(0, kWiperHigh);
    WiperSelectorUp(0);
    EXPECT_EQ(WiperSelector(0), kWiperHigh);
    WiperSelectorUp(2);
    WiperSelectorDown(-1);
    EXPECT_EQ(WiperSelector(2), kWiperPark);
    EXPECT_EQ(WiperPosition(-1), 0.0f);
    EXPECT_EQ(WiperStowage(5), 0.0f);
}

}  // namespace
