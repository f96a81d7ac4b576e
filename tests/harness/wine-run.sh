#!/usr/bin/env bash
# Runs one Windows program under Wine with the build's prefix (ctest's emulator). Without a
# DISPLAY it starts a virtual X display of its own for this one run, and stops it afterwards
# together with the Wine processes of the prefix.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
source "$here/xvfb.sh"
"$here/make-prefix.sh"
tandrelXvfbPid=
if [ -z "${DISPLAY:-}" ]; then
  tandrelStartXvfb || exit 1
fi
# The program's standard output is also kept, to look at once it has ended.
output=$(mktemp)
wine "$@" | tee "$output"
rc=${PIPESTATUS[0]}
# A GoogleTest program that Wine ends before it is done (its wineserver killed, say) can exit
# with 0 and half its output; without its closing summary, that is no pass.
if [ "$rc" -eq 0 ] && grep -q '^\[==========\] Running' "$output" &&
   ! grep -qE '^\[  PASSED  \] [0-9]+ tests?\.' "$output"; then
  echo "wine-run: $1 ended without its test summary: it was cut short" >&2
  rc=1
fi
rm -f "$output"
if [ -n "$tandrelXvfbPid" ]; then
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  tandrelStopXvfb
fi
exit $rc
