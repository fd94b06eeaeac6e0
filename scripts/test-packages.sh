#!/usr/bin/env bash
# Builds the packages under build/packages and tests them: the shipped ZIP and
# installer without running them, the .deb with lintian and dpkg, and an
# installer under Wine on a virtual display. That installer is the shipped
# 32-bit one where 32-bit Wine runs (no build/wine32-unavailable); elsewhere the same
# installer script built for 64-bit Windows, carrying build/win64/trivel.exe,
# stands in for it under wine64 (built under build/win64/packages).
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/packages/checks.sh
version=$(release_version)
packages=build/packages

bash scripts/package.sh "$packages" >/dev/null
status=0
bash tests/packages/windows_static_test.sh "$packages" || status=1
bash tests/packages/deb_test.sh "$packages" || status=1

if [ ! -f build/wine32-unavailable ]; then
  cmake --build --preset win32 --target trivel_driver >/dev/null
  installer=$packages/trivel-$version-win32-installation.exe
  driver=build/win32/trivel_driver.exe
  loader=wine
else
  echo "The shipped installer could not be run on this machine: $(cat build/wine32-unavailable)." \
    "Running the same installer built for 64-bit Windows under wine64 instead."
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target trivel trivel_driver >/dev/null
  cpack --preset win64 >/dev/null
  installer=build/win64/packages/trivel-$version-win64-installation.exe
  driver=build/win64/trivel_driver.exe
  loader=/usr/lib/wine/wine64
fi
bash scripts/on-virtual-display.sh 1024x768 bash tests/packages/installer_test.sh "$installer" "$driver" "$loader" ||
  status=1
exit "$status"
