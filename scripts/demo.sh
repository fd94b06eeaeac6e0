# Sourced by the run scripts. On a virtual display, shows what a program of
# trivel does with a person's keys: starts it, types the upper bound 20 and
# Enter (the lower bound is 1 as the window opens, the focus in the upper
# field), saves a screenshot, copies the list (Tab twice to it, Ctrl+C),
# prints the lines read back from the clipboard and closes the window with
# Alt+F4.
run_demo() {  # SCREENSHOT PROGRAM [ARGS...]
  local screenshot=$1 program window=
  shift
  "$@" &
  program=$!
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name trivelliens 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "demo: the window did not open" >&2
    kill "$program" 2>/dev/null
    return 1
  fi
  xdotool windowfocus --sync "$window"
  xdotool type --delay 50 20
  xdotool key Return
  sleep 1
  mkdir -p "$(dirname "$screenshot")"
  import -window "$window" "$screenshot"
  xdotool key Tab Tab ctrl+c  # from the upper field, past the lower one, to the list
  sleep 0.5
  xclip -o -selection clipboard | tr -d '\r'
  echo
  echo "screenshot: $screenshot"
  xdotool key alt+F4
  for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  kill "$program" 2>/dev/null || true  # a bare display may have no one to close it
  wait "$program" 2>/dev/null || true
}
