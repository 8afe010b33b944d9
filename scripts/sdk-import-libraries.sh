#!/usr/bin/env bash
# Makes the import libraries a Windows plug-in links, from the SDK functions
# its objects call: libXPLM_64.a for XPLM_64.dll (the XPLM... functions) and
# libXPWidgets_64.a for XPWidgets_64.dll (the other XP... functions). Run by
# the build just before the plug-in's link.
# Usage: sdk-import-libraries.sh OUT_DIR DLLTOOL NM FILE...
# (files other than objects are passed over).
set -euo pipefail
out=$1 dlltool=$2 nm=$3
shift 3
objects=()
for file in "$@"; do
  [[ $file == *.obj || $file == *.o ]] && objects+=("$file")
done

# A call through a dllimport declaration asks for __imp_NAME, a plain one NAME.
called=$("$nm" --undefined-only --just-symbols "${objects[@]}" |
  sed 's/^__imp_//' | grep -E '^XP[A-Za-z0-9_]*$' | sort -u || true)

mkdir -p "$out"
import_library() {
  local dll=$1 name=$2
  shift 2
  { echo "LIBRARY $dll"; echo "EXPORTS"; printf '    %s\n' "$@"; } >"$out/$name.def"
  "$dlltool" --input-def "$out/$name.def" --dllname "$dll" --output-lib "$out/lib$name.a"
}
# shellcheck disable=SC2046 # one word per function
import_library XPLM_64.dll XPLM_64 $(grep '^XPLM' <<<"$called" || true)
# shellcheck disable=SC2046
import_library XPWidgets_64.dll XPWidgets_64 $(grep -v '^XPLM' <<<"$called" || true)
