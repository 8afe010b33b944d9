// Window heat, probe heat and wing and engine anti-ice: the state behind the
// anti-ice overhead panel, turned into the simulator's own anti-ice switches.
#pragma once

#include <cstdint>

namespace quil {

constexpr int kAntiIceEngines = 2;
constexpr int kProbeHeatSides = 2;     // probe heat A and B
constexpr int kProbeHeatLamps = 4;     // lamps of one side's probe group
constexpr int kWindowHeatChannels = 4; // channel i heats a window of side i % 2
constexpr int kWings = 2;

// Runs every fourth frame from the snapshot read, with the running time.
void StepAntiIce();
// Makes the model draw new random factors on its next step.
void ClearAntiIceInitialised();
// 0 closed, 1 a transition pending, 2 open.
unsigned char EngineAntiIceState(int engine);

// The switches of the anti-ice panel. An engine, side or channel beyond the
// panel's is ignored, and reads as off.
void SetWingAntiIceSwitch(bool on);
bool WingAntiIceSwitch();
void SetEngineAntiIceSwitch(int engine, bool on);
bool EngineAntiIceSwitch(int engine);
void SetProbeHeatSwitch(int side, bool on);
bool ProbeHeatSwitch(int side);
void SetWindowHeatSwitch(int channel, bool on);
bool WindowHeatSwitch(int channel);
// Held on while the mouse holds the test switch.
void SetWindowHeatOverheatTest(bool on);
bool WindowHeatOverheatTest();
void SetWindowHeatPowerTest(bool on);
bool WindowHeatPowerTest();

// A window heat channel's lights.
struct WindowHeatLights {
    bool switchOn;
    bool heating;
    bool overheat;
};
WindowHeatLights WindowHeatChannelLights(int channel);
// Amperes the channel's heater draws from its side's transfer bus.
float WindowHeatCurrent(int channel);
// A lamp of a side's probe group: lit while its heater is on.
bool ProbeHeaterOn(int side, int heater);
// 0 closed, 1 moving or commanded, 2 open; a closed valve reads 1 while
// the switch is on.
std::uint8_t WingAntiIceValveState(int wing);
// °C; the outside air until the model has started. Side 0 left, 1 right.
float WingDuctTemperature(int side);

}  // namespace quil
