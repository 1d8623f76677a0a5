#!/usr/bin/env bash
# Sets up, builds and opens lumaro. Without a display it runs inside a virtual
# X server, saves a screenshot of the window and closes it in order.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DLUMARO_TESTS=OFF >/dev/null
cmake --build build

if [ -n "${DISPLAY:-}" ]; then
  exec ./build/lumaro "$@"
fi

echo "No \$DISPLAY: running lumaro inside a virtual X server (Xvfb)."
# A white root shows where the engine paints the window black.
xvfb-run -a -s "-screen 0 1280x800x24 -wr" bash scripts/screenshot.sh lumaro-screenshot.png ./build/lumaro "$@"
