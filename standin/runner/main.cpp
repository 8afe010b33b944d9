// quil-sim: runs plug-ins on the stand-in host without the simulator, for a
// given time or through a scenario, and writes screenshots and a report.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "XPLMPlugin.h"
#include "standin/exit_status.h"
#include "standin/runner/report.h"
#include "standin/runner/scenario.h"
#include "standin/standin.h"

namespace {

using standin::kExitCannotRun;
using standin::kExitOk;
using standin::kExitPluginThrew;
using standin::kExitRunFailed;

constexpr double kDefaultCallbackLimitSeconds = 10.0;
constexpr double kMostMemoryLimitMb = 1 << 20;  // a terabyte

constexpr char kUsage[] =
    "Usage: quil-sim --plugin PATH [--plugin PATH ...] [--aircraft PATH.acf]\n"
    "                [--aircraft-plugins] (--seconds S | --scenario FILE) [--out DIR]\n"
    "                [--window WxH] [--no-graphics] [--call-log FILE]\n"
    "                [--callback-limit SECONDS] [--memory-limit MB]\n"
    "\n"
    "Runs X-Plane plug-ins on the stand-in host at 30 frames per second.\n"
    "\n"
    "  --plugin PATH      a plug-in binary (lin.xpl) to load; the first is the one\n"
    "                     under test, the others load after it, in order\n"
    "  --aircraft PATH    the user's aircraft (.acf), set before the plug-ins start\n"
    "  --aircraft-plugins also load the aircraft's own plug-ins, as the simulator\n"
    "                     does (its plugins/NAME/64/lin.xpl and\n"
    "                     plugins/NAME/lin_x64/*.xpl, after the --plugin ones),\n"
    "                     and tell them the aircraft is loaded and at an airport;\n"
    "                     with them no --plugin is needed\n"
    "  --seconds S        run for S simulator seconds (at most a day, 86400)\n"
    "  --scenario FILE    run the timed actions of a scenario file\n"
    "  --out DIR          screenshots, the trace, log.txt and report.txt go here\n"
    "                     (default quil-sim-out)\n"
    "  --window WxH       window size in pixels (default 1024x1024)\n"
    "  --no-graphics      no OpenGL context: nothing drawn, no screenshots\n"
    "  --call-log FILE    every SDK call the plug-ins make, with its arguments and\n"
    "                     results, frame by frame; the same run gives the same file\n"
    "  --callback-limit SECONDS\n"
    "                     a call into a plug-in that runs longer ends the run\n"
    "                     (default 10; 0 no limit)\n"
    "  --memory-limit MB  the heap growing past this ends the run (default none)\n"
    "  --help             this text\n"
    "\n"
    "Scenario lines: at TIME ACTION ..., with the actions\n"
    "  set DATAREF[INDEX] VALUE | \"TEXT\"\n"
    "  click|press|drag|release [panel] X Y\n"
    "  type X Y \"TEXT\"               (the dialog text field under window pixel X Y)\n"
    "  message MESSAGE PARAM         aircraft PATH.acf        screenshot NAME.png\n"
    "  expect DATAREF[INDEX] ==|!=|>|<|>=|<= VALUE      expect DATAREF ~ VALUE TOLERANCE\n"
    "  send afds|switch MODE COMMAND set|on|off|query|ACTION [VALUE]\n"
    "  send connect 1|0      send state\n"
    "  waypoint ID LAT LON ALTITUDE  (appends a flight-plan entry)   destination ENTRY\n"
    "  station vor ID LAT LON ELEV FREQ            a VOR with DME\n"
    "  station loc ID LAT LON ELEV FREQ COURSE     a localizer (front course, magnetic)\n"
    "  station gs ID LAT LON ELEV FREQ COURSE SLOPE  its glide slope (path angle)\n"
    "  station outer|middle|inner ID LAT LON ELEV  a marker beacon\n"
    "    (LAT LON in degrees, ELEV in feet, FREQ as nav1_freq_hz holds it: 11030)\n"
    "  trace NAME.csv [INTERVAL]     a row of the flight every INTERVAL s (0.5),\n"
    "                                plotted as NAME.png when gnuplot is installed;\n"
    "                                NAME of letters, digits, . - _\n"
    "  command once|begin|end NAME   runs a command, held from begin to end\n"
    "  draw on|off | draw every FRAMES   how often the cockpit is drawn (on: every frame)\n"
    "  pause      resume      end\n"
    "\n"
    "Flights on the host's flight model:\n"
    "  flight ground|airborne [lat|lon|alt|field|ias|hdg|flaps|mass NUMBER]\n"
    "         [gear up|down] [engines running|cold]   starts the flight model\n"
    "  wind FROM KNOTS                   from a true direction\n"
    "  pilot yoke PITCH ROLL | rudder|throttle|flaps VALUE | gear up|down | brakes on|off\n"
    "  hold DATAREF OP VALUE [TOLERANCE] for SECONDS   true after every frame of the span\n"
    "  books tanks|flows|buses DATAREF ... | books phase DATAREF   what the books watch\n"
    "  books fuel   books power on|off    fuel counted afresh; buses kept powered or not\n"
    "    (figures in standin/books/...: fuel_burned_kg, fuel_difference_pct, unpowered_s, ...)\n"
    "A flight writes a trace named after the scenario (every 0.5 s) unless the\n"
    "scenario has a trace line. Times and spans are at most a day (86400 s);\n"
    "LAT -90 to 90, LON -180 to 180; pilot yoke and rudder -1 to 1, throttle\n"
    "and flaps 0 to 1; a set value must fit its dataref (int, float), an\n"
    "element must lie within its array, and a click, press, drag, release or\n"
    "type point within a million pixels or panel units of the origin.\n"
    "During a flight a floating-point exception in a flight loop ends the run\n"
    "with status 3 and where it happened.\n"
    "\n"
    "The host's radios follow the aircraft's position: NAV1 and NAV2 by their\n"
    "frequency datarefs, the marker lights, and the GPS on the flight plan's\n"
    "active leg.\n"
    "\n"
    "The send actions go through the peer plug-in (--plugin build/peer/64/lin.xpl,\n"
    "after ours), which keeps the answer in peer/reply_action, peer/reply_value\n"
    "and peer/last_state.\n"
    "\n"
    "What plug-ins write with XPLMDebugString goes to log.txt as it is written\n"
    "(up to 64 MB); lines tagged as errors (\"E/LUA:\") are listed in the report\n"
    "and fail the run.\n"
    "\n"
    "A plug-in that throws, crashes, hangs or fills the memory ends the run at\n"
    "once; report.txt then says what happened, in which plug-in and callback,\n"
    "at which frame and time.\n"
    "\n"
    "Exit status:\n"
    "  0 run ok\n"
    "  1 an expectation failed, an action could not be carried out or a plug-in\n"
    "    logged an error\n"
    "  2 the run could not start (bad option, plug-in, aircraft or scenario) or\n"
    "    its report could not be written\n"
    "  3 a floating-point exception in a flight loop during a flight\n"
    "  4 a plug-in let a C++ exception out of a call (its text is reported)\n"
    "  5 a fatal signal: invalid memory access, abort, illegal instruction\n"
    "  6 a call into a plug-in ran longer than --callback-limit\n"
    "  7 the heap grew past --memory-limit\n";

struct Options {
    std::vector<std::string> plugins;
    std::string aircraft;
    std::string scenario;
    double seconds = 0.0;
    bool timed = false;
    std::string outputFolder = "quil-sim-out";
    std::string callLog;
    standin::HostConfig host;
    double callbackLimitSeconds = kDefaultCallbackLimitSeconds;
    double memoryLimitMb = 0.0;
    bool aircraftPlugins = false;
    bool help = false;
};

bool parseSeconds(const std::string& text, double* seconds) {
    char* end = nullptr;
    *seconds = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && *seconds > 0 &&
           *seconds <= standin::runner::kLongestRunSeconds;
}

// A number from 0 (no limit) to `most`.
bool parseLimit(const std::string& text, double most, double* limit) {
    char* end = nullptr;
    *limit = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && *limit >= 0 && *limit <= most;
}

bool parseWindow(const std::string& text, int* width, int* height) {
    char extra = 0;
    return std::sscanf(text.c_str(), "%dx%d%c", width, height, &extra) == 2 && *width > 0 &&
           *height > 0;
}

// Applies one option and its value; false with the reason when it is wrong.
bool applyOption(const std::string& name, const std::string& value, Options* options,
                 std::string* error) {
    if (name == "--plugin") {
        options->plugins.push_back(value);
    } else if (name == "--aircraft") {
        options->aircraft = value;
    } else if (name == "--scenario") {
        options->scenario = value;
    } else if (name == "--out") {
        options->outputFolder = value;
    } else if (name == "--call-log") {
        options->callLog = value;
    } else if (name == "--seconds") {
        options->timed = true;
        if (!parseSeconds(value, &options->seconds)) *error = "bad --seconds '" + value + "'";
    } else if (name == "--callback-limit") {
        if (!parseLimit(value, standin::runner::kLongestRunSeconds, &options->callbackLimitSeconds))
            *error = "bad --callback-limit '" + value + "' (seconds, 0 to 86400; 0 no limit)";
    } else if (name == "--memory-limit") {
        if (!parseLimit(value, kMostMemoryLimitMb, &options->memoryLimitMb))
            *error = "bad --memory-limit '" + value + "' (megabytes; 0 no limit)";
    } else if (name == "--window") {
        if (!parseWindow(value, &options->host.windowWidth, &options->host.windowHeight))
            *error = "bad --window '" + value + "' (give WIDTHxHEIGHT, e.g. 1280x1024)";
    }
    return error->empty();
}

bool takesValue(const std::string& name) {
    for (const char* option : {"--plugin", "--aircraft", "--scenario", "--out", "--seconds",
                               "--window", "--call-log", "--callback-limit", "--memory-limit"})
        if (name == option) return true;
    return false;
}

bool parseOptions(int argc, char** argv, Options* options, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (name == "--help" || name == "-h") {
            options->help = true;
            return true;
        }
        if (name == "--no-graphics" && equals == std::string::npos) {
            options->host.graphics = false;
            continue;
        }
        if (name == "--aircraft-plugins" && equals == std::string::npos) {
            options->aircraftPlugins = true;
            continue;
        }
        if (!takesValue(name)) {
            *error = "unknown option '" + arg + "'";
            return false;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            *error = name + " needs a value";
            return false;
        }
        if (!applyOption(name, value, options, error)) return false;
    }
    if (options->aircraftPlugins && options->aircraft.empty())
        *error = "--aircraft-plugins needs --aircraft PATH.acf";
    else if (options->plugins.empty() && !options->aircraftPlugins)
        *error = "no plug-in: give --plugin PATH";
    else if (options->timed == !options->scenario.empty())
        *error = "give either --seconds S or --scenario FILE";
    return error->empty();
}

int cannotRun(const std::string& message) {
    std::cerr << "quil-sim: " << message << "\n";
    return kExitCannotRun;
}

// The simulator hands plug-ins absolute paths, and plug-ins find their
// files from them.
std::string absolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// The plug-ins an aircraft brings in its own folder, in the layouts the
// simulator loads on Linux, by folder name.
std::vector<std::string> aircraftPluginPaths(const std::string& acfPath) {
    namespace fs = std::filesystem;
    std::vector<std::string> paths;
    std::error_code error;
    const fs::path folder = fs::path(absolutePath(acfPath)).parent_path() / "plugins";
    std::vector<fs::path> pluginFolders;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_directory(error)) pluginFolders.push_back(entry.path());
    std::sort(pluginFolders.begin(), pluginFolders.end());
    for (const fs::path& plugin : pluginFolders) {
        if (fs::is_regular_file(plugin / "64" / "lin.xpl", error)) {
            paths.push_back((plugin / "64" / "lin.xpl").string());
            continue;
        }
        for (const auto& entry : fs::directory_iterator(plugin / "lin_x64", error))
            if (entry.path().extension() == ".xpl") paths.push_back(entry.path().string());
    }
    return paths;
}

// Sets the aircraft and loads the plug-ins on the started host.
bool startPlugins(const Options& options, XPLMPluginID* underTest, std::string* error) {
    if (!options.aircraft.empty() && !standin::setAircraft(absolutePath(options.aircraft))) {
        *error = "cannot read aircraft '" + options.aircraft + "'";
        return false;
    }
    std::vector<std::string> paths = options.plugins;
    const size_t firstOfAircraft = paths.size();
    if (options.aircraftPlugins) {
        const std::vector<std::string> own = aircraftPluginPaths(options.aircraft);
        if (own.empty()) {
            *error = "no plug-in in the plugins folder of '" + options.aircraft + "'";
            return false;
        }
        paths.insert(paths.end(), own.begin(), own.end());
    }
    std::vector<XPLMPluginID> aircraftPlugins;
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        std::string reason;
        const XPLMPluginID id = standin::loadPlugin(absolutePath(path), &reason);
        if (id == XPLM_NO_PLUGIN_ID) {
            *error = "cannot load plug-in " + reason;  // the reason names the path
            return false;
        }
        if (*underTest == XPLM_NO_PLUGIN_ID) *underTest = id;
        if (i >= firstOfAircraft) aircraftPlugins.push_back(id);
    }
    // The simulator loads an aircraft's plug-ins with it, then tells them.
    for (XPLMPluginID id : aircraftPlugins) {
        standin::sendSimMessage(XPLM_MSG_PLANE_LOADED, 0, id);
        standin::sendSimMessage(XPLM_MSG_AIRPORT_LOADED, 0, id);
    }
    return true;
}

std::string outputPath(const Options& options, const char* name) {
    return (std::filesystem::path(options.outputFolder) / name).string();
}

// Stops the host and writes the report; the exit status of the run. The
// plug-ins may still throw as they stop.
int finishRun(standin::runner::RunOutcome outcome, XPLMPluginID underTest, const Options& options) {
    const std::string body = standin::runner::formatReportBody(outcome, underTest);
    standin::stopHost();
    standin::stopWatchingCalls();
    if (!standin::closeCallLog())
        return cannotRun("cannot write the call log '" + options.callLog + "'");
    if (!outcome.fault) outcome.fault = standin::pluginFault();
    const std::string report = body + standin::runner::formatReportEnding(outcome);
    std::cout << report;
    const std::string reportPath = outputPath(options, "report.txt");
    std::string error;
    if (!standin::runner::writeTextFile(reportPath, report, &error)) return cannotRun(error);
    if (const auto& fault = outcome.fault) {
        std::cerr << "quil-sim: " << fault->pluginName << " threw in " << fault->callback << ": "
                  << fault->what << "; see " << reportPath << "\n";
        return kExitPluginThrew;
    }
    if (standin::runner::runFailed(outcome)) {
        std::cerr << "quil-sim: " << standin::runner::failedExpectations(outcome)
                  << " expectation(s) failed, " << outcome.problems.size()
                  << " action(s) not carried out";
        if (!outcome.loggedErrors.empty())
            std::cerr << ", " << outcome.loggedErrors.size() << " error(s) logged";
        std::cerr << "; see " << reportPath << "\n";
        return kExitRunFailed;
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, &options, &error)) return cannotRun(error + " (--help for usage)");
    if (options.help) {
        std::cout << kUsage;
        return kExitOk;
    }

    standin::runner::Scenario scenario = standin::runner::timedRun(options.seconds);
    if (!options.timed && !standin::runner::loadScenarioFile(options.scenario, &scenario, &error)) {
        // "FILE:LINE: ..." alone, so that editors can jump to the line.
        std::cerr << error << "\n";
        return kExitCannotRun;
    }
    std::error_code folderError;
    std::filesystem::create_directories(options.outputFolder, folderError);
    if (folderError)
        return cannotRun("cannot make '" + options.outputFolder + "': " + folderError.message());

    if (!options.callLog.empty() && !standin::openCallLog(options.callLog))
        return cannotRun("cannot write the call log '" + options.callLog + "'");
    options.host.logPath = outputPath(options, "log.txt");
    standin::watchCalls({outputPath(options, "report.txt"), options.callbackLimitSeconds,
                         static_cast<size_t>(options.memoryLimitMb * (1 << 20))});
    standin::startHost(options.host);
    XPLMPluginID underTest = XPLM_NO_PLUGIN_ID;
    if (!startPlugins(options, &underTest, &error)) {
        // A plug-in that threw as it started is reported like one that
        // threw later.
        if (standin::pluginFault()) return finishRun({}, underTest, options);
        standin::stopHost();
        standin::stopWatchingCalls();
        standin::closeCallLog();
        return cannotRun(error);
    }
    if (!standin::runner::checkValues(scenario, &error)) {
        standin::stopHost();
        standin::stopWatchingCalls();
        standin::closeCallLog();
        std::cerr << error << "\n";
        return kExitCannotRun;
    }
    if (options.host.graphics && !standin::graphicsAvailable())
        std::cerr << "quil-sim: no graphics (" << standin::graphicsRenderer()
                  << "); running without drawing\n";

    standin::runner::RunSettings settings;
    settings.outputFolder = options.outputFolder;
    settings.progress = &std::cout;
    return finishRun(standin::runner::runScenario(scenario, settings), underTest, options);
}
