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
    source "$(dirname "$0")/virtual-display.sh"
    start_virtual_display 1024x768 || { echo "wine-session: the virtual display did not start" >&2; exit 1; }
    echo "$virtual_display_pid" >"$session.pid"
    printf 'export DISPLAY=%s\n' "$DISPLAY" >"$session"
    start_wine_server
    use_window_manager no
    echo "virtual display $DISPLAY, Wine server for $WINEPREFIX"
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
