#!/usr/bin/env bash
# The native window driven as a person drives it: real key presses and clicks
# through the X server (xdotool) on a virtual display, the list read back from
# the X clipboard after Ctrl+C (xclip), the caption read from the window.
# The lines expected are those the command-line program prints.
# Usage: real_input_test.sh TRIVEL TRIVEL_CLI   (run under xvfb-run)
set -euo pipefail
trivel=$1
trivel_cli=$2
failures=0
unset QT_QPA_PLATFORM  # the program shows its window on the X display

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Waits up to ten seconds for a command to succeed.
wait_for() {
  for _ in $(seq 100); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

"$trivel" &
program=$!
trap 'kill "$program" 2>/dev/null || true' EXIT

find_window() { window=$(xdotool search --name trivelliens 2>/dev/null | head -n 1) && [ -n "$window" ]; }
wait_for find_window || { echo "FAIL: the window did not open" >&2; exit 1; }
xdotool windowfocus --sync "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"

caption() { xdotool getwindowname "$window"; }

# Clicks the list's first line, copies the list and prints the clipboard once
# the program has replaced a marker put there first.
marker="(nothing copied)"
clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }
copied() { [ "$(clipboard)" != "$marker" ]; }
copy_list() {
  printf '%s' "$marker" | xclip -selection clipboard >/dev/null 2>&1
  xdotool mousemove $((X + 300)) $((Y + 24)) click 1
  xdotool key ctrl+c
  wait_for copied || true
  clipboard
}

# Checks the list against the command-line program's lines for the bounds.
expect_lines_of() {
  local expected actual
  expected=$("$trivel_cli" "$1" "$2")
  actual=$(copy_list)
  [ "$actual" = "$expected" ] || fail "$3: the list for $1 and $2 is
$actual
instead of
$expected"
}

# The upper field has the focus at start and the lower one holds 1.
xdotool type --delay 20 20
xdotool key Return
expect_lines_of 1 20 "Return in the upper field"

# Tab from the list goes back to the upper field; BackSpace edits it.
xdotool key Tab BackSpace BackSpace
xdotool type --delay 20 10
xdotool key ctrl+m
expect_lines_of 1 10 "Ctrl+M after BackSpace"

# Tab twice reaches the lower field; keypad Enter searches from there.
xdotool key Tab Tab BackSpace
xdotool type --delay 20 7
xdotool key KP_Enter
expect_lines_of 7 10 "keypad Enter in the lower field"

# A long search shows its progress in the caption and Escape stops it.
xdotool key Tab Tab BackSpace
xdotool type --delay 20 1000000000
xdotool key shift+Tab BackSpace BackSpace
xdotool type --delay 20 2147483647
xdotool key Return
busy() { caption | grep -q '%'; }
if wait_for busy; then
  xdotool key Escape
  idle() { ! busy; }
  wait_for idle || fail "Escape did not stop the long search"
  last=$(copy_list | tail -n 1) || true
  [ "$last" = "calculs interrompus" ] || fail "after Escape the list ends with \"$last\""
else
  fail "the long search did not show its progress in the caption"
fi

kill -0 "$program" 2>/dev/null || fail "the program is no longer running"
[ "$failures" -eq 0 ] && echo "every check passed"
exit "$failures"
