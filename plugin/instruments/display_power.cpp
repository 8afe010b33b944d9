#include "instruments/display_power.h"

#include <algorithm>
#include <cmath>

#include "XPLMDataAccess.h"
#include "render/colours.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"

namespace quil {

float InstrumentBrightness() {
    const float brightness = snapshot.instrumentBrightness;
    return std::isfinite(brightness) ? brightness : 1.0f;
}

// The brightness last handed on; below any the simulator gives.
float followedBrightness = -1.0f;

void FollowInstrumentBrightness() {
    const float brightness = XPLMGetDataf(sim.instrumentBrightness);
    snapshot.instrumentBrightness = brightness;
    if (!std::isfinite(brightness) || brightness == followedBrightness) return;
    followedBrightness = brightness;
    SetPanelBrightness(brightness);
}

bool StepDisplayLevel(DisplayLevel& display, const DisplayUnit& unit, bool powered, float now) {
    if (!std::isfinite(now)) return powered;
    // A clock that went back or stood still moves nothing.
    const float dt = display.updated ? std::max(0.0f, now - display.lastUpdate) : 0.0f;
    display.lastUpdate = now;
    display.updated = true;
    if (!powered) {
        display.level = std::max(0.0f, display.level - dt / unit.fallSeconds);
        return false;
    }
    display.level = std::max(display.level, unit.startLevel) + dt / unit.riseSeconds;
    display.level = std::min(display.level, InstrumentBrightness());
    SetPanelBrightness(display.level);
    return true;
}

}  // namespace quil
