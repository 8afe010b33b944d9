// The fuel station window on the stand-in host: its displays with leading
// zeros blank and all eights under the test switch, the valve switches
// that start the flow, and the aux window that comes only with aux tanks.
#include <gtest/gtest.h>

#include <string>

#include "XPWidgets.h"
#include "support/refuel_host.h"
#include "support/test_aircraft.h"

namespace {

using quiltest::kStationSize;

constexpr quiltest::Size kAuxSize{140, 90};
constexpr const char* kLeftMass = quiltest::kTankMass[0];

// The left channel's display: five digit cells 6 pixels wide.
constexpr int kLeftDisplayX = 73, kDisplayY = 43;
constexpr int kDigitWidth = 6, kDigitHeight = 10;

class FuelStation : public quiltest::RefuelHost {
protected:
    // Through the fuel request dialog's "Manual refuel".
    void openStation() {
        requestFuel();
        press("Manual refuel");
    }
    // Which of the left display's five digits show something.
    static std::string litDigits(const standin::WindowInfo& w) {
        std::string lit;
        for (int digit = 0; digit < 5; ++digit) {
            bool any = false;
            for (int x = 0; x < kDigitWidth; ++x) {
                for (int y = 0; y < kDigitHeight; ++y) {
                    const standin::Rgba p = standin::readPixel(
                        w.left + kLeftDisplayX + digit * kDigitWidth + x,
                        w.bottom + kDisplayY + y);
                    any = any || p.r + p.g + p.b > 200;
                }
            }
            lit += any ? '8' : '-';
        }
        return lit;
    }
};

TEST_F(FuelStation, TheTestSwitchShowsAllEightsAndSpringsBack) {
    start();
    if (!standin::graphicsAvailable()) GTEST_SKIP() << standin::graphicsRenderer();
    openStation();
    const standin::WindowInfo w = window(kStationSize);
    EXPECT_FALSE(find(kAuxSize)) << "no aux tanks, no aux window";
    standin::runFrame();
    // The cold start's 227.3 kg read 501 lb: leading zeros blank.
    EXPECT_EQ(litDigits(w), "--888");
    standin::mouseDown(w.left + 24, w.bottom + 98);
    standin::runFrame();
    EXPECT_EQ(litDigits(w), "88888") << "test";
    standin::mouseUp(w.left + 24, w.bottom + 98);
    standin::runFrame();
    EXPECT_EQ(litDigits(w), "--888") << "sprung back";
}

TEST_F(FuelStation, WithAuxTanksAnOpenValveFillsItsTankAndTheCloseButtonShutsBothWindows) {
    start(quiltest::makeAircraft(
        {"AuxJet", "Orrin Valdemarsson", "Boeing 737-800 qversion_275",
         "nmb_fwd_auxtanks = \"1\"\nnmb_aft_auxtanks = \"1\"\nfuel_unit = \"fuel_kg\"\n"}));
    openStation();
    const standin::WindowInfo w = window(kStationSize);
    const standin::WindowInfo aux = window(kAuxSize);
    EXPECT_EQ(aux.left - w.left, 280);
    EXPECT_EQ(aux.top - w.bottom, 90);

    const float before = standin::getFloat(kLeftMass);
    standin::click(w.left + 88, w.bottom + 115);  // left valve open
    standin::runSeconds(3.0);
    EXPECT_GT(standin::getFloat(kLeftMass), before + 40.0f);
    standin::click(w.left + 88, w.bottom + 95);  // closed
    standin::runSeconds(1.0);
    const float closed = standin::getFloat(kLeftMass);
    standin::runSeconds(1.0);
    EXPECT_NEAR(standin::getFloat(kLeftMass), closed, 0.5f);

    standin::click(w.left + 10, w.bottom + 140);
    standin::runFrame();
    EXPECT_FALSE(find(kStationSize));
    EXPECT_FALSE(find(kAuxSize));
}

}  // namespace
