#!/usr/bin/env bash
# Builds the fuzz targets (build/fuzz, clang with libFuzzer and sanitizers) and runs each one
# for SECONDS (default 300) over its seed corpus in tests/fuzz/corpus. What a target finds on
# the way stays in a temporary folder; an input that crashes it is kept in build/fuzz/findings
# and the script exits non-zero. Prints each target's executions and coverage.
#   scripts/fuzz.sh [seconds] [target...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-300}
shift || true

"$root/scripts/ensure-deps.sh" || exit 1
cmake --preset fuzz >/dev/null || exit 1
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(sed -nE 's/^tandrel_fuzz_target\((fuzz_[a-z_]+) .*/\1/p' tests/fuzz/CMakeLists.txt))
cmake --build build/fuzz -j2 --target "${targets[@]}" || exit 1

export FINDINGS_DIR="$root/build/fuzz/findings"
mkdir -p "$FINDINGS_DIR"
failed=0
for t in "${targets[@]}"; do
  dictionary=$(sed -nE "s/^tandrel_fuzz_target\($t .*DICTIONARY ([^ )]+).*/\1/p" tests/fuzz/CMakeLists.txt)
  [ -n "$dictionary" ] && dictionary="tests/fuzz/dictionaries/$dictionary"
  log="build/fuzz/$t.log"
  echo "== $t: $seconds s"
  if bash tests/fuzz/run-fuzz-target.sh "build/fuzz/tests/fuzz/$t" "tests/fuzz/corpus/$t" "$seconds" $dictionary >"$log" 2>&1; then
    result="no crash"
  else
    result="CRASH (see $log and $FINDINGS_DIR)"
    failed=1
  fi
  runs=$(sed -nE 's/^stat::number_of_executed_units: ([0-9]+)/\1/p' "$log")
  cov=$(grep -E '^#[0-9]+.*(DONE|cov:)' "$log" | tail -n1 | sed -nE 's/.*cov: ([0-9]+) ft: ([0-9]+).*/\1 edges, \2 features/p')
  echo "   executions: ${runs:-?}; coverage: ${cov:-?}; $result"
done
exit $failed
