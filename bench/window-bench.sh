#!/usr/bin/env bash
# Times the real window under Wine, from Enter to the last line in the list,
# with the memory the list takes: the bounds 1 and 10^6 (2,269,788 lines), and
# 1 and 2147483647, which stops at the list's ceiling of 10,000,000 lines; then
# how fast the window answers during the long search of 10^9 and 2147483647.
#   bench/window-bench.sh [win32|win64] [LOWER UPPER]
# The 64-bit build by default; win32 times the shipped 32-bit build under
# 32-bit Wine. With bounds, only the search of those bounds is timed.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-win64}
[ $# -gt 0 ] && shift
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target trivel trivel_driver >/dev/null
bash scripts/on-virtual-display.sh 1024x768 bash -c '
  preset=$1
  shift
  source scripts/wine-env.sh
  start_wine_server
  use_window_manager no
  driver() { "$(program_loader "$preset")" "build/$preset/trivel_driver.exe" "$@" | tr -d "\r"; }
  if [ $# -eq 2 ]; then
    driver bench "$1" "$2"
  else
    driver bench 1 1000000
    driver bench 1 2147483647
    driver respond 1000000000 2147483647
  fi
  wineserver -k' bash "$preset" "$@"
