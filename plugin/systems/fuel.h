// The fuel system: five tanks, six boost pumps, the crossfeed, engine and
// spar valves, the two engine manifolds, the burn of engine and APU fuel,
// the centre-tank scavenge, the optional auxiliary tanks with their
// transfer into the centre tank and the auxiliary fuel control panel's
// messages, and engine flame-out when a manifold has no pressure.
//
// Quantities are kilograms, pressures psi, temperatures °C, flows kilograms
// per second; times are the simulator's running time in seconds.
#pragma once

#include <cstdint>

namespace quil {

// ---- Tanks, pumps and valves ---------------------------------------------------

constexpr int kFuelTanks = 5;
constexpr int kMainTank1 = 0;  // left wing
constexpr int kCenterTank = 1;
constexpr int kMainTank2 = 2;  // right wing
constexpr int kForwardAuxTank = 3;
constexpr int kAftAuxTank = 4;

constexpr int kFuelPumps = 6;  // main left aft, main left fwd, center left,
                               // center right, main right aft, main right fwd

// ---- Stepping and resets -------------------------------------------------------

// The frame's fuel work, after autoflight and in this order.
void FuelTankAndPumpStep(float now);  // valves, temperatures, pressures, flame-out
void FuelFlowStep(float now);         // burn, low pressure and trip, scavenge
void AuxTankStep(float now);          // aux transfer and the panel's messages
void FuelMassWriteBack();             // the simulator's tank masses follow the model

// Back to the state at plug-in load, settings too.
void RestartFuelModel();
// Tanks filled for a cold or a hot start, temperatures and failure times
// drawn; flame-out checks start 4 s after `now`.
void ResetFuel(bool cold, float now);
// Pumps untripped and their low-pressure timers started at `now`; the five
// valves new, closed.
void ClearFuelSwitchStates(float now);
// The fuel panel's pump switches: on when the engines run.
void SetFuelPanelSwitches(bool cold);

// ---- Settings of the configuration file ---------------------------------------

enum class FuelUnit { Kilograms, Pounds };
void SetFuelUnit(FuelUnit unit);
FuelUnit CurrentFuelUnit();
// A count out of range (0 to 4 forward, 0 to 5 aft) is refused and leaves
// the previous one; an accepted count makes that tank anew, empty.
bool SetForwardAuxTanks(int count);
bool SetAftAuxTanks(int count);
// Turning it off clears the trips of the two centre pumps.
void SetPumpShutoffLogic(bool on);
bool PumpShutoffLogic();

int AuxTankCount();

// What a quantity or flow in kilograms reads in the configured unit.
float FuelQuantityFactor();  // 1 or 2.205
float FuelFlowFactor();      // thousands per hour from kg/s: 3.6 or 8.1
// What each engine burned in the last fuel step, kg/s.
float EngineFuelFlow(int engine);

// ---- Pumps, crossfeed and valves ----------------------------------------------

// A change of a pump's switch clears its trip. Pumps outside 0 .. 5 are
// ignored and read as off.
void SetFuelPumpSwitch(int pump, bool on);
bool FuelPumpSwitch(int pump);
float FuelPumpPressure(int pump);  // psi
bool FuelPumpLowPressure(int pump);
float FuelPumpCurrent(int pump);  // amperes, a load of the electrical model
bool FuelPumpTripped(int pump);

void SetCrossfeedSelector(bool open);
void ToggleCrossfeedSelector();
bool CrossfeedOpen();  // the valve is fully open
// kValveClosed, kValveInTransit or kValveOpen (systems/motorised_valve.h).
std::uint8_t CrossfeedValveState();
std::uint8_t EngineFuelValveState(int engine);
std::uint8_t SparValveState(int engine);
float ManifoldPressure(int side);  // psi

// ---- Tanks -----------------------------------------------------------------------

float TankQuantity(int tank);
float TankCapacity(int tank);
float TankTemperature(int tank);
bool TankPresent(int tank);
float TotalFuelCapacity();
bool TankNearlyFull(int tank);  // within 8 kg of its capacity
bool TankOverFull(int tank);
// The mass of a wing's main tank, side 0 left, 1 right: what the wing flex
// carries.
float MainTankMass(int side);
// The tank filled up while refuelling into it; the refuelling clears it
// when it closes the tank's valve.
bool TankFullDuringRefuelling(int tank);
void ClearTankFullDuringRefuelling(int tank);

// Adds fuel at the supply temperature, not beyond the capacity, mixing the
// temperatures; gives what went in. Non-finite or negative amounts add
// nothing.
float AddFuel(int tank, float kilograms, float supplyTemperature);
// Held to 0 .. capacity; a non-finite quantity is refused.
void SetTankQuantity(int tank, float kilograms);
// The shares of a total over the five tanks: the mains first, then the
// centre, then the aux tanks; false (all zero) for a total that is not a
// finite positive number.
bool DistributeFuel(float total, float (&shares)[kFuelTanks]);

// The panel lights of a tank: none, imbalance, low, or (centre) config.
constexpr int kFuelLightNone = 0;
constexpr int kFuelLightImbalance = 1;
constexpr int kFuelLightLow = 2;
constexpr int kFuelLightConfig = 3;
int FuelTankLight(int tank);

// ---- Auxiliary tanks -------------------------------------------------------------

constexpr int kAuxTransferForwardA = 0;
constexpr int kAuxTransferForwardB = 1;
constexpr int kAuxTransferAftA = 2;
constexpr int kAuxTransferAftB = 3;
constexpr int kAuxTransferSwitches = 4;
constexpr int kAuxBleedForward = 0;
constexpr int kAuxBleedAft = 1;
constexpr int kAuxModeGroundTransfer = 2;

void SetAuxTransferSwitch(int which, bool on);
bool AuxTransferSwitch(int which);
void SetAuxBleedSwitch(int which, bool on);
bool AuxBleedSwitch(int which);
void SetAuxMode(int mode);  // 0, 1 or 2
int AuxMode();
bool AuxSystemInstalled();
// Forward (0) or aft (1) aux tank.
float AuxDifferentialPressure(int which);  // psi
bool AuxTransferring(int which);
bool AuxTransferEnabled();

// ---- Auxiliary fuel control panel ------------------------------------------------

constexpr int kAfcpListA = 1;  // the flight list
constexpr int kAfcpListB = 0;  // the ground list
int AfcpShownList();
// Line 0 or 1 of the shown list's current message, eight characters with
// blanks for underscores; empty with no message.
const char* AfcpMessageLine(int line);
bool AfcpListAHasMessage();
bool AfcpListBHasMessage();
void AfcpNextMessageA(float now);
void AfcpNextMessageB(float now);
void AfcpResetCursorA(float now);
int AfcpCursor(int list);

}  // namespace quil
