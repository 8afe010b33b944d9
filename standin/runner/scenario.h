// Scenarios for the stand-in host: a plain-text list of timed actions that
// drive a plug-in the way a pilot and the simulator would, then check what it
// did.
//
//   # comment
//   at 0    set sim/cockpit/autopilot/altitude 5000
//   at 0    set sim/cockpit/electrical/generator_on[1] 1
//   at 0    set sim/aircraft/view/acf_tailnum "N737Q"
//   at 1    click 512 300                 window pixels, origin bottom-left
//   at 1    click panel 500 700           panel units, 0..1024 across the panel
//   at 2    press 500 700                 press / drag / release: one mouse phase each,
//   at 2.1  drag 510 700                    with or without "panel"
//   at 2.2  release 510 700
//   at 2.5  type 640 300 "5000"           replaces the text of the dialog text field
//                                           under window pixel (x, y), as typed
//   at 3    message 102 0                 simulator message to every plug-in
//   at 3    aircraft Quil737/Quil737.acf  relative to the scenario's folder
//   at 4    screenshot panel.png          written into the output folder
//   at 5    expect sim/time/paused == 0   also != > < >= <=, and ~ VALUE TOLERANCE
//   at 5    send afds 3 1 on              the peer plug-in (tests/peer) sends an AFDS
//   at 5    send afds 2 3 set 1200          command record: MODE COMMAND ACTION [VALUE],
//   at 5    send afds 2 6 query             ACTION set, on, off, query or a byte
//   at 5    send switch 2 1 3             a switch command record, the same way
//   at 5    send connect 0                the autopilot connection (1 or 0)
//   at 5    send state                    a state request; replies land at once in
//   at 5    expect peer/reply_value == 0    peer/reply_... and peer/last_state
//   at 6    waypoint W1 55.6 12.6 3000  appends a latitude/longitude entry (degrees,
//   at 6    waypoint W2 55.9 12.6 9000    altitude in feet) to the simulator's flight plan
//   at 6    destination 1                 the flight-plan entry being flown to
//   at 0    station vor KAS 55.59 12.61 30 11380      a VOR (with DME): ID, antenna latitude
//                                                   and longitude (degrees), elevation (ft),
//                                                   frequency as nav1_freq_hz holds it
//   at 0    station loc IKAS 55.61 12.64 17 11030 217  a localizer: ... and its front course
//                                                   (degrees magnetic)
//   at 0    station gs IKAS 55.63 12.67 17 11030 217 3.0  a glide slope on the localizer's
//                                                   frequency: ... course, path angle (degrees)
//   at 0    station outer OM 55.68 12.77 10        a marker beacon (outer, middle, inner):
//                                                   ID LAT LON ELEV
//   at 0    trace flight.csv 0.5                  a row of the flight every 0.5 s (the
//                                                   default) into the output folder, plotted
//                                                   as flight.png when gnuplot is there
//   at 6    command once sim/ice/wing_heat_on   runs a command, as a plug-in's
//   at 6    command begin test/button             XPLMCommandOnce/Begin/End would;
//   at 7    command end test/button               held down from begin to end
//   at 0    books tanks sim/flightmodel/weight/m_fuel1 sim/flightmodel/weight/m_fuel2
//                 the books watch: "tanks" (kg, summed), "flows" (kg/s, summed
//                 and integrated), "buses" (each 0 when unpowered) or "phase"
//                 (one dataref); their figures are standin/books/... (books.h)
//   at 0    books fuel                   the fuel counted afresh from now
//   at 0    books power on               the buses must stay powered (until "off")
//   at 0    draw every 10                with graphics, the cockpit drawn every
//                                          10th frame; also "draw on", "draw off"
//   at 6    pause
//   at 7    resume
//   at 9    end
//
// Flights, on the host's flight model (standin.h):
//
//   at 0    flight airborne lat 55.6 lon 12.6 alt 8000 ias 250 hdg 270
//   at 0    flight ground lat 55.6 lon 12.6 field 17 hdg 217 flaps 0.375 gear down
//                 starts it: "ground" or "airborne", then any of lat, lon (degrees),
//                 alt, field (feet), ias (knots), hdg (magnetic), flaps (ratio),
//                 gear up|down, engines running|cold, mass (kg, with the fuel)
//   at 0    wind 300 20               from 300° true at 20 knots
//   at 1    pilot throttle 0.95       both throttles (ratio)
//   at 1    pilot yoke 0.4 0          pitch and roll, -1..1, nose up and right wing down
//   at 1    pilot rudder 0.1          also: pilot flaps RATIO, gear up|down, brakes on|off
//   at 40   hold sim/flightmodel/position/magpsi ~ 270 1 for 30
//                 an expectation that must hold at every frame from 40 s to 70 s;
//                 fails with the time and value that left the band
//
// The host's radios follow the aircraft's position in every run: the NAV
// receivers by their frequency datarefs, the markers, and the GPS on the
// flight plan's active leg (standin.h, simulateRadios).
//
// Times are seconds of the run, counted over every frame, paused or not, so
// that a paused scenario still reaches its "resume". They must not decrease,
// and neither a time nor a hold's span may pass kLongestRunSeconds.
//
// A flight's run writes a trace named after the scenario (lnav.scenario:
// lnav.csv) every 0.5 s from its "flight" line, unless the scenario names
// its own with "trace". Trace names hold only letters, digits, ".", "-" and
// "_".
// An action runs right after the first frame whose run time has reached its
// own (actions at 0 run before the first frame); the run ends at "end", or
// else after the last action.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <variant>
#include <vector>

#include "standin/runner/books.h"
#include "standin/runner/report.h"
#include "standin/runner/trace.h"
#include "standin/standin.h"

namespace standin::runner {

constexpr double kLongestRunSeconds = 86400.0;  // a simulated day

// A dataref as a scenario names it: "name" or "name[index]".
struct DataRefTarget {
    std::string name;
    int index = -1;  // -1: no element given
};

// A number, or a quoted text for a byte dataref.
struct ScenarioValue {
    double number = 0.0;
    std::string text;
    bool isText = false;
};

struct SetAction {
    DataRefTarget dataref;
    ScenarioValue value;
};

enum class MousePhase { Click, Press, Drag, Release };

struct MouseAction {
    MousePhase phase = MousePhase::Click;
    bool panel = false;  // x, y in panel units, not window pixels
    double x = 0.0, y = 0.0;
};

// Text typed into a dialog's text field, which is found under the point.
struct TypeAction {
    int x = 0, y = 0;  // window pixels
    std::string text;
};

struct MessageAction {
    int message = 0;
    intptr_t param = 0;
};

struct AircraftAction {
    std::string path;  // resolved against the scenario's folder
};

struct ScreenshotAction {
    std::string fileName;  // inside the output folder
};

enum class Comparison { Equal, NotEqual, Greater, Less, GreaterOrEqual, LessOrEqual, Near };

struct ExpectAction {
    DataRefTarget dataref;
    Comparison comparison = Comparison::Equal;
    ScenarioValue value;
    double tolerance = 0.0;  // for Near
};

// A message the peer plug-in sends to ours, its record set from the action.
enum class PeerMessage { Afds, Switch, Connect, State };

struct SendAction {
    PeerMessage message = PeerMessage::State;
    int mode = 0;     // the record's group, a byte
    int command = 0;
    int action = 0;   // 0 set, 1 on, 2 off, 3 query, or any other byte
    int value = 0;    // the record's value, or the connection's integer
};

// An entry appended to the simulator's flight plan.
struct WaypointAction {
    std::string id;
    float lat = 0.0f, lon = 0.0f;  // degrees
    int altitude = 0;              // feet
};

struct DestinationAction {
    int entry = 0;
};

struct StationAction {
    RadioStation station;
};

struct TraceAction {
    std::string fileName;  // inside the output folder
    double interval = kDefaultTraceIntervalS;
};

enum class BooksStep { Watch, MarkFuel, KeepPower };

struct BooksAction {
    BooksStep step = BooksStep::Watch;
    BookList list = BookList::Tanks;  // for Watch
    std::vector<BookValue> values;    // for Watch
    bool keep = true;                 // for KeepPower
};

struct DrawAction {
    int interval = 1;  // frames; 0 none
};

enum class CommandPhase { Once, Begin, End };

struct CommandAction {
    CommandPhase phase = CommandPhase::Once;
    std::string name;
};

struct PauseAction {
    bool paused = true;  // false: resume
};

struct EndAction {};

// Starts the host's flight model from an initial state.
struct FlightAction {
    FlightStart start;
};

struct WindAction {
    double fromDegrees = 0.0, knots = 0.0;
};

// The pilot's hands: yoke and pedals, throttles, flap lever, gear, brakes.
enum class PilotControl { Yoke, Rudder, Throttle, Flaps, Gear, Brakes };

struct PilotAction {
    PilotControl control = PilotControl::Yoke;
    double first = 0.0, second = 0.0;  // yoke pitch and roll; or the one value
};

// An expectation that must hold at every frame of a span.
struct HoldAction {
    ExpectAction expect;
    double seconds = 0.0;
};

using ActionBody =
    std::variant<SetAction, MouseAction, TypeAction, MessageAction, AircraftAction,
                 ScreenshotAction, ExpectAction, SendAction, WaypointAction, DestinationAction,
                 PauseAction, EndAction, FlightAction, WindAction, PilotAction, HoldAction,
                 StationAction, TraceAction, CommandAction, BooksAction, DrawAction>;

struct TimedAction {
    double time = 0.0;  // seconds from the start of the run
    int line = 0;
    std::string source;  // the line as written, for the report
    ActionBody body;
};

struct Scenario {
    std::string fileName;  // as given, for messages
    std::vector<TimedAction> actions;  // in time order
};

// Parses a whole scenario. `fileName` names it in error messages; relative
// aircraft paths are resolved against `folder` (empty: the current folder).
// On a malformed line returns false with "FILE:LINE: what is wrong" in *error.
bool parseScenario(const std::string& text, const std::string& fileName,
                   const std::string& folder, Scenario* scenario, std::string* error);
bool loadScenarioFile(const std::string& path, Scenario* scenario, std::string* error);

// With the plug-ins loaded, so that their datarefs are known: every "set"
// value fits its dataref's type (a whole number within the int range, a
// float that stays finite), and every element that set, expect, hold and
// books name lies within its array. False with "FILE:LINE: what is wrong"
// when one does not; a dataref that appears only later is checked when its
// action runs.
bool checkValues(const Scenario& scenario, std::string* error);

// A scenario that only runs for the given time.
Scenario timedRun(double seconds);

// Where a point given in panel units (0..1024 across the simulator's panel)
// falls in window pixels, by the panel_total_pnl_* datarefs; within the int
// range, however far out the point.
struct WindowPoint {
    int x = 0, y = 0;
};
WindowPoint panelToWindow(double panelX, double panelY);

struct RunSettings {
    // Screenshots and traces go here; without one a flight writes no trace
    // of its own accord.
    std::string outputFolder;
    std::string gnuplot = "gnuplot";     // plots the trace; looked up on PATH
    std::ostream* progress = nullptr;    // a line every kProgressSeconds, when set
};

// Runs the scenario on the running host, whose plug-ins are loaded. A
// plug-in that throws ends the run after the action or frame it threw in.
RunOutcome runScenario(const Scenario& scenario, const RunSettings& settings);

}  // namespace standin::runner
