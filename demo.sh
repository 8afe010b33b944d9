#!/usr/bin/env bash
# Builds everything and runs the plug-in on the demo aircraft in the stand-in
# host, with the peer plug-in working the MCP through inter-plug-in messages,
# writing screenshots and a report into build/demo, and a preview of
# the panel artwork as the plug-in draws it (build/demo/artwork.png).
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/setup.sh"
cmake --build "$root/build" --target artwork_preview
"$root/build/bin/quil-sim" \
  --plugin "$root/build/quil/64/lin.xpl" \
  --plugin "$root/build/peer/64/lin.xpl" \
  --aircraft "$root/build/aircraft/Quil737/Quil737.acf" \
  --scenario "$root/aircraft/demo.scenario" \
  --out "$root/build/demo"
# Then the short flight: take-off, climb, an LNAV leg and an ILS approach to
# touchdown, with its trace plotted (build/demo/flight/demo-flight.png).
"$root/build/bin/quil-sim" \
  --plugin "$root/build/quil/64/lin.xpl" \
  --plugin "$root/build/peer/64/lin.xpl" \
  --aircraft "$root/build/aircraft/Quil737/Quil737.acf" \
  --scenario "$root/aircraft/demo-flight.scenario" \
  --out "$root/build/demo/flight"
