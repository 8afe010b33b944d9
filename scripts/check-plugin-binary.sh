#!/usr/bin/env bash
# Checks that a plug-in binary loads on every Linux the simulator runs on:
# no glibc symbol version newer than 2.31, no needed library outside the
# short list the README gives aircraft users, nothing exported but the five
# entry points, and nothing that would keep it from being unloaded. When
# the simulator maker's SDK headers are beside the repository (see
# xplane-sdk.sh), also that every SDK function it calls is declared there.
# Usage: scripts/check-plugin-binary.sh PATH/lin.xpl
# Prints what the binary asks for; exits 1 naming every violation.
set -euo pipefail

newest_glibc=2.31
allowed_libraries=(libc.so.6 libm.so.6 ld-linux-x86-64.so.2 libGL.so.1 libpng16.so.16)
entry_points=(XPluginDisable XPluginEnable XPluginReceiveMessage XPluginStart XPluginStop)
root="$(cd "$(dirname "$0")/.." && pwd)"
readme="$root/README.md"

if [ $# -ne 1 ]; then
  echo "usage: $0 PATH/lin.xpl" >&2
  exit 2
fi
plugin=$1
if ! command -v readelf >/dev/null; then
  echo "check-plugin-binary: readelf not found (install binutils)" >&2
  exit 2
fi
if ! readelf -h "$plugin" >/dev/null 2>&1; then
  echo "check-plugin-binary: $plugin is not an ELF file" >&2
  exit 2
fi

problems=()
dynamic=$(readelf --dynamic --wide "$plugin")
# Lines "  N: VALUE SIZE TYPE BIND VIS NDX NAME[@VERSION] [(n)]" of the dynamic symbols.
symbols=$(readelf --dyn-syms --wide "$plugin" | awk '$1 ~ /^[0-9]+:$/ && NF >= 8')

needed=$(sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p' <<<"$dynamic")
for library in $needed; do
  if [[ " ${allowed_libraries[*]} " != *" $library "* ]]; then
    problems+=("needs $library, which is not among the libraries aircraft users are told to have (${allowed_libraries[*]})")
  elif ! grep -qF "$library" "$readme"; then
    problems+=("needs $library, which the README's requirements do not name")
  fi
done

glibc_versions=$(grep -o '@GLIBC_[0-9.]*' <<<"$symbols" | sed 's/@GLIBC_//' | sort -uV)
for version in $glibc_versions; do
  if [ "$(printf '%s\n%s\n' "$newest_glibc" "$version" | sort -V | tail -1)" != "$newest_glibc" ]; then
    users=$(awk -v v="@GLIBC_$version" 'index($8, v) { sub(/@.*/, "", $8); print $8 }' <<<"$symbols" | sort -u | tr '\n' ' ')
    problems+=("asks for GLIBC_$version (newer than $newest_glibc) for: ${users% }")
  fi
done

exported=$(awk '$7 != "UND" && $5 != "LOCAL" && $4 != "SECTION" { sub(/@.*/, "", $8); print $8 }' <<<"$symbols" | sort -u)
extra=$(grep -vxF -f <(printf '%s\n' "${entry_points[@]}") <<<"$exported" || true)
if [ -n "$extra" ]; then
  count=$(wc -l <<<"$extra")
  problems+=("exports $count symbol(s) beyond the five entry points: $(head -10 <<<"$extra" | tr '\n' ' ')$([ "$count" -gt 10 ] && echo '...')")
fi
for name in "${entry_points[@]}"; do
  grep -qx "$name" <<<"$exported" || problems+=("does not export the entry point $name")
done

unique=$(awk '$5 == "UNIQUE" { print $8 }' <<<"$symbols" | tr '\n' ' ')
[ -z "$unique" ] || problems+=("has unique symbols, which keep it from being unloaded: ${unique% }")
if grep -q 'FLAGS_1.*NODELETE' <<<"$dynamic"; then
  problems+=("is marked NODELETE and cannot be unloaded")
fi

# The SDK functions are the undefined symbols named XP...
source "$root/scripts/xplane-sdk.sh"
called=$(awk '$7 == "UND" && $8 ~ /^XP/ { sub(/@.*/, "", $8); print $8 }' <<<"$symbols" | sort -u)
sdk_note="$(grep -c . <<<"$called" || true) SDK function(s)"
if [ -n "$xplane_sdk_headers" ]; then
  undeclared=$(comm -23 <(printf '%s\n' "$called") <(xplane_sdk_declared) | grep . || true)
  [ -z "$undeclared" ] ||
    problems+=("calls SDK functions that the headers in $xplane_sdk_headers do not declare: $(paste -sd' ' <<<"$undeclared")")
  sdk_note+=", checked against the headers in $xplane_sdk_headers"
else
  sdk_note+=", not checked (no SDK headers beside the repository)"
fi

newest_asked=$(tail -1 <<<"$glibc_versions")
echo "$plugin: needs $(paste -sd" " <<<"$needed"); glibc up to ${newest_asked:-none}; exports $(grep -c . <<<"$exported") symbol(s); calls $sdk_note"
if [ ${#problems[@]} -gt 0 ]; then
  for problem in "${problems[@]}"; do
    echo "check-plugin-binary: FAIL: $plugin $problem" >&2
  done
  echo "check-plugin-binary: $plugin would not load on every Linux the simulator runs on (${#problems[@]} problem(s))" >&2
  exit 1
fi
echo "check-plugin-binary: ok"
