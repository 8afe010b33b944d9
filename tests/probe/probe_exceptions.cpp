// Exceptions inside a plug-in: writing a depth to "probe/throw_depth" throws
// from that many calls down in the probe's own code and catches it at the
// top, counting the catches and the objects the unwinding destroyed.
#include <stdexcept>
#include <string>

#include "probe.h"

namespace {

constexpr int kDeepestThrow = 100;
constexpr char kWhat[] = "thrown inside the probe";

ProbeValue caught{"probe/exceptions_caught"};
ProbeValue unwound{"probe/objects_unwound"};
XPLMDataRef throwDepth = nullptr;

struct CountsItsDestruction {
    ~CountsItsDestruction() { ++unwound.i; }
};

[[gnu::noinline]] int descend(int depth) {
    CountsItsDestruction onThisLevel;
    if (depth <= 0) throw std::runtime_error(kWhat);
    return descend(depth - 1) + 1;  // not a tail call: every level keeps its frame
}

void throwFrom(void*, int depth) {
    if (depth < 0 || depth > kDeepestThrow) return;
    try {
        descend(depth);
    } catch (const std::exception& error) {
        if (std::string(error.what()) == kWhat) ++caught.i;
    }
}

}  // namespace

void startProbeExceptions() {
    publishInt(caught);
    publishInt(unwound);
    throwDepth = XPLMRegisterDataAccessor("probe/throw_depth", xplmType_Int, 1, nullptr, throwFrom,
                                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

void stopProbeExceptions() {
    XPLMUnregisterDataAccessor(throwDepth);
    throwDepth = nullptr;
    withdraw(unwound);
    withdraw(caught);
}
