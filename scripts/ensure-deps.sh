#!/usr/bin/env bash
# Installs what building, testing and running Tandrel need on Debian 12, and only what is
# missing: a machine that has everything is left alone and apt is never called.
# Used by run.sh and test.sh; safe to run again and again.
set -euo pipefail

packages=(
  cmake make g++                       # the native build of the pure logic and its tests
  g++-mingw-w64-i686                   # the 32-bit Windows program
  googletest                           # test framework sources, built with each compiler
  wine wine32:i386 fonts-wine          # running the program and the Windows tests
  xvfb xdotool x11-utils imagemagick   # virtual display, driving it, reading it, screenshots
  python3                              # the end-to-end test driver and the layer check
  clang-format                         # the one C++ format, checked by test.sh
  clang libclang-rt-14-dev             # the fuzz targets (libFuzzer with sanitizers)
)

isInstalled() {
  [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

asRoot() {
  if [ "$(id -u)" -eq 0 ]; then "$@"
  elif command -v sudo >/dev/null 2>&1; then sudo "$@"
  else
    echo "ensure-deps: missing packages need root: $*" >&2
    exit 1
  fi
}

# wine32 is an i386 package: its architecture must be known before apt can see it.
needI386=0
dpkg --print-foreign-architectures | grep -qx i386 || needI386=1

missing=()
for p in "${packages[@]}"; do
  isInstalled "$p" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ] && [ $needI386 -eq 0 ]; then
  exit 0
fi

if [ $needI386 -eq 1 ]; then
  asRoot dpkg --add-architecture i386
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  asRoot env DEBIAN_FRONTEND=noninteractive apt-get update -qq >/dev/null
  asRoot env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  for p in "${missing[@]}"; do
    isInstalled "$p" || { echo "ensure-deps: $p could not be installed" >&2; exit 1; }
  done
fi
