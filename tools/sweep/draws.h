// The sweep's random draws: a small generator of its own (splitmix64), so
// that a seed gives the same flights on every machine and library, and one
// stream per flight, so that flight 17 of a seed is the same flight in a
// sweep of 200 and in one of 2000.
#pragma once

#include <cstdint>

namespace sweep {

class Draws {
public:
    Draws(uint64_t seed, uint64_t family, uint64_t flight)
        : state_(seed * 0x9E3779B97F4A7C15ull ^ family * 0xBF58476D1CE4E5B9ull ^
                 flight * 0x94D049BB133111EBull) {}

    // Uniform in [low, high).
    double uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(next() >> 11) * 0x1.0p-53;
    }
    // Whole numbers from low to high, both included.
    int whole(int low, int high) {
        return low + static_cast<int>(next() % static_cast<uint64_t>(high - low + 1));
    }
    bool coin() { return (next() >> 63) != 0; }

private:
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    uint64_t state_;
};

}  // namespace sweep
