// The inter-plug-in protocol as another plug-in sees it: the peer plug-in,
// loaded beside ours, sends state requests, MCP commands, settings, queries
// and autopilot connections from its own memory and reads the replies. The
// switch messages leave no trace outside the plug-in yet, so they are sent
// to this process's own copy of the receiver.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "autoflight/modes.h"
#include "autoflight/protocol.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"
#include "support/test_aircraft.h"
#include "systems/anti_ice.h"

namespace {

using quiltest::TestAircraft;

constexpr int kMagic = 12345678;
constexpr int kSet = 0;
constexpr int kOn = 1;
constexpr int kOff = 2;
constexpr int kQuery = 3;
constexpr int kRepliedOn = 1;
constexpr int kRepliedOff = 2;
constexpr int kNotSupported = 4;

constexpr float kRadioAltitudeUnitFeet = 0.3042f;  // the aircraft's y_agl unit

struct Reply {
    int action = -1;
    int value = -1;
};

class Protocol : public quiltest::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        start(TestAircraft{});
    }

    // A fresh host with the aircraft, our plug-in and then the peer, flying
    // level at 5000 ft.
    void start(const TestAircraft& aircraft) {
        standin::startHost(config());
        standin::setAircraft(quiltest::makeAircraft(aircraft));
        quil = load(quiltest::pluginPath());
        peer = load(quiltest::peerPath());
        flyLevelAt(5000.0f);
    }

    void flyLevelAt(float feet) {
        standin::setFloat("sim/flightmodel/forces/fnrml_gear", 0.0f);
        standin::setFloat("sim/flightmodel/position/y_agl", feet * kRadioAltitudeUnitFeet);
        standin::setFloat("sim/flightmodel/misc/h_ind", feet);
        standin::setFloat("sim/flightmodel/position/vh_ind_fpm", 0.0f);
        standin::setFloat("sim/flightmodel/position/indicated_airspeed", 250.0f);
        standin::runFrame();
    }

    void fill(int mode, int command, int action, int value) {
        standin::setInt("peer/command_mode", mode);
        standin::setInt("peer/command", command);
        standin::setInt("peer/action", action);
        standin::setInt("peer/value", value);
    }
    void send(int mode, int command, int action, int value = 0) {
        fill(mode, command, action, value);
        standin::setInt("peer/send", 1);
    }
    void sendSwitch(int mode, int command, int action, int value = 0) {
        fill(mode, command, action, value);
        standin::setInt("peer/send_switch", 1);
    }
    void connect(int value) {
        standin::setInt("peer/connect_value", value);
        standin::setInt("peer/send_connect", 1);
    }
    void on(int mode, int command) { send(mode, command, kOn); }
    void off(int mode, int command) { send(mode, command, kOff); }
    void set(int mode, int command, int value) { send(mode, command, kSet, value); }

    // One query, which must be answered once, in a reply naming the item.
    Reply query(int mode, int command) {
        const std::string item = std::to_string(mode) + "/" + std::to_string(command);
        const int before = standin::getInt("peer/replies");
        send(mode, command, kQuery);
        EXPECT_EQ(standin::getInt("peer/replies"), before + 1) << item << " answered once";
        EXPECT_EQ(standin::getInt("peer/reply_magic"), kMagic) << item;
        EXPECT_EQ(standin::getInt("peer/reply_mode"), mode) << item;
        EXPECT_EQ(standin::getInt("peer/reply_command"), command) << item;
        return {standin::getInt("peer/reply_action"), standin::getInt("peer/reply_value")};
    }
    int queryAction(int mode, int command) { return query(mode, command).action; }

    // Messages our plug-in has sent to the peer alone (not its broadcasts).
    std::vector<standin::MessageRecord> messagesToPeer() const {
        std::vector<standin::MessageRecord> sent;
        for (const standin::MessageRecord& record : standin::messageLog()) {
            if (record.from == quil && record.to == peer) sent.push_back(record);
        }
        return sent;
    }

    XPLMPluginID quil = XPLM_NO_PLUGIN_ID;
    XPLMPluginID peer = XPLM_NO_PLUGIN_ID;
};

// ---- The state request ------------------------------------------------------

TEST_F(Protocol, TheStateRequestIsAnsweredActivatedWhileTheAircraftIsServed) {
    standin::clearMessageLog();
    standin::setInt("peer/state_request", 1);
    EXPECT_EQ(standin::getInt("peer/target"), quil) << "the peer found us by our signature";
    EXPECT_EQ(standin::getInt("peer/states"), 1);
    EXPECT_EQ(standin::getInt("peer/last_state"), 1);
    const std::vector<standin::MessageRecord> sent = messagesToPeer();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(static_cast<uint32_t>(sent[0].message), 0x84000001u);
    EXPECT_EQ(sent[0].param, 0);
}

TEST_F(Protocol, TheStateRequestIsAnsweredLoadedWhenTheAircraftIsNotServed) {
    TestAircraft other;
    other.author = "Someone Else";
    standin::loadAircraft(quiltest::makeAircraft(other));
    standin::clearMessageLog();
    standin::setInt("peer/state_request", 1);
    EXPECT_EQ(standin::getInt("peer/states"), 1);
    EXPECT_EQ(standin::getInt("peer/last_state"), 0);
    const std::vector<standin::MessageRecord> sent = messagesToPeer();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(static_cast<uint32_t>(sent[0].message), 0x84000000u);
    EXPECT_EQ(sent[0].param, 0);
}

// ---- MCP commands and queries -----------------------------------------------

struct McpRow {
    const char* item;
    int mode, command;
    bool needsAutothrottleArmed;
    int afterOff;      // what a query answers after the off command
    bool showsWindow;  // the query's value is an MCP window, else always 0
};

TEST_F(Protocol, EveryMcpItemSwitchesOnAndOffAndAnswersItsQuery) {
    const McpRow rows[] = {
        {"A/T ARM", 1, 1, false, kRepliedOff, false},
        {"N1", 1, 2, true, kRepliedOff, false},
        {"SPEED", 1, 6, true, kRepliedOff, true},
        // Off only disengages V/S: an armed V/S stays armed.
        {"V/S arm", 2, 2, false, kRepliedOn, true},
        {"V/S", 2, 3, false, kRepliedOff, true},
        {"LVL CHG", 2, 5, true, kRepliedOff, true},
        {"ALT HOLD", 2, 6, false, kRepliedOff, true},
        {"VNAV", 2, 7, false, kRepliedOff, false},
        {"HDG SEL", 3, 1, false, kRepliedOff, false},
        {"VOR/LOC", 3, 3, false, kRepliedOff, false},
    };
    for (const McpRow& row : rows) {
        start(TestAircraft{});
        if (row.needsAutothrottleArmed) on(1, 1);
        const Reply before = query(row.mode, row.command);
        EXPECT_EQ(before.action, kRepliedOff) << row.item << " starts off";
        on(row.mode, row.command);
        const Reply engaged = query(row.mode, row.command);
        EXPECT_EQ(engaged.action, kRepliedOn) << row.item << " on";
        off(row.mode, row.command);
        const Reply released = query(row.mode, row.command);
        EXPECT_EQ(released.action, row.afterOff) << row.item << " off";
        if (!row.showsWindow) {
            EXPECT_EQ(before.value, 0) << row.item;
            EXPECT_EQ(engaged.value, 0) << row.item;
            EXPECT_EQ(released.value, 0) << row.item;
        }
    }
}

TEST_F(Protocol, TheAutothrottleItemsNeedTheAutothrottleArmed) {
    struct Item {
        const char* name;
        int mode, command;
    };
    for (const Item& item : {Item{"N1", 1, 2}, Item{"SPEED", 1, 6}, Item{"LVL CHG", 2, 5}}) {
        on(item.mode, item.command);
        EXPECT_EQ(queryAction(item.mode, item.command), kRepliedOff) << item.name << " refused";
    }
}

TEST_F(Protocol, LnavWithoutAFlightPlanIsRefused) {
    on(3, 2);
    EXPECT_EQ(query(3, 2).action, kRepliedOff);
}

TEST_F(Protocol, AltitudeHoldAtTwelveThousandAnswersOnWithTheAltitude) {
    flyLevelAt(12000.0f);
    set(2, 6, 12000);
    on(2, 6);
    const Reply reply = query(2, 6);
    EXPECT_EQ(reply.action, kRepliedOn);
    EXPECT_EQ(reply.value, 12000);
}

TEST_F(Protocol, SettingTheVerticalSpeedRoundsTheWindowWithoutEngagingVs) {
    struct Case {
        int value, stored;
    };
    for (const Case& c : {Case{1234, 1200}, Case{980, 1000}, Case{-1234, -1200}, Case{-980, -1000},
                          Case{20, 0}, Case{INT_MAX, 6100}}) {
        set(2, 3, c.value);
        const Reply vs = query(2, 3);
        EXPECT_EQ(vs.action, kRepliedOff) << c.value << " does not engage V/S";
        EXPECT_EQ(vs.value, c.stored) << c.value;
        const Reply armed = query(2, 2);
        EXPECT_EQ(armed.action, kRepliedOff) << c.value << " does not arm V/S";
        EXPECT_EQ(armed.value, c.stored) << c.value << ": both items show the one window";
    }
    set(2, 2, 1500);
    EXPECT_EQ(query(2, 3).value, 1500) << "the V/S arm item sets the same window";
}

TEST_F(Protocol, SettingsWriteTheSpeedHeadingAndAltitudeWindows) {
    set(1, 6, 280);
    EXPECT_EQ(standin::getFloat("sim/cockpit/autopilot/airspeed"), 280.0f);
    const Reply speed = query(1, 6);
    EXPECT_EQ(speed.action, kRepliedOff) << "setting the speed does not engage SPEED";
    EXPECT_EQ(speed.value, 280);
    set(1, 6, 20);
    EXPECT_EQ(query(1, 6).value, 100) << "the MCP speed keeps to 100 kt at least";

    set(3, 1, 270);
    EXPECT_EQ(standin::getFloat("sim/cockpit/autopilot/heading_mag"), 270.0f);
    EXPECT_EQ(queryAction(3, 1), kRepliedOff) << "setting the heading does not engage HDG SEL";

    set(2, 6, 12000);
    const Reply altitude = query(2, 6);
    EXPECT_EQ(altitude.action, kRepliedOff) << "setting the altitude does not engage ALT HOLD";
    EXPECT_EQ(altitude.value, 12000);
}

TEST_F(Protocol, TheSpeedQueryAnswersTheSimulatorsMcpSpeedTruncated) {
    standin::setFloat("sim/cockpit/autopilot/airspeed", 231.9f);
    EXPECT_EQ(query(1, 6).value, 231);
}

TEST_F(Protocol, TheLevelChangeQueryShowsTheMcpAltitudeOnlyWhileEngaged) {
    on(1, 1);
    set(2, 6, 9000);
    EXPECT_EQ(query(2, 5).value, 0);
    on(2, 5);
    const Reply climbing = query(2, 5);
    EXPECT_EQ(climbing.action, kRepliedOn);
    EXPECT_EQ(climbing.value, 9000);
    off(2, 5);
    EXPECT_EQ(query(2, 5).value, 0);
}

TEST_F(Protocol, VorLocAnswersOnWhileArmed) {
    on(3, 3);
    EXPECT_EQ(queryAction(3, 3), kRepliedOn);
}

TEST_F(Protocol, UnsupportedItemsAnswerNotSupportedAndZero) {
    struct Item {
        int mode, command;
    };
    on(1, 1);  // nothing that is on may leak into the answers
    for (const Item& item : {Item{1, 3}, Item{1, 4}, Item{1, 5}, Item{1, 7}, Item{2, 1},
                             Item{2, 4}, Item{3, 5}}) {
        const Reply reply = query(item.mode, item.command);
        EXPECT_EQ(reply.action, kNotSupported) << item.mode << "/" << item.command;
        EXPECT_EQ(reply.value, 0) << item.mode << "/" << item.command;
    }
}

TEST_F(Protocol, CommandsSettingsAndUnknownItemsAreNotAnswered) {
    struct Message {
        int mode, command, action, value;
    };
    on(1, 1);
    standin::clearMessageLog();
    const Message messages[] = {
        {1, 1, kOn, 0},     {1, 6, kSet, 250},  {2, 3, kSet, 1000}, {2, 6, kOff, 0},
        {3, 1, kOn, 0},     {3, 1, kSet, 90},   {1, 3, kOn, 0},     {1, 7, kSet, 5},
        {3, 4, kQuery, 0},  {4, 1, kQuery, 0},  {0, 0, kQuery, 0},  {3, 5, kSet, 1},
        {2, 6, 4, 0},       {2, 6, 255, 0},     {255, -1, kQuery, 0},
    };
    for (const Message& m : messages) send(m.mode, m.command, m.action, m.value);
    EXPECT_EQ(standin::getInt("peer/sent"), 1 + static_cast<int>(std::size(messages)));
    EXPECT_TRUE(messagesToPeer().empty());
    EXPECT_EQ(standin::getInt("peer/replies"), 0);
}

TEST_F(Protocol, UnknownActionsAndItemsChangeNothing) {
    on(1, 1);
    send(1, 6, 4);  // not an action of a request
    send(1, 6, 255);
    EXPECT_EQ(queryAction(1, 6), kRepliedOff);
    // A reader taking only the low byte of the command would find SPEED here.
    on(1, 0x106);
    on(1, 6 - 0x10000);
    EXPECT_EQ(queryAction(1, 6), kRepliedOff);
}

TEST_F(Protocol, ANullParameterOrAWrongMagicIsIgnoredWithoutReply) {
    standin::setInt("peer/null_param", 1);
    on(1, 1);
    send(1, 1, kQuery);
    standin::setInt("peer/null_param", 0);
    EXPECT_EQ(standin::getInt("peer/replies"), 0) << "a query without a record";
    EXPECT_EQ(queryAction(1, 1), kRepliedOff) << "a command without a record";

    for (int magic : {kMagic + 1, 0, -kMagic, 0x4E61BC00 /* the magic's bytes reversed */}) {
        standin::setInt("peer/magic", magic);
        on(1, 1);
        send(1, 1, kQuery);
        standin::setInt("peer/magic", kMagic);
        EXPECT_EQ(queryAction(1, 1), kRepliedOff) << "magic " << magic;
    }
    EXPECT_EQ(standin::getInt("peer/replies"), 5) << "only the peer's good queries were answered";
}

TEST_F(Protocol, MessagesThatNeedNothingChangeNothing) {
    on(1, 1);
    on(3, 1);
    standin::clearMessageLog();
    for (int message : {0x74000003 /* qAFDS_ACTIVATE_COMMAND */,
                        0x7400001a /* qAFDS_FEEDING_N1_LIMITS */,
                        0x74000015 /* a reply sent to us */}) {
        standin::setInt("peer/send_message", message);
    }
    EXPECT_TRUE(messagesToPeer().empty());
    EXPECT_EQ(queryAction(1, 1), kRepliedOn);
    EXPECT_EQ(queryAction(3, 1), kRepliedOn);
}

TEST_F(Protocol, RepliesGoToTheRequesterAloneInTheOneReplyRecord) {
    loadProbe();  // a bystander
    standin::clearMessageLog();
    query(1, 1);
    query(2, 6);
    const std::vector<standin::MessageRecord>& log = standin::messageLog();
    std::vector<intptr_t> records;
    for (const standin::MessageRecord& record : log) {
        if (record.from != quil) continue;
        EXPECT_EQ(record.to, peer);
        EXPECT_EQ(static_cast<uint32_t>(record.message), 0x74000015u);
        records.push_back(record.param);
    }
    ASSERT_EQ(records.size(), 2u);
    EXPECT_NE(records[0], 0);
    EXPECT_EQ(records[0], records[1]);
}

TEST_F(Protocol, CommandsWhileTheAircraftIsNotServedStillChangeTheModes) {
    TestAircraft other;
    other.author = "Someone Else";
    start(other);
    on(1, 1);
    on(3, 1);
    EXPECT_EQ(queryAction(1, 1), kRepliedOn);
    EXPECT_EQ(queryAction(3, 1), kRepliedOn);
}

// ---- Connecting the autopilot ------------------------------------------------

TEST_F(Protocol, DisconnectingDropsEveryPitchAndRollModeAndKeepsTheAutothrottle) {
    on(1, 1);
    on(1, 6);
    on(2, 6);
    set(2, 6, 12000);  // ALT HOLD arms the acquire, with V/S armed
    set(2, 3, 1500);
    on(3, 1);
    on(3, 3);
    ASSERT_EQ(queryAction(2, 6), kRepliedOn);
    ASSERT_EQ(queryAction(2, 2), kRepliedOn);

    connect(0);
    EXPECT_EQ(queryAction(2, 6), kRepliedOff) << "ALT HOLD";
    const Reply vs = query(2, 2);
    EXPECT_EQ(vs.action, kRepliedOff) << "V/S arm";
    EXPECT_EQ(vs.value, 0) << "the V/S window";
    EXPECT_EQ(queryAction(3, 1), kRepliedOff) << "HDG SEL";
    EXPECT_EQ(queryAction(3, 3), kRepliedOff) << "VOR/LOC";
    EXPECT_EQ(queryAction(1, 1), kRepliedOn) << "A/T ARM";
    EXPECT_EQ(queryAction(1, 6), kRepliedOn) << "SPEED";

    on(3, 1);
    EXPECT_EQ(queryAction(3, 1), kRepliedOff) << "no roll mode without the autopilot";
    connect(1);
    on(3, 1);
    EXPECT_EQ(queryAction(3, 1), kRepliedOn) << "connected again";
}

TEST_F(Protocol, ConnectingTakesOnlyZeroOrOneAndNeedsItsInteger) {
    on(3, 1);
    standin::clearMessageLog();
    standin::setInt("peer/null_param", 1);
    connect(0);
    standin::setInt("peer/null_param", 0);
    for (int value : {2, -1, 256, INT_MIN}) connect(value);
    EXPECT_EQ(standin::getInt("peer/sent"), 6);
    EXPECT_TRUE(messagesToPeer().empty()) << "a connection is not answered";
    EXPECT_EQ(queryAction(3, 1), kRepliedOn) << "still connected, HDG SEL kept";

    connect(0);
    for (int value : {2, -1, 256, INT_MAX}) connect(value);
    on(3, 1);
    EXPECT_EQ(queryAction(3, 1), kRepliedOff) << "still disconnected";
}

// ---- Cabin and anti-ice switches ----------------------------------------------

TEST_F(Protocol, TheAntiIceSwitchCommandReachesTheSimulatorsAntiIceSwitches) {
    // Engines turning when the models reset a second after loading: the
    // generators carry the transfer buses.
    for (int e = 0; e < 2; ++e) standin::setFloat("sim/flightmodel/engine/ENGN_N2_", 60.0f, e);
    standin::runSeconds(2.0);
    const char* const heat[] = {"sim/cockpit/switches/pitot_heat_on",
                                "sim/cockpit/switches/pitot_heat_on2",
                                "sim/cockpit/switches/anti_ice_AOA_heat",
                                "sim/cockpit/switches/anti_ice_window_heat"};
    constexpr const char* kInletHeat = "sim/cockpit/switches/anti_ice_inlet_heat";
    for (const char* name : heat) standin::setInt(name, 0);
    sendSwitch(2, 1, kOn);
    standin::runSeconds(0.2);
    for (const char* name : heat) EXPECT_EQ(standin::getInt(name), 1) << name;
    EXPECT_EQ(standin::getInt(kInletHeat), 0) << "engine valves still opening";
    standin::runSeconds(2.6);
    EXPECT_EQ(standin::getInt(kInletHeat), 1);
}

TEST_F(Protocol, SwitchCommandsAreNotAnswered) {
    standin::clearMessageLog();
    sendSwitch(1, 1, kOn);
    sendSwitch(2, 1, 3);
    sendSwitch(2, 5, kOff, 2);
    EXPECT_EQ(standin::getInt("peer/sent"), 3);
    EXPECT_TRUE(messagesToPeer().empty());
}

// A command record as another plug-in lays it out, little-endian.
std::array<unsigned char, 24> record(int mode, int command, int action, int value,
                                     uint32_t magic = kMagic) {
    std::array<unsigned char, 24> bytes{};
    auto put = [&](size_t offset, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    put(0, magic);
    bytes[4] = static_cast<unsigned char>(mode);
    put(8, static_cast<uint32_t>(command));
    bytes[12] = static_cast<unsigned char>(action);
    put(16, static_cast<uint32_t>(value));
    return bytes;
}

// The switches as this process's own copy of the plug-in holds them.
class Switches : public quiltest::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        allOff();
    }

    static void allOff() {
        quil::snapshot = quil::SimSnapshot{};
        switchEverything(false);
    }

    void switchCommand(int mode, int command, int action, int value = 0, uint32_t magic = kMagic) {
        std::array<unsigned char, 24> bytes = record(mode, command, action, value, magic);
        quil::AfdsMessageReceived(XPLM_NO_PLUGIN_ID, static_cast<int>(quil::SwitchCommand),
                                  bytes.data());
    }

    static void switchEverything(bool on) {
        quil::SetWingAntiIceSwitch(on);
        for (int i = 0; i < quil::kAntiIceEngines; ++i) quil::SetEngineAntiIceSwitch(i, on);
        for (int i = 0; i < quil::kProbeHeatSides; ++i) quil::SetProbeHeatSwitch(i, on);
        for (int i = 0; i < quil::kWindowHeatChannels; ++i) quil::SetWindowHeatSwitch(i, on);
    }

    // Every switch position, cabin first, for comparing before and after.
    static std::vector<int> positions() {
        std::vector<int> all = {quil::snapshot.galleySwitch, quil::snapshot.cabinLightSwitch,
                                quil::WingAntiIceSwitch()};
        for (int i = 0; i < quil::kAntiIceEngines; ++i) all.push_back(quil::EngineAntiIceSwitch(i));
        for (int i = 0; i < quil::kProbeHeatSides; ++i) all.push_back(quil::ProbeHeatSwitch(i));
        for (int i = 0; i < quil::kWindowHeatChannels; ++i) {
            all.push_back(quil::WindowHeatSwitch(i));
        }
        return all;
    }
};

struct SwitchRow {
    const char* name;
    int mode, command, value;
    size_t position;  // in positions()
};

TEST_F(Switches, EachSwitchGoesOnWithActionOneAndOffWithTwoOrThree) {
    const SwitchRow rows[] = {
        {"galley", 1, 1, 0, 0},           {"cabin light", 1, 2, 0, 1},
        {"wing anti-ice", 2, 2, 0, 2},    {"engine 1 anti-ice", 2, 3, 0, 3},
        {"engine 2 anti-ice", 2, 3, 1, 4}, {"probe heat A", 2, 4, 0, 5},
        {"probe heat B", 2, 4, 1, 6},     {"window heat 1", 2, 5, 0, 7},
        {"window heat 2", 2, 5, 1, 8},    {"window heat 3", 2, 5, 2, 9},
        {"window heat 4", 2, 5, 3, 10},
    };
    for (const SwitchRow& row : rows) {
        for (int off : {2, 3}) {
            allOff();
            switchCommand(row.mode, row.command, 1, row.value);
            std::vector<int> wanted(positions().size(), 0);
            wanted[row.position] = 1;
            EXPECT_EQ(positions(), wanted) << row.name << " on, and nothing else";
            switchCommand(row.mode, row.command, off, row.value);
            EXPECT_EQ(positions(), std::vector<int>(wanted.size(), 0))
                << row.name << " off with action " << off;
        }
    }
}

TEST_F(Switches, TheWholeAntiIcePanelSwitchesTogether) {
    switchCommand(2, 1, 1);
    std::vector<int> wanted(positions().size(), 1);
    wanted[0] = wanted[1] = 0;  // the cabin switches are not the panel's
    EXPECT_EQ(positions(), wanted);
    switchCommand(2, 1, 3);
    EXPECT_EQ(positions(), std::vector<int>(wanted.size(), 0));
}

TEST_F(Switches, IndicesBeyondThePanelAreIgnored) {
    struct Case {
        int command, value;
    };
    for (const Case& c : {Case{3, 2}, Case{3, -1}, Case{4, 2}, Case{4, INT_MIN}, Case{5, 4},
                          Case{5, -1}, Case{5, INT_MAX}}) {
        switchCommand(2, c.command, 1, c.value);
        EXPECT_EQ(positions(), std::vector<int>(positions().size(), 0))
            << "command " << c.command << " value " << c.value;
    }
}

TEST_F(Switches, OtherActionsUnknownSwitchesAndBadRecordsAreIgnored) {
    for (int action : {0, 4, 255}) switchCommand(1, 1, action);
    switchCommand(1, 3, 1);
    switchCommand(3, 1, 1);
    switchCommand(2, 6, 1);
    switchCommand(1, 1, 1, 0, kMagic + 1);
    switchCommand(2, 1, 1, 0, 0);
    quil::AfdsMessageReceived(XPLM_NO_PLUGIN_ID, static_cast<int>(quil::SwitchCommand), nullptr);
    EXPECT_EQ(positions(), std::vector<int>(positions().size(), 0));
}

// Replies as this process's own copy of the receiver makes them.
using Replies = quiltest::HostTest;

TEST_F(Replies, ARequestWithoutASenderIsNotAnsweredToEveryone) {
    load(quiltest::peerPath());
    standin::clearMessageLog();
    std::array<unsigned char, 24> ask = record(1, 1, kQuery, 0);
    quil::AfdsMessageReceived(XPLM_NO_PLUGIN_ID, static_cast<int>(quil::qAFDS_COMMAND), ask.data());
    quil::AfdsMessageReceived(XPLM_NO_PLUGIN_ID, static_cast<int>(quil::qAFDS_STATE_REQUEST),
                              nullptr);
    EXPECT_TRUE(standin::messageLog().empty());
    EXPECT_EQ(standin::getInt("peer/replies"), 0);
    EXPECT_EQ(standin::getInt("peer/states"), 0);
}

TEST_F(Replies, TheReplyRecordKeepsItsContentUntilTheNextReply) {
    const XPLMPluginID peer = load(quiltest::peerPath());
    std::array<unsigned char, 24> ask = record(1, 1, kQuery, 0);
    standin::clearMessageLog();
    quil::AfdsMessageReceived(peer, static_cast<int>(quil::qAFDS_COMMAND), ask.data());
    ASSERT_FALSE(standin::messageLog().empty());
    const auto* reply =
        reinterpret_cast<const unsigned char*>(standin::messageLog().back().param);
    ASSERT_NE(reply, nullptr);
    std::array<unsigned char, 20> first{};
    std::memcpy(first.data(), reply, first.size());
    EXPECT_EQ(standin::getInt("peer/reply_action"), kRepliedOff);

    std::array<unsigned char, 24> command = record(3, 1, kOn, 0);
    quil::AfdsMessageReceived(peer, static_cast<int>(quil::qAFDS_COMMAND), command.data());
    std::array<unsigned char, 20> after{};
    std::memcpy(after.data(), reply, after.size());
    EXPECT_EQ(after, first);
}

}  // namespace
