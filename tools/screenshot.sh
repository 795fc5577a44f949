#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the built program on a virtual display, waits, and saves a screenshot of the screen.
# Usage: tools/screenshot.sh OUT.png [SECONDS] [xdotool commands...]
set -euo pipefail
out=$1
wait=${2:-2}
shift 2 || true
program=${RB_PROGRAM:-build/raeuber-beute}
"$(dirname "$0")/install-deps.sh" docs
xvfb-run -a -s '-screen 0 1600x1000x24' bash -c '
  "$1" & pid=$!
  sleep "$2"
  shift 3
  for c in "$@"; do xdotool $c; sleep 0.3; done
  import -window root "$0"
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
' "$out" "$program" "$wait" -- "$@"
