#!/usr/bin/env bash
# Builds the release tapwell-cli and runs the benchmarks side by side with
# Python 3 and Lua 5.4 on this machine. Medians of TAPWELL_BENCH_RUNS runs (5).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAPWELL_TESTS=OFF >/dev/null
cmake --build build/bench --target tapwell-cli >/dev/null
exec python3 bench/run_bench.py build/bench/src/cli/tapwell-cli
