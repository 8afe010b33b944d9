// ILS approaches to runway 22R: intercepts of the localizer in HDG SEL at
// any angle, distance, height and speed, in any wind, VOR/LOC then APP,
// the glide slope met from below, gear and flaps 30 at the approach speed,
// down to touchdown and the roll-out.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "draws.h"
#include "earth.h"
#include "family.h"
#include "speeds.h"
#include "standin/units.h"
#include "trace_judging.h"

namespace sweep {

namespace {

using standin::kMetresPerFoot;
using standin::kMetresPerNm;
using standin::kRadiansPerDegree;

// ---- The runway and its ILS -----------------------------------------------------

const LatLon kLocalizer{55.61679, 12.64034};  // at the far end of 22R
const LatLon kGlideSlope{55.6370, 12.6720};   // on the centre line, 3 km before it
constexpr double kFieldFt = 17.0;
constexpr int kFrequency = 11030;
constexpr double kCourseMagDeg = 217.0;
constexpr double kCourseTrueDeg = kCourseMagDeg + kVariationWestDeg;
constexpr double kPathDeg = 3.0;
// APP's button on the panel.
constexpr double kAppPanelX = 807.0, kAppPanelY = 559.0;

const double kFeetPerNmOfPath = kMetresPerNm / kMetresPerFoot * std::tan(kPathDeg * kRadiansPerDegree);

// ---- What is drawn ---------------------------------------------------------------

struct Ranges {
    double massT[2];
    double windKt[2];
    double crosswindKt, tailwindKt;  // the most of each component
    double interceptDeg[2];
    double interceptNm[2];
    double altitudeFt[2];
    double iasKt[2];
    double finalGroundKt;  // the most on the glide slope
    double closeInNm, closeInInterceptDeg;  // the steepest intercept this near
};

constexpr Ranges kFull{{50, 79}, {0, 35}, 30, 10, {20, 90}, {8, 20}, {2000, 4000}, {160, 220}, 1e9, 0, 90};
// Judged, narrower where the approach cannot be flown within the rules:
// - the localizer is heard to 18 nm from its antenna (1.6 nm beyond the
//   threshold) within 10° of the course, so an intercept farther out than
//   16 nm meets a needle that is not there yet;
// - its needle leaves the stop 2.5 dots out (0.6 nm at 9 nm), less than a
//   25° turn at 200 kt needs to roll out from 65° or more, so steeper
//   intercepts overshoot by up to 2.5 dots; inside 10 nm, from 51° at
//   210 kt;
// - the design's flare (a -60 fpm target from max(-V/S / 20, 27) ft)
//   leaves more than 600 fpm at touchdown from some 143 kt over the
//   ground on the glide slope: heavy, or with little headwind.
constexpr Ranges kJudged{{50, 79}, {0, 35}, 30, 10, {20, 60}, {8, 16}, {2000, 4000}, {160, 220}, 140, 10, 45};

// The bank limit selector at 25°, as most crews fly.
constexpr int kBankSelector = 5;
constexpr double kBankLimitDeg = 25.0;

struct Approach {
    double massKg, windFromDeg, windKt;
    double interceptDeg;
    int side;  // +1 starting right of the course, -1 left
    double interceptNm, altitudeFt, iasKt;

    double crosswindKt() const {  // from the right positive
        return windKt * std::sin(wrapped180(windFromDeg - kCourseTrueDeg) * kRadiansPerDegree);
    }
    double headwindKt() const {
        return windKt * std::cos(wrapped180(windFromDeg - kCourseTrueDeg) * kRadiansPerDegree);
    }
};

// The glide path's height above the field this far from its antenna.
double pathHeightFt(double nm) { return nm * kFeetPerNmOfPath; }

Approach drawApproach(uint64_t seed, int index, const Ranges& r) {
    Draws draws(seed, 1, static_cast<uint64_t>(index));
    Approach a{};
    do {
        a.massKg = std::round(draws.uniform(r.massT[0], r.massT[1]) * 10.0) * 100.0;
        a.windFromDeg = std::round(draws.uniform(0.0, 360.0));
        a.windKt = std::round(draws.uniform(r.windKt[0], r.windKt[1]));
    } while (std::fabs(a.crosswindKt()) > r.crosswindKt || -a.headwindKt() > r.tailwindKt ||
             approachSpeedKt(a.massKg, a.headwindKt()) - a.headwindKt() > r.finalGroundKt);
    do {
        a.interceptDeg = std::round(draws.uniform(r.interceptDeg[0], r.interceptDeg[1]));
        a.interceptNm = std::round(draws.uniform(r.interceptNm[0], r.interceptNm[1]) * 10.0) / 10.0;
    } while (a.interceptNm < r.closeInNm && a.interceptDeg > r.closeInInterceptDeg);
    a.side = draws.coin() ? 1 : -1;
    // The glide slope is met from below, as the procedure has it: no higher
    // than 200 ft under the path where the aircraft joins the localizer, or
    // at the 10 nm where the glide slope is first heard.
    const double highest =
        std::min(r.altitudeFt[1], kFieldFt + pathHeightFt(std::min(a.interceptNm, 10.0)) - 200.0);
    a.altitudeFt = std::round(draws.uniform(r.altitudeFt[0], highest) / 100.0) * 100.0;
    a.iasKt = std::round(draws.uniform(r.iasKt[0], r.iasKt[1]));
    return a;
}

// ---- Where and when ---------------------------------------------------------------

constexpr double kRunUpNm = 4.0;      // flown on the intercept heading before the centre line
constexpr double kConfigureNm = 1.5;  // gear and flaps this far before the glide slope
constexpr double kRollOutS = 25.0;

struct Plan {
    LatLon start;
    double headingMagDeg;
    double configureS, touchdownS, endS;
    double approachKt;
};

Plan planOf(const Approach& a) {
    Plan p{};
    const double trackTrue = kCourseTrueDeg - a.side * a.interceptDeg;
    const double tas = trueAirspeedKt(a.iasKt, a.altitudeFt);
    const OnTrack intercept = flownOnTrack(trackTrue, tas, a.windFromDeg, a.windKt);
    const OnTrack inbound = flownOnTrack(kCourseTrueDeg, tas, a.windFromDeg, a.windKt);
    const LatLon joining = travelled(kGlideSlope, kCourseTrueDeg + 180.0, a.interceptNm * kMetresPerNm);
    p.start = travelled(joining, trackTrue + 180.0, kRunUpNm * kMetresPerNm);
    p.headingMagDeg = std::fmod(intercept.headingTrueDeg - kVariationWestDeg + 720.0, 360.0);
    const double meetsPathNm = (a.altitudeFt - kFieldFt) / kFeetPerNmOfPath;
    const double toJoinS = kRunUpNm / intercept.groundKt * 3600.0;
    p.configureS = toJoinS + std::max(0.0, a.interceptNm - meetsPathNm - kConfigureNm) /
                                 inbound.groundKt * 3600.0;
    p.approachKt = approachSpeedKt(a.massKg, a.headwindKt());
    const double finalKt =
        flownOnTrack(kCourseTrueDeg, trueAirspeedKt(p.approachKt, 1000.0), a.windFromDeg, a.windKt)
            .groundKt;
    p.touchdownS = p.configureS + std::min(a.interceptNm, meetsPathNm + kConfigureNm) / finalKt * 3600.0;
    p.endS = std::ceil(p.touchdownS * 1.08 + kRollOutS);
    return p;
}

// ---- The scenario -------------------------------------------------------------------

std::string scenarioOf(const std::string& name, const std::string& conditions, const Approach& a,
                       const Plan& p) {
    char text[4096];
    std::snprintf(
        text, sizeof text,
        "# %s: %s\n"
        "# Generated by quil-sweep; judged by its ILS rules.\n"
        "at 0    station loc IKAS %.5f %.5f %.0f %d %.0f\n"
        "at 0    station gs IKAS %.4f %.4f %.0f %d %.0f %.1f\n"
        "at 0    set sim/cockpit/radios/nav1_freq_hz %d\n"
        "at 0    set sim/cockpit/autopilot/heading_roll_mode %d\n"
        "at 0    trace %s.csv 0.2\n"
        "at 0    draw off\n"
        "at 0    flight airborne lat %.6f lon %.6f alt %.0f field %.0f ias %.0f hdg %.1f flaps %.3f "
        "gear up mass %.0f\n"
        "at 0    wind %.0f %.0f\n"
        "at %.0f    send afds 1 1 on\n"
        "at %.0f    send afds 1 6 set %.0f\n"
        "at %.0f    send afds 1 6 on\n"
        "at %.0f    send afds 3 1 set %.0f\n"
        "at %.0f    send afds 3 1 on\n"
        "at %.0f    send afds 2 6 set %.0f\n"
        "at %.0f    send afds 2 6 on\n"
        "at %.1f  send afds 3 3 on\n"
        "# APP on the panel, drawn only for the click.\n"
        "at %.1f  draw on\n"
        "at %.1f  click panel %.0f %.0f\n"
        "at %.1f  draw off\n"
        "at %.0f  pilot gear down\n"
        "at %.0f  pilot flaps %.3f\n"
        "at %.0f  send afds 1 6 set %.0f\n"
        "at %.0f  end\n",
        name.c_str(), conditions.c_str(), kLocalizer.lat, kLocalizer.lon, kFieldFt, kFrequency,
        kCourseMagDeg, kGlideSlope.lat, kGlideSlope.lon, kFieldFt, kFrequency, kCourseMagDeg,
        kPathDeg, kFrequency, kBankSelector, name.c_str(), p.start.lat, p.start.lon, a.altitudeFt,
        kFieldFt, a.iasKt, p.headingMagDeg, flapsFor(a.iasKt), a.massKg, a.windFromDeg, a.windKt,
        kEngageS, kEngageS, a.iasKt, kEngageS, kEngageS, std::round(p.headingMagDeg), kEngageS,
        kEngageS, a.altitudeFt, kEngageS, kEngageS + 0.5, kEngageS + 0.5, kEngageS + 1.0, kAppPanelX,
        kAppPanelY, kEngageS + 1.1, p.configureS,
        p.configureS, kLandingFlaps, p.configureS, p.approachKt, p.endS);
    return text;
}

std::string conditionsOf(const Approach& a) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "%.1f t, wind %03.0f/%.0f kt (crosswind %.0f kt from the %s, %s %.0f kt), "
                  "%.0f° intercept from the %s %.1f nm out at %.0f ft and %.0f kt",
                  a.massKg / 1000.0, a.windFromDeg, a.windKt, std::fabs(a.crosswindKt()),
                  a.crosswindKt() >= 0 ? "right" : "left",
                  a.headwindKt() >= 0 ? "headwind" : "tailwind", std::fabs(a.headwindKt()),
                  a.interceptDeg, a.side > 0 ? "right" : "left", a.interceptNm, a.altitudeFt,
                  a.iasKt);
    return text;
}

// ---- The judgements --------------------------------------------------------------------

constexpr const char* kTouchdownChart = "ils_touchdown";
constexpr const char* kLocalizerChart = "ils_localizer";

constexpr double kLocAfterCaptureDots = 1.0, kLocBelow500Dots = 0.2;
constexpr double kGsAfterCaptureDots = 1.0, kGsBelow500Dots = 0.5;
constexpr double kGsJudgedDownToFt = 50.0;  // the flare leaves the path below
constexpr double kBankMarginDeg = 2.0;
constexpr double kTouchdownFpm[2] = {100.0, 600.0};
constexpr double kTouchdownAlongM = 450.0, kTouchdownRightM = 10.0;
constexpr double kAltitudeHeldFt = 100.0;
constexpr double kSpeedHeldKt = 10.0, kSpeedSettleS = 30.0;
constexpr double kSpeedJudgedDownToFt = 100.0;

JudgedFlight judge(const Approach& a, const Plan& p, const TraceTable& trace) {
    JudgedFlight out;
    Verdict& v = out.verdict;
    const Columns c(trace);
    if (!c.complete(&v)) return out;
    const size_t rows = trace.rows();

    const long captured = c.firstRow([&](size_t i) {
        return trace.engaged(i, "VOR/LOC") && !trace.engaged(i, "HDG-SEL");
    });
    const long gsCaptured =
        c.firstRow([&](size_t i) { return c.time[i] > kEngageS + 1.0 && !trace.engaged(i, "ALT-HOLD"); });
    const Touchdown td = touchdownOf(c);
    if (captured < 0) v.faults.push_back("the localizer was never captured");
    if (gsCaptured < 0) v.faults.push_back("the glide slope was never captured");
    if (!td.found) v.faults.push_back("no touchdown");
    const size_t last = td.found ? td.row : rows;

    // Localizer: from the first crossing of the course after the capture.
    double overshoot = 0.0;
    if (captured >= 0) {
        const double approachSide = c.locDots[static_cast<size_t>(captured)] >= 0 ? 1.0 : -1.0;
        const long crossed = c.firstRow([&](size_t i) {
            return static_cast<long>(i) >= captured && c.locDots[i] * approachSide <= 0.0;
        });
        if (crossed < 0) v.faults.push_back("the localizer's course was never reached");
        bool dropped = false;
        for (size_t i = crossed < 0 ? last : static_cast<size_t>(crossed); i < last; ++i) {
            overshoot = std::max(overshoot, -approachSide * c.locDots[i]);
            v.read("localizer after capture (dots)", std::fabs(c.locDots[i]), kLocAfterCaptureDots,
                   Bound::AtMost, c.time[i]);
            if (c.agl[i] < 500.0)
                v.read("localizer below 500 ft (dots)", std::fabs(c.locDots[i]), kLocBelow500Dots,
                       Bound::AtMost, c.time[i]);
            if (!dropped && !trace.engaged(i, "VOR/LOC")) {
                dropped = true;
                v.fault("VOR/LOC dropped", c.time[i]);
            }
        }
    }
    // Glide slope: from its capture down to the flare.
    for (size_t i = gsCaptured < 0 ? last : static_cast<size_t>(gsCaptured); i < last && c.agl[i] > kGsJudgedDownToFt; ++i) {
        v.read("glide slope after capture (dots)", std::fabs(c.gsDots[i]), kGsAfterCaptureDots,
               Bound::AtMost, c.time[i]);
        if (c.agl[i] < 500.0)
            v.read("glide slope below 500 ft (dots)", std::fabs(c.gsDots[i]), kGsBelow500Dots,
                   Bound::AtMost, c.time[i]);
    }
    // The altitude held until the glide slope or, if sooner, the gear and
    // flaps 30: ALT HOLD lets the slowing aircraft sink up to 125 ft while
    // they come out.
    for (size_t i = 0; i < static_cast<size_t>(gsCaptured < 0 ? static_cast<long>(last) : gsCaptured); ++i)
        if (c.time[i] >= kAltitudeJudgedFromS && c.time[i] < p.configureS)
            v.read("altitude before the glide slope (ft off)", std::fabs(c.altitude[i] - a.altitudeFt),
               kAltitudeHeldFt, Bound::AtMost, c.time[i]);
    readBank(c, kBankLimitDeg, kBankMarginDeg, last, &v);
    readSpeed(c, {{kEngageS, a.iasKt}, {p.configureS, p.approachKt}}, kSpeedHeldKt, kSpeedSettleS,
              last, kSpeedJudgedDownToFt, &v);
    if (td.found) {
        v.read("touchdown rate, most (fpm)", td.fpm, kTouchdownFpm[1], Bound::AtMost, td.time);
        v.read("touchdown rate, least (fpm)", td.fpm, kTouchdownFpm[0], Bound::AtLeast, td.time);
        const AlongRight at = alongAndRight(kGlideSlope, kCourseTrueDeg, td.at);
        v.read("touchdown from abeam the glide slope (m)", std::fabs(at.along), kTouchdownAlongM,
               Bound::AtMost, td.time);
        v.read("touchdown off the centre line (m)", std::fabs(at.right), kTouchdownRightM,
               Bound::AtMost, td.time);
        out.chartRows.push_back({kTouchdownChart,
                                 {a.crosswindKt(), -a.headwindKt(), td.fpm, at.along, at.right,
                                  v.passed("touchdown") ? 1.0 : 0.0}});
    }
    if (captured >= 0)
        out.chartRows.push_back({kLocalizerChart,
                                 {a.interceptDeg, a.interceptNm, overshoot,
                                  v.passed("localizer") ? 1.0 : 0.0}});
    return out;
}

GeneratedFlight draw(uint64_t seed, int index, Envelope envelope) {
    const Approach a = drawApproach(seed, index, envelope == Envelope::Full ? kFull : kJudged);
    const Plan p = planOf(a);
    char name[32];
    std::snprintf(name, sizeof name, "ils-%03d", index);
    GeneratedFlight flight;
    flight.name = name;
    flight.conditions = conditionsOf(a);
    flight.scenario = scenarioOf(flight.name, flight.conditions, a, p);
    flight.judge = [a, p](const TraceTable& trace) { return judge(a, p, trace); };
    return flight;
}

}  // namespace

const Family& ilsFamily() {
    static const Family kFamily{
        "ils",
        "ILS approaches",
        draw,
        true,
        {{kTouchdownChart,
          "crosswind_kt tailwind_kt touchdown_fpm along_m right_m passed",
          "ILS touchdowns",
          {{1, 3, "crosswind, kt (from the right +)", "touchdown rate, fpm"},
           {2, 3, "tailwind, kt", "touchdown rate, fpm"},
           {1, 4, "crosswind, kt (from the right +)", "touchdown past abeam the glide slope, m"},
           {2, 4, "tailwind, kt", "touchdown past abeam the glide slope, m"}}},
         {kLocalizerChart,
          "intercept_deg intercept_nm overshoot_dots passed",
          "Localizer overshoot past the course after the capture",
          {{1, 3, "intercept angle, deg", "overshoot, dots"},
           {2, 3, "intercept, nm from the glide slope antenna", "overshoot, dots"}}}}};
    return kFamily;
}

}  // namespace sweep
