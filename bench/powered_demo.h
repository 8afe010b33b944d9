// The plug-in started inside the bench on the demo aircraft with graphics,
// and powered: the engines turn when it loads, so the model reset a second
// later finds them running (a hot start) and the electrics stay on line.
#pragma once

#include <cstdio>

#include "host/lifecycle.h"
#include "standin/standin.h"

namespace bench {

constexpr float kRunningN2 = 60.0f;

// False, with the reason printed, when there is no graphics or the
// aircraft (its .acf path) is not served.
inline bool StartPoweredDemo(const char* aircraft) {
    standin::startHost(standin::HostConfig{});
    if (!standin::graphicsAvailable()) {
        std::fprintf(stderr, "no graphics: %s\n", standin::graphicsRenderer().c_str());
        return false;
    }
    standin::setAircraft(aircraft);
    for (int engine = 0; engine < 2; ++engine) {
        standin::setFloat("sim/flightmodel/engine/ENGN_N2_", kRunningN2, engine);
    }
    char name[256], signature[256], description[256];
    if (quil::StartPlugin(name, signature, description) != 1) {
        std::fprintf(stderr, "the aircraft is not served\n");
        return false;
    }
    standin::runSeconds(2.0);  // past the delayed reset
    return true;
}

inline void StopPoweredDemo() {
    quil::StopPlugin();
    standin::stopHost();
}

}  // namespace bench
