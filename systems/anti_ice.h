// Window heat, probe heat and wing and engine anti-ice.
#pragma once

namespace quil {

constexpr int kAntiIceEngines = 2;
constexpr int kProbeHeatSides = 2;     // probe heat A and B
constexpr int kWindowHeatChannels = 4;

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

}  // namespace quil
