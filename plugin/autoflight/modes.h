// The AFDS mode logic: mode control panel commands, the mode flags and their
// automatic transitions, and the MCP knobs.
#pragma once

#include <cstdint>

namespace quil {

// The action byte of every MCP command. A toggle is turned into off or on
// by the command's own rule; what "arm" means is the command's own too.
using McpAction = std::uint8_t;
constexpr McpAction kMcpOff = 0;
constexpr McpAction kMcpArm = 1;
constexpr McpAction kMcpOn = 2;
constexpr McpAction kMcpToggle = 3;

// RETARD drives N1 to this; atSpeedHold without SPEED holds this speed.
constexpr float kRetardN1Percent = 34.0f;
constexpr float kSpeedHoldDefaultKnots = 100.0f;
// LNAV engages, and steers, only above this radio altitude (feet).
constexpr float kLnavEngageMinRadioAltitudeFeet = 55.0f;

// Reads the simulator's physics constants once, at start.
void InitAutoflightConstants();
// The simulator's pi and 2 pi, for the turn-angle wrapping.
float PhysicsPi();
float PhysicsTwoPi();

// A/P connected, every other mode off, the V/S window at 0.
void AfdsReset();
void AutoflightStep();

// MCP commands. The autothrottle ones and LVL CHG need A/T ARM; the pitch
// and roll engagements need the autopilot connected. A refused command does
// nothing, except LNAV without a flight plan and APP without an ILS, which
// blink their button light.
void mcpAtArm(McpAction action);
void mcpN1(McpAction action);
void mcpThrHold(McpAction action);
void mcpSpeed(McpAction action);
void mcpSpeedHold(McpAction action);
void mcpLvlChg(McpAction action);
void mcpVnav(McpAction action);
// Arm: the first press arms V/S and copies the present vertical speed.
void mcpVs(McpAction action);
// Arm: the MCP altitude was changed. syncMcp 1 re-rounds the MCP altitude
// to the present altitude when ALT HOLD engages away from it.
void mcpAltHold(McpAction action, int syncMcp);
void mcpHdgSel(McpAction action);
void mcpLnav(McpAction action);
void mcpLnavEngage(McpAction action);
void mcpVorLoc(McpAction action);
void mcpVorLocCapture(McpAction action);
void mcpApp(McpAction action);
void mcpGsCapture(McpAction action);
void mcpFlareArm(McpAction action);
void mcpFlareEngage(McpAction action);
void mcpApConnect(McpAction action);
// The flight director switch: the simulator's autopilot mode 0 is the
// flight director off, 1 on.
void FlightDirectorSwitchToggle();
bool flightDirectorOn();

// MCP vertical speed knob: n steps of 50 fpm within +-999, else 100 (a
// count below 1 counts as 1), within -7900 to 6100; engages an armed V/S.
void McpVsUp(int n);
void McpVsDown(int n);
void SetMcpVs(float fpm);
// MCP altitude knob: n hundreds of feet (a count below 1 counts as 1),
// within 0 to 50000; in ALT HOLD a change arms the altitude acquire.
void McpAltUp(int n);
void McpAltDown(int n);
void SetMcpAlt(float feet);
// MCP heading knob: n whole degrees (a count below 1 counts as 1), wrapping
// within 0 to 359; the new heading is written to the simulator.
void McpHdgUp(int n);
void McpHdgDown(int n);
void SetMcpHdg(float heading);
// MCP speed knob: n knots, or n hundredths of Mach, not below 100 knots
// (0.25 Mach) nor above the aircraft's Vno (Mmo).
void McpSpeedUp(int n);
void McpSpeedDown(int n);
void SetMcpSpeed(float speed);
// The IAS/MACH changeover: the MCP speed goes over to Mach, or back to
// knots, at the present ratio of the aircraft's Mach number to its airspeed;
// standing still, with no ratio to go by, it stays as it is.
void McpSpeedChangeover();
// Holds an MCP speed within 100 knots (0.25 Mach) and the aircraft's Vno
// (Mmo); returns whether it had to move it.
bool ClampMcpSpeed(float& speed);
// The flap placard speed (knots), and whether the MCP speed exceeds it.
float APMCPMaxSpeedKiasOrMach();
bool McpSpeedAboveMax();

// MCP values kept here beside the heading and speed of the snapshot.
float McpAltitude();             // feet
float McpVerticalSpeed();        // fpm
float AltitudeHoldTarget();      // feet
float AutopilotVerticalSpeed();  // fpm: the MCP window while V/S is armed or engaged

// Mode flags.
bool apConnected();
bool atArmed();
bool atSpeed();
bool atSpeedHold();
bool atN1();
bool atThrHold();
bool atRetard();
bool apPitchMcpspd();
constexpr int kLvlChgNone = 0;
constexpr int kLvlChgClimb = 1;
constexpr int kLvlChgDescent = 2;
int lvlChgDirection();
bool apVsArmed();
bool apVsEng();
bool apPitchAltArmed();
bool apPitchAltHld();
bool apVnavEng();
bool apGsArmed();
bool apGSEng();
bool apFlareArmed();
bool apFlareEng();
bool apHdgSel();
bool apLnavEng();
bool apLnavArmed();
bool apVorLocArmed();
bool apVorLocEng();
bool xtrackPidOn();
// The cross-track loop of the lateral guidance reports whether it runs.
void SetXtrackPidOn(bool on);

// Mode changes of the last ten seconds, which the annunciations box.
bool atChangedRecently();
bool pitchChangedRecently();
bool armChangedRecently();
bool rollChangedRecently();
bool rollArmChangedRecently();

// MCP button lights: lit steadily while armed, or for a 0.8 s blink.
bool altHoldLightOn();
bool lnavLightOn();
bool appLightOn();

// The flight director bars show an engaged pitch or roll mode.
bool AfdsBarsInView();
// 0 flight director off, 2 a pitch or roll mode engaged, else 1.
int AfdsStatus();
// The frame of a touchdown in FLARE: the pitch law lets go.
bool PitchReleasedThisFrame();

}  // namespace quil
