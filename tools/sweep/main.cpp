// quil-sweep: flies generated flights of each family on the stand-in host
// (one quil-sim run each, a few at once), judges every one by its family's
// rules and writes the tables, the failures and the charts.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "family.h"
#include "runs.h"
#include "summary.h"
#include "trace_table.h"

namespace {

using namespace sweep;

constexpr char kUsage[] =
    "Usage: quil-sweep --sim PATH --plugin PATH [--plugin PATH ...] --aircraft PATH.acf\n"
    "                  [--seed N] [--ils N] [--lnav N] [--envelope judged|full]\n"
    "                  [--jobs N] [--only NAME] [--out DIR] [--rejudge]\n"
    "\n"
    "Draws flights from each family's ranges with the seed (flight K of a seed\n"
    "is the same in every sweep), writes each as a scenario DIR/NAME.scenario,\n"
    "flies it with quil-sim into DIR/NAME/, judges its trace and writes\n"
    "DIR/sweep.md (a table per family and the failures), the charts' data and\n"
    "their PNGs. Exit status 0 when every flight passed, 1 when one did not,\n"
    "2 on a bad command line.\n"
    "\n"
    "  --seed N          the draws' seed (49)\n"
    "  --ils N, --lnav N flights of each family (0)\n"
    "  --envelope E      judged: the ranges CI holds the autopilot to (the\n"
    "                    default); full: the whole envelope asked, for the charts\n"
    "  --jobs N          quil-sim runs at once (2)\n"
    "  --only NAME       fly that one flight alone (e.g. ils-017)\n"
    "  --rejudge         fly nothing: judge again the traces already in DIR\n";

struct Options {
    std::string sim, aircraft, out = "sweep-out", only;
    std::vector<std::string> plugins;
    unsigned long long seed = 49;
    int counts[2] = {0, 0};
    int jobs = 2;
    Envelope envelope = Envelope::Judged;
    bool rejudge = false;
};

bool wholeNumber(const std::string& text, unsigned long long most, unsigned long long* value) {
    char* end = nullptr;
    *value = std::strtoull(text.c_str(), &end, 10);
    return !text.empty() && text[0] != '-' && *end == '\0' && *value <= most;
}

bool parse(int argc, char** argv, Options* o, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--rejudge") {
            o->rejudge = true;
            continue;
        }
        if (i + 1 >= argc) {
            *error = name == "--help" ? "" : name + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        unsigned long long number = 0;
        const bool isNumber = wholeNumber(value, 100000, &number);
        if (name == "--sim") o->sim = value;
        else if (name == "--plugin") o->plugins.push_back(value);
        else if (name == "--aircraft") o->aircraft = value;
        else if (name == "--out") o->out = value;
        else if (name == "--only") o->only = value;
        else if (name == "--seed" && wholeNumber(value, ~0ull, &o->seed)) continue;
        else if (name == "--ils" && isNumber) o->counts[0] = static_cast<int>(number);
        else if (name == "--lnav" && isNumber) o->counts[1] = static_cast<int>(number);
        else if (name == "--jobs" && isNumber && number > 0) o->jobs = static_cast<int>(number);
        else if (name == "--envelope" && (value == "judged" || value == "full"))
            o->envelope = value == "full" ? Envelope::Full : Envelope::Judged;
        else {
            *error = "bad option " + name + " " + value;
            return false;
        }
    }
    if (o->sim.empty() || o->plugins.empty() || o->aircraft.empty())
        *error = "give --sim, --plugin and --aircraft";
    return error->empty();
}

struct Planned {
    const Family* family;
    GeneratedFlight flight;
};

std::vector<std::string> simArguments(const Options& o, const Planned& p, const std::string& scenario) {
    std::vector<std::string> args{o.sim};
    for (const std::string& plugin : o.plugins) args.insert(args.end(), {"--plugin", plugin});
    args.insert(args.end(), {"--aircraft", o.aircraft, "--scenario", scenario, "--out",
                             o.out + "/" + p.flight.name});
    if (p.family->drawn) args.insert(args.end(), {"--window", "512x512"});
    else args.push_back("--no-graphics");
    return args;
}

void announce(size_t index, size_t count) {
    if (index % 20 == 0) std::printf("quil-sweep: flight %zu of %zu\n", index + 1, count);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    std::string error;
    if (!parse(argc, argv, &o, &error)) {
        if (error.empty()) {
            std::cout << kUsage;
            return 0;
        }
        std::cerr << "quil-sweep: " << error << " (--help for usage)\n";
        return 2;
    }
    std::filesystem::create_directories(o.out);

    const Family* families[] = {&ilsFamily(), &lnavFamily()};
    std::vector<Planned> planned;
    for (int f = 0; f < 2; ++f)
        for (int k = 0; k < o.counts[f]; ++k) {
            GeneratedFlight flight = families[f]->draw(o.seed, k, o.envelope);
            if (o.only.empty() || o.only == flight.name) planned.push_back({families[f], std::move(flight)});
        }
    std::vector<Run> runs;
    for (const Planned& p : planned) {
        const std::string scenario = o.out + "/" + p.flight.name + ".scenario";
        if (!o.rejudge) std::ofstream(scenario) << p.flight.scenario;
        std::filesystem::create_directories(o.out + "/" + p.flight.name);
        runs.push_back({simArguments(o, p, scenario), o.out + "/" + p.flight.name + "/output.txt"});
    }
    if (o.rejudge)
        for (Run& run : runs) run.status = 0;
    else
        runAll(runs, o.jobs, announce);

    std::string markdown = "## The sweep: seed " + std::to_string(o.seed) +
                           (o.envelope == Envelope::Full ? ", the full envelope" : ", the judged envelope") + "\n\n";
    bool allPassed = true;
    for (const Family* family : families) {
        std::vector<FlightOutcome> outcomes;
        for (size_t i = 0; i < planned.size(); ++i) {
            if (planned[i].family != family) continue;
            FlightOutcome outcome{planned[i].flight.name, planned[i].flight.conditions, {}};
            TraceTable trace;
            if (runs[i].status != 0) {
                outcome.judged.verdict.faults.push_back("quil-sim ended with status " +
                                                        std::to_string(runs[i].status) + " (see " +
                                                        runs[i].outputPath + ")");
            } else if (!readTrace(o.out + "/" + outcome.name + "/" + outcome.name + ".csv", &trace, &error)) {
                outcome.judged.verdict.faults.push_back(error);
            } else {
                outcome.judged = planned[i].flight.judge(trace);
            }
            outcomes.push_back(std::move(outcome));
        }
        if (outcomes.empty()) continue;
        markdown += familyTable(*family, outcomes) + "\n";
        const std::string failed = failureList(outcomes);
        if (!failed.empty()) {
            allPassed = false;
            markdown += "Failed:\n\n```\n" + failed + "```\n\n";
        }
        std::string note;
        if (!writeCharts(*family, outcomes, o.out, &note)) markdown += note + "\n\n";
    }
    std::ofstream(o.out + "/sweep.md") << markdown;
    std::cout << markdown;
    if (!allPassed)
        std::cout << "A failed flight flies again alone with --only NAME; its scenario is "
                  << o.out << "/NAME.scenario, its trace and plot in " << o.out << "/NAME/.\n";
    return allPassed ? 0 : 1;
}
