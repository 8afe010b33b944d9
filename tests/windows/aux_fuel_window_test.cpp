// The auxiliary fuel control panel as a popup: the held lamp test lights
// both keys and blinks every 2 s, and any release ends it.
#include <gtest/gtest.h>

#include "support/popup_host.h"

namespace {

using quiltest::PopupHost;

constexpr quiltest::Size kAfcpSize{167, 145};
constexpr int kMenuRowAuxFuel = 9;

class AuxFuelPanel : public PopupHost {
protected:
    // The list A key's middle, as the host shows it.
    static standin::Rgba listAKey(const standin::WindowInfo& w) {
        return standin::readPixel(w.left + 52, w.bottom + 84);
    }
    static bool same(const standin::Rgba& a, const standin::Rgba& b) {
        return a.r == b.r && a.g == b.g && a.b == b.b;
    }
};

TEST_F(AuxFuelPanel, TheHeldLampTestBlinksTheKeysEveryTwoSeconds) {
    // Engines turning: a hot start, with the battery on.
    standin::setFloat("sim/flightmodel/engine/ENGN_N2_", 60.0f, 0);
    start();
    if (!standin::graphicsAvailable()) GTEST_SKIP() << standin::graphicsRenderer();
    openAlone(kMenuRowAuxFuel);
    const standin::WindowInfo w = window(kAfcpSize);
    standin::runFrame();
    const standin::Rgba unlit = listAKey(w);

    standin::mouseDown(w.left + 22, w.bottom + 130);
    standin::runSeconds(0.5);
    const standin::Rgba lit = listAKey(w);
    EXPECT_FALSE(same(lit, unlit)) << "lit in the first half";
    standin::mouseDrag(w.left + 22, w.bottom + 130);
    standin::runSeconds(2.0);
    EXPECT_TRUE(same(listAKey(w), unlit)) << "blank in the second half";
    standin::mouseDrag(w.left + 22, w.bottom + 130);
    standin::runSeconds(2.0);
    EXPECT_TRUE(same(listAKey(w), lit)) << "lit again";

    standin::mouseUp(w.left + 100, w.bottom + 20);
    standin::runFrame();
    const standin::Rgba afterTest = listAKey(w);
    standin::runSeconds(2.0);
    EXPECT_TRUE(same(listAKey(w), afterTest)) << "a release anywhere in the window ends the test";
}

}  // namespace
