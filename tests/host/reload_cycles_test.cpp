// The simulator loads, enables, flies, disables and unloads a plug-in many
// times in one session (aircraft changes, plug-in reloads). A hundred such
// cycles in one process leave nothing behind, and the next flight after
// them is a normal one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "support/host_fixture.h"

namespace {

constexpr char kPublishedPrefix[] = "quil/";

int publishedDataRefs() {
    int count = 0;
    for (const std::string& name : standin::dataRefNames()) {
        count += name.rfind(kPublishedPrefix, 0) == 0 ? 1 : 0;
    }
    return count;
}

// Shown beside the heap figures; the process's resident size also holds the
// graphics driver's caches, so only the heap is held to account.
long residentKilobytes() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

class ReloadCycles : public quiltest::HostTest {
protected:
    // A small window keeps the hundred flights' drawing cheap.
    standin::HostConfig config() const override {
        standin::HostConfig config;
        config.windowWidth = config.windowHeight = 512;
        return config;
    }

    // Load (start and enable), fly past the delayed reset, disable, unload.
    void cycle() {
        const XPLMPluginID id = load(quiltest::pluginPath());
        standin::runFrames(kFlightFrames);
        standin::disablePlugin(id);
        standin::runFrames(2);
        standin::unloadPlugin(id);
        standin::clearWriteLog();  // the host's own logs are not the plug-in's
        standin::clearMessageLog();
    }

    static constexpr int kFlightFrames = 36;  // past the delayed reset
};

TEST_F(ReloadCycles, AHundredCyclesLeaveNothingBehindAndTheNextFlightIsNormal) {
    constexpr int kCycles = 100;
    constexpr int kSettlingCycles = 5;  // the host's tables and the drivers reach their size
    // Flat to the byte in a normal build; the sanitizers' runtime keeps a few
    // dozen bytes of its own per library load. One load used to leave 72 kB.
    constexpr size_t kAllowanceBytes = 64 * 1024;
    ASSERT_TRUE(standin::graphicsAvailable()) << standin::graphicsRenderer();
    standin::setAircraft(quiltest::demoAircraftPath());
    const int texturesBefore = standin::texturesHeld();
    const size_t windowsBefore = standin::windows().size();
    size_t settledHeap = 0;
    long settledResident = 0;
    for (int i = 0; i < kCycles; ++i) {
        cycle();
        ASSERT_TRUE(standin::flightLoops().empty()) << "cycle " << i;
        ASSERT_TRUE(standin::drawCallbacks().empty()) << "cycle " << i;
        ASSERT_EQ(standin::windows().size(), windowsBefore) << "cycle " << i;
        ASSERT_TRUE(standin::widgets().empty()) << "cycle " << i;
        ASSERT_EQ(standin::texturesHeld(), texturesBefore) << "cycle " << i;
        ASSERT_EQ(publishedDataRefs(), 0) << "cycle " << i;
        if (i + 1 == kSettlingCycles) {
            settledHeap = standin::heapBytesInUse();
            settledResident = residentKilobytes();
        }
    }
    const size_t heap = standin::heapBytesInUse();
    std::printf(
        "after %d cycles: heap in use %zu bytes, resident %ld kB; after %d: %zu bytes, %ld kB\n",
        kSettlingCycles, settledHeap, settledResident, kCycles, heap, residentKilobytes());
    EXPECT_LT(heap, settledHeap + kAllowanceBytes);

    quiltest::SetEngine1N2(quiltest::kHotResetN2);
    load(quiltest::pluginPath());
    EXPECT_GT(publishedDataRefs(), 0);
    standin::runFrames(kFlightFrames);
    EXPECT_EQ(standin::getInt("quil/systems/electrics/swBatBusPowered"), 1);
    for (int frame = 0; frame < kFlightFrames; ++frame) {
        standin::runFrame();
        ASSERT_EQ(standin::lastFrameCounts().allocations, 0) << "frame " << frame;
    }
    for (const standin::DataRefWrite& write : standin::writeLog()) {
        for (const double value : write.values) ASSERT_TRUE(std::isfinite(value)) << write.name;
    }
}

}  // namespace
