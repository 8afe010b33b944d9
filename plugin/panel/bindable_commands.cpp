#include "panel/bindable_commands.h"

#include "XPLMUtilities.h"
#include "windows/popup_window.h"

namespace quil {
namespace {

constexpr int kBefore = 1;
constexpr int kCarryOn = 1;
constexpr int kStop = 0;

struct Registration {
    XPLMCommandRef ours[kMaxCommands] = {};
    XPLMCommandRef simulators[kMaxCommands] = {};
    bool registered = false;
};

Registration registration;

int mouseStatusOf(XPLMCommandPhase phase) {
    switch (phase) {
        case xplm_CommandBegin:
            return xplm_MouseDown;
        case xplm_CommandContinue:
            return xplm_MouseDrag;
        default:
            return xplm_MouseUp;
    }
}

void work(const CommandRow& row, XPLMCommandPhase phase) {
    const int status = mouseStatusOf(phase);
    if (row.window != nullptr) {
        PressControl(*row.window, row.part, status);
    } else {
        row.action(0, 0, status, row.argument);
    }
}

// Others may still watch our commands after us.
int ourCommand(XPLMCommandRef, XPLMCommandPhase phase, void* row) {
    work(*static_cast<const CommandRow*>(row), phase);
    return kCarryOn;
}

// The simulator's own autopilot is overridden: its command would only
// change modes nobody flies.
int simulatorCommand(XPLMCommandRef, XPLMCommandPhase phase, void* row) {
    work(*static_cast<const CommandRow*>(row), phase);
    return kStop;
}

void* refconOf(const CommandRow& row) { return const_cast<CommandRow*>(&row); }

}  // namespace

void RegisterCommands() {
    if (registration.registered) return;
    const CommandTable table = Commands();
    for (int i = 0; i < table.count; ++i) {
        const CommandRow& row = table.rows[i];
        registration.ours[i] = XPLMCreateCommand(row.name, row.description);
        XPLMRegisterCommandHandler(registration.ours[i], ourCommand, kBefore, refconOf(row));
        if (row.simulator == nullptr) continue;
        registration.simulators[i] = XPLMFindCommand(row.simulator);
        XPLMRegisterCommandHandler(registration.simulators[i], simulatorCommand, kBefore,
                                   refconOf(row));
    }
    registration.registered = true;
}

void UnregisterCommands() {
    if (!registration.registered) return;
    const CommandTable table = Commands();
    for (int i = 0; i < table.count; ++i) {
        const CommandRow& row = table.rows[i];
        XPLMUnregisterCommandHandler(registration.ours[i], ourCommand, kBefore, refconOf(row));
        if (registration.simulators[i] != nullptr) {
            XPLMUnregisterCommandHandler(registration.simulators[i], simulatorCommand, kBefore,
                                         refconOf(row));
        }
    }
    registration.registered = false;
}

}  // namespace quil
