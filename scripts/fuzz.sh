#!/usr/bin/env bash
# Usage: scripts/fuzz.sh TARGET SECONDS
# Fuzzes one target (log_timestamp, log_lines, log_handler, service_profile)
# with libFuzzer for the given time. New inputs collect in fuzz-work/TARGET;
# crashes land in fuzz-findings/ and belong in tests/fuzz/corpus/TARGET once
# fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?target}
seconds=${2:?seconds}

bash scripts/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DLUMARO_FUZZ=ON \
  -DLUMARO_TESTS=ON >/dev/null
cmake --build build-fuzz --target "fuzz_$target"

mkdir -p "fuzz-work/$target" fuzz-findings
run=(./build-fuzz/tests/"fuzz_$target" -max_total_time="$seconds"
     -artifact_prefix="fuzz-findings/$target-" -print_final_stats=1)
[ "$target" = service_profile ] && run+=(-dict=tests/fuzz/json.dict)
run+=(
     "fuzz-work/$target" "tests/fuzz/corpus/$target")
# The engine needs an X server; the others run as they are.
if [ "$target" = service_profile ] && [ -z "${DISPLAY:-}" ]; then
  run=(xvfb-run -a -s "-screen 0 1280x800x24" "${run[@]}")
fi
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 "${run[@]}"
