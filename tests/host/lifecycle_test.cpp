// The plug-in's life as the simulator sees it: what it registers and sends
// at start, whether it serves the aircraft, the messages it answers, and
// that stop leaves nothing behind.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <string>

#include "support/host_fixture.h"
#include "support/test_aircraft.h"

namespace {

using quiltest::TestAircraft;

constexpr uint32_t kHello = 0x88888880;
constexpr uint32_t kState = 0x8888888c;

class Lifecycle : public quiltest::HostTest {
protected:
    XPLMPluginID startOn(const TestAircraft& aircraft) {
        standin::setAircraft(quiltest::makeAircraft(aircraft));
        return load(quiltest::pluginPath());
    }
    int override(const char* name) { return standin::getInt(std::string("sim/operation/override/") + name); }
    bool overridesAre(int value) {
        return override("override_flightdir") == value && override("override_autopilot") == value &&
               override("override_fms_advance") == value;
    }
    // The broadcasts the plug-in sent since the log was last cleared.
    std::vector<uint32_t> broadcasts(XPLMPluginID plugin) {
        std::vector<uint32_t> sent;
        for (const standin::MessageRecord& record : standin::messageLog()) {
            if (record.from == plugin) sent.push_back(static_cast<uint32_t>(record.message));
        }
        return sent;
    }
};

TEST_F(Lifecycle, AnAircraftWithAConfigurationFileIsServedWhoeverMadeIt) {
    TestAircraft aircraft;
    aircraft.author = "Someone Else";
    aircraft.description = "A glider";
    aircraft.configuration = "tailnum = \"OY-ABC\"\n";
    startOn(aircraft);
    EXPECT_TRUE(overridesAre(1));
    standin::runFrame();
    EXPECT_GT(standin::lastFrameCounts().sdkCalls, 0) << "the served plug-in works every frame";
}

TEST_F(Lifecycle, AnAircraftByItsAuthorAndDescriptionIsServedWithoutAFile) {
    startOn(TestAircraft{});
    EXPECT_TRUE(overridesAre(1));
}

TEST_F(Lifecycle, AnotherAircraftIsNotServedAndThePlugInStaysPassive) {
    for (const auto& [author, description] :
         {std::pair{"Orrin Valdemarsson", "Boeing 747-400"}, {"Someone Else", "Boeing 737-800"}}) {
        standin::startHost(config());
        TestAircraft aircraft;
        aircraft.author = author;
        aircraft.description = description;
        TestAircraft withEmptyFile = aircraft;
        withEmptyFile.configuration = "";  // an empty file does not count
        const XPLMPluginID id = startOn(withEmptyFile);
        EXPECT_TRUE(overridesAre(0)) << author << " / " << description;
        EXPECT_TRUE(standin::pluginInfo(id).enabled) << "start still succeeds";
        standin::runFrames(40);
        EXPECT_EQ(standin::lastFrameCounts().sdkCalls, 0) << author << " / " << description;
    }
}

TEST_F(Lifecycle, StartRegistersTheDrawCallbacksAndTheFlightLoopAndAnnouncesItself) {
    const XPLMPluginID id = startOn(TestAircraft{});
    const std::vector<standin::DrawCallbackInfo> draws = standin::drawCallbacks();
    ASSERT_EQ(draws.size(), 4u);
    const std::pair<int, bool> expected[] = {{45, false}, {45, true}, {50, false}, {40, true}};
    for (size_t i = 0; i < draws.size(); ++i) {
        EXPECT_EQ(draws[i].phase, expected[i].first) << "callback " << i;
        EXPECT_EQ(draws[i].before, expected[i].second) << "callback " << i;
        EXPECT_EQ(draws[i].owner, id);
    }
    const std::vector<standin::FlightLoopInfo> loops = standin::flightLoops();
    ASSERT_EQ(loops.size(), 1u);
    EXPECT_EQ(loops[0].interval, -1.0f);
    EXPECT_EQ(broadcasts(id), (std::vector<uint32_t>{kHello, kState}));
    for (const standin::MessageRecord& record : standin::messageLog()) {
        EXPECT_EQ(record.param, 0);
    }
}

TEST_F(Lifecycle, StopUnregistersEverythingAndAReloadWorksAgain) {
    for (int cycle = 0; cycle < 2; ++cycle) {
        const XPLMPluginID id = startOn(TestAircraft{});
        standin::runSeconds(2.0);
        standin::disablePlugin(id);
        standin::enablePlugin(id);
        standin::runSeconds(0.5);
        standin::unloadPlugin(id);
        EXPECT_TRUE(standin::drawCallbacks().empty()) << "cycle " << cycle;
        EXPECT_TRUE(standin::flightLoops().empty()) << "cycle " << cycle;
        EXPECT_TRUE(standin::windows().empty()) << "cycle " << cycle;
        EXPECT_TRUE(standin::widgets().empty()) << "cycle " << cycle;
    }
}

TEST_F(Lifecycle, AircraftAndAirportLoadsRebindResetAndAnnounce) {
    const XPLMPluginID id = startOn(TestAircraft{});
    standin::runFrame();
    standin::clearMessageLog();
    standin::sendSimMessage(102, 0);
    EXPECT_EQ(broadcasts(id), (std::vector<uint32_t>{kHello, kState}));
    standin::clearMessageLog();
    standin::sendSimMessage(103, 0);
    EXPECT_EQ(broadcasts(id), (std::vector<uint32_t>{kHello, kState}));
}

TEST_F(Lifecycle, LoadingAnAircraftWeDoNotServeReleasesTheSimulatorsAutopilot) {
    const XPLMPluginID id = startOn(TestAircraft{});
    standin::runFrame();
    TestAircraft other;
    other.name = "OtherJet";
    other.author = "Someone Else";
    standin::clearMessageLog();
    standin::loadAircraft(quiltest::makeAircraft(other));
    EXPECT_TRUE(overridesAre(0));
    EXPECT_TRUE(broadcasts(id).empty());
    standin::runFrames(5);
    EXPECT_EQ(standin::lastFrameCounts().sdkCalls, 0);
    standin::sendSimMessage(103, 0);  // binds again but resets and sends nothing
    EXPECT_TRUE(broadcasts(id).empty());
    standin::loadAircraft(quiltest::makeAircraft(TestAircraft{}));
    EXPECT_TRUE(overridesAre(1));
    EXPECT_EQ(broadcasts(id), (std::vector<uint32_t>{kHello, kState}));
}

TEST_F(Lifecycle, GroundServiceMessagesAreAnsweredOnlyWhileServing) {
    const XPLMPluginID id = startOn(TestAircraft{});
    for (uint32_t message : {0x88888881u, 0x88888882u}) {
        standin::clearMessageLog();
        standin::sendSimMessage(static_cast<int>(message), 0);
        EXPECT_EQ(broadcasts(id), (std::vector<uint32_t>{kState})) << std::hex << message;
    }
    standin::clearMessageLog();
    standin::sendSimMessage(static_cast<int>(0x88888883u), 0);
    EXPECT_TRUE(broadcasts(id).empty());

    TestAircraft other;
    other.name = "OtherJet";
    other.author = "Someone Else";
    standin::loadAircraft(quiltest::makeAircraft(other));
    for (uint32_t message : {0x88888881u, 0x88888882u, 0x88888883u}) {
        standin::clearMessageLog();
        standin::sendSimMessage(static_cast<int>(message), 0);
        EXPECT_TRUE(broadcasts(id).empty()) << std::hex << message;
    }
}

// The delayed reset takes the engines as running from 27 % N2 of engine 1:
// then it switches both generators on line, else it leaves them off.
TEST_F(Lifecycle, TheDelayedResetRunsOnceAndIsWarmFromTwentySevenPercentN2) {
    for (const auto& [n2, warm] : {std::pair{27.0f, true}, {26.9f, false}, {60.0f, true}}) {
        standin::startHost(config());
        standin::setFloat("sim/flightmodel/engine/ENGN_N2_", n2, 0);
        standin::setFloat("sim/flightmodel/engine/ENGN_N2_", n2, 1);
        startOn(TestAircraft{});
        const float due = standin::simTime() + 1.0f;
        standin::clearWriteLog();
        standin::runSeconds(3.0);
        std::vector<long> resetFrames;
        for (const standin::DataRefWrite& write : standin::writeLog()) {
            if (write.name == "sim/cockpit/electrical/generator_on" && write.offset == 0) {
                resetFrames.push_back(write.frame);
                EXPECT_EQ(write.values.at(0), warm ? 1.0 : 0.0) << "N2 " << n2;
            }
        }
        ASSERT_EQ(resetFrames.size(), 1u) << "N2 " << n2;
        const float resetTime = 2.0f + resetFrames[0] / 30.0f;
        EXPECT_GT(resetTime, due) << "N2 " << n2;
        EXPECT_LE(resetTime - 1.0f / 30.0f, due) << "the first frame past the due time";
        EXPECT_EQ(standin::getInt("sim/cockpit/electrical/generator_on", 1), warm ? 1 : 0);
    }
}

// However the clock jumps just after a load, the delayed reset comes within
// about a second of frames (30 at 30 frames a second) of the load.
TEST_F(Lifecycle, TheDelayedResetComesAboutASecondOfFramesAfterTheLoadWhateverTheClockDoes) {
    constexpr long kMostFrames = 32;
    standin::HostConfig longRunning = config();
    longRunning.startTime = 1000.0f;
    for (const float jump : {-100.0f, -0.5f, 0.0f, 100.0f}) {
        standin::startHost(longRunning);
        standin::setFloat("sim/flightmodel/engine/ENGN_N2_", 60.0f, 0);
        startOn(TestAircraft{});
        const long loadFrame = standin::frameNumber();
        standin::jumpTime(jump);
        standin::clearWriteLog();
        standin::runFrames(3 * kMostFrames);
        std::vector<long> resetFrames;
        for (const standin::DataRefWrite& write : standin::writeLog()) {
            if (write.name == "sim/cockpit/electrical/generator_on" && write.offset == 0) {
                resetFrames.push_back(write.frame);
            }
        }
        ASSERT_EQ(resetFrames.size(), 1u) << "jump " << jump;
        EXPECT_LE(resetFrames[0] - loadFrame, kMostFrames) << "jump " << jump;
    }
}

TEST_F(Lifecycle, NoHeapAllocationInAFrameAfterStartUp) {
    startOn(TestAircraft{});
    standin::runSeconds(1.5);  // past the delayed reset
    for (int frame = 0; frame < 90; ++frame) {
        standin::runFrame();
        ASSERT_EQ(standin::lastFrameCounts().allocations, 0) << "frame " << standin::frameNumber();
    }
}

TEST_F(Lifecycle, NonFiniteSimulatorValuesAreNeverWrittenBack) {
    startOn(TestAircraft{});
    standin::runFrame();
    const float nan = std::nanf("");
    const float inf = INFINITY;
    for (const char* name : {"sim/cockpit/autopilot/airspeed", "sim/cockpit/autopilot/heading_mag",
                             "sim/flightmodel/position/y_agl", "sim/weather/temperature_le_c",
                             "sim/flightmodel/misc/h_ind", "sim/cockpit/radios/nav1_hdef_dot",
                             "sim/cockpit/radios/nav1_obs_degm", "sim/time/total_running_time_sec"}) {
        standin::setFloat(name, nan);
    }
    standin::setFloat("sim/flightmodel/engine/ENGN_N2_", inf, 0);
    standin::setFloat("sim/flightmodel/position/indicated_airspeed", inf);
    standin::clearWriteLog();
    standin::runFrames(16);
    standin::setFloat("sim/cockpit/autopilot/heading_mag", -inf);
    standin::runFrames(16);
    for (const standin::DataRefWrite& write : standin::writeLog()) {
        for (double value : write.values) {
            EXPECT_TRUE(std::isfinite(value)) << write.name << " in frame " << write.frame;
        }
    }
}

TEST_F(Lifecycle, TimeThatStandsStillOrRunsBackwardsIsSurvived) {
    startOn(TestAircraft{});
    standin::runSeconds(1.5);
    standin::clearWriteLog();
    standin::setPaused(true);
    standin::runFrames(10);
    standin::setPaused(false);
    standin::jumpTime(-60.0f);
    standin::runFrames(10);
    standin::jumpTime(3600.0f);
    standin::runFrames(10);
    for (const standin::DataRefWrite& write : standin::writeLog()) {
        for (double value : write.values) {
            EXPECT_TRUE(std::isfinite(value)) << write.name << " in frame " << write.frame;
        }
    }
    EXPECT_GT(standin::lastFrameCounts().sdkCalls, 0) << "still working";
}

class LifecycleDrawn : public Lifecycle {
protected:
    standin::HostConfig config() const override { return standin::HostConfig(); }
};

// Before the panel is drawn the cockpit light is tinted warm while the
// battery is on; whatever level the simulator gives, the three levels
// written back stay within the light's range.
TEST_F(LifecycleDrawn, TheCockpitLightIsTintedWhileTheBatteryIsOnWithinItsRange) {
    standin::setAircraft(quiltest::demoAircraftPath());
    quiltest::SetEngine1N2(quiltest::kHotResetN2);
    load(quiltest::pluginPath());
    standin::runSeconds(1.5);
    quiltest::SetEngine1N2(0.0f);
    if (!standin::graphicsAvailable()) GTEST_SKIP() << standin::graphicsRenderer();
    ASSERT_EQ(standin::getInt("quil/systems/electrics/swBatBusPowered"), 1);
    struct Case {
        float blue;
        double r, g, b;
    };
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {0.5f, 0.8 * 0.5 + 0.2, 0.87 * 0.5 + 0.13, 0.5},
        {std::nanf(""), 0.2, 0.13, 0.0},
        {kInfinity, 1.0, 1.0, 1.0},
        {-kInfinity, 0.2, 0.13, 0.0},
        {7.0f, 1.0, 1.0, 1.0},
        {-3.0f, 0.2, 0.13, 0.0},
    };
    for (const Case& c : cases) {
        standin::setFloat("sim/graphics/misc/cockpit_light_level_b", c.blue);
        standin::clearWriteLog();
        standin::runFrame();
        std::map<std::string, double> written;
        for (const standin::DataRefWrite& write : standin::writeLog()) {
            if (write.name.rfind("sim/graphics/misc/cockpit_light_level_", 0) == 0) {
                written[write.name] = write.values.at(0);
            }
        }
        EXPECT_NEAR(written["sim/graphics/misc/cockpit_light_level_r"], c.r, 1e-6) << c.blue;
        EXPECT_NEAR(written["sim/graphics/misc/cockpit_light_level_g"], c.g, 1e-6) << c.blue;
        EXPECT_NEAR(written["sim/graphics/misc/cockpit_light_level_b"], c.b, 1e-6) << c.blue;
    }
}

}  // namespace
