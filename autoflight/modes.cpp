#include "autoflight/modes.h"

#include <cmath>

#include "XPLMDataAccess.h"
#include "autoflight/lateral.h"
#include "host/sim_binding.h"
#include "host/snapshot.h"

namespace quil {
namespace {

constexpr int kDegreesPerTurn = 360;
constexpr float kMinSpeedKnots = 100.0f;
constexpr float kMinSpeedMach = 0.25f;

int wrapDegrees(long degrees) {
    const long wrapped = degrees % kDegreesPerTurn;
    return static_cast<int>(wrapped < 0 ? wrapped + kDegreesPerTurn : wrapped);
}

// The knob works on the whole-degree heading; a non-finite one starts over
// from north rather than spreading to the simulator.
int wholeMcpHeading() {
    const float heading = snapshot.mcpHeading;
    if (!std::isfinite(heading)) return 0;
    return wrapDegrees(static_cast<long>(std::fmod(heading, 360.0f)));
}

void turnMcpHeading(int degrees) {
    snapshot.mcpHeading = static_cast<float>(wrapDegrees(wholeMcpHeading() + degrees));
    XPLMSetDataf(sim.apHeading, snapshot.mcpHeading);
    ShiftHeadingTarget(static_cast<float>(degrees));
}

}  // namespace

void InitAutoflightConstants() {}
void AfdsReset() {}
void AutoflightStep() {}

void McpHdgUp(int n) { turnMcpHeading(n < 1 ? 1 : n); }
void McpHdgDown(int n) { turnMcpHeading(-(n < 1 ? 1 : n)); }

void SetMcpHdg(float heading) {
    const long whole = std::isfinite(heading) ? static_cast<long>(std::fmod(heading, 360.0f)) : 0;
    snapshot.mcpHeading = static_cast<float>(wrapDegrees(whole));
    XPLMSetDataf(sim.apHeading, snapshot.mcpHeading);
    SetHeadingTarget(snapshot.mcpHeading);
}

bool ClampMcpSpeed(float& speed) {
    const bool mach = snapshot.apSpeedIsMach != 0;
    const float lowest = mach ? kMinSpeedMach : kMinSpeedKnots;
    const float highest = mach ? snapshot.mmo : snapshot.vno;
    float clamped = speed;
    if (!std::isfinite(clamped) || clamped < lowest) {
        clamped = lowest;
    } else if (clamped > highest) {
        clamped = highest;
    }
    const bool changed = clamped != speed;
    speed = clamped;
    return changed;
}

}  // namespace quil
