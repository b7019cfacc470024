#!/usr/bin/env bash
# A long fuzzing campaign on one target:  tools/fuzz.sh TARGET SECONDS [JOBS]
# It stops after SECONDS or, with TAPWELL_FUZZ_RUNS=N, after N executions.
# The corpus grows in build/fuzz/tests/fuzz/corpus-TARGET; crashes land in
# build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: tools/fuzz.sh TARGET SECONDS [JOBS]}
seconds=${2:?usage: tools/fuzz.sh TARGET SECONDS [JOBS]}
jobs=${3:-1}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "$target"
bin=build/fuzz/tests/fuzz/$target
work=build/fuzz/tests/fuzz/corpus-$target
mkdir -p "$work" build/fuzz/artifacts
dict=()
[ -f "tests/fuzz/$target.dict" ] && dict=(-dict="tests/fuzz/$target.dict")
runs=()
[ -n "${TAPWELL_FUZZ_RUNS:-}" ] && runs=(-runs="$TAPWELL_FUZZ_RUNS")
exec "$bin" "${runs[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -jobs="$jobs" \
  -workers="$jobs" -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/ "${dict[@]}" \
  "$work" "tests/fuzz/corpus/$target"
