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

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
cmake -S . -B build-asan -G Ninja -DLUMARO_TESTS=ON -DCMAKE_BUILD_TYPE=Debug \
  -DLUMARO_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
  "${xserver[@]}" ctest --test-dir build-asan --output-on-failure

echo "== ThreadSanitizer build (logging)"
cmake -S . -B build-tsan -G Ninja -DLUMARO_TESTS=ON -DLUMARO_SANITIZE=thread >/dev/null
cmake --build build-tsan -j "$jobs" --target log_handler_test run_log_test log_concurrency_test
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure \
  -R '^(log_handler|run_log|log_concurrency)$'
