// What a run of the stand-in host did, and the short report made of it for
// the aircraft author: plug-ins, aircraft, window, frames, the plug-ins' SDK
// calls and heap allocations per frame, messages between plug-ins, commands
// run, screenshots, the radio stations, the flight trace, the log's errors
// and expectations.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "XPLMDefs.h"
#include "standin/runner/trace.h"
#include "standin/standin.h"

namespace standin::runner {

// The first second is start-up: the plug-in binds, resets and loads there,
// so per-frame peaks are taken only after it.
constexpr double kStartupSeconds = 1.0;
// Run times are frame counts times the frame interval; this absorbs their
// rounding, so that an action at 1 s runs after frame 30, not 31.
constexpr double kTimeSlackSeconds = 1e-6;

struct FrameUsage {
    long lastFrameSdkCalls = 0;
    long peakSdkCalls = 0;         // per frame, after start-up
    long peakAllocations = 0;      // per frame, after start-up
    long startupAllocations = 0;   // loading and start-up together
    bool pastStartup = false;      // some frame ran after start-up
    std::vector<std::pair<std::string, long>> lastFrameCalls;  // by SDK function
};

// Usage so far, before the first frame of the run (loading counts as
// start-up).
FrameUsage beginUsage();
// After each frame, with the run time that frame reached.
void noteFrame(FrameUsage& usage, double runSeconds);

struct ExpectationResult {
    std::string where;   // "demo.scenario:12"
    std::string source;  // the scenario line
    bool met = false;
    std::string actual;  // what the dataref held
};

struct ScreenshotResult {
    std::string path;
    bool written = false;
    std::string note;  // why not
};

struct RunOutcome {
    long frames = 0;
    double seconds = 0.0;  // run time reached
    std::vector<ExpectationResult> expectations;
    std::vector<ScreenshotResult> screenshots;
    // Actions that could not be carried out ("demo.scenario:7: no dataref ...").
    std::vector<std::string> problems;
    // Lines plug-ins wrote to the log with the simulator's error tag.
    std::vector<std::string> loggedErrors;
    FrameUsage usage;
    TraceResult trace;
    std::vector<std::string> books;  // the books' figures, a line each
    // The exception a plug-in let out, which ended the run there.
    std::optional<PluginFault> fault;
};

int failedExpectations(const RunOutcome& outcome);
// An expectation failed, an action could not be carried out, a plug-in
// logged an error or threw.
bool runFailed(const RunOutcome& outcome);

// The log's lines that report errors: tagged the simulator's way, "E/" and
// a subsystem as in "0:00:02.000 E/LUA: ...", or a Lua error's message
// (the line before its stack traceback).
std::vector<std::string> errorLines(const std::vector<std::string>& log);

// The report of a finished run, with what the host holds now (plug-ins,
// aircraft, window, flight plan, message log). The first plug-in loaded is
// the one under test.
std::string formatReport(const RunOutcome& outcome, XPLMPluginID pluginUnderTest);
// The same in two parts: all but the ending while the plug-ins are loaded,
// and the ending (the fault that ended the run, the result) once they have
// stopped, which they may throw in too.
std::string formatReportBody(const RunOutcome& outcome, XPLMPluginID pluginUnderTest);
std::string formatReportEnding(const RunOutcome& outcome);
bool writeTextFile(const std::string& path, const std::string& text, std::string* error);

}  // namespace standin::runner
