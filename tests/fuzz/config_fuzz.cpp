// The aircraft's configuration text, any bytes at all, as the file's contents.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/config.h"
#include "standin/standin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (standin::startHost([] {
                                     standin::HostConfig config;
                                     config.graphics = false;
                                     return config;
                                 }()),
                                 true);
    (void)started;
    const std::string text(reinterpret_cast<const char*>(data), size);  // terminated
    quil::ParseConfiguration(text.c_str());
    return 0;
}
