# The Windows build, cross-compiled with Debian's MinGW-w64 (POSIX threads
# variant) and run under Wine:
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUIL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUIL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUIL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUIL_MINGW_TRIPLE}-windres)
set(CMAKE_DLLTOOL ${QUIL_MINGW_TRIPLE}-dlltool)

# Headers and libraries from the MinGW tree only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${QUIL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every binary carries its C++ runtime, libgcc and winpthread, so nothing
# but Windows' own DLLs (and ours) needs to be found beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

# Tests and the runner run under Wine, with a prefix of the build's own so
# that nothing is written to the home folder.
set(CMAKE_CROSSCOMPILING_EMULATOR
  env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all /usr/lib/wine/wine64)
