// A family of generated flights (ILS approaches, LNAV plans): how one is
// drawn from the family's ranges and written as an ordinary scenario, and
// how its trace is judged. Every flight of a family is judged by the same
// rules.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "trace_table.h"
#include "verdict.h"

namespace sweep {

// The crew engages the modes this long after the start: the plug-in's N1
// limit, which caps the autothrottle, comes up a few seconds after a load.
constexpr double kEngageS = 8.0;
// The first pitch mode starts its flight director pitch from 0°, so an
// aircraft flying at a few degrees of pitch first sinks (by the design's
// law): the held altitude is judged from a minute after the engagement.
constexpr double kAltitudeJudgedFromS = kEngageS + 60.0;

// The ranges a family draws from: the whole envelope asked of the
// autopilot, or the part of it that CI judges, narrowed where the design's
// control law or the receivers' coverage end (each narrowing stated in the
// family's ranges).
enum class Envelope { Judged, Full };

// A row of values for a family's charts, the last of them 1 when the flight
// (or the part of it the row stands for) passed.
struct ChartRow {
    std::string set;  // the chart data file it goes to, without ".dat"
    std::vector<double> values;
};

struct JudgedFlight {
    Verdict verdict;
    std::vector<ChartRow> chartRows;
};

struct GeneratedFlight {
    std::string name;       // "ils-017": the scenario, trace and output folder's name
    std::string conditions;  // one line: what was drawn
    std::string scenario;   // the scenario file's text
    std::function<JudgedFlight(const TraceTable&)> judge;
};

// A scatter plot of one value against another, passed and failed apart.
struct ChartPanel {
    int x, y;  // columns of the data file, from 1
    const char* xLabel;
    const char* yLabel;
};
// A chart: its data file (NAME.dat) and picture (NAME.png), its panels two
// to a row.
struct Chart {
    const char* name;
    const char* columns;  // the data file's header, blank-separated; the last is "passed"
    const char* title;
    std::vector<ChartPanel> panels;
};

struct Family {
    const char* name;
    const char* title;
    GeneratedFlight (*draw)(uint64_t seed, int index, Envelope envelope);
    bool drawn;  // its flights click the panel, so they run with graphics
    std::vector<Chart> charts;
};

const Family& ilsFamily();
const Family& lnavFamily();

}  // namespace sweep
