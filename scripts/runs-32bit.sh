#!/usr/bin/env bash
# Tells whether this machine's kernel runs 32-bit x86 programs, which 32-bit
# Wine (and so the shipped 32-bit trivel.exe) needs. Builds and runs a tiny
# 32-bit program; exits 0 when it ran, otherwise prints why on standard output
# and exits 1.
set -uo pipefail
probe_dir=$(mktemp -d)
trap 'rm -rf "$probe_dir"' EXIT
echo 'int main(void) { return 0; }' >"$probe_dir/probe.c"
if ! gcc -m32 -o "$probe_dir/probe" "$probe_dir/probe.c" 2>"$probe_dir/error"; then
  echo "no 32-bit C library to build a 32-bit program with ($(head -n 1 "$probe_dir/error"))"
  exit 1
fi
if ! "$probe_dir/probe" 2>"$probe_dir/error"; then
  echo "the kernel does not run 32-bit programs ($(sed 's/^.*probe: //' "$probe_dir/error" | head -n 1))"
  exit 1
fi
