// Lateral guidance: the HSI navigation source, flight-plan tracking (LNAV),
// the heading target and the roll law.
#pragma once

namespace quil {

// Writes the HSI source selection to the simulator (every frame).
void WriteNavSource();
void TrackFlightPlan();

// The unwrapped heading target follows the MCP heading knob.
void ShiftHeadingTarget(float degrees);
void SetHeadingTarget(float heading);

}  // namespace quil
