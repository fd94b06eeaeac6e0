#!/usr/bin/env bash
# Installs what building and testing trivel needs on Debian 12: the native
# toolchain with Qt 6 and the native window's font, the 32-bit (multilib) and
# MinGW-w64 toolchains (i686 for the program, x86_64 for the tests under
# wine64), GoogleTest sources, Wine with its own fonts, Xvfb, the X tools that
# type, click and read the clipboard like a person, qemu's user-mode emulator,
# clang with libFuzzer and clang-tidy, and the packaging tools (NSIS,
# dpkg-shlibdeps, lintian, unzip, 7z). Where the kernel runs 32-bit programs it
# adds 32-bit Wine, which runs the shipped trivel.exe. Does nothing when all is
# there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ g++-multilib ninja-build googletest qemu-user-static
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
          wine wine64 fonts-wine xvfb xauth x11-utils xdotool xclip imagemagick
          nsis dpkg-dev lintian unzip p7zip-full file clang libfuzzer-14-dev clang-tidy
          qt6-base-dev fonts-liberation2 librsvg2-bin)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! installed wine32:i386 && bash scripts/runs-32bit.sh >/dev/null; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends wine32:i386
fi
