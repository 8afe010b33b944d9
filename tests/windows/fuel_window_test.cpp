// The fuel panel and its two aux strips, companions that open, move and
// close with it.
#include <gtest/gtest.h>

#include "support/overhead_host.h"

namespace {

using quil::fuelAuxBleedWindow;
using quil::fuelAuxTransferWindow;
using quil::fuelWindow;

class FuelWindow : public quiltest::OverheadHost {};

TEST_F(FuelWindow, AuxStripsOpenBelowThePanelMoveWithItAndCloseWithIt) {
    open(fuelWindow);
    struct Strip {
        const quil::PopupWindow* window;
        int height, below;
    } strips[] = {{&fuelAuxBleedWindow, 57, 57}, {&fuelAuxTransferWindow, 51, 108}};
    for (const Strip& s : strips) {
        ASSERT_NE(s.window->handle, nullptr) << s.height;
        int left = 0, top = 0, right = 0, bottom = 0;
        XPLMGetWindowGeometry(s.window->handle, &left, &top, &right, &bottom);
        EXPECT_EQ(left, quil::WindowLeft(fuelWindow));
        EXPECT_EQ(bottom, quil::WindowBottom(fuelWindow) - s.below);
        EXPECT_EQ(right - left, 170);
        EXPECT_EQ(top - bottom, s.height);
    }

    // Dragging the transfer strip by its body carries the panel along.
    const int panelLeft = quil::WindowLeft(fuelWindow);
    const int panelBottom = quil::WindowBottom(fuelWindow);
    press(fuelAuxTransferWindow, 160, 48);
    drag(fuelAuxTransferWindow, 180, 58);
    release(fuelAuxTransferWindow, 180, 58);
    EXPECT_EQ(quil::WindowLeft(fuelWindow), panelLeft + 20);
    EXPECT_EQ(quil::WindowBottom(fuelWindow), panelBottom + 10);
    EXPECT_EQ(quil::WindowBottom(fuelAuxTransferWindow), panelBottom + 10 - 108);

    standin::runFrame();  // the panel's next draw takes it there
    click(fuelWindow, 10, 245);
    EXPECT_EQ(fuelWindow.handle, nullptr);
    EXPECT_EQ(fuelAuxBleedWindow.handle, nullptr);
    EXPECT_EQ(fuelAuxTransferWindow.handle, nullptr);
}

}  // namespace
