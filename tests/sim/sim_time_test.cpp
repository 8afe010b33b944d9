// The simulator's clocks and the calendar the clock window shows.
#include <gtest/gtest.h>

#include <cmath>

#include "sim/sim_time.h"
#include "support/host_fixture.h"

namespace {

class SimTime : public quiltest::HostTest {};

TEST_F(SimTime, ClocksReadTheSimulatorsTimeInTheirOwnTypes) {
    standin::setInt("sim/time/local_date_days", 58);
    EXPECT_EQ(quil::LocalDayOfYear(), 58.0f) << "the day is an integer dataref";
    standin::setFloat("sim/time/zulu_time_sec", 3600.0f);
    standin::setFloat("sim/time/local_time_sec", 7200.0f);
    EXPECT_EQ(quil::ZuluSeconds(), 3600.0f);
    EXPECT_EQ(quil::LocalSeconds(), 7200.0f);
}

TEST(Calendar, DayOfYearWalksTheMonthsWithoutLeapYears) {
    struct Case {
        int day, expectedDay, expectedMonth;
    } cases[] = {{0, 1, 1}, {30, 31, 1}, {31, 1, 2}, {58, 28, 2}, {59, 1, 3},
                 {364, 31, 12}, {365, 1, 1}, {730, 1, 1}};
    for (const Case& c : cases) {
        quil::CalendarDate date{};
        quil::DayOfYearToDate(c.day, &date);
        EXPECT_EQ(date.day, c.expectedDay) << "day of year " << c.day;
        EXPECT_EQ(date.month, c.expectedMonth) << "day of year " << c.day;
    }
    quil::DayOfYearToDate(10, nullptr);  // no output, nothing happens
}

TEST(Calendar, SecondsTurnIntoAClockReadingTruncated) {
    struct Case {
        float seconds;
        int hours, minutes, secs;
    } cases[] = {{0.0f, 0, 0, 0},         {59.9f, 0, 0, 59},   {3661.0f, 1, 1, 1},
                 {86399.5f, 23, 59, 59},  {86400.0f, 0, 0, 0}, {90061.0f, 1, 1, 1},
                 {NAN, 0, 0, 0}};
    for (const Case& c : cases) {
        quil::ClockReading reading{-1, -1, -1};
        quil::SecondsToClock(c.seconds, &reading);
        EXPECT_EQ(reading.hours, c.hours) << c.seconds;
        EXPECT_EQ(reading.minutes, c.minutes) << c.seconds;
        EXPECT_EQ(reading.seconds, c.secs) << c.seconds;
    }
    quil::ClockReading huge{};
    quil::SecondsToClock(1e30f, &huge);  // far beyond any int: still a clock face
    EXPECT_TRUE(huge.hours >= 0 && huge.hours < 24);
    EXPECT_TRUE(huge.minutes >= 0 && huge.minutes < 60);
    EXPECT_TRUE(huge.seconds >= 0 && huge.seconds < 60);
}

TEST(Calendar, DaysInMonthKnowsTwelveMonthsOnly) {
    EXPECT_EQ(quil::DaysInMonth(0), 31);
    EXPECT_EQ(quil::DaysInMonth(1), 28);
    EXPECT_EQ(quil::DaysInMonth(11), 31);
    EXPECT_EQ(quil::DaysInMonth(12), 0);
    EXPECT_EQ(quil::DaysInMonth(-1), 0);
}

}  // namespace
