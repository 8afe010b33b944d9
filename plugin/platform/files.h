// What the plug-in asks of the operating system, one source file per
// platform behind this header.
#pragma once

#include <cstdio>

namespace quil {

// Opens a regular file for reading; null for anything else. The open never
// waits: a named pipe or a device in place of a file would hold the
// simulator at that point for ever.
FILE* OpenRegularFile(const char* path);

}  // namespace quil
