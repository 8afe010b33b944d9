// A cold-and-dark start driven only by clicks on the overhead windows, as
// a pilot makes it: battery and standby power, ground power, the APU and
// its generators, both engines (their spool-up played by the test, as the
// host has no engines), both generators on line and ground power away.
#include <gtest/gtest.h>

#include "support/popup_host.h"

namespace {

using quiltest::PopupHost;
using quiltest::Size;

constexpr int kMenuRowCabinUtilities = 3;
constexpr char kN1[] = "sim/flightmodel/engine/ENGN_N1_";
constexpr char kN2[] = "sim/flightmodel/engine/ENGN_N2_";
constexpr char kGeneratorBreakers[] = "sim/cockpit/electrical/generator_on";
constexpr char kBatteryVolts[] = "sim/flightmodel/engine/ENGN_bat_volt";

struct Point {
    int x, y;
};
// Window pixels of the controls clicked.
constexpr Point kBatteryGuard = {34, 170}, kStandbyGuard = {60, 70};
constexpr Point kGroundPower = {85, 243}, kExternalPowerOn = {85, 198};
constexpr Point kApuTowardsStart = {98, 20};
constexpr Point kApuGeneratorOn[2] = {{60, 108}, {110, 108}};
constexpr Point kGeneratorSwitchOn[2] = {{30, 108}, {140, 108}};
constexpr Point kEngine1StartLeft = {120, 45}, kEngine2StartLeft = {30, 45};

class ColdAndDarkStart : public PopupHost {
protected:
    static void clickIn(Size size, Point at) {
        const standin::WindowInfo w = window(size);
        standin::click(w.left + at.x, w.bottom + at.y);
        standin::runFrame();
    }
    // The engine spools up with its starter from the start switch at GRD,
    // to idle.
    static void spoolUp(int engine) {
        for (float n2 = 10.0f; n2 <= 60.0f; n2 += 10.0f) {
            standin::setFloat(kN2, n2, engine);
            standin::setFloat(kN1, n2 / 3.0f, engine);
            standin::runSeconds(1.0);
        }
    }
};

TEST_F(ColdAndDarkStart, ClicksBringBothEngineGeneratorsOnLine) {
    start();
    if (!standin::graphicsAvailable()) GTEST_SKIP() << standin::graphicsRenderer();
    ASSERT_EQ(standin::getInt("sim/cockpit/electrical/battery_array_on", 0), 0) << "dark";

    openAlone(quiltest::kMenuRowMeter);
    clickIn(quiltest::kMeterSize, kBatteryGuard);
    clickIn(quiltest::kMeterSize, kStandbyGuard);
    standin::runFrame();
    EXPECT_EQ(standin::getInt("sim/cockpit/electrical/battery_array_on", 0), 1);
    EXPECT_EQ(standin::getInt("quil/systems/electrics/stbyPwrAuto"), 1);

    // No ground power until it is asked for: the battery alone, uncharged.
    openAlone(quiltest::kMenuRowApu);
    clickIn(quiltest::kApuSize, kExternalPowerOn);
    standin::runSeconds(2.0);
    EXPECT_NEAR(standin::getFloat(kBatteryVolts, 0), 28.73f, 0.02f);
    clickIn(quiltest::kApuSize, kGroundPower);
    clickIn(quiltest::kApuSize, kExternalPowerOn);
    standin::runSeconds(2.0);
    EXPECT_GT(standin::getFloat(kBatteryVolts, 0), 29.0f) << "the charger on ground power";
    clickIn(quiltest::kApuSize, kApuTowardsStart);
    clickIn(quiltest::kApuSize, kApuTowardsStart);
    for (int second = 0; second < 120 && standin::getFloat("sim/cockpit/engine/APU_N1") < 95.0f;
         ++second) {
        standin::runSeconds(1.0);
    }
    ASSERT_GE(standin::getFloat("sim/cockpit/engine/APU_N1"), 95.0f) << "the APU runs";
    for (const Point& at : kApuGeneratorOn) clickIn(quiltest::kApuSize, at);

    clickIn(quiltest::kApuSize, kEngine1StartLeft);
    spoolUp(0);
    openAlone(kMenuRowCabinUtilities);
    clickIn(quiltest::kCabinUtilitiesSize, kEngine2StartLeft);
    spoolUp(1);
    standin::runSeconds(10.0);  // the generators' frequency follows N2 with a lag
    for (const Point& at : kGeneratorSwitchOn) clickIn(quiltest::kApuSize, at);
    clickIn(quiltest::kApuSize, kGroundPower);
    standin::runSeconds(1.0);

    EXPECT_EQ(standin::getInt(kGeneratorBreakers, 0), 1);
    EXPECT_EQ(standin::getInt(kGeneratorBreakers, 1), 1);
    EXPECT_EQ(standin::getInt("sim/cockpit/electrical/avionics_on"), 1);
}

}  // namespace
