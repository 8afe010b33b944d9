// Lateral guidance: the HSI navigation source, flight-plan tracking (LNAV),
// the heading target and the roll law.
#pragma once

namespace quil {

// Writes the HSI source selection to the simulator (every frame).
void WriteNavSource();
// The HSI source selector one position towards NAV1 (2 -> 1 -> 0) or
// towards GPS (0 -> 1 -> 2).
void NavSourcePrev();
void NavSourceNext();
void TrackFlightPlan();

// The flight plan is usable for LNAV and VNAV.
bool FlightPlanValid();
// Course of the active leg, degrees true; 0 without a valid plan.
float LegCourse();

// The unwrapped heading target follows the MCP heading knob.
void ShiftHeadingTarget(float degrees);
void SetHeadingTarget(float heading);
float HeadingTarget();
float CurrentHeadingUnwrapped();
void RecomputeHeadingWrap();

// Starts (or redirects) the roll profile of a turn from `current` to
// `target`, both in the same unit.
void StartTurn(float target, float current, float now);
// Adds or subtracts whole turns until target - current is within +-180.
void WrapToNear(float& target, float current);

void SetCrossTrackLoop(bool on);
void ClearCrossTrackOutput();

// The VOR/LOC capture test, while VOR/LOC is armed on its frequency.
void VorLocCaptureStep(float now);
// The roll target of the engaged roll mode.
void RollTargetStep(float now);

}  // namespace quil
