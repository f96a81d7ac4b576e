#!/usr/bin/env bash
# Creates the build's Wine prefix once. Without the stand-alone tray window (ShowSystray=n) a
# tray icon would take the X focus; without UseTakeFocus=n, focusing a window with xdotool
# would not activate it.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
if [ -f "$WINEPREFIX/.tandrel-ready" ]; then exit 0; fi
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\X11 Driver' /v ShowSystray /t REG_SZ /d n /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /t REG_SZ /d n /f >/dev/null 2>&1
wineserver -w
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "make-prefix: wineboot did not create the Wine prefix $WINEPREFIX" >&2
  exit 1
fi
touch "$WINEPREFIX/.tandrel-ready"
