// Loading plug-ins, their identity, enabling, unloading, and the messages
// between them and from the simulator.
#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#include "XPLMPlanes.h"
#include "XPLMPlugin.h"
#include "support/host_fixture.h"

namespace {

using quiltest::HostTest;
namespace fs = std::filesystem;

class Plugins : public HostTest {
protected:
    // A second probe, loaded from a folder of its own, publishes its values
    // under that folder's name. Each test process has its own copy: tests
    // run in parallel, and a binary must not change under a process using it.
    std::string peerPath() {
        const fs::path folder = fs::path(QUIL_BUILD_DIR) / "test-plugins" /
                                std::to_string(getpid()) / "peer" / "64";
        fs::create_directories(folder);
        fs::copy_file(quiltest::probePath(), folder / "lin.xpl",
                      fs::copy_options::overwrite_existing);
        return (folder / "lin.xpl").string();
    }
};

TEST_F(Plugins, OurPlugInLoadsWithItsNameAndSignature) {
    const XPLMPluginID id = load(quiltest::pluginPath());
    const standin::PluginInfo info = standin::pluginInfo(id);
    EXPECT_EQ(info.name, "quilplugin");
    EXPECT_EQ(info.signature, "rv.quil.plugin");
    EXPECT_EQ(info.description, "A plugin that simulates Boeing 737NG systems");
    EXPECT_TRUE(info.enabled);
    EXPECT_EQ(info.path, quiltest::pluginPath());
}

TEST_F(Plugins, LoadFailuresSayWhy) {
    std::string error;
    EXPECT_EQ(standin::loadPlugin("/nonexistent/64/lin.xpl", &error), XPLM_NO_PLUGIN_ID);
    EXPECT_NE(error.find("/nonexistent/64/lin.xpl"), std::string::npos) << error;
    // A shared object without the entry points is not a plug-in.
    EXPECT_EQ(standin::loadPlugin("libz.so.1", &error), XPLM_NO_PLUGIN_ID);
    EXPECT_NE(error.find("entry point"), std::string::npos) << error;
    loadProbe();
    EXPECT_EQ(standin::loadPlugin(quiltest::probePath(), &error), XPLM_NO_PLUGIN_ID);
    EXPECT_NE(error.find("already loaded"), std::string::npos) << error;
    EXPECT_EQ(standin::plugins().size(), 1u);
}

// The same binary by another path, or a copy that signs itself the same,
// is refused: its state would split between the two.
TEST_F(Plugins, APlugInLoadsOnceByAnyPathOrCopy) {
    const fs::path folder =
        fs::path(QUIL_BUILD_DIR) / "test-plugins" / std::to_string(getpid()) / "twice";
    const std::string hostile = QUIL_BUILD_DIR "/hostile/64/lin.xpl";
    fs::remove_all(folder);
    fs::create_directories(folder / "copy" / "64");
    fs::create_symlink(quiltest::probePath(), folder / "link.xpl");
    fs::copy_file(hostile, folder / "copy" / "64" / "lin.xpl");
    loadProbe();
    load(hostile);
    struct Case {
        std::string path, error;
    };
    const Case cases[] = {
        {(folder / "link.xpl").string(), "already loaded, as " + quiltest::probePath()},
        {QUIL_BUILD_DIR "/probe/64/../64/lin.xpl", "already loaded, as"},
        {(folder / "copy" / "64" / "lin.xpl").string(),
         "its signature rv.quil.hostile is already loaded, from " + hostile},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(standin::loadPlugin(c.path, &error), XPLM_NO_PLUGIN_ID) << c.path;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
    EXPECT_EQ(standin::plugins().size(), 2u);
}

TEST_F(Plugins, UnloadingReallyUnloadsSoAReloadStartsFresh) {
    const XPLMPluginID first = loadProbe();
    standin::runFrames(3);
    EXPECT_EQ(standin::getInt("probe/loop_calls"), 3);
    standin::unloadPlugin(first);
    EXPECT_TRUE(standin::plugins().empty());
    const XPLMPluginID second = loadProbe();
    EXPECT_NE(second, first);
    EXPECT_EQ(standin::getInt("probe/loop_calls"), 0) << "the probe's globals were kept";
    standin::runFrame();
    EXPECT_EQ(standin::getInt("probe/loop_calls"), 1);
}

TEST_F(Plugins, PlugInInfoGivesTheBinaryPathForItsOwnId) {
    const XPLMPluginID id = loadProbe();
    char name[256], path[256], signature[256], description[256];
    XPLMGetPluginInfo(id, name, path, signature, description);
    EXPECT_STREQ(name, "probe");
    EXPECT_EQ(std::string(path), quiltest::probePath());
    EXPECT_EQ(std::string(signature), "rv.quil.probe." + std::to_string(id));
    XPLMGetPluginInfo(id, nullptr, path, nullptr, nullptr);  // any output may be null
    EXPECT_EQ(XPLMGetMyID(), XPLM_PLUGIN_XPLANE) << "the test itself is the simulator";
}

TEST_F(Plugins, MessagesRoundTripSynchronouslyBetweenTwoPlugIns) {
    const XPLMPluginID probe = loadProbe();
    const XPLMPluginID peer = load(peerPath());
    ASSERT_TRUE(standin::hasDataRef("peer/ping_to"));
    standin::setInt("peer/ping_to", probe);
    standin::runFrame();
    // The pong's parameter points into the probe's memory, read by the peer
    // while the delivery lasts.
    EXPECT_EQ(standin::getInt("peer/pong_value"), 4200 + probe);
    EXPECT_EQ(standin::getInt("probe/last_sender"), peer);
    ASSERT_EQ(standin::messageLog().size(), 2u);
    const standin::MessageRecord& ping = standin::messageLog()[0];
    EXPECT_EQ(ping.from, peer);
    EXPECT_EQ(ping.to, probe);
    EXPECT_EQ(ping.frame, 1);
    EXPECT_EQ(standin::messageLog()[1].to, peer);
}

TEST_F(Plugins, SimulatorMessagesReachEveryEnabledPlugInFromSenderZero) {
    const XPLMPluginID probe = loadProbe();
    load(peerPath());
    standin::disablePlugin(probe);
    standin::sendSimMessage(XPLM_MSG_PLANE_LOADED, 0);
    EXPECT_EQ(standin::getInt("peer/last_message"), XPLM_MSG_PLANE_LOADED);
    EXPECT_EQ(standin::getInt("peer/last_sender"), XPLM_PLUGIN_XPLANE);
    standin::enablePlugin(probe);
    EXPECT_EQ(standin::getInt("probe/message_count"), 0) << "a disabled plug-in hears nothing";
    // Numbers with the top bit set arrive as negative ints.
    standin::sendSimMessage(static_cast<int>(0x88888880u), 0);
    EXPECT_EQ(static_cast<unsigned>(standin::getInt("probe/last_message")), 0x88888880u);
}

TEST_F(Plugins, ADisabledPlugInGetsNoFlightLoopsAndEnablesAgain) {
    const XPLMPluginID probe = loadProbe();
    standin::disablePlugin(probe);
    EXPECT_FALSE(standin::pluginInfo(probe).enabled);
    standin::runFrames(3);
    standin::enablePlugin(probe);
    EXPECT_EQ(standin::getInt("probe/loop_calls"), 0);
    standin::runFrame();
    EXPECT_EQ(standin::getInt("probe/loop_calls"), 1);
}

// Finding a plug-in by its signature, whether it is enabled, and the
// features each plug-in opts into (the host has native paths only).
TEST_F(Plugins, PlugInAndFeatureQueries) {
    const XPLMPluginID probe = loadProbe();
    const XPLMPluginID ours = load(quiltest::pluginPath());
    struct Case {
        const char* signature;
        XPLMPluginID id;
    };
    const std::string probeSignature = standin::pluginInfo(probe).signature;
    const Case cases[] = {
        {"rv.quil.plugin", ours}, {probeSignature.c_str(), probe},
        {"rv.quil", XPLM_NO_PLUGIN_ID}, {nullptr, XPLM_NO_PLUGIN_ID},
    };
    for (const Case& c : cases) EXPECT_EQ(XPLMFindPluginBySignature(c.signature), c.id);
    standin::disablePlugin(probe);
    EXPECT_EQ(XPLMIsPluginEnabled(probe), 0);
    EXPECT_EQ(XPLMIsPluginEnabled(ours), 1);
    EXPECT_EQ(XPLMIsPluginEnabled(99), 0);

    EXPECT_EQ(XPLMHasFeature("XPLM_USE_NATIVE_PATHS"), 1);
    EXPECT_EQ(XPLMHasFeature("XPLM_WANTS_REFLECTIONS"), 0);
    EXPECT_EQ(XPLMHasFeature(nullptr), 0);
    XPLMEnableFeature("XPLM_USE_NATIVE_PATHS", 1);  // the simulator is no plug-in: ignored
    EXPECT_EQ(XPLMIsFeatureEnabled("XPLM_USE_NATIVE_PATHS"), 0);
}

TEST_F(Plugins, TheAircraftFileGivesTheAircraftsIdentity) {
    ASSERT_TRUE(standin::setAircraft(quiltest::demoAircraftPath()));
    char file[256], path[512];
    XPLMGetNthAircraftModel(0, file, path);
    EXPECT_STREQ(file, "Quil737.acf");
    EXPECT_EQ(std::string(path), quiltest::demoAircraftPath());
    EXPECT_NE(standin::getBytes("sim/aircraft/view/acf_author").find("Orrin Valdemarsson"),
              std::string::npos);
    EXPECT_NE(standin::getBytes("sim/aircraft/view/acf_descrip").find("Boeing 737"),
              std::string::npos);
    XPLMGetNthAircraftModel(1, file, path);
    EXPECT_STREQ(file, "");
    EXPECT_FALSE(standin::setAircraft("/nonexistent/plane.acf"));
    EXPECT_EQ(standin::getBytes("sim/aircraft/view/acf_author"), "");
}

}  // namespace
