#!/usr/bin/env bash
# Checks the Debian package: lintian finds no error; dpkg installs it into a
# scratch root (with this machine's libraries as its dependencies), where
# trivel-cli runs, the window program starts (on Qt's offscreen platform), its
# desktop entry is valid and names installed icons of every size, and the
# manual page and documents are; dpkg removes it and leaves no file of it
# behind.
# Usage: deb_test.sh PACKAGE_DIR
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/packages/checks.sh
version=$(release_version)
deb=$(ls "$1"/trivel-"$version"-linux-*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

check "lintian reports no error" lintian --fail-on error "$deb"
check "the package's version is the project's" [ "$(dpkg-deb -f "$deb" Version)" = "$version" ]
check "its dependencies were computed" grep -q 'libc6' <(dpkg-deb -f "$deb" Depends)

# The scratch root's package database knows the package's dependencies as
# installed, as they are on this machine.
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
# Each named with the package's architecture, as the 32-bit twins that Wine
# brings make a bare name ambiguous.
architecture=$(dpkg-deb -f "$deb" Architecture)
mapfile -t needed < <(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed "s/^ *\([^ (]*\).*/\1:$architecture/")
dpkg-query -s "${needed[@]}" >"$root/var/lib/dpkg/status"
for package in $(dpkg-query -W -f='${binary:Package}\n' "${needed[@]}"); do
  touch "$root/var/lib/dpkg/info/$package.list"
done
dpkg_root() { dpkg --root="$root" --force-not-root "$@" >/dev/null; }

check "dpkg installs it" dpkg_root --install "$deb"
check "trivel-cli 1 5 prints its one triple" [ "$("$root/usr/bin/trivel-cli" 1 5)" = " 3  4  5" ]
check "trivel-cli --version names the package's version" \
  [ "$("$root/usr/bin/trivel-cli" --version)" = "trivel-cli $version" ]
# Still running after a second, the window program has got past its start to
# its event loop; timeout then ends it, and says so by its status 124.
starts() {
  local status=0
  QT_QPA_PLATFORM=offscreen timeout -k 5 1 "$root/usr/bin/trivel" >"$root/trivel.log" 2>&1 || status=$?
  [ "$status" -eq 124 ] || { echo "trivel ended with status $status: $(cat "$root/trivel.log")"; return 1; }
}
check "trivel starts and is still running a second later" starts
entry=$root/usr/share/applications/trivel.desktop
check "its desktop entry passes desktop-file-validate" desktop-file-validate "$entry"
check "the desktop entry starts the installed program" \
  test -x "$root/usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"
# Each icon where the icon theme looks for the entry's icon, in the size its
# folder names.
icons_installed() {
  local icon size
  icon=$(sed -n 's/^Icon=//p' "$entry")
  for size in 16 32 48 64 128 256; do
    file "$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png" | grep -q "PNG image data, $size x $size," ||
      { echo "no $size x $size icon \"$icon\""; return 1; }
  done
}
check "the entry's icon is installed in every size" icons_installed
check "the manual page is in section 1, compressed" gzip -t "$root/usr/share/man/man1/trivel-cli.1.gz"
check "the copyright and changelog are where Debian wants them" \
  test -f "$root/usr/share/doc/trivel/copyright" -a -f "$root/usr/share/doc/trivel/changelog.gz"

check "dpkg removes it" dpkg_root --purge trivel
check "no file of it is left" [ -z "$(find "$root/usr" -type f 2>/dev/null)" ]
finish
