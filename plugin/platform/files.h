// What the plug-in asks of the operating system, one source file per
// platform behind this header.
#pragma once

#include <cstdint>
#include <cstdio>

namespace quil {

// An open file and its size, held in 64 bits on every platform (a long is
// 32 bits on Windows).
struct RegularFile {
    FILE* file = nullptr;
    std::uint64_t bytes = 0;
};

// Opens a regular file of at most `maxBytes` for reading; a null file for
// anything else. The open never waits: a named pipe or a device in place of
// a file would hold the simulator at that point for ever.
RegularFile OpenRegularFile(const char* path, std::uint64_t maxBytes = UINT64_MAX);

}  // namespace quil
