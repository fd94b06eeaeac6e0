#!/usr/bin/env bash
# Runs a command on a virtual display of its own (scripts/virtual-display.sh),
# which ends with it; the command's status is the script's.
#   on-virtual-display.sh WIDTHxHEIGHT COMMAND...
set -euo pipefail
source "$(dirname "$0")/virtual-display.sh"
start_virtual_display "$1"
shift
trap 'kill "$virtual_display_pid" 2>/dev/null || true' EXIT
"$@"
