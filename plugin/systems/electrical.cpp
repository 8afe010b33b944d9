#include "systems/electrical.h"

#include <algorithm>
#include <cmath>

#include "XPLMDataAccess.h"
#include "sim/random.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/anti_ice.h"
#include "systems/apu.h"
#include "systems/engines.h"
#include "systems/fuel.h"

namespace quil {
namespace {

// Generators
constexpr float kGeneratorOhms = 0.03f;
constexpr float kVoltsPerHertz = 0.295f;
constexpr float kGovernedHz = 398.7f;
constexpr float kGovernedN2 = 49.0f;   // percent: from here the drive holds its speed
constexpr float kCutInN2 = 45.0f;      // percent: below, the generator gives nothing
constexpr float kHertzPerN2 = 100.0f;  // between cut-in and governed speed
constexpr float kJitterHz = 2.5f;
constexpr float kSpoolHertzPerN2 = 0.3f;         // per percent of N2 gained per second
constexpr float kSpoolIntervalFloor = 0.00001f;  // seconds
constexpr float kFrequencyLagSeconds = 1.5f;
constexpr float kRunningHz = 400.0f;
constexpr float kRunningEmf = 115.0f;
// The N2 a generator remembers after a warm reset, so that its first step
// sees no spool-up.
constexpr float kWarmResetLastN2 = 58.0f;

// AC transfer buses
constexpr float kTransferBusOhms = 0.015f;
constexpr float kNominalAcVolts = 115.0f;

// TRUs, DC buses, inverter and charger transform 115 V AC and 28 V DC by
// the same ratio.
constexpr float kAcDcRatio = 4.1f;
constexpr float kTruFactorSpread = 0.013f;  // 1.3 % between the best and the worst unit
constexpr float kTruOhms = 0.013f;
constexpr float kTru3CrossFeedDropVolts = 0.7f;
constexpr float kDcStandbyMinVolts = 22.0f;
constexpr float kInverterHz = 400.0f;

// Battery
constexpr float kBatteryCapacityAh = 40.0f;
constexpr float kSecondsPerHour = 3600.0f;
constexpr float kHighestCharge = 1.05f;
constexpr float kDeepDischargeCharge = 0.1f;
constexpr float kDeepDischargeVoltsPerCharge = 246.0f;
constexpr float kOpenCircuitVoltsPerCharge = 4.35f;
constexpr float kOpenCircuitBaseVolts = 24.6f;
constexpr float kBatteryFullOhms = 0.011f;  // a flat battery has three times this
constexpr float kInitialBatteryVolts = 28.0f;
constexpr float kInitialCharge = 0.95f;
constexpr float kBatteryOkVolts = 22.0f;

// Charger
constexpr float kFloatVolts = 28.4f;
constexpr float kBoostVolts = 29.1f;
constexpr float kChargerDroopOhms = 0.033f;
constexpr float kBoostAmps = 25.0f;  // above the battery's own load
constexpr float kBoostMaxAmps = 65.0f;
constexpr float kBoostBelowCharge = 0.96f;
constexpr float kFloatAboveCharge = 1.02f;
constexpr float kChargerExternalVolts = 105.0f;

// External power
constexpr float kExternalMaxGroundSpeed = 3.0f;  // m/s
constexpr float kExternalEmfBase = 112.0f;
constexpr float kExternalEmfSpread = 6.0f;
constexpr float kExternalHzBase = 392.0f;
constexpr float kExternalHzSpread = 16.0f;
constexpr float kExternalDroop = 0.000576f;  // ohms: the unit's droop, 0.024 squared
constexpr float kExternalOnLineMinEmf = 100.0f;

// A longer frame than this (a hitch, a time jump) counts as this long.
constexpr float kLongestElectricalStepSeconds = 10.0f;

// Loads
struct HeldLoadRule {
    float baseAmps, spreadAmps;  // drawn as base + spread r
    float holdSeconds, holdSpreadSeconds;
};
constexpr HeldLoadRule kGalleyLoads[2] = {
    {25.6f, 8.9f, 9.5f, 7.1f},
    {28.6f, 8.1f, 10.5f, 8.75f},
};
constexpr HeldLoadRule kDcLoads[2] = {
    {58.6f, 12.1f, 6.5f, 4.75f},
    {51.6f, 15.1f, 9.5f, 7.75f},
};
constexpr float kCabinLightAmps = 3.23f;  // on each side

struct BusLoadRow {
    float baseAmps;
    float beaconAmps, landingLightAmps, taxiLightAmps;
    float utility1OnAmps, utility1OffAmps, utility2OnAmps;
    float probeHeaterAmps[4];  // the second heater of each group draws nothing here
    int windowHeatChannels[2];
    int fuelPumps[3];
};
constexpr BusLoadRow kBusLoads[2] = {
    {18.4f, 2.1f, 4.1f, 0.0f, 2.2f, 0.0f, 0.0f, {1.7f, 0.0f, 2.1f, 1.1f}, {0, 2}, {0, 3, 4}},
    {16.3f, 0.0f, 0.0f, 4.1f, 0.0f, 2.3f, 3.1f, {1.9f, 0.0f, 2.4f, 1.3f}, {1, 3}, {1, 2, 5}},
};

struct Generator {
    float voltage = 0.0f;
    float load = 0.0f;
    float frequency = 0.0f;
    float emf = 0.0f;
    float n2 = 0.0f;  // fed from the engine
    float lastN2 = 0.0f;
    bool driveConnected = true;
};

struct TransferBus {
    float voltage = 0.0f;
    float frequency = 0.0f;
    float load = 0.0f;
    bool powered = false;
    BusSource source = BusSource::None;
};

// A transformer-rectifier and the DC bus behind it.
struct Tru {
    float factor = 1.0f / kAcDcRatio;
    float output = 0.0f;
    float voltage = 0.0f;
    float load = 0.0f;
};

struct ExternalPower {
    bool connected = false;
    bool onLine = false;
    float emf = 0.0f;
    float frequency = 0.0f;
    float load = 0.0f;
    float voltage = 0.0f;
};

struct Battery {
    float voltage = kInitialBatteryVolts;
    float load = 0.0f;  // drawn by its consumers
    float net = 0.0f;   // load less charging
    float openCircuit = kInitialBatteryVolts;
    float internalOhms = kBatteryFullOhms;
    float capacityAh = kBatteryCapacityAh;
    float charge = kInitialCharge;
};

struct Charger;
// Takes the battery's load current, returns the charging current and picks
// the state for the next call.
using ChargerState = float (*)(Charger& charger, const Battery& battery, float batteryLoad);
float chargerOff(Charger& charger, const Battery& battery, float batteryLoad);

struct Charger {
    float voltage = 0.0f;
    float current = 0.0f;
    ChargerState state = chargerOff;
};

struct Switches {
    bool battery = true;
    bool generatorBreaker[2] = {};
    bool busTie[2] = {};
    bool apuSelected = false;
    int busTransfer = kBusTransferAuto;
    int standbyPower = kStandbyAuto;
    int generatorPosition[2] = {kSwitchCentre, kSwitchCentre};
    int apuGeneratorPosition[2] = {kSwitchCentre, kSwitchCentre};
    int externalPowerPosition = kSwitchCentre;
};

struct Standby {
    bool inverterPowered = false;
    float inverterVoltage = 0.0f;
    float inverterFrequency = 0.0f;
    int dcSource = 0;
    float dcVoltage = 0.0f;
    int acSource = 0;
    float acVoltage = 0.0f;
    float acFrequency = 0.0f;
};
constexpr int kDcFromDcBus1 = 1;
constexpr int kDcFromBattery = 2;
constexpr int kAcFromInverter = 3;
constexpr int kAcFromTransferBus1 = 4;

// A random load held for a random time.
struct HeldLoad {
    float amps = 0.0f;
    float holdLeft = 0.0f;  // seconds
};

// The simulator's switches this model drives.
struct SimSwitches {
    XPLMDataRef battery = nullptr;
    XPLMDataRef batteryArray = nullptr;
    XPLMDataRef avionics = nullptr;
    XPLMDataRef generators = nullptr;
    bool bound = false;
};

struct Electrical {
    Generator generators[2];
    TransferBus buses[2];
    Tru trus[3];
    ExternalPower external;
    Battery battery;
    Charger charger;
    Switches switches;
    Standby standby;
    HeldLoad galley[2];
    HeldLoad dcLoads[2];
    float apuGeneratorLoad = 0.0f;  // amperes of the buses it feeds
    float previousTime = -1.0f;
    bool initialised = false;
    bool startupHold = true;
    int groundServiceMode = 0;
    SimSwitches handles;
};

Electrical model;

// The cabin and in-flight entertainment supply switches on the cabin
// utilities strip; a model restart leaves them where the crew put them.
bool cabinUtilitySwitches[kCabinUtilitySwitches] = {};

bool validSide(int side) { return side == 0 || side == 1; }
bool validPosition(int position) { return position >= kSwitchOff && position <= kSwitchOn; }
int otherSide(int side) { return 1 - side; }
float finiteOrZero(float value) { return std::isfinite(value) ? value : 0.0f; }
bool apuStarting() {
    const int phase = ApuPhase();
    return phase == kApuPhaseDoorOpening || phase == kApuPhaseStarting;
}

// ---- Simulator datarefs -------------------------------------------------

void bindHandles() {
    SimSwitches& handles = model.handles;
    handles.battery = XPLMFindDataRef("sim/cockpit/electrical/battery_on");
    handles.batteryArray = XPLMFindDataRef("sim/cockpit/electrical/battery_array_on");
    handles.avionics = XPLMFindDataRef("sim/cockpit/electrical/avionics_on");
    handles.generators = XPLMFindDataRef("sim/cockpit/electrical/generator_on");
    handles.bound = true;
}

const SimSwitches& handles() {
    if (!model.handles.bound) bindHandles();
    return model.handles;
}

void writeGeneratorBreaker(int side) {
    int closed = model.switches.generatorBreaker[side] ? 1 : 0;
    XPLMSetDatavi(handles().generators, &closed, side, 1);
}

void writeBothEngines(XPLMDataRef ref, int value) {
    int values[2] = {value, value};
    XPLMSetDatavi(ref, values, 0, 2);
}

// ---- Charger states ------------------------------------------------------

float chargerFloat(Charger& charger, const Battery& battery, float batteryLoad);
float chargerBoost(Charger& charger, const Battery& battery, float batteryLoad);
float chargerInhibited(Charger& charger, const Battery& battery, float batteryLoad);

float chargerOff(Charger& charger, const Battery&, float) {
    charger.voltage = charger.current = 0.0f;
    if (chargerPowered()) charger.state = chargerFloat;
    return 0.0f;
}

// Trickle: the charger carries the battery's load, so its charge holds.
float chargerFloat(Charger& charger, const Battery& battery, float batteryLoad) {
    charger.current = batteryLoad;
    charger.voltage = kFloatVolts - charger.current * kChargerDroopOhms;
    if (!chargerPowered()) {
        charger.state = chargerOff;
    } else if (battery.charge < kBoostBelowCharge) {
        charger.state = chargerBoost;
    }
    return charger.current;
}

float chargerBoost(Charger& charger, const Battery& battery, float batteryLoad) {
    charger.current = std::min(batteryLoad + kBoostAmps, kBoostMaxAmps);
    charger.voltage = kBoostVolts - charger.current * kChargerDroopOhms;
    if (!chargerPowered()) {
        charger.state = chargerOff;
    } else if (battery.charge > kFloatAboveCharge) {
        charger.state = chargerFloat;
    }
    return charger.current;
}

// The APU starter has the battery to itself.
float chargerInhibited(Charger& charger, const Battery&, float) {
    charger.voltage = charger.current = 0.0f;
    if (!chargerPowered()) {
        charger.state = chargerOff;
    } else if (!apuStarting()) {
        charger.state = chargerFloat;
    }
    return 0.0f;
}

// ---- External power ------------------------------------------------------

void connectExternalPower() {
    ExternalPower& unit = model.external;
    if (unit.connected || !(snapshot.groundSpeed <= kExternalMaxGroundSpeed)) return;
    unit.connected = true;
    unit.emf = kExternalEmfBase + kExternalEmfSpread * RandomUnit();
    unit.frequency = kExternalHzBase + kExternalHzSpread * RandomUnit();
    unit.load = model.charger.state(model.charger, model.battery, 0.0f);
    unit.voltage = unit.emf - unit.load * kExternalDroop;
}

void disconnectExternalPower() { model.external = ExternalPower{}; }

// ---- Switch logic ---------------------------------------------------------

void closeGeneratorBreaker(int side) {
    Switches& sw = model.switches;
    const int other = otherSide(side);
    model.external.onLine = false;
    if (sw.apuSelected && sw.generatorBreaker[other]) sw.apuSelected = false;
    if (sw.busTransfer == kBusTransferOff) {
        sw.busTie[side] = false;
    } else if (!sw.generatorBreaker[other]) {
        if (sw.apuSelected) sw.busTie[side] = false;
    } else {
        sw.busTie[0] = sw.busTie[1] = true;
    }
    sw.generatorBreaker[side] = true;
}

void selectApuGenerator(int side) {
    Switches& sw = model.switches;
    const int other = otherSide(side);
    model.external.onLine = false;
    sw.generatorBreaker[side] = false;
    sw.busTie[side] = true;
    if (sw.generatorBreaker[other]) sw.busTie[other] = false;
    sw.apuSelected = true;
}

void releaseApuGenerator(int side) {
    Switches& sw = model.switches;
    // With the other side still taking the APU, only this side lets go.
    if (sw.apuSelected && sw.busTie[otherSide(side)]) {
        sw.busTie[side] = false;
    } else {
        sw.apuSelected = false;
    }
    if (sw.busTransfer == kBusTransferAuto && !sw.apuSelected) sw.busTie[0] = sw.busTie[1] = true;
}

// ---- Frame step -------------------------------------------------------------

// The first frame finds no ground power: the unit comes when it is asked for.
void initialise(float now) {
    disconnectExternalPower();
    model.battery = Battery{};
    for (Tru& tru : model.trus) {
        tru.factor =
            (RandomUnit() * kTruFactorSpread + 1.0f - kTruFactorSpread / 2.0f) / kAcDcRatio;
    }
    model.previousTime = now;
    model.initialised = true;
}

// A disconnected drive no longer sees its engine.
void stepGenerator(Generator& generator, float dt) {
    const float n2 = generator.driveConnected ? generator.n2 : 0.0f;
    float target = 0.0f;
    if (generator.driveConnected) {
        target = n2 >= kGovernedN2 ? kGovernedHz : std::max(0.0f, (n2 - kCutInN2) * kHertzPerN2);
    }
    target += RandomUnit() * kJitterHz;
    target += (n2 - generator.lastN2) * kSpoolHertzPerN2 / (dt + kSpoolIntervalFloor);
    target = std::max(target, 0.0f);
    // Weighted by no more than the lag itself, a long frame lands on the
    // target instead of beyond it.
    const float weight = std::min(dt, kFrequencyLagSeconds);
    generator.frequency =
        (generator.frequency * (kFrequencyLagSeconds - weight) + weight * target) /
        kFrequencyLagSeconds;
    generator.emf = generator.frequency * kVoltsPerHertz;
    generator.voltage = generator.emf - kGeneratorOhms * generator.load;
    generator.lastN2 = n2;
}

void stepBattery(Battery& battery, Charger& charger, float dt) {
    if (apuStarting()) charger.state = chargerInhibited;
    battery.load = finiteOrZero(ApuStarterCurrent());
    battery.net = battery.load - charger.state(charger, battery, battery.load);
    // A flat battery stays flat rather than storing a negative charge.
    const float drawn = battery.net * dt / (battery.capacityAh * kSecondsPerHour);
    battery.charge = std::clamp(battery.charge - drawn, 0.0f, kHighestCharge);
    battery.openCircuit = battery.charge <= kDeepDischargeCharge
                              ? battery.charge * kDeepDischargeVoltsPerCharge
                              : battery.charge * kOpenCircuitVoltsPerCharge + kOpenCircuitBaseVolts;
    battery.internalOhms = (3.0f - 2.0f * battery.charge) * kBatteryFullOhms;
    battery.voltage = std::max(0.0f, battery.openCircuit - battery.net * battery.internalOhms);
}

void dropLostSources() {
    Switches& sw = model.switches;
    if (!model.external.connected) model.external.onLine = false;
    if (!ApuGeneratorAvailable()) sw.apuSelected = false;
    for (int side = 0; side < 2; ++side) {
        if (!generatorAvailable(side)) sw.generatorBreaker[side] = false;
    }
}

BusSource generatorSource(int side) {
    return side == 0 ? BusSource::Generator1 : BusSource::Generator2;
}

// The first source that reaches the bus feeds it.
void feedTransferBus(int side) {
    const Switches& sw = model.switches;
    const int other = otherSide(side);
    Generator& own = model.generators[side];
    const Generator& across = model.generators[other];
    TransferBus& bus = model.buses[side];
    bus.powered = true;
    if (sw.generatorBreaker[side] && generatorAvailable(side)) {
        bus.source = generatorSource(side);
        bus.voltage = own.voltage;
        bus.frequency = own.frequency;
        own.load = bus.load;
    } else if (sw.generatorBreaker[other] && generatorAvailable(other) && sw.busTie[0] &&
               sw.busTie[1]) {
        bus.source = generatorSource(other);
        bus.voltage = across.voltage;
        bus.frequency = across.frequency;
    } else if (ApuGeneratorAvailable() && sw.apuSelected && sw.busTie[side]) {
        bus.source = BusSource::Apu;
        bus.voltage = finiteOrZero(ApuGeneratorVoltage());
        bus.frequency = finiteOrZero(ApuGeneratorFrequency());
        model.apuGeneratorLoad += bus.load;
    } else if (model.external.onLine && sw.busTie[side]) {
        bus.source = BusSource::External;
        bus.voltage = model.external.voltage;
        bus.frequency = model.external.frequency;
    } else {
        bus.powered = false;
        bus.source = BusSource::None;
        bus.voltage = bus.frequency = 0.0f;
    }
}

void feedTransferBuses() {
    for (Generator& generator : model.generators) generator.load = 0.0f;
    model.apuGeneratorLoad = 0.0f;
    feedTransferBus(0);
    feedTransferBus(1);
}

void feedInverter() {
    Standby& standby = model.standby;
    standby.inverterPowered =
        (model.switches.standbyPower == kStandbyBat || batteryOn()) && batteryOk();
    standby.inverterVoltage = standby.inverterPowered ? model.battery.voltage * kAcDcRatio : 0.0f;
    standby.inverterFrequency = standby.inverterPowered ? kInverterHz : 0.0f;
}

void feedStandbyBuses() {
    Standby& standby = model.standby;
    if (rly_K5norm() && model.trus[0].voltage > kDcStandbyMinVolts) {
        standby.dcSource = kDcFromDcBus1;
        standby.dcVoltage = model.trus[0].voltage;
    } else if (rly_K3() && batteryOk()) {
        standby.dcSource = kDcFromBattery;
        standby.dcVoltage = model.battery.voltage;
    } else {
        standby.dcSource = 0;
        standby.dcVoltage = 0.0f;
    }
    if (rly_K5norm() && transferBusPowered(0)) {
        standby.acSource = kAcFromTransferBus1;
        standby.acVoltage = transferBusLoadedVoltage(0);
        standby.acFrequency = model.buses[0].frequency;
    } else if (rly_R9() && standby.inverterPowered) {
        standby.acSource = kAcFromInverter;
        standby.acVoltage = standby.inverterVoltage;
        standby.acFrequency = standby.inverterFrequency;
    } else {
        standby.acSource = 0;
        standby.acVoltage = standby.acFrequency = 0.0f;
    }
}

void feedTrus() {
    Tru* trus = model.trus;
    const float bus1 = model.buses[0].voltage;
    const float bus2 = model.buses[1].voltage;
    trus[0].output = trus[0].factor * bus1;
    trus[1].output = trus[1].factor * bus2;
    trus[2].output = trus[2].factor * (tru3FedFromBus1() ? bus1 : bus2);
    trus[1].output = std::max(trus[1].output, trus[2].output - kTru3CrossFeedDropVolts);
}

void loadDcBuses() {
    Tru* trus = model.trus;
    const float load1 = model.dcLoads[0].amps;
    const float load2 = model.dcLoads[1].amps;
    if (dcCrossTieClosed()) {
        trus[0].output = trus[1].output = std::max(trus[0].output, trus[1].output);
        trus[0].load = trus[1].load = (load1 + load2) / 2.0f;
    } else {
        trus[0].load = transferBusPowered(0) ? load1 : 0.0f;
        if (transferBusPowered(1)) {
            trus[1].load = load2;
            trus[2].load = 0.0f;
        } else if (tru3Powered()) {
            trus[1].load = 0.0f;
            trus[2].load = load2;
        } else {
            trus[1].load = trus[2].load = 0.0f;
        }
    }
    for (Tru& tru : model.trus) tru.voltage = tru.output - tru.load * kTruOhms;
}

void writeSimulator() {
    BatteryWriteBack();
    writeBothEngines(sim.inverterOn, anyPowerAvailable() ? 1 : 0);
    XPLMSetDatai(handles().avionics, avionicsPowered() ? 1 : 0);
}

void holdOrRedraw(HeldLoad& load, const HeldLoadRule& rule, float dt) {
    load.holdLeft -= dt;
    if (load.holdLeft > 0.0f) return;
    load.amps = rule.baseAmps + rule.spreadAmps * RandomUnit();
    load.holdLeft = rule.holdSeconds + rule.holdSpreadSeconds * RandomUnit();
}

float transferBusDemand(int side) {
    const BusLoadRow& row = kBusLoads[side];
    float amps = model.galley[side].amps + row.baseAmps;
    if (snapshot.cabinLightSwitch != 0) amps += kCabinLightAmps;
    if (XPLMGetDatai(sim.beaconLights) != 0) amps += row.beaconAmps;
    if (snapshot.landingLights != 0) amps += row.landingLightAmps;
    if (snapshot.taxiLight != 0) amps += row.taxiLightAmps;
    amps += CabinUtilitySwitchOn(0) ? row.utility1OnAmps : row.utility1OffAmps;
    if (CabinUtilitySwitchOn(1)) amps += row.utility2OnAmps;
    for (int heater = 0; heater < 4; ++heater) {
        if (ProbeHeaterOn(side, heater)) amps += row.probeHeaterAmps[heater];
    }
    for (int channel : row.windowHeatChannels) amps += finiteOrZero(WindowHeatCurrent(channel));
    for (int pump : row.fuelPumps) amps += finiteOrZero(FuelPumpCurrent(pump));
    return amps + finiteOrZero(IgniterCurrent(side));
}

// The loads that the next step's sources carry.
void computeNextLoads(float dt) {
    for (int side = 0; side < 2; ++side) holdOrRedraw(model.galley[side], kGalleyLoads[side], dt);
    for (int bus = 0; bus < 2; ++bus) holdOrRedraw(model.dcLoads[bus], kDcLoads[bus], dt);
    for (int side = 0; side < 2; ++side) {
        TransferBus& bus = model.buses[side];
        bus.load = bus.powered ? transferBusDemand(side) : 0.0f;
    }
}

}  // namespace

// ---- Stepping, binding and resets ------------------------------------------

void ElectricalStep(float now) {
    if (!std::isfinite(now)) return;
    if (!model.initialised) {
        initialise(now);
        return;
    }
    const float dt = HeldStepInterval(model.previousTime, now, kLongestElectricalStepSeconds);
    for (Generator& generator : model.generators) stepGenerator(generator, dt);
    stepBattery(model.battery, model.charger, dt);
    dropLostSources();
    feedTransferBuses();
    feedInverter();
    feedStandbyBuses();
    feedTrus();
    loadDcBuses();
    writeSimulator();
    computeNextLoads(dt);
}

void UpdateEngineGeneratorSources() {
    float n2[kEngines];
    N2OfBothEngines(n2);
    for (int side = 0; side < kEngines; ++side) model.generators[side].n2 = n2[side];
}

void RestartElectricalModel() { model = Electrical{}; }

void BindElectrical() {
    bindHandles();
    writeGeneratorBreaker(0);
    writeGeneratorBreaker(1);
}

void SetGeneratorsRunning() {
    for (Generator& generator : model.generators) {
        generator.frequency = kRunningHz;
        generator.emf = kRunningEmf;
        generator.voltage = generator.emf - kGeneratorOhms * generator.load;
        generator.lastN2 = kWarmResetLastN2;
    }
}

void ResetDriveGenerators() {
    for (Generator& generator : model.generators) generator.driveConnected = true;
}

// The reset operates each generator switch and lets it spring back.
void SetElectricalChannels(bool running) {
    SetBusTransferSwitch(kBusTransferAuto);
    for (int side = 0; side < 2; ++side) {
        SetGeneratorSwitch(side, running ? kSwitchOn : kSwitchOff);
        model.switches.generatorPosition[side] = kSwitchCentre;
    }
}

void ClearStartupHold() { model.startupHold = false; }

void BatteryWriteBack() {
    const int on = anyPowerAvailable() ? 1 : 0;
    const SimSwitches& simSwitches = handles();
    if (simSwitches.batteryArray != nullptr) {
        writeBothEngines(simSwitches.batteryArray, on);
    } else {
        XPLMSetDatai(simSwitches.battery, on);
    }
    float volts[2] = {model.battery.voltage, model.battery.voltage};
    XPLMSetDatavf(sim.engineBatteryVolts, volts, 0, 2);
}

// ---- Switches ----------------------------------------------------------------

void SetBatterySwitch(bool on) { model.switches.battery = on; }

void SetGeneratorSwitch(int side, int position) {
    if (!validSide(side) || !validPosition(position)) return;
    model.switches.generatorPosition[side] = position;
    if (position == kSwitchOff) model.switches.generatorBreaker[side] = false;
    if (position == kSwitchOn && generatorAvailable(side)) closeGeneratorBreaker(side);
    writeGeneratorBreaker(side);
}

void SetApuGeneratorSwitch(int side, int position) {
    if (!validSide(side) || !validPosition(position)) return;
    model.switches.apuGeneratorPosition[side] = position;
    if (position == kSwitchOn && ApuGeneratorAvailable()) selectApuGenerator(side);
    if (position == kSwitchOff) releaseApuGenerator(side);
}

void SetExternalPowerSwitch(int position) {
    if (!validPosition(position)) return;
    Switches& sw = model.switches;
    ExternalPower& unit = model.external;
    sw.externalPowerPosition = position;
    if (position == kSwitchOn && !unit.onLine && unit.emf > kExternalOnLineMinEmf) {
        sw.apuSelected = false;
        sw.generatorBreaker[0] = sw.generatorBreaker[1] = false;
        sw.busTie[0] = sw.busTie[1] = true;
        unit.onLine = true;
    } else if (position == kSwitchOff && unit.onLine) {
        unit.onLine = false;
        sw.busTie[0] = sw.busTie[1] = sw.busTransfer == kBusTransferAuto;
    }
}

void SetBusTransferSwitch(int position) {
    if (position != kBusTransferOff && position != kBusTransferAuto) return;
    Switches& sw = model.switches;
    sw.busTransfer = position;
    if (sw.generatorBreaker[0] || sw.generatorBreaker[1]) sw.apuSelected = false;
    const bool tied = position == kBusTransferAuto || model.external.onLine || sw.apuSelected;
    sw.busTie[0] = sw.busTie[1] = tied;
}

void SetStandbyPowerSwitch(int position) {
    if (position < kStandbyAuto || position > kStandbyBat) return;
    model.switches.standbyPower = position;
}

void SetCabinUtilitySwitch(int number, bool on) {
    if (number >= 0 && number < kCabinUtilitySwitches) cabinUtilitySwitches[number] = on;
}

bool CabinUtilitySwitchOn(int number) {
    return number >= 0 && number < kCabinUtilitySwitches && cabinUtilitySwitches[number];
}

void DisconnectGeneratorDrive(int side) {
    if (validSide(side)) model.generators[side].driveConnected = false;
}

void SetGroundServiceMode(int mode) {
    if (mode != model.groundServiceMode) disconnectExternalPower();
    model.groundServiceMode = mode;
}

int GroundServiceMode() { return model.groundServiceMode; }

void SetGroundPowerUnitPresent(bool present) {
    if (present) {
        connectExternalPower();
    } else {
        disconnectExternalPower();
    }
}

bool GroundPowerUnitPresent() { return model.external.connected; }

bool batterySwitchOn() { return model.switches.battery; }
int generatorSwitchPosition(int side) {
    return validSide(side) ? model.switches.generatorPosition[side] : kSwitchCentre;
}
int apuGeneratorSwitchPosition(int side) {
    return validSide(side) ? model.switches.apuGeneratorPosition[side] : kSwitchCentre;
}
int externalPowerSwitchPosition() { return model.switches.externalPowerPosition; }
int busTransferSwitch() { return model.switches.busTransfer; }
int standbyPowerSwitch() { return model.switches.standbyPower; }
bool generatorBreakerClosed(int side) {
    return validSide(side) && model.switches.generatorBreaker[side];
}
bool busTieBreakerClosed(int side) { return validSide(side) && model.switches.busTie[side]; }
bool apuGeneratorSelected() { return model.switches.apuSelected; }
bool externalPowerOnLine() { return model.external.onLine; }
bool generatorDriveConnected(int side) {
    return validSide(side) && model.generators[side].driveConnected;
}
bool generatorAvailable(int side) {
    return validSide(side) && model.generators[side].frequency >= kGeneratorAvailableHz;
}

// ---- Buses -------------------------------------------------------------------

bool transferBusPowered(int side) { return validSide(side) && model.buses[side].powered; }
BusSource transferBusSource(int side) {
    return validSide(side) ? model.buses[side].source : BusSource::None;
}
float transferBusVoltage(int side) { return validSide(side) ? model.buses[side].voltage : 0.0f; }
float transferBusLoadedVoltage(int side) {
    if (!validSide(side)) return 0.0f;
    const TransferBus& bus = model.buses[side];
    return bus.voltage - bus.load * kTransferBusOhms;
}
float transferBusSupplyRatio(int side) { return transferBusLoadedVoltage(side) / kNominalAcVolts; }
float transferBusFrequency(int side) {
    return validSide(side) ? model.buses[side].frequency : 0.0f;
}
float transferBusLoad(int side) { return validSide(side) ? model.buses[side].load : 0.0f; }

bool truPowered(int tru) {
    switch (tru) {
        case 0:
            return transferBusPowered(0);
        case 1:
            return transferBusPowered(1);
        case 2:
            return tru3Powered();
        default:
            return false;
    }
}

bool tru3Powered() { return transferBusPowered(1) || tru3FedFromBus1(); }

bool tru3FedFromBus1() {
    return model.switches.busTransfer == kBusTransferAuto && !transferBusPowered(1) &&
           transferBusPowered(0);
}

bool dcBusPowered(int side) {
    if (side == 0) {
        return transferBusPowered(0) ||
               (dcCrossTieClosed() && (transferBusPowered(1) || tru3Powered()));
    }
    if (side == 1) {
        return transferBusPowered(1) || tru3Powered() ||
               (dcCrossTieClosed() && transferBusPowered(0));
    }
    return false;
}

bool dcCrossTieClosed() {
    return model.switches.standbyPower == kStandbyAuto && transferBusPowered(0) &&
           transferBusPowered(1);
}

bool rly_K3() {
    const int standby = model.switches.standbyPower;
    return standby == kStandbyBat ||
           (standby == kStandbyAuto && batteryOn() && (!transferBusPowered(0) || !dcBusPowered(0)));
}

bool rly_K5norm() {
    return model.switches.standbyPower == kStandbyAuto && transferBusPowered(1) && dcBusPowered(1);
}

bool rly_R9() {
    const int standby = model.switches.standbyPower;
    return standby == kStandbyBat || (standby == kStandbyAuto && !transferBusPowered(0));
}

bool dcStandbyBusPowered() { return model.standby.dcSource != 0; }
int dcStandbyBusSource() { return model.standby.dcSource; }
bool acStandbyBusPowered() { return model.standby.acSource != 0; }
int acStandbyBusSource() { return model.standby.acSource; }
bool inverterPowered() { return model.standby.inverterPowered; }
bool standbyPowerPowered() { return dcStandbyBusPowered(); }
bool standbyPowerAutoPowered() {
    return dcStandbyBusPowered() && model.switches.standbyPower == kStandbyAuto;
}

bool batteryOk() { return chargerPowered() || model.battery.voltage > kBatteryOkVolts; }
bool batteryOn() { return model.switches.battery && batteryOk(); }
bool chargerPowered() {
    return transferBusPowered(1) || model.external.voltage > kChargerExternalVolts;
}
bool avionicsPowered() { return model.switches.battery || dcStandbyBusPowered(); }
bool anyPowerAvailable() {
    return batteryOn() || transferBusPowered(0) || tru3FedFromBus1() || dcStandbyBusPowered() ||
           model.startupHold;
}
// The cabin lights hang on both transfer buses, like their load.
bool cabinLightSupplyPowered() { return transferBusPowered(0) || transferBusPowered(1); }

// ---- Meter values ------------------------------------------------------------

float generatorVoltage(int side) { return validSide(side) ? model.generators[side].voltage : 0.0f; }
float generatorLoad(int side) { return validSide(side) ? model.generators[side].load : 0.0f; }
float generatorFrequency(int side) {
    return validSide(side) ? model.generators[side].frequency : 0.0f;
}
float truOutputVoltage(int tru) { return tru >= 0 && tru < 3 ? model.trus[tru].output : 0.0f; }
float dcBusVoltage(int tru) { return tru >= 0 && tru < 3 ? model.trus[tru].voltage : 0.0f; }
float dcBusLoad(int tru) { return tru >= 0 && tru < 3 ? model.trus[tru].load : 0.0f; }
float acStandbyBusVoltage() { return model.standby.acVoltage; }
float acStandbyBusFrequency() { return model.standby.acFrequency; }
float dcStandbyBusVoltage() { return model.standby.dcVoltage; }
float inverterVoltage() { return model.standby.inverterVoltage; }
float inverterFrequency() { return model.standby.inverterFrequency; }
float batteryVoltage() { return model.battery.voltage; }
float batteryCurrent() { return model.battery.net; }
float batteryOpenCircuitVoltage() { return model.battery.openCircuit; }
float batteryCharge() { return model.battery.charge; }
float chargerVoltage() { return model.charger.voltage; }
float chargerCurrent() { return model.charger.current; }
float chargerAcInputCurrent() { return model.charger.current / kAcDcRatio; }
float externalPowerVoltage() { return model.external.voltage; }
float externalPowerLoad() { return model.external.load; }
float apuGeneratorLoad() { return model.apuGeneratorLoad; }
float externalPowerFrequency() { return model.external.frequency; }

ChargerMode chargerMode() {
    const ChargerState state = model.charger.state;
    if (state == chargerFloat) return ChargerMode::Float;
    if (state == chargerBoost) return ChargerMode::Boost;
    if (state == chargerInhibited) return ChargerMode::Inhibited;
    return ChargerMode::Off;
}

// ---- Annunciators ------------------------------------------------------------

bool transferBusOffLight(int side) {
    return validSide(side) && batteryOn() && !transferBusPowered(side);
}

bool sourceOffLight(int side) {
    if (!validSide(side)) return false;
    const Switches& sw = model.switches;
    return dcStandbyBusPowered() && !sw.generatorBreaker[side] &&
           (!sw.apuSelected || !sw.busTie[side]) && !model.external.onLine;
}

bool generatorOffBusLight(int side) {
    return validSide(side) && batteryOn() && !model.switches.generatorBreaker[side] &&
           generatorAvailable(side);
}

bool apuGeneratorOffBusLight() {
    return batteryOn() && !model.switches.apuSelected && ApuGeneratorAvailable();
}

}  // namespace quil
