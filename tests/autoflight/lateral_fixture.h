// In-process flight for the lateral guidance tests: the plug-in's code
// bound to a fresh stand-in host, airborne, stepped frame by frame in the
// order of the systems update, with a simple aircraft that banks as the
// flight director commands and turns at the rate its bank gives.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "autoflight/lateral.h"
#include "autoflight/modes.h"
#include "host/sim_binding.h"
#include "host/snapshot.h"
#include "support/host_fixture.h"

namespace quiltest {

constexpr float kFrameSeconds = 1.0f / 30.0f;
constexpr char kFdRoll[] = "sim/cockpit/autopilot/flight_director_roll";

class LateralFlight : public InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        quil::snapshot = quil::SimSnapshot{};
        standin::setBytes("sim/aircraft/view/acf_author", "Orrin Valdemarsson");
        standin::setBytes("sim/aircraft/view/acf_descrip", "Boeing 737-800");
        ASSERT_EQ(quil::BindSimulatorState(), 1);
        quil::AfdsReset();
        quil::mcpApConnect(quil::kMcpOn);
        fly(5000.0f, 130.0f, 0.0f);
        frame();  // no roll mode: the roll law rests
    }

    // Level at `feet` above the ground, `speed` m/s over it, heading and
    // track `heading`, the bank selector at its 30 deg stop.
    void fly(float feet, float speed, float heading) {
        quil::snapshot.radioAltitude = feet;
        quil::snapshot.indicatedAltitude = feet;
        quil::snapshot.groundSpeed = speed;
        quil::snapshot.ias = 250.0f;
        quil::snapshot.bankLimit = 30.0f;
        steer(heading);
    }
    void steer(float heading) {
        quil::snapshot.magHeading = heading;
        quil::snapshot.track = heading;
    }
    void place(double lat, double lon) {
        standin::setDouble("sim/flightmodel/position/latitude", lat);
        standin::setDouble("sim/flightmodel/position/longitude", lon);
    }

    // The simulator's clock moves on one frame; then the flight plan and
    // the autoflight step, as the systems update runs them.
    void frame(float seconds = kFrameSeconds) {
        standin::setFrameInterval(seconds);
        standin::runFrame();
        quil::TrackFlightPlan();
        quil::AutoflightStep();
    }
    void frames(float seconds) {
        for (int i = 0; i < static_cast<int>(seconds / kFrameSeconds); ++i) frame();
    }

    // One frame, after which the aircraft holds the commanded bank and
    // turns at g tan(bank) / v.
    void flyFrame() {
        frame();
        const float bank = fdRoll();
        quil::snapshot.roll = bank;
        const float v = quil::snapshot.groundSpeed;
        const float rate = 9.81f * std::tan(bank / 57.2957795f) / v * 57.2957795f;
        float heading = std::fmod(quil::snapshot.magHeading + rate * kFrameSeconds, 360.0f);
        if (heading < 0.0f) heading += 360.0f;
        steer(heading);
    }

    float fdRoll() const { return standin::getFloat(kFdRoll); }
};

}  // namespace quiltest
