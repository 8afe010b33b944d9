// The plug-in's commands, one for each control a pilot works, which the
// simulator lets users bind to keys, joystick buttons and panels; and the
// simulator's own autopilot commands, taken over while the aircraft is
// served so that autopilot panels work our MCP.
#pragma once

#include "windows/click_actions.h"
#include "windows/window_layout.h"

namespace quil {

struct PopupWindow;

// A command works its control as the mouse would: pressed when it begins,
// held (dragged) while it continues and let go when it ends, so a button
// acts once per press, a knob held down goes on stepping as a wheel held
// down does, and a spring-loaded switch returns when the command ends.
struct CommandRow {
    const char* name;         // ours, "quil/..."
    const char* description;  // what the simulator's key and joystick settings show
    const char* simulator;    // the simulator's command taken over for it, or none
    // The control: a panel or MCP control's click action with its argument,
    // or a popup window's control, pressed where its click zone lies.
    ClickAction action;
    int argument;
    PopupWindow* window;
    WindowBox part;
};

constexpr int kMaxCommands = 192;

struct CommandTable {
    const CommandRow* rows;
    int count;
};

CommandTable Commands();

// Makes the commands (the first time) and takes them, with the simulator's
// commands of the table, while the aircraft is served; lets them all go
// otherwise. The simulator has no way to remove a command once made: ours
// stay, doing nothing, and the simulator's go back to the simulator.
void RegisterCommands();
void UnregisterCommands();

}  // namespace quil
