#!/usr/bin/env bash
# Builds the native Linux program, build/native/trivel (Qt 6), and runs it.
# With a display ($DISPLAY set) it opens the window. Without one it runs a demo
# on a virtual display (scripts/demo.sh): the bounds 1 and 20, the lines of the
# list, build/screenshots/screenshot-linux.png.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --on-virtual-display ]; then
  if [ -n "${DISPLAY:-}" ]; then
    bash scripts/install-deps.sh native
  else
    bash scripts/install-deps.sh native display
  fi
  cmake --preset native >/dev/null
  cmake --build --preset native --target trivel >/dev/null
  [ -n "${DISPLAY:-}" ] && exec build/native/trivel
  exec bash scripts/on-virtual-display.sh 800x600 "$0" --on-virtual-display
fi

source scripts/demo.sh
unset QT_QPA_PLATFORM  # the window shows on the virtual display
run_demo build/screenshots/screenshot-linux.png build/native/trivel
