// The simulator's clocks of the day, bound on first use, and the calendar
// the clock window shows. All timing in the plug-in is simulator running
// time, which the frame reads into the snapshot.
#pragma once

namespace quil {

constexpr int kDaysPerYear = 365;  // the simulator counts no leap years

float ZuluSeconds();       // since UTC midnight
float LocalSeconds();      // since local midnight
float LocalDayOfYear();    // 0 = 1 January; the simulator counts no leap years

struct CalendarDate {
    int day;    // 1-based day of the month
    int month;  // 1 to 12
};

struct ClockReading {
    int hours;    // 0 to 23
    int minutes;  // 0 to 59
    int seconds;  // 0 to 59
};

void DayOfYearToDate(int dayOfYear, CalendarDate* date);
void SecondsToClock(float seconds, ClockReading* reading);
int DaysInMonth(int monthIndex);  // index 0 to 11; 0 for any other

}  // namespace quil
