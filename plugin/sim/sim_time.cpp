#include "sim/sim_time.h"

#include <cmath>

#include "XPLMDataAccess.h"

namespace quil {
namespace {

struct Month {
    int days;
    int number;
};

constexpr Month kMonths[12] = {{31, 1}, {28, 2}, {31, 3}, {30, 4},  {31, 5},  {30, 6},
                               {31, 7}, {31, 8}, {30, 9}, {31, 10}, {30, 11}, {31, 12}};

// Each clock starts as a resolver that looks its dataref up, installs the
// plain reader and reads through it; later calls go straight to the reader.
using Clock = float (*)();

struct ClockSlot {
    const char* name;
    XPLMDataRef handle;
    Clock read;
};

float resolveZulu();
float resolveLocal();
float resolveDay();

ClockSlot zuluSlot{"sim/time/zulu_time_sec", nullptr, resolveZulu};
ClockSlot localSlot{"sim/time/local_time_sec", nullptr, resolveLocal};
ClockSlot daySlot{"sim/time/local_date_days", nullptr, resolveDay};

float readZulu() { return XPLMGetDataf(zuluSlot.handle); }
float readLocal() { return XPLMGetDataf(localSlot.handle); }
// The simulator keeps the day as an integer.
float readDay() { return static_cast<float>(XPLMGetDatai(daySlot.handle)); }

float resolve(ClockSlot& slot, Clock reader) {
    slot.handle = XPLMFindDataRef(slot.name);
    slot.read = reader;
    return slot.read();
}

float resolveZulu() { return resolve(zuluSlot, readZulu); }
float resolveLocal() { return resolve(localSlot, readLocal); }
float resolveDay() { return resolve(daySlot, readDay); }

}  // namespace

float ZuluSeconds() { return zuluSlot.read(); }
float LocalSeconds() { return localSlot.read(); }
float LocalDayOfYear() { return daySlot.read(); }

void DayOfYearToDate(int dayOfYear, CalendarDate* date) {
    if (date == nullptr) return;
    int day = dayOfYear % kDaysPerYear;
    for (const Month& month : kMonths) {
        if (day < month.days) {
            *date = {day + 1, month.number};
            return;
        }
        day -= month.days;
    }
}

// Truncates toward zero; worked in doubles so that no time the simulator
// may hand over, however large, overflows an integer.
void SecondsToClock(float seconds, ClockReading* reading) {
    if (reading == nullptr) return;
    const double s = std::isfinite(seconds) ? seconds : 0.0;
    reading->hours = static_cast<int>(std::fmod(std::trunc(s / 3600.0), 24.0));
    reading->minutes = static_cast<int>(std::fmod(std::trunc(s / 60.0), 60.0));
    reading->seconds = static_cast<int>(std::fmod(std::trunc(s), 60.0));
}

int DaysInMonth(int monthIndex) {
    if (monthIndex < 0 || monthIndex >= 12) return 0;
    return kMonths[monthIndex].days;
}

}  // namespace quil
