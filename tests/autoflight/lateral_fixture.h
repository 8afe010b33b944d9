// In-process flight for the lateral guidance tests: the plug-in's code bound
// to a fresh stand-in host, airborne, stepped in the order of the systems
// update, with an aircraft that banks as the flight director commands.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "autoflight/lateral.h"
#include "autoflight/modes.h"
#include "host/snapshot_read.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"
#include "support/served_aircraft.h"

namespace quiltest {

constexpr float kFrameSeconds = 1.0f / 30.0f;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class LateralFlight : public InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        quil::snapshot = quil::SimSnapshot{};
        BindServedAircraft();
        if (HasFatalFailure()) return;
        quil::AfdsReset();
        quil::mcpApConnect(quil::kMcpOn);
        // 5000 ft above the ground at 130 m/s, the bank selector at 30 deg.
        quil::snapshot.radioAltitude = quil::snapshot.indicatedAltitude = 5000.0f;
        quil::snapshot.groundSpeed = 130.0f;
        quil::snapshot.ias = 250.0f;
        quil::snapshot.bankLimit = 30.0f;
        steer(0.0f);
        frame();  // no roll mode: the roll law rests
    }

    void steer(float heading) { quil::snapshot.magHeading = quil::snapshot.track = heading; }
    void place(double lat, double lon) {
        standin::setDouble("sim/flightmodel/position/latitude", lat);
        standin::setDouble("sim/flightmodel/position/longitude", lon);
    }
    float fdRoll() const { return standin::getFloat("sim/cockpit/autopilot/flight_director_roll"); }

    // The clock moves on one frame; then the flight plan and the autoflight.
    void frame(float seconds = kFrameSeconds) {
        standin::setFrameInterval(seconds);
        standin::runFrame();
        quil::ReadTime();
        quil::TrackFlightPlan();
        quil::AutoflightStep();
    }
    void frames(float seconds) {
        for (int i = 0; i < static_cast<int>(seconds / kFrameSeconds); ++i) frame();
    }
    // One frame, after which the aircraft holds the commanded bank and turns
    // at g tan(bank) / v.
    void flyFrame() {
        frame();
        quil::snapshot.roll = fdRoll();
        const float rate = 9.81f * std::tan(fdRoll() / 57.2957795f) / quil::snapshot.groundSpeed;
        const float heading = quil::snapshot.magHeading + rate * 57.2957795f * kFrameSeconds;
        steer(std::fmod(heading + 360.0f, 360.0f));
    }
};

}  // namespace quiltest
