# Sourced by the scripts that check the plug-in against the simulator maker's
# own SDK headers, which are kept beside the repository, never in it. Sets
# xplane_sdk_headers to their folder (the one holding XPLM/ and Widgets/):
# QUIL_XPLANE_SDK_DIR when given, else ../shared/xplane-sdk/CHeaders from the
# repository; empty when that folder is not there.
xplane_sdk_headers="${QUIL_XPLANE_SDK_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/../shared/xplane-sdk/CHeaders}"
if [ -d "$xplane_sdk_headers/XPLM" ]; then
  xplane_sdk_headers="$(cd "$xplane_sdk_headers" && pwd)"
else
  xplane_sdk_headers=""
fi
