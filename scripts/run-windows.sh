#!/usr/bin/env bash
# Builds the Windows program and runs it under Wine: the shipped 32-bit
# build/win32/trivel.exe where the kernel runs 32-bit programs, otherwise the
# same program built for 64-bit Windows, build/win64/trivel.exe, under wine64.
# It says which it started. With a display ($DISPLAY set) it opens the window.
# Without one it runs a demo on a virtual display: types the bounds 1 and 20
# and Enter, prints the lines of the list, saves docs/screenshot.png, then
# closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --on-virtual-display ]; then
  bash scripts/install-deps.sh
  if reason=$(bash scripts/runs-32bit.sh); then
    export TRIVEL_BUILD=win32
    echo "Starting the shipped program, build/win32/trivel.exe, under 32-bit Wine."
  else
    export TRIVEL_BUILD=win64
    echo "Starting build/win64/trivel.exe under wine64: the shipped 32-bit build/win32/trivel.exe" \
         "cannot run on this machine, as $reason."
  fi
  for preset in win32 "$TRIVEL_BUILD"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" >/dev/null
  done
  source scripts/wine-env.sh
  if [ -n "${DISPLAY:-}" ]; then
    use_window_manager yes
    exec "$(program_loader "$TRIVEL_BUILD")" "build/$TRIVEL_BUILD/trivel.exe"
  fi
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" --on-virtual-display
fi

source scripts/wine-env.sh
use_window_manager no
loader=$(program_loader "$TRIVEL_BUILD")

"$loader" "build/$TRIVEL_BUILD/trivel.exe" &
trivel=$!
trap 'kill "$trivel" 2>/dev/null || true' EXIT

"$loader" "build/$TRIVEL_BUILD/trivel_driver.exe" demo 1 20 | tr -d '\r'

mkdir -p docs
window=$(xwininfo -root -tree | awk '/trivelliens/ { print $1; exit }')
import -window "${window:-root}" docs/screenshot.png
echo "screenshot: docs/screenshot.png"

"$loader" "build/$TRIVEL_BUILD/trivel_driver.exe" close
wait "$trivel"
trap - EXIT
