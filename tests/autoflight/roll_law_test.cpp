// The roll law: bank limits, the bank for a course change, the turn
// profile and the hand-over to the heading loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "autoflight/lateral.h"
#include "autoflight/lateral_fixture.h"

namespace {

using namespace quil;
using quiltest::kNaN;

class RollLaw : public quiltest::LateralFlight {};

TEST_F(RollLaw, TheBankLimitIsEightDegreesNearTheGroundAndTheSelectorsAbove) {
    struct Case {
        float radioAltitude, selector, limit;
    };
    const Case cases[] = {
        {150.0f, 30.0f, 8.0f},   {200.0f, 30.0f, 8.0f},   {500.0f, 25.0f, 16.5f},
        {800.0f, 25.0f, 25.0f},  {5000.0f, 15.0f, 15.0f}, {kNaN, 30.0f, 8.0f},
        {5000.0f, kNaN, 30.0f},  {5000.0f, -10.0f, 30.0f}, {5000.0f, 500.0f, 30.0f},
    };
    for (const Case& c : cases) {
        snapshot.radioAltitude = c.radioAltitude;
        snapshot.bankLimit = c.selector;
        EXPECT_FLOAT_EQ(MaxBankAngle(), c.limit) << c.radioAltitude << " ft, selector " << c.selector;
    }
}

TEST_F(RollLaw, TheBankGrowsWithTheCourseChangeAndTheSpeedUpToTheLimit) {
    struct Case {
        float change, speed, bank;
    };
    const Case cases[] = {
        {90.0f, 130.0f, 30.0f}, {20.0f, 130.0f, 25.74f}, {-20.0f, 130.0f, 25.74f},
        {2.0f, 130.0f, 8.14f},  {90.0f, 0.0f, 0.0f},     {90.0f, kNaN, 0.0f},
        {kNaN, 130.0f, 0.0f},
    };
    for (const Case& c : cases) {
        snapshot.groundSpeed = c.speed;
        EXPECT_NEAR(BankForCourseChange(c.change), c.bank, 0.01) << c.change << " deg at " << c.speed;
    }
    snapshot.groundSpeed = 130.0f;
    EXPECT_NEAR(tanMaxBankAngle(90.0f), std::tan(30.0f / 57.2957795f), 1e-5);
}

TEST_F(RollLaw, WrapToNearBringsATargetWithinHalfATurnOfTheCurrentValue) {
    struct Case {
        float target, current, wrapped;
    };
    const Case cases[] = {
        {370.0f, 0.0f, 10.0f},   {-190.0f, 0.0f, 170.0f}, {10.0f, 350.0f, 370.0f},
        {725.0f, 0.0f, 5.0f},    {180.0f, 0.0f, 180.0f},  {-3605.0f, 10.0f, -5.0f},
    };
    for (const Case& c : cases) {
        float target = c.target;
        WrapToNear(target, c.current);
        EXPECT_NEAR(target, c.wrapped, 1e-3) << c.target << " near " << c.current;
    }
    float huge = 3.0e38f;
    WrapToNear(huge, 0.0f);  // returns, within half a turn
    EXPECT_LE(std::fabs(huge), 180.0f);
    float garbage = kNaN;
    WrapToNear(garbage, 0.0f);
    EXPECT_TRUE(std::isnan(garbage)) << "left as it was";
}

// A 90 deg turn at 130 m/s: rolled into at 5 deg/s up to 30 deg, rolled out
// with a lead so that the heading settles on the target, and done once
// rolled out.
TEST_F(RollLaw, ATurnRollsInAtFiveDegreesASecondAndSettlesOnTheTarget) {
    SetMcpHdg(90.0f);
    mcpHdgSel(kMcpOn);
    float peak = 0.0f, fastest = 0.0f, furthest = 0.0f, last = fdRoll();
    float doneAfter = -1.0f;
    for (int i = 0; i < 60 * 30; ++i) {
        flyFrame();
        peak = std::max(peak, fdRoll());
        fastest = std::max(fastest, std::fabs(fdRoll() - last) / quiltest::kFrameSeconds);
        last = fdRoll();
        furthest = std::max(furthest, snapshot.magHeading);
        if (doneAfter < 0.0f && TurnComplete()) doneAfter = i * quiltest::kFrameSeconds;
    }
    EXPECT_NEAR(peak, 30.0f, 0.5f);
    EXPECT_LE(fastest, 5.5f) << "deg/s of roll";
    EXPECT_LT(furthest, 91.5f) << "overshoot";
    EXPECT_NEAR(snapshot.magHeading, 90.0f, 1.0f);
    EXPECT_NEAR(fdRoll(), 0.0f, 1.0f);
    // 2.5 deg/s at 30 deg of bank: about 36 s in the turn, then the roll-out.
    EXPECT_GT(doneAfter, 36.0f);
    EXPECT_LT(doneAfter, 46.0f);
}

// HDG SEL engaged on the ground (no ground speed, no bank for the turn)
// still turns once the aircraft flies.
TEST_F(RollLaw, ATurnBegunAtAStandstillBanksOnceTheAircraftMoves) {
    snapshot.groundSpeed = 0.0f;
    SetMcpHdg(40.0f);
    mcpHdgSel(kMcpOn);
    frames(1.0f);
    EXPECT_EQ(fdRoll(), 0.0f);
    snapshot.groundSpeed = 130.0f;
    frames(2.0f);
    EXPECT_GT(fdRoll(), 5.0f);
}

// HDG SEL engaged on the heading flown is a turn of nothing (as a localizer
// captured on its course heading); the heading loop still has the bank to
// hold the heading after it.
TEST_F(RollLaw, AfterATurnOfNothingTheHeadingLoopStillBanksToHoldTheHeading) {
    SetMcpHdg(0.0f);
    mcpHdgSel(kMcpOn);
    frames(15.0f);
    ASSERT_TRUE(TurnComplete());
    steer(5.0f);  // a gust swings the nose right
    frames(1.0f);
    EXPECT_LT(fdRoll(), -2.0f);
}

}  // namespace
