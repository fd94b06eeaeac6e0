#!/usr/bin/env bash
# Checks the shipped Windows packages without running them: the ZIP and the
# installer hold the 32-bit program, its read-me and its licence.
# Usage: windows_static_test.sh PACKAGE_DIR
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/packages/checks.sh
version=$(release_version)
zip="$1/trivel-$version-win32.zip"
installer="$1/trivel-$version-win32-installation.exe"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

listed() { sort | tr '\n' ' '; }
windows_line_ends() { ! grep -q $'[^\r]$' "$1" && ! grep -qx '' "$1"; }
zip_files=$(unzip -Z1 "$zip" | listed)
check "the ZIP holds the program, LISEZMOI.txt and LICENSE.txt in one folder" \
  [ "$zip_files" = "trivel-$version-win32/LICENSE.txt trivel-$version-win32/LISEZMOI.txt trivel-$version-win32/trivel.exe " ]
unzip -q "$zip" -d "$scratch/zip"
check "the ZIP's program is the 32-bit Windows program" \
  grep -q 'PE32 executable (GUI) Intel 80386' <(file "$scratch/zip/trivel-$version-win32/trivel.exe")
readme="$scratch/zip/trivel-$version-win32/LISEZMOI.txt"
check "LISEZMOI.txt has Windows line ends" windows_line_ends "$readme"
check "LISEZMOI.txt names the version" grep -q "^trivel $version" "$readme"

check "the installer is a 32-bit program" grep -q 'PE32 executable (GUI) Intel 80386' <(file "$installer")
check "the installer is a 32-bit Unicode NSIS installer" grep -qx 'SubType = NSIS-3 Unicode' <(7z l "$installer")
# The first path is the archive's own; NSIS's plugins are left out.
installer_files=$(7z l -slt "$installer" | awk '/^Path = / && n++ && !/PLUGINSDIR/ { print substr($0, 8) }' | listed)
check "the installer holds the program, LISEZMOI.txt, LICENSE.txt and its uninstaller" \
  [ "$installer_files" = "LICENSE.txt LISEZMOI.txt trivel.exe uninstall.exe " ]
7z e -y -o"$scratch/installer" "$installer" trivel.exe >/dev/null
check "the installer carries the same program as the ZIP" \
  cmp -s "$scratch/installer/trivel.exe" "$scratch/zip/trivel-$version-win32/trivel.exe"
finish
