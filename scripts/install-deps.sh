#!/usr/bin/env bash
# Installs with apt-get what one or more purposes need on Debian 12, and does
# nothing when all is there:
#   native    build and run the native Linux window (Qt 6, its font) and
#             trivel-cli (libpng for its images)
#   windows   build the Windows program and run it under Wine; where the kernel
#             runs 32-bit programs, 32-bit Wine for the shipped 32-bit build
#   display   a virtual display, real keys and the clipboard, screenshots
#   packages  the Windows installer's and the Debian package's tools, and the
#             desktop entry's validator
#   tests     what the tests add: GoogleTest, the 32-bit Linux toolchain, clang
#             with libFuzzer and clang-tidy, the package checkers, the French
#             locale
# Usage: install-deps.sh PURPOSE...
# The mirror has weather: fetches are retried, an index that fails to update
# leaves the lists apt has, and a failed install is tried again after a fresh
# update. 32-bit Wine is the one thing that may stay out: then the reason is
# written to build/wine32-unavailable, and the callers say it in one line.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A packages=(
  [native]="cmake ninja-build g++ qt6-base-dev qt6-translations-l10n fonts-liberation2 libpng-dev"
  [windows]="cmake ninja-build gcc-multilib g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 fonts-wine"
  [display]="xvfb x11-utils xdotool xclip imagemagick"
  [packages]="nsis dpkg-dev desktop-file-utils"
  [tests]="googletest g++-multilib clang libfuzzer-14-dev clang-tidy lintian unzip p7zip-full file locales dbus-daemon"
)
wine32_note=build/wine32-unavailable

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
apt_options=(-q -o Acquire::Retries=5 -o DPkg::Lock::Timeout=600)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

apt_update() {
  "${sudo_cmd[@]}" apt-get "${apt_options[@]}" update >&2 ||
    echo "install-deps: apt-get update failed for some index; going on with the lists apt has" >&2
}

# Installs the packages named, once more after a fresh update if apt fails.
apt_install() {
  "${sudo_cmd[@]}" apt-get "${apt_options[@]}" install -y --no-install-recommends "$@" >&2 && return
  apt_update
  "${sudo_cmd[@]}" apt-get "${apt_options[@]}" install -y --no-install-recommends "$@" >&2
}

# The 64-bit libraries that 32-bit Wine needs as twins, each at the version
# apt offers for i386. A twin must have its 64-bit mate's version: when an
# index of one architecture is missing (a mirror mid-sync), the 64-bit ones may
# be newer or older than any i386 one to be had.
twins_at_i386_versions() {
  local library version
  apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
    --no-enhances wine32:i386 2>/dev/null | sed -n 's/^\([a-z0-9][^ ]*\):i386$/\1/p' | sort -u |
    while read -r library; do
      [ "$(dpkg-query -W -f='${Multi-Arch}' "$library:amd64" 2>/dev/null)" = same ] || continue
      version=$(apt-cache policy "$library:i386" | awk '/Candidate:/ { print $2 }')
      [ -n "$version" ] && [ "$version" != "(none)" ] && echo "$library:amd64=$version"
    done
}

install_wine32() {
  local reason log
  mkdir -p build
  if ! reason=$(bash scripts/runs-32bit.sh); then
    echo "$reason" >"$wine32_note"
    return
  fi
  installed wine32:i386 && { rm -f "$wine32_note"; return; }
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  apt_update
  log=$(mktemp)
  if apt_install wine32:i386 2>"$log"; then
    rm -f "$log" "$wine32_note"
    return
  fi
  mapfile -t twins < <(twins_at_i386_versions)
  if [ ${#twins[@]} -gt 0 ] && "${sudo_cmd[@]}" apt-get "${apt_options[@]}" install -y --no-install-recommends \
      --allow-downgrades wine32:i386 "${twins[@]}" >"$log" 2>&1; then
    echo "install-deps: 32-bit Wine installed with ${#twins[@]} 64-bit libraries set to their i386 twins' versions" >&2
    rm -f "$log" "$wine32_note"
    return
  fi
  echo "32-bit Wine could not be installed ($(grep '^E:' "$log" | tail -n 1 || echo 'apt-get failed'))" \
    >"$wine32_note"
  rm -f "$log"
}

install_french_locale() {
  locale -a | grep -qix 'fr_FR.utf-\?8' && return
  "${sudo_cmd[@]}" sed -i 's/^# *\(fr_FR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen >/dev/null
}

[ $# -gt 0 ] || { echo "usage: install-deps.sh native|windows|display|packages|tests..." >&2; exit 2; }
wanted=()
for purpose in "$@"; do
  [ -n "${packages[$purpose]:-}" ] || { echo "install-deps: no such purpose: $purpose" >&2; exit 2; }
  read -ra list <<<"${packages[$purpose]}"
  wanted+=("${list[@]}")
done

install_missing() {
  local package missing=()
  for package in "$@"; do installed "$package" || missing+=("$package"); done
  [ ${#missing[@]} -eq 0 ] && return
  apt_update
  apt_install "${missing[@]}"
}

install_missing "${wanted[@]}"
if [[ " $* " == *" windows "* ]]; then install_wine32; fi
if [[ " $* " == *" tests "* ]]; then
  install_french_locale
  # qemu runs the 32-bit Linux tests where the kernel cannot.
  bash scripts/runs-32bit.sh >/dev/null || install_missing qemu-user-static
fi
