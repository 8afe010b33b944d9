// The cockpit clock and chronograph: UTC time and date, a settable second
// time and date, a chronograph and an elapsed-time counter; embedded in the
// panel or as a popup window. Two clocks are kept; the window's buttons
// work clock 0.
#pragma once

#include <cstdint>

namespace quil {

constexpr int kClocks = 2;

// What the upper display shows.
enum ClockMode : uint8_t {
    kClockUtcTime = 0,
    kClockUtcDate = 1,
    kClockSetTime = 2,
    kClockSetDate = 3,
};

// Chronograph and elapsed-time states.
enum TimerState : uint8_t {
    kTimerIdle = 0,
    kTimerRunning = 1,
    kTimerStopped = 2,
    kTimerReset = 3,
};

// Day offset 0, the time offset from the simulator's local time, the set
// field off; the mode and the timers stay.
void ResetClock(int clock);
void CycleMode(int clock);
void CycleSetField(int clock);
void SetChronograph(int clock, TimerState state);
void SetElapsedTimer(int clock, TimerState state);
// The lower display: the chronograph's minutes and seconds (hand at its
// seconds) while it runs or stands, else the elapsed time's hours and
// minutes (no hand), else all -1, blank.
void ReadTimer(int clock, int* first, int* second, int* hand);
// The upper display's two values: hours and minutes, or day and month.
void ReadClockDisplay(int clock, int* first, int* second);
ClockMode CurrentClockMode(int clock);
int SetField(int clock);
TimerState ChronographState(int clock);
TimerState ElapsedTimerState(int clock);

// The buttons of clock 0, with the host's mouse status.
void ChronographButton(int status);
void ModeButton(int status);
void SetButton(int status);
void ResetButton(int status);
void ElapsedTimeButton(int status);
// Slew + (direction 1) and slew - (-1): one step on the press, another
// 0.6 s later, then one every 0.2 s while held.
void SlewButton(int direction, int status);
bool SlewActive();

}  // namespace quil
