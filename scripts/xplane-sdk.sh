# Sourced by the scripts that check the plug-in against the simulator maker's
# own SDK headers, which are kept beside the repository, never in it. Sets
# xplane_sdk_headers to their folder (the one holding XPLM/ and Widgets/):
# QUIL_XPLANE_SDK_DIR when given, else ../shared/xplane-sdk/CHeaders from the
# repository; empty when that folder is not there. xplane_sdk_declared
# prints every function those headers declare.
xplane_sdk_headers="${QUIL_XPLANE_SDK_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/../shared/xplane-sdk/CHeaders}"
if [ -d "$xplane_sdk_headers/XPLM" ]; then
  xplane_sdk_headers="$(cd "$xplane_sdk_headers" && pwd)"
else
  xplane_sdk_headers=""
fi

# The headers are preprocessed with every API level they know, so that a
# function counts as declared when any level of theirs declares it.
xplane_sdk_declared() {
  local levels
  levels=$(grep -rhoE '\bXPLM([0-9]+|_DEPRECATED)\b' "$xplane_sdk_headers" | sort -u | sed 's/^/-D/' || true)
  # shellcheck disable=SC2086 # one word per level
  printf '#include "%s"\n' "$xplane_sdk_headers"/XPLM/*.h "$xplane_sdk_headers"/Widgets/*.h |
    "${CXX:-c++}" -E -P -x c++ -DLIN=1 -DAPL=0 -DIBM=0 $levels -I "$xplane_sdk_headers/XPLM" - |
    grep -oE '\bXP[A-Za-z0-9_]*[[:space:]]*\(' | tr -d '( \t' | sort -u
}
