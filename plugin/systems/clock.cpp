#include "systems/clock.h"

#include <cmath>

#include "XPLMDisplay.h"
#include "sim/sim_time.h"
#include "sim/snapshot.h"
#include "sim/sim_values.h"

namespace quil {
namespace {

constexpr int kMinutesPerDay = 1440;
constexpr int kModes = 4;
constexpr int kSetFields = 3;  // none, first value, second value
constexpr int kSetFirst = 1;
constexpr int kSetSecond = 2;
constexpr int kSlewHourMinutes = 60;
constexpr float kSlewFirstRepeatSeconds = 0.6f;
constexpr float kSlewRepeatSeconds = 0.2f;
constexpr float kElapsedResetHoldSeconds = 2.0f;
constexpr int kElapsedHoursWrap = 100;
constexpr int kMonths = 12;

struct Timer {
    TimerState state = kTimerIdle;
    bool running = false;
    float accumulated = 0.0f;  // seconds
    float lastUpdate = 0.0f;
};

struct Clock {
    ClockMode mode = kClockUtcTime;
    int setField = 0;
    int timeOffset = 0;  // minutes
    int dayOffset = 0;   // days
    Timer chronograph;
    Timer elapsed;
};

struct Buttons {
    bool slewActive = false;
    float nextSlewTime = 0.0f;
    float elapsedPressTime = 0.0f;
    bool elapsedResetDone = false;
};

Clock clocks[kClocks];
Buttons buttons;

bool valid(int clock) { return clock >= 0 && clock < kClocks; }

// Counts the time since the last reading; a clock that went back counts
// nothing.
float readTimer(Timer& timer) {
    const float now = snapshot.now;
    if (timer.running && now > timer.lastUpdate) timer.accumulated += now - timer.lastUpdate;
    if (std::isfinite(now)) timer.lastUpdate = now;
    return timer.accumulated;
}

// A timer stopped between two readings keeps the time it ran.
void setTimer(Timer& timer, TimerState state) {
    readTimer(timer);
    if (state == kTimerRunning) {
        timer.running = true;
    } else if (state == kTimerStopped) {
        timer.running = false;
    } else if (state == kTimerReset) {
        timer.running = false;
        timer.accumulated = 0.0f;
    }
    timer.state = state;
}

bool showing(const Timer& timer) {
    return timer.state == kTimerRunning || timer.state == kTimerStopped;
}

// The simulator counts no leap years: days 0 to 364 from 1 January.
int dayOfYear(int day) { return ((day % kDaysPerYear) + kDaysPerYear) % kDaysPerYear; }

int utcDay() { return TruncToInt(LocalDayOfYear()); }

// The month step: forward by the days of the month after the one shown,
// back by the days of the month shown.
void stepMonth(Clock& clock, int direction) {
    const int t = TruncToInt(static_cast<float>(clock.timeOffset) / kMinutesPerDay +
                             ZuluSeconds() / 86400.0f);
    CalendarDate date{1, 1};
    DayOfYearToDate(dayOfYear(t + utcDay() + clock.dayOffset), &date);
    if (direction > 0) {
        clock.dayOffset += DaysInMonth(date.month % kMonths);
    } else {
        clock.dayOffset -= DaysInMonth((date.month - 1) % kMonths);
    }
}

void slewStep(Clock& clock, int direction) {
    if (clock.mode == kClockSetTime) {
        if (clock.setField == kSetFirst) clock.timeOffset += direction * kSlewHourMinutes;
        if (clock.setField == kSetSecond) clock.timeOffset += direction;
    } else if (clock.mode == kClockSetDate) {
        if (clock.setField == kSetFirst) {
            clock.dayOffset = (clock.dayOffset + direction) % kDaysPerYear;
        }
        if (clock.setField == kSetSecond) stepMonth(clock, direction);
    }
}

}  // namespace

void ResetClock(int clock) {
    if (!valid(clock)) return;
    Clock& c = clocks[clock];
    c.dayOffset = 0;
    c.timeOffset = TruncToInt((LocalSeconds() - ZuluSeconds()) / 60.0f) % kMinutesPerDay;
    c.setField = 0;
}

void CycleMode(int clock) {
    if (!valid(clock)) return;
    clocks[clock].mode = static_cast<ClockMode>((clocks[clock].mode + 1) % kModes);
    clocks[clock].setField = 0;
}

void CycleSetField(int clock) {
    if (valid(clock)) clocks[clock].setField = (clocks[clock].setField + 1) % kSetFields;
}

void SetChronograph(int clock, TimerState state) {
    if (valid(clock) && state <= kTimerReset) setTimer(clocks[clock].chronograph, state);
}

void SetElapsedTimer(int clock, TimerState state) {
    if (valid(clock) && state <= kTimerReset) setTimer(clocks[clock].elapsed, state);
}

void ReadTimer(int clock, int* first, int* second, int* hand) {
    *first = *second = *hand = -1;
    if (!valid(clock)) return;
    Clock& c = clocks[clock];
    const int chronograph = TruncToInt(readTimer(c.chronograph));
    const int elapsed = TruncToInt(readTimer(c.elapsed));
    if (showing(c.chronograph)) {
        *first = (chronograph / 60) % 60;
        *second = *hand = chronograph % 60;
    } else if (showing(c.elapsed)) {
        *first = (elapsed / 3600) % kElapsedHoursWrap;
        *second = (elapsed / 60) % 60;
    }
}

void ReadClockDisplay(int clock, int* first, int* second) {
    *first = *second = 0;
    if (!valid(clock)) return;
    const Clock& c = clocks[clock];
    const float utc = ZuluSeconds();
    ClockReading time{};
    CalendarDate date{1, 1};
    switch (c.mode) {
        case kClockUtcTime:
            SecondsToClock(utc, &time);
            break;
        case kClockSetTime:
            SecondsToClock(static_cast<float>(c.timeOffset) * 60.0f + utc, &time);
            break;
        case kClockUtcDate:
            DayOfYearToDate(dayOfYear(utcDay()), &date);
            *first = date.day;
            *second = date.month;
            return;
        default:
            DayOfYearToDate(dayOfYear(utcDay() + c.dayOffset), &date);
            *first = date.day;
            *second = date.month;
            return;
    }
    *first = time.hours;
    *second = time.minutes;
}

ClockMode CurrentClockMode(int clock) { return valid(clock) ? clocks[clock].mode : kClockUtcTime; }
int SetField(int clock) { return valid(clock) ? clocks[clock].setField : 0; }
TimerState ChronographState(int clock) {
    return valid(clock) ? clocks[clock].chronograph.state : kTimerIdle;
}
TimerState ElapsedTimerState(int clock) {
    return valid(clock) ? clocks[clock].elapsed.state : kTimerIdle;
}

void ChronographButton(int status) {
    if (status != xplm_MouseUp) return;
    constexpr TimerState kNext[] = {kTimerRunning, kTimerStopped, kTimerReset, kTimerRunning};
    SetChronograph(0, kNext[clocks[0].chronograph.state]);
}

void ModeButton(int status) {
    if (status == xplm_MouseUp) CycleMode(0);
}

void SetButton(int status) {
    if (status == xplm_MouseUp) CycleSetField(0);
}

void ResetButton(int status) {
    if (status == xplm_MouseUp) ResetClock(0);
}

// A press starts or stops the counter; held past 2 s it resets it.
void ElapsedTimeButton(int status) {
    const float now = snapshot.now;
    if (status == xplm_MouseDown) {
        const bool running = clocks[0].elapsed.state == kTimerRunning;
        SetElapsedTimer(0, running ? kTimerStopped : kTimerRunning);
        buttons.elapsedPressTime = now;
        buttons.elapsedResetDone = false;
    } else if (status == xplm_MouseDrag &&
               now > buttons.elapsedPressTime + kElapsedResetHoldSeconds) {
        SetElapsedTimer(0, kTimerReset);
        buttons.elapsedResetDone = true;
    }
}

void SlewButton(int direction, int status) {
    if (status == xplm_MouseUp) {
        buttons.slewActive = false;
        return;
    }
    if (status != xplm_MouseDown && status != xplm_MouseDrag) return;
    buttons.slewActive = true;
    const float now = snapshot.now;
    // A clock gone back would otherwise hold the slew until it caught up.
    if (buttons.nextSlewTime > now + kSlewFirstRepeatSeconds) buttons.nextSlewTime = now - 1.0f;
    if (!(now > buttons.nextSlewTime)) return;
    slewStep(clocks[0], direction > 0 ? 1 : -1);
    buttons.nextSlewTime =
        now + (status == xplm_MouseDown ? kSlewFirstRepeatSeconds : kSlewRepeatSeconds);
}

bool SlewActive() { return buttons.slewActive; }

}  // namespace quil
