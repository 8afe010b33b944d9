// Vertical guidance and the autothrottle: every pitch mode reduced to a
// target vertical speed, the flight director pitch and the elevator trim
// that fly it, and the thrust loops that move both throttles.
#pragma once

namespace quil {

// The three pieces of the autoflight step: the thrust loops first, the
// pitch mode's target vertical speed after the mode transitions, and last
// the control laws, pitch and roll interleaved, with their writes.
void AutothrottleStep(float now);
// Frames closer than this to the previous one leave the loops as they are.
constexpr float kClosestFramesSeconds = 0.001f;
void PitchTargetStep(float now);
void PitchOutputStep(float now);

// The pitch mode's target vertical speed this frame, fpm.
float VerticalSpeedTarget();
// fpm: 4500 at sea level, 50 less per 1000 ft.
float MaxVerticalSpeed();
// LVL CHG base rates, fpm, from the aircraft's weight and altitude.
float LvlChgClimbRate();
float LvlChgDescentRate();

// The LVL CHG speed loop's correction starts again from 0.
void ClearLvlChgCorrection();
// THR HLD keeps the throttles where they are now.
void HoldPresentThrottles();

}  // namespace quil
