// The plug-in's one pseudo-random generator: integers 0 to 32767, seedable,
// so that tests can make any draw repeatable.
#pragma once

namespace quil {

void SeedRandom(unsigned seed);
int RandomInt();        // 0 to 32767
float RandomUnit();     // RandomInt() / 32767, in [0, 1]

}  // namespace quil
