// The scenario language, its run on the stand-in host, and quil-sim's
// command line.
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "XPLMDisplay.h"
#include "XPLMUtilities.h"
#include "standin/runner/report.h"
#include "standin/runner/scenario.h"
#include "standin/standin.h"
#include "support/quil_sim_run.h"

namespace {

using namespace standin::runner;
using quiltest::CommandResult;
using quiltest::fileText;
using quiltest::QuilSim;

const std::string kProbe = QUIL_BUILD_DIR "/probe/64/lin.xpl";
const std::string kQuil = QUIL_BUILD_DIR "/quil/64/lin.xpl";
const std::string kPeer = QUIL_BUILD_DIR "/peer/64/lin.xpl";
const std::string kDemoAircraft = QUIL_BUILD_DIR "/aircraft/Quil737/Quil737.acf";
const std::string kDemoScenario = QUIL_SOURCE_DIR "/aircraft/demo.scenario";

Scenario parsed(const std::string& text, const std::string& folder = "") {
    Scenario scenario;
    std::string error;
    EXPECT_TRUE(parseScenario(text, "demo.scenario", folder, &scenario, &error)) << error;
    return scenario;
}

std::string parseError(const std::string& text) {
    Scenario scenario;
    std::string error;
    EXPECT_FALSE(parseScenario(text, "demo.scenario", "", &scenario, &error)) << text;
    return error;
}

// The one action of a one-line scenario, as the record its verb makes.
template <typename Action>
Action only(const std::string& line, const std::string& folder = "") {
    const Scenario scenario = parsed(line, folder);
    if (scenario.actions.size() != 1) {
        ADD_FAILURE() << line << ": " << scenario.actions.size() << " actions";
        return Action{};
    }
    const Action* action = std::get_if<Action>(&scenario.actions[0].body);
    if (action == nullptr) {
        ADD_FAILURE() << line << ": parsed as another action";
        return Action{};
    }
    return *action;
}

// ---- Parsing ---------------------------------------------------------------

TEST(ScenarioParse, SetTakesADataRefAnElementAndANumberOrAText) {
    SetAction set = only<SetAction>("at 2.5 set sim/cockpit/autopilot/altitude 5000");
    EXPECT_EQ(set.dataref.name, "sim/cockpit/autopilot/altitude");
    EXPECT_EQ(set.dataref.index, -1);
    EXPECT_FALSE(set.value.isText);
    EXPECT_EQ(set.value.number, 5000.0);

    set = only<SetAction>("at 0 set sim/cockpit/electrical/generator_on[1] -0.5");
    EXPECT_EQ(set.dataref.name, "sim/cockpit/electrical/generator_on");
    EXPECT_EQ(set.dataref.index, 1);
    EXPECT_EQ(set.value.number, -0.5);

    set = only<SetAction>("at 0 set sim/aircraft/view/acf_tailnum \"N737 Q\"");
    EXPECT_TRUE(set.value.isText);
    EXPECT_EQ(set.value.text, "N737 Q");
}

TEST(ScenarioParse, MouseActionsTakeWindowPixelsOrPanelUnits) {
    struct Case {
        const char* line;
        MousePhase phase;
        bool panel;
        double x, y;
    };
    const Case cases[] = {
        {"at 3 click 512 300", MousePhase::Click, false, 512, 300},
        {"at 3 click panel 500.5 700", MousePhase::Click, true, 500.5, 700},
        {"at 4 press 500 700", MousePhase::Press, false, 500, 700},
        {"at 4 drag panel 10 20", MousePhase::Drag, true, 10, 20},
        {"at 4 release -3 0", MousePhase::Release, false, -3, 0},
    };
    for (const Case& c : cases) {
        const MouseAction mouse = only<MouseAction>(c.line);
        EXPECT_EQ(mouse.phase, c.phase) << c.line;
        EXPECT_EQ(mouse.panel, c.panel) << c.line;
        EXPECT_EQ(mouse.x, c.x) << c.line;
        EXPECT_EQ(mouse.y, c.y) << c.line;
    }
}

TEST(ScenarioParse, TypeTakesWindowPixelsAndTheText) {
    struct Case {
        const char* line;
        int x, y;
        const char* text;
    };
    const Case cases[] = {
        {"at 3 type 512 300 \"Pell Orvik\"", 512, 300, "Pell Orvik"},
        {"at 3 type 10 20 \"\"", 10, 20, ""},
    };
    for (const Case& c : cases) {
        const TypeAction type = only<TypeAction>(c.line);
        EXPECT_EQ(type.x, c.x) << c.line;
        EXPECT_EQ(type.y, c.y) << c.line;
        EXPECT_EQ(type.text, c.text) << c.line;
    }
}

TEST(ScenarioParse, MessageNumbersMayBeHexAndWrapLikePluginMessages) {
    MessageAction message = only<MessageAction>("at 5 message 102 0");
    EXPECT_EQ(message.message, 102);
    EXPECT_EQ(message.param, 0);
    message = only<MessageAction>("at 5 message 0x88888880 010");
    EXPECT_EQ(static_cast<uint32_t>(message.message), 0x88888880u);
    EXPECT_LT(message.message, 0);
    EXPECT_EQ(message.param, 10);  // decimal, not octal
}

TEST(ScenarioParse, AircraftPathsAreTakenFromTheScenarioFolder) {
    EXPECT_EQ(only<AircraftAction>("at 5 aircraft Quil737/Quil737.acf", "/work/aircraft").path,
              "/work/aircraft/Quil737/Quil737.acf");
    EXPECT_EQ(only<AircraftAction>("at 5 aircraft ../other/B.acf", "/work/aircraft").path,
              "/work/other/B.acf");
    EXPECT_EQ(only<AircraftAction>("at 5 aircraft /abs/A.acf", "/work/aircraft").path,
              "/abs/A.acf");
    EXPECT_EQ(only<AircraftAction>("at 5 aircraft \"My Plane/A.acf\"").path, "My Plane/A.acf");
}

TEST(ScenarioParse, ScreenshotPauseResumeAndEnd) {
    EXPECT_EQ(only<ScreenshotAction>("at 6 screenshot panel.png").fileName, "panel.png");
    EXPECT_TRUE(only<PauseAction>("at 8 pause").paused);
    EXPECT_FALSE(only<PauseAction>("at 8 resume").paused);
    const Scenario scenario = parsed("at 9 end");
    ASSERT_EQ(scenario.actions.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<EndAction>(scenario.actions[0].body));
}

TEST(ScenarioParse, ExpectTakesEveryComparisonAndATolerance) {
    struct Case {
        const char* line;
        Comparison comparison;
        double value;
        double tolerance;
    };
    const Case cases[] = {
        {"at 7 expect sim/a == 1", Comparison::Equal, 1, 0},
        {"at 7 expect sim/a != 0", Comparison::NotEqual, 0, 0},
        {"at 7 expect sim/a > 100", Comparison::Greater, 100, 0},
        {"at 7 expect sim/a < 5", Comparison::Less, 5, 0},
        {"at 7 expect sim/a >= 5", Comparison::GreaterOrEqual, 5, 0},
        {"at 7 expect sim/a <= 5", Comparison::LessOrEqual, 5, 0},
        {"at 7 expect sim/a ~ 29.92 0.01", Comparison::Near, 29.92, 0.01},
    };
    for (const Case& c : cases) {
        const ExpectAction expect = only<ExpectAction>(c.line);
        EXPECT_EQ(expect.dataref.name, "sim/a") << c.line;
        EXPECT_EQ(expect.comparison, c.comparison) << c.line;
        EXPECT_EQ(expect.value.number, c.value) << c.line;
        EXPECT_EQ(expect.tolerance, c.tolerance) << c.line;
    }
    const ExpectAction text = only<ExpectAction>("at 7 expect sim/t[0] != \"x y\"");
    EXPECT_EQ(text.dataref.index, 0);
    EXPECT_TRUE(text.value.isText);
    EXPECT_EQ(text.value.text, "x y");
}

TEST(ScenarioParse, SendNamesThePeersMessageAndItsRecord) {
    struct Case {
        const char* line;
        PeerMessage message;
        int mode, command, action, value;
    };
    const Case cases[] = {
        {"at 3 send afds 3 1 on", PeerMessage::Afds, 3, 1, 1, 0},
        {"at 3 send afds 2 3 set -1200", PeerMessage::Afds, 2, 3, 0, -1200},
        {"at 3 send afds 2 6 query", PeerMessage::Afds, 2, 6, 3, 0},
        {"at 3 send afds 1 0x106 off", PeerMessage::Afds, 1, 262, 2, 0},
        {"at 3 send switch 2 5 3 1", PeerMessage::Switch, 2, 5, 3, 1},
        {"at 3 send switch 255 -1 255 2147483647", PeerMessage::Switch, 255, -1, 255, 2147483647},
        {"at 3 send connect 0", PeerMessage::Connect, 0, 0, 0, 0},
        {"at 3 send connect -7", PeerMessage::Connect, 0, 0, 0, -7},
        {"at 3 send state", PeerMessage::State, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const SendAction send = only<SendAction>(c.line);
        EXPECT_EQ(send.message, c.message) << c.line;
        EXPECT_EQ(send.mode, c.mode) << c.line;
        EXPECT_EQ(send.command, c.command) << c.line;
        EXPECT_EQ(send.action, c.action) << c.line;
        EXPECT_EQ(send.value, c.value) << c.line;
    }
}

TEST(ScenarioParse, CommentsAndBlankLinesAreSkippedAndLinesKeepTheirNumbers) {
    const Scenario scenario = parsed(
        "# the demo\n"
        "\n"
        "   at 1 pause   \n"
        "  # indented comment\n"
        "at 1 resume\r\n"
        "at 3.25 end\n");
    ASSERT_EQ(scenario.actions.size(), 3u);
    EXPECT_EQ(scenario.actions[0].line, 3);
    EXPECT_EQ(scenario.actions[0].source, "at 1 pause");
    EXPECT_EQ(scenario.actions[1].line, 5);
    EXPECT_EQ(scenario.actions[1].time, 1.0);
    EXPECT_EQ(scenario.actions[2].line, 6);
    EXPECT_EQ(scenario.actions[2].time, 3.25);
}

TEST(ScenarioParse, FlightLinesStartWindAndFlyTheAircraft) {
    const FlightAction airborne =
        only<FlightAction>("at 0 flight airborne lat 55.5 lon -3.25 alt 8000 ias 250 hdg 270 "
                           "flaps 0.125 engines cold mass 70000");
    EXPECT_FALSE(airborne.start.onGround);
    EXPECT_EQ(airborne.start.latitude, 55.5);
    EXPECT_EQ(airborne.start.longitude, -3.25);
    EXPECT_EQ(airborne.start.altitudeFt, 8000.0);
    EXPECT_EQ(airborne.start.airspeedKt, 250.0);
    EXPECT_EQ(airborne.start.headingDeg, 270.0);
    EXPECT_EQ(airborne.start.flaps, 0.125);
    EXPECT_FALSE(airborne.start.enginesRunning);
    EXPECT_FALSE(airborne.start.gearDown);
    EXPECT_EQ(airborne.start.massKg, 70000.0);
    const FlightAction ground = only<FlightAction>("at 0 flight ground field 120 gear down");
    EXPECT_TRUE(ground.start.onGround);
    EXPECT_TRUE(ground.start.gearDown);
    EXPECT_EQ(ground.start.airspeedKt, 0.0);
    EXPECT_EQ(ground.start.fieldElevationFt, 120.0);

    const WindAction wind = only<WindAction>("at 1 wind 300 20");
    EXPECT_EQ(wind.fromDegrees, 300.0);
    EXPECT_EQ(wind.knots, 20.0);

    struct Case {
        const char* line;
        PilotControl control;
        double first, second;
    };
    const Case pilots[] = {
        {"at 1 pilot yoke 0.4 -0.1", PilotControl::Yoke, 0.4, -0.1},
        {"at 1 pilot rudder 0.2", PilotControl::Rudder, 0.2, 0.0},
        {"at 1 pilot throttle 0.95", PilotControl::Throttle, 0.95, 0.0},
        {"at 1 pilot flaps 0.625", PilotControl::Flaps, 0.625, 0.0},
        {"at 1 pilot gear down", PilotControl::Gear, 1.0, 0.0},
        {"at 1 pilot gear up", PilotControl::Gear, 0.0, 0.0},
        {"at 1 pilot brakes on", PilotControl::Brakes, 1.0, 0.0},
    };
    for (const Case& pilot : pilots) {
        const PilotAction action = only<PilotAction>(pilot.line);
        EXPECT_EQ(action.control, pilot.control) << pilot.line;
        EXPECT_EQ(action.first, pilot.first) << pilot.line;
        EXPECT_EQ(action.second, pilot.second) << pilot.line;
    }

    const HoldAction hold =
        only<HoldAction>("at 40 hold sim/flightmodel/position/magpsi ~ 270 1 for 30");
    EXPECT_EQ(hold.expect.dataref.name, "sim/flightmodel/position/magpsi");
    EXPECT_EQ(hold.expect.comparison, Comparison::Near);
    EXPECT_EQ(hold.expect.value.number, 270.0);
    EXPECT_EQ(hold.expect.tolerance, 1.0);
    EXPECT_EQ(hold.seconds, 30.0);
    EXPECT_EQ(only<HoldAction>("at 1 hold sim/a[2] < 5 for 0.5").expect.dataref.index, 2);
}

TEST(ScenarioParse, CommandTakesAPhaseAndAName) {
    const struct {
        const char* line;
        CommandPhase phase;
    } cases[] = {{"at 1 command once a/b", CommandPhase::Once},
                 {"at 1 command begin a/b", CommandPhase::Begin},
                 {"at 1 command end a/b", CommandPhase::End}};
    for (const auto& c : cases) {
        const CommandAction command = only<CommandAction>(c.line);
        EXPECT_EQ(command.phase, c.phase) << c.line;
        EXPECT_EQ(command.name, "a/b");
    }
    EXPECT_EQ(parseError("at 1 command press a/b"), "demo.scenario:1: bad 'press' (once, begin or end)");
    EXPECT_EQ(parseError("at 1 command once"),
              "demo.scenario:1: missing argument (command once|begin|end NAME)");
}

TEST(ScenarioParse, MalformedLinesAreRejectedWithTheirLineNumber) {
    const std::string kSendUsage = "afds|switch MODE COMMAND ACTION [VALUE] | connect VALUE | state";
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"at 1 pause\n# note\nat 2 clik 5 5", "demo.scenario:3: unknown action 'clik'"},
        {"at 1 set sim/a", "demo.scenario:1: missing argument (set DATAREF VALUE)"},
        {"at 1 set sim/a 1 2", "demo.scenario:1: extra argument '2' (set DATAREF VALUE)"},
        {"\nat 1 click 1 2 3", "demo.scenario:2: extra argument '3' (click [panel] X Y)"},
        {"at 1 click panel 1", "demo.scenario:1: missing argument (click [panel] X Y)"},
        {"at 1 type 1 2", "demo.scenario:1: missing argument (type X Y TEXT)"},
        {"at 1 type 1.5 2 \"a\"", "demo.scenario:1: bad whole number '1.5'"},
        {"at 1 pause now", "demo.scenario:1: extra argument 'now' (pause)"},
        {"at 1 message 102", "demo.scenario:1: missing argument (message MESSAGE PARAM)"},
        {"at soon pause", "demo.scenario:1: bad number 'soon'"},
        {"at 1 set sim/a 1.2.3", "demo.scenario:1: bad number '1.2.3'"},
        {"at 1 click 10.5 3", "demo.scenario:1: bad whole number '10.5'"},
        {"at 1 message 102 0.5", "demo.scenario:1: bad whole number '0.5'"},
        {"at 1 set sim/a[x] 1", "demo.scenario:1: bad dataref 'sim/a[x]'"},
        {"at 1 set sim/a[1 1", "demo.scenario:1: bad dataref 'sim/a[1'"},
        {"at 2 pause\nat 1.5 resume", "demo.scenario:2: time 1.5 is before the previous action's 2"},
        {"at -1 pause", "demo.scenario:1: negative time '-1'"},
        {"at 1 expect sim/a = 1", "demo.scenario:1: bad comparison '=' (== != > < >= <= ~)"},
        {"at 1 expect sim/a ~ 1", "demo.scenario:1: missing argument (expect DATAREF OP VALUE [TOLERANCE])"},
        {"at 1 expect sim/a == 1 0.1", "demo.scenario:1: extra argument '0.1' (expect DATAREF OP VALUE [TOLERANCE])"},
        {"at 1 expect sim/a ~ 1 -0.1", "demo.scenario:1: negative tolerance '-0.1'"},
        {"at 0 flight cruising", "demo.scenario:1: bad 'cruising' (ground or airborne)"},
        {"at 0 flight airborne alt", "demo.scenario:1: flight setting 'alt' has no value"},
        {"at 0 flight airborne speed 250",
         "demo.scenario:1: unknown flight setting 'speed' (lat lon alt field ias hdg flaps gear "
         "engines mass)"},
        {"at 0 flight ground gear half", "demo.scenario:1: bad 'half' (down or up)"},
        {"at 0 wind 300 -5", "demo.scenario:1: negative wind speed '-5'"},
        {"at 0 pilot stick 1", "demo.scenario:1: unknown control 'stick' (yoke rudder throttle "
                               "flaps gear brakes)"},
        {"at 0 pilot yoke 0.5",
         "demo.scenario:1: missing argument (pilot yoke PITCH ROLL | rudder|throttle|flaps VALUE "
         "| gear up|down | brakes on|off)"},
        {"at 0 hold sim/a ~ 1 0.5", "demo.scenario:1: a hold ends in 'for SECONDS' (hold DATAREF "
                                    "OP VALUE [TOLERANCE] for SECONDS)"},
        {"at 0 hold sim/a ~ 1 0.5 for 0", "demo.scenario:1: a hold needs a positive span"},
        {"at 0 hold sim/a == \"x\" for 1", "demo.scenario:1: a hold compares numbers"},
        {"at 0 hold sim/a ~ 1 for 2",
         "demo.scenario:1: missing argument (hold DATAREF OP VALUE [TOLERANCE] for SECONDS)"},
        {"at 1 expect sim/a > \"x\"", "demo.scenario:1: a text can only be compared with == or !="},
        {"at 1 screenshot shot.jpg", "demo.scenario:1: screenshot needs a file name ending in .png, without folders: 'shot.jpg'"},
        {"at 1 screenshot ../shot.png", "demo.scenario:1: screenshot needs a file name ending in .png, without folders: '../shot.png'"},
        {"set sim/a 1", "demo.scenario:1: expected 'at TIME ACTION ...'"},
        {"at 1", "demo.scenario:1: expected 'at TIME ACTION ...'"},
        {"at 1 set sim/a \"open", "demo.scenario:1: unterminated text (no closing \")"},
        {"at 1 end\nat 2 pause", "demo.scenario:2: nothing may follow 'end'"},
        {"at 1 send", "demo.scenario:1: missing argument (send " + kSendUsage + ")"},
        {"at 1 send afds 2 6", "demo.scenario:1: missing argument (send " + kSendUsage + ")"},
        {"at 1 send connect", "demo.scenario:1: missing argument (send " + kSendUsage + ")"},
        {"at 1 send afds 2 6 on 1 2", "demo.scenario:1: extra argument '2' (send " + kSendUsage + ")"},
        {"at 1 send state now", "demo.scenario:1: extra argument 'now' (send " + kSendUsage + ")"},
        {"at 1 send fax 1", "demo.scenario:1: unknown message 'fax' (afds switch connect state)"},
        {"at 1 send afds 2 6 maybe", "demo.scenario:1: bad action 'maybe' (set on off query, or 0 to 255)"},
        {"at 1 send switch 2 6 256", "demo.scenario:1: bad action '256' (set on off query, or 0 to 255)"},
        {"at 1 send afds 256 6 on", "demo.scenario:1: bad whole number '256'"},
        {"at 1 send afds 2 6 set 1.5", "demo.scenario:1: bad whole number '1.5'"},
        {"at 1 send connect 2147483648", "demo.scenario:1: bad whole number '2147483648'"},
        {"at 1 waypoint A 55 12", "demo.scenario:1: missing argument (waypoint ID LAT LON ALTITUDE)"},
        {"at 1 waypoint A north 12 0", "demo.scenario:1: bad number 'north'"},
        {"at 1 waypoint A 55 12 1.5", "demo.scenario:1: bad whole number '1.5'"},
        {"at 1 destination 100", "demo.scenario:1: bad whole number '100'"},
        {"at 1 destination", "demo.scenario:1: missing argument (destination ENTRY)"},
        // Coordinates on the globe, controls within their travel, runs
        // within a day.
        {"at 1 waypoint A 1e39 12.6 3000", "demo.scenario:1: '1e39' is out of range (-90 to 90)"},
        {"at 1 waypoint A 55 -180.5 3000",
         "demo.scenario:1: '-180.5' is out of range (-180 to 180)"},
        {"at 0 flight airborne lat 93", "demo.scenario:1: '93' is out of range (-90 to 90)"},
        {"at 0 flight airborne lon 185", "demo.scenario:1: '185' is out of range (-180 to 180)"},
        {"at 0 pilot throttle 1e308", "demo.scenario:1: '1e308' is out of range (0 to 1)"},
        {"at 0 pilot flaps 1e308", "demo.scenario:1: '1e308' is out of range (0 to 1)"},
        {"at 0 pilot yoke 0 -1.5", "demo.scenario:1: '-1.5' is out of range (-1 to 1)"},
        {"at 0 pilot rudder 2", "demo.scenario:1: '2' is out of range (-1 to 1)"},
        {"at 1e300 end", "demo.scenario:1: time '1e300' is beyond a run's longest, 86400 s (a "
                         "simulated day)"},
        {"at 86400.5 end", "demo.scenario:1: time '86400.5' is beyond a run's longest, 86400 s (a "
                           "simulated day)"},
        {"at 0 hold sim/a ~ 1 0.5 for 1e300",
         "demo.scenario:1: '1e300' is out of range (0 to 86400)"},
    };
    for (const Case& c : cases) EXPECT_EQ(parseError(c.text), c.error) << c.text;
}

TEST(ScenarioParse, StationsTakeTheWordsOfTheirKindAndTracesANameAndInterval) {
    using standin::StationKind;
    struct Case {
        const char* line;
        StationKind kind;
        double lat;
        float elevation;
        int frequency;
        float course, slope;
    } stations[] = {
        {"at 0 station vor KAS 55.59 12.61 30 11380", StationKind::Vor, 55.59, 30, 11380, 0, 0},
        {"at 0 station gs IKAS 55.6 12.64 -7 11030 217 3.0", StationKind::GlideSlope, 55.6, -7, 11030,
         217, 3},
        {"at 0 station inner IM 55.61 12.64 17", StationKind::InnerMarker, 55.61, 17, 0, 0, 0},
    };
    for (const Case& c : stations) {
        const standin::RadioStation station = only<StationAction>(c.line).station;
        EXPECT_EQ(station.kind, c.kind) << c.line;
        EXPECT_EQ(station.lat, c.lat) << c.line;
        EXPECT_EQ(station.elevationFt, c.elevation) << c.line;
        EXPECT_EQ(station.frequency, c.frequency) << c.line;
        EXPECT_EQ(station.courseMag, c.course) << c.line;
        EXPECT_EQ(station.slopeDeg, c.slope) << c.line;
    }
    EXPECT_EQ(only<TraceAction>("at 0 trace flight.csv").interval, kDefaultTraceIntervalS);
    EXPECT_EQ(only<TraceAction>("at 0 trace flight.csv 2").interval, 2.0);

    const std::string kStationUsage =
        " (station vor|loc|gs|outer|middle|inner ID LAT LON ELEV [FREQ [COURSE [SLOPE]]])";
    const std::pair<const char*, std::string> bad[] = {
        {"at 0 station ndb X 1 2 3 4", "unknown station 'ndb' (vor loc gs outer middle inner)"},
        {"at 0 station vor X 1 2 3", "missing argument" + kStationUsage},
        {"at 0 station loc X 1 2 3 11030 217 3", "extra argument '3'" + kStationUsage},
        {"at 0 station gs X 1 2 3 110.3 217 3", "bad whole number '110.3'"},
        {"at 0 station vor X 91 2 3 11380", "'91' is out of range (-90 to 90)"},
        {"at 0 station outer X 1 2 1e39", "'1e39' is out of range (-3.40282e+38 to 3.40282e+38)"},
        {"at 0 trace flight.txt", "trace needs a file name of letters, digits, '.', '-' and '_' "
                                  "ending in .csv: 'flight.txt'"},
        {"at 0 trace \"x`touch PWNED`.csv\"", "trace needs a file name of letters, digits, '.', "
                                             "'-' and '_' ending in .csv: 'x`touch PWNED`.csv'"},
        {"at 0 trace ../flight.csv", "trace needs a file name of letters, digits, '.', '-' and '_' "
                                     "ending in .csv: '../flight.csv'"},
        {"at 0 trace .csv", "trace needs a file name of letters, digits, '.', '-' and '_' "
                            "ending in .csv: '.csv'"},
        {"at 0 trace flight.csv 0", "bad trace interval '0' (seconds, above 0)"},
        {"at 0 trace flight.csv 1 2", "extra argument '2' (trace NAME.csv [INTERVAL])"},
    };
    for (const auto& [line, error] : bad) EXPECT_EQ(parseError(line), "demo.scenario:1: " + error) << line;
}

// The books watch lists of datarefs, count fuel afresh and keep power;
// drawing is on, off or every few frames.
TEST(ScenarioParse, BooksWatchListsAndDrawingTakesItsInterval) {
    const BooksAction tanks = only<BooksAction>("at 0 books tanks sim/a sim/b[2]");
    EXPECT_EQ(tanks.step, BooksStep::Watch);
    EXPECT_EQ(tanks.list, BookList::Tanks);
    ASSERT_EQ(tanks.values.size(), 2u);
    EXPECT_EQ(tanks.values[1].name, "sim/b");
    EXPECT_EQ(tanks.values[1].index, 2);
    EXPECT_EQ(only<BooksAction>("at 0 books phase sim/p").list, BookList::Phase);
    EXPECT_EQ(only<BooksAction>("at 0 books fuel").step, BooksStep::MarkFuel);
    const BooksAction off = only<BooksAction>("at 0 books power off");
    EXPECT_EQ(off.step, BooksStep::KeepPower);
    EXPECT_FALSE(off.keep);
    EXPECT_EQ(only<DrawAction>("at 0 draw every 10").interval, 10);
    EXPECT_EQ(only<DrawAction>("at 0 draw off").interval, 0);
    EXPECT_EQ(only<DrawAction>("at 0 draw on").interval, 1);

    const std::string kBooks = " (books tanks|flows|buses|phase DATAREF... | fuel | power on|off)";
    const std::pair<const char*, std::string> bad[] = {
        {"at 0 books", "missing argument" + kBooks},
        {"at 0 books flows", "missing argument" + kBooks},
        {"at 0 books phase sim/a sim/b", "extra argument 'sim/b'" + kBooks},
        {"at 0 books fuel now", "extra argument 'now'" + kBooks},
        {"at 0 books power", "missing argument" + kBooks},
        {"at 0 books power up", "bad 'up' (on or off)"},
        {"at 0 books wheels sim/a", "unknown books 'wheels' (tanks flows buses phase fuel power)"},
        {"at 0 books buses sim/a[", "bad dataref 'sim/a['"},
        {"at 0 draw", "missing argument (draw on | off | every FRAMES)"},
        {"at 0 draw every 0", "bad whole number '0'"},
        {"at 0 draw every 3601", "bad whole number '3601'"},
        {"at 0 draw sometimes", "bad 'sometimes' (on or off)"},
    };
    for (const auto& [line, error] : bad) EXPECT_EQ(parseError(line), "demo.scenario:1: " + error);
}

TEST(ScenarioParse, AMissingFileIsNamedInTheError) {
    Scenario scenario;
    std::string error;
    EXPECT_FALSE(loadScenarioFile("/nonexistent/demo.scenario", &scenario, &error));
    EXPECT_EQ(error, "/nonexistent/demo.scenario: cannot read the scenario");
}

// ---- Running on the host ---------------------------------------------------

standin::HostConfig withoutGraphics() {
    standin::HostConfig config;
    config.graphics = false;
    return config;
}

class ScenarioRun : public ::testing::Test {
protected:
    void SetUp() override { standin::startHost(withoutGraphics()); }
    void TearDown() override { standin::stopHost(); }

    RunOutcome run(const std::string& text) { return runScenario(parsed(text), RunSettings{}); }

    void loadProbe() {
        std::string error;
        ASSERT_NE(standin::loadPlugin(kProbe, &error), XPLM_NO_PLUGIN_ID) << error;
    }
};

TEST_F(ScenarioRun, SetWritesEachDataRefTypeAndExpectReadsItBack) {
    const RunOutcome outcome = run(
        "at 0 set sim/cockpit/autopilot/altitude 5000\n"
        "at 0 set sim/cockpit/autopilot/autopilot_mode 2\n"
        "at 0 set sim/cockpit/electrical/generator_on[1] 1\n"
        "at 0 set sim/flightmodel/engine/ENGN_N1_[1] 55.5\n"
        "at 0 set sim/flightmodel/position/latitude 47.123456789\n"
        "at 0 set sim/aircraft/view/acf_tailnum \"N737Q\"\n"
        "at 0.5 expect sim/cockpit/autopilot/altitude == 5000\n"
        "at 0.5 expect sim/cockpit/autopilot/autopilot_mode == 2\n"
        "at 0.5 expect sim/cockpit/electrical/generator_on[1] == 1\n"
        "at 0.5 expect sim/cockpit/electrical/generator_on[0] == 0\n"
        "at 0.5 expect sim/flightmodel/engine/ENGN_N1_[1] == 55.5\n"
        "at 0.5 expect sim/flightmodel/position/latitude == 47.123456789\n"
        "at 0.5 expect sim/aircraft/view/acf_tailnum == \"N737Q\"\n");
    EXPECT_TRUE(outcome.problems.empty()) << outcome.problems.front();
    ASSERT_EQ(outcome.expectations.size(), 7u);
    for (const ExpectationResult& result : outcome.expectations)
        EXPECT_TRUE(result.met) << result.source << " found " << result.actual;
    EXPECT_EQ(standin::getFloat("sim/cockpit/autopilot/altitude"), 5000.0f);
    EXPECT_EQ(standin::getInt("sim/cockpit/electrical/generator_on", 1), 1);
    EXPECT_EQ(standin::getFloat("sim/flightmodel/engine/ENGN_N1_", 1), 55.5f);
    EXPECT_EQ(standin::getDouble("sim/flightmodel/position/latitude"), 47.123456789);
    EXPECT_EQ(standin::getBytes("sim/aircraft/view/acf_tailnum"), "N737Q");
}

TEST_F(ScenarioRun, ExpectationsReportWhatTheDataRefHeld) {
    const RunOutcome outcome = run(
        "at 0 set sim/cockpit/autopilot/altitude 5000\n"
        "at 0 expect sim/cockpit/autopilot/altitude == 4000\n"
        "at 0 expect sim/cockpit/autopilot/altitude ~ 4999 0.5\n"
        "at 0 expect sim/cockpit/autopilot/altitude ~ 4999.6 0.5\n"
        "at 0 expect sim/cockpit/autopilot/altitude > 4999\n"
        "at 0 expect sim/cockpit/autopilot/altitude < 5000\n"
        "at 0 expect sim/cockpit/autopilot/altitude <= 5000\n"
        "at 0 expect sim/cockpit/misc/barometer_setting == 29.92\n"
        "at 0 expect sim/aircraft/view/acf_tailnum != \"N737Q\"\n"
        "at 0 expect nope/missing == 0\n");
    const std::vector<std::pair<bool, std::string>> wanted = {
        {false, "5000"}, {false, "5000"}, {true, "5000"}, {true, "5000"}, {false, "5000"},
        {true, "5000"},  {true, "29.92"}, {true, "\"\""},  {false, "no dataref 'nope/missing'"},
    };
    ASSERT_EQ(outcome.expectations.size(), wanted.size());
    for (size_t i = 0; i < wanted.size(); ++i) {
        const ExpectationResult& result = outcome.expectations[i];
        EXPECT_EQ(result.met, wanted[i].first) << result.source;
        EXPECT_EQ(result.actual, wanted[i].second) << result.source;
        EXPECT_EQ(result.where, "demo.scenario:" + std::to_string(i + 2));
    }
    EXPECT_TRUE(runFailed(outcome));
    EXPECT_EQ(failedExpectations(outcome), 4);
}

// Holds are read after every frame of their span: a hand on the yoke rolls
// the aircraft out of a heading band, and the report gives the first time
// and value outside it; a band kept to its end reports its worst reading.
TEST_F(ScenarioRun, HoldsReportTheFirstValueOutOfTheirBandOrTheirWorst) {
    const RunOutcome outcome = run(
        "at 0 flight airborne alt 8000 ias 250 hdg 270\n"
        "at 0 hold sim/flightmodel/position/magpsi ~ 270 0.01 for 2\n"
        "at 0 hold sim/flightmodel/misc/h_ind > 7000 for 3\n"
        "at 2 pilot yoke 0 0.5\n"
        "at 2 hold sim/flightmodel/position/magpsi ~ 270 0.5 for 20\n"
        "at 3 hold sim/flightmodel/position/groundspeed > 0 for 60\n");
    ASSERT_EQ(outcome.expectations.size(), 4u);
    const ExpectationResult& level = outcome.expectations[0];
    EXPECT_TRUE(level.met) << level.actual;
    EXPECT_EQ(level.actual, "held; worst 270 at 0.00 s");
    EXPECT_TRUE(outcome.expectations[1].met) << outcome.expectations[1].actual;
    const ExpectationResult& turning = outcome.expectations[2];
    EXPECT_FALSE(turning.met);
    EXPECT_EQ(turning.where, "demo.scenario:5");
    EXPECT_NE(turning.actual.find("left the band: 270.5"), std::string::npos) << turning.actual;
    const double leftAt = std::stod(turning.actual.substr(turning.actual.find(" at ") + 4));
    EXPECT_GT(leftAt, 3.0);
    EXPECT_LT(leftAt, 8.0);
    // After the last action the run goes on until the last hold is over.
    const ExpectationResult& cut = outcome.expectations[3];
    EXPECT_TRUE(cut.met) << cut.actual;
    EXPECT_NEAR(outcome.seconds, 63.0, 0.05);
    EXPECT_TRUE(runFailed(outcome));
}

TEST_F(ScenarioRun, WindAndPilotNeedAFlight) {
    const RunOutcome outcome = run("at 0 wind 270 10\nat 0 pilot throttle 1\n");
    ASSERT_EQ(outcome.problems.size(), 2u);
    EXPECT_EQ(outcome.problems[0], "demo.scenario:1: no flight: start one with 'flight'");
    EXPECT_EQ(outcome.problems[1], "demo.scenario:2: no flight: start one with 'flight'");
}

// Commands pressed and held by a scenario; one that is no command, or an
// end without its begin, is a problem.
TEST_F(ScenarioRun, CommandsRunOnceOrHeldAndTheReportCountsThem) {
    const RunOutcome outcome = run(
        "at 0 command begin sim/starters/engage_starter_1\n"
        "at 0.5 command end sim/starters/engage_starter_1\n"
        "at 0.5 command once sim/view/chase\n"
        "at 1 command once test/none\n"
        "at 1 command end sim/view/chase\n");
    const std::vector<std::string> problems = {
        "demo.scenario:4: no command 'test/none'",
        "demo.scenario:5: command 'sim/view/chase' is not held down",
    };
    EXPECT_EQ(outcome.problems, problems);
    const std::vector<standin::ButtonEvent>& buttons = standin::buttonLog();
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].frame, 0);
    EXPECT_EQ(buttons[1].frame, 15);
    const std::string report = formatReport(outcome, 1);
    EXPECT_NE(report.find("Commands run: 2\n  sim/starters/engage_starter_1 x1, sim/view/chase x1 "
                          "(no effect in the host)\n"),
              std::string::npos)
        << report;
}

// What plug-ins log as errors is listed in the report and fails the run.
TEST_F(ScenarioRun, ErrorsInTheLogFailTheRun) {
    const std::vector<std::string> log = {
        "0:00:00.000 I/LUA: Running scripts/a/a.lua",
        "0:00:00.000 E/LUA: Error during load module 'scripts/a/a.lua'",
        "FE/LUA: not a tag",
        "E/: no subsystem",
        "E/lua: not capitals",
        "E/LUA no colon",
        "E/SYS: at the start",
        "0:00:03.000 I/LUA: traceback: a.lua:3: the handler fails",
        "stack traceback:",
        "\t[C]: in function 'error'",
    };
    const std::vector<std::string> errors = {log[1], log[6], log[7]};
    EXPECT_EQ(errorLines(log), errors);

    XPLMDebugString("E/TEST: broken\nfine\n");
    const RunOutcome outcome = run("at 0.5 end\n");
    EXPECT_EQ(outcome.loggedErrors, std::vector<std::string>{"E/TEST: broken"});
    EXPECT_TRUE(runFailed(outcome));
    EXPECT_NE(formatReport(outcome, 1).find("Log: 2 lines (log.txt), 1 error(s)\n  E/TEST: broken\n"),
              std::string::npos);
}

TEST_F(ScenarioRun, ActionsThatCannotBeCarriedOutAreProblemsWithTheirLine) {
    const RunOutcome outcome = run(
        "at 0 set nope/missing 1\n"
        "at 0 set sim/cockpit/autopilot/autopilot_mode 2.5\n"
        "at 0 set sim/cockpit/autopilot/altitude \"high\"\n"
        "at 0 set sim/cockpit/autopilot/altitude[2] 1\n"
        "at 0 set sim/aircraft/view/acf_tailnum 5\n"
        "at 0 aircraft /nonexistent/A.acf\n"
        "at 0 type 5 5 \"1\"\n");
    const std::vector<std::string> wanted = {
        "demo.scenario:1: no dataref 'nope/missing'",
        "demo.scenario:2: 'sim/cockpit/autopilot/autopilot_mode' holds whole numbers from "
        "-2147483648 to 2147483647",
        "demo.scenario:3: 'sim/cockpit/autopilot/altitude' does not hold text",
        "demo.scenario:4: 'sim/cockpit/autopilot/altitude' is not an array",
        "demo.scenario:5: 'sim/aircraft/view/acf_tailnum' holds text: give a quoted value",
        "demo.scenario:6: cannot read aircraft '/nonexistent/A.acf'",
        "demo.scenario:7: no text field at 5 5",
    };
    EXPECT_EQ(outcome.problems, wanted);
    EXPECT_TRUE(runFailed(outcome));
    EXPECT_EQ(standin::getInt("sim/cockpit/autopilot/autopilot_mode"), 0);
}

// Where the simulator's clock stands after `framesBeforePause` frames and then
// paused frames up to `totalFrames`, on a fresh host.
float timeAfterPausing(int framesBeforePause, int totalFrames) {
    standin::startHost(withoutGraphics());
    standin::runFrames(framesBeforePause);
    standin::setPaused(true);
    standin::runFrames(totalFrames - framesBeforePause);
    return standin::simTime();
}

TEST_F(ScenarioRun, AnActionRunsAfterTheFirstFrameThatReachesItsTime) {
    struct Case {
        const char* pauseAt;
        int framesBeforePause;  // at 30 frames per second
    };
    const Case cases[] = {{"0", 0}, {"0.02", 1}, {"0.49", 15}, {"0.5", 15},
                          {"0.51", 16}, {"1", 30}};
    for (const Case& c : cases) {
        standin::startHost(withoutGraphics());
        const RunOutcome outcome = run(std::string("at ") + c.pauseAt + " pause\nat 1 end\n");
        const float scenarioTime = standin::simTime();
        EXPECT_EQ(outcome.frames, 30) << c.pauseAt;
        EXPECT_EQ(scenarioTime, timeAfterPausing(c.framesBeforePause, 30))
            << "pause at " << c.pauseAt;
    }
}

TEST_F(ScenarioRun, PausedFramesStillCountTowardsTheNextAction) {
    const RunOutcome outcome = run("at 0.2 pause\nat 0.5 resume\nat 1 end\n");
    EXPECT_EQ(outcome.frames, 30);
    const float scenarioTime = standin::simTime();

    standin::startHost(withoutGraphics());
    standin::runFrames(6);
    standin::setPaused(true);
    standin::runFrames(9);
    standin::setPaused(false);
    standin::runFrames(15);
    EXPECT_EQ(scenarioTime, standin::simTime());
}

TEST_F(ScenarioRun, TheRunEndsAtEndOrAfterTheLastAction) {
    EXPECT_EQ(run("at 0.5 set sim/cockpit/autopilot/altitude 1\n").frames, 15);
    EXPECT_EQ(run("at 0 pause\nat 2 end\n").frames, 60);
    EXPECT_EQ(run("at 0 pause\n").frames, 0);
    const RunOutcome timed = runScenario(timedRun(1.5), RunSettings{});
    EXPECT_EQ(timed.frames, 45);
    EXPECT_NEAR(timed.seconds, 1.5, 1e-6);
}

// The books of a run: 2 kg/s flow for 3 s burns 6 kg while the tanks lose
// 6.6 kg at once (10 % apart, the largest difference 6 kg before); a bus without power
// for 1 s while power is kept counts, not before; phase 1 entered again
// after 2 is a fault. Figures are expected like any dataref, and the report
// closes with them.
TEST_F(ScenarioRun, BooksCountFuelBreaksAndPhasesAndPublishTheirFigures) {
    const RunOutcome outcome = run(
        "at 0 set sim/flightmodel/weight/m_fuel1 1000\n"
        "at 0 set sim/flightmodel/weight/m_fuel3 500\n"
        "at 0 set sim/cockpit/electrical/generator_on[0] 1\n"
        "at 0 books tanks sim/flightmodel/weight/m_fuel1 sim/flightmodel/weight/m_fuel3\n"
        "at 0 books flows sim/flightmodel/engine/ENGN_FF_[0] sim/flightmodel/engine/ENGN_FF_[1]\n"
        "at 0 books buses sim/cockpit/electrical/generator_on[0]\n"
        "at 0 books phase sim/cockpit/autopilot/autopilot_mode\n"
        "at 0 books fuel\n"
        "at 0 set sim/flightmodel/engine/ENGN_FF_[0] 1.5\n"
        "at 0 set sim/flightmodel/engine/ENGN_FF_[1] 0.5\n"
        "at 1 set sim/cockpit/electrical/generator_on[0] 0\n"
        "at 1 set sim/cockpit/autopilot/autopilot_mode 2\n"
        "at 2 books power on\n"
        "at 2 set sim/cockpit/autopilot/autopilot_mode 1\n"
        "at 3 set sim/flightmodel/engine/ENGN_FF_[0] 0\n"
        "at 3 set sim/flightmodel/engine/ENGN_FF_[1] 0\n"
        "at 3 set sim/flightmodel/weight/m_fuel1 993.4\n"
        "at 3 set sim/cockpit/electrical/generator_on[0] 1\n"
        "at 3.5 expect standin/books/fuel_on_board_kg ~ 1493.4 0.001\n"
        "at 3.5 expect standin/books/fuel_burned_kg ~ 6 0.001\n"
        "at 3.5 expect standin/books/fuel_lost_kg ~ 6.6 0.001\n"
        "at 3.5 expect standin/books/fuel_added_kg ~ -0.6 0.001\n"
        "at 3.5 expect standin/books/fuel_difference_pct ~ 10 0.01\n"
        "at 3.5 expect standin/books/fuel_largest_difference_kg ~ 6 0.001\n"
        "at 3.5 expect standin/books/unpowered_s ~ 1 0.001\n"
        "at 3.5 expect standin/books/longest_break_s ~ 1 0.001\n"
        "at 3.5 expect standin/books/phase_faults == 1\n"
        "at 3.5 books tanks sim/a\n");
    for (const ExpectationResult& result : outcome.expectations)
        EXPECT_TRUE(result.met) << result.source << " found " << result.actual;
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0], "demo.scenario:28: no dataref 'sim/a'");
    ASSERT_GE(outcome.books.size(), 5u);
    EXPECT_EQ(outcome.books[0], "Fuel burned 6.0 kg, lost by the tanks 6.6 kg: 10.00 % apart");
    EXPECT_EQ(outcome.books[3], "Phases: 3 entered, 1 out of order or again");
    const std::string report = formatReport(outcome, XPLM_NO_PLUGIN_ID);
    EXPECT_NE(report.find("Books\n  Fuel burned 6.0 kg"), std::string::npos) << report;
}

TEST_F(ScenarioRun, PanelUnitsMapThroughThePanelDataRefs) {
    standin::setFloat("sim/graphics/view/panel_total_pnl_l", 100);
    standin::setFloat("sim/graphics/view/panel_total_pnl_r", 612);
    standin::setFloat("sim/graphics/view/panel_total_pnl_b", -50);
    standin::setFloat("sim/graphics/view/panel_total_pnl_t", 974);
    struct Case {
        double panelX, panelY;
        int x, y;
    };
    const Case cases[] = {{0, 0, 100, -50}, {1024, 1024, 612, 974}, {512, 512, 356, 462},
                          {3, 1, 102, -49}};
    for (const Case& c : cases) {
        const WindowPoint point = panelToWindow(c.panelX, c.panelY);
        EXPECT_EQ(point.x, c.x) << c.panelX << "," << c.panelY;
        EXPECT_EQ(point.y, c.y) << c.panelX << "," << c.panelY;
    }
}

struct MouseEvent {
    int x, y;
    XPLMMouseStatus status;
    bool operator==(const MouseEvent& other) const {
        return x == other.x && y == other.y && status == other.status;
    }
};
std::vector<MouseEvent> mouseEvents;

int recordMouse(XPLMWindowID, int x, int y, XPLMMouseStatus status, void*) {
    mouseEvents.push_back({x, y, status});
    return 1;
}
void drawNothing(XPLMWindowID, void*) {}

TEST_F(ScenarioRun, MouseActionsReachTheWindowAtTheMappedPoint) {
    standin::setFloat("sim/graphics/view/panel_total_pnl_l", 100);
    standin::setFloat("sim/graphics/view/panel_total_pnl_r", 612);
    standin::setFloat("sim/graphics/view/panel_total_pnl_b", 50);
    standin::setFloat("sim/graphics/view/panel_total_pnl_t", 562);
    // A window over the whole screen that takes every press.
    XPLMCreateWindow(0, 1024, 1024, 0, 1, drawNothing, nullptr, recordMouse, nullptr);
    mouseEvents.clear();
    const RunOutcome outcome = run(
        "at 0 click 10 20\n"
        "at 0 click panel 512 512\n"
        "at 0.1 press panel 0 1024\n"
        "at 0.2 drag panel 1024 0\n"
        "at 0.3 release 700 800\n");
    EXPECT_TRUE(outcome.problems.empty());
    const std::vector<MouseEvent> wanted = {
        {10, 20, xplm_MouseDown},  {10, 20, xplm_MouseUp},   {356, 306, xplm_MouseDown},
        {356, 306, xplm_MouseUp},  {100, 562, xplm_MouseDown}, {612, 50, xplm_MouseDrag},
        {700, 800, xplm_MouseUp},
    };
    EXPECT_EQ(mouseEvents, wanted);
}

TEST_F(ScenarioRun, MessagesAndAircraftReachThePlugins) {
    loadProbe();
    const std::filesystem::path folder =
        std::filesystem::path(QUIL_BUILD_DIR) / "scenario_test" / "aircraft";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Test.acf") << "I\n1000 version\nP acf/_tailnum N42Q\n";
    Scenario scenario;
    std::string error;
    ASSERT_TRUE(parseScenario("at 0 message 103 0\n"
                              "at 0 expect probe/last_message == 103\n"
                              "at 0.1 aircraft Test.acf\n"
                              "at 0.1 expect probe/last_message == 102\n"
                              "at 0.1 expect sim/aircraft/view/acf_tailnum == \"N42Q\"\n",
                              "demo.scenario", folder.string(), &scenario, &error))
        << error;
    const RunOutcome outcome = runScenario(scenario, RunSettings{});
    EXPECT_TRUE(outcome.problems.empty()) << outcome.problems.front();
    ASSERT_EQ(outcome.expectations.size(), 3u);
    for (const ExpectationResult& result : outcome.expectations)
        EXPECT_TRUE(result.met) << result.source << " found " << result.actual;
    EXPECT_EQ(standin::aircraftPath(), (folder / "Test.acf").string());
}

TEST_F(ScenarioRun, SendDrivesThePeerAndItsRepliesCanBeExpected) {
    standin::setAircraft(kDemoAircraft);
    std::string error;
    ASSERT_NE(standin::loadPlugin(kQuil, &error), XPLM_NO_PLUGIN_ID) << error;
    ASSERT_NE(standin::loadPlugin(kPeer, &error), XPLM_NO_PLUGIN_ID) << error;
    const RunOutcome outcome = run(
        "at 0.5 send state\n"
        "at 0.5 expect peer/last_state == 1\n"
        "at 0.5 send afds 1 1 on\n"
        "at 0.5 send afds 1 1 query\n"
        "at 0.5 expect peer/reply_action == 1\n"
        "at 0.6 send afds 2 3 set 1234\n"
        "at 0.6 send afds 2 3 query\n"
        "at 0.6 expect peer/reply_action == 2\n"
        "at 0.6 expect peer/reply_value == 1200\n"
        "at 0.7 send afds 3 1 on\n"
        "at 0.7 send connect 0\n"
        "at 0.7 send afds 3 1 query\n"
        "at 0.7 expect peer/reply_action == 2\n"
        "at 0.7 send afds 1 1 query\n"
        "at 0.7 expect peer/reply_action == 1\n"
        "at 0.8 send switch 2 4 3 1\n"
        "at 0.8 expect peer/sent == 10\n"
        "at 0.8 expect peer/replies == 4\n");
    EXPECT_TRUE(outcome.problems.empty()) << outcome.problems.front();
    ASSERT_EQ(outcome.expectations.size(), 8u);
    for (const ExpectationResult& result : outcome.expectations)
        EXPECT_TRUE(result.met) << result.source << " found " << result.actual;
    EXPECT_EQ(standin::getInt("peer/command_mode"), 2);
    EXPECT_EQ(standin::getInt("peer/command"), 4);
    EXPECT_EQ(standin::getInt("peer/action"), 3);
    EXPECT_EQ(standin::getInt("peer/value"), 1);
}

TEST_F(ScenarioRun, SendingWithoutThePeerOrWithNobodyToHearIsAProblem) {
    EXPECT_EQ(run("at 0 send state\n").problems,
              std::vector<std::string>{
                  "demo.scenario:1: no peer plug-in: load peer/64/lin.xpl with --plugin"});
    std::string error;
    ASSERT_NE(standin::loadPlugin(kPeer, &error), XPLM_NO_PLUGIN_ID) << error;
    EXPECT_EQ(run("at 0 send afds 1 1 query\n").problems,
              std::vector<std::string>{"demo.scenario:1: the peer found no plug-in signed "
                                       "rv.quil.plugin to send to"});
}

TEST_F(ScenarioRun, ScreenshotsWithoutGraphicsAreSkippedNotFailed) {
    RunSettings settings;
    settings.outputFolder = "/tmp/out";
    const RunOutcome outcome = runScenario(parsed("at 0.1 screenshot a.png\n"), settings);
    ASSERT_EQ(outcome.screenshots.size(), 1u);
    EXPECT_EQ(outcome.screenshots[0].path, "/tmp/out/a.png");
    EXPECT_FALSE(outcome.screenshots[0].written);
    EXPECT_EQ(outcome.screenshots[0].note, "no graphics");
    EXPECT_FALSE(runFailed(outcome));
}

TEST_F(ScenarioRun, ScreenshotsAreWrittenIntoTheOutputFolder) {
    standin::startHost();
    if (!standin::graphicsAvailable()) GTEST_SKIP() << standin::graphicsRenderer();
    const std::filesystem::path folder = std::filesystem::path(QUIL_BUILD_DIR) / "scenario_test" / "shots";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    RunSettings settings;
    settings.outputFolder = folder.string();
    const RunOutcome outcome = runScenario(parsed("at 0.1 screenshot a.png\n"), settings);
    ASSERT_EQ(outcome.screenshots.size(), 1u);
    EXPECT_TRUE(outcome.screenshots[0].written) << outcome.screenshots[0].note;
    EXPECT_GT(std::filesystem::file_size(folder / "a.png"), 0u);
    EXPECT_FALSE(runFailed(outcome));
}

TEST_F(ScenarioRun, PerFramePeaksAreTakenOnlyAfterStartUp) {
    loadProbe();
    const RunOutcome outcome = run(
        "at 0.5 set probe/allocations_per_call 5\n"
        "at 1 set probe/allocations_per_call 2\n"
        "at 2 end\n");
    const FrameUsage& usage = outcome.usage;
    EXPECT_TRUE(usage.pastStartup);
    EXPECT_EQ(usage.peakAllocations, 2);
    // Frames 16 to 30 allocated five each within start-up.
    EXPECT_GE(usage.startupAllocations, 15 * 5);
    EXPECT_GT(usage.lastFrameSdkCalls, 0);
    EXPECT_GE(usage.peakSdkCalls, usage.lastFrameSdkCalls);
    const auto setDataf = std::find(usage.lastFrameCalls.begin(), usage.lastFrameCalls.end(),
                                    std::make_pair(std::string("XPLMSetDataf"), 1L));
    EXPECT_NE(setDataf, usage.lastFrameCalls.end()) << "the probe's altitude write";
}

TEST_F(ScenarioRun, WaypointsBuildTheFlightPlanAndTheReportShowsTheEntryFlownTo) {
    const RunOutcome outcome = run(
        "at 0 waypoint DEP 55.0 12.0 3000\n"
        "at 0 waypoint \"NORTH\" 55.5 12.0 9000\n"
        "at 0.5 waypoint WEST 55.5 -11.25 -200\n"
        "at 0.5 destination 2\n");
    EXPECT_TRUE(outcome.problems.empty());
    const std::vector<standin::FmsEntry> plan = standin::flightPlan();
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[1].id, "NORTH");
    EXPECT_EQ(plan[1].altitude, 9000);
    EXPECT_EQ(plan[2].lon, -11.25f);
    EXPECT_EQ(plan[2].altitude, -200);
    EXPECT_EQ(standin::destinationEntry(), 2);
    const std::string report = formatReport(outcome, 1);
    EXPECT_NE(report.find("Flight plan: 3 entries\n  DEP 3000 ft, NORTH 9000 ft, -> WEST -200 ft\n"),
              std::string::npos)
        << report;
    standin::setFlightPlan({});
    EXPECT_NE(formatReport(outcome, 1).find("Flight plan: none\n"), std::string::npos);
}

TEST_F(ScenarioRun, StationsReachTheRadiosAndTheReportAndRefusedOnesAreProblems) {
    RunSettings settings;
    settings.outputFolder = (std::filesystem::temp_directory_path() / "quil-stations").string();
    settings.gnuplot = "no-such-gnuplot";
    std::filesystem::create_directories(settings.outputFolder);
    const RunOutcome outcome = runScenario(parsed(
        "at 0 station loc IKAS 55.6080 12.6430 17 11030 217\n"
        "at 0 station gs IKAS 55.6370 12.6720 17 11030 217 0\n"
        "at 0 trace one.csv\n"
        "at 0 trace two.csv\n"
        "at 0 set sim/flightmodel/position/latitude 55.70\n"
        "at 0 set sim/flightmodel/position/longitude 12.76\n"
        "at 1 expect sim/cockpit/radios/nav1_fromto == 1\n"
        "at 1 end\n"), settings);
    ASSERT_EQ(standin::radioStations().size(), 1u);
    EXPECT_TRUE(standin::radiosSimulated());
    ASSERT_EQ(outcome.problems.size(), 2u);
    EXPECT_EQ(outcome.problems[0].rfind("demo.scenario:2: station IKAS refused: a value out of range", 0),
              0u) << outcome.problems[0];
    EXPECT_EQ(outcome.problems[1], "demo.scenario:4: a trace is being written already");
    EXPECT_EQ(failedExpectations(outcome), 0);
    EXPECT_NE(formatReport(outcome, XPLM_NO_PLUGIN_ID).find("Radio stations: 1\n  LOC IKAS 110.30\n"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(settings.outputFolder + "/one.csv"));
    std::filesystem::remove_all(settings.outputFolder);
}

TEST_F(ScenarioRun, TheReportListsPluginsMessagesAndExpectations) {
    loadProbe();
    const RunOutcome outcome = run(
        "at 0 set probe/ping_to 1\n"
        "at 0.5 expect probe/pong_value == 4201\n"
        "at 0.5 expect probe/loop_calls == 99\n"
        "at 1.5 end\n");
    const std::string report = formatReport(outcome, 1);
    for (const char* line : {
             "  probe (rv.quil.probe.1), under test\n",
             "Run       45 frames, 1.50 s\n",
             "Messages sent: 2\n",
             "  probe -> probe: 0x01000001 x1 (first in frame 1)\n",
             "  probe -> probe: 0x01000002 x1 (first in frame 1)\n",
             "Expectations: 1 met, 1 failed\n",
             "  met     demo.scenario:2  at 0.5 expect probe/pong_value == 4201  (4201)\n",
             "  FAILED  demo.scenario:3  at 0.5 expect probe/loop_calls == 99  (found 15)\n",
             "Result: FAILED\n",
         }) {
        EXPECT_NE(report.find(line), std::string::npos) << "missing: " << line << "in:\n" << report;
    }
}

// ---- The command line --------------------------------------------------------

TEST_F(QuilSim, AMalformedScenarioStopsTheRunWithFileAndLine) {
    const std::string scenario = writeScenario("at 0 pause\n\nat 1 clik 5 5\n");
    const CommandResult result =
        run("--plugin " + kProbe + " --no-graphics --scenario " + scenario + " --out " + outFolder());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, scenario + ":3: unknown action 'clik'\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "out" / "report.txt"));
}

TEST_F(QuilSim, APluginThatDoesNotLoadStopsTheRunWithItsReason) {
    const CommandResult result =
        run("--plugin /nonexistent/lin.xpl --no-graphics --seconds 1 --out " + outFolder());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.rfind("quil-sim: cannot load plug-in /nonexistent/lin.xpl: ", 0), 0u)
        << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
}

TEST_F(QuilSim, AnUnreadableAircraftStopsTheRun) {
    const CommandResult result = run("--plugin " + kProbe +
                                     " --aircraft /nonexistent/A.acf --no-graphics --seconds 1 --out " +
                                     outFolder());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "quil-sim: cannot read aircraft '/nonexistent/A.acf'\n");
}

TEST_F(QuilSim, BadOptionsAreRefusedAndHelpPrintsTheUsage) {
    EXPECT_EQ(run("--plugin " + kProbe + " --seconds 1 --frobnicate").exitCode, 2);
    EXPECT_EQ(run("--plugin " + kProbe + " --seconds 1 --window 800").exitCode, 2);
    EXPECT_EQ(run("--plugin " + kProbe + " --seconds -1").exitCode, 2);
    const CommandResult neither = run("--plugin " + kProbe);
    EXPECT_EQ(neither.exitCode, 2);
    EXPECT_EQ(neither.err, "quil-sim: give either --seconds S or --scenario FILE (--help for usage)\n");
    const CommandResult help = run("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: quil-sim --plugin PATH", 0), 0u) << help.out;
}

// Refused before the run starts, with the line: values their dataref's
// type cannot hold, elements past an array's end, points far outside the
// panel or the window, and runs longer than a day.
TEST_F(QuilSim, ValuesThatDoNotFitTheirDataRefStopTheRunWithTheLine) {
    struct Case {
        std::string line, error;
    };
    const Case cases[] = {
        {"at 0 set sim/cockpit/autopilot/autopilot_mode 2147483648",
         ":2: 'sim/cockpit/autopilot/autopilot_mode' holds whole numbers from -2147483648 to "
         "2147483647"},
        {"at 0 set sim/cockpit/autopilot/autopilot_mode -1e19",
         ":2: 'sim/cockpit/autopilot/autopilot_mode' holds whole numbers from -2147483648 to "
         "2147483647"},
        {"at 0 set sim/cockpit/autopilot/altitude 1e308",
         ":2: 'sim/cockpit/autopilot/altitude' holds a float, at most 3.4e38 either way"},
        {"at 0 expect sim/flightmodel/engine/ENGN_FF_[99] == 0",
         ":2: 'sim/flightmodel/engine/ENGN_FF_' has 8 elements, [0] to [7]"},
        {"at 0 hold sim/flightmodel/engine/ENGN_FF_[8] ~ 0 1 for 1",
         ":2: 'sim/flightmodel/engine/ENGN_FF_' has 8 elements, [0] to [7]"},
        {"at 0 set sim/cockpit/electrical/generator_on[8] 1",
         ":2: 'sim/cockpit/electrical/generator_on' has 8 elements, [0] to [7]"},
        {"at 0 books flows sim/flightmodel/engine/ENGN_FF_[8]",
         ":2: 'sim/flightmodel/engine/ENGN_FF_' has 8 elements, [0] to [7]"},
        {"at 0 click panel 4294967996 1000", ":2: '4294967996' is out of range (-1e+06 to 1e+06)"},
        {"at 0 drag 10 -2000000", ":2: bad whole number '-2000000'"},
    };
    for (const Case& c : cases) {
        const std::string scenario = writeScenario("at 0 pause\n" + c.line + "\n");
        const CommandResult result = run("--plugin " + kProbe + " --no-graphics --scenario " +
                                         scenario + " --out " + outFolder());
        EXPECT_EQ(result.exitCode, 2) << c.line;
        EXPECT_EQ(result.err, scenario + c.error + "\n") << c.line;
    }
    EXPECT_EQ(run("--plugin " + kProbe + " --no-graphics --seconds 1e300").exitCode, 2);
}

TEST_F(QuilSim, AGoodRunWritesTheReportAndPrintsIt) {
    const std::string scenario = writeScenario(
        "at 0 set probe/allocations_per_call 3\n"
        "at 1.5 expect probe/loop_calls == 45\n"
        "at 2 end\n");
    const CommandResult result = run("--plugin=" + kProbe + " --no-graphics --window 800x600 --scenario " +
                                     scenario + " --out " + outFolder() + "/new");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string report = fileText(folder / "out" / "new" / "report.txt");
    EXPECT_EQ(result.out, report);
    for (const char* line : {
             "  probe (rv.quil.probe.1), under test\n",
             "Aircraft  none\n",
             "Window    800 x 600, renderer none (graphics off)\n",
             "Run       60 frames, 2.00 s\n",
             "at most 3 per frame after it\n",
             "Expectations: 1 met, 0 failed\n",
             "Result: ok\n",
         }) {
        EXPECT_NE(report.find(line), std::string::npos) << "missing: " << line << "in:\n" << report;
    }
}

// An aircraft's own plug-ins, in both Linux layouts, load after the given
// ones and hear that the aircraft is loaded and at an airport.
TEST_F(QuilSim, AircraftPluginsLoadFromTheAircraftsFolder) {
    namespace fs = std::filesystem;
    const fs::path bare = folder / "Bare", fitted = folder / "Fitted";
    for (const fs::path& aircraft : {bare, fitted}) {
        fs::create_directories(aircraft);
        std::ofstream(aircraft / "A.acf") << "I\n";
    }
    fs::create_directories(fitted / "plugins" / "one" / "64");
    fs::create_directories(fitted / "plugins" / "two" / "lin_x64");
    fs::copy_file(kProbe, fitted / "plugins" / "one" / "64" / "lin.xpl");
    fs::copy_file(kProbe, fitted / "plugins" / "two" / "lin_x64" / "two.xpl");
    const std::string common = " --no-graphics --seconds 0.5 --out " + outFolder();
    struct Case {
        std::string arguments;
        int exitCode;
        std::string text;  // in the output, or the error
    };
    const Case cases[] = {
        {"--aircraft-plugins" + common, 2, "--aircraft-plugins needs --aircraft PATH.acf"},
        {"--aircraft " + (bare / "A.acf").string() + " --aircraft-plugins" + common, 2,
         "no plug-in in the plugins folder of"},
        {"--aircraft " + (fitted / "A.acf").string() + " --aircraft-plugins" + common, 0,
         "  probe (rv.quil.probe.1), under test\n    " +
             (fitted / "plugins" / "one" / "64" / "lin.xpl").string() + "\n  probe (rv.quil.probe.2)\n    " +
             (fitted / "plugins" / "two" / "lin_x64" / "two.xpl").string()},
        {"--aircraft " + (fitted / "A.acf").string() + " --aircraft-plugins" + common, 0,
         "Messages sent: 4\n  simulator -> probe: 102 x1 (first in frame 0)\n"
         "  simulator -> probe: 103 x1 (first in frame 0)\n  simulator -> probe: 102 x1"},
    };
    for (const Case& c : cases) {
        const CommandResult result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.err;
        EXPECT_NE((result.out + result.err).find(c.text), std::string::npos)
            << c.text << "\nin:\n" << result.out << result.err;
    }
}

TEST_F(QuilSim, AFailedExpectationFailsTheRunAfterTheReport) {
    const std::string scenario = writeScenario("at 0.5 expect probe/loop_calls == 0\n");
    const CommandResult result =
        run("--plugin " + kProbe + " --no-graphics --scenario " + scenario + " --out " + outFolder());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(fileText(folder / "out" / "report.txt").find("Result: FAILED\n"), std::string::npos);
    EXPECT_EQ(result.err, "quil-sim: 1 expectation(s) failed, 0 action(s) not carried out; see " +
                              outFolder() + "/report.txt\n");
}

// The demo clicks on the panel, whose mouse window the plug-in makes when
// it first draws: the demo runs with graphics, as demo.sh runs it.
TEST_F(QuilSim, TheDemoScenarioRunsWithThePeer) {
    standin::startHost();
    const bool graphics = standin::graphicsAvailable();
    standin::stopHost();
    if (!graphics) GTEST_SKIP() << "no offscreen graphics here";
    const CommandResult result = run("--plugin " + kQuil + " --plugin " + kPeer + " --aircraft " +
                                     kDemoAircraft + " --scenario " + kDemoScenario + " --out " +
                                     outFolder());
    EXPECT_EQ(result.exitCode, 0) << result.err << result.out;
    EXPECT_NE(result.out.find("Result: ok\n"), std::string::npos) << result.out;
}

TEST_F(QuilSim, LongRunsPrintProgressEveryTenSeconds) {
    const CommandResult result =
        run("--plugin " + kProbe + " --no-graphics --seconds 25 --out " + outFolder());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.rfind("  10 s, frame 300\n  20 s, frame 600\nPlug-ins\n", 0), 0u)
        << result.out;
}

}  // namespace
