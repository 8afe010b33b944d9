#include "summary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "runs.h"

namespace sweep {

namespace {

struct Worst {
    Reading reading;
    std::string flight;
    int failed = 0;
    int judged = 0;
};

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

}  // namespace

std::string familyTable(const Family& family, const std::vector<FlightOutcome>& outcomes) {
    std::vector<Worst> worst;
    int passed = 0, faulted = 0;
    std::string faultExample;
    for (const FlightOutcome& outcome : outcomes) {
        const Verdict& verdict = outcome.judged.verdict;
        passed += verdict.passed() ? 1 : 0;
        if (!verdict.faults.empty()) {
            ++faulted;
            if (faultExample.empty()) faultExample = outcome.name + ": " + verdict.faults.front();
        }
        for (const Reading& r : verdict.readings) {
            auto found = std::find_if(worst.begin(), worst.end(), [&](const Worst& w) {
                return w.reading.judgement == r.judgement;
            });
            if (found == worst.end()) {
                worst.push_back({r, outcome.name, 0, 0});
                found = worst.end() - 1;
            } else if (found->reading.worseThan(r.value)) {
                found->reading = r;
                found->flight = outcome.name;
            }
            ++found->judged;
            found->failed += r.passed() ? 0 : 1;
        }
    }
    std::string text = "### " + std::string(family.title) + ": " + std::to_string(outcomes.size()) +
                       " flights, " + std::to_string(passed) + " passed\n\n"
                       "| Judgement | Limit | Worst | Flight | Failed |\n|---|---|---|---|---|\n";
    for (const Worst& w : worst)
        text += "| " + w.reading.judgement + " | " + (w.reading.bound == Bound::AtMost ? "≤ " : "≥ ") +
                number(w.reading.limit) + " | " + number(w.reading.value) + " | " + w.flight + " | " +
                std::to_string(w.failed) + " of " + std::to_string(w.judged) + " |\n";
    text += "| faults (a capture missed, a mode dropped, a run that failed) | none | " +
            (faultExample.empty() ? std::string("none") : faultExample) + " | | " +
            std::to_string(faulted) + " of " + std::to_string(outcomes.size()) + " |\n";
    return text;
}

std::string failureList(const std::vector<FlightOutcome>& outcomes) {
    std::string text;
    for (const FlightOutcome& outcome : outcomes)
        if (!outcome.judged.verdict.passed())
            text += outcome.name + " (" + outcome.conditions + "): " + outcome.judged.verdict.failures() + "\n";
    return text;
}

namespace {

// gnuplot's script for a family's charts; the folder comes as its first
// argument, never as script text.
std::string chartScript(const Family& family) {
    std::string script = "cd ARG1\nset grid\nset key outside right\n";
    for (const Chart& chart : family.charts) {
        const size_t rows = (chart.panels.size() + 1) / 2;
        const std::string data = "'" + std::string(chart.name) + ".dat'";
        const std::string passed = std::to_string(std::count(chart.columns, chart.columns + std::strlen(chart.columns), ' ') + 1);
        script += "set terminal pngcairo size 1000," + std::to_string(380 * rows + 40) + " font ',10'\n"
                  "set output '" + chart.name + ".png'\n"
                  "set multiplot layout " + std::to_string(rows) + ",2 title '" + chart.title + "'\n";
        for (const ChartPanel& panel : chart.panels) {
            const std::string x = std::to_string(panel.x), y = std::to_string(panel.y);
            script += "set xlabel '" + std::string(panel.xLabel) + "'\nset ylabel '" + panel.yLabel + "'\n"
                      "plot " + data + " using " + x + ":($" + passed + ">0?$" + y + ":1/0) with points pt 7 title 'passed', " +
                      data + " using " + x + ":($" + passed + ">0?1/0:$" + y + ") with points pt 2 lc rgb 'red' title 'failed'\n";
        }
        script += "unset multiplot\n";
    }
    return script;
}

}  // namespace

bool writeCharts(const Family& family, const std::vector<FlightOutcome>& outcomes,
                 const std::string& folder, std::string* note) {
    for (const Chart& chart : family.charts) {
        std::ofstream data(folder + "/" + chart.name + ".dat");
        data << "# " << chart.columns << "\n";
        for (const FlightOutcome& outcome : outcomes)
            for (const ChartRow& row : outcome.judged.chartRows) {
                if (row.set != chart.name) continue;
                for (size_t i = 0; i < row.values.size(); ++i) data << (i ? " " : "") << row.values[i];
                data << "  # " << outcome.name << "\n";
            }
        if (!data) {
            *note = "cannot write " + folder + "/" + chart.name + ".dat";
            return false;
        }
    }
    const std::string script = folder + "/" + family.name + "_charts.gp";
    std::ofstream(script) << chartScript(family);
    std::vector<Run> plot{{{"gnuplot", "-c", script, folder}, folder + "/" + family.name + "_charts.log"}};
    runAll(plot, 1, nullptr);
    if (plot.front().status != 0) {
        *note = "gnuplot did not draw the " + std::string(family.name) + " charts (see " +
                plot.front().outputPath + ")";
        return false;
    }
    return true;
}

}  // namespace sweep
