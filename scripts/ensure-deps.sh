#!/usr/bin/env bash
# Installs what building, testing and running Tandrel need on Debian 12, and only what is
# missing: a machine that has everything is left alone and apt is never called.
#   scripts/ensure-deps.sh          everything: test.sh (both builds, every test, the fuzz targets,
#                                   clang-tidy)
#   scripts/ensure-deps.sh --build  what building the program, its modules and tandrel-rec needs
#   scripts/ensure-deps.sh --run    that and what running it needs: Wine, the virtual display,
#                                   the screenshot (run.sh installs these while it builds)
# Used by run.sh and test.sh; safe to run again and again.
set -euo pipefail

mode=${1:-}
# The threads-posix MinGW compilers only (the toolchain file names them), not the package that
# adds the win32 ones beside them.
packages=(
  cmake make g++                       # the native tandrel-rec
  g++-mingw-w64-i686-posix             # the 32-bit Windows program
)
if [ "$mode" != "--build" ]; then
  packages+=(
    wine wine32:i386 fonts-wine        # running it
    xvfb xdotool imagemagick           # virtual display, waiting for the window, screenshot
  )
fi
if [ "$mode" != "--build" ] && [ "$mode" != "--run" ]; then
  packages+=(
    googletest                         # test framework sources, built with each compiler
    x11-utils                          # xwininfo and friends, to look at the virtual display by hand
    python3                            # the end-to-end test driver, the layer check, the release zip
    clang-format                       # the one C++ format, checked by test.sh
    clang-tidy                         # static analysis (scripts/check-tidy.sh), run by test.sh
    clang libclang-rt-14-dev           # the fuzz targets (libFuzzer with sanitizers)
  )
fi

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
