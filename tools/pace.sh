#!/usr/bin/env bash
# Pace benchmark under Wine: builds tapwell.exe, the receiver and pace_bench,
# then measures the real time per unit of Unicode runs at the given intervals
# (default 1 5 20 ms) at the receiver. Arguments go to pace_bench:
#   tools/pace.sh [--window-timer] [--repeat N] [INTERVAL_MS...]
# Columns: the time per unit and the most units within one interval, from
# the receiver's message times ("queued": when each key-down entered its
# queue) and from when it handled them ("handled": a busy receiver handles
# several at once). The goals (within 10 %, at most two per interval, all in
# order) are judged on the queue times. Timing figures depend on the
# machine's load, which is printed with them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
nice cmake --build --preset win64 --target pace_bench >/dev/null
source tools/wine-env.sh
trap tapwell_wine_cleanup EXIT
echo "load before: $(uptime)"
status=0
wine build/win64/tests/e2e/dialog/pace_bench.exe "$@" || status=$?
echo "load after:  $(uptime)"
exit $status
