#include "sim/snapshot.h"

#include <algorithm>
#include <cstring>

#include "XPLMDataAccess.h"
#include "sim/settings.h"
#include "sim/sim_binding.h"

namespace quil {

SimSnapshot snapshot;

namespace {

constexpr float kStandardBaroInHg = 29.92f;

}  // namespace

// Written with its terminating zero, so a shorter tail number leaves
// nothing of a longer one behind in the simulator; a text longer than the
// simulator's field is cut so that the zero still fits.
void SetTailNumber(const char* text) {
    if (text == nullptr) return;
    const int capacity = XPLMGetDatab(sim.tailNumber, nullptr, 0, 0);
    if (capacity <= 0) return;
    char tail[kTextSlotLength + 1] = {};
    const size_t length = std::min({std::strlen(text), static_cast<size_t>(capacity - 1),
                                    sizeof tail - 1});
    std::memcpy(tail, text, length);
    XPLMSetDatab(sim.tailNumber, tail, 0, static_cast<int>(length) + 1);
}

void SetStandardBarometer() { XPLMSetDataf(sim.barometerSetting, kStandardBaroInHg); }

}  // namespace quil
