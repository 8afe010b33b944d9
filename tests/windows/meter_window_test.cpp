// The AC/DC meter panel: the battery switch under its guard, the meter
// selector knobs, and the cold reset's battery switch as the simulator
// sees it.
#include <gtest/gtest.h>

#include "support/overhead_host.h"
#include "systems/electrical.h"

namespace {

using quil::meterWindow;

class MeterWindow : public quiltest::OverheadHost {};

// Window pixels of the battery zones and the knob quadrants.
constexpr int kBatteryX = 34, kGuardY = 170, kSwitchY = 154, kLowerY = 138;
constexpr int kDcLeftX = 25, kDcRightX = 50, kAcLeftX = 105, kAcRightX = 130;
constexpr int kKnobBottomY = 190, kKnobTopY = 212;

TEST_F(MeterWindow, BatteryGuardLiftsAndShutsAndTheSwitchGoesOffOnlyWithTheGuardOpen) {
    open(meterWindow);
    quil::ResetMeterWindow(false);
    struct Step {
        const char* zone;
        int y;
        int state;
        bool batteryOn;
    } steps[] = {
        {"guard", kGuardY, quil::kBatteryGuardOpen, true},
        {"guard", kGuardY, quil::kBatteryGuardClosed, true},
        {"switch", kSwitchY, quil::kBatteryGuardOpen, true},
        {"switch", kSwitchY, quil::kBatteryOffState, false},
        {"switch", kSwitchY, quil::kBatteryOffState, false},
        {"lower", kLowerY, quil::kBatteryGuardOpen, true},
    };
    int n = 0;
    for (const Step& s : steps) {
        click(meterWindow, kBatteryX, s.y);
        EXPECT_EQ(quil::BatteryGuardState(), s.state) << "click " << ++n << " on the " << s.zone;
        EXPECT_EQ(quil::batterySwitchOn(), s.batteryOn) << "click " << n << " on the " << s.zone;
    }
}

TEST_F(MeterWindow, SelectorsStepByTheQuadrantClicked) {
    open(meterWindow);
    struct Case {
        const char* knob;
        int (*value)();
        int raiseX;  // bottom-right: up to the last position
        int from, x, y, to;
    } cases[] = {
        {"AC", quil::AcMeterSelector, kAcRightX, 6, kAcRightX, kKnobBottomY, 5},
        {"AC", quil::AcMeterSelector, kAcRightX, 0, kAcLeftX, kKnobBottomY, 1},
        {"AC", quil::AcMeterSelector, kAcRightX, 4, kAcRightX, kKnobTopY, 4},
        {"DC", quil::DcMeterSelector, kDcRightX, 7, kDcLeftX, kKnobBottomY, 0},
        {"DC", quil::DcMeterSelector, kDcRightX, 5, kDcLeftX, kKnobBottomY, 4},
        {"DC", quil::DcMeterSelector, kDcRightX, 2, kDcLeftX, kKnobTopY, 2},
    };
    for (const Case& c : cases) {
        // Bottom-left clicks bring either knob down to 0 or 1, bottom-right
        // ones up from there.
        const int leftX = c.raiseX == kAcRightX ? kAcLeftX : kDcLeftX;
        for (int i = 0; i < 10 && c.value() > 1; ++i) click(meterWindow, leftX, kKnobBottomY);
        if (c.value() == 1) click(meterWindow, leftX, kKnobBottomY);
        for (int i = 0; i < c.from; ++i) click(meterWindow, c.raiseX, kKnobBottomY);
        ASSERT_EQ(c.value(), c.from) << c.knob;
        click(meterWindow, c.x, c.y);
        EXPECT_EQ(c.value(), c.to) << c.knob << " from " << c.from;
    }
}

class ColdReset : public quiltest::HostTest {};

// The simulator's battery is held on from the start until the reset a
// second later, which finds the engines stopped.
TEST_F(ColdReset, TurnsTheSimulatorsBatteryOffAfterTheStartUpHold) {
    standin::setAircraft(quiltest::demoAircraftPath());
    load(quiltest::pluginPath());
    standin::runSeconds(0.5);
    EXPECT_EQ(standin::getInt("sim/cockpit/electrical/battery_array_on", 0), 1);
    standin::runSeconds(1.5);
    EXPECT_EQ(standin::getInt("sim/cockpit/electrical/battery_array_on", 0), 0);
    EXPECT_EQ(standin::getInt("quil/systems/electrics/stbyPwrAuto"), 0) << "standby power OFF";
}

}  // namespace
