// Window heat cycling and its overheat test, engine anti-ice after its
// valves' transitions, the take-off inhibit, the wing duct's overheat close
// and reopen, and the simulator's switches as the snapshot read writes them.
#include "systems/anti_ice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "host/frame_table.h"
#include "host/served_aircraft.h"
#include "host/snapshot_read.h"
#include "sim/random.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/engines.h"
#include "systems/motorised_valve.h"

namespace {

using namespace quil;

constexpr const char* kPitotHeat = "sim/cockpit/switches/pitot_heat_on";
constexpr const char* kSurfaceHeat = "sim/cockpit/switches/anti_ice_surf_heat";
constexpr const char* kInletHeat = "sim/cockpit/switches/anti_ice_inlet_heat";

// The model on a fresh stand-in host at 30 frames a second, stepped every
// fourth frame as the snapshot read steps it, on ground power, with every
// switch off and the valves and heaters settled.
class AntiIce : public quiltest::InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        snapshot = SimSnapshot{};
        snapshot.oat = 10;
        BindSimulatorState();
        SeedRandom(19u);
        RestartElectricalModel();
        RestartApuModel();
        ElectricalStep(standin::simTime());  // the first step only initialises
        SetGroundPowerUnitPresent(true);
        SetExternalPowerSwitch(kSwitchOn);
        setAllSwitches(false);
        SetWindowHeatOverheatTest(false);
        runFor(3.0f);
        ASSERT_TRUE(transferBusPowered(0) && transferBusPowered(1));
        ClearAntiIceInitialised();
    }

    static void setAllSwitches(bool on) {
        SetWingAntiIceSwitch(on);
        for (int e = 0; e < kAntiIceEngines; ++e) SetEngineAntiIceSwitch(e, on);
        for (int s = 0; s < kProbeHeatSides; ++s) SetProbeHeatSwitch(s, on);
        for (int c = 0; c < kWindowHeatChannels; ++c) SetWindowHeatSwitch(c, on);
    }
    // Runs for a time, calling watch after every frame.
    void runFor(float seconds, const std::function<void()>& watch = [] {}) {
        for (const float end = standin::simTime() + seconds; standin::simTime() < end;) {
            standin::runFrame();
            ReadTime();
            ElectricalStep(standin::simTime());
            if (frames++ % 4 == 0) StepAntiIce();
            watch();
        }
    }

    long frames = 0;
};

TEST_F(AntiIce, AWindowChannelWarmsAndCyclesItsHeaterBetween36And40Degrees) {
    // On a warm day: in air below about 20 °C the window settles under 40 °C.
    snapshot.oat = 25;
    SetWindowHeatSwitch(0, true);
    float on[2] = {100.0f, 0.0f}, off[2] = {100.0f, 0.0f}, heated = 0.0f;
    bool heating = false;
    runFor(900.0f, [&] {
        // A heater draws 5.9 A less 0.03 A per °C of its window.
        const float temperature = (5.9f - WindowHeatCurrent(0)) / 0.03f;
        const bool now = WindowHeatChannelLights(0).heating;
        float(&edge)[2] = now ? on : off;
        if (now != heating && heated > 0.0f) {
            const float at = now ? temperature : heated;
            edge[0] = std::min(edge[0], at);
            edge[1] = std::max(edge[1], at);
        }
        if (now) heated = temperature;
        heating = now;
    });
    EXPECT_NEAR(on[0], 35.9f, 0.15f);  // read after the step that switched it on
    EXPECT_NEAR(on[1], 35.9f, 0.15f);
    EXPECT_NEAR(off[0], 40.05f, 0.1f);
    EXPECT_NEAR(off[1], 40.05f, 0.1f);
    EXPECT_FALSE(WindowHeatChannelLights(1).heating) << "channel 1 is off";
}

TEST_F(AntiIce, TheOverheatTestTripsEveryPoweredChannelUntilReleased) {
    setAllSwitches(true);
    runFor(0.2f);  // starting the model releases the test switch
    for (bool test : {true, false}) {
        SetWindowHeatOverheatTest(test);
        runFor(0.3f);
        for (int c = 0; c < kWindowHeatChannels; ++c) {
            EXPECT_EQ(WindowHeatChannelLights(c).overheat, test) << "channel " << c;
            EXPECT_EQ(WindowHeatCurrent(c) > 5.0f, !test) << "channel " << c;
        }
    }
}

TEST_F(AntiIce, InletHeatComesOnlyAfterBothEngineValvesHaveOpened) {
    SetEngineAntiIceSwitch(0, true);
    SetEngineAntiIceSwitch(1, true);
    float elapsed = 0.0f;
    for (float after : {0.1f, 1.8f, 0.9f}) {  // each valve takes 2 to 2.6 s
        runFor(after);
        const bool open = (elapsed += after) > 2.6f;
        for (int e = 0; e < kAntiIceEngines; ++e) {
            EXPECT_EQ(EngineAntiIceState(e), open ? kValveOpen : kValveInTransit) << e;
        }
        EXPECT_EQ(standin::getInt(kInletHeat), open ? 1 : 0);
    }
}

TEST_F(AntiIce, TakeOffThrustCloseToTheGroundTurnsWingAntiIceOff) {
    struct Case {
        const char* name;
        int thrustLimit;
        float radioAltitude, throttle;
        bool stays;
    } cases[] = {
        {"take-off thrust at 500 ft", kThrustLimitTakeoff, 500.0f, 0.8f, false},
        {"climb limit", kThrustLimitClimb, 500.0f, 0.8f, true},
        {"above 800 ft", kThrustLimitTakeoff, 850.0f, 0.8f, true},
        {"throttle at 0.7", kThrustLimitTakeoff, 500.0f, 0.7f, true},
    };
    for (const Case& c : cases) {
        SetThrustLimitMode(c.thrustLimit);
        snapshot.radioAltitude = c.radioAltitude;
        standin::setFloat("sim/flightmodel/engine/ENGN_thro", c.throttle, 1);
        SetWingAntiIceSwitch(true);
        runFor(0.2f);
        EXPECT_EQ(WingAntiIceSwitch(), c.stays) << c.name;
    }
}

TEST_F(AntiIce, AnOverheatedWingDuctClosesItsValveAbove125AndReopensBelow95) {
    snapshot.bleedAirOn = 1;
    snapshot.egt[0] = snapshot.egt[1] = 400.0f;
    SetWingAntiIceSwitch(true);
    float closedAt = 0.0f, reopenedAt = 0.0f;
    std::uint8_t last = WingAntiIceValveState(0);
    int closes = 0, surfaceHeat = 0;
    runFor(400.0f, [&] {
        const std::uint8_t state = WingAntiIceValveState(0);
        if (last == kValveOpen && state != kValveOpen && closes++ == 0) {
            closedAt = WingDuctTemperature(0);
        }
        if (last != kValveOpen && state == kValveOpen && closes == 1) {
            reopenedAt = WingDuctTemperature(0);
        }
        surfaceHeat = std::max(surfaceHeat, standin::getInt(kSurfaceHeat));
        last = state;
    });
    EXPECT_GE(closes, 2) << "it keeps overheating while bleed air and the switch stay on";
    EXPECT_NEAR(closedAt, 126.0f, 1.0f);
    EXPECT_NEAR(reopenedAt, 92.0f, 3.0f);  // opened in 2.6 s at most from below 95 °C
    EXPECT_EQ(surfaceHeat, 1);
}

TEST_F(AntiIce, TheFrameWritesThePitotHeatSwitchEveryFourthFrame) {
    SetProbeHeatSwitch(0, true);
    runFor(0.2f);
    std::vector<int> written;
    for (int frame = 0; frame < 12; ++frame) {
        standin::setInt(kPitotHeat, 0);
        standin::runFrame();
        RunFrame();
        if (standin::getInt(kPitotHeat) == 1) written.push_back(frame);
    }
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[1] - written[0], 4);
    EXPECT_EQ(written[2] - written[1], 4);
}

}  // namespace
