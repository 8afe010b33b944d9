// The aircraft's configuration text, any bytes at all (NUL and other
// non-text bytes too), as the file's contents.
#include <cstddef>
#include <cstdint>

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
    // The fuzzer's own bytes, without a terminator: a read past them is seen.
    quil::ParseConfiguration(reinterpret_cast<const char*>(data), size);
    return 0;
}
