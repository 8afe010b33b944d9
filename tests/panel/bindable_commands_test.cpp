// The commands: ours exist only once the aircraft is served and work their
// controls as clicks do, held knobs repeat as held wheels do; the
// simulator's autopilot commands work our MCP while we serve the aircraft
// and reach the simulator otherwise; the README lists the table.
#include "panel/bindable_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/popup_host.h"
#include "support/test_aircraft.h"

namespace {

using quiltest::PopupHost;
using quiltest::Size;

constexpr char kMcpHeading[] = "sim/cockpit/autopilot/heading_mag";
constexpr char kAutopilotMode[] = "sim/cockpit/autopilot/autopilot_mode";

class BindableCommands : public PopupHost {
protected:
    static bool exists(const std::string& name, std::string* description = nullptr) {
        for (const standin::CommandInfo& command : standin::commands()) {
            if (command.name != name) continue;
            if (description != nullptr) *description = command.description;
            return true;
        }
        return false;
    }
    static bool reachedTheSimulator(const std::string& name) {
        const std::vector<std::string> log = standin::debugLog();
        const std::string line = "standin: " + name + " has no effect in the host";
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    // Every dataref the plug-in wrote since the log was cleared, in order.
    static std::vector<std::pair<std::string, std::vector<double>>> writes() {
        std::vector<std::pair<std::string, std::vector<double>>> all;
        for (const standin::DataRefWrite& write : standin::writeLog())
            all.emplace_back(write.name, write.values);
        return all;
    }
};

TEST_F(BindableCommands, OursAndTheSimulatorsAreOursOnlyWhileTheAircraftIsServed) {
    quiltest::TestAircraft other;
    other.author = "Someone Else";
    other.description = "A glider";
    start(quiltest::makeAircraft(other));
    const quil::CommandTable table = quil::Commands();
    for (int i = 0; i < table.count; ++i)
        EXPECT_FALSE(exists(table.rows[i].name)) << table.rows[i].name << " before serving";

    standin::loadAircraft(quiltest::demoAircraftPath());
    standin::runSeconds(2.0);
    for (int i = 0; i < table.count; ++i) {
        std::string description;
        EXPECT_TRUE(exists(table.rows[i].name, &description)) << table.rows[i].name;
        EXPECT_EQ(description, table.rows[i].description) << table.rows[i].name;
    }
    const float heading = standin::getFloat(kMcpHeading);
    standin::commandOnce("sim/autopilot/heading_down");
    standin::runFrame();
    EXPECT_FLOAT_EQ(standin::getFloat(kMcpHeading), heading == 0.0f ? 359.0f : heading - 1.0f);
    EXPECT_FALSE(reachedTheSimulator("sim/autopilot/heading_down")) << "ours, not the simulator's";

    standin::loadAircraft(quiltest::makeAircraft(other));
    standin::runSeconds(2.0);
    standin::clearWriteLog();
    for (int i = 0; i < table.count; ++i) standin::commandOnce(table.rows[i].name);
    standin::commandOnce("sim/autopilot/heading_up");
    standin::runSeconds(1.0);
    EXPECT_TRUE(writes().empty()) << writes().front().first << " written for another aircraft";
    EXPECT_TRUE(reachedTheSimulator("sim/autopilot/heading_up"));
}

// A control's click and its command, each on a fresh host with the window
// that holds the control open, write the same datarefs in the same order.
TEST_F(BindableCommands, EachWorksItsControlAsItsClickDoes) {
    struct Case {
        const char* command;
        int menuRow;  // the window opened alone first, or -1 for the panel
        Size window;
        int x, y;  // window pixels, or panel units
    };
    constexpr int kPanel = -1;
    const Case cases[] = {
        {"quil/electrical/battery_guard", quiltest::kMenuRowMeter, quiltest::kMeterSize, 34, 170},
        {"quil/electrical/ground_power_request", quiltest::kMenuRowApu, quiltest::kApuSize, 85,
         243},
        {"quil/apu/switch_start", quiltest::kMenuRowApu, quiltest::kApuSize, 98, 20},
        {"quil/electrical/ground_power_on", quiltest::kMenuRowApu, quiltest::kApuSize, 85, 198},
        {"quil/engines/start_1_left", quiltest::kMenuRowApu, quiltest::kApuSize, 120, 45},
        {"quil/mcp/hdg_sel", kPanel, {}, 757, 559},
        {"quil/mcp/speed_up", kPanel, {}, 660, 590},
        {"quil/mcp/vs", kPanel, {}, 888, 559},
    };
    enum Run { kUntouched, kClicked, kCommanded };
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, std::vector<double>>> written[3];
        for (const Run run : {kUntouched, kClicked, kCommanded}) {
            standin::stopHost();
            standin::startHost(config());
            start();
            if (!standin::graphicsAvailable()) GTEST_SKIP() << standin::graphicsRenderer();
            if (c.menuRow != kPanel) openAlone(c.menuRow);
            standin::runFrame();
            standin::clearWriteLog();
            if (run == kCommanded) {
                standin::commandOnce(c.command);
            } else if (run == kClicked && c.menuRow == kPanel) {
                standin::click(c.x, c.y);
            } else if (run == kClicked) {
                const standin::WindowInfo w = window(c.window);
                standin::click(w.left + c.x, w.bottom + c.y);
            }
            standin::runFrames(3);
            written[run] = writes();
        }
        EXPECT_NE(written[kCommanded], written[kUntouched]) << c.command << " changed nothing";
        EXPECT_EQ(written[kCommanded], written[kClicked]) << c.command;
    }
}

// A knob held down steps on the press and again at the wheel's pace, the
// simulator's knob command just as ours, and every press steps; a button
// held down acts once.
TEST_F(BindableCommands, HeldKnobsRepeatAndHeldButtonsActOnce) {
    start();
    for (const char* command : {"quil/mcp/heading_up", "sim/autopilot/heading_up"}) {
        const float before = standin::getFloat(kMcpHeading);
        standin::commandBegin(command);
        standin::runSeconds(1.0);
        standin::commandEnd(command);
        standin::runSeconds(1.0);
        const float steps = standin::getFloat(kMcpHeading) - before;
        EXPECT_GT(steps, 3.0f) << command << " repeats while held";
        EXPECT_LT(steps, 10.0f) << command << " not every frame";
    }
    // The detents of a rotary knob: presses quicker than the wheel's repeat.
    const float before = standin::getFloat(kMcpHeading);
    for (int detent = 0; detent < 3; ++detent) standin::commandOnce("sim/autopilot/heading_up");
    standin::runFrame();
    EXPECT_FLOAT_EQ(standin::getFloat(kMcpHeading), before + 3.0f);
    for (const int expected : {1, 0}) {
        standin::clearWriteLog();
        standin::commandBegin("quil/mcp/flight_director");
        standin::runSeconds(1.0);
        standin::commandEnd("quil/mcp/flight_director");
        const auto all = writes();
        EXPECT_EQ(std::count_if(all.begin(), all.end(),
                                [](const auto& write) { return write.first == kAutopilotMode; }),
                  1);
        EXPECT_EQ(standin::getInt(kAutopilotMode), expected);
    }
}

// The README's list, between its markers, is the table.
TEST(BindableCommandList, TheReadmeListsTheTable) {
    std::ostringstream expected;
    expected << "| Command | What it does | The simulator's command it takes over |\n"
             << "|---|---|---|\n";
    const quil::CommandTable table = quil::Commands();
    for (int i = 0; i < table.count; ++i) {
        const quil::CommandRow& row = table.rows[i];
        expected << "| `" << row.name << "` | " << row.description << " | ";
        if (row.simulator != nullptr) expected << '`' << row.simulator << '`';
        expected << " |\n";
    }
    std::ifstream readme(QUIL_SOURCE_DIR "/README.md");
    std::stringstream text;
    text << readme.rdbuf();
    const std::string all = text.str();
    const std::string begin = "<!-- commands: from the command table -->\n";
    const std::string end = "<!-- end of commands -->";
    const size_t from = all.find(begin);
    const size_t to = all.find(end);
    ASSERT_TRUE(from != std::string::npos && to != std::string::npos && from < to)
        << "README.md has no command list; it should read:\n" << begin << expected.str() << end;
    EXPECT_EQ(all.substr(from + begin.size(), to - from - begin.size()), expected.str())
        << "README.md's command list should read:\n" << expected.str();
}

}  // namespace
