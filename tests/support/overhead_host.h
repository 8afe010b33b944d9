// The plug-in's code run in the test process on a stand-in host with
// graphics, the built aircraft's sheets loaded, and clicks on an overhead
// window at its own pixels.
#pragma once

#include "host/lifecycle.h"
#include "support/host_fixture.h"
#include "windows/overhead.h"
#include "windows/placement.h"

namespace quiltest {

class OverheadHost : public InProcessTest {
protected:
    standin::HostConfig config() const override {
        standin::HostConfig c = InProcessTest::config();
        c.graphics = true;  // the sheets are textures
        return c;
    }
    void SetUp() override {
        InProcessTest::SetUp();
        standin::setAircraft(QUIL_BUILD_DIR "/aircraft/Quil737/Quil737.acf");
        char name[256], signature[256], description[256];
        ASSERT_EQ(quil::StartPlugin(name, signature, description), 1);
    }
    void TearDown() override {
        quil::StopPlugin();
        InProcessTest::TearDown();
    }

    static void open(quil::PopupWindow& window) {
        quil::OpenWindow(window, quil::kPlacementAlone);
        ASSERT_NE(window.handle, nullptr);
    }
    static void press(const quil::PopupWindow& window, int x, int y) {
        standin::mouseDown(quil::WindowLeft(window) + x, quil::WindowBottom(window) + y);
    }
    static void drag(const quil::PopupWindow& window, int x, int y) {
        standin::mouseDrag(quil::WindowLeft(window) + x, quil::WindowBottom(window) + y);
    }
    static void release(const quil::PopupWindow& window, int x, int y) {
        standin::mouseUp(quil::WindowLeft(window) + x, quil::WindowBottom(window) + y);
    }
    static void click(const quil::PopupWindow& window, int x, int y) {
        press(window, x, y);
        release(window, x, y);
    }
};

}  // namespace quiltest
