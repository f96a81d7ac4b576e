#!/usr/bin/env bash
# Creates the build's Wine prefix once, and brings an older one up to date. Settings of the
# X11 driver:
# - ShowSystray=n: without it Wine's stand-alone tray window would take the X focus whenever
#   a tray icon is added;
# - UseTakeFocus=n: without it focusing a window with xdotool would not activate it;
# - Decorated=n: Wine draws the window frames itself, so that without a window manager (Xvfb)
#   title bars and close boxes are on the screen, in screenshots and for clicks;
# - Managed=n: the windows are not handed to a window manager. Xvfb has none, and Wine waits
#   two seconds for one whenever a managed window is hidden, which stalls the program's main
#   thread (and with it the hooks) at every start of a recording or a playback.
# And Wine's own fonts (fonts-wine: Tahoma, the UI font that "MS Shell Dlg" stands for, and
# Marlett, whose glyphs draw the caption buttons) are copied into the prefix's Fonts folder.
# Debian's Wine looks for them in a folder that does not exist, so without the copy captions
# are drawn in a wider stand-in font and the close box shows Marlett's letter "r" instead of
# its cross.
#   make-prefix.sh [copy...]   and then copies of the prefix into the folders named (the prefixes
#                              of the other test lanes: cmake/TandrelTargets.cmake), each unless
#                              it is already up to date
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
marker="$WINEPREFIX/.tandrel-ready-4"
copyPrefix() {
  local copy
  for copy in "$@"; do
    [ -f "$copy/$(basename "$marker")" ] && continue
    rm -rf "$copy"
    cp -a "$WINEPREFIX" "$copy.tmp"
    mv "$copy.tmp" "$copy"
  done
}
if [ -f "$marker" ]; then copyPrefix "$@"; exit 0; fi
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
fi
for setting in ShowSystray UseTakeFocus Decorated Managed; do
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v "$setting" /t REG_SZ /d n /f >/dev/null 2>&1
done
# Everything is written: the services wineboot started would idle on for five seconds more. The
# server saves the registry as it ends.
wineserver -k
wineserver -w
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "make-prefix: wineboot did not create the Wine prefix $WINEPREFIX" >&2
  exit 1
fi
wineFonts=
for dir in /usr/share/wine/fonts /usr/lib/wine/fonts /usr/local/share/wine/fonts; do
  if [ -f "$dir/marlett.ttf" ] && [ -f "$dir/tahoma.ttf" ]; then wineFonts=$dir; break; fi
done
if [ -z "$wineFonts" ]; then
  echo "make-prefix: Wine's fonts (marlett.ttf, tahoma.ttf) not found; install fonts-wine" >&2
  exit 1
fi
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -p "$wineFonts"/*.ttf "$wineFonts"/*.fon "$WINEPREFIX/drive_c/windows/Fonts/"
rm -f "$WINEPREFIX/.tandrel-ready" "$WINEPREFIX/.tandrel-ready-2" "$WINEPREFIX/.tandrel-ready-3"
touch "$marker"
copyPrefix "$@"
