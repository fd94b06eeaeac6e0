#!/usr/bin/env bash
# Builds the Windows program and runs it under Wine: the shipped 32-bit
# build/win32/trivel.exe where 32-bit Wine runs, otherwise the same program
# built for 64-bit Windows, build/win64/trivel.exe, under wine64. It says which
# it started. With a display ($DISPLAY set) it opens the window. Without one it
# runs a demo on a virtual display (scripts/demo.sh): the bounds 1 and 20, the
# lines of the list, build/screenshots/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --on-virtual-display ]; then
  if [ -n "${DISPLAY:-}" ]; then
    bash scripts/install-deps.sh windows
  else
    bash scripts/install-deps.sh windows display
  fi
  if [ ! -f build/wine32-unavailable ]; then
    export TRIVEL_BUILD=win32
    echo "Starting the shipped program, build/win32/trivel.exe, under 32-bit Wine."
  else
    export TRIVEL_BUILD=win64
    echo "Starting build/win64/trivel.exe under wine64: the shipped 32-bit build/win32/trivel.exe" \
         "cannot run on this machine: $(cat build/wine32-unavailable)."
  fi
  cmake --preset "$TRIVEL_BUILD" >/dev/null
  cmake --build --preset "$TRIVEL_BUILD" --target trivel >/dev/null
  source scripts/wine-env.sh
  if [ -n "${DISPLAY:-}" ]; then
    use_window_manager yes
    exec "$(program_loader "$TRIVEL_BUILD")" "build/$TRIVEL_BUILD/trivel.exe"
  fi
  exec bash scripts/on-virtual-display.sh 800x600 "$0" --on-virtual-display
fi

source scripts/wine-env.sh
source scripts/demo.sh
start_wine_server
use_window_manager no
run_demo build/screenshots/screenshot.png "$(program_loader "$TRIVEL_BUILD")" "build/$TRIVEL_BUILD/trivel.exe"
wineserver -k
