// The peer plug-in: talks to ours through inter-plug-in messages, as another
// plug-in in the simulator would, sending records from its own memory and
// reading the replies. Tests and scenarios drive it through its datarefs:
//
//   peer/magic, peer/command_mode, peer/command, peer/action, peer/value
//                         the command record it sends (magic 12345678 at start)
//   peer/null_param       1: the record and connect messages go with a null
//                         parameter instead
//   peer/send = 1         sends the record as an AFDS command
//   peer/send_switch = 1  sends the record as a switch command
//   peer/connect_value, peer/send_connect = 1
//                         asks for the autopilot connected (1) or not (0)
//   peer/state_request = 1
//                         asks whether the AFDS works
//   peer/send_message = N sends message N with a null parameter
//   peer/target           whom it sent to: the plug-in signed
//                         "rv.quil.plugin", -1 when there was none
//   peer/sent             messages sent
//   peer/replies, peer/reply_magic, peer/reply_mode, peer/reply_command,
//   peer/reply_action, peer/reply_value
//                         command replies received, and the last one's fields
//   peer/states, peer/last_state
//                         state answers received; the last: 1 activated,
//                         0 loaded, -1 none yet
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "XPLMDataAccess.h"
#include "XPLMDefs.h"
#include "XPLMPlugin.h"
#include "autoflight/protocol_numbers.h"

namespace {

using namespace quil;

constexpr int kInfoBytes = 256;
// Plug-in ids are small numbers handed out in load order; there is no call
// that finds one by its signature, so the peer looks through them.
constexpr XPLMPluginID kHighestPluginId = 256;

constexpr int kStateLoaded = 0;
constexpr int kStateActivated = 1;
constexpr int kNoState = -1;

struct Peer {
    int magic = kRecordMagic;
    int mode = 0;
    int command = 0;
    int action = 0;
    int value = 0;
    int nullParam = 0;
    int connectValue = 0;
    int target = XPLM_NO_PLUGIN_ID;
    int sent = 0;
    int replies = 0;
    int replyMagic = 0;
    int replyMode = 0;
    int replyCommand = 0;
    int replyAction = 0;
    int replyValue = 0;
    int states = 0;
    int lastState = kNoState;
};

Peer peer;
// What goes out lives in the peer's own memory, as the protocol expects.
unsigned char record[kCommandRecordBytes];
int32_t connectRequest = 0;

void putLittleEndian(unsigned char* bytes, int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
}

int32_t getLittleEndian(const unsigned char* bytes) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return static_cast<int32_t>(bits);
}

XPLMPluginID findQuil() {
    for (XPLMPluginID id = 1; id <= kHighestPluginId; ++id) {
        char signature[kInfoBytes] = {};
        XPLMGetPluginInfo(id, nullptr, nullptr, signature, nullptr);
        if (std::strcmp(signature, kPluginSignature) == 0) return id;
    }
    return XPLM_NO_PLUGIN_ID;
}

void sendToQuil(uint32_t message, void* param) {
    peer.target = findQuil();
    if (peer.target == XPLM_NO_PLUGIN_ID) return;
    ++peer.sent;
    XPLMSendMessageToPlugin(peer.target, static_cast<int>(message), param);
}

void* recordParam() {
    std::memset(record, 0, sizeof record);
    putLittleEndian(record, peer.magic);
    record[kModeOffset] = static_cast<unsigned char>(peer.mode);
    putLittleEndian(record + kCommandOffset, peer.command);
    record[kActionOffset] = static_cast<unsigned char>(peer.action);
    putLittleEndian(record + kValueOffset, peer.value);
    return peer.nullParam ? nullptr : record;
}

void sendCommand(int) { sendToQuil(qAFDS_COMMAND, recordParam()); }
void sendSwitch(int) { sendToQuil(SwitchCommand, recordParam()); }
void requestState(int) { sendToQuil(qAFDS_STATE_REQUEST, nullptr); }
void sendMessage(int message) { sendToQuil(static_cast<uint32_t>(message), nullptr); }

void sendConnect(int) {
    connectRequest = peer.connectValue;
    sendToQuil(qAFDS_CONNECT_AUTOPILOT, peer.nullParam ? nullptr : &connectRequest);
}

void readReply(const void* param) {
    ++peer.replies;
    if (param == nullptr) return;
    unsigned char reply[kReplyRecordBytes];
    std::memcpy(reply, param, sizeof reply);
    peer.replyMagic = getLittleEndian(reply);
    peer.replyMode = reply[kModeOffset];
    peer.replyCommand = getLittleEndian(reply + kCommandOffset);
    peer.replyAction = reply[kActionOffset];
    peer.replyValue = getLittleEndian(reply + kValueOffset);
}

void noteState(int state) {
    ++peer.states;
    peer.lastState = state;
}

// ---- Datarefs ----------------------------------------------------------------

struct Field {
    const char* name;
    int Peer::*value;
    bool writable;
    XPLMDataRef handle;
};

Field fields[] = {
    {"peer/magic", &Peer::magic, true, nullptr},
    {"peer/command_mode", &Peer::mode, true, nullptr},
    {"peer/command", &Peer::command, true, nullptr},
    {"peer/action", &Peer::action, true, nullptr},
    {"peer/value", &Peer::value, true, nullptr},
    {"peer/null_param", &Peer::nullParam, true, nullptr},
    {"peer/connect_value", &Peer::connectValue, true, nullptr},
    {"peer/target", &Peer::target, false, nullptr},
    {"peer/sent", &Peer::sent, false, nullptr},
    {"peer/replies", &Peer::replies, false, nullptr},
    {"peer/reply_magic", &Peer::replyMagic, false, nullptr},
    {"peer/reply_mode", &Peer::replyMode, false, nullptr},
    {"peer/reply_command", &Peer::replyCommand, false, nullptr},
    {"peer/reply_action", &Peer::replyAction, false, nullptr},
    {"peer/reply_value", &Peer::replyValue, false, nullptr},
    {"peer/states", &Peer::states, false, nullptr},
    {"peer/last_state", &Peer::lastState, false, nullptr},
};

// Writing a trigger sends; it reads 0.
struct Trigger {
    const char* name;
    void (*send)(int written);
    XPLMDataRef handle;
};

Trigger triggers[] = {
    {"peer/send", sendCommand, nullptr},
    {"peer/send_switch", sendSwitch, nullptr},
    {"peer/send_connect", sendConnect, nullptr},
    {"peer/state_request", requestState, nullptr},
    {"peer/send_message", sendMessage, nullptr},
};

int readField(void* refcon) { return peer.*static_cast<Field*>(refcon)->value; }
void writeField(void* refcon, int value) { peer.*static_cast<Field*>(refcon)->value = value; }
int readTrigger(void*) { return 0; }
void pullTrigger(void* refcon, int value) {
    if (value != 0) static_cast<Trigger*>(refcon)->send(value);
}

XPLMDataRef publish(const char* name, bool writable, int (*read)(void*),
                    void (*write)(void*, int), void* refcon) {
    return XPLMRegisterDataAccessor(name, xplmType_Int, writable ? 1 : 0, read,
                                    writable ? write : nullptr, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    refcon, refcon);
}

}  // namespace

PLUGIN_API int XPluginStart(char* name, char* signature, char* description) {
    std::strcpy(name, "peer");
    std::strcpy(signature, "rv.quil.peer");
    std::strcpy(description, "Talks to the quil plug-in as another plug-in would");
    peer = Peer{};
    for (Field& field : fields) {
        field.handle = publish(field.name, field.writable, readField, writeField, &field);
    }
    for (Trigger& trigger : triggers) {
        trigger.handle = publish(trigger.name, true, readTrigger, pullTrigger, &trigger);
    }
    return 1;
}

PLUGIN_API void XPluginStop() {
    for (Field& field : fields) XPLMUnregisterDataAccessor(field.handle);
    for (Trigger& trigger : triggers) XPLMUnregisterDataAccessor(trigger.handle);
}

PLUGIN_API int XPluginEnable() { return 1; }
PLUGIN_API void XPluginDisable() {}

PLUGIN_API void XPluginReceiveMessage(XPLMPluginID, int message, void* param) {
    switch (static_cast<uint32_t>(message)) {
        case AfdsCommandReply:
            readReply(param);
            return;
        case qAFDS_ACTIVATED:
            noteState(kStateActivated);
            return;
        case qAFDS_LOADED:
            noteState(kStateLoaded);
            return;
        default:
            return;
    }
}
