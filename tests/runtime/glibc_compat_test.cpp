// The C runtime pieces every plug-in carries for older glibc: the unwinder
// finds the plug-in's frames through them, so an exception thrown inside a
// loaded plug-in is caught there, after every load.
#include <gtest/gtest.h>

#include "support/host_fixture.h"

namespace {

class PluginExceptions : public quiltest::HostTest {};

TEST_F(PluginExceptions, AreCaughtInsideThePluginWithEveryObjectOnTheWayDestroyed) {
    const int depths[] = {0, 1, 7, 100};
    for (int load = 1; load <= 2; ++load) {
        const XPLMPluginID probe = loadProbe();
        int throws = 0, objects = 0;
        for (int depth : depths) {
            standin::setInt("probe/throw_depth", depth);
            ++throws;
            objects += depth + 1;
            EXPECT_EQ(standin::getInt("probe/exceptions_caught"), throws)
                << "load " << load << ", depth " << depth;
            EXPECT_EQ(standin::getInt("probe/objects_unwound"), objects)
                << "load " << load << ", depth " << depth;
        }
        standin::runFrames(3);
        EXPECT_EQ(standin::getInt("probe/loop_calls"), 3) << "load " << load;
        standin::unloadPlugin(probe);
        EXPECT_TRUE(standin::plugins().empty()) << "load " << load;
    }
}

}  // namespace
