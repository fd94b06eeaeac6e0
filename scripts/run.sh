#!/usr/bin/env bash
# Builds trivel and runs it. With a display ($DISPLAY set) it opens the native
# Linux window, build/native/trivel (Qt 6), and says how to start the Windows
# program under Wine. Without one it runs both on a virtual display, the
# Windows program under Wine first (scripts/run-windows.sh), then the native
# window (scripts/run-native.sh): each takes the bounds 1 and 20 from real
# keys, prints the lines of its list and saves a screenshot under
# build/screenshots/ (scripts/refresh-screenshots.sh copies them into docs/).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -n "${DISPLAY:-}" ]; then
  echo "To start the Windows program under Wine instead: bash scripts/run-windows.sh"
  exec bash scripts/run-native.sh
fi
bash scripts/run-windows.sh
exec bash scripts/run-native.sh
