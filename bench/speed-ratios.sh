#!/usr/bin/env bash
# The program's speed benchmark, all of it in one run: this script is its
# entry point.
#  - Regions: for each pair of bounds, the lines of the command-line program
#    of the native build; its seconds with the output to /dev/null (the median
#    of ROUNDS runs); its lines per second; its speed against the output floor
#    (bench/output_floor.cpp: the same lines formatted from hits in memory by
#    std::to_chars and written with one fwrite), floor seconds / program
#    seconds, which is the program's lines per second over the floor's; the
#    32-bit program's seconds over the 64-bit program's, and the 32-bit
#    program against its own floor, where the kernel runs 32-bit programs;
#    the most memory the program held, from a run of its own under
#    /usr/bin/time, whose start would add some 2 ms to the seconds.
#  - Counts: the seconds of --count and --primitive --count, and their memory.
#  - The 32-bit and 64-bit Windows windows under Wine at 1 and 10^6, from
#    Enter to the last line (bench/window-bench.sh), alternately.
# A run past LIMIT seconds is stopped; the bounds it had are shown as such and
# not run again.
#   bash bench/speed-ratios.sh [ROUNDS [LIMIT]]    (3 rounds, 60 s by default)
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C # a decimal point in $EPOCHREALTIME and awk's numbers
export CMAKE_BUILD_PARALLEL_LEVEL=2 # the builds, window-bench.sh's included, share the machine
rounds=${1:-3}
limit=${2:-60}
if ! [[ $rounds =~ ^[1-9][0-9]*$ && $limit =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: bash bench/speed-ratios.sh [ROUNDS [LIMIT]]" >&2
  exit 2
fi
regions=("1 10000000" "1 33554432" "1 40000000" "1 100000000" "100000000 300000000" "1000000000 2147483647"
  "950000000 2147483647" "-10000000 10000000" "-2147483648 -2146000000")
counts=("1 2147483647" "-77777 2147483647" "-2147483648 2147483647" "1 100000000" "-10000000 10000000")

load() { cut -d ' ' -f 1-3 /proc/loadavg; }
echo "trivel speed, $(date '+%Y-%m-%d %H:%M'), $(nproc) cores, load average $(load)"

builds=(native)
if reason32=$(bash scripts/runs-32bit.sh); then
  runs32=yes
  builds+=(linux-i686)
else
  runs32=no
fi
for preset in "${builds[@]}"; do
  if ! log=$(cmake --preset "$preset" 2>&1 && cmake --build --preset "$preset" --target trivel-cli output_floor 2>&1); then
    echo "$log" >&2
    exit 1
  fi
done
cli() { echo "build/$1/cli/trivel-cli"; }
data=$(mktemp)
trap 'rm -f "$data" "$data".*' EXIT

# The seconds of a run, its output to /dev/null, or "over" when stopped at the
# limit (timeout's start adds some 1 ms).
seconds() {
  local start end status=0
  start=$EPOCHREALTIME
  timeout "$limit" "$@" >/dev/null || status=$?
  end=$EPOCHREALTIME
  if ((status == 124)); then
    echo over
  elif ((status == 0)); then
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f\n", e - s }'
  else
    return "$status"
  fi
}

# The floor's lines and seconds on its clock, "- over" when stopped. It finds
# the hits off its clock too, hence twice the limit.
floor() {
  local report status=0
  report=$(timeout "$((2 * limit))" "$@" 2>&1 >/dev/null) || status=$?
  if ((status == 124)); then
    echo "- over"
  elif ((status == 0)); then
    awk '{ print $1, $4 }' <<<"$report"
  else
    return "$status"
  fi
}

# The most memory a run held, in MB, or "over"; its output goes to OUT. Twice
# the limit: a run of the same command has just ended within it.
peak() {  # OUT COMMAND...
  local out=$1 status=0
  shift
  timeout "$((2 * limit))" /usr/bin/time -f %M -o "$data.mb" "$@" >"$out" || status=$?
  if ((status == 124)); then
    echo over
  elif ((status == 0)); then
    awk '{ printf "%.1f\n", $1 / 1024 }' "$data.mb"
  else
    return "$status"
  fi
}

# Appends the measures of a row to $data, one "row|measure|value" a line: the
# programs of each build and their floors by rounds, the order of the builds
# turning from round to round, then the native program's memory.
measureRegion() {  # LOWER UPPER
  local row="$1 $2" round preset order took report lines
  for ((round = 1; round <= rounds; ++round)); do
    order=("${builds[@]}")
    ((round % 2)) || order=("${builds[@]:1}" "${builds[0]}")
    for preset in "${order[@]}"; do
      took=$(seconds "$(cli "$preset")" "$1" "$2")
      echo "$row|cli $preset|$took" >>"$data"
      [ "$took" != over ] || return 0
      report=$(floor "build/$preset/bench/output_floor" "$1" "$2")
      read -r lines took <<<"$report"
      echo "$row|floor $preset|$took" >>"$data"
      [ "$lines" = - ] || echo "$row|lines|$lines" >>"$data"
    done
  done
  echo "$row|MB|$(peak /dev/null "$(cli native)" "$1" "$2")" >>"$data"
}

measureCount() {  # OPTIONS... LOWER UPPER
  local row="$*" round took
  for ((round = 1; round <= rounds; ++round)); do
    took=$(seconds "$(cli native)" "$@")
    echo "$row|cli native|$took" >>"$data"
    [ "$took" != over ] || return 0
  done
  echo "$row|MB|$(peak "$data.count" "$(cli native)" "$@")" >>"$data"
  echo "$row|lines|$(cat "$data.count")" >>"$data"
}

# The tables from $data, rows in the order measured: the median of each
# measure over the rounds, "over" where a run was stopped.
table() {  # regions|counts
  awk -F '|' -v table="$1" -v limit="$limit" '
    !($1 in seen) { seen[$1]; rows[++n] = $1 }
    { m = ++count[$1, $2]; value[$1, $2, m] = $3 }
    function median(row, measure,    m, i, j, t, a) {
      m = count[row, measure]
      if (m == 0) return ""
      for (i = 1; i <= m; i++) {
        if (value[row, measure, i] == "over") return "over"
        a[i] = value[row, measure, i] + 0
        for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
      }
      return m % 2 ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2
    }
    function known(x) { return x != "" && x != "over" }
    function ratio(a, b) { return known(a) && known(b) ? sprintf("%.2f", a / b) : "n/a" }
    function shown(x, format) {
      if (x == "over") stopped = 1
      return x == "over" ? "> " limit : known(x) ? sprintf(format, x) : "n/a"
    }
    BEGIN {
      if (table == "regions")
        printf "%-23s %11s %8s %10s %8s %8s %10s %7s\n", "bounds", "lines", "seconds", "lines/s", "vs floor",
          "i686/x64", "i686 vs fl", "peak MB"
      else
        printf "%-42s %11s %8s %7s\n", "arguments", "count", "seconds", "peak MB"
    }
    END {
      for (r = 1; r <= n; r++) {
        row = rows[r]
        lines = median(row, "lines")
        took = median(row, "cli native")
        if (table == "regions") {
          took32 = median(row, "cli linux-i686")
          printf "%-23s %11s %8s %10s %8s %8s %10s %7s\n", row, shown(lines, "%.0f"), shown(took, "%.3f"),
            known(lines) && known(took) ? sprintf("%.1f M", lines / took / 1e6) : "n/a",
            ratio(median(row, "floor native"), took), ratio(took32, took),
            ratio(median(row, "floor linux-i686"), took32), shown(median(row, "MB"), "%.1f")
        } else {
          printf "%-42s %11s %8s %7s\n", row, shown(lines, "%.0f"), shown(took, "%.3f"), shown(median(row, "MB"), "%.1f")
        }
      }
      if (stopped) print "> " limit ": stopped at the limit of " limit " s."
    }' "$data"
}

echo
echo "Regions: the command-line program, output to /dev/null, median of $rounds runs:"
for bounds in "${regions[@]}"; do
  read -r lower upper <<<"$bounds"
  measureRegion "$lower" "$upper"
done
table regions
echo "vs floor: floor seconds / program seconds, the program's lines per second over the floor's (target >= 0.67)."
if [ "$runs32" = yes ]; then
  echo "i686/x64: 32-bit program seconds / 64-bit program seconds; i686 vs fl: 32-bit floor seconds / 32-bit program seconds."
else
  echo "i686: n/a, this machine cannot run the 32-bit program: $reason32."
fi

: >"$data"
echo
echo "Counts, median of $rounds runs:"
for bounds in "${counts[@]}"; do
  read -r lower upper <<<"$bounds"
  measureCount --count "$lower" "$upper"
  measureCount --primitive --count "$lower" "$upper"
done
table counts

echo
echo "Windows windows under Wine, 1 and 1000000, from Enter to the last line (3 searches a run):"
if [ "$runs32" = no ] || [ ! -x /usr/lib/wine/wine ]; then
  echo "32-bit Wine cannot run here ($([ "$runs32" = no ] && echo "no 32-bit programs" || echo "not installed")):" \
    "only the 64-bit window is timed."
  bash bench/window-bench.sh win64 1 1000000 | grep '^run'
else
  median() { sort -g | awk '{ v[NR] = $1 } END { printf "%.3f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
  : >"$data"
  for ((round = 1; round <= rounds; ++round)); do
    if ((round % 2)); then order=(win32 win64); else order=(win64 win32); fi
    for preset in "${order[@]}"; do
      # The median of the three searches of a run.
      bash bench/window-bench.sh "$preset" 1 1000000 | awk '/^run/ { print $6 }' >"$data.$preset" || true
    done
    if [ -s "$data.win32" ] && [ -s "$data.win64" ]; then
      echo "$(median <"$data.win32") $(median <"$data.win64")" >>"$data"
    else
      echo "round $round: a window did not finish its search"
    fi
  done
  awk '{ printf "win32 %.3f s, win64 %.3f s, ratio %.2f\n", $1, $2, $1 / $2 }' "$data"
  printf 'median ratio win32/win64: %s\n' "$(awk '{ print $1 / $2 }' "$data" | median)"
fi
echo
echo "load average after: $(load)"
