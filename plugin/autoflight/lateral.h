// Lateral guidance: the HSI navigation source, flight-plan tracking (LNAV),
// the heading target, the VOR/LOC capture and the roll law that turns them
// into the flight director roll and the aileron and rudder trims.
#pragma once

namespace quil {

// ---- Navigation source (lateral.cpp) --------------------------------------------

// Writes the HSI source selection to the simulator (every frame).
void WriteNavSource();
// The HSI source selector one position towards NAV1 (2 -> 1 -> 0) or
// towards GPS (0 -> 1 -> 2).
void NavSourcePrev();
void NavSourceNext();


// ---- Flight plan (flight_plan.cpp) ----------------------------------------------

// Reads the simulator's flight plan, sequences its waypoints and ends the
// route; once a frame, before the autoflight step.
void TrackFlightPlan();

// The flight plan is usable for LNAV and VNAV.
bool FlightPlanValid();
// Course of the active leg, degrees true; 0 without a valid plan.
float LegCourse();
// Altitudes (feet) of the entry flown to and of the one before it; the
// indicated altitude without a valid plan.
float targetWaypointAltitude();
float passedWaypointAltitude();
// The highest altitude of any plan entry seen while the plug-in runs.
int highestPlanAltitude();
// The aircraft off the active leg, positive right of it, and the distance
// to go along it; all 0 without a valid plan.
float CrossTrackRad();
float CrossTrackDeg();
float CrossTrackNm();
float AlongTrackNm();
// Distance to go before the turn onto the next leg starts, nm.
float DistanceToTurnNm();

// ---- Heading select (lateral.cpp) -----------------------------------------------

// The unwrapped heading target follows the MCP heading knob.
void ShiftHeadingTarget(float degrees);
void SetHeadingTarget(float heading);
float HeadingTarget();
// The magnetic heading, unwrapped in HDG SEL so that it stays comparable
// with the target across north.
float CurrentHeadingUnwrapped();
void RecomputeHeadingWrap();

// ---- Roll law (roll_law.cpp) ----------------------------------------------------

// Starts (or redirects) the roll profile of a turn from `current` to
// `target`, both in the same unit.
void StartTurn(float target, float current, float now);
// One step of the roll law: the bank command (degrees, right positive)
// towards `target`, within `bankLimit`, into `output`.
void RollCommand(float target, float current, float now, float bankLimit, float& output,
                 bool active);
// The law is idle again, its command wings level.
void StopRollLaw();
// The turn is done and the heading loop flies the target.
bool TurnComplete();
// The turn is done.
bool TurnDone();
// The bank for a course change of `delta` degrees at the present ground
// speed, within MaxBankAngle; and its tangent.
float BankForCourseChange(float delta);
float tanMaxBankAngle(float delta);
// The bank limit, degrees: 8 near the ground, the selector's above 800 ft.
float MaxBankAngle();
// Adds or subtracts whole turns until target - current is within +-180.
void WrapToNear(float& target, float current);

// ---- Roll modes (lateral.cpp) ---------------------------------------------------

void SetCrossTrackLoop(bool on);
void ClearCrossTrackOutput();

// The VOR/LOC capture test, while VOR/LOC is armed on its frequency.
void VorLocCaptureStep(float now);
// The roll law of the engaged roll mode: its target and the roll command.
void RollCommandStep(float now);
// The flight director roll and the aileron and rudder trims that fly it;
// with no roll mode, wings level and the trims given back.
void RollOutputStep(float now);

}  // namespace quil
