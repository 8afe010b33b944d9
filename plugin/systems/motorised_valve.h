// A motor-driven valve: it travels between closed and open in its transit
// time while its motor has power, and stays where it is without. The fuel
// system's crossfeed, engine and spar valves and the wing anti-ice valves
// are all of this kind.
#pragma once

#include <cstdint>

namespace quil {

// What a valve reports: closed, somewhere between, or open. A command is
// one of the two ends.
constexpr std::uint8_t kValveClosed = 0;
constexpr std::uint8_t kValveInTransit = 1;
constexpr std::uint8_t kValveOpen = 2;

using ValvePowered = bool (*)();

struct MotorisedValve {
    float transitSeconds;  // closed to open; 0 or less moves at once
    int id;
    std::uint8_t commanded;  // kValveClosed or kValveOpen
    ValvePowered powered;
    float lastTime;  // -1 until the first step
    float position;  // 0 closed .. 1 open
};

// A closed valve, commanded closed, not yet stepped.
MotorisedValve MakeMotorisedValve(float transitSeconds, int id, ValvePowered powered);
// Commands the valve open or closed; true when that changed the command.
bool CommandValve(MotorisedValve& valve, bool open);
// Moves the valve for the time since its last step.
void StepValve(MotorisedValve& valve, float now);
// kValveClosed, kValveInTransit or kValveOpen.
std::uint8_t ValveState(const MotorisedValve& valve);

}  // namespace quil
