// What every family's judgements read from a trace: its columns by name,
// the first row where something holds, the touchdown, and the bank against
// the limit the autopilot was given.
#pragma once

#include <functional>
#include <vector>

#include "earth.h"
#include "trace_table.h"
#include "verdict.h"

namespace sweep {

struct Columns {
    explicit Columns(const TraceTable& trace);

    // False with a fault when a column is missing or a value is not a
    // finite number (a NaN the plug-in wrote shows here).
    bool complete(Verdict* verdict) const;
    // The first row where `holds` is true, or -1.
    long firstRow(const std::function<bool(size_t)>& holds) const;

    const TraceTable& trace;
    const std::vector<double>& time;
    const std::vector<double>& lat;
    const std::vector<double>& lon;
    const std::vector<double>& altitude;
    const std::vector<double>& agl;
    const std::vector<double>& ias;
    const std::vector<double>& groundSpeed;
    const std::vector<double>& track;
    const std::vector<double>& bank;
    const std::vector<double>& verticalSpeed;
    const std::vector<double>& locDots;
    const std::vector<double>& gsDots;
};

struct Touchdown {
    bool found = false;
    size_t row = 0;     // the first row on the ground
    double time = 0.0;  // s
    double fpm = 0.0;   // the rate of descent, positive
    LatLon at;
};
// Where the wheels first met the ground after the trace's first row, from
// the last airborne row carried down at its rate of descent.
Touchdown touchdownOf(const Columns& c);

// The bank within the selected limit, which the autopilot narrows to 8°
// below 200 ft and blends between 200 and 800 ft, plus a margin; judged
// before row `last`, the first on the ground.
void readBank(const Columns& c, double limitDeg, double marginDeg, size_t last, Verdict* verdict);

// The speed within `bandKt` of each MCP speed the crew set, each until the
// next: from `settleS` after the setting, or from when the speed first came
// within the band where a large change takes longer; a fault when it never
// does. Judged before row `last` and above `lowestFt`.
struct SpeedSetting {
    double fromS, knots;
};
void readSpeed(const Columns& c, const std::vector<SpeedSetting>& settings, double bandKt,
               double settleS, size_t last, double lowestFt, Verdict* verdict);

}  // namespace sweep
