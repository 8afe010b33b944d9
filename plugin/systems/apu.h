// The APU and the engine start: the APU's switch, inlet door, phases and
// governor with the values its generator, fuel and bleed consumers read;
// the engine start switches, the starters held through the simulator's
// starter buttons, and the igniters.
//
// Engines are 0 (left) and 1 (right). Times are the simulator's running
// time in seconds; switch operations take the time of the latest snapshot.
#pragma once

namespace quil {

// ---- Stepping and resets -----------------------------------------------------

// The frame's APU work, first in the systems update: the write-back of what
// the last frame left (the snapshot's write-back step comes just before),
// then the step with the snapshot's time.
void ApuUpdate();
// The APU frame step; the first call only initialises.
void StepApu(float now);
// Writes APU_switch, APU_running, APU_N1 and bleed_air_mode, when the
// simulator has both APU_switch and bleed_air_mode.
void ApuWriteBack();
// Back to a stopped APU: N1 and EGT 0, door shut, phase 0, switch OFF.
void ResetApu();

// The engine start step with the snapshot's time, after the electrical step.
void EngineStartStep();
void StepEngineStart(float now);
// Releases the starter of engine 0 or 1 where its switch holds it at GRD.
void ReleaseStarter(int engine);

// Back to the state at plug-in start: APU and start switches at their
// starting positions, the next APU step initialising, and the simulator's
// datarefs looked up afresh on first use.
void RestartApuModel();

// ---- APU ---------------------------------------------------------------------

constexpr int kApuSwitchOff = 0;
constexpr int kApuSwitchOn = 1;
constexpr int kApuSwitchStart = 2;

constexpr int kApuPhaseOff = 0;  // off or shutting down
constexpr int kApuPhaseDoorOpening = 2;
constexpr int kApuPhaseStarting = 3;
constexpr int kApuPhaseRunning = 4;

// OFF lets the APU shut down; START opens the door and starts it, with 90 s
// to reach 65 % N1; ON marks phase 4 whatever the APU is doing.
void SetApuSwitch(int position);
int ApuSwitchPosition();
int ApuPhase();

float ApuN1();         // percent
float ApuEgt();        // °C
float ApuInletDoor();  // 0 shut .. 1 open
float ApuFuelFlow();   // the governor's output, 0 .. 200
float ApuOilPressure();
float ApuStarterCurrent();      // amperes drawn from the battery
float ApuGeneratorFrequency();  // hertz: N1 x 4
float ApuGeneratorVoltage();    // volts
bool ApuGeneratorAvailable();   // frequency at least 380 Hz
float ApuFuelDemand();          // the fuel model's APU demand: flow x 0.00071028

bool apuBleedAvailable();  // door above 0.9 and N1 above 55 %
// The APU window's lights, without the lamp test.
bool apuLowOilPressureLight();
bool apuOverspeedLight();

// ---- Engine start ------------------------------------------------------------

constexpr int kStartSwitchGround = 0;
constexpr int kStartSwitchOff = 1;
constexpr int kStartSwitchContinuous = 2;
constexpr int kStartSwitchFlight = 3;

// One position towards FLT or towards GRD. Arriving at GRD engages the
// starter, arriving at OFF from GRD releases it.
void StartSwitchStepRight(int engine);
void StartSwitchStepLeft(int engine);
int StartSwitchPosition(int engine);
// What the panel shows: it may lag the switch for 0.25 s after a change.
int StartSwitchShownPosition(int engine);
// The simulator's starter ran during the last frame.
bool starterActive(int engine);
// The engine's start lever as the last engine start step read it: 0 cut-off.
float StartLever(int engine);

constexpr int kIgnitionLeft = 0;
constexpr int kIgnitionBoth = 1;
constexpr int kIgnitionRight = 2;

void IgnitionSelectorUp();
void IgnitionSelectorDown();
int IgnitionSelector();

// The left igniter hangs on the engine's AC transfer bus, the right one on
// the AC standby bus; amperes.
float IgniterCurrent(int engine);
float RightIgniterCurrent(int engine);
bool ignitionOn(int engine);

}  // namespace quil
