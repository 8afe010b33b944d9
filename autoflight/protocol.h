// The inter-plug-in protocol: how other plug-ins query and command the AFDS,
// switch cabin and anti-ice controls, and share the ground power unit.
#pragma once

#include <cstdint>

namespace quil {

// Message numbers; those with the top bit set arrive as negative ints, so
// they are compared as unsigned.
constexpr uint32_t qAFDS_STATE_REQUEST = 0x74000002;
constexpr uint32_t qAFDS_LOADED = 0x84000000;
constexpr uint32_t qAFDS_ACTIVATED = 0x84000001;
constexpr uint32_t qAFDS_ACTIVATE_COMMAND = 0x74000003;
constexpr uint32_t qAFDS_COMMAND = 0x74000010;
constexpr uint32_t AfdsCommandReply = 0x74000015;
constexpr uint32_t qAFDS_FEEDING_N1_LIMITS = 0x7400001a;
constexpr uint32_t SwitchCommand = 0x7400002f;
constexpr uint32_t qAFDS_CONNECT_AUTOPILOT = 0x74000090;
constexpr uint32_t GroundServiceHello = 0x88888880;
constexpr uint32_t GroundServiceState = 0x8888888c;
constexpr uint32_t GroundServiceTakeover = 0x88888881;
constexpr uint32_t ExternalPowerConnect = 0x88888882;
constexpr uint32_t ExternalPowerDisconnect = 0x88888883;
constexpr uint32_t GroundPowerRequest = 0x88888889;
constexpr uint32_t GroundPowerRelease = 0x8888888a;

// Sends a notice to every plug-in (parameter 0).
void Broadcast(uint32_t message);

// Every message the plug-in receives, whether or not the aircraft is
// served: answers state requests and queries to their sender, and runs MCP
// commands, the autopilot connection and the switch commands.
void AfdsMessageReceived(int from, int message, void* param);

}  // namespace quil
