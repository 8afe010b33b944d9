#include "trace_judging.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sweep {

namespace {

const char* const kColumnNames[] = {"time_s", "lat_deg",  "lon_deg",  "alt_ft",      "agl_ft",
                                    "ias_kt", "gs_kt",    "trk_deg",  "bank_deg",    "vs_fpm",
                                    "nav1_h_dots", "nav1_v_dots"};

// On the ground the trace's height is the gear's, the lowest it shows, a
// few feet.
constexpr double kOnGroundWithinFt = 0.1;
constexpr double kGearHeightBelowFt = 20.0;

}  // namespace

Columns::Columns(const TraceTable& t)
    : trace(t),
      time(t.column("time_s")),
      lat(t.column("lat_deg")),
      lon(t.column("lon_deg")),
      altitude(t.column("alt_ft")),
      agl(t.column("agl_ft")),
      ias(t.column("ias_kt")),
      groundSpeed(t.column("gs_kt")),
      track(t.column("trk_deg")),
      bank(t.column("bank_deg")),
      verticalSpeed(t.column("vs_fpm")),
      locDots(t.column("nav1_h_dots")),
      gsDots(t.column("nav1_v_dots")) {}

bool Columns::complete(Verdict* verdict) const {
    if (trace.rows() == 0) {
        verdict->faults.push_back("the trace has no rows");
        return false;
    }
    for (const char* name : kColumnNames) {
        const std::vector<double>& column = trace.column(name);
        if (column.size() != trace.rows()) {
            verdict->faults.push_back(std::string("the trace has no column ") + name);
            return false;
        }
        const auto bad = std::find_if(column.begin(), column.end(),
                                      [](double value) { return !std::isfinite(value); });
        if (bad != column.end()) {
            char fault[160];
            std::snprintf(fault, sizeof fault, "%s is not finite at %.1f s", name,
                          time[static_cast<size_t>(bad - column.begin())]);
            verdict->faults.push_back(fault);
            return false;
        }
    }
    return true;
}

long Columns::firstRow(const std::function<bool(size_t)>& holds) const {
    for (size_t i = 0; i < trace.rows(); ++i)
        if (holds(i)) return static_cast<long>(i);
    return -1;
}

Touchdown touchdownOf(const Columns& c) {
    Touchdown td;
    const double lowest = *std::min_element(c.agl.begin(), c.agl.end());
    const double ground = lowest + kOnGroundWithinFt;
    if (lowest > kGearHeightBelowFt || c.agl.front() <= ground) return td;
    const long row = c.firstRow([&](size_t i) { return c.agl[i] <= ground; });
    if (row < 1) return td;
    const size_t i = static_cast<size_t>(row);
    const double sinking = std::max(1.0, -c.verticalSpeed[i - 1]) / 60.0;  // ft/s
    const double span = c.time[i] - c.time[i - 1];
    const double share = span > 0.0 ? std::clamp((c.agl[i - 1] - ground) / sinking / span, 0.0, 1.0) : 1.0;
    td.found = true;
    td.row = i;
    td.time = c.time[i - 1] + share * span;
    // The flare is still raising the rate: carried on from the two rows before.
    const double slope = i >= 2 && c.time[i - 1] > c.time[i - 2]
                             ? (c.verticalSpeed[i - 1] - c.verticalSpeed[i - 2]) / (c.time[i - 1] - c.time[i - 2])
                             : 0.0;
    td.fpm = -(c.verticalSpeed[i - 1] + slope * share * span);
    td.at = {c.lat[i - 1] + share * (c.lat[i] - c.lat[i - 1]),
             c.lon[i - 1] + share * (c.lon[i] - c.lon[i - 1])};
    return td;
}

void readBank(const Columns& c, double limitDeg, double marginDeg, size_t last, Verdict* verdict) {
    constexpr double kNarrowFt = 200.0, kBlendFt = 800.0, kNarrowDeg = 8.0;
    for (size_t i = 0; i < std::min(last, c.trace.rows()); ++i) {
        const double limit =
            c.agl[i] <= kNarrowFt ? kNarrowDeg
            : c.agl[i] < kBlendFt
                ? kNarrowDeg + (c.agl[i] - kNarrowFt) * (limitDeg - kNarrowDeg) / (kBlendFt - kNarrowFt)
                : limitDeg;
        verdict->read("bank beyond its limit (deg)", std::fabs(c.bank[i]) - limit, marginDeg,
                      Bound::AtMost, c.time[i]);
    }
}

void readSpeed(const Columns& c, const std::vector<SpeedSetting>& settings, double bandKt,
               double settleS, size_t last, double lowestFt, Verdict* verdict) {
    const size_t rows = std::min(last, c.trace.rows());
    for (size_t s = 0; s < settings.size(); ++s) {
        const SpeedSetting& setting = settings[s];
        const double until = s + 1 < settings.size() ? settings[s + 1].fromS : c.time.back() + 1.0;
        bool reached = false, judged = false;
        for (size_t i = 0; i < rows && c.time[i] < until && c.agl[i] > lowestFt; ++i) {
            if (c.time[i] < setting.fromS) continue;
            judged = true;
            const double off = std::fabs(c.ias[i] - setting.knots);
            reached = reached || off <= bandKt;
            if (reached && c.time[i] >= setting.fromS + settleS)
                verdict->read("speed off the MCP speed (kt)", off, bandKt, Bound::AtMost, c.time[i]);
        }
        if (judged && !reached) {
            char what[96];
            std::snprintf(what, sizeof what, "the speed never came within %.0f kt of the %.0f kt set",
                          bandKt, setting.knots);
            verdict->fault(what, setting.fromS);
        }
    }
}

}  // namespace sweep
