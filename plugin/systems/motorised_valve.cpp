#include "systems/motorised_valve.h"

#include <algorithm>
#include <cmath>

namespace quil {

MotorisedValve MakeMotorisedValve(float transitSeconds, int id, ValvePowered powered) {
    return {transitSeconds, id, kValveClosed, powered, -1.0f, 0.0f};
}

bool CommandValve(MotorisedValve& valve, bool open) {
    const std::uint8_t command = open ? kValveOpen : kValveClosed;
    if (valve.commanded == command) return false;
    valve.commanded = command;
    return true;
}

void StepValve(MotorisedValve& valve, float now) {
    if (!std::isfinite(now)) return;
    const float dt = now - valve.lastTime;
    const bool moving = valve.lastTime > 0.0f && dt > 0.0f;
    valve.lastTime = now;
    if (!moving) return;
    const bool open = valve.commanded == kValveOpen;
    const bool powered = valve.powered != nullptr && valve.powered();
    if (valve.transitSeconds <= 0.0f) {
        // A valve without travel time sits at its commanded end when it can
        // get there, and closed when it cannot.
        valve.position = open && powered ? 1.0f : 0.0f;
        return;
    }
    if (!powered) return;
    const float travel = dt / valve.transitSeconds;
    valve.position =
        open ? std::min(1.0f, valve.position + travel) : std::max(0.0f, valve.position - travel);
}

std::uint8_t ValveState(const MotorisedValve& valve) {
    if (valve.position <= 0.0f) return kValveClosed;
    if (valve.position >= 1.0f) return kValveOpen;
    return kValveInTransit;
}

}  // namespace quil
