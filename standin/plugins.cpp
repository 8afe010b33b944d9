// Plug-ins: loading binaries, their entry points and identity, and the
// messages between them and from the simulator.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "XPLMPlugin.h"
#include "standin/internal.h"
#include "standin/platform.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

using StartFn = int (*)(char*, char*, char*);
using StopFn = void (*)();
using EnableFn = int (*)();
using DisableFn = void (*)();
using ReceiveFn = void (*)(XPLMPluginID, int, void*);

constexpr int kInfoBufferSize = 256;  // what the SDK promises for each text

// The plug-in system's optional behaviours the host has. Paths are native
// on Linux either way, so opting into them changes nothing here.
constexpr const char* kFeatures[] = {"XPLM_USE_NATIVE_PATHS"};

struct Plugin {
    PluginInfo info;
    void* library = nullptr;
    StartFn start = nullptr;
    StopFn stop = nullptr;
    EnableFn enable = nullptr;
    DisableFn disable = nullptr;
    ReceiveFn receive = nullptr;
    std::vector<std::string> features;  // enabled
};

std::vector<Plugin> loaded;  // in load order
XPLMPluginID nextPluginId = 1;
std::vector<MessageRecord> messages;
std::optional<PluginFault> fault;

Plugin* find(XPLMPluginID id) {
    for (Plugin& plugin : loaded) {
        if (plugin.info.id == id) return &plugin;
    }
    return nullptr;
}

// Allocations count when the code of a loaded plug-in asks for them.
void countAllocationsOfLoadedPlugins() {
    std::vector<void*> libraries;
    for (const Plugin& plugin : loaded) libraries.push_back(plugin.library);
    countAllocationsOf(libraries);
}

void forgetEverythingOf(XPLMPluginID id) {
    forgetPluginMenus(id);
    forgetPluginCommands(id);
    forgetPluginWidgets(id);
    forgetPluginWindows(id);
    forgetPluginDrawCallbacks(id);
    forgetPluginFlightLoops(id);
    forgetPluginDataRefs(id);
}

template <typename Fn>
bool bind(void* library, const char* symbol, Fn& out) {
    out = reinterpret_cast<Fn>(librarySymbol(library, symbol));
    return out != nullptr;
}


// A plug-in carries its own copy of the unwinder, linked in statically. An
// exception leaving it is caught by the host's handler through the shared
// unwinder, which sizes the machine's registers only on its own first
// exception and aborts when handed a plug-in's first: the host throws one
// of its own as it loads, so the shared unwinder is ready for theirs.
[[gnu::constructor]] void readySharedUnwinder() {
    try {
        throw 0;
    } catch (int) {
    }
}

bool hasFeature(const char* feature) {
    if (feature == nullptr) return false;
    for (const char* known : kFeatures)
        if (std::strcmp(feature, known) == 0) return true;
    return false;
}

std::string terminated(const char* buffer) {
    return std::string(buffer, strnlen(buffer, kInfoBufferSize));
}

void deliver(XPLMPluginID from, XPLMPluginID to, int message, void* param) {
    Plugin* receiver = find(to);
    if (receiver == nullptr || !receiver->info.enabled) return;
    ReceiveFn receive = receiver->receive;
    callPlugin(to, "XPluginReceiveMessage", [&] { receive(from, message, param); });
}

// Delivery is synchronous, so a parameter may point into the sender's
// memory. A broadcast reaches the sender too: plug-ins must cope with that.
void send(XPLMPluginID from, XPLMPluginID to, int message, void* param) {
    messages.push_back({currentFrame(), from, to, message, reinterpret_cast<intptr_t>(param)});
    if (to != XPLM_NO_PLUGIN_ID) {
        deliver(from, to, message, param);
        return;
    }
    std::vector<XPLMPluginID> receivers;
    for (const Plugin& plugin : loaded) receivers.push_back(plugin.info.id);
    for (XPLMPluginID receiver : receivers) deliver(from, receiver, message, param);
}

// Forgets a plug-in and closes its library.
void drop(XPLMPluginID id) {
    forgetEverythingOf(id);
    auto position = std::find_if(loaded.begin(), loaded.end(),
                                 [&](const Plugin& p) { return p.info.id == id; });
    if (position == loaded.end()) return;
    void* library = position->library;
    loaded.erase(position);
    closeLibrary(library);
    countAllocationsOfLoadedPlugins();
}

// XPluginStop, then drop.
void unloadStarted(XPLMPluginID id) {
    Plugin* plugin = find(id);
    if (plugin == nullptr) return;
    StopFn stop = plugin->stop;
    callPlugin(id, "XPluginStop", [&] { stop(); });
    drop(id);
}

}  // namespace

bool pluginEnabled(XPLMPluginID id) {
    if (id == XPLM_PLUGIN_XPLANE) return true;
    const Plugin* plugin = find(id);
    return plugin != nullptr && plugin->info.enabled;
}

void resetMessages() { messages.clear(); }

void notePluginException(XPLMPluginID plugin, const char* callback, const char* what) {
    if (fault) return;
    const Plugin* thrower = find(plugin);
    PluginFault noted;
    noted.plugin = plugin;
    if (thrower != nullptr)
        noted.pluginName = thrower->info.name.empty() ? thrower->info.path : thrower->info.name;
    noted.callback = callback;
    noted.what = what != nullptr ? what : "an exception that is not a std::exception";
    noted.frame = currentFrame();
    noted.time = simTime();
    fault = noted;
}

void resetPluginFault() { fault.reset(); }

}  // namespace standin::detail

using namespace standin::detail;

namespace standin {

XPLMPluginID loadPlugin(const std::string& path, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error != nullptr) *error = path + ": " + why;
        return XPLM_NO_PLUGIN_ID;
    };
    // The loader would hand back the library already open, and the two
    // would share and split its state.
    for (const Plugin& plugin : loaded) {
        std::error_code ignored;
        if (plugin.info.path == path || std::filesystem::equivalent(plugin.info.path, path, ignored))
            return fail("already loaded, as " + plugin.info.path);
    }
    std::string why;
    void* library = openLibrary(path, why);
    if (library == nullptr) {
        if (error != nullptr) *error = why;
        return XPLM_NO_PLUGIN_ID;
    }
    Plugin plugin;
    plugin.library = library;
    const bool complete = bind(library, "XPluginStart", plugin.start) &&
                          bind(library, "XPluginStop", plugin.stop) &&
                          bind(library, "XPluginEnable", plugin.enable) &&
                          bind(library, "XPluginDisable", plugin.disable) &&
                          bind(library, "XPluginReceiveMessage", plugin.receive);
    if (!complete) {
        closeLibrary(library);
        return fail("not a plug-in: an entry point is missing");
    }
    plugin.info.id = nextPluginId++;
    plugin.info.path = path;
    const XPLMPluginID id = plugin.info.id;
    notePluginName(id, path);
    loaded.push_back(plugin);
    countAllocationsOfLoadedPlugins();

    char name[kInfoBufferSize] = {};
    char signature[kInfoBufferSize] = {};
    char description[kInfoBufferSize] = {};
    int started = 0;
    callPlugin(id, "XPluginStart", [&] { started = plugin.start(name, signature, description); });
    // The host owns the buffers; a plug-in that overruns them is cut short.
    name[kInfoBufferSize - 1] = signature[kInfoBufferSize - 1] =
        description[kInfoBufferSize - 1] = '\0';
    if (started == 0) {
        drop(id);
        return fail("XPluginStart returned 0");
    }
    const std::string signedAs = terminated(signature);
    for (const Plugin& other : loaded) {
        if (other.info.id != id && other.info.signature == signedAs) {
            const std::string first = other.info.path;
            unloadStarted(id);
            return fail("its signature " + signedAs + " is already loaded, from " + first);
        }
    }
    Plugin& entry = *find(id);
    entry.info.name = terminated(name);
    entry.info.signature = terminated(signature);
    entry.info.description = terminated(description);
    notePluginName(id, entry.info.name);
    enablePlugin(id);
    return id;
}

bool enablePlugin(XPLMPluginID id) {
    Plugin* plugin = find(id);
    if (plugin == nullptr) return false;
    if (plugin->info.enabled) return true;
    EnableFn enable = plugin->enable;
    int accepted = 0;
    callPlugin(id, "XPluginEnable", [&] { accepted = enable(); });
    if (Plugin* still = find(id)) still->info.enabled = accepted != 0;
    return accepted != 0;
}

void disablePlugin(XPLMPluginID id) {
    Plugin* plugin = find(id);
    if (plugin == nullptr || !plugin->info.enabled) return;
    plugin->info.enabled = false;
    DisableFn disable = plugin->disable;
    callPlugin(id, "XPluginDisable", [&] { disable(); });
}

void unloadPlugin(XPLMPluginID id) {
    disablePlugin(id);
    unloadStarted(id);
}

void detail::unloadAllPlugins() {
    while (!loaded.empty()) unloadPlugin(loaded.back().info.id);
    nextPluginId = 1;
}

std::vector<PluginInfo> plugins() {
    std::vector<PluginInfo> infos;
    for (const Plugin& plugin : loaded) infos.push_back(plugin.info);
    return infos;
}

PluginInfo pluginInfo(XPLMPluginID id) {
    const Plugin* plugin = find(id);
    return plugin != nullptr ? plugin->info : PluginInfo{};
}

void sendSimMessage(int message, intptr_t param, XPLMPluginID to) {
    send(XPLM_PLUGIN_XPLANE, to, message, reinterpret_cast<void*>(param));
}

const std::vector<MessageRecord>& messageLog() { return messages; }
const std::optional<PluginFault>& pluginFault() { return fault; }
void clearMessageLog() { messages.clear(); }

}  // namespace standin

extern "C" {

XPLMPluginID XPLMGetMyID() {
    SdkCall call(SdkFunction::XPLMGetMyID);
    return call.returns(currentPlugin());
}

void XPLMGetPluginInfo(XPLMPluginID id, char* name, char* filePath, char* signature,
                       char* description) {
    SdkCall call(SdkFunction::XPLMGetPluginInfo, id);
    const standin::PluginInfo info = standin::pluginInfo(id);
    call.results(info.name, info.signature, info.description);
    copyText(name, info.name, kInfoBufferSize);
    copyText(filePath, info.path, kInfoBufferSize);
    copyText(signature, info.signature, kInfoBufferSize);
    copyText(description, info.description, kInfoBufferSize);
}

void XPLMSendMessageToPlugin(XPLMPluginID to, int message, void* param) {
    // The parameter may point into the sender's memory, which moves from run to run.
    SdkCall call(SdkFunction::XPLMSendMessageToPlugin, to, message,
                 param != nullptr ? "data" : nullptr);
    send(currentPlugin(), to, message, param);
}

XPLMPluginID XPLMFindPluginBySignature(const char* signature) {
    SdkCall call(SdkFunction::XPLMFindPluginBySignature, signature);
    if (signature == nullptr) return call.returns(XPLM_NO_PLUGIN_ID);
    for (const Plugin& plugin : loaded)
        if (plugin.info.signature == signature) return call.returns(plugin.info.id);
    return call.returns(XPLM_NO_PLUGIN_ID);
}

int XPLMIsPluginEnabled(XPLMPluginID id) {
    SdkCall call(SdkFunction::XPLMIsPluginEnabled, id);
    return call.returns(find(id) != nullptr && pluginEnabled(id) ? 1 : 0);
}

int XPLMHasFeature(const char* feature) {
    SdkCall call(SdkFunction::XPLMHasFeature, feature);
    return call.returns(hasFeature(feature) ? 1 : 0);
}

int XPLMIsFeatureEnabled(const char* feature) {
    SdkCall call(SdkFunction::XPLMIsFeatureEnabled, feature);
    const Plugin* plugin = find(currentPlugin());
    if (plugin == nullptr || !hasFeature(feature)) return call.returns(0);
    const auto& on = plugin->features;
    return call.returns(std::find(on.begin(), on.end(), feature) != on.end() ? 1 : 0);
}

// A feature the host does not have is ignored.
void XPLMEnableFeature(const char* feature, int enable) {
    SdkCall call(SdkFunction::XPLMEnableFeature, feature, enable);
    Plugin* plugin = find(currentPlugin());
    if (plugin == nullptr || !hasFeature(feature)) return;
    auto& on = plugin->features;
    on.erase(std::remove(on.begin(), on.end(), feature), on.end());
    if (enable != 0) on.push_back(feature);
}

}  // extern "C"
