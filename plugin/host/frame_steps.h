// The frame's own small steps, which act on what the snapshot read has just
// read: the light glows, the MCP knobs the simulator may turn, and the
// values the simulator must be kept at. The frame table runs each in its
// place.
#pragma once

namespace quil {

// The light map's glows are gathered over four frames and applied on the
// fourth.
void GatherCabinAndTaxiGlows();
void GatherLandingGlow();
void GatherGalleyGlow();
void ApplyLightMap();

void FollowHeadingKnob();
void ClampMcpSpeedWritten();
void ClearGlideSlopeAngle();
void FollowViewChange();
void FollowTransparentPanel();
void HoldSimulatorAutopilotOff();
void KeepIgnitionOn();
void RemoveGroundPowerUnitWhenBrakeReleased();
void WriteBatteryBack();

}  // namespace quil
