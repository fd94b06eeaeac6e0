#!/usr/bin/env bash
# Builds the packages into dist/, or into the folder given:
#   trivel-VERSION-win32.zip               the 32-bit program, LISEZMOI.txt, LICENSE.txt
#   trivel-VERSION-win32-installation.exe  the same, with an NSIS installer in French
#   trivel-VERSION-linux-ARCH.deb          everything the native build installs
# The version is project(VERSION) in CMakeLists.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-dist}")
# The time the Windows programs are stamped with when stripped: the last
# commit's, so the ZIP and the installer carry the very same trivel.exe.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
export SOURCE_DATE_EPOCH

bash scripts/install-deps.sh native windows packages
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target packaged_files
cmake --preset native >/dev/null
cmake --build --preset native --target packaged_files
for preset in win32 native; do
  cpack --preset "$preset" -B "$out"
done
rm -rf "$out/_CPack_Packages"
ls -l "$out"
