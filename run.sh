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

# The compilers first, so that the build can start; on the first run, what running needs
# (Wine, the virtual display) is installed and Wine's prefix made while the program builds:
# both wait on the network, the disk and Wine's own start-up as much as on the processor.
"$root/scripts/ensure-deps.sh" --build
cd "$root"
prefixPid=
if [ $buildOnly -eq 0 ]; then
  ("$root/scripts/ensure-deps.sh" --run && "$root/tests/harness/make-prefix.sh") &
  prefixPid=$!
  trap 'kill "$prefixPid" 2>/dev/null; exit 130' INT TERM
fi
if [ ! -f build/CMakeCache.txt ]; then
  cmake --preset mingw >/dev/null
fi
# Only what this script runs: the program, its two hook modules and tandrel-rec (the tests,
# the benchmarks and the release zip are built by ./test.sh, or by a plain cmake --build build).
cmake --build build -j2 --target tandrel_dist tandrel-rec
# The recording tool for Linux too: a plain native Release build of that one target.
if [ ! -f build/tool/CMakeCache.txt ]; then
  cmake -S . -B build/tool -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build build/tool -j2 --target tandrel-rec
[ $buildOnly -eq 1 ] && exit 0
if ! wait "$prefixPid"; then
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
