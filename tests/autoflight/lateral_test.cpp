// The roll modes: the HSI source selector, heading select, the VOR/LOC
// capture and tracking, the flight director roll and the trims.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "autoflight/lateral.h"
#include "autoflight/lateral_fixture.h"

namespace {

using namespace quil;

constexpr char kHsiSelector[] = "sim/cockpit/switches/HSI_selector";
constexpr char kAileronTrim[] = "sim/flightmodel/controls/ail_trim";
constexpr char kRudderTrim[] = "sim/flightmodel/controls/rud_trim";
constexpr int kLocalizerFrequency = 10990;

class RollModes : public quiltest::LateralFlight {
protected:
    // VOR/LOC armed on a localizer with course `course`, the deviation rate
    // measured.
    void armLocalizer(float course) {
        snapshot.navFrequency = kLocalizerFrequency;
        snapshot.navCourse = course;
        snapshot.hdefRateValid = 1;
        mcpVorLoc(kMcpOn);
        ASSERT_TRUE(apVorLocArmed());
    }
};

TEST_F(RollModes, TheNavSourceSelectorStepsBetweenNav1AndGpsAndIsWrittenEveryFrame) {
    for (int i = 0; i < 3; ++i) NavSourcePrev();
    const std::pair<void (*)(), int> presses[] = {{NavSourceNext, 1}, {NavSourceNext, 2},
                                                  {NavSourceNext, 2}, {NavSourcePrev, 1},
                                                  {NavSourcePrev, 0}, {NavSourcePrev, 0}};
    int step = 0;
    for (const auto& [press, selector] : presses) {
        press();
        standin::setInt(kHsiSelector, 7);
        WriteNavSource();
        EXPECT_EQ(standin::getInt(kHsiSelector), selector) << "press " << step++;
    }
}

TEST_F(RollModes, HdgSelRollsTheShortWayAcrossNorth) {
    struct Turn {
        float from, to;
        float sign;
    };
    const Turn turns[] = {{350.0f, 10.0f, 1.0f}, {10.0f, 350.0f, -1.0f}, {90.0f, 80.0f, -1.0f}};
    for (const Turn& t : turns) {
        mcpHdgSel(kMcpOff);
        frame();
        EXPECT_EQ(fdRoll(), 0.0f) << "no roll mode";
        steer(t.from);
        SetMcpHdg(t.to);
        mcpHdgSel(kMcpOn);
        frames(1.0f);
        EXPECT_GT(fdRoll() * t.sign, 2.0f) << t.from << " to " << t.to;
    }
}

TEST_F(RollModes, AKnobTurnOfTwoHundredDegreesToTheRightTurnsRightAcrossNorth) {
    steer(300.0f);
    SetMcpHdg(300.0f);
    mcpHdgSel(kMcpOn);
    McpHdgUp(200);
    float turned = 0.0f, leftmost = 0.0f;
    for (int i = 0; i < 120 * 30; ++i) {
        const float before = snapshot.magHeading;
        flyFrame();
        float change = snapshot.magHeading - before;
        WrapToNear(change, 0.0f);
        turned += change;
        leftmost = std::fmin(leftmost, fdRoll());
    }
    EXPECT_NEAR(turned, 200.0f, 1.5f);
    EXPECT_GT(leftmost, -1.0f) << "never rolled left beyond the settling";
}

TEST_F(RollModes, VorLocCapturesWithinHalfADotOrWhenTheInterceptIsNoLongerThanTheTurn) {
    struct Case {
        const char* name;
        float course;
        float deviation, rate;
        bool rateValid;
        bool captured;
    };
    // 90 deg to turn at 130 m/s takes about 28 s with the margin.
    const Case cases[] = {
        {"half a dot", 90.0f, 0.5f, 0.0f, true, true},
        {"no rate measured", 90.0f, 0.2f, 0.0f, false, false},
        {"closing in 4 s", 90.0f, 2.0f, -0.5f, true, true},
        {"closing in 40 s", 90.0f, 2.0f, -0.05f, true, false},
        {"moving away", 90.0f, -2.0f, -0.5f, true, false},
        {"closing in 4 s, already on the course", 0.0f, 2.0f, -0.5f, true, false},
    };
    for (const Case& c : cases) {
        mcpVorLoc(kMcpOff);
        armLocalizer(c.course);
        snapshot.navHdef = c.deviation;
        snapshot.hdefRate = c.rate;
        snapshot.hdefRateValid = c.rateValid;
        frame();
        EXPECT_EQ(apVorLocEng(), c.captured) << c.name;
        EXPECT_EQ(apVorLocArmed(), !c.captured) << c.name;
    }
}

// Once the capture turn is done, a deviation below 0.4 dots for 4 s starts
// the cross-track loop.
TEST_F(RollModes, TheLocalizerCrossTrackLoopStartsFourSecondsAfterTheTurnWithinFourTenthsOfADot) {
    for (float deviation : {0.39f, 0.41f}) {
        mcpVorLoc(kMcpOff);
        frame();
        armLocalizer(0.0f);
        snapshot.navHdef = deviation;
        int waited = 0;
        while (!TurnComplete() && waited++ < 300) frame();
        ASSERT_TRUE(apVorLocEng() && TurnComplete()) << deviation;
        frames(3.8f);
        EXPECT_FALSE(xtrackPidOn()) << deviation << " dots, 3.8 s";
        frames(0.4f);
        EXPECT_EQ(xtrackPidOn(), deviation < 0.4f) << deviation << " dots, 4.2 s";
    }
}

// A captured VOR/LOC whose receiver shows its flag keeps the mode and flies
// on along the track it last steered, not to its needle resting centred.
TEST_F(RollModes, VorLocHoldsItsLastTrackWhileTheReceiverShowsItsFlag) {
    for (const bool flagged : {false, true}) {
        mcpVorLoc(kMcpOff);
        steer(90.0f);
        snapshot.navLateralFlag = 0;
        snapshot.navHdef = 0.3f;
        armLocalizer(90.0f);
        frame();
        ASSERT_TRUE(apVorLocEng()) << flagged;
        // A dot left of the course: the law settles 5 deg right of it.
        snapshot.navHdef = 1.0f;
        for (int i = 0; i < 60 * 30; ++i) flyFrame();
        ASSERT_NEAR(snapshot.magHeading, 95.0f, 0.5f) << flagged;
        snapshot.navLateralFlag = flagged;
        snapshot.navHdef = 0.0f;
        for (int i = 0; i < 40 * 30; ++i) flyFrame();
        EXPECT_TRUE(apVorLocEng()) << flagged;
        EXPECT_NEAR(snapshot.magHeading, flagged ? 95.0f : 90.0f, 2.0f) << flagged;
    }
}

// The aileron trim helps the bank the aircraft does not take, the rudder
// trim works against the slip; without a roll mode the trims go back to
// where the pilot had them.
TEST_F(RollModes, TheTrimsWorkWhileTheLawIsActiveAndAreGivenBackAfter) {
    standin::setFloat(kAileronTrim, 0.05f);
    standin::setFloat(kRudderTrim, -0.02f);
    frame();
    snapshot.slipBall = 2.0f;
    SetMcpHdg(90.0f);
    mcpHdgSel(kMcpOn);
    frames(3.0f);
    EXPECT_GT(standin::getFloat(kAileronTrim), 0.1f);
    EXPECT_LT(standin::getFloat(kRudderTrim), -0.021f);
    mcpHdgSel(kMcpOff);
    frame();
    EXPECT_EQ(fdRoll(), 0.0f);
    EXPECT_EQ(standin::getFloat(kAileronTrim), 0.05f);
    EXPECT_EQ(standin::getFloat(kRudderTrim), -0.02f);
}

}  // namespace
