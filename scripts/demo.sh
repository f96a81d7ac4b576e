#!/usr/bin/env bash
# The demo of what Tandrel is for: it opens Wine's Notepad, plays the recording of
# demo/greeting.txt into it with Tandrel.exe in unattended mode, and saves a picture of Notepad
# with the typed text. ./run.sh --demo builds everything and runs this script.
#
#   scripts/demo.sh [Tandrel.exe] [tandrel-rec] [picture]
#
# Defaults: build/dist/Tandrel.exe, the Linux tandrel-rec of build/tool, build/demo.png.
# The text is packed into a recording with tandrel-rec in a temporary folder. Without a DISPLAY
# everything runs on a virtual display of its own. Needs wine, Xvfb, xdotool, ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(realpath "${1:-$root/build/dist/Tandrel.exe}")
tool=$(realpath "${2:-$root/build/tool/tools/tandrel-rec/tandrel-rec}")
picture=$(realpath -m "${3:-$root/build/demo.png}")
[ -f "$exe" ] || { echo "demo: no program at $exe (build it first)" >&2; exit 1; }
[ -x "$tool" ] || { echo "demo: no tandrel-rec at $tool (build it first)" >&2; exit 1; }

source "$root/tests/harness/wine-env.sh"
source "$root/tests/harness/xvfb.sh"
"$root/tests/harness/make-prefix.sh"

work=$(mktemp -d)
tandrelXvfbPid=
editorPid=
tandrelPid=
cleanup() {
  for pid in $tandrelPid $editorPid; do kill "$pid" 2>/dev/null || true; done
  # On a display of its own, whatever Wine still runs in the prefix was started here.
  if [ -n "$tandrelXvfbPid" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  tandrelStopXvfb
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
if [ -z "${DISPLAY:-}" ]; then
  tandrelStartXvfb
fi

"$tool" pack "$root/demo/greeting.txt" -o "$work/greeting.rec"

(cd "$work" && exec wine notepad) >/dev/null 2>&1 &
editorPid=$!
editor=$(tandrelWaitWindow "Notepad\$")
xdotool windowmove "$editor" 40 40 windowsize "$editor" 380 120

# Gives Notepad the keyboard. Without a window manager the X focus is handed over directly;
# going by the root window first makes Wine deactivate and activate Notepad again, which also
# draws its caption as active (Notepad starts active with the caption of an inactive window).
rootWindow=$(xdotool search --maxdepth 0 --name "" 2>/dev/null | head -n1 || true)
focus_editor() {
  for _ in $(seq 25); do
    if ! xdotool windowactivate "$editor" >/dev/null 2>&1; then
      [ -n "$rootWindow" ] && xdotool windowfocus "$rootWindow" && sleep 0.2
      xdotool windowfocus "$editor"
    fi
    sleep 0.3
    if [ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$editor" ]; then return 0; fi
  done
  echo "demo: Notepad did not get the keyboard focus" >&2
  return 1
}
# It must have it when the playback starts, two seconds after Tandrel does.
focus_editor

echo "Playing demo/greeting.txt into Notepad with Tandrel.exe greeting.rec (unattended)."
(cd "$work" && exec wine "$exe" greeting.rec) >/dev/null 2>&1 &
tandrelPid=$!
for _ in $(seq 600); do
  kill -0 "$tandrelPid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$tandrelPid" 2>/dev/null; then
  echo "demo: Tandrel did not end within 60 s" >&2
  exit 1
fi
tandrelPid=
# Notepad is activated once more for the picture, and given a moment to paint the last key.
focus_editor
sleep 0.5

eval "$(xdotool getwindowgeometry --shell "$editor")"
mkdir -p "$(dirname "$picture")"
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$picture"
echo "Picture of Notepad saved to $picture."
