// The aircraft's configuration file "conf/quil.cnf", read at every load and
// applied to the models, the colours and the settings.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quil {

// Larger files are refused like unreadable ones: a configuration is a few
// hundred bytes, and nothing beyond this is read into memory.
constexpr std::uint64_t kMaxConfigurationBytes = 1 << 20;

// Resets the display scheme to white and the fuel unit to kilograms, file
// or not, then reads and applies the file. 0 when it was read; -1 when it
// is missing, not a regular file, empty, unreadable or larger than
// kMaxConfigurationBytes.
int ReadConfiguration();
// Applies every key to the file's contents, `length` bytes of any value: a
// NUL byte is one more byte that cannot stand in a value.
void ParseConfiguration(const char* text, size_t length);

}  // namespace quil
