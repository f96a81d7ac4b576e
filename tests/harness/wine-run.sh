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
wine "$@"
rc=$?
if [ -n "$tandrelXvfbPid" ]; then
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  tandrelStopXvfb
fi
exit $rc
