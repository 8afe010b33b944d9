#include "systems/engine_quantities.h"

#include <cmath>

#include "sim/random.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/engines.h"

namespace quil {
namespace {


struct EngineQuantities {
    float oilQuantity[kEngines];
    float hydraulicQuantity[kEngines];
    float hydraulicPressure[kEngines];
    bool initialised;
    float lastUpdate;
};

EngineQuantities quantities;

// Each engine starts a little off nominal, drawn once per plug-in load.
void initialise(int engines, float now) {
    SeedRandom(static_cast<unsigned>(TruncToInt(now)) & 0xffffu);
    quantities.lastUpdate = now;
    for (int e = 0; e < engines; ++e) quantities.hydraulicQuantity[e] = 94.0f + 4.8f * (RandomUnit() - 0.5f);
    for (int e = 0; e < engines; ++e) quantities.oilQuantity[e] = 96.0f + 3.7f * (RandomUnit() - 0.5f);
    quantities.initialised = true;
}

bool valid(int engine) { return engine >= 0 && engine < kEngines; }

}  // namespace

void UpdateEngineQuantities(int engines) {
    if (engines > kEngines) engines = kEngines;
    const float now = std::isfinite(snapshot.now) ? snapshot.now : quantities.lastUpdate;
    if (!quantities.initialised) initialise(engines, now);
    // Time that runs backwards or stands still consumes nothing.
    const float dt = now > quantities.lastUpdate ? now - quantities.lastUpdate : 0.0f;
    for (int e = 0; e < engines; ++e) {
        const float n2 = N2(e);
        quantities.oilQuantity[e] -= n2 * 0.000027f * dt;
        quantities.hydraulicQuantity[e] -= 0.00027f * dt;
        quantities.hydraulicPressure[e] = n2 < 55.0f ? n2 / 15.0f : n2 * 0.02222222221f + 2.4444444444f;
    }
    quantities.lastUpdate = now;
}

float EngineOilQuantity(int engine) { return valid(engine) ? quantities.oilQuantity[engine] : 0.0f; }
float EngineHydraulicQuantity(int engine) { return valid(engine) ? quantities.hydraulicQuantity[engine] : 0.0f; }
float EngineHydraulicPressure(int engine) { return valid(engine) ? quantities.hydraulicPressure[engine] : 0.0f; }

}  // namespace quil
