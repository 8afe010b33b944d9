// The electrical power system: generators, transfer buses, TRUs, DC buses,
// battery and charger, standby power and external power.
//
// Sides are 0 (number 1, left) and 1 (number 2, right). Values are volts,
// amperes and hertz. Queries read what the last step left.
#pragma once

namespace quil {

// An AC generator, engine-driven or the APU's, is available from this
// frequency up.
constexpr float kGeneratorAvailableHz = 380.0f;

// ---- Stepping, binding and resets ------------------------------------------

// The frame step with the simulator's running time; the first call only
// initialises (battery, TRU factors).
void ElectricalStep(float now);
// Feeds each engine-driven generator from its engine's present speed (N2).
void UpdateEngineGeneratorSources();

// Back to the state at plug-in start: switches at their starting positions,
// the start-up hold on, external power away, the next step initialising and
// the simulator's datarefs looked up afresh on first use.
void RestartElectricalModel();
// Looks up the simulator's electrical switches and writes the generator
// breakers to them.
void BindElectrical();

// Resets: generators to their running state, the drives reconnected, and
// both channels switched as running or cold.
void SetGeneratorsRunning();
void ResetDriveGenerators();
void SetElectricalChannels(bool running);
// The simulator's battery switch is held on from start until the first
// delayed reset.
void ClearStartupHold();
// Writes the battery switch and voltage to the simulator.
void BatteryWriteBack();

// ---- Switches ----------------------------------------------------------------

// Spring-loaded three-position switches: 0 OFF, 1 centre (only moves the
// switch), 2 ON.
constexpr int kSwitchOff = 0;
constexpr int kSwitchCentre = 1;
constexpr int kSwitchOn = 2;
// Bus transfer switch.
constexpr int kBusTransferOff = 0;
constexpr int kBusTransferAuto = 1;
// Standby power switch.
constexpr int kStandbyAuto = 0;
constexpr int kStandbyOff = 1;
constexpr int kStandbyBat = 2;

void SetBatterySwitch(bool on);
void SetGeneratorSwitch(int side, int position);
void SetApuGeneratorSwitch(int side, int position);
void SetExternalPowerSwitch(int position);
void SetBusTransferSwitch(int position);
void SetStandbyPowerSwitch(int position);
// The cabin (0) and in-flight entertainment (1) supply switches, loads of
// the transfer buses.
constexpr int kCabinUtilitySwitches = 2;
constexpr int kCabinSupply = 0, kEntertainmentSupply = 1;
void SetCabinUtilitySwitch(int number, bool on);
bool CabinUtilitySwitchOn(int number);
// The integrated drive stays disconnected until ResetDriveGenerators.
void DisconnectGeneratorDrive(int side);

// Ground power: whether another plug-in manages the unit or we do; a
// change of mode also takes the unit away.
constexpr int kGroundServiceByUs = 0;
constexpr int kGroundServiceByOtherPlugin = 1;
void SetGroundServiceMode(int mode);
int GroundServiceMode();
// External power connect (present) and disconnect (absent). Connecting is
// refused while the aircraft moves faster than 3 m/s; a connected unit keeps
// the voltage and frequency drawn when it came.
void SetGroundPowerUnitPresent(bool present);
bool GroundPowerUnitPresent();

bool batterySwitchOn();
int generatorSwitchPosition(int side);
int apuGeneratorSwitchPosition(int side);
int externalPowerSwitchPosition();
int busTransferSwitch();
int standbyPowerSwitch();
bool generatorBreakerClosed(int side);
bool busTieBreakerClosed(int side);
bool apuGeneratorSelected();
bool externalPowerOnLine();
bool generatorDriveConnected(int side);
bool generatorAvailable(int side);  // frequency at least 380 Hz

// ---- Buses -------------------------------------------------------------------

bool transferBusPowered(int side);   // AC transfer bus 1 (side 0) or 2 (side 1)
// What feeds a transfer bus; the numbers are those published.
enum class BusSource { None = 0, Generator1 = 1, Generator2 = 2, Apu = 3, External = 4 };
BusSource transferBusSource(int side);
float transferBusVoltage(int side);  // the source's voltage
float transferBusLoadedVoltage(int side);
float transferBusSupplyRatio(int side);  // loaded voltage / 115
float transferBusFrequency(int side);
float transferBusLoad(int side);

// TRU index: 0 TRU 1 (DC bus 1), 1 TRU 2 (DC bus 2), 2 TRU 3.
bool truPowered(int tru);
bool tru3Powered();
bool tru3FedFromBus1();
bool dcBusPowered(int side);
bool dcCrossTieClosed();

bool rly_K3();
bool rly_K5norm();
bool rly_R9();

bool dcStandbyBusPowered();
int dcStandbyBusSource();  // 0 none, 1 DC bus 1, 2 battery
bool acStandbyBusPowered();
int acStandbyBusSource();  // 0 none, 3 inverter, 4 transfer bus 1
bool inverterPowered();
// The standby power system: the DC standby bus powered.
bool standbyPowerPowered();
bool standbyPowerAutoPowered();  // powered with the standby switch at AUTO

bool batteryOk();
bool batteryOn();  // battery switch on and battery ok
bool chargerPowered();
bool avionicsPowered();
bool anyPowerAvailable();
bool cabinLightSupplyPowered();

// ---- Meter values ------------------------------------------------------------

float generatorVoltage(int side);
float generatorLoad(int side);
float generatorFrequency(int side);
float truOutputVoltage(int tru);
float dcBusVoltage(int tru);
float dcBusLoad(int tru);
float acStandbyBusVoltage();
float acStandbyBusFrequency();
float dcStandbyBusVoltage();
float inverterVoltage();
float inverterFrequency();
float batteryVoltage();
float batteryCurrent();  // out of the battery; negative while charging
float batteryOpenCircuitVoltage();
float batteryCharge();  // 1.0 full
float chargerVoltage();
float chargerCurrent();
float chargerAcInputCurrent();
float externalPowerVoltage();
float externalPowerLoad();
float externalPowerFrequency();
float apuGeneratorLoad();  // the transfer buses it feeds

enum class ChargerMode { Off, Float, Boost, Inhibited };
ChargerMode chargerMode();

// ---- Annunciators ------------------------------------------------------------

bool transferBusOffLight(int side);
bool sourceOffLight(int side);
bool generatorOffBusLight(int side);
bool apuGeneratorOffBusLight();

}  // namespace quil
