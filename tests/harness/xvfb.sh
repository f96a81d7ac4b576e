# Sourced: tandrelStartXvfb starts a virtual X display of its own (Xvfb picks a free display
# number and tells it through -displayfd, so two runs never race for one) and sets DISPLAY
# and tandrelXvfbPid; tandrelStopXvfb stops exactly that server.
tandrelStartXvfb() {
  local numberFile
  numberFile=$(mktemp)
  Xvfb -displayfd 1 -screen 0 "${TANDREL_SCREEN:-1280x1024x24}" -nolisten tcp >"$numberFile" 2>/dev/null &
  tandrelXvfbPid=$!
  local i
  for i in $(seq 100); do
    if [ -s "$numberFile" ] && grep -q '^[0-9]' "$numberFile"; then break; fi
    if ! kill -0 "$tandrelXvfbPid" 2>/dev/null; then break; fi
    sleep 0.1
  done
  local number
  number=$(head -n1 "$numberFile" | tr -dc 0-9)
  rm -f "$numberFile"
  if [ -z "$number" ]; then
    echo "Xvfb did not start" >&2
    tandrelStopXvfb
    return 1
  fi
  export DISPLAY=":$number"
}

tandrelStopXvfb() {
  if [ -n "${tandrelXvfbPid:-}" ]; then
    kill "$tandrelXvfbPid" 2>/dev/null || true
    wait "$tandrelXvfbPid" 2>/dev/null || true
    tandrelXvfbPid=
  fi
}

# Waits up to 30 s for a visible window whose title matches the pattern (xdotool's regular
# expression); prints its X window id, or says which window did not appear and returns 1.
tandrelWaitWindow() {
  local id
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  echo "no window \"$1\" appeared" >&2
  return 1
}
