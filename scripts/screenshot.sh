#!/usr/bin/env bash
# Usage: screenshot.sh OUTPUT.png PROGRAM [ARGS...]
# Runs PROGRAM on $DISPLAY, waits for its window, saves a screenshot of the
# screen, then ends it with SIGTERM (an orderly close) and reports its exit code.
set -uo pipefail
output=$1
shift

"$@" &
pid=$!
for _ in $(seq 1 300); do
  xwininfo -root -tree 2>/dev/null | grep -q '800x600' && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
sleep 1 # let the engine draw a few frames
import -window root "$output"
kill -TERM "$pid" 2>/dev/null
wait "$pid"
status=$?
echo "Screenshot saved to $output; the program exited with code $status."
exit "$status"
