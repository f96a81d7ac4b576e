#!/usr/bin/env bash
# Checks the format and the layers, builds the three configurations, analyses the code with
# clang-tidy (scripts/check-tidy.sh) and runs every test:
#   native (pure logic with address and undefined-behaviour sanitizers): label unit
#   fuzz (clang, libFuzzer: each reader of outside input fuzzed for a short while): label fuzz
#   mingw (the Windows program, under Wine on a virtual display): labels win and e2e
# and checks that the release is reproducible (scripts/check-reproducible.sh: the shipped files
# and the zip built once more in another folder, compared byte for byte with the Windows build).
# The tests under Wine run in the background from the end of the Windows build on, while the
# rest is built, analysed (both on lower priority) and tested.
# Exits non-zero when a check, a build or any test fails. Extra arguments go to every ctest run
# (for instance -R TextToInteger). Every test has a time limit (scripts/check-timeouts.py), and
# ctest brings its build up to date before any test runs (the test tandrel_build).
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

"$root/scripts/ensure-deps.sh" || exit 1

step() { echo; echo "==== $*"; }

# The house rules come first; a breach fails the run, but the tests still run and report.
step "Checks: format, layers and the tests' writes"
checksRc=0
"$root/scripts/check-format.sh" || checksRc=1
if python3 "$root/scripts/check-layers.py"; then echo "Layers: every include points down."; else checksRc=1; fi
# No test points the program at a file of the machine's (/dev/full, /dev/null with --force, a
# path outside its own folder): a fault could replace it.
python3 "$root/scripts/check-test-writes.py" || checksRc=1

# Warnings fail the build here (and so in CI).
step "Build: Windows (mingw)"
cmake --preset mingw -DTANDREL_WARNINGS_AS_ERRORS=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null || exit 1
cmake --build build -j2 || exit 1

# Tests run two at a time (TANDREL_TEST_JOBS): the native and fuzz tests are independent
# processes, and the tests under Wine run in two lanes, each with a Wine prefix and a lock of
# its own (cmake/TandrelTargets.cmake says why two tests never share a prefix).
jobs=${TANDREL_TEST_JOBS:-2}

logs=$(mktemp -d)
winePid=
trap 'rm -rf "$logs"' EXIT

# The tests under Wine mostly wait: for a window, for input to arrive, for a program to end.
# They start now, in the background, and the rest is done meanwhile: the other builds, clang-tidy
# and the reproducible release on lower priority, so that the tests keep the processor whenever
# they want it, as on an idle machine. Their output comes at the end.
step "Tests: win and e2e (under Wine), in the background; their output follows at the end"
(
  unset DISPLAY  # the Windows tests must not see a display of the caller's: each makes its own
  ctest --test-dir build -j "$jobs" -L 'win|e2e' --output-on-failure "$@" >"$logs/wine.log" 2>&1
  echo $? >"$logs/wine.rc"
) &
winePid=$!

# A build, the analysis or the release check while the tests under Wine run gets lower priority;
# once they are over, full priority. The other tests keep full priority: they have time limits
# (and a machine busy with other programs would leave too little to a lower priority).
besideWine() {
  if kill -0 "$winePid" 2>/dev/null; then nice -n 5 "$@"; else "$@"; fi
}

# The tests under Wine's output, once they are over.
wineResult() {
  step "Tests: win and e2e (under Wine)"
  wait "$winePid"
  cat "$logs/wine.log"
  wineRc=$(cat "$logs/wine.rc" 2>/dev/null || echo 1)
}

# A build that fails ends the run, once the tests under Wine have reported.
buildFailed() {
  echo "The $1 build failed (see above)."
  wineResult
  exit 1
}

step "Build: native with sanitizers"
besideWine cmake --preset native -DTANDREL_WARNINGS_AS_ERRORS=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null ||
  buildFailed native
besideWine cmake --build build/native -j2 || buildFailed native

step "Build: fuzz targets (clang, libFuzzer)"
besideWine cmake --preset fuzz -DTANDREL_WARNINGS_AS_ERRORS=ON >/dev/null || buildFailed fuzz
besideWine cmake --build build/fuzz -j2 || buildFailed fuzz

# The Windows and the native build's compile databases; a finding fails the run, but the tests
# still run and report.
step "Static analysis: clang-tidy (scripts/check-tidy.sh)"
besideWine "$root/scripts/check-tidy.sh"
tidyRc=$?

step "Checks: every test has a time limit"
python3 "$root/scripts/check-timeouts.py" build build/native build/fuzz || checksRc=1

step "Tests: unit (native)"
ctest --test-dir build/native -j "$jobs" -L unit --output-on-failure "$@" 2>&1 | tee "$logs/native.log"
nativeRc=${PIPESTATUS[0]}

step "Tests: fuzz (each target for a short while; scripts/fuzz.sh runs them longer)"
ctest --test-dir build/fuzz -j "$jobs" -L fuzz --output-on-failure "$@" 2>&1 | tee "$logs/fuzz.log"
fuzzRc=${PIPESTATUS[0]}

# The Windows build above is the first of the two builds compared.
step "Release: a second build of the shipped files and the zip, compared with the first"
besideWine "$root/scripts/check-reproducible.sh" --against build
reproducibleRc=$?

wineResult

# ctest's own summary line: "NN% tests passed, F tests failed out of T".
count() {
  local line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n1)
  if [ -z "$line" ]; then echo "0 0"; return; fi
  local failed total
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  echo "$((total - failed)) $failed"
}
read -r nativePassed nativeFailed < <(count "$logs/native.log")
read -r winePassed wineFailed < <(count "$logs/wine.log")
read -r fuzzPassed fuzzFailed < <(count "$logs/fuzz.log")

# The summary: both runs added up, then the closing lines of each ctest run again, so that
# the output ends with ctest's own summary.
echo
echo "Total: $((nativePassed + fuzzPassed + winePassed)) passed, $((nativeFailed + fuzzFailed + wineFailed)) failed"
for run in native fuzz wine; do
  echo "-- $run:"
  grep -E '^([0-9]+% tests passed|Total Test time|No tests were found)' "$logs/$run.log" || true
done
if [ "$checksRc" -ne 0 ]; then echo "The format, layer or time-limit check failed (see above)."; fi
if [ "$tidyRc" -ne 0 ]; then echo "clang-tidy has findings (see the static analysis step)."; fi
if [ "$reproducibleRc" -ne 0 ]; then echo "The release is not reproducible (see the step before the summary)."; fi
if [ "$nativeRc" -ne 0 ] || [ "$fuzzRc" -ne 0 ] || [ "$wineRc" -ne 0 ] || [ "$checksRc" -ne 0 ] ||
  [ "$tidyRc" -ne 0 ] || [ "$reproducibleRc" -ne 0 ]; then exit 1; fi
exit 0
