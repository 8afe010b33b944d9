// Simulator time and flight loops: intervals in frames and seconds, pauses
// and jumps, and what plug-in code costs per frame.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>

#include <string>
#include <vector>

#include "XPLMProcessing.h"
#include "support/host_fixture.h"

namespace {

using quiltest::HostTest;

class Processing : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        loadProbe();
    }
    int calls() { return standin::getInt("probe/loop_calls"); }
};

TEST_F(Processing, TimeStartsAboveZeroAndAdvancesOneIntervalPerFrame) {
    const float start = standin::simTime();
    EXPECT_GT(start, 0.0f);
    standin::runFrames(30);
    EXPECT_NEAR(standin::simTime() - start, 1.0f, 1e-4f);
    EXPECT_EQ(standin::getFloat("sim/time/total_running_time_sec"), standin::simTime());
    EXPECT_NEAR(standin::getFloat("probe/loop_since_last_loop"), 1.0f / 30.0f, 1e-6f);
    EXPECT_EQ(standin::frameNumber(), 30);
}

TEST_F(Processing, NegativeIntervalsCountFrames) {
    standin::runFrame();
    EXPECT_EQ(calls(), 1);
    standin::setFloat("probe/loop_interval", -3.0f);
    standin::runFrame();  // returns -3 here: next call three frames on
    EXPECT_EQ(calls(), 2);
    standin::runFrames(2);
    EXPECT_EQ(calls(), 2);
    standin::runFrame();
    EXPECT_EQ(calls(), 3);
    EXPECT_NEAR(standin::getFloat("probe/loop_since_last_call"), 3.0f / 30.0f, 1e-5f);
}

// An interval of more frames than a long holds (-1e19) waits for ever
// rather than overflowing into a call every frame.
TEST_F(Processing, AnIntervalBeyondEveryFrameWaitsForEver) {
    setenv("QUIL_HOSTILE", "interval", 1);
    ASSERT_NE(standin::loadPlugin(QUIL_BUILD_DIR "/hostile/64/lin.xpl"), XPLM_NO_PLUGIN_ID);
    unsetenv("QUIL_HOSTILE");
    standin::runFrames(10);
    EXPECT_EQ(standin::getInt("hostile/loop_calls"), 1);
}

TEST_F(Processing, PositiveIntervalsCountSecondsAndZeroStopsTheCalls) {
    standin::setFloat("probe/loop_interval", 0.5f);
    standin::runFrame();
    const int afterFirst = calls();
    standin::runFrames(14);
    EXPECT_EQ(calls(), afterFirst);
    standin::runFrame();  // half a second after the first call
    EXPECT_EQ(calls(), afterFirst + 1);
    standin::setFloat("probe/loop_interval", 0.0f);
    standin::runFrames(15);
    EXPECT_EQ(calls(), afterFirst + 2);
    standin::runFrames(60);
    EXPECT_EQ(calls(), afterFirst + 2) << "an idle loop stays registered but is not called";
}

TEST_F(Processing, PausedFramesKeepTheRunningTimeAndJumpsShowInTheNextFrame) {
    standin::runFrame();
    const float before = standin::simTime();
    standin::setPaused(true);
    standin::runFrames(5);
    EXPECT_EQ(standin::simTime(), before);
    EXPECT_EQ(standin::getInt("sim/time/paused"), 1);
    EXPECT_EQ(calls(), 6) << "flight loops still run while paused";
    EXPECT_EQ(standin::getFloat("probe/loop_since_last_loop"), 0.0f);
    standin::setPaused(false);
    standin::jumpTime(120.0f);
    standin::runFrame();
    EXPECT_NEAR(standin::simTime() - before, 120.0f + 1.0f / 30.0f, 1e-3f);
    EXPECT_NEAR(standin::getFloat("probe/loop_since_last_call"), 120.0f + 1.0f / 30.0f, 1e-3f);
}

// The time of day and the date run on soundly whatever a plug-in wrote to
// them: back into the day and the 365-day year.
TEST_F(Processing, TheTimeOfDayAndTheDateStayInRangeWhateverWasWritten) {
    struct Case {
        int day;
        float seconds;
    };
    const Case cases[] = {{INT_MAX, 86399.99f}, {INT_MIN, 86399.99f}, {-1, std::nanf("")},
                          {5, -100.0f},         {5, INFINITY},        {400, 1e30f}};
    for (const Case& c : cases) {
        standin::setInt("sim/time/local_date_days", c.day);
        standin::setFloat("sim/time/local_time_sec", c.seconds);
        standin::setFloat("sim/time/zulu_time_sec", c.seconds);
        standin::runFrame();
        const int day = standin::getInt("sim/time/local_date_days");
        EXPECT_TRUE(day >= 0 && day < 365) << c.day << ": " << day;
        for (const char* clock : {"sim/time/local_time_sec", "sim/time/zulu_time_sec"}) {
            const float seconds = standin::getFloat(clock);
            EXPECT_TRUE(seconds >= 0.0f && seconds < 86400.0f) << c.seconds << ": " << seconds;
        }
    }
}

TEST_F(Processing, CountsSdkCallsAndAllocationsOfPlugInCodePerFrame) {
    standin::runFrame();
    // The probe's loop: two writes, a look-up and two reads.
    EXPECT_EQ(standin::lastFrameCounts().sdkCalls, 5);
    EXPECT_EQ(standin::lastFrameCalls("XPLMSetDataf"), 1);
    EXPECT_EQ(standin::lastFrameCalls("XPLMFindDataRef"), 1);
    EXPECT_EQ(standin::lastFrameCalls("XPLMDrawString"), 0);
    EXPECT_EQ(standin::lastFrameCallsByFunction().size(), 5u);
    EXPECT_EQ(standin::lastFrameCounts().allocations, 0)
        << "the host's own bookkeeping is not the plug-in's";
    standin::setInt("probe/allocations_per_call", 3);
    standin::runFrame();
    EXPECT_EQ(standin::lastFrameCounts().allocations, 3);
    EXPECT_GE(standin::totalCounts().sdkCalls, 10);
}

// Blocks are kept in a global so that the compiler cannot drop the pairs of
// allocation and release.
void* heldBlocks[8];

// The heap figure follows the blocks themselves: a freed block no longer
// counts, however the allocator keeps it for reuse (small ones it caches
// per thread, big ones it maps apart), and a resized block counts once.
TEST(HeapInUse, CountsHeldBlocksAndNothingOnceTheyAreFreed) {
    for (const size_t size : {24, 200, 1000, 70000, 1 << 20}) {
        const size_t before = standin::heapBytesInUse();
        for (void*& block : heldBlocks) block = std::malloc(size);
        EXPECT_GE(standin::heapBytesInUse(), before + 8 * size) << size;
        heldBlocks[0] = std::realloc(heldBlocks[0], 4 * size);
        EXPECT_GE(standin::heapBytesInUse(), before + 11 * size) << size;
        for (void* block : heldBlocks) std::free(block);
        EXPECT_EQ(standin::heapBytesInUse(), before) << size;
    }
}

class ProcessingDrawn : public Processing {
protected:
    standin::HostConfig config() const override { return standin::HostConfig(); }
};

// The GL driver allocates inside a plug-in's GL calls; that is not the
// plug-in's doing and is left out, while the plug-in's own allocations count.
TEST_F(ProcessingDrawn, AllocationsOfTheGraphicsDriverAreNotThePlugInsOwn) {
    if (!standin::graphicsAvailable()) GTEST_SKIP() << standin::graphicsRenderer();
    standin::setInt("probe/draw_quad", 1);
    standin::setInt("probe/reupload_texture", 1);
    standin::runFrames(3);
    EXPECT_EQ(standin::lastFrameCounts().allocations, 0);
    standin::setInt("probe/allocations_per_call", 2);
    standin::runFrame();
    EXPECT_EQ(standin::lastFrameCounts().allocations, 2);
}

float countCalls(float, float, int, void* refcon) {
    ++*static_cast<int*>(refcon);
    return -1.0f;
}

float unregisterSelf(float, float, int, void* refcon) {
    ++*static_cast<int*>(refcon);
    XPLMUnregisterFlightLoopCallback(unregisterSelf, refcon);
    return -1.0f;
}

TEST_F(Processing, LoopsAreKeyedByCallbackAndRefconAndMayLeaveFromInside) {
    int first = 0, second = 0, leaving = 0;
    XPLMRegisterFlightLoopCallback(countCalls, -1.0f, &first);
    XPLMRegisterFlightLoopCallback(countCalls, -1.0f, &second);
    XPLMRegisterFlightLoopCallback(unregisterSelf, -1.0f, &leaving);
    standin::runFrames(2);
    XPLMUnregisterFlightLoopCallback(countCalls, &first);
    standin::runFrames(2);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 4);
    EXPECT_EQ(leaving, 1);
}

// Loops by ID: which phase each ran in this frame, by its refcon's letter.
std::string order;

float note(float, float, int, void* refcon) {
    order += *static_cast<const char*>(refcon);
    return -1.0f;
}

float destroySelf(float, float, int, void* refcon) {
    order += 'D';
    XPLMDestroyFlightLoop(*static_cast<XPLMFlightLoopID*>(refcon));
    return -1.0f;
}

XPLMFlightLoopID createLoop(XPLMFlightLoopPhaseType phase, XPLMFlightLoop_f callback,
                            void* refcon) {
    XPLMCreateFlightLoop_t params{sizeof(XPLMCreateFlightLoop_t), phase, callback, refcon};
    return XPLMCreateFlightLoop(&params);
}

TEST_F(Processing, LoopsByIdRunInTheirPhaseAndMayBeDestroyedFromInside) {
    static char after = 'A', before = 'B', legacy = 'L';
    order.clear();
    const XPLMFlightLoopID afterLoop =
        createLoop(xplm_FlightLoop_Phase_AfterFlightModel, note, &after);
    const XPLMFlightLoopID beforeLoop =
        createLoop(xplm_FlightLoop_Phase_BeforeFlightModel, note, &before);
    XPLMRegisterFlightLoopCallback(note, -1.0f, &legacy);
    static XPLMFlightLoopID leaving = createLoop(xplm_FlightLoop_Phase_AfterFlightModel,
                                                 destroySelf, &leaving);
    standin::runFrame();
    EXPECT_EQ(order, "L") << "created loops wait for their schedule";
    for (XPLMFlightLoopID id : {afterLoop, beforeLoop, leaving}) XPLMScheduleFlightLoop(id, -1, 1);
    order.clear();
    standin::runFrames(2);
    EXPECT_EQ(order, "BALDBAL") << "a frame: before, then after in registration order";
    XPLMDestroyFlightLoop(beforeLoop);
    XPLMScheduleFlightLoop(beforeLoop, -1, 1);  // gone: ignored
    order.clear();
    standin::runFrame();
    EXPECT_EQ(order, "AL");

    XPLMCreateFlightLoop_t older{8, xplm_FlightLoop_Phase_AfterFlightModel, note, &after};
    XPLMCreateFlightLoop_t noCallback{sizeof(XPLMCreateFlightLoop_t), 0, nullptr, nullptr};
    XPLMCreateFlightLoop_t badPhase{sizeof(XPLMCreateFlightLoop_t), 2, note, &after};
    XPLMCreateFlightLoop_t* const refused[] = {&older, &noCallback, &badPhase, nullptr};
    for (XPLMCreateFlightLoop_t* params : refused) EXPECT_EQ(XPLMCreateFlightLoop(params), nullptr);
}

float noteFrame(float, float, int, void* refcon) {
    auto* frames = static_cast<std::vector<long>*>(refcon);
    frames->push_back(standin::frameNumber());
    return 0.0f;  // once
}

// Scheduled from now, or from the last call (the creation before any).
TEST_F(Processing, LoopsByIdAreScheduledFromNowOrFromTheLastCall) {
    struct Case {
        float interval;
        int relativeToNow;
        long firstCall;  // 0: none
    };
    const Case cases[] = {
        {-1.0f, 1, 3}, {-3.0f, 1, 5}, {-3.0f, 0, 3}, {0.1f, 1, 5}, {0.1f, 0, 3}, {0.0f, 1, 0},
    };
    for (const Case& c : cases) {
        standin::startHost(config());
        std::vector<long> frames;
        const XPLMFlightLoopID id =
            createLoop(xplm_FlightLoop_Phase_AfterFlightModel, noteFrame, &frames);
        standin::runFrames(2);
        XPLMScheduleFlightLoop(id, c.interval, c.relativeToNow);
        standin::runFrames(10);
        EXPECT_EQ(frames.empty() ? 0 : frames.front(), c.firstCall)
            << c.interval << " " << c.relativeToNow;
    }
}

TEST_F(Processing, ElapsedTimeCountsOnWhilePaused) {
    const float start = XPLMGetElapsedTime();
    EXPECT_EQ(start, standin::simTime());
    standin::setPaused(true);
    standin::runFrames(30);
    EXPECT_NEAR(XPLMGetElapsedTime() - start, 1.0f, 1e-4f);
    EXPECT_EQ(standin::simTime(), start);
    EXPECT_EQ(standin::getFloat("sim/operation/misc/frame_rate_period"), 0.0f);
    standin::setPaused(false);
    standin::runFrame();
    EXPECT_NEAR(standin::getFloat("sim/operation/misc/frame_rate_period"), 1.0f / 30.0f, 1e-7f);
}

}  // namespace
