#!/usr/bin/env bash
# Takes the README's screenshots with the built program under Wine, on a virtual display of
# its own: the main window with a few recordings (docs/main-window.png), the naming dialog
# that follows F9, F9 (docs/naming-dialog.png), and the main window again at a display scale
# of 150 % (docs/main-window-150.png).
#
#   scripts/make-screenshots.sh [path of Tandrel.exe]     (default: build/dist/Tandrel.exe)
#
# The two hook modules must lie beside the program. The Wine prefix is the build's
# (TANDREL_WINEPREFIX overrides it, as for the tests); the picture at 150 % is taken in a prefix
# of its own whose LogPixels is 144 (build/wineprefix-dpi144, made by tests/win/make-dpi-prefix.sh).
# Needs wine, Xvfb, xdotool, ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(realpath "${1:-${TANDREL_EXE:-$root/build/dist/Tandrel.exe}}")
docs="$root/docs"
[ -f "$exe" ] || { echo "make-screenshots: no program at $exe (build it first)" >&2; exit 1; }

source "$root/tests/harness/wine-env.sh"
source "$root/tests/harness/xvfb.sh"
"$root/tests/harness/make-prefix.sh"

work=$(mktemp -d)
tandrelPid=
editorPid=
scaledPrefix="$root/build/wineprefix-dpi144"
cleanup() {
  for pid in $tandrelPid $editorPid; do kill "$pid" 2>/dev/null || true; done
  # Whatever Wine still runs in these prefixes belongs to this script's programs.
  if [ -n "${tandrelXvfbPid:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$scaledPrefix" wineserver -k >/dev/null 2>&1 || true
  fi
  tandrelStopXvfb
  rm -rf "$work"
}
trap cleanup EXIT
tandrelStartXvfb

# A few small recordings (16-byte records: kind, code, down, delay, x, y) to fill the list.
mkdir -p "$work/Records"
# The kind numbers as the build has them (cmake/RecordKinds.cmake).
python3 - "$work/Records" "$(dirname "$exe")/../generated/record_kinds.json" <<'EOF'
import json, os, struct, sys
folder = sys.argv[1]
with open(sys.argv[2], encoding="utf-8") as f:
    kind = {row["name"]: row["number"] for row in json.load(f)}
def key(vk, delay=80):
    return (struct.pack("<bhbiii", kind["Key"], vk, 1, delay, 0, 0)
            + struct.pack("<bhbiii", kind["Key"], vk, 0, 60, 0, 0))
def move(x, y, delay=15):
    return struct.pack("<bhbiii", kind["Move"], 0, 0, delay, x, y)
def click(delay=120):
    return (struct.pack("<bhbiii", kind["Button"], 0x201, 0, delay, 0, 0)
            + struct.pack("<bhbiii", kind["Button"], 0x202, 0, 90, 0, 0))
recordings = {
    "Formular ausfüllen": b"".join(move(100 + 10 * i, 200 + 4 * i) for i in range(20)) + click()
                          + b"".join(key(ord(c)) for c in "MUSTER"),
    "Login": b"".join(key(ord(c)) for c in "ADMIN") + key(0x09) + key(0x0D),
    "Tagesbericht": key(0x5B) + b"".join(key(ord(c)) for c in "BERICHT") + key(0x0D),
}
for name, data in recordings.items():
    with open(os.path.join(folder, name + ".rec"), "wb") as f:
        f.write(data)
EOF

# Crops the screen to the smallest box holding the given windows.
shoot() {
  local out=$1; shift
  local left=100000 top=100000 right=0 bottom=0 id X Y WIDTH HEIGHT WINDOW SCREEN
  for id in "$@"; do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    (( X < left )) && left=$X
    (( Y < top )) && top=$Y
    (( X + WIDTH > right )) && right=$((X + WIDTH))
    (( Y + HEIGHT > bottom )) && bottom=$((Y + HEIGHT))
  done
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out"
  echo "wrote $out"
}

(cd "$work" && exec wine "$exe") >/dev/null 2>&1 &
tandrelPid=$!
main=$(tandrelWaitWindow "^Vorsk - Tandrel 1.4$")
sleep 1  # let the list and the fonts settle
mkdir -p "$docs"
shoot "$docs/main-window.png" "$main"

# F9 reaches the program through its hooks only while a window of Wine has the keyboard, so
# a text editor stands in for the application a user would record in.
(cd "$work" && exec wine notepad) >/dev/null 2>&1 &
editorPid=$!
editor=$(tandrelWaitWindow "^.*Notepad$")
xdotool windowmove "$editor" 20 20 windowsize "$editor" 320 200 windowfocus "$editor"
sleep 0.5
xdotool key F9
sleep 1
xdotool mousemove 200 120 sleep 0.2 mousemove 260 150 type --delay 60 "Hallo"
sleep 0.5
xdotool key F9
dialog=$(tandrelWaitWindow "^Aufzeichnung benennen$")
xdotool windowfocus "$dialog"
sleep 0.3
xdotool type --delay 60 "Wochenbericht"
sleep 0.5
shoot "$docs/naming-dialog.png" "$main" "$dialog"

# Leave tidily: cancel the name, throw the recording away, close both programs.
xdotool key Escape
sleep 1
xdotool key Return
sleep 1
xdotool windowfocus "$main" key alt+F4 2>/dev/null || true
xdotool windowfocus "$editor" key alt+F4 2>/dev/null || true
for _ in $(seq 100); do
  kill -0 "$tandrelPid" 2>/dev/null || break
  sleep 0.1
done

# The main window at 150 %: the same recordings, in the prefix whose display scale is 144 DPI.
"$root/tests/win/make-dpi-prefix.sh" "$scaledPrefix" 144
(cd "$work" && WINEPREFIX="$scaledPrefix" exec wine "$exe") >/dev/null 2>&1 &
tandrelPid=$!
main=$(tandrelWaitWindow "^Vorsk - Tandrel 1.4$")
sleep 1
shoot "$docs/main-window-150.png" "$main"
xdotool windowfocus "$main" key alt+F4 2>/dev/null || true
for _ in $(seq 100); do
  kill -0 "$tandrelPid" 2>/dev/null || break
  sleep 0.1
done
