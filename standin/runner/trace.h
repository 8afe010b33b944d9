// The flight trace of a run: one CSV row per interval of run time with where
// the aircraft is and how it flies (distance flown, position, altitude,
// speeds, attitude, engines, throttles, flight director, the engaged AFDS
// modes, the GPS cross-track, the NAV deviations, the fuel in each tank and
// the plug-in's transfer bus sources), and a plot of it drawn by gnuplot.
//
// The engaged modes come from the plug-in under test (signed
// "rv.quil.plugin") through its AFDS protocol queries, sent as from the
// simulator between frames; they change nothing in the plug-in. The
// protocol answers for A/T ARM, N1, SPEED, V/S (armed and engaged), LVL CHG,
// ALT HOLD, VNAV, HDG SEL, LNAV and VOR/LOC (armed or captured); G/S, FLARE,
// RETARD and THR HLD have no query and show in the trace only through what
// they do.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "XPLMDefs.h"

namespace standin::runner {

// What became of a run's trace, for the report.
struct TraceResult {
    bool started = false;
    std::string csvPath;
    long rows = 0;
    std::string plotPath;  // written when not empty
    std::string note;      // why there is no plot, or why the trace stopped
};

// A trace being written. Everything a row needs is set up when the trace
// starts, so that rows are written without allocating beyond the file's
// buffer.
struct FlightTrace {
    std::FILE* file = nullptr;
    std::vector<char> buffer;  // the file's, allocated once
    double interval = 0.0;
    double nextRow = 0.0;      // run time of the next row
    double lastSeconds = -1.0;  // run time of the last frame seen; none yet
    double distanceNm = 0.0;   // flown over the ground since the start
    XPLMPluginID plugin = XPLM_NO_PLUGIN_ID;  // asked for its modes
    TraceResult result;
};

constexpr double kDefaultTraceIntervalS = 0.5;

// A trace's file name: letters, digits, ".", "-" and "_" only, ending in
// ".csv" after at least one of them.
bool traceNameAllowed(const std::string& name);
// The trace of a flight whose scenario names none: the scenario file's name
// without folder and extension, every other character as "_", and ".csv".
std::string defaultTraceName(const std::string& scenarioFile);

// Opens the CSV and writes its header; false with the reason when the file
// cannot be made. The first row is written at the next traceFrame.
bool startTrace(FlightTrace& trace, const std::string& csvPath, double interval,
                std::string* error);
// After each frame, with the run time the frame reached: a row when due.
void traceFrame(FlightTrace& trace, double runSeconds);
// Closes the CSV and, when gnuplot can be run, plots it beside it as PNG
// (same name, ".png"); `gnuplot` is the program, looked up on PATH unless
// it names a folder.
void finishTrace(FlightTrace& trace, const std::string& gnuplot);

// The CSV's column names, in order.
std::vector<std::string> traceColumns();

}  // namespace standin::runner
