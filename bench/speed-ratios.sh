#!/usr/bin/env bash
# Prints side by side, in one run, how fast the shipped 32-bit code runs
# beside the 64-bit code, and how close each comes to the output floor:
#  - the command-line program of the linux-i686 and native builds at the
#    bounds 1 and 10^6 and 1 and 10^7, output to /dev/null, in paired rounds
#    (the order alternating from round to round) with the median of the
#    ratios taken round by round, and the most memory each run took;
#  - each against the output floor of its build (bench/output_floor.cpp: the
#    same lines formatted from memory by std::to_chars into one buffer and
#    written with one fwrite);
#  - the 32-bit and 64-bit Windows windows under Wine at 1 and 10^6, from
#    Enter to the last line (bench/window-bench.sh), alternately.
# Where the kernel cannot run 32-bit programs, the i686 program runs under
# qemu and is only checked to write the same lines.
#   bench/speed-ratios.sh [ROUNDS]    (5 rounds by default: the machine's speed
#   drifts from minute to minute, and a median of 3 ratios drifts with it)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}

for preset in native linux-i686; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target trivel-cli output_floor >/dev/null
done
cli32=build/linux-i686/cli/trivel-cli
cli64=build/native/cli/trivel-cli
floor32=build/linux-i686/bench/output_floor
floor64=build/native/bench/output_floor

load() { cut -d ' ' -f 1-3 /proc/loadavg; }
echo "trivel speed ratios, $(date '+%Y-%m-%d %H:%M'), $(nproc) cores, load average $(load)"

# Runs a command with its output to /dev/null; prints its seconds and the
# most memory it held in MB. The seconds come from a run of the command
# alone, the memory from a second run under /usr/bin/time, whose own start
# would add some 2 ms. The floor prints its own seconds, which leave out
# finding the hits.
timed() {
  local stats start end seconds
  stats=$(mktemp)
  start=$EPOCHREALTIME
  "$@" >/dev/null 2>"$stats.err"
  end=$EPOCHREALTIME
  if [[ $1 == *output_floor ]]; then
    seconds=$(awk '{ printf "%.4f", $(NF - 1) }' "$stats.err")
  else
    seconds=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f", e - s }')
  fi
  /usr/bin/time -f %M -o "$stats" "$@" >/dev/null 2>/dev/null
  awk -v seconds="$seconds" '{ printf "%s %.1f\n", seconds, $1 / 1024 }' "$stats"
  rm -f "$stats" "$stats.err"
}

median() { sort -g | awk '{ v[NR] = $1 } END { printf "%.3f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f\n", a / b }'; }

if reason=$(bash scripts/runs-32bit.sh); then
  runs32=yes
else
  runs32=no
  echo "This kernel does not run 32-bit programs ($reason): the i686 program runs under qemu," \
       "only to check its lines."
fi

echo
echo "Command-line program, $rounds paired rounds, output to /dev/null (median of the ratios per round):"
printf '%-12s %9s %9s %9s | %9s %9s | %9s %9s | %s\n' bounds 'i686 s' 'x86-64 s' i686/x64 'floor32 s' \
  'floor64 s' i686/fl x64/fl 'max MB i686, x86-64'
for upper in 1000000 10000000; do
  if [ "$runs32" = no ]; then
    if cmp -s <(qemu-i386-static "$cli32" 1 "$upper") <(./"$cli64" 1 "$upper"); then same=same; else same=DIFFERENT; fi
    echo "1 $upper: the i686 lines under qemu are $same as the x86-64 lines"
    continue
  fi
  if ! cmp -s <(./"$cli32" 1 "$upper") <(./"$cli64" 1 "$upper"); then
    echo "1 $upper: THE i686 AND x86-64 LINES DIFFER"
  fi
  results=$(mktemp)
  for ((round = 1; round <= rounds; ++round)); do
    if ((round % 2)); then order="c32 c64 f32 f64"; else order="c64 c32 f64 f32"; fi
    declare -A took=() mb=()
    for run in $order; do
      case $run in
        c32) read -r "took[$run]" "mb[$run]" < <(timed "$cli32" 1 "$upper") ;;
        c64) read -r "took[$run]" "mb[$run]" < <(timed "$cli64" 1 "$upper") ;;
        f32) read -r "took[$run]" "mb[$run]" < <(timed "$floor32" 1 "$upper") ;;
        f64) read -r "took[$run]" "mb[$run]" < <(timed "$floor64" 1 "$upper") ;;
      esac
    done
    echo "${took[c32]} ${took[c64]} $(ratio "${took[c32]}" "${took[c64]}") ${took[f32]} ${took[f64]}" \
      "$(ratio "${took[c32]}" "${took[f32]}") $(ratio "${took[c64]}" "${took[f64]}") ${mb[c32]} ${mb[c64]}" >>"$results"
  done
  column() { awk -v n="$1" '{ print $n }' "$results" | median; }
  max() { awk -v n="$1" '$n > m { m = $n } END { printf "%.1f", m }' "$results"; }
  printf '%-12s %9s %9s %9s | %9s %9s | %9s %9s | %s, %s\n' "1 $upper" "$(column 1)" "$(column 2)" "$(column 3)" \
    "$(column 4)" "$(column 5)" "$(column 6)" "$(column 7)" "$(max 8)" "$(max 9)"
  rm -f "$results"
done

echo
echo "Windows windows under Wine, 1 and 1000000, from Enter to the last line (3 searches a run):"
if [ "$runs32" = no ] || [ ! -x /usr/lib/wine/wine ]; then
  echo "32-bit Wine cannot run here ($([ "$runs32" = no ] && echo "no 32-bit programs" || echo "not installed")):" \
       "only the 64-bit window is timed."
  bash bench/window-bench.sh win64 1 1000000 | grep '^run'
else
  results=$(mktemp)
  for ((round = 1; round <= rounds; ++round)); do
    if ((round % 2)); then order="win32 win64"; else order="win64 win32"; fi
    for preset in $order; do
      # The median of the three searches of a run.
      bash bench/window-bench.sh "$preset" 1 1000000 | awk '/^run/ { print $6 }' >"$results.$preset" || true
    done
    if [ -s "$results.win32" ] && [ -s "$results.win64" ]; then
      echo "$(median <"$results.win32") $(median <"$results.win64")" >>"$results"
    else
      echo "round $round: a window did not finish its search"
    fi
  done
  awk '{ printf "win32 %.3f s, win64 %.3f s, ratio %.2f\n", $1, $2, $1 / $2 }' "$results"
  printf 'median ratio win32/win64: %s\n' "$(awk '{ print $1 / $2 }' "$results" | median)"
  rm -f "$results" "$results".win*
fi
echo
echo "load average after: $(load)"
