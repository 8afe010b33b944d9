// The stand-in host's flight model, flown by hand from the test through the
// simulator's datarefs: the standard atmosphere, level flight at published
// trim points, the climb at climb thrust, the bank of a turn, the take-off
// roll, and the floating-point trap around the flight loops.
#include <cfenv>
#include <cmath>

#include <gtest/gtest.h>

#include "XPLMUtilities.h"
#include "standin/flight/atmosphere.h"
#include "standin/flight/fp_trap.h"
#include "standin/standin.h"

namespace {

using namespace standin;

constexpr double kFramesPerSecond = 30.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kEarthRadiusM = 1852.0 * 60.0 * 180.0 / kPi;

class FlightModel : public ::testing::Test {
protected:
    void SetUp() override {
        HostConfig config;
        config.graphics = false;
        startHost(config);
    }
    void TearDown() override { stopHost(); }

    void setThrottles(double ratio) {
        for (int engine = 0; engine < 2; ++engine)
            setFloat("sim/flightmodel/engine/ENGN_thro", static_cast<float>(ratio), engine);
    }

    // One second of frames with a hand on the elevator trim holding the
    // airspeed by the pitch (nose up when fast) and one on the aileron trim
    // holding a bank; returns the turn of the heading in that second.
    double flySecond(double ias, double bank) {
        const double headingBefore = getFloat("sim/flightmodel/position/psi");
        for (int frame = 0; frame < kFramesPerSecond; ++frame) {
            const double speedError = getFloat("sim/flightmodel/position/indicated_airspeed") - ias;
            pitchGoal_ += 0.03 * speedError / kFramesPerSecond;
            const double pitch = getFloat("sim/flightmodel/position/theta");
            const double pitchError = pitchGoal_ + 0.3 * speedError - pitch;
            elevator_ += 0.15 * pitchError / kFramesPerSecond;
            setFloat("sim/flightmodel/controls/elv_trim",
                     static_cast<float>(elevator_ + 0.08 * pitchError));
            const double bankError = bank - getFloat("sim/flightmodel/position/phi");
            setFloat("sim/flightmodel/controls/ail_trim", static_cast<float>(0.03 * bankError));
            runFrame();
        }
        return std::remainder(getFloat("sim/flightmodel/position/psi") - headingBefore, 360.0);
    }

    // Fly from the trimmed start.
    void takeHold() {
        elevator_ = getFloat("sim/flightmodel/controls/elv_trim");
        pitchGoal_ = getFloat("sim/flightmodel/position/theta");
    }

    double elevator_ = 0.0;
    double pitchGoal_ = 0.0;
};

TEST_F(FlightModel, StandardAtmosphereAndAirspeeds) {
    struct Row {
        double altitudeM, temperatureK, pressurePa, density, mach, calibratedKt;
    };
    // ICAO standard atmosphere tables; calibrated airspeeds of the usual
    // airspeed-Mach charts (Mach 0.78 at FL350 is 264 kt).
    const Row rows[] = {
        {0.0, 288.15, 101325.0, 1.2250, 0.30, 198.4},
        {3048.0, 268.34, 69682.0, 0.9046, 0.45, 248.7},
        {5000.0, 255.65, 54020.0, 0.7361, 0.60, 295.6},
        {10668.0, 218.81, 23842.0, 0.3796, 0.78, 264.4},
        {11000.0, 216.65, 22632.0, 0.3639, 0.78, 257.9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.altitudeM);
        const flight::Air air = flight::standardAir(row.altitudeM);
        EXPECT_NEAR(air.temperatureK, row.temperatureK, 0.01);
        EXPECT_NEAR(air.pressurePa, row.pressurePa, row.pressurePa * 0.001);
        EXPECT_NEAR(air.density, row.density, row.density * 0.002);
        const double calibrated = flight::calibratedFromMach(row.mach, air);
        EXPECT_NEAR(calibrated / standin::kMetresPerSecondPerKnot, row.calibratedKt, 1.0);
        EXPECT_NEAR(flight::machFromCalibrated(calibrated, air), row.mach, 1e-6);
    }
}

// Level flight trimmed at the model's start, and flown untouched for 20 s:
// the N1 and fuel flow it needs against published 737-800 figures (within
// 5 % and 15 %): the pilots' 65 % N1 for 250 kt low down; some 2,600 kg/h
// for both engines at 280 kt at 10,000 ft; the long-range cruise tables'
// 85 % N1 and 1,200 kg/h an engine at Mach 0.78, FL350, 65 t, and 86 % and
// 1,400 kg/h at Mach 0.76, FL310, 75 t.
TEST_F(FlightModel, LevelFlightTrimPoints) {
    struct Row {
        double massKg, altitudeFt, calibratedKt, mach, n1, fuelKgPerHour;
    };
    const Row rows[] = {
        {50000.0, 5000.0, 250.0, 0.0, 65.0, 1050.0},
        {65000.0, 10000.0, 280.0, 0.0, 74.0, 1300.0},
        {65000.0, 35000.0, 0.0, 0.78, 85.0, 1200.0},
        {75000.0, 31000.0, 0.0, 0.76, 86.0, 1400.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.altitudeFt);
        SetUp();
        FlightStart start;
        start.altitudeFt = row.altitudeFt;
        start.massKg = row.massKg;
        const flight::Air air = flight::standardAir(row.altitudeFt * standin::kMetresPerFoot);
        start.airspeedKt = row.mach > 0.0 ? flight::calibratedFromMach(row.mach, air) /
                                                standin::kMetresPerSecondPerKnot
                                          : row.calibratedKt;
        startFlight(start);
        runFrames(20 * kFramesPerSecond);
        EXPECT_NEAR(getFloat("sim/flightmodel/position/indicated_airspeed"), start.airspeedKt, 1.0);
        EXPECT_NEAR(getFloat("sim/flightmodel/misc/h_ind"), row.altitudeFt, 50.0);
        for (int engine = 0; engine < 2; ++engine) {
            EXPECT_NEAR(getFloat("sim/flightmodel/engine/ENGN_N1_", engine), row.n1, row.n1 * 0.05);
            EXPECT_NEAR(getFloat("sim/flightmodel/engine/ENGN_FF_", engine) * 3600.0,
                        row.fuelKgPerHour, row.fuelKgPerHour * 0.15);
        }
    }
}

// 250 kt with the throttles at the climb limit (91.8 % N1 at 10000 ft on a
// standard day, 93.2 % at 7000 ft): the published 737-800 climbs at 2000 to
// 3000 fpm at its usual weights, less at the maximum take-off mass.
TEST_F(FlightModel, ClimbAtClimbThrust) {
    struct Row {
        double massKg, altitudeFt, throttle, leastFpm, mostFpm;
    };
    const Row rows[] = {
        {65000.0, 10000.0, 0.874, 2000.0, 3000.0},
        {60000.0, 7000.0, 0.891, 2400.0, 3400.0},
        {79000.0, 10000.0, 0.874, 1200.0, 2200.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.massKg);
        SetUp();
        FlightStart start;
        start.altitudeFt = row.altitudeFt;
        start.airspeedKt = 250.0;
        start.massKg = row.massKg;
        startFlight(start);
        takeHold();
        setThrottles(row.throttle);
        for (int second = 0; second < 40; ++second) flySecond(250.0, 0.0);
        const double altitudeBefore = getFloat("sim/flightmodel/misc/h_ind");
        for (int second = 0; second < 20; ++second) flySecond(250.0, 0.0);
        const double climbFpm = (getFloat("sim/flightmodel/misc/h_ind") - altitudeBefore) * 3.0;
        EXPECT_NEAR(getFloat("sim/flightmodel/position/indicated_airspeed"), 250.0, 2.0);
        EXPECT_GT(climbFpm, row.leastFpm);
        EXPECT_LT(climbFpm, row.mostFpm);
        // The climb slows as the thrust lapses with height.
        EXPECT_NEAR(getFloat("sim/flightmodel/position/vh_ind_fpm"), climbFpm, climbFpm * 0.1);
    }
}

// A level turn needs tan(bank) = V × rate / g: at 250 kt (130.5 m/s true at
// 1000 ft) 25° of bank turns 2.0 °/s, and the standard rate of 3 °/s needs
// 34.5°; at 160 kt 25° gives 3.1 °/s.
TEST_F(FlightModel, TurnRateFromBank) {
    struct Row {
        double ias, bank, degreesPerSecond;
    };
    const Row rows[] = {
        {250.0, 25.0, 2.01},
        {250.0, 34.5, 2.96},
        {160.0, 25.0, 3.14},
        {250.0, -25.0, -2.01},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bank);
        SetUp();
        FlightStart start;
        start.altitudeFt = 1000.0;
        start.fieldElevationFt = 0.0;
        start.airspeedKt = row.ias;
        start.flaps = row.ias < 200.0 ? 0.375 : 0.0;
        startFlight(start);
        takeHold();
        setThrottles(getFloat("sim/flightmodel/engine/ENGN_thro", 0) + 0.05);
        for (int second = 0; second < 25; ++second) flySecond(row.ias, row.bank);
        double turned = 0.0;
        for (int second = 0; second < 10; ++second) turned += flySecond(row.ias, row.bank);
        EXPECT_NEAR(getFloat("sim/flightmodel/position/phi"), row.bank, 0.5);
        EXPECT_NEAR(turned / 10.0, row.degreesPerSecond, std::fabs(row.degreesPerSecond) * 0.03);
        EXPECT_NEAR(getFloat("sim/flightmodel/position/hpath"),
                    getFloat("sim/flightmodel/position/psi"), 0.01);
    }
}

// From standing at take-off thrust (97.5 % N1) with flaps 5 to the rotation
// speed: the 737-800's published take-off field lengths at sea level put
// the roll to rotation near 1.3 km at 65 t and 2 km at the maximum mass.
TEST_F(FlightModel, TakeoffRollToRotation) {
    struct Row {
        double massKg, rotateKt, leastM, mostM;
    };
    const Row rows[] = {
        {65000.0, 145.0, 1000.0, 1600.0},
        {79000.0, 158.0, 1500.0, 2300.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.massKg);
        SetUp();
        FlightStart start;
        start.onGround = true;
        start.flaps = 0.375;
        start.gearDown = true;
        start.massKg = row.massKg;
        startFlight(start);
        EXPECT_NEAR(getFloat("sim/flightmodel/forces/fnrml_gear"), row.massKg * 9.80665,
                    row.massKg * 0.01);
        const double lat0 = getDouble("sim/flightmodel/position/latitude");
        const double lon0 = getDouble("sim/flightmodel/position/longitude");
        setThrottles(0.944);
        int frames = 0;
        while (getFloat("sim/flightmodel/position/indicated_airspeed") < row.rotateKt &&
               frames < 120 * kFramesPerSecond) {
            runFrame();
            ++frames;
        }
        const double north = (getDouble("sim/flightmodel/position/latitude") - lat0) * kPi / 180.0;
        const double east = (getDouble("sim/flightmodel/position/longitude") - lon0) * kPi / 180.0 *
                            std::cos(lat0 * kPi / 180.0);
        const double distance = std::hypot(north, east) * kEarthRadiusM;
        EXPECT_GT(distance, row.leastM);
        EXPECT_LT(distance, row.mostM);
        EXPECT_NEAR(getFloat("sim/flightmodel/engine/ENGN_N1_", 0), 97.5, 0.3);
        EXPECT_GT(getFloat("sim/flightmodel/forces/fnrml_gear"), 0.0f);
        EXPECT_FLOAT_EQ(getFloat("sim/flightmodel/position/y_agl"), 2.1f);
    }
}

// Engine 1 on the ground, step by step: the starter turns the core to
// about 25 % N2; fuel lights it and it runs up to idle (21 % N1, 60 % N2)
// and keeps running without the starter; the throttle spools it to
// take-off thrust in some 5 s; the start lever at cut-off stops it. The
// simulator counts the time the starter is engaged.
TEST_F(FlightModel, EnginesStartRunAndStop) {
    struct Step {
        const char* what;
        bool starter, fuel;
        double throttle, seconds;
        double leastN2, mostN2, leastN1, mostN1;
        bool burning;
    };
    const Step steps[] = {
        {"starter", true, false, 0.0, 30.0, 23.0, 25.0, 8.0, 9.0, false},
        {"light-off", true, true, 0.0, 30.0, 58.0, 60.0, 20.0, 21.5, true},
        {"starter off", false, true, 0.0, 10.0, 59.8, 60.0, 20.9, 21.1, true},
        {"take-off thrust", false, true, 0.944, 5.0, 94.0, 99.0, 90.0, 98.0, true},
        {"settled", false, true, 0.944, 10.0, 97.4, 97.8, 97.4, 97.6, true},
        {"cut-off", false, false, 0.0, 30.0, 0.0, 1.0, 0.0, 0.5, false},
    };
    FlightStart start;
    start.onGround = true;
    start.enginesRunning = false;
    startFlight(start);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        (step.starter ? XPLMCommandButtonPress : XPLMCommandButtonRelease)(xplm_joy_start_0);
        setFloat("sim/flightmodel/engine/ENGN_mixt", step.fuel ? 1.0f : 0.0f, 0);
        setFloat("sim/flightmodel/engine/ENGN_thro", static_cast<float>(step.throttle), 0);
        runFrames(static_cast<int>(step.seconds * kFramesPerSecond));
        const double n2 = getFloat("sim/flightmodel/engine/ENGN_N2_", 0);
        const double n1 = getFloat("sim/flightmodel/engine/ENGN_N1_", 0);
        EXPECT_GE(n2, step.leastN2);
        EXPECT_LE(n2, step.mostN2);
        EXPECT_GE(n1, step.leastN1);
        EXPECT_LE(n1, step.mostN1);
        EXPECT_EQ(getFloat("sim/flightmodel/engine/ENGN_FF_", 0) > 0.0f, step.burning);
        EXPECT_EQ(getFloat("sim/flightmodel/engine/ENGN_EGT_c", 0) > 300.0f, step.burning);
    }
    EXPECT_NEAR(getFloat("sim/cockpit/engine/starter_duration", 0), 60.0, 0.1);
    // Engine 2 was never started.
    EXPECT_EQ(getFloat("sim/flightmodel/engine/ENGN_N2_", 1), 0.0f);
}

// Starts no aircraft could fly, and trims, throttles and tank masses no
// autopilot would write, are flown within the model's limits: every flight
// value stays a number.
TEST_F(FlightModel, HostileInputsKeepEveryFlightValueANumber) {
    const double nan = std::nan("");
    struct Row {
        double altitudeFt, airspeedKt, massKg, latitude, trim, fuelKg;
    };
    const Row rows[] = {
        {nan, nan, nan, nan, nan, nan},
        {1e30, 1e30, 1e30, 1e30, 1e30, 1e30},
        {-1e30, -1e30, -1e30, -1e30, -1e30, -1e30},
        {8000.0, 250.0, 0.0, 90.0, 0.0, 0.0},
    };
    const char* const flightValues[] = {
        "sim/flightmodel/position/theta", "sim/flightmodel/position/phi",
        "sim/flightmodel/position/psi", "sim/flightmodel/position/vh_ind_fpm",
        "sim/flightmodel/position/indicated_airspeed", "sim/flightmodel/misc/machno",
        "sim/flightmodel/misc/h_ind", "sim/flightmodel/position/groundspeed",
        "sim/flightmodel/weight/m_total", "sim/flightmodel/engine/ENGN_N1_",
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.altitudeFt);
        SetUp();
        FlightStart start;
        start.altitudeFt = row.altitudeFt;
        start.airspeedKt = row.airspeedKt;
        start.massKg = row.massKg;
        start.latitude = row.latitude;
        startFlight(start);
        setWind(row.trim, row.trim);
        for (const char* trim : {"sim/flightmodel/controls/elv_trim",
                                 "sim/flightmodel/controls/ail_trim",
                                 "sim/flightmodel/controls/rud_trim"})
            setFloat(trim, static_cast<float>(row.trim));
        setFloat("sim/flightmodel/weight/m_fuel1", static_cast<float>(row.fuelKg));
        setThrottles(row.trim);
        runFrames(20 * kFramesPerSecond);
        for (const char* name : flightValues) EXPECT_TRUE(std::isfinite(getFloat(name))) << name;
        EXPECT_TRUE(std::isfinite(getDouble("sim/flightmodel/position/latitude")));
        EXPECT_TRUE(std::isfinite(getDouble("sim/flightmodel/position/longitude")));
    }
}

// Over a pole the latitude reflects, the longitude turns by 180° and the
// aircraft heads the other way; across the antimeridian the longitude wraps.
TEST_F(FlightModel, PositionsStayOnTheGlobeOverThePolesAndTheAntimeridian) {
    struct Row {
        double latitude, longitude, heading;
        double endLatitude, endLongitude, endHeading;  // about, after a minute
    };
    const Row rows[] = {
        {89.98, 12.0, 0.0, 89.95, -168.0, 180.0},
        {-89.98, 12.0, 180.0, -89.95, -168.0, 0.0},
        {0.0, 179.98, 90.0, 0.0, -179.95, 90.0},
        {0.0, -179.98, 270.0, 0.0, 179.95, 270.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.latitude) + " " + std::to_string(row.longitude));
        SetUp();
        setFloat("sim/flightmodel/position/magnetic_variation", 0.0f);
        FlightStart start;
        start.latitude = row.latitude;
        start.longitude = row.longitude;
        start.headingDeg = row.heading;
        start.airspeedKt = 250.0;
        startFlight(start);
        for (int frame = 0; frame < 60 * kFramesPerSecond; ++frame) {
            runFrame();
            ASSERT_LE(std::fabs(getDouble("sim/flightmodel/position/latitude")), 90.0) << frame;
            ASSERT_LE(std::fabs(getDouble("sim/flightmodel/position/longitude")), 180.0) << frame;
        }
        EXPECT_NEAR(getDouble("sim/flightmodel/position/latitude"), row.endLatitude, 0.03);
        EXPECT_NEAR(getDouble("sim/flightmodel/position/longitude"), row.endLongitude, 0.03);
        EXPECT_NEAR(std::remainder(getFloat("sim/flightmodel/position/psi") - row.endHeading, 360.0),
                    0.0, 2.0);
    }
}

TEST(FloatingPointTrap, ReportsWhereAFlightLoopMadeANaN) {
    EXPECT_EXIT(
        {
            standin::detail::armFloatingPointReport();
            standin::detail::FloatingPointTrap trap(7, 1234, 56.5);
            volatile double zero = 0.0;
            volatile double nan = zero / zero;
            (void)nan;
        },
        ::testing::ExitedWithCode(3),
        "invalid operation \\(NaN\\) in the flight loop of plug-in 7, frame 1234, 56.500 s");
    // Outside a trap the same operation goes on quietly.
    volatile double zero = 0.0;
    EXPECT_TRUE(std::isnan(zero / zero));
}

}  // namespace
