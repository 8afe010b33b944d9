// What the judgements made of one flight: the worst reading of each against
// its bound, the faults that no number describes (a mode that dropped, a
// capture that never came), and the values its family charts.
#pragma once

#include <string>
#include <vector>

namespace sweep {

enum class Bound { AtMost, AtLeast };

struct Reading {
    std::string judgement;  // what was measured, with its unit
    double value = 0.0;     // the worst of the flight
    double limit = 0.0;
    Bound bound = Bound::AtMost;
    double time = 0.0;      // run time of the worst reading, s

    bool passed() const { return bound == Bound::AtMost ? value <= limit : value >= limit; }
    // True when `other` is worse than this.
    bool worseThan(double other) const { return bound == Bound::AtMost ? other > value : other < value; }
};

struct Verdict {
    std::vector<Reading> readings;
    std::vector<std::string> faults;

    bool passed() const;
    // Whether every reading of the judgements named with this beginning
    // ("touchdown", "localizer") passed: the part a chart shows.
    bool passed(const std::string& judgementsBeginning) const;
    // "localizer after capture 1.31 dots > 1 at 212.4 s; VOR/LOC dropped at 300 s"
    std::string failures() const;
    // Keeps the worse of the reading so far under that judgement and this one.
    void read(const std::string& judgement, double value, double limit, Bound bound, double time);
    // A fault that happened at a time: "VOR/LOC dropped at 312.4 s".
    void fault(const std::string& what, double time);
};

}  // namespace sweep
