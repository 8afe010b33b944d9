#include "sim/random.h"

namespace quil {
namespace {

constexpr int kRandomMax = 32767;
unsigned state = 1;

}  // namespace

void SeedRandom(unsigned seed) { state = seed; }

// A linear congruential generator with the classic constants; plenty for
// the small variations the models draw.
int RandomInt() {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state / 65536u) % (kRandomMax + 1));
}

float RandomUnit() { return static_cast<float>(RandomInt()) / kRandomMax; }

}  // namespace quil
