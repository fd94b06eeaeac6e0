#!/usr/bin/env bash
# Installs what building and testing trivel needs on Debian 12: the native and
# MinGW-w64 i686 toolchains, GoogleTest sources, Wine (32-bit) and Xvfb.
# Does nothing when everything is already there.
set -euo pipefail

packages=(cmake g++ ninja-build googletest g++-mingw-w64-i686 binutils-mingw-w64-i686
          wine wine32:i386 xvfb xauth x11-utils imagemagick)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
