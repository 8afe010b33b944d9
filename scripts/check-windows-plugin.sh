#!/usr/bin/env bash
# Checks that win.xpl is the one file a Windows user copies: nothing
# exported but the five entry points, and no DLL imported but the SDK's two,
# OpenGL's and Windows' own (the C++ runtime, libgcc, winpthread, libpng and
# zlib are inside). When the simulator maker's SDK headers are beside the
# repository (see xplane-sdk.sh), also that every SDK function it imports
# is declared there, from the DLL that provides it.
# Usage: scripts/check-windows-plugin.sh PATH/win.xpl
# Prints what the binary asks for; exits 1 naming every violation.
set -euo pipefail

sdk_libraries=(XPLM_64.dll XPWidgets_64.dll)
allowed_libraries=("${sdk_libraries[@]}" OPENGL32.dll
  KERNEL32.dll msvcrt.dll USER32.dll GDI32.dll ADVAPI32.dll SHELL32.dll ole32.dll WS2_32.dll bcrypt.dll)
entry_points=(XPluginDisable XPluginEnable XPluginReceiveMessage XPluginStart XPluginStop)
root="$(cd "$(dirname "$0")/.." && pwd)"
objdump=x86_64-w64-mingw32-objdump

if [ $# -ne 1 ]; then
  echo "usage: $0 PATH/win.xpl" >&2
  exit 2
fi
plugin=$1
if ! headers=$("$objdump" -p "$plugin" 2>/dev/null) || ! grep -q '^Magic.*PE32+' <<<"$headers"; then
  echo "check-windows-plugin: $plugin is not a 64-bit Windows DLL" >&2
  exit 2
fi

problems=()
# "DLL Name: X" opens each DLL's imports, one "vma hint name" line each.
imports=$(awk '/^\tDLL Name:/ { dll = $3; print dll; next }
               /^$/ { dll = "" }
               dll != "" && $1 ~ /^[0-9a-f]+$/ && NF == 3 { print dll, $3 }' <<<"$headers")
needed=$(awk 'NF == 1' <<<"$imports")
for library in $needed; do
  known=no
  for allowed in "${allowed_libraries[@]}"; do
    [ "${library,,}" = "${allowed,,}" ] && known=yes
  done
  [[ ${library,,} == api-ms-win-* ]] && known=yes
  [ $known = yes ] || problems+=("imports $library, which is neither the SDK's, OpenGL's nor Windows' own")
done

exported=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | awk '/^\t\[/ { print $NF }' | sort -u)
extra=$(grep -vxF -f <(printf '%s\n' "${entry_points[@]}") <<<"$exported" || true)
[ -z "$extra" ] || problems+=("exports symbol(s) beyond the five entry points: $(head -10 <<<"$extra" | paste -sd' ')")
for name in "${entry_points[@]}"; do
  grep -qx "$name" <<<"$exported" || problems+=("does not export the entry point $name")
done

source "$root/scripts/xplane-sdk.sh"
called=$(awk -v a="${sdk_libraries[0]}" -v b="${sdk_libraries[1]}" '($1 == a || $1 == b) && NF == 2 { print $2 }' <<<"$imports" | sort -u)
misplaced=$(awk -v a="${sdk_libraries[0]}" '($1 == a) != ($2 ~ /^XPLM/) && NF == 2 && $1 ~ /^XP/ { print $2 }' <<<"$imports")
[ -z "$misplaced" ] || problems+=("imports SDK functions from the wrong DLL: $(paste -sd' ' <<<"$misplaced")")
sdk_note="$(grep -c . <<<"$called" || true) SDK function(s)"
if [ -n "$xplane_sdk_headers" ]; then
  undeclared=$(comm -23 <(printf '%s\n' "$called") <(xplane_sdk_declared) | grep . || true)
  [ -z "$undeclared" ] ||
    problems+=("imports SDK functions that the headers in $xplane_sdk_headers do not declare: $(paste -sd' ' <<<"$undeclared")")
  sdk_note+=", checked against the headers in $xplane_sdk_headers"
else
  sdk_note+=", not checked (no SDK headers beside the repository)"
fi

echo "$plugin: imports from $(paste -sd' ' <<<"$needed"); exports $(grep -c . <<<"$exported") symbol(s); imports $sdk_note"
if [ ${#problems[@]} -gt 0 ]; then
  for problem in "${problems[@]}"; do
    echo "check-windows-plugin: FAIL: $plugin $problem" >&2
  done
  echo "check-windows-plugin: $plugin is not one file a Windows user can copy (${#problems[@]} problem(s))" >&2
  exit 1
fi
echo "check-windows-plugin: ok"
