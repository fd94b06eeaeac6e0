#!/usr/bin/env bash
# Installs what building and testing trivel needs on Debian 12: the native,
# 32-bit (multilib) and MinGW-w64 toolchains (i686 for the program, x86_64 for
# the tests under wine64), GoogleTest sources, Wine, Xvfb and qemu's user-mode
# emulator. Does nothing when all is there.
set -euo pipefail

packages=(cmake g++ g++-multilib ninja-build googletest qemu-user-static
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
          wine wine64 xvfb xauth x11-utils imagemagick
          qt6-base-dev fonts-liberation2 xdotool librsvg2-bin)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
