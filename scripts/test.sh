#!/usr/bin/env bash
# Builds trivel and runs every test, each once: the native tests under
# AddressSanitizer and UndefinedBehaviorSanitizer (the native window and the
# command-line program included), a minute of fuzzing the reading of bounds,
# the search's tests as 32-bit x86 code, the Windows tests under Wine from the
# shipped 32-bit build where the kernel runs 32-bit programs (then the 64-bit
# build runs the real-input test only), from the 64-bit build elsewhere,
# clang-tidy over the shipped code, and the packages
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

# Compiler warnings fail the builds: some of what clang-tidy could also check
# is left to the compiler (see .clang-tidy).
cmake --preset fuzz -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
for preset in native native-sanitize linux-i686 win32 win64; do
  cmake --preset "$preset" -DBUILD_TESTING=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
done

# Everything runs at once, on two cores: the test suites first, the builds
# after them (nice 10), clang-tidy on what is left (nice 19). The suites that
# mostly wait for windows (Wine's, the sanitized one with its real-input test,
# the packages) run one after another beside the builds, each once its builds
# are done; one display server starts at a time.
logs=build/test-logs
mkdir -p "$logs"
rm -f "$logs"/*.built "$logs"/*.result
# A session of its own, which the kernel would give as much of the cores as the
# rest (its scheduling autogroup): the lowest share for that group too.
# It checks the shipped code only: the tests' files, each with GoogleTest's,
# Qt's or windows.h's headers, would take this command past its 15 minutes;
# bash scripts/tidy.sh checks them too.
setsid bash -c 'echo 19 2>/dev/null >/proc/self/autogroup; exec nice -n 19 bash scripts/tidy.sh shipped' \
  >"$logs/tidy.log" 2>&1 &
tidy=$!
waiting=
# Should a build fail first, nothing goes on behind it.
trap 'kill -- -"$tidy" ${waiting:+-"$waiting"} 2>/dev/null || true' EXIT

build() {  # PRESET [OPTION...]
  nice -n 10 cmake --build --preset "$@"
  touch "$logs/$1.built"
}

# Waits for the builds of the presets named, or ends when the main script has.
await_builds() {  # PRESET...
  local preset
  for preset in "$@"; do
    until [ -f "$logs/$preset.built" ]; do
      kill -0 "$main" 2>/dev/null || exit 1
      sleep 1
    done
  done
}

# Notes a suite's result for the summary, from its log and its exit status. A
# skipped test counts as a failure.
note_suite() {  # PRESET STATUS
  local log=$logs/$1.log counted
  if [ "$2" -eq 0 ] && ! grep -q '(Skipped)' "$log"; then
    counted=$(grep -oE '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    echo "$1: ${counted##* } tests passed" >"$logs/$1.result"
  else
    echo "$1: FAILED ($(grep -oE '[0-9]+% tests passed.*' "$log" | tail -n 1), see $log)" >"$logs/$1.result"
  fi
}

# Runs one test preset into its log, both cores busy where its tests allow,
# and shows the log once it is done.
run_suite() {  # PRESET [CTEST OPTION...]
  local result=0
  ctest --preset "$@" --parallel "$(nproc)" >"$logs/$1.log" 2>&1 || result=$?
  cat "$logs/$1.log"
  note_suite "$1" "$result"
}

run_packages() {
  if bash scripts/test-packages.sh >"$logs/packages.log" 2>&1; then
    echo "packages: $(grep -c '^ok: ' "$logs/packages.log") checks passed" >"$logs/packages.result"
  else
    echo "packages: FAILED (see $logs/packages.log)" >"$logs/packages.result"
  fi
  cat "$logs/packages.log"
}

waiting_suites() {
  await_builds "${windows_suites[@]}" real-input-tools
  run_suite "${windows_suites[0]}"
  [ "${#windows_suites[@]}" -eq 1 ] || run_suite win64 "${win64_tests[@]}"
  await_builds native-sanitize
  run_suite native-sanitize
  await_builds native win32
  run_packages
}
main=$$
setsid bash -c "$(declare -p logs main windows_suites win64_tests)
                $(declare -f await_builds note_suite run_suite run_packages waiting_suites)
                waiting_suites" &
waiting=$!

# The builds in the order the waiting suites need them.
if [ "${windows_suites[0]}" = win32 ]; then
  build win32 "${win32_targets[@]}"
  build win64 "${win64_targets[@]}"
else
  build win64 "${win64_targets[@]}"
fi
# The Windows real-input test compares the picture window's image with a
# native trivel-cli's, read by png_pixels, from the sanitized build.
nice -n 10 cmake --build --preset native-sanitize --target trivel-cli png_pixels
touch "$logs/real-input-tools.built"
build native-sanitize
# The plain native build makes what is packaged.
build native --target packaged_files
[ "${windows_suites[0]}" = win32 ] || build win32 "${win32_targets[@]}"
# The minute of fuzzing takes one core; the 32-bit tests run under qemu.
build fuzz
ctest --preset fuzz >"$logs/fuzz.log" 2>&1 &
fuzz=$!
# Only the programs of the tests that run there: the rest is built as 32-bit
# code for Windows.
build linux-i686 --target search_tests picture_tests runtime_tests
run_suite linux-i686
fuzz_result=0
wait "$fuzz" || fuzz_result=$?
cat "$logs/fuzz.log"
note_suite fuzz "$fuzz_result"

wait "$waiting" || true
summary=()
for suite in "${windows_suites[@]}" fuzz native-sanitize linux-i686 packages; do
  summary+=("$(cat "$logs/$suite.result" 2>/dev/null || echo "$suite: did not finish")")
done
status=0
if wait "$tidy"; then
  summary+=("clang-tidy: no warning")
else
  cat "$logs/tidy.log"
  summary+=("clang-tidy: FAILED (see $logs/tidy.log)")
fi
for line in "${summary[@]}"; do
  case $line in *': FAILED'* | *': did not finish') status=1 ;; esac
done

elapsed=$((SECONDS - started))
echo
echo "Summary ($((elapsed / 60)) min $((elapsed % 60)) s):"
printf '  %s\n' "${summary[@]}"
echo "  the shipped 32-bit trivel.exe $shipped"
exit "$status"
