// LNAV along generated plans: 3 to 6 legs with turns either way at the
// waypoints, at a held altitude and speed, in a wind aloft. Each turn is
// judged on the leg that follows it, from the roll-out on.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "draws.h"
#include "earth.h"
#include "family.h"
#include "speeds.h"
#include "standin/units.h"
#include "trace_judging.h"

namespace sweep {

namespace {

using standin::kGravity;
using standin::kMetresPerNm;
using standin::kMetresPerSecondPerKnot;
using standin::kRadiansPerDegree;

struct Ranges {
    int legs[2];
    double turnDeg[2];
    double iasKt[2];
    double windKt[2];
    double altitudeFt[2];
    double massT[2];
    double groundKtMost;  // on any leg
};

constexpr Ranges kFull{{3, 6}, {10, 150}, {180, 300}, {0, 60}, {5000, 25000}, {50, 79}, 1e9};
// Judged: turns to 80° and 370 kt over the ground. From about 80° at
// 380 kt over the ground (turning downwind, the ground speed grows through
// the turn), and from 105° at any speed, the law's roll-out, led by the
// bank over the ground speed, leaves the aircraft outside the new leg by
// 0.5 to 1.7 nm, and its cross-track law brings it back at a few degrees
// (40 x |x|, 3° at 1 nm); from 150° it anticipates no turn at all; and a
// large last turn can end the route (LNAV hands over to HDG SEL) while the
// aircraft, swinging wide, draws away from the last waypoint.
constexpr Ranges kJudged{{3, 6}, {10, 80}, {180, 300}, {0, 60}, {5000, 25000}, {50, 79}, 370};

constexpr int kBankSelector = 5;  // 25°
constexpr double kBankLimitDeg = 25.0;
constexpr LatLon kFirstWaypoint{55.0, 12.0};
constexpr double kStartBeforeNm = 1.0;
constexpr double kSettleNm[2] = {4.0, 8.0};  // straight flight between two turns
constexpr double kLastLegPastTurnNm = 12.0;
constexpr double kEndBeforeLastNm = 6.0;  // the run ends before the plan does

struct Plan {
    int legs;
    std::vector<double> turnDeg;    // at waypoints 1 .. legs-1, right positive
    std::vector<LatLon> waypoints;  // legs + 1
    std::vector<double> courseDeg;  // of each leg, true
    std::vector<double> lengthNm;   // of each leg
    std::vector<double> groundKt;   // on each leg
    double iasKt, tasKt, windFromDeg, windKt, altitudeFt, massKg;
    LatLon start;
    double headingMagDeg, endS;
};

// The law's bank for a course change and its turn's radius, nm.
double turnRadiusNm(double turnDeg, double groundKt) {
    const double v = groundKt * kMetresPerSecondPerKnot;
    const double bank = std::min(std::sqrt(std::fabs(turnDeg) * v * 5.0 / 19.62), kBankLimitDeg);
    return v * v / (kGravity * std::tan(bank * kRadiansPerDegree)) / kMetresPerNm;
}
// How far before the waypoint the turn starts (the fly-by's lead) or,
// where the law anticipates none (150° and more), how far past it the
// aircraft comes back to the leg.
double turnReachNm(double turnDeg, double groundKt) {
    const double r = turnRadiusNm(turnDeg, groundKt);
    const double half = std::min(std::fabs(turnDeg), 149.0) / 2.0 * kRadiansPerDegree;
    return r * std::tan(half) + groundKt * 3.0 / 3600.0;
}
// The reach of the turn at waypoint `w` (1 ... legs - 1): the law
// anticipates by the ground speed, so it is taken at the faster of the
// turn's two legs.
double turnReachAt(const Plan& p, int w) {
    const size_t before = static_cast<size_t>(w - 1), after = static_cast<size_t>(w);
    return turnReachNm(p.turnDeg[before], std::max(p.groundKt[before], p.groundKt[after]));
}

// The ground a fly-by saves against flying to the waypoint and turning there.
double turnSavesNm(double turnDeg, double groundKt) {
    const double r = turnRadiusNm(turnDeg, groundKt);
    const double angle = std::fabs(turnDeg) * kRadiansPerDegree;
    return std::max(0.0, 2.0 * r * std::tan(angle / 2.0) - r * angle);
}

// The plan's speeds, wind and turns; its legs' courses and ground speeds.
Plan drawLegs(Draws& draws, const Ranges& r) {
    Plan p{};
    p.legs = draws.whole(r.legs[0], r.legs[1]);
    p.altitudeFt = std::round(draws.uniform(r.altitudeFt[0], r.altitudeFt[1]) / 100.0) * 100.0;
    // No flaps above their limit altitude, so no speed that needs them.
    const double slowest = p.altitudeFt > kFlapsHighestFt ? std::max(r.iasKt[0], kFlapsUpKt) : r.iasKt[0];
    p.iasKt = std::round(draws.uniform(slowest, r.iasKt[1]));
    p.tasKt = trueAirspeedKt(p.iasKt, p.altitudeFt);
    p.windFromDeg = std::round(draws.uniform(0.0, 360.0));
    p.windKt = std::round(draws.uniform(r.windKt[0], r.windKt[1]));
    p.massKg = std::round(draws.uniform(r.massT[0], r.massT[1]) * 10.0) * 100.0;
    double course = std::round(draws.uniform(0.0, 360.0));
    for (int k = 0; k < p.legs; ++k) {
        if (k > 0) {
            const double turn = std::round(draws.uniform(r.turnDeg[0], r.turnDeg[1])) * (draws.coin() ? 1 : -1);
            p.turnDeg.push_back(turn);
            course = std::fmod(course + turn + 360.0, 360.0);
        }
        p.courseDeg.push_back(course);
        p.groundKt.push_back(flownOnTrack(course, p.tasKt, p.windFromDeg, p.windKt).groundKt);
    }
    return p;
}

Plan drawPlan(uint64_t seed, int index, const Ranges& r) {
    Draws draws(seed, 2, static_cast<uint64_t>(index));
    Plan p{};
    do {
        p = drawLegs(draws, r);
    } while (*std::max_element(p.groundKt.begin(), p.groundKt.end()) > r.groundKtMost);
    // Each leg long enough for the turn onto it, a straight stretch, and the
    // turn off it.
    for (int k = 0; k < p.legs; ++k) {
        double length = draws.uniform(kSettleNm[0], kSettleNm[1]);
        if (k > 0) length += turnReachAt(p, k);
        length += k + 1 < p.legs ? turnReachAt(p, k + 1) : kLastLegPastTurnNm;
        p.lengthNm.push_back(std::round(length * 10.0) / 10.0);
    }
    p.waypoints.push_back(kFirstWaypoint);
    for (int k = 0; k < p.legs; ++k)
        p.waypoints.push_back(travelled(p.waypoints.back(), p.courseDeg[k], p.lengthNm[k] * kMetresPerNm));
    p.start = travelled(kFirstWaypoint, p.courseDeg[0] + 180.0, kStartBeforeNm * kMetresPerNm);
    const OnTrack first = flownOnTrack(p.courseDeg[0], p.tasKt, p.windFromDeg, p.windKt);
    p.headingMagDeg = std::fmod(first.headingTrueDeg - kVariationWestDeg + 720.0, 360.0);
    double seconds = kStartBeforeNm / p.groundKt[0] * 3600.0;
    for (int k = 0; k < p.legs; ++k) {
        double nm = p.lengthNm[k] - (k + 1 < p.legs ? 0.0 : kEndBeforeLastNm);
        if (k > 0) nm -= turnSavesNm(p.turnDeg[k - 1], std::max(p.groundKt[k - 1], p.groundKt[k]));
        seconds += nm / p.groundKt[k] * 3600.0;
    }
    p.endS = std::ceil(seconds);
    return p;
}

std::string conditionsOf(const Plan& p) {
    char text[512];
    int length = std::snprintf(text, sizeof text, "%d legs, turns", p.legs);
    for (double turn : p.turnDeg)
        length += std::snprintf(text + length, sizeof text - static_cast<size_t>(length), " %+.0f°", turn);
    std::snprintf(text + length, sizeof text - static_cast<size_t>(length),
                  ", %.0f kt (%.0f true) at %.0f ft, %.1f t, wind %03.0f/%.0f kt", p.iasKt, p.tasKt,
                  p.altitudeFt, p.massKg / 1000.0, p.windFromDeg, p.windKt);
    return text;
}

std::string scenarioOf(const std::string& name, const std::string& conditions, const Plan& p) {
    std::string text = "# " + name + ": " + conditions + "\n# Generated by quil-sweep; judged by its LNAV rules.\n";
    char line[256];
    std::snprintf(line, sizeof line,
                  "at 0    set sim/cockpit/autopilot/heading_roll_mode %d\n"
                  "at 0    trace %s.csv 0.5\n"
                  "at 0    flight airborne lat %.6f lon %.6f alt %.0f ias %.0f hdg %.1f flaps %.3f "
                  "mass %.0f\n"
                  "at 0    wind %.0f %.0f\n",
                  kBankSelector, name.c_str(), p.start.lat, p.start.lon, p.altitudeFt, p.iasKt,
                  p.headingMagDeg, flapsFor(p.iasKt), p.massKg, p.windFromDeg, p.windKt);
    text += line;
    for (size_t k = 0; k < p.waypoints.size(); ++k) {
        std::snprintf(line, sizeof line, "at 0    waypoint W%zu %.6f %.6f %.0f\n", k,
                      p.waypoints[k].lat, p.waypoints[k].lon, p.altitudeFt);
        text += line;
    }
    std::snprintf(line, sizeof line,
                  "at 0    destination 1\n"
                  "at %.0f    send afds 1 1 on\n"
                  "at %.0f    send afds 1 6 set %.0f\n"
                  "at %.0f    send afds 1 6 on\n"
                  "at %.0f    send afds 2 6 set %.0f\n"
                  "at %.0f    send afds 2 6 on\n"
                  "at %.0f    send afds 3 2 on\n"
                  "at %.0f  end\n",
                  kEngageS, kEngageS, p.iasKt, kEngageS, kEngageS, p.altitudeFt, kEngageS, kEngageS,
                  p.endS);
    text += line;
    return text;
}

// ---- The judgements ------------------------------------------------------------------

constexpr const char* kTurnsChart = "lnav_turns";

constexpr double kCrossTrackNm = 0.5;
constexpr double kRolledOutWithinDeg = 5.0;
constexpr double kBankMarginDeg = 2.0;
constexpr double kAltitudeHeldFt = 100.0;
constexpr double kSpeedHeldKt = 10.0, kSpeedSettleS = 30.0;
constexpr double kCrossTrackFromS = kEngageS + 30.0;
constexpr double kModesFromS = kEngageS + 1.0;

JudgedFlight judge(const Plan& p, const TraceTable& trace) {
    JudgedFlight out;
    Verdict& v = out.verdict;
    const Columns c(trace);
    if (!c.complete(&v)) return out;
    const size_t rows = trace.rows();

    // Leg by leg, in order: from its roll-out (the first leg from the
    // start) to where the turn off it begins.
    size_t row = 0;
    for (int k = 0; k < p.legs; ++k) {
        const LatLon& from = p.waypoints[static_cast<size_t>(k)];
        auto alongNm = [&](size_t i) {
            return alongAndRight(from, p.courseDeg[k], {c.lat[i], c.lon[i]}).along / kMetresPerNm;
        };
        if (k > 0) {
            const double reach = turnReachAt(p, k);
            while (row < rows && !(alongNm(row) > -reach &&
                                   std::fabs(wrapped180(c.track[row] - p.courseDeg[k])) < kRolledOutWithinDeg))
                ++row;
        }
        if (row >= rows) {
            v.faults.push_back("never rolled out on leg " + std::to_string(k + 1));
            break;
        }
        const double endNm = p.lengthNm[k] - (k + 1 < p.legs ? turnReachAt(p, k + 1) : 0.0);
        double worst = 0.0;
        for (; row < rows && alongNm(row) < endNm; ++row) {
            if (c.time[row] < kCrossTrackFromS) continue;
            const double right = alongAndRight(from, p.courseDeg[k], {c.lat[row], c.lon[row]}).right / kMetresPerNm;
            worst = std::max(worst, std::fabs(right));
            v.read("cross-track after the roll-out (nm)", std::fabs(right), kCrossTrackNm,
                   Bound::AtMost, c.time[row]);
        }
        if (k > 0)
            out.chartRows.push_back({kTurnsChart,
                                     {std::fabs(p.turnDeg[k - 1]), p.iasKt,
                                      std::max(p.groundKt[k - 1], p.groundKt[k]), worst,
                                      worst <= kCrossTrackNm ? 1.0 : 0.0}});
    }
    readBank(c, kBankLimitDeg, kBankMarginDeg, rows, &v);
    readSpeed(c, {{kEngageS, p.iasKt}}, kSpeedHeldKt, kSpeedSettleS, rows, -1.0e9, &v);
    bool dropped = false;
    for (size_t i = 0; i < rows; ++i) {
        if (c.time[i] >= kAltitudeJudgedFromS)
            v.read("altitude off the held (ft)", std::fabs(c.altitude[i] - p.altitudeFt),
                   kAltitudeHeldFt, Bound::AtMost, c.time[i]);
        if (!dropped && c.time[i] >= kModesFromS &&
            !(trace.engaged(i, "LNAV") && trace.engaged(i, "ALT-HOLD") && trace.engaged(i, "SPEED"))) {
            dropped = true;
            v.fault("LNAV, ALT HOLD or SPEED dropped (" + trace.modes[i] + ")", c.time[i]);
        }
    }
    return out;
}

GeneratedFlight draw(uint64_t seed, int index, Envelope envelope) {
    const Plan p = drawPlan(seed, index, envelope == Envelope::Full ? kFull : kJudged);
    char name[32];
    std::snprintf(name, sizeof name, "lnav-%03d", index);
    GeneratedFlight flight;
    flight.name = name;
    flight.conditions = conditionsOf(p);
    flight.scenario = scenarioOf(flight.name, flight.conditions, p);
    flight.judge = [p](const TraceTable& trace) { return judge(p, trace); };
    return flight;
}

}  // namespace

const Family& lnavFamily() {
    static const Family kFamily{
        "lnav",
        "LNAV plans",
        draw,
        false,
        {{kTurnsChart,
          "turn_deg ias_kt ground_kt cross_track_nm passed",
          "LNAV: the largest cross-track after the roll-out of each turn",
          {{1, 4, "turn, deg", "cross-track, nm"}, {3, 4, "ground speed, kt", "cross-track, nm"}}}}};
    return kFamily;
}

}  // namespace sweep
