#!/usr/bin/env bash
# Installs the Debian packages the project builds and runs with, when any is
# missing, then configures and builds into ./build. Sourced by demo.sh and
# test.sh; safe to run again.
set -euo pipefail

packages=(
  g++ cmake ninja-build binutils
  gnuplot-nox
  libpng-dev zlib1g-dev
  libegl-dev libgl-dev libopengl-dev libegl-mesa0 libgl1-mesa-dri
  googletest libgtest-dev libgmock-dev
  clang libclang-rt-dev llvm
  libluajit-5.1-dev
  g++-mingw-w64-x86-64 libz-mingw-w64-dev wine64
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)"
