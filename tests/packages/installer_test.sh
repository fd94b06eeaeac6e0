#!/usr/bin/env bash
# Runs an installer of trivel under Wine, in a fresh Wine prefix, on the
# display in $DISPLAY: silently for the current user, then for all users. Each
# time the program, its Start-menu shortcut and its uninstall entry must be in
# place, the installed program must start from there and show its window, and
# the silent uninstaller must leave no file and no registry key in the prefix
# that was not there before the install.
# Usage: installer_test.sh INSTALLER TRIVEL_DRIVER WINE_LOADER
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/packages/checks.sh
version=$(release_version)
installer=$(realpath "$1")
driver=$(realpath "$2")

export WINEPREFIX=$PWD/build/wine-prefix-installer
rm -rf "$WINEPREFIX"
source scripts/wine-env.sh
export WINELOADER=$3
# Wine would copy the shortcuts to this machine's desktop menus: not here.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

caption=$(sed -n 's/^ *\.caption = "\(.*\)",$/\1/p' window/feuille1_layout.cpp)
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\trivel'

# Runs a Windows program and waits until every Wine process has ended (the
# uninstaller goes on in a copy of itself).
run() {
  local status=0
  "$WINELOADER" "$@" </dev/null | tr -d '\r' || status=$?
  wineserver -w
  return "$status"
}
entry() { "$WINELOADER" reg query "$1\\$key" /v "$2" </dev/null 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
has_no_entry() { ! "$WINELOADER" reg query "$1\\$key" </dev/null >/dev/null 2>&1; }
# Whether a path, with \ read as /, matches a pattern written with /.
matches() {
  local path=${1//\\//}
  # shellcheck disable=SC2053 # the second operand is a pattern
  [[ $path == $2 ]]
}
# The prefix's files and registry keys, one a line, sorted; less the shared
# folder and key that hold the programs installed per user and their entries,
# which Windows keeps once made, and the empty folder in which the uninstaller
# ran a copy of itself (deleted by then: Windows empties its temporary folder).
prefix_contents() {
  (cd "$WINEPREFIX" && find drive_c && sed -n 's/^\(\[.*\]\) [0-9]*$/\1/p' system.reg user.reg) | sort |
    grep -v -x -e 'drive_c/users/[^/]*/AppData/Local/Programs' -e 'drive_c/users/[^/]*/Temp/~nsu[0-9]*\.tmp' \
      -e '\[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\]'
}

# MODE ROOT OTHER_ROOT FOLDER SHORTCUT [INSTALLER_OPTION]: FOLDER and SHORTCUT
# are patterns for the install folder (a Windows path, written with /) and
# the shortcut (its path on this machine).
test_install() {
  local mode=$1 root=$2 other_root=$3 folder=$4 shortcut=$5
  shift 5
  local before
  before=$(prefix_contents)
  check "$mode: the silent install succeeds" run "$installer" /S "$@"

  local location
  location=$(entry "$root" InstallLocation)
  check "$mode: installed in the expected folder ($location)" matches "$location" "$folder"
  local dir
  dir=$("$WINELOADER" winepath -u "$location" 2>/dev/null | tr -d '\r')
  check "$mode: the folder holds the program, LISEZMOI.txt, LICENSE.txt and the uninstaller" \
    test -f "$dir/trivel.exe" -a -f "$dir/LISEZMOI.txt" -a -f "$dir/LICENSE.txt" -a -f "$dir/uninstall.exe"
  check "$mode: the entry among the installed programs names trivel $version, its publisher and icon" \
    [ "$(entry "$root" DisplayName)|$(entry "$root" DisplayVersion)|$(entry "$root" Publisher)|$(entry "$root" DisplayIcon)" \
      = "trivel|$version|the trivel developers|$location\\trivel.exe,0" ]
  check "$mode: the entry names the uninstaller" \
    [ "$(entry "$root" UninstallString)" = "\"$location\\uninstall.exe\"" ]
  check "$mode: no entry in $other_root" has_no_entry "$other_root"
  local link
  link=$(find "$WINEPREFIX/drive_c" -name trivel.lnk)
  check "$mode: a Start-menu shortcut ($link)" matches "$link" "$shortcut"
  check "$mode: the shortcut starts the installed program" grep -q 'trivel\.exe' <(strings -a -el "$link")
  check "$mode: the installed program starts from there and shows its window" \
    [ "$(run "$driver" open "$location\\trivel.exe")" = "$caption" ]

  check "$mode: the silent uninstall succeeds" run "$location\\uninstall.exe" /S
  check "$mode: the folder is gone" test ! -e "$dir"
  check "$mode: the entry is gone" has_no_entry "$root"
  local left
  left=$(comm -13 <(echo "$before") <(prefix_contents))
  check "$mode: no file, shortcut or registry key is left" [ -z "$left" ]
  [ -z "$left" ] || echo "left: $left"
}

test_install "for the current user" HKCU HKLM 'C:/users/*/AppData/Local/Programs/trivel' \
  "$WINEPREFIX/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/trivel.lnk"
test_install "for all users" HKLM HKCU 'C:/Program Files*/trivel' \
  "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/trivel.lnk" /ALLUSERS
finish
