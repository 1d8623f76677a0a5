#!/usr/bin/env bash
# Runs every benchmark and prints one table: each row measured side by side in
# one run against a floor that does the least the same job needs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build-bench -G Ninja -DLUMARO_BENCH=ON -DLUMARO_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench >/dev/null
out=$(mktemp -d)
repeat=(--benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
        --benchmark_format=json)

./build-bench/bench/log_handler_bench "${repeat[@]}" > "$out/log.json" 2>/dev/null
./build-bench/bench/prune_bench "${repeat[@]}" > "$out/prune.json"

echo "Machine: $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GiB," \
     "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(uname -r)"
echo
echo "| measure | lumaro | floor | ratio |"
echo "|---|---|---|---|"
xvfb-run -a -s "-screen 0 1280x800x24" ./build-bench/bench/startup_bench \
  ./build-bench/lumaro ./build-bench/bench/floor_host \
  ./build-bench/bench/display_probe.so 10
python3 bench/table.py "$out/log.json" "$out/prune.json"
rm -rf "$out"
