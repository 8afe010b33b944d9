// What one draw pass of the plug-in costs with the most to draw: the demo
// aircraft powered, the lamp test on and every popup window open. A pass
// is what the host draws from its first cockpit phase to its last: the
// plug-in's four draw callbacks and its windows. Prints the SDK calls and
// GL calls of the last pass and the most of any, and the median time; with
// a path, also writes the last frame there.
//
//   build/bin/draw_pass_bench [passes] [screenshot.png]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "XPLMDisplay.h"
#include "bench/gl_calls.h"
#include "bench/powered_demo.h"
#include "systems/clock.h"
#include "windows/aux_fuel_window.h"
#include "windows/clock_window.h"
#include "windows/fuel_station_window.h"
#include "windows/popups.h"

namespace {

using Clock = std::chrono::steady_clock;

struct PassMeter {
    Clock::time_point start;
    long sdkAtStart = 0;
    long glAtStart = 0;
    long sdkCalls = 0, mostSdkCalls = 0;
    long glCalls = 0, mostGlCalls = 0;
    std::vector<double> nanoseconds;
};

PassMeter meter;

int startPass(XPLMDrawingPhase, int, void*) {
    meter.sdkAtStart = standin::totalCounts().sdkCalls;
    meter.glAtStart = bench::GlCallsCounted();
    bench::CountGlCalls(true);
    meter.start = Clock::now();
    return 1;
}

int endPass(XPLMDrawingPhase, int, void*) {
    const auto elapsed = Clock::now() - meter.start;
    bench::CountGlCalls(false);
    meter.nanoseconds.push_back(std::chrono::duration<double, std::nano>(elapsed).count());
    meter.sdkCalls = standin::totalCounts().sdkCalls - meter.sdkAtStart;
    meter.glCalls = bench::GlCallsCounted() - meter.glAtStart;
    meter.mostSdkCalls = std::max(meter.mostSdkCalls, meter.sdkCalls);
    meter.mostGlCalls = std::max(meter.mostGlCalls, meter.glCalls);
    return 1;
}

void openEveryPopup() {
    quil::OpenOverheadArrangement();
    quil::OpenClockWindow();
    quil::OpenAuxFuelWindow();
    quil::OpenFuelStationWindow();
    quil::OpenSelectorMenu();
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    if (!bench::StartPoweredDemo(QUIL_DEMO_AIRCRAFT)) return 1;
    standin::setFloat("sim/cockpit/warnings/annunciator_test_timeout", 1e6f);
    openEveryPopup();
    standin::runSeconds(1.0);  // the displays' power ramps under way, the windows placed

    XPLMRegisterDrawCallback(startPass, xplm_Phase_FirstCockpit, 1, nullptr);
    XPLMRegisterDrawCallback(endPass, xplm_Phase_LastCockpit, 0, nullptr);
    meter.nanoseconds.reserve(passes);
    standin::runFrames(passes);
    XPLMUnregisterDrawCallback(startPass, xplm_Phase_FirstCockpit, 1, nullptr);
    XPLMUnregisterDrawCallback(endPass, xplm_Phase_LastCockpit, 0, nullptr);
    if (argc > 2) standin::saveScreenshot(argv[2]);
    bench::StopPoweredDemo();

    std::printf("one draw pass: %ld SDK calls (at most %ld), %ld GL calls (at most %ld), "
                "%.0f us median of %d\n",
                meter.sdkCalls, meter.mostSdkCalls, meter.glCalls, meter.mostGlCalls,
                median(meter.nanoseconds) / 1000.0, passes);
    return 0;
}
