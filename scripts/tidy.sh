#!/usr/bin/env bash
# Runs clang-tidy over the tree, every warning an error: the portable code with
# the native build's compile commands, the Windows code with the 64-bit Windows
# build's. Fails when either run finds anything.
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in native win64; do cmake --preset "$preset" >/dev/null; done
mapfile -t portable < <(git ls-files '*.cpp' | grep -vE '^(runtime/win32|tests/gui)/|^main\.cpp$')
mapfile -t windows < <(git ls-files 'runtime/win32/*.cpp' 'tests/gui/*.cpp' main.cpp)
clang-tidy --quiet --warnings-as-errors='*' -p build/native "${portable[@]}" &
portable_run=$!
# clang reads the MinGW-w64 headers, with the C++ library of its GCC.
cxx=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++ | head -n 1)
clang-tidy --quiet --warnings-as-errors='*' -p build/win64 --extra-arg=--target=x86_64-w64-mingw32 \
  --extra-arg=-isystem"$cxx" --extra-arg=-isystem"$cxx/x86_64-w64-mingw32" "${windows[@]}" &
windows_run=$!
status=0
wait "$portable_run" || status=1
wait "$windows_run" || status=1
exit "$status"
