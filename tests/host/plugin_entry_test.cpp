// The plug-in binary as the simulator sees it: exactly the five entry points
// exported, every SDK function left for the host to supply, no stand-in
// linked in, and it loads and unloads cleanly.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/host_fixture.h"

namespace {

std::string commandOutput(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    size_t read;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, read);
    pclose(pipe);
    return output;
}

// Dynamic symbols of one kind, read with nm: "defined" or "undefined".
std::set<std::string> dynamicSymbols(const std::string& kind) {
    std::set<std::string> names;
    std::istringstream lines(
        commandOutput("nm -D --" + kind + "-only " + quiltest::pluginPath() + " 2>&1"));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string first, second, third;
        fields >> first >> second >> third;
        // "<address> T name" when defined, "U name" or "w name" when not.
        const std::string type = third.empty() ? first : second;
        const std::string name = third.empty() ? second : third;
        if (type != "w" && type != "v") names.insert(name.substr(0, name.find('@')));
    }
    return names;
}

TEST(PluginBinary, ExportsExactlyTheFiveEntryPoints) {
    const std::set<std::string> expected = {"XPluginStart", "XPluginStop", "XPluginEnable",
                                            "XPluginDisable", "XPluginReceiveMessage"};
    EXPECT_EQ(dynamicSymbols("defined"), expected);
}

// The SDK functions the plug-in may call; a host that provides these loads it.
const std::set<std::string> kHostInterface = {
    "XPLMFindDataRef", "XPLMGetDataf", "XPLMGetDatai", "XPLMGetDatad", "XPLMGetDatab",
    "XPLMGetDatavf", "XPLMGetDatavi", "XPLMSetDataf", "XPLMSetDatai", "XPLMSetDatab",
    "XPLMSetDatavf", "XPLMSetDatavi", "XPLMRegisterDataAccessor", "XPLMUnregisterDataAccessor",
    "XPLMRegisterDrawCallback", "XPLMUnregisterDrawCallback", "XPLMRegisterFlightLoopCallback",
    "XPLMUnregisterFlightLoopCallback", "XPLMCreateWindow", "XPLMDestroyWindow",
    "XPLMGetWindowIsVisible", "XPLMSetWindowIsVisible", "XPLMGetWindowGeometry",
    "XPLMSetWindowGeometry", "XPLMBringWindowToFront", "XPLMGetMouseLocation",
    "XPLMSetGraphicsState", "XPLMGenerateTextureNumbers", "XPLMBindTexture2d", "XPLMGetTexture",
    "XPLMDrawString", "XPLMGetFMSEntryInfo", "XPLMGetDestinationFMSEntry",
    "XPLMSetDestinationFMSEntry", "XPLMSendMessageToPlugin", "XPLMGetMyID", "XPLMGetPluginInfo",
    "XPLMGetNthAircraftModel", "XPLMGetDirectorySeparator", "XPLMGetVersions",
    "XPLMCommandButtonPress", "XPLMCommandButtonRelease", "XPLMCreateCommand",
    "XPLMFindCommand", "XPLMRegisterCommandHandler", "XPLMUnregisterCommandHandler",
    "XPCreateWidget",
    "XPCreateCustomWidget", "XPSetWidgetProperty", "XPAddWidgetCallback", "XPShowWidget",
    "XPHideWidget", "XPDestroyWidget", "XPSetWidgetDescriptor", "XPGetWidgetDescriptor",
    "XPGetWidgetGeometry"};

TEST(PluginBinary, CallsOnlyTheSdkFunctionsOfTheHostInterface) {
    for (const std::string& name : dynamicSymbols("undefined")) {
        if (name.rfind("XP", 0) == 0) {
            EXPECT_TRUE(kHostInterface.count(name)) << name << " is not in the host interface";
        }
    }
}

// A sanitizer build takes operator new and delete from the sanitizer's
// runtime in the host process, not from the plug-in's own C++ runtime.
bool sanitizerOperator(const std::string& name) {
    const bool sanitizerRuntime = dlsym(RTLD_DEFAULT, "__asan_init") != nullptr;
    for (const char* family : {"_Znw", "_Zna", "_Zdl", "_Zda"}) {
        if (sanitizerRuntime && name.rfind(family, 0) == 0) return true;
    }
    return false;
}

TEST(PluginBinary, LeavesEverySdkFunctionToTheHost) {
    const std::set<std::string> undefined = dynamicSymbols("undefined");
    for (const std::string& name : undefined) {
        if (sanitizerOperator(name)) continue;
        EXPECT_EQ(name.rfind("_Z", 0), std::string::npos)
            << name << ": a C++ symbol is left for the host to supply";
    }
    const std::string needed = commandOutput("readelf -d " + quiltest::pluginPath());
    EXPECT_EQ(needed.find("standin"), std::string::npos) << needed;
    EXPECT_EQ(needed.find("libstdc++"), std::string::npos)
        << "the C++ runtime is linked in, not taken from the host";
}

// The CI check of a binary against what the README tells aircraft users to
// have: it passes the plug-in and names each way another library fails it.
TEST(PluginBinary, TheLoadabilityCheckPassesThePluginAndNamesEveryViolation) {
#ifdef QUIL_SANITIZED_BUILD
    GTEST_SKIP() << "the shipped binary is checked in the normal build";
#endif
    struct Case {
        std::string binary;
        int exitCode;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {quiltest::pluginPath(), 0, {"glibc up to 2.", "check-plugin-binary: ok"}},
        {QUIL_BUILD_DIR "/standin/libquil_standin.so",
         1,
         {"FAIL: " QUIL_BUILD_DIR "/standin/libquil_standin.so needs libstdc++.so.6, which is not",
          "(newer than 2.31) for: ", "beyond the five entry points: ",
          "does not export the entry point XPluginStart",
          "would not load on every Linux the simulator runs on"}},
    };
    for (const Case& c : cases) {
        const std::string output = commandOutput(
            QUIL_SOURCE_DIR "/scripts/check-plugin-binary.sh " + c.binary + " 2>&1; echo exit $?");
        EXPECT_NE(output.find("exit " + std::to_string(c.exitCode) + "\n"), std::string::npos)
            << c.binary << ":\n" << output;
        for (const std::string& said : c.said) {
            EXPECT_NE(output.find(said), std::string::npos)
                << c.binary << ": no \"" << said << "\" in\n" << output;
        }
    }
}

class PluginLoading : public quiltest::HostTest {};

TEST_F(PluginLoading, LoadsStartsEnablesAndUnloadsInTheStandInHost) {
    const XPLMPluginID id = load(quiltest::pluginPath());
    EXPECT_TRUE(standin::pluginInfo(id).enabled);
    standin::runFrames(30);
    standin::sendSimMessage(102, 0);
    standin::unloadPlugin(id);
    EXPECT_TRUE(standin::plugins().empty());
}

// The simulator loads and unloads a plug-in many times in one session: each
// of ours gives back everything its load took, the C++ runtime's own
// emergency pool included. The host's logs are emptied each time, so only
// what a plug-in leaves behind could add up.
TEST_F(PluginLoading, EveryLoadGivesBackAllItsMemoryAtUnload) {
    constexpr int kCycles = 20;
    constexpr int kSettlingCycles = 10;  // the host's tables reach their size
    constexpr size_t kAllowanceBytes = 4096;  // far less than one load's worth
    for (const std::string& path :
         {quiltest::pluginPath(), quiltest::peerPath(), quiltest::probePath()}) {
        const auto cycle = [&] {
            standin::unloadPlugin(load(path));
            standin::clearWriteLog();
            standin::clearMessageLog();
        };
        for (int i = 0; i < kSettlingCycles; ++i) cycle();
        const size_t before = standin::heapBytesInUse();
        for (int i = 0; i < kCycles; ++i) cycle();
        const size_t after = standin::heapBytesInUse();
        EXPECT_LT(after, before + kAllowanceBytes) << path << " grew by " << after - before;
    }
}

}  // namespace
