#include "verdict.h"

#include <algorithm>
#include <cstdio>

namespace sweep {

bool Verdict::passed() const {
    return faults.empty() && std::all_of(readings.begin(), readings.end(),
                                         [](const Reading& r) { return r.passed(); });
}

bool Verdict::passed(const std::string& beginning) const {
    return std::all_of(readings.begin(), readings.end(), [&](const Reading& r) {
        return r.judgement.compare(0, beginning.size(), beginning) != 0 || r.passed();
    });
}

std::string Verdict::failures() const {
    std::string text;
    for (const Reading& r : readings) {
        if (r.passed()) continue;
        char line[256];
        std::snprintf(line, sizeof line, "%s %.3g %s %.3g at %.1f s", r.judgement.c_str(), r.value,
                      r.bound == Bound::AtMost ? ">" : "<", r.limit, r.time);
        text += (text.empty() ? "" : "; ") + std::string(line);
    }
    for (const std::string& fault : faults) text += (text.empty() ? "" : "; ") + fault;
    return text;
}

void Verdict::read(const std::string& judgement, double value, double limit, Bound bound,
                   double time) {
    for (Reading& r : readings) {
        if (r.judgement != judgement) continue;
        if (r.worseThan(value)) {
            r.value = value;
            r.time = time;
        }
        return;
    }
    readings.push_back({judgement, value, limit, bound, time});
}

void Verdict::fault(const std::string& what, double time) {
    char at[32];
    std::snprintf(at, sizeof at, " at %.1f s", time);
    faults.push_back(what + at);
}

}  // namespace sweep
