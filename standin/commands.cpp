// Commands: named actions held down from begin to end, run by plug-ins and
// by the simulator. Handlers registered before the simulator run first,
// newest first, then the simulator's own action, then the handlers after
// it; any handler returning 0 stops the command there.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "XPLMUtilities.h"
#include "standin/internal.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

constexpr char kSimulatorPrefix[] = "sim/";

// What a simulator command does to the host's state.
enum class Effect { SetDataRef, HoldStarter, TogglePause };

struct SimulatorAction {
    const char* command;
    Effect effect;
    const char* dataRef;  // SetDataRef
    int value;            // SetDataRef: the value written on begin; HoldStarter: the engine
};

// The simulator commands whose effect the host knows; every other one is
// counted and logged.
constexpr SimulatorAction kSimulatorActions[] = {
    {"sim/starters/engage_starter_1", Effect::HoldStarter, nullptr, 0},
    {"sim/starters/engage_starter_2", Effect::HoldStarter, nullptr, 1},
    {"sim/ice/wing_heat_on", Effect::SetDataRef, "sim/cockpit/switches/anti_ice_surf_heat", 1},
    {"sim/ice/wing_heat_off", Effect::SetDataRef, "sim/cockpit/switches/anti_ice_surf_heat", 0},
    {"sim/ice/inlet_heat_on", Effect::SetDataRef, "sim/cockpit/switches/anti_ice_inlet_heat", 1},
    {"sim/ice/inlet_heat_off", Effect::SetDataRef, "sim/cockpit/switches/anti_ice_inlet_heat", 0},
    {"sim/ice/window_heat_on", Effect::SetDataRef, "sim/cockpit/switches/anti_ice_window_heat", 1},
    {"sim/ice/window_heat_off", Effect::SetDataRef, "sim/cockpit/switches/anti_ice_window_heat", 0},
    {"sim/lights/beacon_lights_on", Effect::SetDataRef, "sim/cockpit/electrical/beacon_lights_on", 1},
    {"sim/lights/beacon_lights_off", Effect::SetDataRef, "sim/cockpit/electrical/beacon_lights_on", 0},
    {"sim/lights/landing_lights_on", Effect::SetDataRef, "sim/cockpit/electrical/landing_lights_on", 1},
    {"sim/lights/landing_lights_off", Effect::SetDataRef, "sim/cockpit/electrical/landing_lights_on", 0},
    {"sim/operation/pause_toggle", Effect::TogglePause, nullptr, 0},
};

struct Handler {
    XPLMCommandCallback_f callback;
    bool before;
    void* refcon;
    XPLMPluginID owner;
};

struct Command {
    CommandInfo info;
    const SimulatorAction* action = nullptr;
    std::vector<Handler> handlers;  // in registration order
    bool running = false;           // its handlers are being called
};

std::vector<Command> table;  // never shrinks: handles are positions

XPLMCommandRef handleOf(size_t index) {
    return reinterpret_cast<XPLMCommandRef>(static_cast<uintptr_t>(index + 1));
}

Command* lookup(XPLMCommandRef handle) {
    const auto position = reinterpret_cast<uintptr_t>(handle);
    if (position == 0 || position > table.size()) return nullptr;
    return &table[position - 1];
}

// What the call log names a handle by.
const std::string& loggedName(XPLMCommandRef handle) {
    static const std::string unknown = "(no command)";
    const Command* command = lookup(handle);
    return command != nullptr ? command->info.name : unknown;
}

Command* lookup(const std::string& name) {
    for (Command& command : table)
        if (command.info.name == name) return &command;
    return nullptr;
}

bool isSimulatorName(const std::string& name) {
    return name.compare(0, std::strlen(kSimulatorPrefix), kSimulatorPrefix) == 0;
}

// The simulator has more commands than the host knows; each is made when
// first asked for.
Command* addCommand(const std::string& name, const std::string& description) {
    Command command;
    command.info.name = name;
    command.info.description = description;
    command.info.simulator = isSimulatorName(name);
    for (const SimulatorAction& action : kSimulatorActions)
        if (name == action.command) command.action = &action;
    command.info.hostAction = command.action != nullptr;
    table.push_back(command);
    return &table.back();
}

void simulatorAction(Command& command, XPLMCommandPhase phase) {
    if (!command.info.simulator) return;
    const SimulatorAction* action = command.action;
    if (action == nullptr) {
        if (phase == xplm_CommandBegin && command.info.begins == 1)
            logLine("standin: " + command.info.name + " has no effect in the host");
        return;
    }
    switch (action->effect) {
        case Effect::SetDataRef:
            if (phase == xplm_CommandBegin) hostWrite(hostHandle(action->dataRef), action->value);
            break;
        case Effect::HoldStarter:
            if (phase != xplm_CommandContinue)
                setButtonHeld(xplm_joy_start_0 + action->value, phase == xplm_CommandBegin);
            break;
        case Effect::TogglePause:
            if (phase == xplm_CommandBegin) setPaused(!paused());
            break;
    }
}

// One handler group, newest first; false when a handler stopped the command.
bool runHandlers(size_t index, XPLMCommandPhase phase, bool before) {
    // A copy: handlers may register and unregister others while they run.
    const std::vector<Handler> handlers = table[index].handlers;
    for (auto it = handlers.rbegin(); it != handlers.rend(); ++it) {
        if (it->before != before || !pluginEnabled(it->owner)) continue;
        const std::vector<Handler>& now = table[index].handlers;
        const bool stillThere = std::any_of(now.begin(), now.end(), [&](const Handler& h) {
            return h.callback == it->callback && h.before == before && h.refcon == it->refcon;
        });
        if (!stillThere) continue;
        int carryOn = 1;
        callPlugin(it->owner, "a command handler",
                   [&] { carryOn = it->callback(handleOf(index), phase, it->refcon); });
        if (carryOn == 0) return false;
    }
    return true;
}

void run(XPLMCommandRef handle, XPLMCommandPhase phase) {
    Command* command = lookup(handle);
    if (command == nullptr) return;
    // A handler that runs its own command again would never return.
    if (command->running) {
        logLine("E/STANDIN: " + command->info.name +
                " was run again from one of its own handlers; ignored");
        return;
    }
    const size_t index = static_cast<size_t>(command - table.data());
    command->running = true;
    if (phase == xplm_CommandBegin) ++command->info.begins;
    if (runHandlers(index, phase, true)) {
        simulatorAction(table[index], phase);
        runHandlers(index, phase, false);
    }
    table[index].running = false;
}

void begin(XPLMCommandRef handle) {
    Command* command = lookup(handle);
    if (command == nullptr) return;
    ++command->info.held;
    run(handle, xplm_CommandBegin);
}

// An end without its begin is ignored, as nothing is held.
void end(XPLMCommandRef handle) {
    Command* command = lookup(handle);
    if (command == nullptr || command->info.held == 0) return;
    --command->info.held;
    run(handle, xplm_CommandEnd);
}

XPLMCommandRef find(const std::string& name) {
    Command* command = lookup(name);
    if (command == nullptr && isSimulatorName(name)) command = addCommand(name, "");
    return command == nullptr ? nullptr : handleOf(static_cast<size_t>(command - table.data()));
}

}  // namespace

void resetCommands() { table.clear(); }

void forgetPluginCommands(XPLMPluginID id) {
    for (Command& command : table) {
        auto& handlers = command.handlers;
        handlers.erase(std::remove_if(handlers.begin(), handlers.end(),
                                      [&](const Handler& h) { return h.owner == id; }),
                       handlers.end());
    }
}

void runHeldCommands() {
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].info.held > 0) run(handleOf(i), xplm_CommandContinue);
}

}  // namespace standin::detail

using namespace standin::detail;

namespace standin {

std::vector<CommandInfo> commands() {
    std::vector<CommandInfo> infos;
    for (const Command& command : table) infos.push_back(command.info);
    return infos;
}

bool commandOnce(const std::string& name) {
    const XPLMCommandRef handle = find(name);
    begin(handle);
    end(handle);
    return handle != nullptr;
}

bool commandBegin(const std::string& name) {
    const XPLMCommandRef handle = find(name);
    begin(handle);
    return handle != nullptr;
}

bool commandEnd(const std::string& name) {
    Command* command = lookup(name);
    if (command == nullptr || command->info.held == 0) return false;
    end(find(name));
    return true;
}

}  // namespace standin

extern "C" {

XPLMCommandRef XPLMFindCommand(const char* name) {
    SdkCall call(SdkFunction::XPLMFindCommand, name);
    const XPLMCommandRef command = name == nullptr ? nullptr : find(name);
    call.results(loggedName(command));
    return command;
}

XPLMCommandRef XPLMCreateCommand(const char* name, const char* description) {
    SdkCall call(SdkFunction::XPLMCreateCommand, name, description);
    if (name == nullptr || name[0] == '\0') return nullptr;
    if (XPLMCommandRef existing = find(name)) return existing;
    addCommand(name, description == nullptr ? "" : description);
    return handleOf(table.size() - 1);
}

void XPLMCommandBegin(XPLMCommandRef command) {
    SdkCall call(SdkFunction::XPLMCommandBegin, loggedName(command));
    begin(command);
}

void XPLMCommandEnd(XPLMCommandRef command) {
    SdkCall call(SdkFunction::XPLMCommandEnd, loggedName(command));
    end(command);
}

void XPLMCommandOnce(XPLMCommandRef command) {
    SdkCall call(SdkFunction::XPLMCommandOnce, loggedName(command));
    begin(command);
    end(command);
}

// A handler is registered once for each (function, before, refcon).
void XPLMRegisterCommandHandler(XPLMCommandRef handle, XPLMCommandCallback_f handler,
                                int before, void* refcon) {
    SdkCall call(SdkFunction::XPLMRegisterCommandHandler, loggedName(handle), before);
    Command* command = lookup(handle);
    if (command == nullptr || handler == nullptr) return;
    for (const Handler& h : command->handlers)
        if (h.callback == handler && h.before == (before != 0) && h.refcon == refcon) return;
    command->handlers.push_back({handler, before != 0, refcon, currentPlugin()});
}

void XPLMUnregisterCommandHandler(XPLMCommandRef handle, XPLMCommandCallback_f handler,
                                  int before, void* refcon) {
    SdkCall call(SdkFunction::XPLMUnregisterCommandHandler, loggedName(handle), before);
    Command* command = lookup(handle);
    if (command == nullptr) return;
    auto& handlers = command->handlers;
    handlers.erase(std::remove_if(handlers.begin(), handlers.end(),
                                  [&](const Handler& h) {
                                      return h.callback == handler &&
                                             h.before == (before != 0) && h.refcon == refcon;
                                  }),
                   handlers.end());
}

}  // extern "C"
