#!/usr/bin/env bash
# Trivel's window driven as a person drives it, whichever program shows it
# (the Qt program, or a Windows one under Wine): real key presses and clicks
# through the X server (xdotool), the list read back from the X clipboard
# after Ctrl+C (xclip), the caption read from the window, found by its
# caption; the list saved through the save dialog and compared with
# trivel-cli's lines (the one built beside the program); the picture window
# opened with Ctrl+G, its image saved and compared with trivel-cli --image's
# pixels (a native build's trivel-cli and png_pixels: $TRIVEL_NATIVE_BUILD, else
# the Qt program's own build, else build/native-sanitize or build/native
# beside the script). Both windows are drawn
# at 96 DPI, in the same pixels. The test waits for what the window shows, never
# for the clock, and a failure tells what the window showed: its caption, the
# window that had the keyboard, and a screenshot in the working directory.
# Usage: real_input_test.sh PROGRAM [ARGUMENT...]   (on the X display in $DISPLAY)
set -eEuo pipefail
caption=$(sed -n 's/^ *\.caption = "\(.*\)",$/\1/p' "$(dirname "$0")/../window/feuille1_layout.cpp")
unset QT_QPA_PLATFORM # the Qt program shows its window on the X display
failures=0
program_file=${*: -1}
cli=("${@:1:$#-1}" "$(dirname "$program_file")/cli/trivel-cli")
windows=no # a Windows program under Wine, and its trivel-cli
if [[ "$(basename "$1")" == wine* ]]; then
  windows=yes
  cli[-1]+=.exe
fi
saved=$(mktemp -d)
mkdir "$saved/menu" "$saved/picture"

# The window that keys go to: the one with the X focus or, where the focus has
# fallen back to the root window (on a bare display when a window closes), the
# one under the pointer.
root_window=$(($(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')))
keyboard_window() {
  local id
  id=$(xdotool getwindowfocus 2>/dev/null) || return 1
  if [ "$id" = "$root_window" ] || [ "$id" = 1 ]; then
    id=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
  fi
  echo "$id"
}

# The window that keys go to, named.
focus_name() {
  local id
  id=$(keyboard_window) || { echo "no window"; return; }
  if [ "$id" = "${window:-}" ]; then
    echo "the program's window"
  else
    echo "window $id \"$(xdotool getwindowname "$id" 2>/dev/null)\""
  fi
}

# What the window showed, for a failure's message.
shown() {
  local shot=$PWD/real-input-failure-$((failures + 1)).png
  import -window root "$shot" 2>/dev/null || shot="(none taken)"
  echo "the caption was \"$(xdotool getwindowname "${window:-}" 2>/dev/null)\", the keyboard went to $(focus_name);" \
    "screenshot $shot"
}

fail() {
  echo "FAIL: $*" >&2
  echo "      $(shown)" >&2
  failures=$((failures + 1))
}
# A command that fails where nothing checks it ends the test: it says which.
trap 'status=$?; [ "$BASH_SUBSHELL" -ne 0 ] || fail "line $LINENO, \"$BASH_COMMAND\", ended with status $status"' ERR

# Waits up to SECONDS for a command to succeed.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

"$@" &
program=$!
trap 'kill "$program" 2>/dev/null || true; rm -rf "$saved"' EXIT

find_window() {
  local id
  for id in $(xdotool search --name trivelliens 2>/dev/null); do
    [ "$(xdotool getwindowname "$id")" = "$caption" ] && window=$id && return 0
  done
  return 1
}
running() { kill -0 "$program" 2>/dev/null; }
# The window, or the program's end without one, which no wait would mend.
shown_or_ended() { find_window || ! running; }
if ! wait_for 60 shown_or_ended || [ -z "${window:-}" ]; then
  if running; then state="the program still ran"; else state="the program had ended"; fi
  xdpyinfo >/dev/null 2>&1 && state+=", the display $DISPLAY answered" || state+=", the display $DISPLAY did not answer"
  echo "FAIL: no window captioned \"$caption\": $state" >&2
  exit 1
fi
# Keys go to the window that has the X focus: they wait for the window they
# are meant for (the program's, or the save dialog while it is open) to have
# it, and are reported lost otherwise.
target=$window
has_focus() { [ "$(keyboard_window)" = "$target" ]; }
await_focus() { wait_for 10 has_focus || fail "the keys \"$*\" found the keyboard elsewhere"; }
keys() {
  await_focus "$@"
  xdotool key --delay 50 "$@"
}
type_text() {
  await_focus "$1"
  xdotool type --delay 50 "$1"
}
# Clicks a point given in the window's pixels (with the left button unless
# told), the pointer arriving there afresh: a click where the pointer already
# rests can go astray under Wine. Each move waits until the pointer is there.
click() { # X Y [BUTTON]
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove --sync $((X + $1 + 8)) $((Y + $2 + 8)) mousemove --sync $((X + $1)) $((Y + $2)) click "${3:-1}"
}
click_picture() { click 60 100; } # takes no focus
click_list() { click 360 110; }
shows_progress() { [[ "$(xdotool getwindowname "$window")" == "$caption — "*% ]]; }
at_rest() { [ "$(xdotool getwindowname "$window")" = "$caption" ]; }

# The window's focus starts in the upper bound's field.
click_picture
xdotool windowfocus --sync "$window" 2>/dev/null || true

# Ctrl+C with the focus in the list copies every line: the clipboard holds
# a marker until then. Copies until the list shows the lines expected (the
# search may still be running), then prints the last copy. A list of millions
# of lines takes its time to pass through the clipboard: the reads wait up to
# SECONDS, 5 unless told, and copy_list fails when the last one is cut short.
marker="(nothing copied)"
clipboard() { timeout "$1" xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
copied() { [ "$(clipboard "$1" | head -c ${#marker})" != "$marker" ]; }
copy_list() { # [SECONDS]
  local seconds=${1:-5}
  printf '%s' "$marker" | xclip -selection clipboard >/dev/null 2>&1
  keys ctrl+c
  wait_for "$seconds" copied "$seconds" || true
  clipboard "$seconds"
}
lists() { [ "$(copy_list)" = "$1" ]; }
expect_list() { # WHAT LINES
  wait_for 10 lists "$2" || fail "$1: the list holds
$(copy_list)
instead of
$2"
}

lines_1_13=$' 3  4  5\n 5  12  13\n 6  8  10\n 9  12  15'
lines_1_10=$' 3  4  5\n 6  8  10'
lines_2_10=' 6  8  10'
lines_4_13=' 5  12  13'
notice_4_10=$'pas de nombres\nentre  4 et 10'

# Typed digits and BackSpace make the upper bound 13; Return searches.
type_text 130
keys BackSpace Return
click_list
expect_list "Return in the upper field, after a click in the list" "$lines_1_13"

keys Tab BackSpace BackSpace
type_text 10
keys ctrl+m shift+Tab
expect_list "Tab from the list, Ctrl+M in the upper field, Shift+Tab back to the list" "$lines_1_10"

keys shift+Tab BackSpace
type_text 2
keys Return Tab
expect_list "Shift+Tab from the list, Return in the lower field, Tab to the list" "$lines_2_10"

keys Tab Tab BackSpace
type_text 4
keys ctrl+m
click_list
expect_list "Tab from the upper to the lower field, Ctrl+M there" "$notice_4_10"

keys shift+Tab shift+Tab BackSpace BackSpace
type_text 13
keys KP_Enter
click_list
expect_list "Shift+Tab from the lower to the upper field, keypad Enter there" "$lines_4_13"

keys Tab Tab BackSpace
type_text 1
keys KP_Enter
click_list
expect_list "keypad Enter in the lower field" "$lines_1_13"

# The save dialog: the window shown beside the program's, named. Keys go to
# the window that has the X focus, which a new window does not always get
# under load: the dialog is given it.
find_dialog() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    [ "$id" != "$window" ] && [ "$id" != "${picture:-}" ] && [ -n "$(xdotool getwindowname "$id" 2>/dev/null)" ] &&
      dialog=$id && return 0
  done
  return 1
}
dialog_has_focus() { [ "$(keyboard_window)" = "$dialog" ]; }
focus_dialog() {
  wait_for 15 find_dialog || { fail "no save dialog opened"; return 1; }
  xdotool windowfocus "$dialog" 2>/dev/null || true
  wait_for 5 dialog_has_focus || { fail "the save dialog did not get the keyboard"; return 1; }
}
dialog_shown() { xdotool search --onlyvisible --name . 2>/dev/null | grep -x "$dialog" >/dev/null; }
# Saves through the save dialog just asked for, its name field having the
# focus: into FOLDER under the name it proposes (the folder typed before it),
# or into FOLDER/NAME typed in its place; Return saves, and the keys go back
# to the window that asked. Wine's dialog takes Windows paths.
save_in_dialog() { # FOLDER [NAME]
  local folder=$1/ asking=$target
  focus_dialog || return 1
  if [ "$windows" = yes ]; then folder=$(winepath -w "$1" 2>/dev/null)\\; fi
  target=$dialog
  if [ $# -eq 2 ]; then
    keys Home shift+End
    type_text "$folder$2"
  else
    keys Home
    type_text "$folder"
  fi
  keys Return
  target=$asking
  wait_for 15 eval '! dialog_shown' || fail "the save dialog stayed open after Return"
}
lines_1_20=$("${cli[@]}" 1 20 | tr -d '\r')
line_end=$'\n'
if [ "$windows" = yes ]; then line_end=$'\r\n'; fi
file_1_20=$(while IFS= read -r line; do printf '%s%s' "$line" "$line_end"; done <<<"$lines_1_20" | od -An -c)
expect_saved() { # WHAT FILE
  if ! wait_for 15 test -s "$2"; then
    fail "$1: nothing saved"
  elif [ "$(od -An -c "$2")" != "$file_1_20" ]; then
    fail "$1: the file holds
$(od -c "$2" | head -n 20)
instead of trivel-cli 1 20's lines, each ending in $(printf '%s' "$line_end" | od -An -c)"
  fi
}

# The list of 1 to 20 saved from its menu (a right-click, the second item),
# then with Ctrl+S in the upper field.
keys Tab BackSpace BackSpace
type_text 20
keys Return
click_list
expect_list "the search of 1 to 20" "$lines_1_20"
click 360 110 3
keys Down Down Return
save_in_dialog "$saved/menu" || true
expect_saved "the list's menu, under the name proposed" "$saved/menu/triplets 1-20.txt"
keys Tab ctrl+s
save_in_dialog "$saved" ctrl+s.txt || true
expect_saved "Ctrl+S in the upper field" "$saved/ctrl+s.txt"
click_list

# The picture of the hits of 1 to 1000000. The search is over once Ctrl+C
# copies the list whole, as trivel-cli lists it. Ctrl+G in the list opens the
# picture window; Ctrl+S there saves its picture, under the name proposed,
# with the pixels that trivel-cli --image draws at the saved picture's size;
# Escape closes the window, and the list is still whole.
native_build=${TRIVEL_NATIVE_BUILD:-}
if [ -z "$native_build" ] && [ "$windows" = no ]; then native_build=$(dirname "$program_file"); fi
for candidate in native-sanitize native; do
  [ -n "$native_build" ] || [ ! -x "$(dirname "$0")/../build/$candidate/tests/png_pixels" ] ||
    native_build=$(dirname "$0")/../build/$candidate
done
png_pixels=$native_build/tests/png_pixels
native_cli=$native_build/cli/trivel-cli
sum_1_1000000=$("${cli[@]}" 1 1000000 | tr -d '\r' | cksum)
# One Ctrl+C, then whether the list copied holds trivel-cli's lines.
list_is_whole() {
  printf '%s' "$marker" | xclip -selection clipboard >/dev/null 2>&1
  keys ctrl+c
  wait_for 5 copied 60 && [ "$(clipboard 60 | sed '$a\' | cksum)" = "$sum_1_1000000" ]
}
picture_caption="nuage des triplets : 1 à 1000000"
find_picture() {
  local id
  for id in $(xdotool search --onlyvisible --name "nuage des triplets" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id")" = "$picture_caption" ] && picture=$id && return 0
  done
  return 1
}
keys Tab Home shift+End
type_text 1000000
keys Return
click_list
if ! wait_for 60 list_is_whole; then
  fail "the search of 1 to 1000000 did not list trivel-cli's lines within a minute"
elif keys ctrl+g && ! wait_for 15 find_picture; then
  fail "Ctrl+G in the list opened no window captioned \"$picture_caption\""
else
  xdotool windowfocus "$picture" 2>/dev/null || true
  target=$picture
  keys ctrl+s
  save_in_dialog "$saved/picture" || true
  image="$saved/picture/nuage 1-1000000.png"
  if ! wait_for 15 test -s "$image"; then
    fail "Ctrl+S in the picture window saved nothing under the name proposed"
  elif [ ! -x "$png_pixels" ] || [ ! -x "$native_cli" ]; then
    fail "no native build's trivel-cli and png_pixels to compare the picture saved with (TRIVEL_NATIVE_BUILD)"
  elif ! size=$("$png_pixels" "$image"); then
    fail "the picture saved is no PNG"
  else
    "$native_cli" --image "$saved/cli.png" --size "$size" 1 1000000
    "$png_pixels" "$image" "$saved/cli.png" >"$saved/compared" ||
      fail "the picture saved has other pixels than trivel-cli --image --size $size 1 1000000: $(cat "$saved/compared")"
  fi
  keys Escape
  target=$window
  wait_for 15 eval '! find_picture' || fail "Escape left the picture window open"
  unset picture
  click_list
  wait_for 60 list_is_whole || fail "after the picture window closed, the list no longer holds trivel-cli's lines"
fi

# Starts a search that lasts: Return in a field whose bounds make one.
start_long_search() {
  keys Return
  wait_for 30 shows_progress
}

# Escape stops a long search, which says so.
keys shift+Tab Home shift+End
type_text 1000000000
keys shift+Tab Home shift+End
type_text 2147483647
if start_long_search; then
  keys Escape
  wait_for 30 at_rest || fail "Escape did not stop the long search"
  click_list
  if last=$(copy_list 60 | tail -n 1); then
    [ "$last" = "calculs interrompus" ] || fail "after Escape the list ends with \"$last\""
  else
    fail "after Escape the list did not come through the clipboard within a minute"
  fi
else
  fail "the long search did not show its progress in the caption"
fi

# Alt+F4 during a search ends the program. On a bare X display it is the
# Windows window's own key; a Qt window leaves it to the window manager.
if [ "$windows" = yes ] || xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; then
  keys Tab
  if start_long_search; then
    keys alt+F4
    if wait_for 30 eval '! running'; then
      status=0
      wait "$program" || status=$?
      [ "$status" -eq 0 ] || fail "the program ended with status $status after Alt+F4"
    else
      fail "the program still runs after Alt+F4"
    fi
  else
    fail "the second long search did not show its progress in the caption"
  fi
else
  echo "no window manager: Alt+F4 not tried"
  running || fail "the program is no longer running"
fi

[ "$failures" -eq 0 ] && echo "every check passed"
exit "$failures"
