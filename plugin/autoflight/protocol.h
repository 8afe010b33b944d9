// The inter-plug-in protocol: how other plug-ins query and command the AFDS,
// switch cabin and anti-ice controls, and share the ground power unit.
#pragma once

#include <cstdint>

#include "autoflight/protocol_numbers.h"

namespace quil {

// Sends a notice to every plug-in (parameter 0).
void Broadcast(uint32_t message);

// Every message the plug-in receives, whether or not the aircraft is
// served: answers state requests and queries to their sender, and runs MCP
// commands, the autopilot connection and the switch commands.
void AfdsMessageReceived(int from, int message, void* param);

}  // namespace quil
