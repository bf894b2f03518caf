#!/usr/bin/env bash
# ./fuzz.sh [SECONDS] [TARGET...]
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60).
# Working corpora grow in out/fuzz/<target>/, seeded from fuzz/seeds/<target>/;
# findings land in out/fuzz/crashes/. Inputs kept under fuzz/regressions/<target>/
# are replayed first.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
seconds="${1:-60}"
[ $# -gt 0 ] && shift
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DMORVANE_FUZZ=ON >/dev/null
cmake --build build-fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in build-fuzz/fuzz/fuzz_*; do targets+=("$(basename "$f")"); done
fi
mkdir -p out/fuzz/crashes
status=0
for t in "${targets[@]}"; do
  bin="build-fuzz/fuzz/$t"
  if [ -d "fuzz/regressions/$t" ] && ls "fuzz/regressions/$t"/* >/dev/null 2>&1; then
    "$bin" -runs=0 "fuzz/regressions/$t"/* >/dev/null 2>&1 || { echo "$t: a kept regression input fails"; status=1; }
  fi
  corpus="out/fuzz/$t"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$t" ] && seeds+=("fuzz/seeds/$t")
  echo "== $t (${seconds}s)"
  if ! "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
       -artifact_prefix="out/fuzz/crashes/$t-" -print_final_stats=1 "$corpus" "${seeds[@]}" \
       >"out/fuzz/$t.log" 2>&1; then
    echo "$t: FINDING, see out/fuzz/$t.log and out/fuzz/crashes/"
    status=1
  fi
  grep -E "stat::number_of_executed_units" "out/fuzz/$t.log" || true
done
exit $status
