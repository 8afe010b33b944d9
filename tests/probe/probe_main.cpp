#include <cstdio>
#include <cstring>
#include <string>

#include "XPLMDefs.h"
#include "XPLMPlugin.h"
#include "probe.h"

namespace {

// Names are written "probe/..."; a copy of the probe loaded from another
// plug-in folder publishes them under that folder's name instead, so two
// probes can run side by side.
std::string publishedName(const char* name) {
    char path[512] = {};
    XPLMGetPluginInfo(XPLMGetMyID(), nullptr, path, nullptr, nullptr);
    std::string folder = path;                              // .../<folder>/64/lin.xpl
    for (int i = 0; i < 2; ++i) folder.erase(folder.rfind('/'));  // .../<folder>
    folder.erase(0, folder.rfind('/') + 1);
    const std::string prefix = "probe/";
    std::string full = name;
    if (full.compare(0, prefix.size(), prefix) == 0) full.replace(0, prefix.size() - 1, folder);
    return full;
}

int readInt(void* refcon) { return static_cast<ProbeValue*>(refcon)->i; }
void writeInt(void* refcon, int value) { static_cast<ProbeValue*>(refcon)->i = value; }
float readFloat(void* refcon) { return static_cast<ProbeValue*>(refcon)->f; }
void writeFloat(void* refcon, float value) { static_cast<ProbeValue*>(refcon)->f = value; }

}  // namespace

void publishInt(ProbeValue& value) {
    value.handle = XPLMRegisterDataAccessor(publishedName(value.name).c_str(), xplmType_Int, 1, readInt, writeInt,
                                            nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr,
                                            &value, &value);
}

void publishFloat(ProbeValue& value) {
    value.handle = XPLMRegisterDataAccessor(publishedName(value.name).c_str(), xplmType_Float, 1, nullptr, nullptr,
                                            readFloat, writeFloat, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr,
                                            &value, &value);
}

void withdraw(ProbeValue& value) {
    XPLMUnregisterDataAccessor(value.handle);
    value.handle = nullptr;
}

PLUGIN_API int XPluginStart(char* name, char* signature, char* description) {
    std::strcpy(name, "probe");
    std::snprintf(signature, 256, "rv.quil.probe.%d", XPLMGetMyID());
    std::strcpy(description, "Exercises the stand-in host for its tests");
    startProbeDataRefs();
    startProbeProcessing();
    startProbeWindow();
    startProbeGraphics();
    startProbeWidgets();
    startProbeExceptions();
    return 1;
}

PLUGIN_API void XPluginStop() {
    stopProbeExceptions();
    stopProbeWidgets();
    stopProbeGraphics();
    stopProbeWindow();
    stopProbeProcessing();
    stopProbeDataRefs();
}

PLUGIN_API int XPluginEnable() { return 1; }
PLUGIN_API void XPluginDisable() {}

PLUGIN_API void XPluginReceiveMessage(XPLMPluginID from, int message, void* param) {
    probeReceiveMessage(from, message, param);
}
