# Sourced by the scripts that need a virtual display.
# start_virtual_display WIDTHxHEIGHT starts one (24 bits a pixel, no TCP) in
# a session of its own, exports DISPLAY and keeps its server's process id in
# virtual_display_pid. The X server picks a free display itself (-displayfd):
# it takes the first number whose sockets it can bind, and writes it once it
# accepts clients. A number guessed from the lock files in /tmp, as xvfb-run
# does, can name a display that another server answers on: one these files
# do not show, or one that starts between the guess and the server. No
# cookie either: a client of this machine connects as it is.
start_virtual_display() {  # WIDTHxHEIGHT
  local number_file display=
  number_file=$(mktemp)
  setsid Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$number_file" </dev/null >/dev/null 2>&1 &
  virtual_display_pid=$!
  for _ in $(seq 300); do
    read -r display <"$number_file" && break
    kill -0 "$virtual_display_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  [ -n "$display" ] || { echo "the virtual display did not start" >&2; return 1; }
  export DISPLAY=:$display
}
