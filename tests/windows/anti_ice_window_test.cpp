// The anti-ice panel's window heat test switch: held while the mouse holds
// it, wherever it is dragged, and let go with the mouse.
#include <gtest/gtest.h>

#include "support/overhead_host.h"
#include "systems/anti_ice.h"

namespace {

using quil::antiIceWindow;

class AntiIceWindow : public quiltest::OverheadHost {};

TEST_F(AntiIceWindow, WindowHeatTestHeldWhileTheMouseIsDownOrDragged) {
    open(antiIceWindow);
    struct Case {
        const char* test;
        int y;
        bool (*held)();
    } cases[] = {
        {"power test", 187, quil::WindowHeatPowerTest},
        {"overheat test", 200, quil::WindowHeatOverheatTest},
    };
    for (const Case& c : cases) {
        press(antiIceWindow, 83, c.y);
        EXPECT_TRUE(c.held()) << c.test << " pressed";
        drag(antiIceWindow, 300, -40);
        EXPECT_TRUE(c.held()) << c.test << " dragged off the window";
        release(antiIceWindow, 300, -40);
        EXPECT_FALSE(c.held()) << c.test << " let go";
    }
}

}  // namespace
