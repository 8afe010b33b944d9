#include "systems/apu.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "XPLMDataAccess.h"
#include "XPLMUtilities.h"
#include "control/controllers.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/air_ground.h"
#include "systems/electrical.h"
#include "systems/engines.h"

namespace quil {
namespace {

constexpr float kZeroForEachEngine[kEngines] = {0.0f, 0.0f};

// ---- APU ---------------------------------------------------------------------

constexpr float kDoorTravelSeconds = 20.0f;  // shut to open, and back
constexpr float kStartWindowSeconds = 90.0f;
constexpr float kNoDeadline = -1.0f;
constexpr float kDoorOpeningStarterAmps = 5.97f;

// Spool-up: each step N1 gains (drive - run-down) x dt / 40, where the
// starter gives 120, fuel 1.25 per unit of flow, and the run-down is half
// the N1 (the generator-load share of it is not modelled).
constexpr float kSpoolSeconds = 40.0f;
constexpr float kStarterDrive = 120.0f;
constexpr float kDrivePerFuelFlow = 1.25f;
constexpr float kRunDownPerN1 = 0.5f;
constexpr float kLightOffN1 = 55.0f;       // percent: fuel from here
constexpr float kStartCompleteN1 = 65.0f;  // percent
constexpr float kRunningMinN1 = 40.0f;     // percent: below, the APU has stopped running

constexpr float kStarterBaseAmps = 387.7f;
constexpr float kStarterAmpsPerN1 = 2.13f;
constexpr float kStarterAmpsPerFuelFlow = 0.68f;

// Exhaust temperature lags towards the outside air while cold, and towards
// a temperature set by the fuel flow once lit.
constexpr float kEgtColdLagSeconds = 30.0f;
constexpr float kEgtLagSeconds = 2.0f;
constexpr float kEgtBaseC = 268.0f;
constexpr float kEgtPerFuelFlow = 360.0f;
constexpr float kEgtStartingN1Offset = 100.0f;
constexpr float kEgtRunningN1Offset = 45.0f;

constexpr float kOilLagSeconds = 3.0f;
constexpr float kOilFullN1 = 95.0f;  // percent: above, the pressure value is N1
constexpr float kOilMinN1 = 8.3f;    // percent: below, no pressure
constexpr float kOilPerN1 = 1.09573f;

constexpr float kHertzPerN1 = 4.0f;
constexpr float kGovernedVoltsN1 = 95.0f;  // percent: above, the voltage follows N1
constexpr float kVoltsPerN1 = 1.18f;
constexpr float kVoltageRampN1 = 85.0f;  // percent: below, no voltage
constexpr float kRampVoltsPerN1 = 11.8f;

constexpr float kGovernedN1 = 100.0f;  // percent
// gain, rateWeight, integralWeight, fullRangeTime, filterTime, leakTime,
// outMin, outMax, schedule; running state lastTime 3, lastFiltered 0 and
// firstCall 0: the governor's first step runs from time 3 without
// initialising.
constexpr FilteredController kGovernor = {
    -8.0f, 4.0f, 0.0f, 1.0f, 0.5f, 0.0f, 0.0f, 200.0f, nullptr,  // tuning
    3.0f,  0.0f, 0.0f, 0.0f, 0.0f, 0,                            // running state
};

constexpr float kFuelDemandPerFuelFlow = 0.00071028f;
constexpr float kBleedDoorOpen = 0.9f;
constexpr float kBleedMinN1 = 55.0f;  // percent
constexpr float kApuLowOilPressure = 35.0f;
constexpr float kOverspeedN1 = 106.0f;  // percent

// bleed_air_mode from the engines' N1 (percent).
constexpr float kEngineBleedN1 = 15.0f;
constexpr float kRightOnlyBleedN1 = 25.0f;
constexpr int kBleedOff = 0;
constexpr int kBleedLeft = 1;
constexpr int kBleedBoth = 2;
constexpr int kBleedRight = 3;
constexpr int kBleedApu = 4;

// A longer frame (a hitch, a time jump) counts as this long, so that N1
// cannot leap past its limits in one step.
constexpr float kLongestApuStepSeconds = 1.0f;

// ---- Engine start ------------------------------------------------------------

constexpr float kShownPositionHoldSeconds = 0.25f;
constexpr float kStarterCutOutN2 = 56.0f;      // percent
constexpr int kFirstStarterButton = 2;         // the simulator's starter button of engine 0
constexpr float kIgnitionStartLever = 0.66f;   // start lever above this: fuel on

// Igniter current while on: base + per-engine x engine index.
struct IgniterRule {
    float baseAmps, ampsPerEngine;
};
constexpr IgniterRule kLeftIgniter = {4.6f, -0.34f};
constexpr IgniterRule kRightIgniter = {4.3f, 0.24f};

// ---- Records -----------------------------------------------------------------

struct Apu;
// The state's step with the running time and the frame's interval.
using ApuState = void (*)(Apu& apu, float now, float dt);
void apuInitialise(Apu& apu, float now, float dt);

struct Apu {
    std::uint8_t switchPosition = kApuSwitchOff;
    std::uint8_t phase = kApuPhaseOff;
    float n1 = 0.0f;
    float egt = 0.0f;
    float door = 0.0f;
    float fuelFlow = 0.0f;
    float oilPressure = 0.0f;
    float starterCurrent = 0.0f;
    float startDeadline = kNoDeadline;
    ApuState state = apuInitialise;
    FilteredController governor = kGovernor;
    float previousTime = -1.0f;
};

struct EngineStart {
    std::uint8_t position = kStartSwitchOff;
    std::uint8_t shownPosition = kStartSwitchOff;
    float shownUntil = 0.0f;  // the shown position may differ from the switch until then
    bool starterActive = false;
    float lastStarterDuration = 0.0f;
    float startLever = 0.0f;  // 0 cut-off
    float leftIgniterAmps = 0.0f;
    float rightIgniterAmps = 0.0f;
    bool ignition = false;  // either igniter on
};

// The simulator's datarefs this model alone uses.
struct Handles {
    XPLMDataRef apuSwitch = nullptr;
    XPLMDataRef apuRunning = nullptr;
    XPLMDataRef apuN1 = nullptr;
    XPLMDataRef bleedAirMode = nullptr;
    XPLMDataRef starterDuration = nullptr;
    XPLMDataRef mixture = nullptr;
    bool bound = false;
};

struct Model {
    Apu apu;
    EngineStart engines[kEngines];
    std::uint8_t ignitionSelector = kIgnitionBoth;
    float previousStartTime = -1.0f;
    Handles handles;
};

Model model;

bool validEngine(int engine) { return engine >= 0 && engine < kEngines; }

const Handles& handles() {
    Handles& h = model.handles;
    if (!h.bound) {
        h.apuSwitch = XPLMFindDataRef("sim/cockpit/engine/APU_switch");
        h.apuRunning = XPLMFindDataRef("sim/cockpit/engine/APU_running");
        h.apuN1 = XPLMFindDataRef("sim/cockpit/engine/APU_N1");
        h.bleedAirMode = XPLMFindDataRef("sim/cockpit/pressure/bleed_air_mode");
        h.starterDuration = XPLMFindDataRef("sim/cockpit/engine/starter_duration");
        h.mixture = XPLMFindDataRef("sim/flightmodel/engine/ENGN_mixt");
        h.bound = true;
    }
    return h;
}

// Both engines' elements, a value the simulator cannot give read as `fallback`.
void readEngines(XPLMDataRef ref, float (&values)[kEngines], const float (&fallback)[kEngines]) {
    float read[kEngines] = {};
    XPLMGetDatavf(ref, read, 0, kEngines);
    for (int engine = 0; engine < kEngines; ++engine) {
        values[engine] = std::isfinite(read[engine]) ? read[engine] : fallback[engine];
    }
}

// ---- APU states ----------------------------------------------------------------

void apuOff(Apu& apu, float now, float dt);
void apuDoorOpening(Apu& apu, float now, float dt);
void apuStarting(Apu& apu, float now, float dt);
void apuRunning(Apu& apu, float now, float dt);

float outsideAir() { return static_cast<float>(snapshot.oat); }

// One step of a first-order lag.
float lagTowards(float value, float target, float dt, float lagSeconds) {
    return (value * lagSeconds + target * dt) / (dt + lagSeconds);
}

void spool(Apu& apu, float drive, float dt) {
    apu.n1 = std::max(0.0f, apu.n1 + (drive - apu.n1 * kRunDownPerN1) * dt / kSpoolSeconds);
}

void governFuelFlow(Apu& apu, float now) {
    StepFiltered(apu.governor, now, 1, kGovernedN1, apu.n1, apu.fuelFlow);
}

void stop(Apu& apu) {
    apu.phase = kApuPhaseOff;
    apu.state = apuOff;
}

void apuInitialise(Apu& apu, float, float) {
    apu.startDeadline = 0.0f;
    apu.egt = outsideAir();
    apu.switchPosition = kApuSwitchOff;
    stop(apu);
}

// A lit APU keeps burning until its inlet door has shut; one that never lit
// (a start abandoned or timed out before light-off) just runs down.
void apuOff(Apu& apu, float now, float dt) {
    apu.door = std::max(0.0f, apu.door - dt / kDoorTravelSeconds);
    if (apu.door > 0.0f && apu.fuelFlow > 0.0f) {
        apuRunning(apu, now, dt);
        return;
    }
    spool(apu, 0.0f, dt);
    apu.egt = lagTowards(apu.egt, outsideAir(), dt, kEgtColdLagSeconds);
    apu.fuelFlow = 0.0f;
    apu.starterCurrent = 0.0f;
}

void apuDoorOpening(Apu& apu, float now, float dt) {
    apu.door = std::min(1.0f, apu.door + dt / kDoorTravelSeconds);
    if (apu.door >= 1.0f) {
        apu.phase = kApuPhaseStarting;
        apu.state = apuStarting;
    }
    apu.starterCurrent = kDoorOpeningStarterAmps;
    if (now > apu.startDeadline) stop(apu);
    apu.egt = lagTowards(apu.egt, outsideAir(), dt, kEgtColdLagSeconds);
}

void apuStarting(Apu& apu, float now, float dt) {
    if (!(now < apu.startDeadline)) {
        apu.startDeadline = kNoDeadline;
        stop(apu);
        return;
    }
    if (apu.n1 < kLightOffN1) {
        apu.fuelFlow = 0.0f;
        spool(apu, kStarterDrive, dt);
        apu.egt = lagTowards(apu.egt, outsideAir(), dt, kEgtLagSeconds);
    } else if (apu.n1 < kStartCompleteN1) {
        governFuelFlow(apu, now);
        spool(apu, apu.fuelFlow * kDrivePerFuelFlow + kStarterDrive, dt);
        const float flame = apu.fuelFlow * kEgtPerFuelFlow / (apu.n1 + kEgtStartingN1Offset);
        apu.egt = lagTowards(apu.egt, flame + kEgtBaseC, dt, kEgtLagSeconds);
    } else {
        apu.phase = kApuPhaseRunning;
        apu.state = apuRunning;
    }
    apu.starterCurrent =
        kStarterBaseAmps - apu.n1 * kStarterAmpsPerN1 - apu.fuelFlow * kStarterAmpsPerFuelFlow;
}

void apuRunning(Apu& apu, float now, float dt) {
    apu.starterCurrent = 0.0f;
    if (apu.n1 < kRunningMinN1) stop(apu);
    governFuelFlow(apu, now);
    spool(apu, apu.fuelFlow * kDrivePerFuelFlow, dt);
    const float flame = apu.fuelFlow * kEgtPerFuelFlow / (apu.n1 + kEgtRunningN1Offset);
    apu.egt = lagTowards(apu.egt, flame + kEgtBaseC, dt, kEgtLagSeconds);
}

// ---- APU step ------------------------------------------------------------------

// A pause gives no interval, a hitch at most the longest step. Time running
// backwards gives none either, and takes the start deadline back with it so
// that a start keeps the time it had left. Without an interval the step
// leaves everything as it is.
float apuInterval(Apu& apu, float now) {
    float dt = StepInterval(apu.previousTime, now);
    if (dt < 0.0f) {
        if (apu.startDeadline > 0.0f) apu.startDeadline += dt;
        dt = 0.0f;
    }
    return std::min(dt, kLongestApuStepSeconds);
}

float oilPressureTarget(float n1) {
    if (n1 > kOilFullN1) return n1;
    if (n1 < kOilMinN1) return 0.0f;
    return (n1 - kOilMinN1) * kOilPerN1;
}

int bleedAirMode() {
    const float left = snapshot.engineN1[0];
    const float right = snapshot.engineN1[1];
    if (left > kEngineBleedN1) return right > kEngineBleedN1 ? kBleedBoth : kBleedLeft;
    if (right > kRightOnlyBleedN1) return kBleedRight;
    return model.apu.phase == kApuPhaseRunning ? kBleedApu : kBleedOff;
}

// ---- Engine start ----------------------------------------------------------------

// The battery or transfer bus 1; TRU 3 fed from bus 1 needs that bus
// powered, so it adds nothing here.
bool starterPowerAvailable() { return batteryOn() || transferBusPowered(0); }

int starterButton(int engine) { return engine + kFirstStarterButton; }

void engageStarter(int engine) {
    if (starterPowerAvailable()) XPLMCommandButtonPress(starterButton(engine));
    model.engines[engine].position = kStartSwitchGround;
}

void releaseStarter(int engine) {
    if (!starterPowerAvailable()) return;
    XPLMCommandButtonRelease(starterButton(engine));
    model.engines[engine].position = kStartSwitchOff;
}

void holdShownPosition(EngineStart& start, float now) {
    if (std::isfinite(now)) start.shownUntil = now + kShownPositionHoldSeconds;
}

// The switch is held at GRD while the starter turns the engine, and lets go
// at cut-out speed.
void holdStarter(int engine, float n2, float now) {
    EngineStart& start = model.engines[engine];
    if (!(start.starterActive || start.position == kStartSwitchGround)) return;
    if (!starterPowerAvailable()) return;
    start.position = kStartSwitchGround;
    if (n2 < kStarterCutOutN2) return;
    releaseStarter(engine);
    holdShownPosition(start, now);
}

bool ignitionWanted(const EngineStart& start, float n2, bool airborne) {
    switch (start.position) {
        case kStartSwitchGround:
            return start.startLever > kIgnitionStartLever;
        case kStartSwitchOff:
            return airborne && n2 < kStarterCutOutN2;
        case kStartSwitchContinuous:
            return !airborne || n2 < kStarterCutOutN2;
        default:
            return true;
    }
}

float igniterAmps(const IgniterRule& rule, int engine, bool on) {
    return on ? rule.baseAmps + rule.ampsPerEngine * static_cast<float>(engine) : 0.0f;
}

void powerIgniters(int engine, float n2, bool airborne) {
    EngineStart& start = model.engines[engine];
    const bool wanted = ignitionWanted(start, n2, airborne);
    const bool left =
        wanted && transferBusPowered(engine) && model.ignitionSelector != kIgnitionRight;
    const bool right = wanted && acStandbyBusPowered() && model.ignitionSelector != kIgnitionLeft;
    start.leftIgniterAmps = igniterAmps(kLeftIgniter, engine, left);
    start.rightIgniterAmps = igniterAmps(kRightIgniter, engine, right);
    start.ignition = left || right;
    snapshot.igniterActive[engine] = start.ignition ? 1 : 0;
}

// Pending display times move with a clock that runs backwards.
void engineStartInterval(float now) {
    const float dt = now - model.previousStartTime;
    model.previousStartTime = now;
    if (dt >= 0.0f) return;
    for (EngineStart& start : model.engines) start.shownUntil += dt;
}

}  // namespace

// ---- Stepping and resets -----------------------------------------------------

void ApuUpdate() {
    ApuWriteBack();
    StepApu(snapshot.now);
}

void StepApu(float now) {
    if (!std::isfinite(now)) return;
    Apu& apu = model.apu;
    const float dt = apuInterval(apu, now);
    if (dt <= 0.0f) return;
    apu.state(apu, now, dt);
    apu.oilPressure = lagTowards(apu.oilPressure, oilPressureTarget(apu.n1), dt, kOilLagSeconds);
}

void ApuWriteBack() {
    const Handles& h = handles();
    if (h.apuSwitch == nullptr || h.bleedAirMode == nullptr) return;
    const int running = model.apu.fuelFlow > 0.0f ? 1 : 0;
    XPLMSetDatai(h.apuSwitch, running);
    XPLMSetDatai(h.apuRunning, running);
    XPLMSetDataf(h.apuN1, model.apu.n1);
    XPLMSetDatai(h.bleedAirMode, bleedAirMode());
}

void ResetApu() {
    Apu& apu = model.apu;
    apu.n1 = 0.0f;
    apu.egt = 0.0f;
    apu.door = 0.0f;
    apu.switchPosition = kApuSwitchOff;
    apu.phase = kApuPhaseOff;
    // A reset stops the APU whatever it was doing; before its first step it
    // still has to initialise.
    if (apu.state != apuInitialise) apu.state = apuOff;
    apu.fuelFlow = 0.0f;
    apu.starterCurrent = 0.0f;
    apu.startDeadline = kNoDeadline;
}

void EngineStartStep() { StepEngineStart(snapshot.now); }

void StepEngineStart(float now) {
    if (!std::isfinite(now)) return;
    engineStartInterval(now);
    const Handles& h = handles();
    float starterDuration[kEngines];
    float lastDuration[kEngines];
    for (int engine = 0; engine < kEngines; ++engine) {
        lastDuration[engine] = model.engines[engine].lastStarterDuration;
    }
    readEngines(h.starterDuration, starterDuration, lastDuration);
    float startLever[kEngines];
    readEngines(h.mixture, startLever, kZeroForEachEngine);
    float n2[kEngines];
    N2OfBothEngines(n2);
    const float gearForce = XPLMGetDataf(sim.gearNormalForce);
    const bool airborne = !(gearForce > kGearLoadOnGroundNewtons);

    for (int engine = 0; engine < kEngines; ++engine) {
        EngineStart& start = model.engines[engine];
        start.startLever = startLever[engine];
        start.starterActive = starterDuration[engine] > start.lastStarterDuration;
        start.lastStarterDuration = starterDuration[engine];
        holdStarter(engine, n2[engine], now);
        if (now > start.shownUntil) start.shownPosition = start.position;
        powerIgniters(engine, n2[engine], airborne);
    }
    // The simulator's igniters stay on; the computed ones are the loads.
    int ignitersOn[kEngines] = {1, 1};
    XPLMSetDatavi(sim.ignitersOn, ignitersOn, 0, kEngines);
}

void ReleaseStarter(int engine) {
    if (validEngine(engine) && model.engines[engine].position == kStartSwitchGround) {
        releaseStarter(engine);
    }
}

void RestartApuModel() { model = Model{}; }

// ---- APU ---------------------------------------------------------------------

void SetApuSwitch(int position) {
    Apu& apu = model.apu;
    switch (position) {
        case kApuSwitchOff:
            stop(apu);
            break;
        case kApuSwitchOn:
            apu.phase = kApuPhaseRunning;
            break;
        case kApuSwitchStart:
            if (!std::isfinite(snapshot.now)) return;
            apu.startDeadline = snapshot.now + kStartWindowSeconds;
            apu.phase = kApuPhaseDoorOpening;
            apu.state = apuDoorOpening;
            break;
        default:
            return;
    }
    apu.switchPosition = static_cast<std::uint8_t>(position);
}

int ApuSwitchPosition() { return model.apu.switchPosition; }
int ApuPhase() { return model.apu.phase; }
float ApuN1() { return model.apu.n1; }
float ApuEgt() { return model.apu.egt; }
float ApuInletDoor() { return model.apu.door; }
float ApuFuelFlow() { return model.apu.fuelFlow; }
float ApuOilPressure() { return model.apu.oilPressure; }
float ApuStarterCurrent() { return model.apu.starterCurrent; }
float ApuGeneratorFrequency() { return model.apu.n1 * kHertzPerN1; }

float ApuGeneratorVoltage() {
    const float n1 = model.apu.n1;
    if (n1 > kGovernedVoltsN1) return n1 * kVoltsPerN1;
    if (n1 < kVoltageRampN1) return 0.0f;
    return std::max(0.0f, (n1 - kVoltageRampN1) * kRampVoltsPerN1);
}

bool ApuGeneratorAvailable() { return ApuGeneratorFrequency() >= kGeneratorAvailableHz; }
float ApuFuelDemand() { return model.apu.fuelFlow * kFuelDemandPerFuelFlow; }

bool apuBleedAvailable() { return model.apu.door > kBleedDoorOpen && model.apu.n1 > kBleedMinN1; }

bool apuLowOilPressureLight() {
    return model.apu.switchPosition != kApuSwitchOff && model.apu.oilPressure <= kApuLowOilPressure;
}

bool apuOverspeedLight() {
    return model.apu.switchPosition != kApuSwitchOff && model.apu.n1 > kOverspeedN1;
}

// Declared for the tests only (tests/support/apu_forcing.h).
void ForceApuState(float n1, int phase, float starterCurrent) {
    const bool knownPhase = phase == kApuPhaseOff || phase == kApuPhaseDoorOpening ||
                            phase == kApuPhaseStarting || phase == kApuPhaseRunning;
    if (!knownPhase || !std::isfinite(n1) || !std::isfinite(starterCurrent)) return;
    model.apu.n1 = std::max(0.0f, n1);
    model.apu.phase = static_cast<std::uint8_t>(phase);
    model.apu.starterCurrent = starterCurrent;
}

// ---- Engine start ------------------------------------------------------------

void StartSwitchStepRight(int engine) {
    if (!validEngine(engine)) return;
    EngineStart& start = model.engines[engine];
    const int from = start.position;
    start.position = static_cast<std::uint8_t>(std::min(from + 1, kStartSwitchFlight));
    if (from == kStartSwitchGround) releaseStarter(engine);
    start.shownPosition = start.position;
    holdShownPosition(start, snapshot.now);
}

void StartSwitchStepLeft(int engine) {
    if (!validEngine(engine)) return;
    EngineStart& start = model.engines[engine];
    const int from = start.position;
    start.position = static_cast<std::uint8_t>(std::max(from - 1, kStartSwitchGround));
    if (from == kStartSwitchOff) engageStarter(engine);
    start.shownPosition = start.position;
    holdShownPosition(start, snapshot.now);
}

int StartSwitchPosition(int engine) {
    return validEngine(engine) ? model.engines[engine].position : kStartSwitchOff;
}

int StartSwitchShownPosition(int engine) {
    return validEngine(engine) ? model.engines[engine].shownPosition : kStartSwitchOff;
}

bool starterActive(int engine) {
    return validEngine(engine) && model.engines[engine].starterActive;
}

float StartLever(int engine) { return validEngine(engine) ? model.engines[engine].startLever : 0.0f; }

void IgnitionSelectorUp() {
    model.ignitionSelector =
        static_cast<std::uint8_t>(std::min(model.ignitionSelector + 1, kIgnitionRight));
}

void IgnitionSelectorDown() {
    model.ignitionSelector =
        static_cast<std::uint8_t>(std::max(model.ignitionSelector - 1, kIgnitionLeft));
}

int IgnitionSelector() { return model.ignitionSelector; }

float IgniterCurrent(int engine) {
    return validEngine(engine) ? model.engines[engine].leftIgniterAmps : 0.0f;
}

float RightIgniterCurrent(int engine) {
    return validEngine(engine) ? model.engines[engine].rightIgniterAmps : 0.0f;
}

bool ignitionOn(int engine) { return validEngine(engine) && model.engines[engine].ignition; }

}  // namespace quil
