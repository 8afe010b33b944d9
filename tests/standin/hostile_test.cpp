// quil-sim against the hostile plug-in (tests/hostile): whatever the plug-in
// does, the run ends with its documented status, and log.txt and a
// report.txt that names the plug-in and the call that broke it.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "standin/standin.h"
#include "support/quil_sim_run.h"

namespace {

using quiltest::CommandResult;
using quiltest::fileText;

const std::string kHostile = QUIL_BUILD_DIR "/hostile/64/lin.xpl";

class HostilePlugin : public quiltest::QuilSim {};

TEST_F(HostilePlugin, EveryMisdeedEndsTheRunWithAReportNamingIt) {
    struct Case {
        const char* misdeed;
        std::string scenario;  // besides "at 1 end"
        std::string options;
        int exitCode;
        std::string report;  // a part of report.txt
        bool drawn = false;  // with graphics, in a small window
    };
    const Case cases[] = {
        {"throw-start", "", "", 4, "threw in XPluginStart: hostile plug-in fails in XPluginStart"},
        {"throw-enable", "", "", 4, "hostile threw in XPluginEnable: hostile plug-in fails in"},
        {"throw-message", "at 0.5 message 101 0\n", "", 4,
         "hostile threw in XPluginReceiveMessage: hostile plug-in fails in"},
        {"throw-stop", "", "", 4,
         "hostile threw in XPluginStop: an exception that is not a std::exception"},
        {"throw-loop", "", "", 4, "hostile threw in a flight loop: hostile plug-in fails in its flight loop"},
        {"throw-command", "at 0.5 command once hostile/fail\n", "", 4,
         "hostile threw in a command handler: hostile plug-in fails in its command handler"},
        {"throw-accessor", "at 0.5 expect hostile/loop_calls > 0\n", "", 4,
         "hostile threw in a dataref reader: hostile plug-in fails in its dataref reader"},
        {"throw-draw", "", "--window 64x64", 4,
         "hostile threw in a draw callback: hostile plug-in fails in its draw callback", true},
        {"hang", "", "--callback-limit 1", 6,
         "a flight loop of hostile ran longer than the limit of 1 s"},
        {"crash", "", "", 5, "SIGSEGV (invalid memory access) in a flight loop of hostile"},
        {"allocate", "", "--memory-limit 200", 7, "the heap passed the limit of 200 MB"},
        // Mended in the host: these run to the end.
        {"overread", "", "", 0, "Result: ok"},
        {"flood", "", "", 0, "Result: ok"},
    };
    standin::startHost();
    const bool graphics = standin::graphicsAvailable();
    standin::stopHost();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.misdeed);
        if (c.drawn && !graphics) continue;  // no offscreen graphics here
        std::filesystem::remove_all(outFolder());
        const std::string scenario = writeScenario(c.scenario + "at 1 end\n");
        const CommandResult result =
            run("--plugin " + kHostile + (c.drawn ? "" : " --no-graphics") + " --scenario " +
                    scenario + " --out " + outFolder() + " " + c.options,
                std::string("QUIL_HOSTILE=") + c.misdeed + " ");
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        const std::string report = fileText(folder / "out" / "report.txt");
        EXPECT_NE(report.find(c.report), std::string::npos) << report << result.err;
        // Written as it came, so that a crash or a hang loses none of it.
        EXPECT_NE(fileText(folder / "out" / "log.txt")
                      .find(std::string("hostile: misbehaving as '") + c.misdeed + "'"),
                  std::string::npos);
    }
}

}  // namespace
