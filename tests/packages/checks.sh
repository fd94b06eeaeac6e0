# shellcheck shell=bash
# Sourced by the package tests: check WHAT COMMAND... runs the command, prints
# "ok" or "FAILED" with WHAT, and counts the failures for finish.
failures=0

check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}

# Exits with the tests' verdict.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures package check(s) failed"
    exit 1
  fi
}

# The release version, "1.0.0", from project(VERSION) in CMakeLists.txt.
release_version() {
  sed -n 's/^project(trivel VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt
}
