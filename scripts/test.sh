#!/usr/bin/env bash
# Builds trivel and runs every test, each once: the native tests under
# AddressSanitizer and UndefinedBehaviorSanitizer (the native window and the
# command-line program included), a minute of fuzzing the reading of bounds,
# the search's tests as 32-bit x86 code, the Windows tests under Wine from the
# shipped 32-bit build where the kernel runs 32-bit programs (then the 64-bit
# build runs the real-input test only), from the 64-bit build elsewhere,
# clang-tidy over the tree, and the packages
# (scripts/test-packages.sh). Ends with a summary: each suite and its count.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

bash scripts/install-deps.sh native windows display packages tests

windows_suites=(win32 win64)
win32_targets=()
# Where the shipped 32-bit build runs its tests, the 64-bit build runs only
# the real-input test: its other tests would check the same code once more.
win64_targets=(--target trivel trivel-cli)
win64_tests=(-R '^RealInput$')
if [ -f build/wine32-unavailable ]; then
  windows_suites=(win64)
  win64_targets=()
  win64_tests=()
  # Nothing runs the 32-bit tests here: only the shipped programs are built,
  # which still shows that they compile.
  win32_targets=(--target trivel trivel-cli)
  shipped="did not run: $(cat build/wine32-unavailable); the Windows tests ran from the 64-bit build only"
  echo "The shipped 32-bit build/win32/trivel.exe $shipped."
else
  shipped="ran under 32-bit Wine"
fi

cmake --preset fuzz >/dev/null
for preset in native native-sanitize linux-i686 win32 win64; do
  cmake --preset "$preset" -DBUILD_TESTING=ON >/dev/null
done
# clang-tidy needs only the compile commands: it runs beside the rest, on
# whatever the builds and tests leave of the cores.
mkdir -p build/test-logs
setsid nice -n 10 bash scripts/tidy.sh >build/test-logs/tidy.log 2>&1 &
tidy=$!
trap 'kill -- -"$tidy" 2>/dev/null || true' EXIT  # should a build fail first

# The plain native build makes what is packaged; the native tests run in the
# sanitized build.
cmake --build --preset native --target packaged_files
for preset in native-sanitize fuzz linux-i686; do
  cmake --build --preset "$preset"
done
cmake --build --preset win32 "${win32_targets[@]}"
cmake --build --preset win64 "${win64_targets[@]}"

summary=()
status=0

# Notes a test preset's count for the summary, from its log and its exit
# status. A skipped test counts as a failure.
note_suite() {  # PRESET STATUS
  local log=build/test-logs/$1.log counted
  if [ "$2" -eq 0 ] && ! grep -q '(Skipped)' "$log"; then
    counted=$(grep -oE '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    summary+=("$1: ${counted##* } tests passed")
  else
    summary+=("$1: FAILED ($(grep -oE '[0-9]+% tests passed.*' "$log" | tail -n 1), see $log)")
    status=1
  fi
}

# Runs one test preset, both cores busy where its tests allow.
run_suite() {  # PRESET [CTEST OPTION...]
  local result=0
  ctest --preset "$@" --parallel "$(nproc)" 2>&1 | tee "build/test-logs/$1.log" || result=$?
  note_suite "$1" "$result"
}

# The minute of fuzzing takes one core: it runs beside the Windows tests,
# which mostly wait for their windows.
ctest --preset fuzz >build/test-logs/fuzz.log 2>&1 &
fuzz=$!
run_suite "${windows_suites[0]}"
[ "${#windows_suites[@]}" -eq 1 ] || run_suite win64 "${win64_tests[@]}"
fuzz_result=0
wait "$fuzz" || fuzz_result=$?
cat build/test-logs/fuzz.log
note_suite fuzz "$fuzz_result"
for suite in native-sanitize linux-i686; do run_suite "$suite"; done

if bash scripts/test-packages.sh 2>&1 | tee build/test-logs/packages.log; then
  summary+=("packages: $(grep -c '^ok: ' build/test-logs/packages.log) checks passed")
else
  summary+=("packages: FAILED (see build/test-logs/packages.log)")
  status=1
fi

if wait "$tidy"; then
  summary+=("clang-tidy: no warning")
else
  cat build/test-logs/tidy.log
  summary+=("clang-tidy: FAILED (see build/test-logs/tidy.log)")
  status=1
fi

elapsed=$((SECONDS - started))
echo
echo "Summary ($((elapsed / 60)) min $((elapsed % 60)) s):"
printf '  %s\n' "${summary[@]}"
echo "  the shipped 32-bit trivel.exe $shipped"
exit "$status"
