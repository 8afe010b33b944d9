// Commands: finding and creating them, the handler chain around the
// simulator's own action, held commands and their phases, and the
// simulator commands the host carries out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "XPLMUtilities.h"
#include "support/host_fixture.h"

namespace {

using quiltest::HostTest;

// Every handler call, as "name" or "name:phase".
std::vector<std::string> calls;

struct Handler {
    const char* name;
    bool before;
    int result;  // 0 stops the command
};

int record(XPLMCommandRef, XPLMCommandPhase phase, void* refcon) {
    const Handler* handler = static_cast<const Handler*>(refcon);
    calls.push_back(handler->name + (phase == xplm_CommandBegin ? "" : ":" + std::to_string(phase)));
    return handler->result;
}

class Commands : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        calls.clear();
    }
};

TEST_F(Commands, FindingAndCreating) {
    const XPLMCommandRef made = XPLMCreateCommand("test/made", "A test command");
    ASSERT_NE(made, nullptr);
    struct Case {
        const char* name;
        bool found;
    };
    const Case cases[] = {
        {"test/made", true},
        {"test/never_made", false},  // plug-ins' commands exist once made
        {"sim/ice/wing_heat_on", true},
        {"sim/anything/else", true},  // the simulator has more than the host knows
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XPLMFindCommand(c.name) != nullptr, c.found) << c.name;
        EXPECT_EQ(XPLMFindCommand(c.name), XPLMFindCommand(c.name)) << c.name;
    }
    EXPECT_EQ(XPLMCreateCommand("test/made", "again"), made);
    EXPECT_EQ(XPLMCreateCommand(nullptr, "none"), nullptr);
    EXPECT_EQ(XPLMFindCommand(nullptr), nullptr);
    XPLMCommandOnce(reinterpret_cast<XPLMCommandRef>(0x7777));  // refused, not followed
}

// Before-handlers newest first, the simulator (the wing heat switch), then
// after-handlers newest first; a 0 stops everything after it.
TEST_F(Commands, HandlersRunAroundTheSimulatorUntilOneStops) {
    struct Case {
        std::vector<Handler> handlers;  // in registration order
        std::string order;
        int heat;  // the switch after the command
    };
    const Case cases[] = {
        {{}, "", 1},
        {{{"A", true, 1}, {"B", false, 1}}, "A B", 1},
        {{{"A", true, 1}, {"C", true, 1}, {"B", false, 1}}, "C A B", 1},
        {{{"A", true, 0}, {"B", false, 1}}, "A", 0},
        {{{"A", true, 1}, {"C", true, 0}}, "C", 0},
        {{{"B", false, 0}, {"D", false, 1}}, "D B", 1},
    };
    for (const Case& c : cases) {
        standin::startHost(config());
        calls.clear();
        const XPLMCommandRef command = XPLMFindCommand("sim/ice/wing_heat_on");
        for (const Handler& h : c.handlers)
            XPLMRegisterCommandHandler(command, record, h.before, const_cast<Handler*>(&h));
        XPLMCommandBegin(command);
        std::string order;
        for (const std::string& call : calls) order += (order.empty() ? "" : " ") + call;
        EXPECT_EQ(order, c.order);
        EXPECT_EQ(standin::getInt("sim/cockpit/switches/anti_ice_surf_heat"), c.heat) << c.order;
        for (const Handler& h : c.handlers)
            XPLMUnregisterCommandHandler(command, record, h.before, const_cast<Handler*>(&h));
        calls.clear();
        XPLMCommandEnd(command);
        EXPECT_TRUE(calls.empty()) << "unregistered handlers are not called";
    }
}

// Begin, a continue phase every frame while held, end; an end without its
// begin and a command run again from its own handler are ignored.
TEST_F(Commands, PhasesOfHeldCommands) {
    static Handler chime{"chime", true, 1};
    const XPLMCommandRef command = XPLMCreateCommand("test/chime", "");
    XPLMRegisterCommandHandler(command, record, 1, &chime);
    XPLMRegisterCommandHandler(command, record, 1, &chime);  // once only
    struct Case {
        const char* script;  // b begin, e end, o once, f a frame
        std::vector<std::string> calls;
        int held;
    };
    const Case cases[] = {
        {"o", {"chime", "chime:2"}, 0},
        {"bfffe", {"chime", "chime:1", "chime:1", "chime:1", "chime:2"}, 0},
        {"bf", {"chime", "chime:1"}, 1},
        {"fe", {"chime:1", "chime:2"}, 0},  // ends the one left held above
        {"eff", {}, 0},
    };
    for (const Case& c : cases) {
        calls.clear();
        for (const char* step = c.script; *step != '\0'; ++step) {
            if (*step == 'b') XPLMCommandBegin(command);
            if (*step == 'e') XPLMCommandEnd(command);
            if (*step == 'o') XPLMCommandOnce(command);
            if (*step == 'f') standin::runFrame();
        }
        EXPECT_EQ(calls, c.calls) << c.script;
        EXPECT_EQ(standin::commands().front().held, c.held) << c.script;
    }
    EXPECT_EQ(standin::commands().front().begins, 3);
    EXPECT_FALSE(standin::commandEnd("test/chime"));
    EXPECT_FALSE(standin::commandOnce("test/never_made"));
}

int runsItself(XPLMCommandRef command, XPLMCommandPhase, void*) {
    calls.push_back("again");
    XPLMCommandOnce(command);
    return 1;
}

TEST_F(Commands, AHandlerRunningItsOwnCommandIsRefusedAndLogged) {
    const XPLMCommandRef command = XPLMCreateCommand("test/loop", "");
    XPLMRegisterCommandHandler(command, runsItself, 1, nullptr);
    XPLMCommandOnce(command);
    EXPECT_EQ(calls, (std::vector<std::string>{"again", "again"}));  // begin and end
    const std::vector<std::string> log = standin::debugLog();
    ASSERT_EQ(log.size(), 4u);  // the nested begin and end, in both phases
    EXPECT_EQ(log[0], "E/STANDIN: test/loop was run again from one of its own handlers; ignored");
}

// Simulator commands the host knows act on its state; the others are
// counted and noted once in the log.
TEST_F(Commands, SimulatorCommandsActOnTheHost) {
    struct Case {
        const char* command;
        const char* dataRef;
        int value;
    };
    const Case cases[] = {
        {"sim/ice/inlet_heat_on", "sim/cockpit/switches/anti_ice_inlet_heat", 1},
        {"sim/ice/inlet_heat_off", "sim/cockpit/switches/anti_ice_inlet_heat", 0},
        {"sim/ice/window_heat_on", "sim/cockpit/switches/anti_ice_window_heat", 1},
        {"sim/lights/beacon_lights_on", "sim/cockpit/electrical/beacon_lights_on", 1},
        {"sim/lights/landing_lights_on", "sim/cockpit/electrical/landing_lights_on", 1},
        {"sim/lights/landing_lights_off", "sim/cockpit/electrical/landing_lights_on", 0},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(standin::commandOnce(c.command));
        EXPECT_EQ(standin::getInt(c.dataRef), c.value) << c.command;
    }
    standin::commandBegin("sim/starters/engage_starter_2");
    EXPECT_TRUE(standin::buttonHeld(xplm_joy_start_1));
    standin::commandEnd("sim/starters/engage_starter_2");
    EXPECT_FALSE(standin::buttonHeld(xplm_joy_start_1));
    standin::commandOnce("sim/operation/pause_toggle");
    EXPECT_TRUE(standin::paused());

    standin::commandOnce("sim/view/chase");
    standin::commandOnce("sim/view/chase");
    EXPECT_EQ(standin::debugLog(),
              std::vector<std::string>{"standin: sim/view/chase has no effect in the host"});
    const standin::CommandInfo chase = standin::commands().back();
    EXPECT_EQ(chase.begins, 2);
    EXPECT_TRUE(chase.simulator);
    EXPECT_FALSE(chase.hostAction);
}

}  // namespace
