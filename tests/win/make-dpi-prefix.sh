#!/usr/bin/env bash
# Makes a Wine prefix of its own for tests (and screenshots) at another display scale: the
# build's settings (make-prefix.sh) and HKCU\Control Panel\Desktop LogPixels set to the DPI.
# The build's shared prefix is never touched. Made once; later calls only bring it up to date.
#
#   tests/win/make-dpi-prefix.sh PREFIX DPI        (DPI 144 is 150 %, 192 is 200 %)
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: make-dpi-prefix.sh PREFIX DPI" >&2; exit 2; }
harness=$(cd "$(dirname "$0")/../harness" && pwd)
export TANDREL_WINEPREFIX=$1
dpi=$2
source "$harness/wine-env.sh"
# The build's settings first: that script also brings an older prefix up to date.
"$harness/make-prefix.sh"
marker="$WINEPREFIX/.tandrel-dpi-$dpi"
if [ -f "$marker" ]; then exit 0; fi
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
# The registry is written when this prefix's wineserver ends; wait for that.
wineserver -w
grep -qi "\"LogPixels\"=dword:$(printf '%08x' "$dpi")" "$WINEPREFIX/user.reg" || {
  echo "make-dpi-prefix: LogPixels did not reach $WINEPREFIX/user.reg" >&2
  exit 1
}
touch "$marker"
