#!/usr/bin/env bash
# Builds trivel and runs every test: the native tests, the same again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows tests under
# Wine on a virtual display. The 32-bit Windows program is built as well; its
# tests run from the 64-bit Windows build, as this kernel cannot start 32-bit code.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
for preset in native native-sanitize win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

ctest --preset native
ctest --preset native-sanitize

source scripts/wine-env.sh
# One Wine server for the whole run: each test program then starts in a blink.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset win64
