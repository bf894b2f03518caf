#!/usr/bin/env bash
# The translator's round trip at scale: builds the benchmarks in Release and
# runs those of the standard table form: 1 MiB of text through a table of
# 2,000 entries dumped as a script and inserted back, and the bytes the
# shortest encoding saves over the greedy one on a DTE/MTE test script.
# Fails when the dump or the insertion takes a second of CPU time or more.
# Usage: tools/bench-tables.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_GUI=OFF \
  -DMORVANE_BENCH=ON >/dev/null
cmake --build "$build" --target morvane_bench >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/morvane_bench" --benchmark_filter='Script1MiB' \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  --benchmark_format=csv >"$work/times.csv" 2>/dev/null
awk -F, '/_median/ {
    gsub(/"/, "", $1)
    if ($1 ~ /Script1MiB/) {
      printf "%s: %.0f ms CPU (%.0f ms wall)\n", $1, $4, $3
      if ($4 >= 1000) slow = 1
    }
  }
  END { exit slow }' "$work/times.csv" || { echo "a second of CPU time or more" >&2; exit 1; }
"$build/bench/morvane_bench" --benchmark_filter='ShortestOverGreedy' 2>/dev/null | tail -1
