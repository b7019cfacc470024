#!/usr/bin/env bash
# Builds everything and runs every test layer:
#   1. native unit tests (and golden CLI tests),
#   2. the same with address and undefined-behaviour sanitizers,
#   3. the cross build's Windows-side and end-to-end tests under Wine in Xvfb,
#      then the release zip and installer, installed and run under Wine,
#   4. short fuzzing smoke runs, when the fuzz targets exist.
# Ends with one line "N passed, N failed"; exits non-zero on any failure.
# TAPWELL_SKIP="sanitize fuzz" leaves layers out (for quick local runs).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

"$root/tools/install-deps.sh" || { echo "install-deps failed"; echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0
skip=" ${TAPWELL_SKIP:-} "
log_dir="$root/build/test-logs"
mkdir -p "$log_dir"

# count_ctest LOG: adds the counts of a ctest run to the totals.
count_ctest() {
  local line p f t
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    return
  fi
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  p=$((t - f))
  passed=$((passed + p))
  failed=$((failed + f))
}

# layer NAME PRESET: configure, build and test one preset.
layer() {
  local name=$1 preset=$2
  echo "== $name: configure and build ($preset)"
  if ! cmake --preset "$preset" >"$log_dir/$preset-configure.log" 2>&1; then
    tail -30 "$log_dir/$preset-configure.log"
    echo "!! $name: configure failed"
    failed=$((failed + 1))
    return
  fi
  # Keep going past a broken target: the tests that did build still run, and
  # the ones that did not are reported as not run.
  if ! cmake --build --preset "$preset" -- -k 0 >"$log_dir/$preset-build.log" 2>&1; then
    grep -E 'error|FAILED' "$log_dir/$preset-build.log" | head -40
    echo "!! $name: build failed"
    failed=$((failed + 1))
  fi
  echo "== $name: tests"
  ctest --preset "$preset" >"$log_dir/$preset-test.log" 2>&1
  grep -E '\*\*\*|Not Run|\((Failed|Timeout|SEGFAULT|Subprocess aborted)\)' "$log_dir/$preset-test.log" | head -40
  tail -n 3 "$log_dir/$preset-test.log" | grep -E 'tests passed' || true
  count_ctest "$log_dir/$preset-test.log"
}

start=$(date +%s)
layer native native
[[ $skip == *" sanitize "* ]] || layer sanitize sanitize

if [[ $skip != *" wine "* ]]; then
  # One throw-away Wine prefix and one Xvfb display for the whole run.
  # shellcheck source=wine-env.sh
  source "$root/tools/wine-env.sh" fresh
  trap tapwell_wine_cleanup EXIT
  layer wine win64
  echo "== package: zip and installer under Wine"
  if "$root/tools/package.sh" >"$log_dir/package.log" 2>&1; then
    "$root/tests/package/install_test.sh" "$root/build/dist" \
      "$root/build/win64/tests/e2e/receiver.exe" >"$log_dir/package-test.log" 2>&1
    grep -E '^FAILED' "$log_dir/package-test.log"
    passed=$((passed + $(grep -c '^ok:' "$log_dir/package-test.log")))
    failed=$((failed + $(grep -c '^FAILED' "$log_dir/package-test.log")))
  else
    tail -20 "$log_dir/package.log"
    echo "!! package: packaging failed"
    failed=$((failed + 1))
  fi
  tapwell_wine_cleanup
  trap - EXIT
fi

if [[ $skip != *" fuzz "* ]] && [ -x "$root/tools/fuzz-smoke.sh" ]; then
  echo "== fuzz: smoke runs"
  # The smoke script runs its targets through ctest and prints its summary.
  "$root/tools/fuzz-smoke.sh" >"$log_dir/fuzz.log" 2>&1
  grep -E '\*\*\*|\((Failed|Timeout)\)|ERROR: |SUMMARY: ' "$log_dir/fuzz.log" | head -20
  count_ctest "$log_dir/fuzz.log"
fi

echo "== done in $(( $(date +%s) - start )) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
