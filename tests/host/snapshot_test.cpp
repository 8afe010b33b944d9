// The per-frame snapshot and the frame steps around it: unit conversions,
// the read rotations, the write-backs, the heading knob follow-up and the deviation rate.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "autoflight/lateral.h"
#include "host/frame_table.h"
#include "host/served_aircraft.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"

namespace {

using quil::snapshot;

constexpr char kNav1Lateral[] = "sim/cockpit2/radios/indicators/nav1_display_horizontal";

class Snapshot : public quiltest::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        quil::snapshot = quil::SimSnapshot{};
        standin::setBytes("sim/aircraft/view/acf_author", "Orrin Valdemarsson");
        standin::setBytes("sim/aircraft/view/acf_descrip", "Boeing 737-800");
        ASSERT_EQ(quil::BindSimulatorState(), 1);
        // The plug-in writes the HSI selector from its own source switch,
        // which starts at NAV1.
        quil::NavSourcePrev();
        quil::NavSourcePrev();
    }
    // One frame of the host, then the plug-in's frame.
    void frame() {
        standin::runFrame();
        quil::RunFrame();
    }
    // Frames until `done` holds, at most `limit`; returns how many it took.
    template <typename Done>
    int framesUntil(Done done, int limit) {
        for (int n = 1; n <= limit; ++n) {
            frame();
            if (done()) return n;
        }
        return -1;
    }
    // Writes of one dataref in the write log.
    std::vector<standin::DataRefWrite> writesTo(const std::string& name) {
        std::vector<standin::DataRefWrite> found;
        for (const standin::DataRefWrite& write : standin::writeLog()) {
            if (write.name == name) found.push_back(write);
        }
        return found;
    }
};

TEST_F(Snapshot, RadioAltitudeUsesTheAircraftsOwnFootFactor) {
    standin::setFloat("sim/flightmodel/position/y_agl", 3.042f);
    frame();
    EXPECT_NEAR(snapshot.radioAltitude, 10.0f, 1e-4f);
}

TEST_F(Snapshot, BankLimitComesFromTheBankSelectorWithThirtyForZero) {
    for (const auto& [selector, limit] : {std::pair{0, 30.0f}, {5, 25.0f}, {3, 15.0f}}) {
        standin::setInt("sim/cockpit/autopilot/heading_roll_mode", selector);
        const float expected = limit;  // a structured binding cannot be captured before C++20
        ASSERT_GT(framesUntil([&] { return snapshot.bankLimit == expected; }, 8), 0)
            << "selector " << selector;
        EXPECT_NEAR(snapshot.bankLimitTan, std::tan(limit / 57.2957795f), 1e-6f);
    }
}

TEST_F(Snapshot, MapRangeAndScaleFollowTheRangeSelector) {
    standin::setInt("sim/cockpit/switches/EFIS_map_range_selector", 3);
    ASSERT_GT(framesUntil([] { return snapshot.mapRangeSelector == 3; }, 2), 0);
    EXPECT_FLOAT_EQ(snapshot.mapRangeNm, 80.0f);
    EXPECT_FLOAT_EQ(snapshot.mapScale, 136.0f / 80.0f);
}

// A value on an n-frame rotation is picked up within n frames, wherever the
// rotation stands.
TEST_F(Snapshot, TheLowestMapRangeIsWorkedOutAfterABindToo) {
    standin::setInt("sim/cockpit/switches/EFIS_map_range_selector", 0);
    ASSERT_EQ(quil::BindSimulatorState(), 1);
    frame();
    frame();
    EXPECT_FLOAT_EQ(snapshot.mapRangeNm, 10.0f);
    EXPECT_FLOAT_EQ(snapshot.mapScale, 13.6f);
}

TEST_F(Snapshot, SlowValuesAreAtMostTheirRotationLessOneFramesOld) {
    struct Case {
        const char* dataref;
        int rotation;
        std::function<bool()> seen;
    } cases[] = {
        {"sim/cockpit/misc/barometer_setting", 2, [] { return snapshot.baroSetting == 30.5f; }},
        {"sim/cockpit/pressure/max_allowable_altitude", 2,
         [] { return snapshot.maxAllowableAltitude == 30.5f; }},
        {"sim/flightmodel/controls/flaprat", 4, [] { return snapshot.flapRatio == 30.5f; }},
        {"sim/flightmodel/controls/parkbrake", 8, [] { return snapshot.parkBrake == 30.5f; }},
    };
    for (int offset = 0; offset < 8; ++offset) {
        for (const Case& c : cases) {
            standin::setFloat(c.dataref, 0.0f);
            framesUntil([] { return false; }, 8);
            for (int i = 0; i < offset; ++i) frame();
            standin::setFloat(c.dataref, 30.5f);
            const int frames = framesUntil(c.seen, c.rotation);
            EXPECT_GT(frames, 0) << c.dataref << " at offset " << offset;
        }
    }
}

TEST_F(Snapshot, TheMcpSpeedIsClampedInKnotsAndInMach) {
    struct Case {
        int mach;
        float set, expected;
    } cases[] = {{0, 50.0f, 100.0f}, {0, 400.0f, 340.0f}, {0, 250.0f, 250.0f},
                 {1, 0.1f, 0.25f},   {1, 0.95f, 0.82f},   {1, 0.78f, 0.78f}};
    for (const Case& c : cases) {
        standin::setInt("sim/cockpit/autopilot/airspeed_is_mach", c.mach);
        standin::setFloat("sim/cockpit/autopilot/airspeed", c.set);
        frame();
        EXPECT_FLOAT_EQ(standin::getFloat("sim/cockpit/autopilot/airspeed"), c.expected)
            << (c.mach ? "Mach " : "knots ") << c.set;
    }
}

TEST_F(Snapshot, AnAircraftWithoutVnoGetsNoUpperSpeedLimit) {
    snapshot.vno = 0.0f;
    standin::setFloat("sim/cockpit/autopilot/airspeed", 280.0f);
    frame();
    EXPECT_FLOAT_EQ(standin::getFloat("sim/cockpit/autopilot/airspeed"), 280.0f);
}

TEST_F(Snapshot, MachSpeedIsAlsoExpressedAsIndicatedAirspeed) {
    standin::setInt("sim/cockpit/autopilot/airspeed_is_mach", 1);
    standin::setFloat("sim/cockpit/autopilot/airspeed", 0.78f);
    standin::setFloat("sim/flightmodel/position/indicated_airspeed", 280.0f);
    standin::setFloat("sim/flightmodel/misc/machno", 0.77f);
    frame();
    // The knots of Mach 0.78 at the ratio of the present 280 kt to Mach 0.77:
    // the aircraft flies the Mach it is given, not 0.01 below it.
    EXPECT_NEAR(snapshot.apSpeedAsIas, 280.0f * 0.78f / 0.77f, 1e-3f);
}

TEST_F(Snapshot, TheSimulatorsOwnAutopilotIsTurnedBackToFlightDirector) {
    standin::setInt("sim/cockpit/autopilot/autopilot_mode", 2);
    ASSERT_GT(framesUntil([] { return standin::getInt("sim/cockpit/autopilot/autopilot_mode") == 1; }, 4),
              0);
}

TEST_F(Snapshot, TheSelectedNavSourcesSlopeIsClearedEveryFrame) {
    quil::NavSourceNext();  // NAV2
    standin::setInt("sim/cockpit/switches/HSI_selector", 1);
    standin::setFloat("sim/cockpit/radios/nav2_slope_degt", -3.0f);
    standin::setInt("sim/cockpit/radios/nav2_freq_hz", 10950);
    frame();
    EXPECT_TRUE(snapshot.hasGlideSlope);
    EXPECT_FLOAT_EQ(snapshot.glideSlopeAngle, 3.0f);
    EXPECT_EQ(snapshot.navFrequency, 10950) << "the frequency is an integer dataref";
    EXPECT_EQ(standin::getFloat("sim/cockpit/radios/nav2_slope_degt"), 0.0f);
    standin::clearWriteLog();
    frame();
    EXPECT_EQ(writesTo("sim/cockpit/radios/nav2_slope_degt").size(), 1u);
    EXPECT_TRUE(writesTo("sim/cockpit/radios/nav1_slope_degt").empty());
}

TEST_F(Snapshot, WithGpsSelectedTheRadioValuesKeepTheirLastReading) {
    standin::setInt("sim/cockpit/radios/nav1_freq_hz", 11030);
    standin::setFloat("sim/cockpit/radios/nav1_vdef_dot", 0.7f);
    standin::setFloat("sim/cockpit/radios/nav1_slope_degt", 3.0f);
    frame();
    standin::setInt("sim/cockpit/switches/HSI_selector", 2);
    standin::setInt("sim/cockpit/radios/nav1_freq_hz", 10800);
    standin::setFloat("sim/cockpit/radios/gps_hdef_dot", 1.2f);
    frame();
    EXPECT_EQ(snapshot.navFrequency, 11030);
    EXPECT_FLOAT_EQ(snapshot.navVdef, 0.7f);
    EXPECT_FALSE(snapshot.hasGlideSlope);
    EXPECT_FLOAT_EQ(snapshot.navHdef, 1.2f);
    EXPECT_EQ(snapshot.navFromTo, 0.0f);
}

TEST_F(Snapshot, BatteryEquipmentIsWrittenEveryEighthFrame) {
    standin::clearWriteLog();
    for (int i = 0; i < 24; ++i) frame();
    const std::vector<standin::DataRefWrite> writes = writesTo("sim/cockpit/electrical/battery_EQ");
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[1].frame - writes[0].frame, 8);
    EXPECT_EQ(writes[2].frame - writes[1].frame, 8);
}

TEST_F(Snapshot, AHeadingKnobTurnedTheShortWayRoundMovesTheMcpHeading) {
    standin::setFloat("sim/cockpit/autopilot/heading_mag", 350.0f);
    frame();
    ASSERT_EQ(snapshot.mcpHeading, 350.0f);
    standin::setFloat("sim/cockpit/autopilot/heading_mag", 10.0f);  // d = -340: up by 20
    frame();
    EXPECT_EQ(snapshot.mcpHeading, 10.0f);
    standin::setFloat("sim/cockpit/autopilot/heading_mag", 300.0f);  // d = +290: down by 70
    frame();
    EXPECT_EQ(snapshot.mcpHeading, 300.0f);
    standin::setFloat("sim/cockpit/autopilot/heading_mag", 290.0f);
    frame();
    EXPECT_EQ(snapshot.mcpHeading, 290.0f);
}

TEST_F(Snapshot, AFractionalHeadingSettlesToAWholeDegree) {
    standin::setFloat("sim/cockpit/autopilot/heading_mag", 10.0f);
    frame();
    standin::setFloat("sim/cockpit/autopilot/heading_mag", 10.4f);
    frame();
    EXPECT_EQ(snapshot.mcpHeading, 11.0f) << "a step below one degree counts as one";
    EXPECT_EQ(standin::getFloat("sim/cockpit/autopilot/heading_mag"), 11.0f);
    frame();
    EXPECT_EQ(snapshot.mcpHeading, 11.0f);
}

TEST_F(Snapshot, DeviationRateIsMeasuredAndValidAfterHalfASecond) {
    standin::setInt(kNav1Lateral, 1);
    frame();
    EXPECT_FALSE(snapshot.hdefRateValid) << "a bind starts the measurement afresh";
    standin::setFloat("sim/cockpit/radios/nav1_hdef_dot", 3.0f);  // out of range
    frame();
    const float start = snapshot.now;
    float deviation = 1.0f;
    int validFrames = 0;
    for (int i = 0; i < 30; ++i) {
        deviation -= 0.01f;
        standin::setFloat("sim/cockpit/radios/nav1_hdef_dot", deviation);
        frame();
        if (i > 0) {
            EXPECT_NEAR(snapshot.hdefRate, -0.3f, 1e-3f);
        }
        EXPECT_EQ(snapshot.hdefRateValid != 0, snapshot.now - start > 0.5f) << "frame " << i;
        validFrames += snapshot.hdefRateValid;
    }
    EXPECT_GE(validFrames, 14);
    standin::setFloat("sim/cockpit/radios/nav1_hdef_dot", 2.42f);
    frame();
    EXPECT_EQ(snapshot.hdefRate, 0.0f);
    EXPECT_FALSE(snapshot.hdefRateValid);
    standin::setFloat("sim/cockpit/radios/nav1_hdef_dot", 0.5f);
    standin::setPaused(true);
    frame();
    frame();  // a paused frame: dt = 0
    EXPECT_EQ(snapshot.hdefRate, 0.0f);
    EXPECT_EQ(snapshot.hdefRateSince, snapshot.now);
    standin::setPaused(false);
    for (int i = 0; i < 30; ++i) frame();
    ASSERT_TRUE(snapshot.hdefRateValid);
    standin::setInt(kNav1Lateral, 0);  // the needle rests flagged: no rate
    frame();
    frame();
    EXPECT_FALSE(snapshot.hdefRateValid);
    EXPECT_EQ(snapshot.hdefRateSince, snapshot.now);
}

// The flags of the receiver the HSI shows; a simulator without the signal
// datarefs is taken to hear its stations, and GPS has no glide slope.
TEST_F(Snapshot, TheSelectedReceiverShowsItsFlagsWhereItHearsNoSignal) {
    struct Case {
        const char* name;
        int source;
        int nav1[2], nav2[2];  // lateral and glide-slope signal
        bool absent;
        bool lateralFlag, glideSlopeFlag;
    };
    const Case cases[] = {
        {"NAV1 hears a localizer only", 0, {1, 0}, {0, 1}, false, false, true},
        {"NAV2 hears both", 1, {0, 0}, {1, 1}, false, false, false},
        {"NAV2 hears nothing", 1, {1, 1}, {0, 0}, false, true, true},
        {"GPS", 2, {0, 0}, {0, 0}, false, false, true},
        {"a simulator without the datarefs", 0, {0, 0}, {0, 0}, true, false, false},
    };
    for (const Case& c : cases) {
        const std::string receivers[2] = {"nav1", "nav2"};
        for (int r = 0; r < 2; ++r) {
            const int* signal = r == 0 ? c.nav1 : c.nav2;
            const std::string prefix = "sim/cockpit2/radios/indicators/" + receivers[r];
            standin::setInt(prefix + "_display_horizontal", signal[0]);
            standin::setInt(prefix + "_display_vertical", signal[1]);
            if (c.absent) {
                standin::markDataRefAbsent(prefix + "_display_horizontal");
                standin::markDataRefAbsent(prefix + "_display_vertical");
            }
        }
        if (c.absent) ASSERT_EQ(quil::BindSimulatorState(), 1);
        standin::setInt("sim/cockpit/switches/HSI_selector", c.source);
        frame();
        EXPECT_EQ(snapshot.navLateralFlag != 0, c.lateralFlag) << c.name;
        EXPECT_EQ(snapshot.navGlideSlopeFlag != 0, c.glideSlopeFlag) << c.name;
    }
}

TEST_F(Snapshot, EgtAndOilTemperatureNeverReadBelowTheOutsideAir) {
    standin::setFloat("sim/weather/temperature_le_c", 25.7f);
    standin::setFloat("sim/flightmodel/engine/ENGN_EGT_c", 10.0f, 0);
    standin::setFloat("sim/flightmodel/engine/ENGN_EGT_c", 400.0f, 1);
    for (int i = 0; i < 8; ++i) frame();
    EXPECT_EQ(snapshot.oat, 25);
    EXPECT_EQ(snapshot.egt[0], 25.0f);
    EXPECT_EQ(snapshot.egt[1], 400.0f);
    EXPECT_EQ(snapshot.oilTemp[0], 25.0f);
}

TEST_F(Snapshot, MarkersAreReportedOuterFirst) {
    standin::setInt("sim/cockpit/misc/inner_marker_lit", 1);
    frame();
    EXPECT_EQ(snapshot.markerLit, 3);
    standin::setInt("sim/cockpit/misc/middle_marker_lit", 1);
    frame();
    EXPECT_EQ(snapshot.markerLit, 2);
    standin::setInt("sim/cockpit/misc/outer_marker_lit", 1);
    frame();
    EXPECT_EQ(snapshot.markerLit, 1);
}

TEST_F(Snapshot, TheTailNumberIsWrittenWithItsTerminator) {
    quil::SetTailNumber("OY-QLAXYZ");
    quil::SetTailNumber("D-AB");
    EXPECT_EQ(standin::getBytes("sim/aircraft/view/acf_tailnum"), "D-AB");
    // The simulator's field holds 40 bytes: 39 characters and the zero.
    quil::SetTailNumber(std::string(60, 'X').c_str());
    EXPECT_EQ(standin::getBytes("sim/aircraft/view/acf_tailnum"), std::string(39, 'X'));
}

}  // namespace
