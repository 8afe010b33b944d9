// The anti-ice model's initialisation and step, the engine anti-ice valves,
// and the simulator's anti-ice switches that follow the model.
#include "systems/anti_ice.h"

#include <algorithm>
#include <cmath>

#include "XPLMDataAccess.h"
#include "sim/random.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "systems/anti_ice_model.h"
#include "systems/electrical.h"
#include "systems/engines.h"

namespace quil {

AntiIceModel antiIce = {};

namespace {

constexpr float kNoTransition = -1.0f;
constexpr float kTakeoffThrottle = 0.72f;          // above it the thrust is take-off thrust
constexpr float kTakeoffInhibitFloor = 3.0f;       // ft radio altitude
constexpr float kTakeoffInhibitCeiling = 800.0f;   // ft radio altitude
// Longest interval the heat exchange integrates over at once: beyond it a
// pause or a jump of the clock would throw the temperatures past their
// targets.
constexpr float kLongestThermalStep = 1.0f;  // s
constexpr int kAoaLamp = 2;                  // side 1's third probe lamp

void initialise() {
    InitialiseWindowHeat();
    InitialiseWingAntiIce();
    antiIce.initialised = 1;
}

// Wing anti-ice goes off when take-off thrust is set close to the ground.
void inhibitForTakeoff() {
    float throttle[kAntiIceEngines] = {};
    XPLMGetDatavf(sim.throttle, throttle, 0, kAntiIceEngines);
    const bool takeoffThrust = throttle[0] > kTakeoffThrottle || throttle[1] > kTakeoffThrottle;
    const bool takeoffLimit = ThrustLimitMode() <= kThrustLimitTakeoffReduced;
    const bool nearGround = snapshot.radioAltitude > kTakeoffInhibitFloor &&
                            snapshot.radioAltitude < kTakeoffInhibitCeiling;
    if (takeoffLimit && nearGround && takeoffThrust) SetWingAntiIceSwitch(false);
}

void completeEngineTransitions(float now) {
    for (EngineAntiIce& e : antiIce.engine) {
        if (e.due <= 0.0f || now <= e.due) continue;
        if (e.valve == kValveClosed && e.switchOn) {
            e.valve = kValveOpen;
        } else if (e.valve == kValveOpen && !e.switchOn) {
            e.valve = kValveClosed;
        }
        e.due = kNoTransition;
    }
}

void writeSimulatorSwitches(bool windowHeat) {
    const auto& lamps = antiIce.probeLamps;
    XPLMSetDatai(sim.windowHeat, windowHeat ? 1 : 0);
    XPLMSetDatai(sim.pitotHeat, lamps[0][0]);
    XPLMSetDatai(sim.pitotHeat2, lamps[1][0]);
    XPLMSetDatai(sim.aoaHeat, lamps[0][kAoaLamp]);
    XPLMSetDatai(sim.wingHeat, WingSurfaceHeated() ? 1 : 0);
    const bool inlets =
        antiIce.engine[0].valve == kValveOpen && antiIce.engine[1].valve == kValveOpen;
    XPLMSetDatai(sim.inletHeat, inlets ? 1 : 0);
}

}  // namespace

void StepAntiIce() {
    const float now = snapshot.now;
    if (!std::isfinite(now)) return;
    if (!antiIce.initialised) initialise();
    inhibitForTakeoff();
    const float dt = now - antiIce.lastTime;
    bool windowHeat = true;
    if (dt > 0.0f) {
        const float thermalDt = std::min(dt, kLongestThermalStep);
        windowHeat = StepWindowHeat(thermalDt);
        StepProbeHeat();
        StepWingAntiIce(now, thermalDt);
        completeEngineTransitions(now);
    }
    antiIce.lastTime = now;
    writeSimulatorSwitches(windowHeat);
}

bool AntiIceValvesPowered() { return transferBusPowered(0) || standbyPowerPowered(); }

void ClearAntiIceInitialised() { antiIce.initialised = 0; }

unsigned char EngineAntiIceState(int engine) {
    if (!onPanel<kAntiIceEngines>(engine)) return kValveClosed;
    const EngineAntiIce& e = antiIce.engine[engine];
    return e.due > 0.0f ? kValveInTransit : e.valve;
}

void SetEngineAntiIceSwitch(int engine, bool on) {
    if (!onPanel<kAntiIceEngines>(engine)) return;
    EngineAntiIce& e = antiIce.engine[engine];
    if (e.switchOn == on) return;
    e.switchOn = on;
    const bool moves = on ? e.valve == kValveClosed : e.valve == kValveOpen;
    if (moves && AntiIceValvesPowered()) {
        e.due = snapshot.now + kAntiIceValveTransit + kAntiIceValveTransitSpread * RandomUnit();
    }
}
bool EngineAntiIceSwitch(int engine) {
    return onPanel<kAntiIceEngines>(engine) && antiIce.engine[engine].switchOn;
}

}  // namespace quil
