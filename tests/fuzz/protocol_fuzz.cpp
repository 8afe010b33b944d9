// Inter-plug-in messages as another plug-in may send them: the first byte
// picks the message, the rest is the record its parameter points to, any
// bytes, at least as long as the protocol's record (a sender promises that).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "autoflight/protocol.h"
#include "host/lifecycle.h"
#include "host/served_aircraft.h"
#include "sim/sim_binding.h"
#include "standin/standin.h"

namespace {

constexpr uint32_t kMessages[] = {
    quil::qAFDS_STATE_REQUEST,     quil::qAFDS_ACTIVATE_COMMAND, quil::qAFDS_COMMAND,
    quil::qAFDS_FEEDING_N1_LIMITS, quil::SwitchCommand,          quil::qAFDS_CONNECT_AUTOPILOT,
    quil::GroundServiceTakeover,   quil::ExternalPowerConnect,   quil::ExternalPowerDisconnect,
    quil::GroundPowerRequest,      quil::GroundPowerRelease,     quil::AfdsCommandReply};
constexpr size_t kMessageCount = sizeof kMessages / sizeof kMessages[0];
constexpr size_t kRecordBytes = 24;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (standin::startHost([] {
                                     standin::HostConfig config;
                                     config.graphics = false;
                                     return config;
                                 }()),
                                 quil::BindSimulatorState(), true);
    (void)started;
    if (size == 0) return 0;
    const uint32_t message = kMessages[data[0] % kMessageCount];
    std::vector<uint8_t> record(data + 1, data + size);
    record.resize(std::max(record.size(), kRecordBytes));
    quil::ReceiveMessage(1, static_cast<int>(message), size == 1 ? nullptr : record.data());
    return 0;
}
