// A fresh stand-in host per test, with helpers to load the plug-ins we build.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "standin/standin.h"

namespace quiltest {

inline std::string probePath() { return QUIL_BUILD_DIR "/probe/64/" QUIL_PLUGIN_FILE; }
inline std::string pluginPath() { return QUIL_BUILD_DIR "/quil/64/" QUIL_PLUGIN_FILE; }
inline std::string peerPath() { return QUIL_BUILD_DIR "/peer/64/" QUIL_PLUGIN_FILE; }
inline std::string demoAircraftPath() {
    return QUIL_SOURCE_DIR "/aircraft/Quil737/Quil737.acf";
}

// The reset a second after loading is cold, with the battery switch off,
// unless engine 1 turns at 27 % N2 or more. A test that wants the battery
// on without the engines gives engine 1 this speed until the reset has run.
constexpr float kHotResetN2 = 30.0f;
inline void SetEngine1N2(float n2) { standin::setFloat("sim/flightmodel/engine/ENGN_N2_", n2, 0); }

// Starts a host for each test (graphics off unless the test asks) and
// stops it afterwards, so no plug-in outlives its test.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override { standin::startHost(config()); }
    void TearDown() override { standin::stopHost(); }
    virtual standin::HostConfig config() const {
        standin::HostConfig config;
        config.graphics = false;
        return config;
    }

    XPLMPluginID load(const std::string& path) {
        std::string error;
        const XPLMPluginID id = standin::loadPlugin(path, &error);
        EXPECT_NE(id, XPLM_NO_PLUGIN_ID) << error;
        return id;
    }
    XPLMPluginID loadProbe() { return load(probePath()); }
};

// For tests that run the plug-in's code inside the test process, whose
// globals outlive a test: each test's clock starts well past the last one's,
// so no stamp, blink or wait left by an earlier test is still running.
class InProcessTest : public HostTest {
protected:
    standin::HostConfig config() const override {
        standin::HostConfig config = HostTest::config();
        config.startTime = nextStartTime();
        return config;
    }
    void TearDown() override {
        nextStartTime() = standin::simTime() + 100.0f;
        HostTest::TearDown();
    }

private:
    static float& nextStartTime() {
        static float time = 2.0f;
        return time;
    }
};

}  // namespace quiltest
