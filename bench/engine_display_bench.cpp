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
#include <vector>

#include "XPLMDisplay.h"
#include "bench/gl_calls.h"
#include "bench/powered_demo.h"
#include "instruments/engine_display.h"
#include "render/draw_state.h"

namespace {

std::vector<double> nanoseconds;

// One timed pass a frame inside the host's gauge phase, where the display
// is drawn, as in the simulator, and in a callback's scope, as the
// plug-in's callbacks draw: passes piled up in one frame would only fill
// the software renderer's queue.
int timePass(XPLMDrawingPhase, int, void*) {
    const auto start = std::chrono::steady_clock::now();
    {
        quil::DrawCallbackScope scope;
        quil::DrawEngineDisplay(0);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    nanoseconds.push_back(std::chrono::duration<double, std::nano>(elapsed).count());
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
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    if (!bench::StartPoweredDemo(QUIL_DEMO_AIRCRAFT)) return 1;
    const Calls blank = callsPerFrameInMode(3);
    const Calls full = callsPerFrameInMode(0);
    nanoseconds.reserve(passes);
    XPLMRegisterDrawCallback(timePass, xplm_Phase_Gauges, 1, nullptr);
    standin::runFrames(passes);
    XPLMUnregisterDrawCallback(timePass, xplm_Phase_Gauges, 1, nullptr);
    bench::StopPoweredDemo();

    std::printf("SDK calls of one full draw  %ld (frame %ld, blank display %ld)\n",
                full.sdk - blank.sdk, full.sdk, blank.sdk);
    std::printf("GL calls of one full draw   %ld\n", full.gl - blank.gl);
    std::nth_element(nanoseconds.begin(), nanoseconds.begin() + passes / 2, nanoseconds.end());
    std::printf("DrawEngineDisplay(0)        %.0f us per pass (median of %d)\n",
                nanoseconds[passes / 2] / 1000.0, passes);
    return 0;
}
