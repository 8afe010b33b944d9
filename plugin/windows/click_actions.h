// Click actions shared by the panel's click spots, the popup windows'
// zones and the commands: each is called with the mouse point, the host's
// mouse status and the record's argument, and acts on the press; and the
// operations they take.
#pragma once

#include "XPLMDisplay.h"
#include "autoflight/modes.h"

namespace quil {

// What a click, or a command standing for one, does to a control: it gets
// the mouse point, the host's mouse status and the record's argument.
using ClickAction = void (*)(int x, int y, int status, int argument);

inline bool isPress(int status) { return status == xplm_MouseDown; }

template <void (*Operation)()>
void onPress(int, int, int status, int) {
    if (isPress(status)) Operation();
}

// The record's argument (an engine, a side, a pump) goes to the operation.
template <void (*Operation)(int)>
void onPressWithArgument(int, int, int status, int argument) {
    if (isPress(status)) Operation(argument);
}

template <void (*SetSwitch)(int side, int position), int position>
void sideSwitch(int, int, int status, int side) {
    if (isPress(status)) SetSwitch(side, position);
}

// A two-position switch of the record's argument (a pump, a channel, an
// engine) set on or off.
template <void (*SetSwitch)(int which, bool on), bool on>
void onOffSwitch(int, int, int status, int which) {
    if (isPress(status)) SetSwitch(which, on);
}

// A model's one switch of its kind in the form of the numbered ones.
template <void (*SetSwitch)(bool on)>
void singleSwitch(int, bool on) {
    SetSwitch(on);
}

template <bool (*IsOn)()>
bool singleSwitchOn(int) {
    return IsOn();
}

// A numbered switch thrown to its other position.
template <bool (*IsOn)(int which), void (*SetSwitch)(int which, bool on)>
void toggleSwitch(int, int, int status, int which) {
    if (isPress(status)) SetSwitch(which, !IsOn(which));
}

// An MCP button: a toggle, or the one action a command asks for.
template <void (*Command)(McpAction), McpAction action = kMcpToggle>
void mcpButton(int, int, int status, int) {
    if (isPress(status)) Command(action);
}

// The panel's ALT HLD re-rounds the MCP altitude when it engages away from it.
void altHoldButton(int x, int y, int status, int argument);

// The MCP knobs and wheels step on the press and go on stepping while held,
// one step (or the record's count) at most every so often.
enum Wheel { kVsWheel, kAltitudeWheel, kSpeedWheel, kHeadingWheel, kWheelCount };

// everyPress: a press steps however soon after the last step, the repeat
// time holding back only the steps of a held knob.
bool WheelMayStep(Wheel wheel, int status, bool everyPress = false);

template <Wheel wheel, void (*Step)(int)>
void wheelAction(int, int, int status, int steps) {
    if (WheelMayStep(wheel, status)) Step(steps);
}

// A knob worked by a command: the detents of a rotary knob on an autopilot
// panel come as presses quicker than the wheel's repeat, and each is a step.
template <Wheel wheel, void (*Step)(int)>
void knobCommand(int, int, int status, int steps) {
    if (WheelMayStep(wheel, status, true)) Step(steps);
}

// Letting go of a spring-loaded switch, here or in the APU window, returns
// the external power, generator and APU generator switches to their centre.
void CentreSpringLoadedSwitches();

// The ground power request: toggles the unit when we manage it; when
// another plug-in does, asks it for the unit (parking brake set) or to take
// it away.
void RequestGroundPowerUnit();

}  // namespace quil
