// Datarefs looked up on first use: one look-up, then straight access, or a
// zero fallback when the simulator lacks the name.
#include <gtest/gtest.h>

#include "sim/lazy_dataref.h"
#include "support/host_fixture.h"

namespace {

class LazyDataRefs : public quiltest::HostTest {};

TEST_F(LazyDataRefs, ResolveOnceOnFirstUseThenReadAndWriteDirectly) {
    quil::LazyDataRef flaps = quil::MakeLazyDataRef("sim/flightmodel/controls/flaprqst");
    EXPECT_EQ(flaps.handle, nullptr);
    standin::setFloat("sim/flightmodel/controls/flaprqst", 0.375f);
    standin::runFrame();
    EXPECT_EQ(quil::LazyGet(flaps), 0.375f);
    EXPECT_NE(flaps.handle, nullptr);
    quil::LazySet(flaps, 0.5f);
    EXPECT_EQ(quil::LazyGet(flaps), 0.5f);
    standin::runFrame();  // a fresh frame to count in
    quil::LazyGet(flaps);
    EXPECT_EQ(standin::lastFrameCalls("XPLMFindDataRef"), 0);
}

TEST_F(LazyDataRefs, ArraysReadTheRangeAndZeroWhatIsNotThere) {
    quil::LazyDataRef engineN1 = quil::MakeLazyDataRef("sim/flightmodel/engine/ENGN_N1_");
    standin::setFloat("sim/flightmodel/engine/ENGN_N1_", 61.0f, 6);
    standin::setFloat("sim/flightmodel/engine/ENGN_N1_", 62.0f, 7);
    float out[4] = {9, 9, 9, 9};
    quil::LazyGetArray(engineN1, out, 6, 4);
    EXPECT_EQ(out[0], 61.0f);
    EXPECT_EQ(out[1], 62.0f);
    EXPECT_EQ(out[2], 0.0f) << "past the end of the array";
    EXPECT_EQ(out[3], 0.0f);
}

TEST_F(LazyDataRefs, AMissingNameSettlesOnZeroAndIsNeverLookedUpAgain) {
    standin::markDataRefAbsent("sim/flightmodel/position/P_dot");
    quil::LazyDataRef rollAcceleration = quil::MakeLazyDataRef("sim/flightmodel/position/P_dot");
    quil::LazySet(rollAcceleration, 3.0f);
    EXPECT_EQ(quil::LazyGet(rollAcceleration), 0.0f);
    float out[3] = {5, 5, 5};
    quil::LazyGetArray(rollAcceleration, out, 0, 3);
    EXPECT_EQ(out[2], 0.0f);
    standin::runFrame();
    quil::LazyGet(rollAcceleration);
    EXPECT_EQ(standin::lastFrameCalls("XPLMFindDataRef"), 0);
    EXPECT_EQ(standin::lastFrameCalls("XPLMGetDataf"), 0);
}

}  // namespace
