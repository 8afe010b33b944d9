// What the stand-in host asks of the operating system, one source per
// platform behind this header (platform_linux.cpp, platform_windows.cpp).
// The allocation count (alloc_count_*.cpp) and the floating-point traps
// (flight/fp_trap_*.cpp) are split the same way.
#pragma once

#include <cstddef>
#include <string>

namespace standin::detail {

// ---- Plug-in binaries ---------------------------------------------------------
// Null, with the loader's reason in `why`, when the binary cannot be loaded.
void* openLibrary(const std::string& path, std::string& why);
void* librarySymbol(void* library, const char* name);
void closeLibrary(void* library);

// ---- The offscreen OpenGL context -----------------------------------------------
// One compatibility context per process, made on first use and kept across
// hosts. Made current with a drawing surface of the size asked for where
// the platform gives one (`hasSurface`); otherwise current without one, for
// the caller to draw into a framebuffer object. False, with the reason in
// `why`, when there can be none.
bool createOffscreenContext(int width, int height, bool& hasSurface, std::string& why);
bool makeOffscreenCurrent();
// A new surface of this size for a context that has one.
bool resizeOffscreenSurface(int width, int height);
// Leaves no context current, so that plug-ins draw nowhere.
void releaseOffscreenContext();
// Releases the context for good after a failed set-up.
void destroyOffscreenContext();
// A GL function by name, for the context made here; null when it has none.
void* offscreenEntryPoint(const char* name);

// ---- The end of a run a plug-in broke ------------------------------------------
// What the call watch needs when the process faults or a plug-in hangs:
// everything here is safe inside a crash handler (no allocation, no lock).
// `onCrash` is called with the fault's name (a bad memory access, an illegal
// instruction, an abort), on a stack of its own, until the handler is
// removed.
void installCrashHandler(void (*onCrash)(const char* fault));
void removeCrashHandler();
// All of `text` into the file, created or emptied; or onto the error stream.
void writeFileInCrash(const char* path, const char* text, size_t length);
void writeErrorInCrash(const char* text, size_t length);
// For a second ending while the first writes its report.
[[noreturn]] void waitForever();

}  // namespace standin::detail
