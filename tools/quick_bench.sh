#!/bin/bash
# Benchmark, not a test: the time from the release of the last key of the
# Type-the-clipboard hotkey to the first character at the receiver, under
# Wine (bench/quick/quick_bench.cpp). Arguments go to quick_bench:
#   tools/quick_bench.sh [--repeat N]
#   tools/quick_bench.sh --screenshot /abs/path/file.png
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
nice cmake --build --preset win64 --target quick_bench >/dev/null
source tools/wine-env.sh fresh
trap tapwell_wine_cleanup EXIT
echo "load before: $(uptime)"
wine build/win64/tests/e2e/quick_bench.exe "$@"
echo "load after:  $(uptime)"
