// The model reset that follows every start, aircraft load and airport load
// by one second, run once on the first frame past its due time.
#include <gtest/gtest.h>

#include "host/lifecycle.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"

namespace {

// The plug-in's code runs inside the test process here, started as the
// simulator would start it, so its internal due time can be watched.
class DelayedReset : public quiltest::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        standin::setBytes("sim/aircraft/view/acf_author", "Orrin Valdemarsson");
        standin::setBytes("sim/aircraft/view/acf_descrip", "Boeing 737-800");
        char name[256], signature[256], description[256];
        ASSERT_EQ(quil::StartPlugin(name, signature, description), 1);
    }
    void TearDown() override {
        quil::StopPlugin();
        HostTest::TearDown();
    }
    // Frames until the pending reset has run; -1 if it never does.
    int framesUntilReset(int limit) {
        for (int n = 1; n <= limit; ++n) {
            standin::runFrame();
            if (quil::resetDueTime < 0.0f) return n;
        }
        return -1;
    }
};

TEST_F(DelayedReset, RunsOnceOnTheFirstFramePastOneSecond) {
    const float due = quil::resetDueTime;
    EXPECT_FLOAT_EQ(due, standin::simTime() + 1.0f);
    const int frames = framesUntilReset(60);
    ASSERT_GT(frames, 0);
    EXPECT_GT(quil::snapshot.now, due);
    EXPECT_LE(quil::snapshot.now - 1.0f / 30.0f, due) << "the first frame past the due time";
    standin::runFrames(60);
    EXPECT_EQ(quil::resetDueTime, -1.0f);
}

TEST_F(DelayedReset, EveryAircraftOrAirportLoadSchedulesItAgain) {
    framesUntilReset(60);
    for (int message : {102, 103}) {
        quil::ReceiveMessage(XPLM_PLUGIN_XPLANE, message, nullptr);
        EXPECT_FLOAT_EQ(quil::resetDueTime, quil::snapshot.now + 1.0f) << message;
        EXPECT_GT(framesUntilReset(60), 25) << message;
    }
}

TEST_F(DelayedReset, WaitsWhileThePlugInIsPassive) {
    standin::setBytes("sim/aircraft/view/acf_author", "Someone Else");
    quil::ReceiveMessage(XPLM_PLUGIN_XPLANE, 102, nullptr);
    EXPECT_EQ(quil::pluginActive, 0);
    standin::runFrames(60);
    EXPECT_GT(quil::resetDueTime, 0.0f) << "nothing runs for an aircraft we do not serve";
}

}  // namespace
