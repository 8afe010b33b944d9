// The five entry points through which the simulator drives the plug-in.
#include "XPLMDefs.h"
#include "host/lifecycle.h"

PLUGIN_API int XPluginStart(char* outName, char* outSignature, char* outDescription) {
    return quil::StartPlugin(outName, outSignature, outDescription);
}

PLUGIN_API void XPluginStop() { quil::StopPlugin(); }

PLUGIN_API int XPluginEnable() { return quil::EnablePlugin(); }

PLUGIN_API void XPluginDisable() { quil::DisablePlugin(); }

PLUGIN_API void XPluginReceiveMessage(XPLMPluginID from, int message, void* param) {
    quil::ReceiveMessage(from, message, param);
}
