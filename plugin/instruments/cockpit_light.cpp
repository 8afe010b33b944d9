#include "instruments/cockpit_light.h"

#include "XPLMDataAccess.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "systems/electrical.h"

namespace quil {
namespace {

// The cockpit light as last tinted.
float cockpitLight[3] = {1.0f, 1.0f, 1.0f};

}  // namespace

void UpdateCockpitLight() {
    if (!pluginActive) return;
    const float b = ClampFinite(XPLMGetDataf(sim.cockpitLightB), 0.0f, 1.0f);
    float r = b, g = b;
    if (batteryOn()) {
        r = 0.8f * b + 0.2f;
        g = 0.87f * b + 0.13f;
    }
    cockpitLight[0] = r;
    cockpitLight[1] = g;
    cockpitLight[2] = b;
    XPLMSetDataf(sim.cockpitLightR, r);
    XPLMSetDataf(sim.cockpitLightG, g);
    XPLMSetDataf(sim.cockpitLightB, b);
}

const float* CockpitLightColour() { return cockpitLight; }

}  // namespace quil
