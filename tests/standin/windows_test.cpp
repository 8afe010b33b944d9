// The window stack and the mouse: a press goes to the front-most visible
// window that takes it, drags and the release to the window that took it.
#include <gtest/gtest.h>

#include "XPLMDisplay.h"
#include "support/host_fixture.h"

namespace {

using quiltest::HostTest;

class Windows : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        probe = loadProbe();
    }
    int count(const std::string& name) { return standin::getInt("probe/" + name); }
    // The probe's two windows, front-most first (its dialog has a window of
    // the host's).
    std::vector<standin::WindowInfo> probeWindows() {
        std::vector<standin::WindowInfo> own;
        for (const standin::WindowInfo& window : standin::windows()) {
            if (window.owner == probe) own.push_back(window);
        }
        return own;
    }
    XPLMPluginID probe = XPLM_NO_PLUGIN_ID;
};

TEST_F(Windows, NewestWindowIsFrontMostAndListedFirst) {
    const std::vector<standin::WindowInfo> stack = probeWindows();
    ASSERT_EQ(stack.size(), 2u);
    EXPECT_EQ(stack[0].left, 200);  // "b", made last
    EXPECT_EQ(stack[0].top, 400);
    EXPECT_EQ(stack[1].left, 100);
    EXPECT_EQ(stack[0].owner, probe);
    EXPECT_TRUE(stack[1].visible);
    int left = 0, top = 0, right = 0, bottom = 0;
    XPLMGetWindowGeometry(stack[1].id, &left, &top, &right, &bottom);
    EXPECT_EQ(right, 300);
    EXPECT_EQ(bottom, 100);
}

TEST_F(Windows, APressInTheOverlapGoesToTheFrontWindowWithScreenCoordinates) {
    EXPECT_TRUE(standin::mouseDown(250, 260));
    EXPECT_EQ(count("b_downs"), 1);
    EXPECT_EQ(count("a_downs"), 0);
    EXPECT_EQ(count("b_last_x"), 250);
    EXPECT_EQ(count("b_last_y"), 260);
    EXPECT_EQ(count("b_mouse_x"), 250) << "the mouse location follows the press";
    // Drags and the release follow the window that took the press, even
    // outside it.
    standin::mouseDrag(500, 600);
    standin::mouseUp(520, 610);
    EXPECT_EQ(count("b_drags"), 1);
    EXPECT_EQ(count("b_ups"), 1);
    EXPECT_EQ(count("b_last_x"), 520);
    EXPECT_EQ(count("a_drags") + count("a_ups"), 0);
}

TEST_F(Windows, ADeclinedPressFallsThroughToTheWindowsBelowThenTheSimulator) {
    standin::setInt("probe/b_takes_clicks", 0);
    EXPECT_TRUE(standin::click(250, 250));
    EXPECT_EQ(count("b_downs"), 1);
    EXPECT_EQ(count("a_downs"), 1);
    EXPECT_EQ(count("a_ups"), 1);
    EXPECT_EQ(count("b_ups"), 0);
    standin::setInt("probe/a_takes_clicks", 0);
    EXPECT_FALSE(standin::click(250, 250));
    EXPECT_FALSE(standin::click(50, 50)) << "outside every window";
    standin::mouseDrag(60, 60);
    EXPECT_EQ(count("a_drags") + count("b_drags"), 0);
}

TEST_F(Windows, HiddenWindowsTakeNoClicksAndBringToFrontReorders) {
    const XPLMWindowID front = probeWindows()[0].id;
    const XPLMWindowID back = probeWindows()[1].id;
    XPLMSetWindowIsVisible(front, 0);
    EXPECT_EQ(XPLMGetWindowIsVisible(front), 0);
    standin::click(250, 250);
    EXPECT_EQ(count("a_downs"), 1);
    XPLMSetWindowIsVisible(front, 1);
    XPLMBringWindowToFront(back);
    EXPECT_EQ(standin::windows()[0].id, back);
    EXPECT_EQ(probeWindows()[1].id, front);
    standin::click(250, 250);
    EXPECT_EQ(count("a_downs"), 2);
    EXPECT_EQ(count("b_downs"), 0);
    XPLMSetWindowGeometry(back, 0, 50, 50, 0);
    standin::click(250, 250);
    EXPECT_EQ(count("b_downs"), 1);
}

TEST_F(Windows, APlugInsWindowsGoWithItAndStaleHandlesAreHarmless) {
    const XPLMWindowID front = probeWindows()[0].id;
    standin::unloadPlugin(probe);
    EXPECT_TRUE(standin::windows().empty());
    EXPECT_EQ(XPLMGetWindowIsVisible(front), 0);
    XPLMSetWindowGeometry(front, 0, 1, 1, 0);
    XPLMDestroyWindow(front);
    EXPECT_FALSE(standin::click(250, 250));
}

class WindowsDrawn : public Windows {
protected:
    standin::HostConfig config() const override { return standin::HostConfig(); }
};

TEST_F(WindowsDrawn, WindowsDrawEveryFrameAndMayRaiseThemselves) {
    standin::setInt("probe/raise_a", 1);
    standin::runFrame();
    if (!standin::graphicsAvailable()) GTEST_SKIP() << standin::graphicsRenderer();
    EXPECT_EQ(standin::windows()[0].left, 100);
    EXPECT_EQ(probeWindows()[0].left, 100);
    EXPECT_EQ(count("raise_a"), 0);
}

}  // namespace
