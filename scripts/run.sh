#!/usr/bin/env bash
# Builds trivel and runs it under Wine. The program ships as the 32-bit
# build/win32/trivel.exe; this machine's kernel cannot start 32-bit code, so
# what runs here is the same program built for 64-bit Windows,
# build/win64/trivel.exe, under wine64.
# With a display ($DISPLAY set) it opens the window. Without one it runs a demo
# on a virtual display: types the bounds 1 and 20 and Enter, prints the lines of
# the list, saves docs/screenshot.png, then closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --on-virtual-display ]; then
  bash scripts/install-deps.sh
  for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" >/dev/null
  done
  source scripts/wine-env.sh
  if [ -n "${DISPLAY:-}" ]; then
    use_window_manager yes
    exec "$WINELOADER" build/win64/trivel.exe
  fi
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" --on-virtual-display
fi

source scripts/wine-env.sh
use_window_manager no

"$WINELOADER" build/win64/trivel.exe &
trivel=$!
trap 'kill "$trivel" 2>/dev/null || true' EXIT

"$WINELOADER" build/win64/trivel_driver.exe demo 1 20 | tr -d '\r'

mkdir -p docs
window=$(xwininfo -root -tree | awk '/trivelliens/ { print $1; exit }')
import -window "${window:-root}" docs/screenshot.png
echo "screenshot: docs/screenshot.png"

"$WINELOADER" build/win64/trivel_driver.exe close
wait "$trivel"
trap - EXIT
