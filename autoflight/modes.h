// The AFDS mode logic: mode control panel commands, the mode flags and their
// automatic transitions, and the MCP knobs.
#pragma once

namespace quil {

// Reads the simulator's physics constants once, at start.
void InitAutoflightConstants();
void AfdsReset();
void AutoflightStep();

// MCP heading knob: n whole degrees (a count below 1 counts as 1), wrapping
// within 0 to 359; the new heading is written to the simulator.
void McpHdgUp(int n);
void McpHdgDown(int n);
void SetMcpHdg(float heading);
// Holds an MCP speed within 100 knots (0.25 Mach) and the aircraft's Vno
// (Mmo); returns whether it had to move it.
bool ClampMcpSpeed(float& speed);

}  // namespace quil
