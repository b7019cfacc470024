#!/usr/bin/env bash
# A long fuzzing campaign on one target:  tools/fuzz.sh TARGET SECONDS [JOBS]
# It stops after SECONDS or, with TAPWELL_FUZZ_RUNS=N, after N executions.
# The corpus grows in build/fuzz/tests/fuzz/corpus-TARGET; crashes land in
# build/fuzz/artifacts/ (and, with several jobs, logs in build/fuzz/fuzz-N.log).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
target=${1:?usage: tools/fuzz.sh TARGET SECONDS [JOBS]}
seconds=${2:?usage: tools/fuzz.sh TARGET SECONDS [JOBS]}
jobs=${3:-1}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "$target"
work=build/fuzz/tests/fuzz/corpus-$target
mkdir -p "$work" build/fuzz/artifacts
extra=()
case $target in
fuzz_trace) extra+=(-dict="$root/tests/fuzz/notation.dict") ;;
fuzz_parse | fuzz_script) extra+=(-dict="$root/tests/fuzz/qzscript.dict") ;;
esac
[ -n "${TAPWELL_FUZZ_RUNS:-}" ] && extra+=(-runs="$TAPWELL_FUZZ_RUNS")
[ "$jobs" -gt 1 ] && extra+=(-jobs="$jobs" -workers="$jobs")
seeds=("$root/tests/fuzz/corpus/$target")
case $target in fuzz_parse | fuzz_script) seeds+=("$root/examples") ;; esac
cd build/fuzz
exec "tests/fuzz/$target" "${extra[@]}" -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=artifacts/ \
  "$root/$work" "${seeds[@]}"
