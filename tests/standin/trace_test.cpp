// The flight trace of a scenario run: its CSV columns and rows, the modes
// the plug-in reports, and the plot, or the reason there is none.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "standin/runner/report.h"
#include "standin/runner/scenario.h"
#include "support/host_fixture.h"

namespace {

using namespace standin::runner;

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, ',')) out.push_back(field);
    if (!line.empty() && line.back() == ',') out.push_back("");
    return out;
}

std::vector<std::string> lines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> out;
    for (std::string line; std::getline(file, line);) out.push_back(line);
    return out;
}

class Trace : public quiltest::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        folder = std::filesystem::temp_directory_path() /
                 ("quil-trace-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        HostTest::TearDown();
        std::filesystem::remove_all(folder);
    }

    RunOutcome run(const std::string& text, const std::string& gnuplot) {
        Scenario scenario;
        std::string error;
        EXPECT_TRUE(parseScenario(text, "trace.scenario", "", &scenario, &error)) << error;
        RunSettings settings;
        settings.outputFolder = folder.string();
        settings.gnuplot = gnuplot;
        return runScenario(scenario, settings);
    }

    std::filesystem::path folder;
};

TEST_F(Trace, EveryIntervalARowOfTheFlightUnderItsColumnNames) {
    const RunOutcome outcome = run(
        "at 0 trace flight.csv 0.5\n"
        "at 0 set sim/flightmodel/position/indicated_airspeed 150\n"
        "at 0 set sim/flightmodel/position/phi -12.5\n"
        "at 0 set sim/flightmodel/engine/ENGN_N1_[1] 88\n"
        "at 0 set sim/flightmodel/position/y_agl 304.8\n"
        "at 0 set sim/flightmodel/position/groundspeed 100\n"
        "at 0 set sim/flightmodel/weight/m_fuel1 1234.5\n"
        "at 3 end\n",
        "no-such-gnuplot");
    const std::vector<std::string> csv = lines((folder / "flight.csv").string());
    ASSERT_EQ(csv.size(), 8u) << "a header and a row at 0.03, 0.5, 1, ... 3 s";
    const std::vector<std::string> header = fields(csv[0]);
    EXPECT_EQ(header, traceColumns());
    EXPECT_EQ(outcome.trace.rows, 7);
    struct Column {
        const char* name;
        const char* lastValue;
    } columns[] = {
        {"time_s", "3.000"},   {"lat_deg", "55.628000"}, {"agl_ft", "1000.0"},
        {"ias_kt", "150.0"},   {"hdg_deg", "216.50"},    {"bank_deg", "-12.50"},
        {"n1_2", "88.0"},      {"xtk_nm", "0.000"},      {"modes", ""},
        // 100 m/s over the 89 frames after the first.
        {"dist_nm", "0.16"},   {"fuel_left_kg", "1234.5"}, {"bus1_source", "0"},
    };
    const std::vector<std::string> last = fields(csv.back());
    ASSERT_EQ(last.size(), header.size());
    for (const Column& column : columns) {
        const auto at = std::find(header.begin(), header.end(), column.name);
        ASSERT_NE(at, header.end()) << column.name;
        EXPECT_EQ(last[static_cast<size_t>(at - header.begin())], column.lastValue) << column.name;
    }
    for (size_t row = 2; row < csv.size(); ++row)
        EXPECT_EQ(std::stod(fields(csv[row])[0]), 0.5 * static_cast<double>(row - 1)) << csv[row];
}

TEST_F(Trace, ModesComeFromThePluginsAnswers) {
    standin::setAircraft(quiltest::demoAircraftPath());
    load(quiltest::pluginPath());
    load(quiltest::peerPath());
    run("at 0 trace modes.csv 1\n"
        "at 2.5 send afds 3 1 on\n"
        "at 4 end\n",
        "no-such-gnuplot");
    const std::vector<std::string> csv = lines((folder / "modes.csv").string());
    ASSERT_EQ(csv.size(), 6u);
    EXPECT_EQ(fields(csv[3]).back(), "") << csv[3];
    EXPECT_EQ(fields(csv[4]).back(), "HDG-SEL") << csv[4];
}

TEST_F(Trace, WithoutGnuplotTheTraceStaysAndTheReportSaysWhyThereIsNoPlot) {
    const RunOutcome outcome = run("at 0 trace flight.csv\nat 1 end\n", "no-such-gnuplot");
    EXPECT_TRUE(std::filesystem::exists(folder / "flight.csv"));
    EXPECT_FALSE(std::filesystem::exists(folder / "flight.png"));
    EXPECT_TRUE(outcome.trace.plotPath.empty());
    const std::string report = formatReport(outcome, XPLM_NO_PLUGIN_ID);
    EXPECT_NE(report.find("no plot: no-such-gnuplot not found (install the gnuplot-nox package)"),
              std::string::npos)
        << report;
    EXPECT_FALSE(runFailed(outcome)) << "a missing plot does not fail the run";
}

// Whatever the output folder is called, gnuplot takes it as a name: no
// quote, back quote or "@" in it runs anything.
TEST_F(Trace, WithGnuplotThePlotIsAPngBesideTheTraceWhateverTheFolderIsCalled) {
    if (std::system("command -v gnuplot >/dev/null 2>&1") != 0) GTEST_SKIP() << "no gnuplot here";
    const std::filesystem::path base = folder;
    for (const char* made : {"PWNED", "PWNED2"}) std::filesystem::remove(made);
    for (const char* name : {"plain", "a`touch PWNED`\"'@b $(touch PWNED2)"}) {
        folder = base / name;
        std::filesystem::create_directories(folder);
        const RunOutcome outcome = run("at 0 trace flight.csv\nat 1 end\n", "gnuplot");
        ASSERT_EQ(outcome.trace.plotPath, (folder / "flight.png").string()) << outcome.trace.note;
        std::ifstream png(outcome.trace.plotPath, std::ios::binary);
        char signature[8] = {};
        png.read(signature, sizeof signature);
        EXPECT_EQ(std::string(signature + 1, 3), "PNG") << name;
        EXPECT_NE(formatReport(outcome, XPLM_NO_PLUGIN_ID).find("plot " + outcome.trace.plotPath),
                  std::string::npos);
        for (const char* made : {"PWNED", "PWNED2"}) {
            EXPECT_FALSE(std::filesystem::exists(made)) << name;
            EXPECT_FALSE(std::filesystem::exists(folder / made)) << name;
        }
    }
    folder = base;
}

// A flight's trace is named after its scenario ("trace.scenario" here),
// unless the scenario names its own, wherever that line stands.
TEST_F(Trace, AFlightWritesATraceNamedAfterItsScenarioUnlessItNamesOne) {
    struct Case {
        const char* scenario;
        const char* written;
        const char* absent;
        size_t lines;  // the header and the rows
    };
    const Case cases[] = {
        {"at 0 flight airborne\nat 2 end\n", "trace.csv", "own.csv", 6},
        {"at 0 flight airborne\nat 1 trace own.csv 1\nat 2 end\n", "own.csv", "trace.csv", 3},
        {"at 1 pause\nat 2 end\n", nullptr, "trace.csv", 0},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        run(c.scenario, "no-such-gnuplot");
        if (c.written != nullptr) {
            EXPECT_EQ(lines((folder / c.written).string()).size(), c.lines) << c.scenario;
        }
        EXPECT_FALSE(std::filesystem::exists(folder / c.absent)) << c.scenario;
    }
    EXPECT_EQ(defaultTraceName("tests/flights/ils intercept`60`.scenario"), "ils_intercept_60_.csv");
}

}  // namespace
