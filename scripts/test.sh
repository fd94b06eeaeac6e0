#!/usr/bin/env bash
# Builds trivel and runs every test: clang-tidy over the tree, the native tests,
# a minute of fuzzing the reading of bounds, the native tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the search's tests as 32-bit
# x86 code under qemu, and the Windows tests under Wine on a virtual display:
# from the shipped 32-bit build under 32-bit Wine where the kernel runs 32-bit
# programs, and from the 64-bit build under wine64 everywhere. Last, the
# packages are built and tested (scripts/test-packages.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
for preset in native native-sanitize fuzz linux-i686 win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
bash scripts/tidy.sh

ctest --preset native
ctest --preset fuzz
ctest --preset native-sanitize
ctest --preset linux-i686

if reason=$(bash scripts/runs-32bit.sh); then
  export TRIVEL_RUN_SHIPPED_BUILD=yes
else
  echo "The shipped 32-bit build/win32/trivel.exe could not be run on this machine: $reason;" \
       "the Windows tests run from the 64-bit build only."
  export TRIVEL_RUN_SHIPPED_BUILD=no
fi

# The Windows tests, with one virtual display and one Wine server for the
# whole run, so that each test program starts in a blink.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  source scripts/wine-env.sh
  start_wine_server
  use_window_manager no
  status=0
  if [ "$TRIVEL_RUN_SHIPPED_BUILD" = yes ]; then
    WINELOADER=$(program_loader win32) ctest --preset win32 || status=$?
  fi
  ctest --preset win64 || status=$?
  wineserver -k
  exit $status'

bash scripts/test-packages.sh
