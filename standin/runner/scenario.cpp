#include "standin/runner/scenario.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <ostream>
#include <sstream>

#include "XPLMNavigation.h"
#include "standin/standin.h"
#include "standin/units.h"

namespace standin::runner {

namespace {

constexpr double kProgressSeconds = 10.0;
constexpr long long kMostFlightPlanEntries = 100;  // the simulator's plan holds no more
constexpr double kLargestFloat = std::numeric_limits<float>::max();
constexpr long long kMostDrawInterval = 3600;  // two minutes of frames
// Panel units and window pixels this far out lie beyond any panel or
// window; a point further out is a mistake in the scenario.
constexpr long long kMostCoordinate = 1000000;

// ---- Parsing ---------------------------------------------------------------

struct Word {
    std::string text;
    bool quoted = false;
};

// Words separated by blanks; a double-quoted text is one word.
bool splitWords(const std::string& line, std::vector<Word>* words, std::string* error) {
    size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t\r", at);
        if (at == std::string::npos) return true;
        Word word;
        if (line[at] == '"') {
            const size_t close = line.find('"', at + 1);
            if (close == std::string::npos) {
                *error = "unterminated text (no closing \")";
                return false;
            }
            word.text = line.substr(at + 1, close - at - 1);
            word.quoted = true;
            at = close + 1;
        } else {
            const size_t end = line.find_first_of(" \t\r\"", at);
            word.text = line.substr(at, end == std::string::npos ? std::string::npos : end - at);
            at = end == std::string::npos ? line.size() : end;
        }
        words->push_back(word);
    }
}

bool parseNumber(const Word& word, double* value, std::string* error) {
    const char* text = word.text.c_str();
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text, &end);
    if (word.quoted || word.text.empty() || *end != '\0' || errno == ERANGE ||
        !std::isfinite(parsed)) {
        *error = "bad number '" + word.text + "'";
        return false;
    }
    *value = parsed;
    return true;
}

// A number within low .. high, the range named in the message.
bool parseNumberWithin(const Word& word, double low, double high, double* value,
                       std::string* error) {
    if (!parseNumber(word, value, error)) return false;
    if (*value < low || *value > high) {
        std::ostringstream message;
        message << "'" << word.text << "' is out of range (" << low << " to " << high << ")";
        *error = message.str();
        return false;
    }
    return true;
}

// Latitude and longitude in degrees, on the globe.
bool parseCoordinates(const Word& latitude, const Word& longitude, double* lat, double* lon,
                      std::string* error) {
    return parseNumberWithin(latitude, -90.0, 90.0, lat, error) &&
           parseNumberWithin(longitude, -180.0, 180.0, lon, error);
}

// Decimal, or hexadecimal after "0x" (message numbers are often written so).
bool parseInteger(const Word& word, long long lowest, long long highest, long long* value,
                  std::string* error) {
    const char* text = word.text.c_str();
    const bool hex = word.text.rfind("0x", 0) == 0 || word.text.rfind("0X", 0) == 0;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text, &end, hex ? 16 : 10);
    if (word.quoted || word.text.empty() || *end != '\0' || errno == ERANGE ||
        parsed < lowest || parsed > highest) {
        *error = "bad whole number '" + word.text + "'";
        return false;
    }
    *value = parsed;
    return true;
}

bool parseDataRef(const Word& word, DataRefTarget* target, std::string* error) {
    const std::string& text = word.text;
    const size_t open = text.find('[');
    target->name = text.substr(0, open);
    target->index = -1;
    bool good = !word.quoted && !target->name.empty();
    if (good && open != std::string::npos) {
        long long index = 0;
        const Word inside{text.substr(open + 1, text.size() - open - 2), false};
        good = text.back() == ']' && inside.text.find_first_not_of("0123456789") == std::string::npos &&
               parseInteger(inside, 0, std::numeric_limits<int>::max(), &index, error);
        target->index = static_cast<int>(index);
    }
    if (!good) *error = "bad dataref '" + text + "'";
    return good;
}

bool parseValue(const Word& word, ScenarioValue* value, std::string* error) {
    value->isText = word.quoted;
    if (word.quoted) {
        value->text = word.text;
        return true;
    }
    return parseNumber(word, &value->number, error);
}

// The words after the action's name, with what the table says of it.
struct Arguments {
    const char* verb;
    const char* usage;
    std::vector<Word> words;
    const std::string& folder;
};

bool argumentCount(const Arguments& args, size_t count, std::string* error) {
    const std::string form = std::string(" (") + args.verb + (*args.usage ? " " : "") +
                             args.usage + ")";
    if (args.words.size() < count) {
        *error = "missing argument" + form;
        return false;
    }
    if (args.words.size() > count) {
        *error = "extra argument '" + args.words[count].text + "'" + form;
        return false;
    }
    return true;
}

bool parseSet(const Arguments& args, ActionBody* body, std::string* error) {
    SetAction set;
    if (!argumentCount(args, 2, error) || !parseDataRef(args.words[0], &set.dataref, error) ||
        !parseValue(args.words[1], &set.value, error))
        return false;
    *body = set;
    return true;
}

template <MousePhase Phase>
bool parseMouse(const Arguments& args, ActionBody* body, std::string* error) {
    MouseAction mouse;
    mouse.phase = Phase;
    mouse.panel = !args.words.empty() && args.words[0].text == "panel";
    const size_t first = mouse.panel ? 1 : 0;
    if (!argumentCount(args, first + 2, error)) return false;
    if (mouse.panel) {
        constexpr double kMost = kMostCoordinate;
        if (!parseNumberWithin(args.words[first], -kMost, kMost, &mouse.x, error) ||
            !parseNumberWithin(args.words[first + 1], -kMost, kMost, &mouse.y, error))
            return false;
    } else {
        long long x = 0, y = 0;
        if (!parseInteger(args.words[first], -kMostCoordinate, kMostCoordinate, &x, error) ||
            !parseInteger(args.words[first + 1], -kMostCoordinate, kMostCoordinate, &y, error))
            return false;
        mouse.x = static_cast<double>(x);
        mouse.y = static_cast<double>(y);
    }
    *body = mouse;
    return true;
}

bool parseType(const Arguments& args, ActionBody* body, std::string* error) {
    TypeAction type;
    long long x = 0, y = 0;
    if (!argumentCount(args, 3, error) ||
        !parseInteger(args.words[0], -kMostCoordinate, kMostCoordinate, &x, error) ||
        !parseInteger(args.words[1], -kMostCoordinate, kMostCoordinate, &y, error))
        return false;
    type.x = static_cast<int>(x);
    type.y = static_cast<int>(y);
    type.text = args.words[2].text;
    *body = type;
    return true;
}

bool parseMessage(const Arguments& args, ActionBody* body, std::string* error) {
    MessageAction message;
    long long number = 0, param = 0;
    if (!argumentCount(args, 2, error) ||
        !parseInteger(args.words[0], std::numeric_limits<int>::min(),
                      std::numeric_limits<uint32_t>::max(), &number, error) ||
        !parseInteger(args.words[1], std::numeric_limits<long long>::min(),
                      std::numeric_limits<long long>::max(), &param, error))
        return false;
    // Numbers from 0x80000000 up arrive negative, as between plug-ins.
    message.message = static_cast<int>(static_cast<uint32_t>(number));
    message.param = static_cast<intptr_t>(param);
    *body = message;
    return true;
}

bool parseAircraft(const Arguments& args, ActionBody* body, std::string* error) {
    if (!argumentCount(args, 1, error)) return false;
    std::filesystem::path path(args.words[0].text);
    if (path.is_relative() && !args.folder.empty()) path = std::filesystem::path(args.folder) / path;
    *body = AircraftAction{path.lexically_normal().string()};
    return true;
}

bool parseScreenshot(const Arguments& args, ActionBody* body, std::string* error) {
    if (!argumentCount(args, 1, error)) return false;
    const std::string& name = args.words[0].text;
    const std::string extension = ".png";
    if (name.size() <= extension.size() || name.find('/') != std::string::npos ||
        name.compare(name.size() - extension.size(), extension.size(), extension) != 0) {
        *error = "screenshot needs a file name ending in .png, without folders: '" + name + "'";
        return false;
    }
    *body = ScreenshotAction{name};
    return true;
}

struct ComparisonWord {
    const char* text;
    Comparison comparison;
};
constexpr ComparisonWord kComparisons[] = {
    {"==", Comparison::Equal},   {"!=", Comparison::NotEqual},
    {">", Comparison::Greater},  {"<", Comparison::Less},
    {">=", Comparison::GreaterOrEqual}, {"<=", Comparison::LessOrEqual},
    {"~", Comparison::Near},
};

bool parseExpect(const Arguments& args, ActionBody* body, std::string* error) {
    ExpectAction expect;
    const ComparisonWord* found = nullptr;
    if (args.words.size() >= 2) {
        const Word& word = args.words[1];
        for (const ComparisonWord& comparison : kComparisons)
            if (!word.quoted && word.text == comparison.text) found = &comparison;
        if (!found) {
            *error = "bad comparison '" + word.text + "' (== != > < >= <= ~)";
            return false;
        }
        expect.comparison = found->comparison;
    }
    const bool withTolerance = expect.comparison == Comparison::Near;
    if (!argumentCount(args, withTolerance ? 4 : 3, error) ||
        !parseDataRef(args.words[0], &expect.dataref, error) ||
        !parseValue(args.words[2], &expect.value, error) ||
        (withTolerance && !parseNumber(args.words[3], &expect.tolerance, error)))
        return false;
    if (expect.tolerance < 0) {
        *error = "negative tolerance '" + args.words[3].text + "'";
        return false;
    }
    if (expect.value.isText && expect.comparison != Comparison::Equal &&
        expect.comparison != Comparison::NotEqual) {
        *error = "a text can only be compared with == or !=";
        return false;
    }
    *body = expect;
    return true;
}

// The peer plug-in's datarefs: the record it sends, and a trigger per
// message that sends it when written.
constexpr char kPeerMode[] = "peer/command_mode";
constexpr char kPeerCommand[] = "peer/command";
constexpr char kPeerAction[] = "peer/action";
constexpr char kPeerValue[] = "peer/value";
constexpr char kPeerConnectValue[] = "peer/connect_value";
constexpr char kPeerTarget[] = "peer/target";

struct PeerMessageSyntax {
    const char* word;
    PeerMessage message;
    size_t fewestWords, mostWords;  // with the message's own word
    const char* trigger;
};
constexpr PeerMessageSyntax kPeerMessages[] = {
    {"afds", PeerMessage::Afds, 4, 5, "peer/send"},
    {"switch", PeerMessage::Switch, 4, 5, "peer/send_switch"},
    {"connect", PeerMessage::Connect, 2, 2, "peer/send_connect"},
    {"state", PeerMessage::State, 1, 1, "peer/state_request"},
};

const PeerMessageSyntax& peerMessageSyntax(PeerMessage message) {
    for (const PeerMessageSyntax& syntax : kPeerMessages)
        if (syntax.message == message) return syntax;
    return kPeerMessages[0];
}

struct RecordActionWord {
    const char* word;
    int action;
};
constexpr RecordActionWord kRecordActions[] = {
    {"set", 0}, {"on", 1}, {"off", 2}, {"query", 3},
};
constexpr long long kLargestByte = 255;

// A named action, or any byte, so that a scenario can send what no
// plug-in should.
bool parseRecordAction(const Word& word, int* action, std::string* error) {
    for (const RecordActionWord& named : kRecordActions) {
        if (!word.quoted && word.text == named.word) {
            *action = named.action;
            return true;
        }
    }
    long long number = 0;
    if (!parseInteger(word, 0, kLargestByte, &number, error)) {
        *error = "bad action '" + word.text + "' (set on off query, or 0 to 255)";
        return false;
    }
    *action = static_cast<int>(number);
    return true;
}

bool parseInt(const Word& word, int* value, std::string* error) {
    long long number = 0;
    if (!parseInteger(word, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                      &number, error))
        return false;
    *value = static_cast<int>(number);
    return true;
}

bool parseSend(const Arguments& args, ActionBody* body, std::string* error) {
    if (args.words.empty()) return argumentCount(args, 1, error);
    const Word& word = args.words[0];
    const PeerMessageSyntax* syntax = nullptr;
    for (const PeerMessageSyntax& candidate : kPeerMessages)
        if (!word.quoted && word.text == candidate.word) syntax = &candidate;
    if (!syntax) {
        *error = "unknown message '" + word.text + "' (afds switch connect state)";
        return false;
    }
    const size_t count = std::clamp(args.words.size(), syntax->fewestWords, syntax->mostWords);
    if (!argumentCount(args, count, error)) return false;
    SendAction send;
    send.message = syntax->message;
    if (send.message == PeerMessage::Connect && !parseInt(args.words[1], &send.value, error))
        return false;
    if (send.message == PeerMessage::Afds || send.message == PeerMessage::Switch) {
        long long mode = 0;
        if (!parseInteger(args.words[1], 0, kLargestByte, &mode, error) ||
            !parseInt(args.words[2], &send.command, error) ||
            !parseRecordAction(args.words[3], &send.action, error) ||
            (count == 5 && !parseInt(args.words[4], &send.value, error)))
            return false;
        send.mode = static_cast<int>(mode);
    }
    *body = send;
    return true;
}

bool parseWaypoint(const Arguments& args, ActionBody* body, std::string* error) {
    WaypointAction waypoint;
    double lat = 0.0, lon = 0.0;
    if (!argumentCount(args, 4, error) ||
        !parseCoordinates(args.words[1], args.words[2], &lat, &lon, error) ||
        !parseInt(args.words[3], &waypoint.altitude, error))
        return false;
    waypoint.id = args.words[0].text;
    waypoint.lat = static_cast<float>(lat);
    waypoint.lon = static_cast<float>(lon);
    *body = waypoint;
    return true;
}

bool parseDestination(const Arguments& args, ActionBody* body, std::string* error) {
    DestinationAction destination;
    long long entry = 0;
    if (!argumentCount(args, 1, error) ||
        !parseInteger(args.words[0], 0, kMostFlightPlanEntries - 1, &entry, error))
        return false;
    destination.entry = static_cast<int>(entry);
    *body = destination;
    return true;
}

struct StationSyntax {
    const char* word;
    StationKind kind;
    size_t words;  // with the kind's own word
};
constexpr StationSyntax kStationKinds[] = {
    {"vor", StationKind::Vor, 6},
    {"loc", StationKind::Localizer, 7},
    {"gs", StationKind::GlideSlope, 8},
    {"outer", StationKind::OuterMarker, 5},
    {"middle", StationKind::MiddleMarker, 5},
    {"inner", StationKind::InnerMarker, 5},
};

// KIND ID LAT LON ELEV [FREQ [COURSE [SLOPE]]], as many as the kind takes.
bool parseStation(const Arguments& args, ActionBody* body, std::string* error) {
    if (args.words.empty()) return argumentCount(args, 1, error);
    const StationSyntax* syntax = nullptr;
    for (const StationSyntax& candidate : kStationKinds)
        if (!args.words[0].quoted && args.words[0].text == candidate.word) syntax = &candidate;
    if (!syntax) {
        *error = "unknown station '" + args.words[0].text + "' (vor loc gs outer middle inner)";
        return false;
    }
    if (!argumentCount(args, syntax->words, error)) return false;
    RadioStation& station = std::get<StationAction>(*body = StationAction{}).station;
    station.kind = syntax->kind;
    station.id = args.words[1].text;
    double elevation = 0.0, course = 0.0, slope = 0.0;
    long long frequency = 0;
    const std::vector<Word>& words = args.words;
    const size_t count = words.size();
    if (!parseCoordinates(words[2], words[3], &station.lat, &station.lon, error) ||
        !parseNumberWithin(words[4], -kLargestFloat, kLargestFloat, &elevation, error) ||
        (count > 5 && !parseInteger(words[5], 0, std::numeric_limits<int>::max(), &frequency, error)) ||
        (count > 6 && !parseNumber(words[6], &course, error)) ||
        (count > 7 && !parseNumber(words[7], &slope, error)))
        return false;
    station.elevationFt = static_cast<float>(elevation);
    station.frequency = static_cast<int>(frequency);
    station.courseMag = static_cast<float>(course);
    station.slopeDeg = static_cast<float>(slope);
    return true;
}

bool parseTrace(const Arguments& args, ActionBody* body, std::string* error) {
    if (!argumentCount(args, std::clamp<size_t>(args.words.size(), 1, 2), error)) return false;
    TraceAction trace;
    trace.fileName = args.words[0].text;
    if (!traceNameAllowed(trace.fileName)) {
        *error = "trace needs a file name of letters, digits, '.', '-' and '_' ending in .csv: '" +
                 trace.fileName + "'";
        return false;
    }
    if (args.words.size() == 2 &&
        (!parseNumber(args.words[1], &trace.interval, error) || trace.interval <= 0.0)) {
        *error = "bad trace interval '" + args.words[1].text + "' (seconds, above 0)";
        return false;
    }
    *body = trace;
    return true;
}

bool parseCommand(const Arguments& args, ActionBody* body, std::string* error) {
    static constexpr struct {
        const char* word;
        CommandPhase phase;
    } kPhases[] = {{"once", CommandPhase::Once}, {"begin", CommandPhase::Begin},
                   {"end", CommandPhase::End}};
    if (!argumentCount(args, 2, error)) return false;
    CommandAction command;
    command.name = args.words[1].text;
    for (const auto& phase : kPhases) {
        if (args.words[0].quoted || args.words[0].text != phase.word) continue;
        command.phase = phase.phase;
        *body = command;
        return true;
    }
    *error = "bad '" + args.words[0].text + "' (once, begin or end)";
    return false;
}

template <bool Paused>
bool parsePause(const Arguments& args, ActionBody* body, std::string* error) {
    if (!argumentCount(args, 0, error)) return false;
    *body = PauseAction{Paused};
    return true;
}

bool parseEnd(const Arguments& args, ActionBody* body, std::string* error) {
    if (!argumentCount(args, 0, error)) return false;
    *body = EndAction{};
    return true;
}

// ---- Flights ---------------------------------------------------------------

// A word that must be one of two: sets *first when it is the first.
bool parseChoice(const Word& word, const char* first, const char* second, bool* isFirst,
                 std::string* error) {
    *isFirst = !word.quoted && word.text == first;
    if (*isFirst || (!word.quoted && word.text == second)) return true;
    *error = "bad '" + word.text + "' (" + first + " or " + second + ")";
    return false;
}

// One "KEY VALUE" of an initial state.
bool parseFlightKey(const Word& key, const Word& value, FlightStart* start, std::string* error) {
    struct NumberKey {
        const char* key;
        double FlightStart::*field;
        double low, high;
    };
    constexpr double kAny = std::numeric_limits<double>::max();
    static constexpr NumberKey kNumbers[] = {
        {"lat", &FlightStart::latitude, -90.0, 90.0},
        {"lon", &FlightStart::longitude, -180.0, 180.0},
        {"alt", &FlightStart::altitudeFt, -kAny, kAny},
        {"field", &FlightStart::fieldElevationFt, -kAny, kAny},
        {"ias", &FlightStart::airspeedKt, -kAny, kAny},
        {"hdg", &FlightStart::headingDeg, -kAny, kAny},
        {"flaps", &FlightStart::flaps, -kAny, kAny},
        {"mass", &FlightStart::massKg, -kAny, kAny},
    };
    for (const NumberKey& number : kNumbers)
        if (key.text == number.key)
            return parseNumberWithin(value, number.low, number.high, &(start->*number.field), error);
    if (key.text == "gear") return parseChoice(value, "down", "up", &start->gearDown, error);
    if (key.text == "engines")
        return parseChoice(value, "running", "cold", &start->enginesRunning, error);
    *error = "unknown flight setting '" + key.text +
             "' (lat lon alt field ias hdg flaps gear engines mass)";
    return false;
}

bool parseFlight(const Arguments& args, ActionBody* body, std::string* error) {
    FlightAction flight;
    if (args.words.empty()) return argumentCount(args, 1, error);
    if (!parseChoice(args.words[0], "ground", "airborne", &flight.start.onGround, error))
        return false;
    if (flight.start.onGround) {
        flight.start.airspeedKt = 0.0;
        flight.start.gearDown = true;
    }
    if (args.words.size() % 2 == 0) {
        *error = "flight setting '" + args.words.back().text + "' has no value";
        return false;
    }
    for (size_t i = 1; i + 1 < args.words.size(); i += 2)
        if (!parseFlightKey(args.words[i], args.words[i + 1], &flight.start, error)) return false;
    *body = flight;
    return true;
}

bool parseWind(const Arguments& args, ActionBody* body, std::string* error) {
    WindAction wind;
    if (!argumentCount(args, 2, error) || !parseNumber(args.words[0], &wind.fromDegrees, error) ||
        !parseNumber(args.words[1], &wind.knots, error))
        return false;
    if (wind.knots < 0) {
        *error = "negative wind speed '" + args.words[1].text + "'";
        return false;
    }
    *body = wind;
    return true;
}

bool parsePilot(const Arguments& args, ActionBody* body, std::string* error) {
    struct ControlWord {
        const char* word;
        PilotControl control;
        size_t numbers;  // 0: a choice of two words
        const char* on;
        const char* off;
        double low, high;  // the travel of the control
    };
    static constexpr ControlWord kControls[] = {
        {"yoke", PilotControl::Yoke, 2, "", "", -1.0, 1.0},
        {"rudder", PilotControl::Rudder, 1, "", "", -1.0, 1.0},
        {"throttle", PilotControl::Throttle, 1, "", "", 0.0, 1.0},
        {"flaps", PilotControl::Flaps, 1, "", "", 0.0, 1.0},
        {"gear", PilotControl::Gear, 0, "down", "up", 0.0, 1.0},
        {"brakes", PilotControl::Brakes, 0, "on", "off", 0.0, 1.0},
    };
    if (args.words.empty()) return argumentCount(args, 1, error);
    const ControlWord* found = nullptr;
    for (const ControlWord& control : kControls)
        if (!args.words[0].quoted && args.words[0].text == control.word) found = &control;
    if (!found) {
        *error = "unknown control '" + args.words[0].text +
                 "' (yoke rudder throttle flaps gear brakes)";
        return false;
    }
    PilotAction pilot;
    pilot.control = found->control;
    if (!argumentCount(args, 1 + std::max<size_t>(found->numbers, 1), error)) return false;
    if (found->numbers == 0) {
        bool on = false;
        if (!parseChoice(args.words[1], found->on, found->off, &on, error)) return false;
        pilot.first = on ? 1.0 : 0.0;
    } else if (!parseNumberWithin(args.words[1], found->low, found->high, &pilot.first, error) ||
               (found->numbers == 2 &&
                !parseNumberWithin(args.words[2], found->low, found->high, &pilot.second, error))) {
        return false;
    }
    *body = pilot;
    return true;
}

// "hold EXPECTATION for SECONDS"
bool parseHold(const Arguments& args, ActionBody* body, std::string* error) {
    HoldAction hold;
    const size_t count = args.words.size();
    if (count < 2 || args.words[count - 2].quoted || args.words[count - 2].text != "for") {
        *error = "a hold ends in 'for SECONDS' (hold DATAREF OP VALUE [TOLERANCE] for SECONDS)";
        return false;
    }
    if (!parseNumberWithin(args.words[count - 1], 0.0, kLongestRunSeconds, &hold.seconds, error))
        return false;
    if (hold.seconds <= 0) {
        *error = "a hold needs a positive span";
        return false;
    }
    const Arguments expectation{args.verb, "DATAREF OP VALUE [TOLERANCE] for SECONDS",
                                std::vector<Word>(args.words.begin(), args.words.end() - 2),
                                args.folder};
    ActionBody parsed;
    if (!parseExpect(expectation, &parsed, error)) return false;
    hold.expect = std::get<ExpectAction>(parsed);
    if (hold.expect.value.isText) {
        *error = "a hold compares numbers";
        return false;
    }
    *body = hold;
    return true;
}

// ---- The books and drawing -----------------------------------------------------

// "books tanks|flows|buses|phase DATAREF...", "books fuel", "books power on|off"
bool parseBooks(const Arguments& args, ActionBody* body, std::string* error) {
    struct ListWord {
        const char* word;
        BookList list;
    };
    static constexpr ListWord kLists[] = {
        {"tanks", BookList::Tanks}, {"flows", BookList::Flows},
        {"buses", BookList::Buses}, {"phase", BookList::Phase},
    };
    if (args.words.empty()) return argumentCount(args, 1, error);
    const Word& first = args.words[0];
    BooksAction books;
    if (!first.quoted && first.text == "fuel") {
        if (!argumentCount(args, 1, error)) return false;
        books.step = BooksStep::MarkFuel;
    } else if (!first.quoted && first.text == "power") {
        books.step = BooksStep::KeepPower;
        if (!argumentCount(args, 2, error) ||
            !parseChoice(args.words[1], "on", "off", &books.keep, error))
            return false;
    } else {
        const ListWord* found = nullptr;
        for (const ListWord& list : kLists)
            if (!first.quoted && first.text == list.word) found = &list;
        if (!found) {
            *error = "unknown books '" + first.text + "' (tanks flows buses phase fuel power)";
            return false;
        }
        books.list = found->list;
        const size_t count = found->list == BookList::Phase
                                 ? 2
                                 : std::max<size_t>(args.words.size(), 2);
        if (!argumentCount(args, count, error)) return false;
        for (size_t i = 1; i < args.words.size(); ++i) {
            DataRefTarget target;
            if (!parseDataRef(args.words[i], &target, error)) return false;
            books.values.push_back({target.name, std::max(0, target.index)});
        }
    }
    *body = books;
    return true;
}

// "draw on", "draw off", "draw every FRAMES"
bool parseDraw(const Arguments& args, ActionBody* body, std::string* error) {
    DrawAction draw;
    const bool every = !args.words.empty() && !args.words[0].quoted && args.words[0].text == "every";
    if (!argumentCount(args, every ? 2 : 1, error)) return false;
    if (every) {
        long long frames = 0;
        if (!parseInteger(args.words[1], 1, kMostDrawInterval, &frames, error)) return false;
        draw.interval = static_cast<int>(frames);
    } else {
        bool on = false;
        if (!parseChoice(args.words[0], "on", "off", &on, error)) return false;
        draw.interval = on ? 1 : 0;
    }
    *body = draw;
    return true;
}

// Every action a scenario may use. A new one needs its record in
// scenario.h, a row here and its step in ActionRunner.
struct ActionSyntax {
    const char* verb;
    const char* usage;
    bool (*parse)(const Arguments& args, ActionBody* body, std::string* error);
};
constexpr ActionSyntax kActions[] = {
    {"set", "DATAREF VALUE", parseSet},
    {"click", "[panel] X Y", parseMouse<MousePhase::Click>},
    {"press", "[panel] X Y", parseMouse<MousePhase::Press>},
    {"drag", "[panel] X Y", parseMouse<MousePhase::Drag>},
    {"release", "[panel] X Y", parseMouse<MousePhase::Release>},
    {"type", "X Y TEXT", parseType},
    {"message", "MESSAGE PARAM", parseMessage},
    {"aircraft", "PATH.acf", parseAircraft},
    {"screenshot", "NAME.png", parseScreenshot},
    {"expect", "DATAREF OP VALUE [TOLERANCE]", parseExpect},
    {"send", "afds|switch MODE COMMAND ACTION [VALUE] | connect VALUE | state", parseSend},
    {"waypoint", "ID LAT LON ALTITUDE", parseWaypoint},
    {"destination", "ENTRY", parseDestination},
    {"station", "vor|loc|gs|outer|middle|inner ID LAT LON ELEV [FREQ [COURSE [SLOPE]]]",
     parseStation},
    {"trace", "NAME.csv [INTERVAL]", parseTrace},
    {"command", "once|begin|end NAME", parseCommand},
    {"pause", "", parsePause<true>},
    {"resume", "", parsePause<false>},
    {"end", "", parseEnd},
    {"flight", "ground|airborne [KEY VALUE ...]", parseFlight},
    {"wind", "FROM KNOTS", parseWind},
    {"pilot", "yoke PITCH ROLL | rudder|throttle|flaps VALUE | gear up|down | brakes on|off",
     parsePilot},
    {"hold", "DATAREF OP VALUE [TOLERANCE] for SECONDS", parseHold},
    {"books", "tanks|flows|buses|phase DATAREF... | fuel | power on|off", parseBooks},
    {"draw", "on | off | every FRAMES", parseDraw},
};

const ActionSyntax* findAction(const std::string& verb) {
    for (const ActionSyntax& action : kActions)
        if (verb == action.verb) return &action;
    return nullptr;
}

std::string trimmed(const std::string& line) {
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

// One "at TIME ACTION ..." line; the time must not go back before `earliest`.
bool parseLine(const std::string& line, double earliest, const std::string& folder,
               TimedAction* action, std::string* error) {
    std::vector<Word> words;
    if (!splitWords(line, &words, error)) return false;
    if (words.size() < 3 || words[0].quoted || words[0].text != "at") {
        *error = "expected 'at TIME ACTION ...'";
        return false;
    }
    if (!parseNumber(words[1], &action->time, error)) return false;
    if (action->time < 0) {
        *error = "negative time '" + words[1].text + "'";
        return false;
    }
    if (action->time > kLongestRunSeconds) {
        *error = "time '" + words[1].text + "' is beyond a run's longest, " +
                 std::to_string(static_cast<long>(kLongestRunSeconds)) + " s (a simulated day)";
        return false;
    }
    if (action->time < earliest) {
        std::ostringstream message;
        message << "time " << words[1].text << " is before the previous action's " << earliest;
        *error = message.str();
        return false;
    }
    const ActionSyntax* syntax = words[2].quoted ? nullptr : findAction(words[2].text);
    if (!syntax) {
        *error = "unknown action '" + words[2].text + "'";
        return false;
    }
    const Arguments args{syntax->verb, syntax->usage,
                         std::vector<Word>(words.begin() + 3, words.end()), folder};
    return syntax->parse(args, &action->body, error);
}

// ---- Running ---------------------------------------------------------------

// How a dataref is read and written: the host offers one accessor per type.
enum class Access { Int, Float, Double, IntElement, FloatElement, Bytes };

// An element past an array's end would read as 0 and take no write: a
// typo that makes a check pass. True for an unknown dataref (found, or
// not, when the action runs) and for a whole one.
bool elementExists(const std::string& name, int index, std::string* error) {
    constexpr XPLMDataTypeID kArrays = xplmType_FloatArray | xplmType_IntArray;
    if (index < 0 || !hasDataRef(name) || !(dataRefTypes(name) & kArrays)) return true;
    const int size = dataRefSize(name);
    if (index < size) return true;
    *error = "'" + name + "' has " + std::to_string(size) + " elements" +
             (size > 0 ? ", [0] to [" + std::to_string(size - 1) + "]" : "");
    return false;
}

bool chooseAccess(const DataRefTarget& target, bool text, Access* access, std::string* error) {
    if (!hasDataRef(target.name)) {
        *error = "no dataref '" + target.name + "'";
        return false;
    }
    const XPLMDataTypeID types = dataRefTypes(target.name);
    const bool element = target.index >= 0;
    if (text) {
        if (!(types & xplmType_Data)) {
            *error = "'" + target.name + "' does not hold text";
            return false;
        }
        if (element) {
            *error = "'" + target.name + "' holds one text: give no element";
            return false;
        }
        *access = Access::Bytes;
        return true;
    }
    if (!element && (types & xplmType_Double)) *access = Access::Double;
    else if (!element && (types & xplmType_Float)) *access = Access::Float;
    else if (!element && (types & xplmType_Int)) *access = Access::Int;
    else if (types & (xplmType_FloatArray | xplmType_IntArray)) {
        if (!elementExists(target.name, target.index, error)) return false;
        *access = types & xplmType_FloatArray ? Access::FloatElement : Access::IntElement;
    } else if (element) {
        *error = "'" + target.name + "' is not an array";
        return false;
    } else {
        *error = "'" + target.name + "' holds text: give a quoted value";
        return false;
    }
    return true;
}

int elementOf(const DataRefTarget& target) { return target.index < 0 ? 0 : target.index; }

bool isFloat(Access access) { return access == Access::Float || access == Access::FloatElement; }
bool isInt(Access access) { return access == Access::Int || access == Access::IntElement; }

// Whether a number can be written as the dataref's type holds it: a whole
// number within the int range, or a float that stays finite.
bool valueFits(const DataRefTarget& target, Access access, double number, std::string* error) {
    constexpr double kLowestInt = std::numeric_limits<int>::min();
    constexpr double kHighestInt = std::numeric_limits<int>::max();
    if (isInt(access) && (number != std::trunc(number) || number < kLowestInt || number > kHighestInt)) {
        *error = "'" + target.name + "' holds whole numbers from -2147483648 to 2147483647";
        return false;
    }
    if (isFloat(access) && std::fabs(number) > kLargestFloat) {
        *error = "'" + target.name + "' holds a float, at most 3.4e38 either way";
        return false;
    }
    return true;
}

// A dataref's value as read, in its own precision.
struct Reading {
    double number = 0.0;
    std::string text;
    Access access = Access::Int;
};

Reading readDataRef(const DataRefTarget& target, Access access) {
    Reading reading;
    reading.access = access;
    switch (access) {
        case Access::Int:
        case Access::IntElement: reading.number = getInt(target.name, elementOf(target)); break;
        case Access::Float:
        case Access::FloatElement: reading.number = getFloat(target.name, elementOf(target)); break;
        case Access::Double: reading.number = getDouble(target.name); break;
        case Access::Bytes: reading.text = getBytes(target.name); break;
    }
    return reading;
}

std::string describe(const Reading& reading) {
    if (reading.access == Access::Bytes) return "\"" + reading.text + "\"";
    char text[64];
    std::snprintf(text, sizeof text, isFloat(reading.access) ? "%.7g" : "%.10g", reading.number);
    return text;
}

bool compare(const ExpectAction& expect, const Reading& reading) {
    if (expect.value.isText) {
        return (reading.text == expect.value.text) == (expect.comparison == Comparison::Equal);
    }
    const double actual = reading.number;
    // A float dataref holds the float nearest the written value: compare there.
    const double wanted = isFloat(reading.access)
                              ? static_cast<double>(static_cast<float>(expect.value.number))
                              : expect.value.number;
    switch (expect.comparison) {
        case Comparison::Equal: return actual == wanted;
        case Comparison::NotEqual: return actual != wanted;
        case Comparison::Greater: return actual > wanted;
        case Comparison::Less: return actual < wanted;
        case Comparison::GreaterOrEqual: return actual >= wanted;
        case Comparison::LessOrEqual: return actual <= wanted;
        case Comparison::Near: return std::fabs(actual - expect.value.number) <= expect.tolerance;
    }
    return false;
}

// Carries out one action on the host; records what it found in the outcome.
struct ActionRunner {
    const Scenario& scenario;
    const RunSettings& settings;
    RunOutcome& outcome;
    const TimedAction* current = nullptr;
    bool ended = false;
    FlightTrace trace;
    Books books;

    std::string where() const {
        return scenario.fileName + ":" + std::to_string(current->line);
    }
    void problem(const std::string& what) { outcome.problems.push_back(where() + ": " + what); }

    void operator()(const SetAction& set) {
        Access access;
        std::string error;
        if (!chooseAccess(set.dataref, set.value.isText, &access, &error)) return problem(error);
        const double number = set.value.number;
        if (!valueFits(set.dataref, access, number, &error)) return problem(error);
        switch (access) {
            case Access::Int:
            case Access::IntElement:
                setInt(set.dataref.name, static_cast<int>(number), elementOf(set.dataref));
                break;
            case Access::Float:
            case Access::FloatElement:
                setFloat(set.dataref.name, static_cast<float>(number), elementOf(set.dataref));
                break;
            case Access::Double: setDouble(set.dataref.name, number); break;
            case Access::Bytes: setBytes(set.dataref.name, set.value.text); break;
        }
    }

    void operator()(const MouseAction& mouse) {
        WindowPoint point{static_cast<int>(mouse.x), static_cast<int>(mouse.y)};
        if (mouse.panel) point = panelToWindow(mouse.x, mouse.y);
        switch (mouse.phase) {
            case MousePhase::Click: click(point.x, point.y); break;
            case MousePhase::Press: mouseDown(point.x, point.y); break;
            case MousePhase::Drag: mouseDrag(point.x, point.y); break;
            case MousePhase::Release: mouseUp(point.x, point.y); break;
        }
    }

    void operator()(const TypeAction& type) {
        if (!typeText(type.x, type.y, type.text)) {
            problem("no text field at " + std::to_string(type.x) + " " + std::to_string(type.y));
        }
    }

    void operator()(const MessageAction& message) { sendSimMessage(message.message, message.param); }

    void operator()(const AircraftAction& aircraft) {
        if (!loadAircraft(aircraft.path)) problem("cannot read aircraft '" + aircraft.path + "'");
    }

    void operator()(const ScreenshotAction& screenshot) {
        ScreenshotResult result;
        result.path = (std::filesystem::path(settings.outputFolder) / screenshot.fileName).string();
        if (!hostConfig().graphics || !graphicsAvailable()) {
            result.note = "no graphics";
        } else if (!(result.written = saveScreenshot(result.path, &result.note))) {
            problem("screenshot " + result.path + " not written: " + result.note);
        }
        outcome.screenshots.push_back(result);
    }

    void operator()(const ExpectAction& expect) {
        ExpectationResult result;
        result.where = where();
        result.source = current->source;
        Access access;
        if (chooseAccess(expect.dataref, expect.value.isText, &access, &result.actual)) {
            const Reading reading = readDataRef(expect.dataref, access);
            result.actual = describe(reading);
            result.met = compare(expect, reading);
        }
        outcome.expectations.push_back(result);
    }

    // The peer sends at once, and our plug-in answers at once.
    void operator()(const SendAction& send) {
        const PeerMessageSyntax& syntax = peerMessageSyntax(send.message);
        if (!hasDataRef(syntax.trigger))
            return problem("no peer plug-in: load peer/64/lin.xpl with --plugin");
        if (send.message == PeerMessage::Afds || send.message == PeerMessage::Switch) {
            setInt(kPeerMode, send.mode);
            setInt(kPeerCommand, send.command);
            setInt(kPeerAction, send.action);
            setInt(kPeerValue, send.value);
        }
        if (send.message == PeerMessage::Connect) setInt(kPeerConnectValue, send.value);
        setInt(syntax.trigger, 1);
        if (getInt(kPeerTarget) == XPLM_NO_PLUGIN_ID)
            problem("the peer found no plug-in signed rv.quil.plugin to send to");
    }

    void operator()(const WaypointAction& waypoint) {
        std::vector<FmsEntry> plan = flightPlan();
        if (plan.size() >= static_cast<size_t>(kMostFlightPlanEntries))
            return problem("the flight plan is full");
        plan.push_back({xplm_Nav_LatLon, waypoint.id, XPLM_NAV_NOT_FOUND, waypoint.altitude,
                        waypoint.lat, waypoint.lon});
        setFlightPlan(plan);
    }

    void operator()(const DestinationAction& destination) {
        setDestinationEntry(destination.entry);
    }

    void operator()(const StationAction& action) {
        if (!addRadioStation(action.station))
            problem("station " + action.station.id +
                    " refused: a value out of range (frequency 10800 to 11795, course 0 to "
                    "360, slope above 0 and up to 10) or too many stations");
    }

    void operator()(const TraceAction& action) {
        if (trace.file != nullptr) return problem("a trace is being written already");
        startTraceNamed(action.fileName, action.interval);
    }

    void startTraceNamed(const std::string& fileName, double interval) {
        const std::string path = (std::filesystem::path(settings.outputFolder) / fileName).string();
        std::string error;
        if (!startTrace(trace, path, interval, &error)) problem(error);
    }

    bool scenarioNamesATrace() const {
        return std::any_of(scenario.actions.begin(), scenario.actions.end(),
                           [](const TimedAction& action) {
                               return std::holds_alternative<TraceAction>(action.body);
                           });
    }

    void operator()(const CommandAction& command) {
        switch (command.phase) {
            case CommandPhase::Once:
                if (!commandOnce(command.name)) problem("no command '" + command.name + "'");
                break;
            case CommandPhase::Begin:
                if (!commandBegin(command.name)) problem("no command '" + command.name + "'");
                break;
            case CommandPhase::End:
                if (!commandEnd(command.name))
                    problem("command '" + command.name + "' is not held down");
                break;
        }
    }

    void operator()(const BooksAction& action) {
        std::string error;
        switch (action.step) {
            case BooksStep::Watch:
                for (const BookValue& value : action.values)
                    if (!elementExists(value.name, value.index, &error)) return problem(error);
                if (!watchBooks(books, action.list, action.values, &error)) problem(error);
                break;
            case BooksStep::MarkFuel: markFuel(books); break;
            case BooksStep::KeepPower: keepPower(books, action.keep); break;
        }
    }

    void operator()(const DrawAction& draw) { setDrawInterval(draw.interval); }

    void operator()(const PauseAction& pause) { setPaused(pause.paused); }

    void operator()(const EndAction&) { ended = true; }

    // Every flight leaves its trace in the output folder, under the
    // scenario's name unless the scenario names one itself.
    void operator()(const FlightAction& flight) {
        startFlight(flight.start);
        if (!settings.outputFolder.empty() && trace.file == nullptr && !trace.result.started &&
            !scenarioNamesATrace())
            startTraceNamed(defaultTraceName(scenario.fileName), kDefaultTraceIntervalS);
    }

    void operator()(const WindAction& wind) {
        if (!flightStarted()) return problem("no flight: start one with 'flight'");
        setWind(wind.fromDegrees, wind.knots);
    }

    void operator()(const PilotAction& pilot) {
        if (!flightStarted()) return problem("no flight: start one with 'flight'");
        PilotInputs inputs = pilotInputs();
        switch (pilot.control) {
            case PilotControl::Yoke:
                inputs.yokePitch = pilot.first;
                inputs.yokeRoll = pilot.second;
                break;
            case PilotControl::Rudder: inputs.rudder = pilot.first; break;
            case PilotControl::Gear: inputs.gearDown = pilot.first != 0.0; break;
            case PilotControl::Throttle:
                for (int engine = 0; engine < 2; ++engine) {
                    setFloat("sim/flightmodel/engine/ENGN_thro", static_cast<float>(pilot.first), engine);
                    setFloat("sim/flightmodel/engine/ENGN_thro_use", static_cast<float>(pilot.first), engine);
                }
                break;
            case PilotControl::Flaps:
                setFloat("sim/flightmodel/controls/flaprqst", static_cast<float>(pilot.first));
                break;
            case PilotControl::Brakes:
                setFloat("sim/flightmodel/controls/parkbrake", static_cast<float>(pilot.first));
                break;
        }
        setPilotInputs(inputs);
    }

    void operator()(const HoldAction& hold) {
        HoldWatch watch;
        watch.action = current;
        watch.hold = hold;
        watch.end = outcome.seconds + hold.seconds;
        std::string error;
        if (!chooseAccess(hold.expect.dataref, false, &watch.access, &error)) return problem(error);
        holds.push_back(watch);
        checkHolds();
    }

    // A hold being watched: its worst reading so far, and whether it failed.
    struct HoldWatch {
        const TimedAction* action = nullptr;
        HoldAction hold;
        Access access = Access::Float;
        double end = 0.0;
        bool seen = false;
        double worst = 0.0, worstAt = 0.0;
    };
    std::vector<HoldWatch> holds;

    // How far a reading is from failing, larger is worse: the distance from
    // the value for "~", else the reading itself in the comparison's
    // direction.
    static double badness(const HoldWatch& watch, double actual) {
        switch (watch.hold.expect.comparison) {
            case Comparison::Near: return std::fabs(actual - watch.hold.expect.value.number);
            case Comparison::Greater:
            case Comparison::GreaterOrEqual: return -actual;
            default: return actual;
        }
    }

    void finishHold(const HoldWatch& watch, bool met, const std::string& what) {
        ExpectationResult result;
        result.where = scenario.fileName + ":" + std::to_string(watch.action->line);
        result.source = watch.action->source;
        result.met = met;
        result.actual = what;
        outcome.expectations.push_back(result);
    }

    static std::string at(const Reading& reading, double seconds) {
        char time[32];
        std::snprintf(time, sizeof time, "%.2f", seconds);
        return describe(reading) + " at " + time + " s";
    }

    // After every frame: each hold is read; one out of its band fails with
    // the time and value, one whose span is over passes with its worst.
    void checkHolds(bool runOver = false) {
        for (size_t i = 0; i < holds.size();) {
            HoldWatch& watch = holds[i];
            const Reading reading = readDataRef(watch.hold.expect.dataref, watch.access);
            const double bad = badness(watch, reading.number);
            if (!watch.seen || bad > badness(watch, watch.worst)) {
                watch.worst = reading.number;
                watch.worstAt = outcome.seconds;
                watch.seen = true;
            }
            const bool met = compare(watch.hold.expect, reading);
            const bool over = outcome.seconds + kTimeSlackSeconds >= watch.end;
            if (!met) {
                finishHold(watch, false, "left the band: " + at(reading, outcome.seconds));
            } else if (over || runOver) {
                Reading worst = reading;
                worst.number = watch.worst;
                finishHold(watch, over, (over ? "held; worst " : "the run ended first; worst ") +
                                            at(worst, watch.worstAt));
            } else {
                ++i;
                continue;
            }
            holds.erase(holds.begin() + static_cast<long>(i));
        }
    }
};

}  // namespace

bool parseScenario(const std::string& text, const std::string& fileName,
                   const std::string& folder, Scenario* scenario, std::string* error) {
    scenario->fileName = fileName;
    scenario->actions.clear();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string source = trimmed(line);
        if (source.empty() || source[0] == '#') continue;
        TimedAction action;
        action.line = number;
        action.source = source;
        std::string what;
        const bool afterEnd = !scenario->actions.empty() &&
                              std::holds_alternative<EndAction>(scenario->actions.back().body);
        if (afterEnd) what = "nothing may follow 'end'";
        const double earliest = scenario->actions.empty() ? 0.0 : scenario->actions.back().time;
        if (afterEnd || !parseLine(source, earliest, folder, &action, &what)) {
            *error = fileName + ":" + std::to_string(number) + ": " + what;
            return false;
        }
        scenario->actions.push_back(action);
    }
    return true;
}

bool loadScenarioFile(const std::string& path, Scenario* scenario, std::string* error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = path + ": cannot read the scenario";
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::error_code ignored;  // a relative folder still works from here
    const std::string folder = std::filesystem::absolute(path, ignored).parent_path().string();
    return parseScenario(text.str(), path, folder, scenario, error);
}

namespace {

// The elements an action names, as (dataref, index).
std::vector<std::pair<std::string, int>> elementsOf(const ActionBody& body) {
    std::vector<std::pair<std::string, int>> elements;
    const DataRefTarget* target = nullptr;
    if (const auto* set = std::get_if<SetAction>(&body)) target = &set->dataref;
    if (const auto* expect = std::get_if<ExpectAction>(&body)) target = &expect->dataref;
    if (const auto* hold = std::get_if<HoldAction>(&body)) target = &hold->expect.dataref;
    if (target != nullptr) elements.emplace_back(target->name, target->index);
    if (const auto* books = std::get_if<BooksAction>(&body))
        for (const BookValue& value : books->values) elements.emplace_back(value.name, value.index);
    return elements;
}

// The elements an action names exist, and the value it sets fits.
bool actionFits(const ActionBody& body, std::string* what) {
    for (const auto& [name, index] : elementsOf(body))
        if (!elementExists(name, index, what)) return false;
    const auto* set = std::get_if<SetAction>(&body);
    Access access;
    std::string unused;
    if (set == nullptr || !chooseAccess(set->dataref, set->value.isText, &access, &unused))
        return true;
    return valueFits(set->dataref, access, set->value.number, what);
}

}  // namespace

bool checkValues(const Scenario& scenario, std::string* error) {
    for (const TimedAction& action : scenario.actions) {
        std::string what;
        if (!actionFits(action.body, &what)) {
            *error = scenario.fileName + ":" + std::to_string(action.line) + ": " + what;
            return false;
        }
    }
    return true;
}

Scenario timedRun(double seconds) {
    Scenario scenario;
    TimedAction end;
    end.time = seconds;
    end.source = "end after " + std::to_string(seconds) + " s";
    end.body = EndAction{};
    scenario.actions.push_back(end);
    return scenario;
}

WindowPoint panelToWindow(double panelX, double panelY) {
    const double left = getFloat("sim/graphics/view/panel_total_pnl_l");
    const double right = getFloat("sim/graphics/view/panel_total_pnl_r");
    const double bottom = getFloat("sim/graphics/view/panel_total_pnl_b");
    const double top = getFloat("sim/graphics/view/panel_total_pnl_t");
    // Kept within the int range whatever the point and the panel datarefs.
    auto pixel = [](double value) {
        constexpr double kLargest = std::numeric_limits<int>::max();
        return std::isfinite(value)
                   ? static_cast<int>(std::lround(std::clamp(value, -kLargest, kLargest)))
                   : 0;
    };
    WindowPoint point;
    point.x = pixel(left + panelX * (right - left) / kPanelUnits);
    point.y = pixel(bottom + panelY * (top - bottom) / kPanelUnits);
    return point;
}

RunOutcome runScenario(const Scenario& scenario, const RunSettings& settings) {
    RunOutcome outcome;
    outcome.usage = beginUsage();
    simulateRadios(true);
    ActionRunner runner{scenario, settings, outcome};
    const double frameSeconds = hostConfig().frameInterval;
    double nextProgress = kProgressSeconds;
    size_t next = 0;
    while (true) {
        while (!runner.ended && !pluginFault() && next < scenario.actions.size() &&
               scenario.actions[next].time <= outcome.seconds + kTimeSlackSeconds) {
            runner.current = &scenario.actions[next++];
            std::visit(runner, runner.current->body);
        }
        if (runner.ended || pluginFault() ||
            (next == scenario.actions.size() && runner.holds.empty()))
            break;
        runFrame();
        ++outcome.frames;
        outcome.seconds = static_cast<double>(outcome.frames) * frameSeconds;
        keepBooks(runner.books, frameSeconds, outcome.seconds);
        runner.checkHolds();
        noteFrame(outcome.usage, outcome.seconds);
        traceFrame(runner.trace, outcome.seconds);
        if (settings.progress && outcome.seconds + kTimeSlackSeconds >= nextProgress) {
            *settings.progress << "  " << nextProgress << " s, frame " << outcome.frames
                               << std::endl;
            nextProgress += kProgressSeconds;
        }
    }
    runner.checkHolds(true);
    outcome.loggedErrors = errorLines(debugLog());
    finishTrace(runner.trace, settings.gnuplot);
    outcome.trace = runner.trace.result;
    outcome.books = booksReport(runner.books);
    outcome.fault = pluginFault();
    return outcome;
}

}  // namespace standin::runner
