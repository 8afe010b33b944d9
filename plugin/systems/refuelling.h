// Refuelling: the fuel station on the ramp, the aircraft's refuelling panel
// with its three refuel valves, the aux refuel select and the test switch,
// and the automatic realtime sequence that fills the tanks stage by stage.
// Fuel enters the tanks through the fuel model's add-fuel rule.
//
// Quantities are kilograms, pressures psi; times are the simulator's
// running time in seconds.
#pragma once

namespace quil {

// Channels of the refuelling panel: left (main tank 1, or the forward aux
// tank while aux refuelling is selected), centre, right (main tank 2, or
// the aft aux tank).
constexpr int kRefuelChannels = 3;
constexpr int kRefuelChannelLeft = 0;
constexpr int kRefuelChannelCenter = 1;
constexpr int kRefuelChannelRight = 2;

// The panel's test switch: 0 test, 1 normal, 2 the other side, which acts
// like normal.
constexpr int kRefuelTestPosition = 0;
constexpr int kRefuelNormalPosition = 1;
constexpr int kRefuelOtherPosition = 2;

// The gear carries the aircraft and the parking brake is set: the only
// state in which the aircraft takes fuel.
bool RefuellingAllowed();

// The frame's refuelling work, after autoflight: the station switched off
// unless parked, the flow through each open channel, the realtime stages.
void RefuellingStep(float now);
// Valves closed, stages cleared, station off.
void ResetRefuelling();

// Switching on succeeds only when parked, with a fresh supply pressure;
// otherwise the station is switched off and the sequence stopped.
void SwitchFuelStationOn();
void SwitchFuelStationOff();
bool FuelStationActive();
float FuelStationPressure();  // psi while it delivers, else 0
float FuelAddedLastStep();    // kg, into one channel's tank

// Closing a channel's valve clears its tank's full-during-refuelling flag.
// Channels outside 0 .. 2 are ignored and read as closed.
void SetRefuelValve(int channel, bool open);
bool RefuelValveOpen(int channel);
// The tank a channel feeds now.
int RefuelChannelTank(int channel);
// Power, an open valve and a tank not yet found full.
bool RefuelChannelFlowing(int channel);
// Battery, a transfer bus, external power or the APU generator.
bool RefuellingPowerAvailable();

// Counts only while the DC standby bus is powered and aux tanks are fitted.
void SetAuxRefuelSelect(bool selected);
bool AuxRefuelSelected();

// Positions outside 0 .. 2 are ignored.
void SetRefuelTestSwitch(int position);
int RefuelTestSwitch();

// The whole request, in the configured fuel unit, put into the tanks at
// once by the distribution rule. False (nothing changed) for a quantity
// that is not a finite positive number.
bool QuickRefuel(float quantity);
// Starts the automatic sequence towards the distribution of the request
// (configured unit): both mains first, then the centre, then the aux tanks.
bool StartRealtimeRefuelling(float quantity);
bool RealtimeRefuellingActive();

}  // namespace quil
