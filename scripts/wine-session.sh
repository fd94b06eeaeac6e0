#!/usr/bin/env bash
# A virtual display and one Wine server for a run of Windows tests, so that each
# test program starts in a blink; the Windows test presets start and stop it
# themselves (CTest fixtures).
#   wine-session.sh start          starts the display and the server
#   wine-session.sh stop           stops both
#   wine-session.sh run BUILD EXE ARGS...
#                                  runs a program of build win32 or win64 under
#                                  its Wine, on the session's display if one runs
#                                  (the cross-compiling emulator of those builds)
#   wine-session.sh exec COMMAND...
#                                  runs a Linux command with the session's display
#                                  and Wine settings
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
session=$WINEPREFIX.session  # DISPLAY and the display server's process id

case "${1:-}" in
  start)
    bash "$0" stop
    # Xvfb writes the number of a free display to fd 3 once it accepts clients.
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$session.display" </dev/null >/dev/null 2>&1 &
    echo $! >"$session.pid"
    for _ in $(seq 300); do
      read -r display <"$session.display" && break
      sleep 0.1
    done
    rm -f "$session.display"
    [ -n "${display:-}" ] || { echo "wine-session: the virtual display did not start" >&2; exit 1; }
    printf 'export DISPLAY=:%s\n' "$display" >"$session"
    export DISPLAY=:$display
    start_wine_server
    use_window_manager no
    echo "virtual display :$display, Wine server for $WINEPREFIX"
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    if [ -f "$session.pid" ]; then kill "$(cat "$session.pid")" 2>/dev/null || true; fi
    rm -f "$session" "$session.pid"
    ;;
  run)
    [ -f "$session" ] && source "$session"
    loader=$(program_loader "$2")
    shift 2
    exec "$loader" "$@"
    ;;
  exec)
    [ -f "$session" ] && source "$session"
    shift
    exec "$@"
    ;;
  *)
    echo "usage: wine-session.sh start|stop|run BUILD EXE ARGS...|exec COMMAND..." >&2
    exit 2
    ;;
esac
