// The APU and generator panel's spring-loaded switches: the APU switch held
// at START, the generator and external power switches held away from
// their centre, all let go by any release in the window.
#include <gtest/gtest.h>

#include "support/overhead_host.h"
#include "systems/apu.h"
#include "systems/electrical.h"

namespace {

using quil::apuWindow;

class ApuWindow : public quiltest::OverheadHost {};

constexpr int kApuSwitchX = 98, kTowardsStartY = 20;
constexpr int kBodyX = 160, kBodyY = 200;

TEST_F(ApuWindow, ApuSwitchHeldAtStartReturnsToOnWhenLetGo) {
    open(apuWindow);
    quil::SetApuSwitch(quil::kApuSwitchOff);
    click(apuWindow, kApuSwitchX, kTowardsStartY);
    EXPECT_EQ(quil::ApuSwitchPosition(), quil::kApuSwitchOn);
    press(apuWindow, kApuSwitchX, kTowardsStartY);
    EXPECT_EQ(quil::ApuSwitchPosition(), quil::kApuSwitchStart) << "held";
    release(apuWindow, kBodyX, kBodyY);
    EXPECT_EQ(quil::ApuSwitchPosition(), quil::kApuSwitchOn) << "let go";
}

TEST_F(ApuWindow, GeneratorSwitchesReturnToTheirCentreOnAnyRelease) {
    open(apuWindow);
    struct Case {
        const char* name;
        int x, y;
        int (*position)();
        int held;
    } cases[] = {
        {"generator 1 on", 30, 108, [] { return quil::generatorSwitchPosition(0); },
         quil::kSwitchOn},
        {"generator 2 off", 140, 125, [] { return quil::generatorSwitchPosition(1); },
         quil::kSwitchOff},
        {"APU generator 1 on", 60, 108, [] { return quil::apuGeneratorSwitchPosition(0); },
         quil::kSwitchOn},
        {"APU generator 2 off", 110, 125, [] { return quil::apuGeneratorSwitchPosition(1); },
         quil::kSwitchOff},
        {"external power on", 85, 198, quil::externalPowerSwitchPosition, quil::kSwitchOn},
    };
    for (const Case& c : cases) {
        for (const auto& [x, y] : {std::pair{c.x, c.y}, std::pair{kBodyX, kBodyY}}) {
            press(apuWindow, c.x, c.y);
            EXPECT_EQ(c.position(), c.held) << c.name << " held";
            release(apuWindow, x, y);
            EXPECT_EQ(c.position(), quil::kSwitchCentre) << c.name << " let go at " << x;
        }
    }
}

}  // namespace
