#!/usr/bin/env bash
# Builds trivel and runs every test, each once: the native tests under
# AddressSanitizer and UndefinedBehaviorSanitizer (the native window and the
# command-line program included), a minute of fuzzing the reading of bounds,
# the search's tests as 32-bit x86 code, the Windows tests under Wine from the
# shipped 32-bit build (where the kernel runs 32-bit programs) and from the
# 64-bit build, clang-tidy over the tree, and the packages
# (scripts/test-packages.sh). Ends with a summary: each suite and its count.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

bash scripts/install-deps.sh native windows display packages tests

windows_suites=(win32 win64)
if [ -f build/wine32-unavailable ]; then
  windows_suites=(win64)
  shipped="did not run: $(cat build/wine32-unavailable); the Windows tests ran from the 64-bit build only"
  echo "The shipped 32-bit build/win32/trivel.exe $shipped."
else
  shipped="ran under 32-bit Wine"
fi

# The plain native build makes the programs that are packaged; their tests run
# in the sanitized build.
for preset in native native-sanitize fuzz linux-i686 win32 win64; do
  cmake --preset "$preset" -DBUILD_TESTING=ON >/dev/null
done
cmake --build --preset native --target trivel trivel-cli
for preset in native-sanitize fuzz linux-i686 win32 win64; do
  cmake --build --preset "$preset"
done

logs=build/test-logs
mkdir -p "$logs"
summary=()
status=0

# Runs one test preset, both cores busy where its tests allow, and notes its
# count for the summary. A skipped test counts as a failure.
run_suite() {  # PRESET
  local log=$logs/$1.log counted
  if ctest --preset "$1" --parallel "$(nproc)" 2>&1 | tee "$log" && ! grep -q '(Skipped)' "$log"; then
    counted=$(grep -oE '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    summary+=("$1: ${counted##* } tests passed")
  else
    summary+=("$1: FAILED ($(grep -oE '[0-9]+% tests passed.*' "$log" | tail -n 1), see $log)")
    status=1
  fi
}

# clang-tidy keeps the cores busy while the Windows tests mostly wait for
# their windows.
bash scripts/tidy.sh >"$logs/tidy.log" 2>&1 &
tidy=$!
for suite in "${windows_suites[@]}"; do run_suite "$suite"; done
if wait "$tidy"; then
  summary+=("clang-tidy: no warning")
else
  cat "$logs/tidy.log"
  summary+=("clang-tidy: FAILED (see $logs/tidy.log)")
  status=1
fi

for suite in native-sanitize linux-i686 fuzz; do run_suite "$suite"; done

if bash scripts/test-packages.sh 2>&1 | tee "$logs/packages.log"; then
  summary+=("packages: $(grep -c '^ok: ' "$logs/packages.log") checks passed")
else
  summary+=("packages: FAILED (see $logs/packages.log)")
  status=1
fi

elapsed=$((SECONDS - started))
echo
echo "Summary ($((elapsed / 60)) min $((elapsed % 60)) s):"
printf '  %s\n' "${summary[@]}"
echo "  the shipped 32-bit trivel.exe $shipped"
exit "$status"
