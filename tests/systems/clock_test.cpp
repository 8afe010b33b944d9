// The clock: the reset's time offset, the chronograph and elapsed timer,
// the month step and the held slew, worked through clock 0's buttons.
#include "systems/clock.h"

#include <gtest/gtest.h>

#include "XPLMDisplay.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"

namespace {

using namespace quil;

class Clock : public quiltest::InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        quil::snapshot.now = standin::simTime();
        setUtc(12 * 3600.0f, 12 * 3600.0f, 100);
        ResetClock(0);
        while (CurrentClockMode(0) != kClockUtcTime) CycleMode(0);
        SetChronograph(0, kTimerIdle);
        SetElapsedTimer(0, kTimerIdle);
    }
    static void setUtc(float zulu, float local, int day) {
        standin::setFloat("sim/time/zulu_time_sec", zulu);
        standin::setFloat("sim/time/local_time_sec", local);
        standin::setInt("sim/time/local_date_days", day);
    }
    static void run(float seconds) {
        standin::setFrameInterval(seconds);
        standin::runFrame();
        quil::snapshot.now = standin::simTime();
    }
    static void toMode(ClockMode mode, int field) {
        while (CurrentClockMode(0) != mode) CycleMode(0);
        while (SetField(0) != field) CycleSetField(0);
    }
    static void display(int* first, int* second) { ReadClockDisplay(0, first, second); }
};

// Local time 3 h behind UTC: the set time shows UTC less three hours, also
// when local time is still on the day before.
TEST_F(Clock, TheResetTakesTheOffsetOfLocalTime) {
    struct Case {
        float zuluHours, localHours;
        int hours, minutes;
    };
    for (const Case& c : {Case{12.0f, 9.0f, 9, 0}, Case{1.5f, 22.5f, 22, 30}}) {
        setUtc(c.zuluHours * 3600.0f, c.localHours * 3600.0f, 100);
        ResetClock(0);
        toMode(kClockSetTime, 0);
        int hours = 0, minutes = 0;
        display(&hours, &minutes);
        EXPECT_EQ(hours, c.hours) << "UTC " << c.zuluHours;
        EXPECT_EQ(minutes, c.minutes) << "UTC " << c.zuluHours;
    }
}

TEST_F(Clock, TheChronographCountsAndTheElapsedTimeWrapsAt100Hours) {
    ChronographButton(xplm_MouseUp);
    run(75.0f);
    ChronographButton(xplm_MouseUp);
    run(30.0f);
    int first = 0, second = 0, hand = 0;
    ReadTimer(0, &first, &second, &hand);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 15);
    EXPECT_EQ(hand, 15) << "the hand at -90 degrees";
    ChronographButton(xplm_MouseUp);
    ReadTimer(0, &first, &second, &hand);
    EXPECT_EQ(first, -1) << "reset with the elapsed timer idle: blank";

    ElapsedTimeButton(xplm_MouseDown);
    ElapsedTimeButton(xplm_MouseUp);
    run(101.0f * 3600.0f + 5.0f * 60.0f);
    ReadTimer(0, &first, &second, &hand);
    EXPECT_EQ(first, 1) << "101 h shows as 01";
    EXPECT_EQ(second, 5);
    EXPECT_EQ(hand, -1);
}

TEST_F(Clock, HoldingTheElapsedTimeButtonPast2SecondsResetsIt) {
    ElapsedTimeButton(xplm_MouseDown);
    run(1.0f);
    ElapsedTimeButton(xplm_MouseDrag);
    EXPECT_EQ(ElapsedTimerState(0), kTimerRunning);
    run(1.5f);
    ElapsedTimeButton(xplm_MouseDrag);
    EXPECT_EQ(ElapsedTimerState(0), kTimerReset);
}

// 15 December: a month forward adds January's 31 days, back again the
// days of the month shown.
TEST_F(Clock, TheMonthStepFollowsTheCalendar) {
    setUtc(12 * 3600.0f, 12 * 3600.0f, 348);
    ResetClock(0);
    toMode(kClockSetDate, 2);
    int day = 0, month = 0;
    SlewButton(1, xplm_MouseDown);
    SlewButton(1, xplm_MouseUp);
    display(&day, &month);
    EXPECT_EQ(day, 15);
    EXPECT_EQ(month, 1);
    run(1.0f);
    SlewButton(-1, xplm_MouseDown);
    SlewButton(-1, xplm_MouseUp);
    display(&day, &month);
    EXPECT_EQ(day, 15);
    EXPECT_EQ(month, 12) << "back by January's 31";
}

// Slew + held in the minutes: one at once, the next after 0.6 s, then
// one every 0.2 s.
TEST_F(Clock, AHeldSlewStepsOnceThenRepeats) {
    toMode(kClockSetTime, 2);
    int hours = 0, minutes = 0;
    display(&hours, &minutes);
    const int start = hours * 60 + minutes;
    struct Step {
        float after;
        int minutesMoved;
    };
    SlewButton(1, xplm_MouseDown);
    const Step held[] = {{0.3f, 1}, {0.4f, 2}, {0.1f, 2}, {0.15f, 3}, {0.25f, 4}};
    for (const Step& s : held) {
        run(s.after);
        SlewButton(1, xplm_MouseDrag);
        display(&hours, &minutes);
        EXPECT_EQ(hours * 60 + minutes - start, s.minutesMoved) << "after " << s.after;
    }
    SlewButton(1, xplm_MouseUp);
    EXPECT_FALSE(SlewActive());
}

}  // namespace
