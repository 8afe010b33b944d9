#include "autoflight/protocol.h"

#include "XPLMPlugin.h"

namespace quil {

void Broadcast(uint32_t message) {
    XPLMSendMessageToPlugin(XPLM_NO_PLUGIN_ID, static_cast<int>(message), nullptr);
}

void AfdsMessageReceived(int, int, void*) {}

}  // namespace quil
