// The runner's scenario files, any bytes at all.
#include <cstddef>
#include <cstdint>
#include <string>

#include "standin/runner/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    standin::runner::Scenario scenario;
    std::string error;
    standin::runner::parseScenario(text, "fuzz.scenario", "", &scenario, &error);
    return 0;
}
