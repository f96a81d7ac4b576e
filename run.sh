#!/usr/bin/env bash
# Builds Tandrel and runs it under Wine, in the current directory (its Records folder is
# relative to the working directory). Arguments go to the program unchanged:
#   ./run.sh                       the main window
#   ./run.sh some.rec /speed=2     an unattended playback
#   ./run.sh --build-only          build (the program, its modules, tandrel-rec) and stop
#   ./run.sh --demo                Tandrel types demo/greeting.txt into Notepad; the picture
#                                  of it is saved to build/demo.png (scripts/demo.sh)
# Without a DISPLAY the program gets a virtual display, and a screenshot of its window is
# saved to build/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
callerDir=$PWD

buildOnly=0
demo=0
if [ "${1:-}" = "--build-only" ]; then buildOnly=1; shift; fi
if [ "${1:-}" = "--demo" ]; then demo=1; shift; fi

# What the window needs (scripts/ensure-deps.sh), in three steps after one `apt-get update`: the
# compilers, and the build starts as soon as they are in; Wine, and its prefix is made as soon
# as it is in; the virtual display and the screenshot. apt and Wine's first start wait on the
# network and the disk as much as on the processor, so all three go on beside the build.
# The native tandrel-rec (and the native compiler) only when asked: --build-only and --demo.
cd "$root"
mkdir -p build
depsModes=(--run)
if [ $buildOnly -eq 1 ]; then depsModes=(--build); fi
if [ $demo -eq 1 ]; then depsModes=(--build --run); fi
compilersIn=build/.compilers-in
wineIn=build/.wine-in
rm -f "$compilersIn" "$wineIn"
# waitFor FILE PID: until FILE is there, or the process PID has ended without making it.
waitFor() {
  while [ ! -f "$1" ] && kill -0 "$2" 2>/dev/null; do sleep 0.2; done
  [ -f "$1" ]
}
(
  "$root/scripts/ensure-deps.sh" "${depsModes[@]}" --ready "$compilersIn" --wine-ready "$wineIn" &
  depsPid=$!
  prefixRc=0
  if [ $buildOnly -eq 0 ]; then
    if waitFor "$wineIn" "$depsPid"; then "$root/tests/harness/make-prefix.sh" || prefixRc=$?; fi
  fi
  wait "$depsPid" && [ $prefixRc -eq 0 ]
) &
setupPid=$!
trap 'kill "$setupPid" 2>/dev/null; exit 130' INT TERM
if ! waitFor "$compilersIn" "$setupPid"; then
  wait "$setupPid" || true
  echo "The compilers could not be installed (scripts/ensure-deps.sh)." >&2
  exit 1
fi
rm -f "$compilersIn"
if [ ! -f build/CMakeCache.txt ]; then
  cmake --preset mingw >/dev/null
fi
# Only what the window needs: the program and its two hook modules (the tests, the benchmarks
# and the release zip are built by ./test.sh, or by a plain cmake --build build). On lower
# priority: the window waits longest for apt's unpacking (a processor's work) and Wine's first
# start, and the build is done before them when it gives way to them.
nice -n 10 cmake --build build -j2 --target tandrel_dist
if [ $buildOnly -eq 1 ] || [ $demo -eq 1 ]; then
  # tandrel-rec: for Windows beside the program, and for Linux a plain native Release build.
  cmake --build build -j2 --target tandrel-rec
  setupRc=0
  wait "$setupPid" || setupRc=$?
  setupPid=
  [ $setupRc -eq 0 ] || { echo "Installing or setting up Wine failed (scripts/ensure-deps.sh, tests/harness/make-prefix.sh)." >&2; exit 1; }
  if [ ! -f build/tool/CMakeCache.txt ]; then
    cmake -S . -B build/tool -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  cmake --build build/tool -j2 --target tandrel-rec
fi
[ $buildOnly -eq 1 ] && exit 0
if [ -n "$setupPid" ] && ! wait "$setupPid"; then
  echo "Wine or its prefix could not be set up (scripts/ensure-deps.sh --run, tests/harness/make-prefix.sh)." >&2
  exit 1
fi
if [ $demo -eq 1 ]; then
  exec "$root/scripts/demo.sh" build/dist/Tandrel.exe build/tool/tools/tandrel-rec/tandrel-rec build/demo.png
fi

source "$root/tests/harness/wine-env.sh"
source "$root/tests/harness/xvfb.sh"

tandrelXvfbPid=
winePid=
cleanup() {
  trap - INT TERM EXIT
  if [ -n "$winePid" ] && kill -0 "$winePid" 2>/dev/null; then
    kill "$winePid" 2>/dev/null || true
  fi
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  tandrelStopXvfb
}
trap 'cleanup; exit 130' INT TERM
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  tandrelStartXvfb
  echo "Virtual display $DISPLAY started."
fi

# A parameter other than /speed=... or /repeats=... names a recording: unattended mode,
# in which the program shows no window.
unattended=0
for a in "$@"; do
  name=$(printf '%s' "${a%%=*}" | tr '[:upper:]' '[:lower:]')
  if [ "$name" != "/speed" ] && [ "$name" != "/repeats" ]; then unattended=1; fi
done

cd "$callerDir"
echo "Starting Tandrel in $callerDir (Ctrl+C stops it)."
wine "$root/build/dist/Tandrel.exe" "$@" &
winePid=$!

if [ -n "$tandrelXvfbPid" ]; then
  if [ $unattended -eq 1 ]; then
    echo "Unattended playback: the program shows no window, so no screenshot is taken."
  else
    shot=
    for _ in $(seq 300); do
      kill -0 "$winePid" 2>/dev/null || break
      if xdotool search --onlyvisible --name "Vorsk - Tandrel" >/dev/null 2>&1; then
        sleep 1  # let the window paint itself
        import -window root "$root/build/screenshot.png" && shot=1
        break
      fi
      sleep 0.1
    done
    if [ -n "$shot" ]; then
      echo "Screenshot of the screen saved to build/screenshot.png."
    else
      echo "No window appeared: no screenshot taken."
    fi
  fi
fi

set +e
wait "$winePid"
rc=$?
set -e
winePid=
echo "Tandrel ended with exit code $rc."
exit $rc
