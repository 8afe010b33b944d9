// The five entry points through which the simulator drives the plug-in.
#include <cstring>

#include "XPLMDefs.h"

namespace {

constexpr char kPluginName[] = "quilplugin";
constexpr char kPluginSignature[] = "rv.quil.plugin";
constexpr char kPluginDescription[] = "A plugin that simulates Boeing 737NG systems";

}  // namespace

PLUGIN_API int XPluginStart(char* outName, char* outSignature, char* outDescription) {
    std::strcpy(outName, kPluginName);
    std::strcpy(outSignature, kPluginSignature);
    std::strcpy(outDescription, kPluginDescription);
    return 1;
}

PLUGIN_API void XPluginStop() {}

PLUGIN_API int XPluginEnable() { return 1; }

PLUGIN_API void XPluginDisable() {}

PLUGIN_API void XPluginReceiveMessage(XPLMPluginID, int, void*) {}
