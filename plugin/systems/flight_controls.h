// Flaps, slats, spoilers and wing flex: the simulator flies the aircraft
// with its own flap, speedbrake and aileron values; these models turn them
// into the positions of the individual surfaces the 3D model animates, the
// leading-edge annunciations, and the bending of each wing under load.
//
// Positions are 0 retracted .. 1 fully extended; times are seconds of the
// simulator's running time. Surfaces move only while hydraulic power is
// there, that is while either engine turns (N1 above 0.2 %).
#pragma once

namespace quil {

constexpr int kSpoilerPanels = 12;
constexpr int kLeadingEdgeGroups = 4;
// The leading-edge groups, outboard slats and inboard Krueger flaps.
constexpr int kLeftSlats = 0;
constexpr int kLeftKrueger = 1;
constexpr int kRightKrueger = 2;
constexpr int kRightSlats = 3;
constexpr int kWingFlexStations = 5;

// The frame steps, in this order: spoilers, then flaps and slats (both
// before autoflight), and wing flex last of all.
void StepAileronsAndSpoilers(float now);
void StepFlapsAndSlats(float now);
void StepWingFlex(float now);

// Back to the state at plug-in load: everything retracted and straight,
// each step's previous time at its start.
void RestartFlightControls();
// The parts of RestartFlightControls, one for each step.
void RestartSpoilers();
void RestartHighLift();
void RestartWingFlex();

float SpoilerExtension(int panel);      // index 0 .. 11: panel n is index n - 1
float LeadingEdgeExtension(int group);
// The group is on its way to a new target.
bool LeadingEdgeInTransit(int group);
// The group stands out and is not moving.
bool LeadingEdgeExtended(int group);
float TrailingEdgeExtension(int side);  // 0 left, 1 right
// Bending of each wing, side 0 left, 1 right; station 0 root .. 4 tip.
float WingFlex(int side, int station);

}  // namespace quil
