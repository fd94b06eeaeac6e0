#!/usr/bin/env bash
# Times the real window under Wine, from Enter to the last line in the list,
# with the memory the list takes: the bounds 1 and 10^6 (2,269,788 lines), and
# 1 and 2147483647, which stops at the list's ceiling of 10,000,000 lines; then
# how fast the window answers during the long search of 10^9 and 2147483647.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target trivel trivel_driver >/dev/null
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  source scripts/wine-env.sh
  start_wine_server
  use_window_manager no
  "$WINELOADER" build/win64/trivel_driver.exe bench 1 1000000 | tr -d "\r"
  "$WINELOADER" build/win64/trivel_driver.exe bench 1 2147483647 | tr -d "\r"
  "$WINELOADER" build/win64/trivel_driver.exe respond 1000000000 2147483647 | tr -d "\r"
  wineserver -k'
