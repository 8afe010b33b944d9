#!/usr/bin/env bash
# Builds the plug-in and the stand-in host again, into build-sdk/, against
# the simulator maker's own SDK headers instead of our declarations in sdk/,
# with every header of the project compiled on its own there too; then
# checks the plug-in binary, and that the stand-in built this way still
# provides every SDK function the plug-in calls (a definition whose
# signature drifted from the headers' would be a C++ overload instead).
# Says so and succeeds when the headers are not there (see xplane-sdk.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/xplane-sdk.sh"
if [ -z "$xplane_sdk_headers" ]; then
  echo "check-real-sdk: skipped, no SDK headers beside the repository"
  exit 0
fi

build="$root/build-sdk"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUIL_XPLANE_SDK_DIR="$xplane_sdk_headers" >/dev/null
cmake --build "$build" -j"$(nproc)" --target quil quil_standin header_check

plugin="$build/quil/64/lin.xpl"
"$root/scripts/check-plugin-binary.sh" "$plugin"
missing=$(comm -23 \
  <(nm -D --undefined-only "$plugin" | awk '$2 ~ /^XP/ { print $2 }' | sort -u) \
  <(nm -D --defined-only "$build/standin/libquil_standin.so" | awk '{ print $3 }' | sort -u))
if [ -n "$missing" ]; then
  echo "check-real-sdk: FAIL: the stand-in built against $xplane_sdk_headers does not provide: $(paste -sd' ' <<<"$missing")" >&2
  exit 1
fi
echo "check-real-sdk: ok, plug-in and stand-in built against $xplane_sdk_headers"
