// What drawing the engine display costs: the SDK calls and GL calls one
// full draw pass adds to a frame (mode 0 against the blank mode 3, which
// draws only the cover), and the time of one pass, on the demo aircraft
// powered.
//
//   build/bin/engine_display_bench [passes]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "XPLMDisplay.h"
#include "bench/gl_calls.h"
#include "bench/powered_demo.h"
#include "instruments/engine_display.h"

namespace {

int passes = 2000;
double bestNanoseconds = 1e30;

// Runs the timed passes inside the host's gauge phase, where the display
// is drawn; the best of several rounds is the least disturbed.
int timePasses(XPLMDrawingPhase, int, void*) {
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < passes; ++i) quil::DrawEngineDisplay(0);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        bestNanoseconds = std::min(
            bestNanoseconds, std::chrono::duration<double, std::nano>(elapsed).count() / passes);
    }
    return 1;
}

struct Calls {
    long sdk, gl;
};

Calls callsPerFrameInMode(int mode) {
    standin::setInt("sim/cockpit/weapons/firing_mode", mode);
    standin::runSeconds(0.5);  // the mode is read on a slow rotation
    const long glBefore = bench::GlCallsCounted();
    bench::CountGlCalls(true);
    standin::runFrame();
    bench::CountGlCalls(false);
    return {standin::lastFrameCounts().sdkCalls, bench::GlCallsCounted() - glBefore};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) passes = std::max(1, std::atoi(argv[1]));
    if (!bench::StartPoweredDemo()) return 1;
    const Calls blank = callsPerFrameInMode(3);
    const Calls full = callsPerFrameInMode(0);
    XPLMRegisterDrawCallback(timePasses, xplm_Phase_Gauges, 1, nullptr);
    standin::runFrame();
    XPLMUnregisterDrawCallback(timePasses, xplm_Phase_Gauges, 1, nullptr);
    bench::StopPoweredDemo();

    std::printf("SDK calls of one full draw  %ld (frame %ld, blank display %ld)\n",
                full.sdk - blank.sdk, full.sdk, blank.sdk);
    std::printf("GL calls of one full draw   %ld\n", full.gl - blank.gl);
    std::printf("DrawEngineDisplay(0)        %.0f ns per pass (best of 5 rounds of %d)\n",
                bestNanoseconds, passes);
    return 0;
}
