// Click actions shared by the panel's click spots and the popup windows'
// zones: each is called with the mouse point, the host's mouse status and
// the record's argument, and acts on the press; and the operations both
// take.
#pragma once

#include "XPLMDisplay.h"

namespace quil {

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

// Letting go of a spring-loaded switch, here or in the APU window, returns
// the external power, generator and APU generator switches to their centre.
void CentreSpringLoadedSwitches();

// The ground power request: toggles the unit when we manage it; when
// another plug-in does, asks it for the unit (parking brake set) or to take
// it away.
void RequestGroundPowerUnit();

}  // namespace quil
