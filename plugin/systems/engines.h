// Engine indications and animation: fans, spinners and blur disks, the
// thrust-limit modes and their N1 targets, the thrust reversers.
//
// Engines are 0 (left) and 1 (right); rotations are in revolutions, 0 to 1
// and wrapping; times are seconds of simulator running time.
#pragma once

#include "sim/snapshot.h"

namespace quil {

// Back to the state at plug-in load: fans at rest, reversers stowed, the
// N1 limit computation at its first frame in mode 1.
void RestartEngineModel();

// ---- Engine speeds -------------------------------------------------------------

// Percent, read from the simulator each time they are asked for: every
// model takes the engine speeds from here, so all see the same numbers. A
// speed the simulator cannot give reads 0; others are held to 0 .. 150 %.
float N1(int engine);
float N2(int engine);
// Both engines' speeds in one read, for the snapshot and the models that
// step both each frame.
void N1OfBothEngines(float (&n1)[kEngines]);
void N2OfBothEngines(float (&n2)[kEngines]);
// N1 above 0.2 %: the engine drives its hydraulic pump and gives bleed air.
bool engineRunning(int engine);
bool eitherEngineRunning();
float VibrationAtN2(float n2);
float VibrationLevel(int engine);  // at the simulator's N2 now

// ---- Animation -----------------------------------------------------------------

// Turns the fan, spinner and blur disk of one engine on by the time passed
// since its previous step.
void EngineAnimationStep(int engine);
float FanRotation(int engine);
float SpinnerRotation(int engine);
float DiskRotation(int engine);
float FanDetail(int engine);      // 1 the detailed fan, 0 the blur disk, fading between
float SpinnerDetail(int engine);  // 1 the detailed spinner, 0 the plain one

// ---- N1 limit ------------------------------------------------------------------

// The N1 limit of each engine for the present thrust-limit mode, from the
// outside temperature (°C), the indicated altitude (feet), the wing heat
// flag and the engine anti-ice valve states; the limits slew towards the
// target. Called once a frame.
void ComputeN1Limits(int oat, float altitude, int wingAntiIce,
                     const unsigned char engineAntiIce[2], float n1Limit[2], int engines);
// Takes the thrust-rating table of the engine variant and starts over at
// mode 1. Every variant flown uses the one table.
void SelectThrustLimitTable(int table);

// The thrust-limit modes, each with its row of the thrust-rating table.
enum ThrustLimit : int {
    kThrustLimitNone = 0,
    kThrustLimitTakeoff = 1,
    kThrustLimitTakeoffReduced = 2,
    kThrustLimitClimbReduced = 3,
    kThrustLimitClimb = 4,
    kThrustLimitCruise = 5,
    kThrustLimitGoAround = 6,
    kThrustLimitContinuous = 7,
    kThrustLimitMaximum = 8,
};

// The thrust-limit mode: set by autoflight and the reset, stepped from the
// panel. Values outside the range are ignored.
void SetThrustLimitMode(int mode);
void ThrustLimitModeUp();
void ThrustLimitModeDown();
ThrustLimit ThrustLimitMode();

// ---- Thrust reversers ----------------------------------------------------------

constexpr int kReverserStowed = 0;
constexpr int kReverserDeploying = 1;
constexpr int kReverserDeployed = 2;
constexpr int kReverserStowing = 3;

// Advances the reverser of one engine towards the simulator's propeller
// mode (3 commands reverse) and gives its phase code and its position, 0
// stowed to 1 deployed. It moves only when asked, so every reader advances
// it.
int ReverserState(int engine, float* position);

}  // namespace quil
