#!/usr/bin/env bash
# The Windows build, as CI runs it: win.xpl, the stand-in host (XPLM_64.dll,
# XPWidgets_64.dll, quil-sim.exe) and the unit tests that need no graphics,
# cross-built into build-win/ with MinGW-w64 against the simulator maker's
# SDK headers when they are beside the repository (see xplane-sdk.sh); then
# the binary check, and the tests and every flight without graphics under
# Wine. libpng is built from its sources beside the repository
# (../shared/thirdparty/libpng, or QUIL_LIBPNG_DIR); without them this says
# so in one line and succeeds. Each step prints the time it took.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-win"
libpng="${QUIL_LIBPNG_DIR:-$root/../shared/thirdparty/libpng}"
if [ ! -f "$libpng/png.h" ]; then
  echo "windows: skipped, no libpng sources beside the repository ($libpng)"
  exit 0
fi
source "$root/scripts/xplane-sdk.sh"

timed() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  echo "windows: $name took $((SECONDS - start)) s"
}

configure_and_build() {
  local launcher=()
  command -v ccache >/dev/null &&
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" "${launcher[@]}" \
    -DQUIL_LIBPNG_DIR="$(cd "$libpng" && pwd)" -DQUIL_XPLANE_SDK_DIR="$xplane_sdk_headers" >/dev/null
  cmake --build "$build" -j"$(nproc)"
}

timed build configure_and_build
"$root/scripts/check-windows-plugin.sh" "$build/quil/64/win.xpl"
timed "tests and flights under Wine" \
  bash -c "cd '$build' && ctest --output-on-failure -j$(nproc)"
