// The motorised valve: travel in its transit time while powered, standing
// still without power, and the valve without travel time.
#include "systems/motorised_valve.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace quil;

bool power = true;
bool testPower() { return power; }

TEST(MotorisedValve, TravelsInItsTransitTimeOnlyWhilePowered) {
    struct Case {
        const char* name;
        float transit;
        bool powered;
        bool open;
        float after;  // seconds from the first step
        float expectedPosition;
        std::uint8_t expectedState;
    };
    const Case cases[] = {
        {"halfway open", 2.0f, true, true, 1.0f, 0.5f, kValveInTransit},
        {"fully open", 2.0f, true, true, 3.0f, 1.0f, kValveOpen},
        {"unpowered stays shut", 2.0f, false, true, 3.0f, 0.0f, kValveClosed},
        {"no travel time opens at once", 0.0f, true, true, 0.1f, 1.0f, kValveOpen},
        {"no travel time, unpowered", 0.0f, false, true, 0.1f, 0.0f, kValveClosed},
        {"commanded closed stays shut", 2.0f, true, false, 3.0f, 0.0f, kValveClosed},
    };
    for (const Case& c : cases) {
        power = c.powered;
        MotorisedValve valve = MakeMotorisedValve(c.transit, 7, testPower);
        EXPECT_EQ(CommandValve(valve, c.open), c.open) << c.name;
        StepValve(valve, 5.0f);  // the first step only notes the time
        StepValve(valve, std::numeric_limits<float>::quiet_NaN());
        StepValve(valve, 5.0f + c.after);
        EXPECT_NEAR(valve.position, c.expectedPosition, 1e-5f) << c.name;
        EXPECT_EQ(ValveState(valve), c.expectedState) << c.name;
    }
}

TEST(MotorisedValve, ClosesBackFromWhereItStandsAndHoldsWhenPowerFails) {
    power = true;
    MotorisedValve valve = MakeMotorisedValve(1.0f, 100, testPower);
    CommandValve(valve, true);
    StepValve(valve, 1.0f);
    StepValve(valve, 1.75f);
    CommandValve(valve, false);
    StepValve(valve, 2.0f);
    EXPECT_NEAR(valve.position, 0.5f, 1e-5f);
    power = false;
    StepValve(valve, 4.0f);
    EXPECT_NEAR(valve.position, 0.5f, 1e-5f);
    EXPECT_FALSE(CommandValve(valve, false));
}

}  // namespace
