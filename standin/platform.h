// What the stand-in host asks of the operating system, one source per
// platform behind this header (platform_linux.cpp, platform_windows.cpp).
// The allocation count (alloc_count_*.cpp) and the floating-point traps
// (flight/fp_trap_*.cpp) are split the same way.
#pragma once

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

}  // namespace standin::detail
