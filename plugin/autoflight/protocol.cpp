#include "autoflight/protocol.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "XPLMDataAccess.h"
#include "XPLMPlugin.h"
#include "autoflight/modes.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/anti_ice.h"

namespace quil {
namespace {

struct CommandRecord {
    std::uint8_t mode = 0;
    std::int32_t command = 0;
    std::uint8_t action = 0;
    std::int32_t value = 0;
};

std::uint32_t readLittleEndian(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void writeLittleEndian(unsigned char* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::int32_t readSigned(const unsigned char* bytes) {
    return static_cast<std::int32_t>(readLittleEndian(bytes));
}

// Copies the sender's record when it carries the magic; anything else is
// read no further than its first four bytes. Nothing is ever written
// through the sender's pointer.
bool readCommand(const void* param, CommandRecord* record) {
    if (param == nullptr) return false;
    unsigned char bytes[kCommandRecordBytes];
    std::memcpy(bytes, param, kMagicBytes);
    if (readLittleEndian(bytes + kMagicOffset) != kRecordMagic) return false;
    std::memcpy(bytes, param, sizeof bytes);
    record->mode = bytes[kModeOffset];
    record->command = readSigned(bytes + kCommandOffset);
    record->action = bytes[kActionOffset];
    record->value = readSigned(bytes + kValueOffset);
    return true;
}

std::int32_t readInteger(const void* param) {
    unsigned char bytes[sizeof(std::int32_t)];
    std::memcpy(bytes, param, sizeof bytes);
    return readSigned(bytes);
}

// The one reply record; its address goes out with every reply, so it stays
// as it is until the next reply.
unsigned char replyRecord[kReplyRecordBytes];

// Replies go to the requester alone: a request without a sender would turn
// the reply into a broadcast.
bool canReply(int requester) { return requester != XPLM_NO_PLUGIN_ID; }

void replyTo(int requester, std::uint32_t message, void* param) {
    if (canReply(requester)) XPLMSendMessageToPlugin(requester, static_cast<int>(message), param);
}

void answer(int requester, const CommandRecord& request, std::uint8_t action, std::int32_t value) {
    if (!canReply(requester)) return;
    std::memset(replyRecord, 0, sizeof replyRecord);
    writeLittleEndian(replyRecord + kMagicOffset, kRecordMagic);
    replyRecord[kModeOffset] = request.mode;
    writeLittleEndian(replyRecord + kCommandOffset, static_cast<std::uint32_t>(request.command));
    replyRecord[kActionOffset] = action;
    writeLittleEndian(replyRecord + kValueOffset, static_cast<std::uint32_t>(value));
    replyTo(requester, AfdsCommandReply, replyRecord);
}

// ---- The MCP items other plug-ins reach ----------------------------------

void altHoldSyncingMcp(McpAction action) { mcpAltHold(action, 1); }
void setMcpSpeed(std::int32_t value) { SetMcpSpeed(static_cast<float>(value)); }
void setMcpVs(std::int32_t value) { SetMcpVs(static_cast<float>(value)); }
void setMcpAlt(std::int32_t value) { SetMcpAlt(static_cast<float>(value)); }
void setMcpHdg(std::int32_t value) { SetMcpHdg(static_cast<float>(value)); }

bool vorLocActive() { return apVorLocArmed() || apVorLocEng(); }

std::int32_t noValue() { return 0; }
std::int32_t mcpSpeedWindow() { return TruncToInt(XPLMGetDataf(sim.apAirspeed)); }
std::int32_t mcpVsWindow() { return TruncToInt(McpVerticalSpeed()); }
std::int32_t mcpAltitudeWindow() { return TruncToInt(McpAltitude()); }
std::int32_t lvlChgAltitude() { return apPitchMcpspd() ? mcpAltitudeWindow() : 0; }

struct McpItem {
    std::uint8_t mode;
    std::int32_t command;
    void (*on)(McpAction);  // null: the item is not supported
    McpAction onAction;
    void (*off)(McpAction);  // called with off
    void (*set)(std::int32_t value);  // null: the item takes no value
    bool (*engaged)();
    std::int32_t (*value)();
};

constexpr McpItem unsupported(std::uint8_t mode, std::int32_t command) {
    return {mode, command, nullptr, kMcpOff, nullptr, nullptr, nullptr, noValue};
}

// Group, command; on with its action; off; set; engaged; the query's value.
constexpr McpItem kMcpItems[] = {
    {kThrustGroup, kAtArmCommand, mcpAtArm, kMcpOn, mcpAtArm, nullptr, atArmed, noValue},
    {kThrustGroup, kN1Command, mcpN1, kMcpOn, mcpN1, nullptr, atN1, noValue},
    unsupported(kThrustGroup, 3),
    unsupported(kThrustGroup, 4),
    unsupported(kThrustGroup, 5),
    {kThrustGroup, kSpeedCommand, mcpSpeed, kMcpOn, mcpSpeed, setMcpSpeed, atSpeed,
     mcpSpeedWindow},
    unsupported(kThrustGroup, 7),
    unsupported(kPitchGroup, 1),
    unsupported(kPitchGroup, 4),
    {kPitchGroup, kVsArmCommand, mcpVs, kMcpArm, mcpVs, setMcpVs, apVsArmed, mcpVsWindow},
    {kPitchGroup, kVsCommand, mcpVs, kMcpOn, mcpVs, setMcpVs, apVsEng, mcpVsWindow},
    {kPitchGroup, kLvlChgCommand, mcpLvlChg, kMcpOn, mcpLvlChg, nullptr, apPitchMcpspd,
     lvlChgAltitude},
    {kPitchGroup, kAltHoldCommand, altHoldSyncingMcp, kMcpOn, altHoldSyncingMcp, setMcpAlt,
     apPitchAltHld, mcpAltitudeWindow},
    {kPitchGroup, kVnavCommand, mcpVnav, kMcpOn, mcpVnav, nullptr, apVnavEng, noValue},
    {kRollGroup, kHdgSelCommand, mcpHdgSel, kMcpOn, mcpHdgSel, setMcpHdg, apHdgSel, noValue},
    {kRollGroup, kLnavCommand, mcpLnav, kMcpOn, mcpLnavEngage, nullptr, apLnavEng, noValue},
    {kRollGroup, kVorLocCommand, mcpVorLoc, kMcpOn, mcpVorLoc, nullptr, vorLocActive, noValue},
    unsupported(kRollGroup, 5),
};

const McpItem* findMcpItem(std::uint8_t mode, std::int32_t command) {
    for (const McpItem& item : kMcpItems) {
        if (item.mode == mode && item.command == command) return &item;
    }
    return nullptr;
}

void query(int requester, const CommandRecord& request, const McpItem& item) {
    if (item.on == nullptr) {
        answer(requester, request, kReplyNotSupported, 0);
        return;
    }
    answer(requester, request, item.engaged() ? kReplyOn : kReplyOff, item.value());
}

void afdsCommand(int requester, const void* param) {
    CommandRecord request;
    if (!readCommand(param, &request)) return;
    const McpItem* item = findMcpItem(request.mode, request.command);
    if (item == nullptr) return;
    switch (request.action) {
        case kActionSet:
            if (item->set != nullptr) item->set(request.value);
            return;
        case kActionOn:
            if (item->on != nullptr) item->on(item->onAction);
            return;
        case kActionOff:
            if (item->off != nullptr) item->off(kMcpOff);
            return;
        case kActionQuery:
            query(requester, request, *item);
            return;
        default:
            return;
    }
}

void connectAutopilot(const void* param) {
    if (param == nullptr) return;
    const std::int32_t request = readInteger(param);
    if (request == kConnect) mcpApConnect(kMcpOn);
    if (request == kDisconnect) mcpApConnect(kMcpOff);
}

// ---- Cabin and anti-ice switches -----------------------------------------

void setGalley(std::int32_t, bool on) { snapshot.galleySwitch = on ? 1 : 0; }
void setCabinLight(std::int32_t, bool on) { snapshot.cabinLightSwitch = on ? 1 : 0; }

void setEveryAntiIceSwitch(std::int32_t, bool on) {
    SetWingAntiIceSwitch(on);
    for (int engine = 0; engine < kAntiIceEngines; ++engine) SetEngineAntiIceSwitch(engine, on);
    for (int side = 0; side < kProbeHeatSides; ++side) SetProbeHeatSwitch(side, on);
    for (int channel = 0; channel < kWindowHeatChannels; ++channel) {
        SetWindowHeatSwitch(channel, on);
    }
}

void setWingAntiIce(std::int32_t, bool on) { SetWingAntiIceSwitch(on); }
void setEngineAntiIce(std::int32_t engine, bool on) { SetEngineAntiIceSwitch(engine, on); }
void setProbeHeat(std::int32_t side, bool on) { SetProbeHeatSwitch(side, on); }
void setWindowHeat(std::int32_t channel, bool on) { SetWindowHeatSwitch(channel, on); }

// The record's value picks the engine, side or channel where there is more
// than one.
struct SwitchItem {
    std::uint8_t mode;
    std::int32_t command;
    void (*set)(std::int32_t value, bool on);
};

constexpr SwitchItem kSwitchItems[] = {
    {kCabinGroup, kGalleyCommand, setGalley},
    {kCabinGroup, kCabinLightCommand, setCabinLight},
    {kAntiIceGroup, kEveryAntiIceCommand, setEveryAntiIceSwitch},
    {kAntiIceGroup, kWingAntiIceCommand, setWingAntiIce},
    {kAntiIceGroup, kEngineAntiIceCommand, setEngineAntiIce},
    {kAntiIceGroup, kProbeHeatCommand, setProbeHeat},
    {kAntiIceGroup, kWindowHeatCommand, setWindowHeat},
};

// A switch goes on with action 1 and off with 2 or 3 (a query elsewhere).
bool switchPosition(std::uint8_t action, bool* on) {
    *on = action == kActionOn;
    return action == kActionOn || action == kActionOff || action == kActionQuery;
}

void switchCommand(const void* param) {
    CommandRecord request;
    bool on = false;
    if (!readCommand(param, &request) || !switchPosition(request.action, &on)) return;
    for (const SwitchItem& item : kSwitchItems) {
        if (item.mode == request.mode && item.command == request.command) {
            item.set(request.value, on);
        }
    }
}

}  // namespace

void Broadcast(uint32_t message) {
    XPLMSendMessageToPlugin(XPLM_NO_PLUGIN_ID, static_cast<int>(message), nullptr);
}

void AfdsMessageReceived(int from, int message, void* param) {
    switch (static_cast<uint32_t>(message)) {
        case qAFDS_STATE_REQUEST:
            replyTo(from, pluginActive ? qAFDS_ACTIVATED : qAFDS_LOADED, nullptr);
            return;
        case qAFDS_COMMAND:
            afdsCommand(from, param);
            return;
        case qAFDS_CONNECT_AUTOPILOT:
            connectAutopilot(param);
            return;
        case SwitchCommand:
            switchCommand(param);
            return;
        default:
            // qAFDS_ACTIVATE_COMMAND and qAFDS_FEEDING_N1_LIMITS are accepted
            // and need nothing; the ground-service notices belong to the host.
            return;
    }
}

}  // namespace quil
