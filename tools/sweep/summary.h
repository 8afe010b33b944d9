// The sweep's report: a table per family (flights, passed, the worst
// reading of each judgement with the flight that gave it), the failures
// with their values and how to fly each again, and the families' charts.
#pragma once

#include <string>
#include <vector>

#include "family.h"

namespace sweep {

struct FlightOutcome {
    std::string name;
    std::string conditions;
    JudgedFlight judged;
};

// Markdown: a heading line with the counts, then the table.
std::string familyTable(const Family& family, const std::vector<FlightOutcome>& outcomes);
// One line per failed flight: its name, conditions and what failed.
std::string failureList(const std::vector<FlightOutcome>& outcomes);
// Writes the chart sets' data files into the folder and plots them with
// gnuplot; false with the reason when gnuplot could not draw them.
bool writeCharts(const Family& family, const std::vector<FlightOutcome>& outcomes,
                 const std::string& folder, std::string* note);

}  // namespace sweep
