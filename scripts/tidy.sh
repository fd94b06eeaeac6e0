#!/usr/bin/env bash
# Runs clang-tidy over every C++ file in git, every warning an error, one file
# at a time on each core: the portable code with the native build's compile
# commands, the Windows code with the 64-bit Windows build's. Fails when any
# file has a warning. With "shipped", only the files outside tests/.
#   bash scripts/tidy.sh [shipped]
set -euo pipefail
cd "$(dirname "$0")/.."
case ${1:-} in
  "") tests=yes ;;
  shipped) tests=no ;;
  *) echo "usage: bash scripts/tidy.sh [shipped]" >&2; exit 2 ;;
esac
for preset in native win64; do
  [ -f "build/$preset/compile_commands.json" ] || cmake --preset "$preset" >/dev/null
done
# Some targets build with a precompiled header, named in their compile commands
# with -include; clang cannot read GCC's precompiled form of it. clang-tidy
# reads copies of the compile commands without it: each file includes what it
# uses. Nor do the copies keep -Werror (the test command's builds fail on
# warnings), with which clang would fail on the GCC options it does not know.
for preset in native win64; do
  mkdir -p "build/tidy/$preset"
  sed -E 's# -Winvalid-pch -include [^ ]*/cmake_pch\.hxx##g; s# -Werror( |")#\1#g' "build/$preset/compile_commands.json" \
    >"build/tidy/$preset/compile_commands.json"
done
# clang reads the MinGW-w64 headers, with the C++ library of its GCC.
cxx=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++ | head -n 1)
export TIDY_WINDOWS_ARGS="--extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-isystem$cxx --extra-arg=-isystem$cxx/x86_64-w64-mingw32"

tidy_file() {  # BUILD FILE
  local windows_args=() output status=0
  [ "$1" = win64 ] && read -ra windows_args <<<"$TIDY_WINDOWS_ARGS"
  output=$(clang-tidy --quiet --warnings-as-errors='*' -p "build/tidy/$1" "${windows_args[@]}" "$2" 2>&1) || status=$?
  grep -v ' warnings\? generated\.$' <<<"$output" || true
  return "$status"
}
export -f tidy_file

# The Windows files first: they take longest, and the cores end together.
{
  git ls-files 'runtime/win32/*.cpp' 'tests/gui/*.cpp' 'tests/win32_*.cpp' main.cpp | sed 's/^/win64 /'
  git ls-files '*.cpp' | grep -vE '^(runtime/win32|tests/gui)/|^tests/win32_|^main\.cpp$' | sed 's/^/native /'
} | if [ "$tests" = yes ]; then cat; else grep -v ' tests/'; fi |
  xargs -P "$(nproc)" -L 1 bash -c 'tidy_file "$@"' _
