#!/usr/bin/env bash
# Installs what building, testing and running Tandrel need on Debian 12, and only what is
# missing: a machine that has everything is left alone and apt is never called.
#   scripts/ensure-deps.sh          everything: test.sh (both builds, every test, the fuzz targets,
#                                   clang-tidy)
#   scripts/ensure-deps.sh --build  what building the program, its modules and tandrel-rec needs
#   scripts/ensure-deps.sh --run    what run.sh needs for the window: the cross compiler, Wine,
#                                   the virtual display and the screenshot (--build --run: both)
#   ... --ready FILE                touches FILE as soon as the compilers are in (run.sh starts
#                                   the build then, while the rest is still being installed)
#   ... --wine-ready FILE           touches FILE as soon as Wine is in (run.sh makes Wine's prefix
#                                   then, while the display and the screenshot tools come in)
# One `apt-get update`, then the compilers (and CMake), then Wine, then everything else. Nothing comes in through "Recommends" (Wine's would be 300 more packages): each
# piece the program, the tests or the screenshot need is named below, with what it is for.
# Used by run.sh and test.sh; safe to run again and again.
set -euo pipefail

build=0
run=0
ready=
wineReady=
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=1 ;;
    --run) run=1 ;;
    --ready) ready=$2; shift ;;
    --wine-ready) wineReady=$2; shift ;;
    *) echo "ensure-deps: unknown argument '$1'" >&2; exit 2 ;;
  esac
  shift
done
everything=0
if [ $build -eq 0 ] && [ $run -eq 0 ]; then everything=1; build=1; run=1; fi

# The threads-posix MinGW compilers only (the toolchain file names them), not the package that
# adds the win32 ones beside them. These come first: the build can start once they are in.
compilers=(
  cmake make                           # the build
  g++-mingw-w64-i686-posix             # the 32-bit Windows program
)
# Then Wine: its prefix is made while the rest comes in.
wine=()
rest=()
if [ $build -eq 1 ]; then
  rest+=(g++)                          # the native tandrel-rec
fi
if [ $run -eq 1 ]; then
  wine+=(
    wine wine32:i386                   # running it (wine32 brings the 32-bit loader and libraries)
    fonts-wine                         # Tahoma and Marlett: the dialog font and the caption buttons
  )
  rest+=(
    xvfb                               # the virtual display
    xdotool                            # waiting for the window, key presses and clicks in the tests
    imagemagick                        # the screenshot (import) and the picture of the demo
  )
fi
if [ $everything -eq 1 ]; then
  rest+=(
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

missingOf() {
  local p
  for p in "$@"; do
    isInstalled "$p" || echo "$p"
  done
}

# dpkg without a sync after every file it unpacks (a power cut halfway would need the install
# again, as any interrupted install would), and no translated package descriptions.
aptOptions=(-o Dpkg::Options::=--force-unsafe-io -o Acquire::Languages=none)

install() {
  [ $# -gt 0 ] || return 0
  echo "Installing: $*"
  asRoot env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${aptOptions[@]}" "$@" >/dev/null
  local p
  for p in "$@"; do
    isInstalled "$p" || { echo "ensure-deps: $p could not be installed" >&2; exit 1; }
  done
}

markReady() {
  local file
  for file in "$@"; do
    if [ -n "$file" ]; then touch "$file"; fi
  done
}

mapfile -t missingCompilers < <(missingOf "${compilers[@]}")
mapfile -t missingWine < <(missingOf "${wine[@]}")
mapfile -t missingRest < <(missingOf "${rest[@]}")
# wine32 is an i386 package: its architecture must be known before apt can see it.
needI386=0
dpkg --print-foreign-architectures | grep -qx i386 || needI386=1
if [ ${#missingCompilers[@]} -eq 0 ] && [ ${#missingWine[@]} -eq 0 ] && [ ${#missingRest[@]} -eq 0 ]; then
  markReady "$ready" "$wineReady"
  exit 0
fi

if [ $needI386 -eq 1 ]; then
  asRoot dpkg --add-architecture i386
fi
asRoot env DEBIAN_FRONTEND=noninteractive apt-get update -qq "${aptOptions[@]}" >/dev/null
install "${missingCompilers[@]}"
markReady "$ready"
install "${missingWine[@]}"
markReady "$wineReady"
install "${missingRest[@]}"
