#!/usr/bin/env bash
# Builds the native Linux program, build/native/trivel (Qt 6), and runs it.
# With a display ($DISPLAY set) it opens the window. Without one it runs a demo
# on a virtual display: types the bounds 1 and 20 and Enter with real key
# events, saves docs/screenshot-linux.png, then closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --on-virtual-display ]; then
  bash scripts/install-deps.sh
  cmake --preset native >/dev/null
  cmake --build --preset native --target trivel >/dev/null
  if [ -n "${DISPLAY:-}" ]; then
    exec build/native/trivel
  fi
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" --on-virtual-display
fi

build/native/trivel &
trivel=$!
trap 'kill "$trivel" 2>/dev/null || true' EXIT

window=
for _ in $(seq 50); do
  window=$(xdotool search --name trivelliens 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "run-native: the window did not open" >&2; exit 1; }

# The lower field shows 1 and the upper one has the focus, as the program opens.
xdotool windowfocus --sync "$window"
xdotool type --delay 50 20
xdotool key Return
sleep 1

mkdir -p docs
import -window "$window" docs/screenshot-linux.png
echo "screenshot: docs/screenshot-linux.png"

# A bare virtual display has no window manager to ask the window to close.
kill "$trivel"
wait "$trivel" 2>/dev/null || true
trap - EXIT
