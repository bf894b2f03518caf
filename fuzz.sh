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
# fuzz_trace starts from real programs: each ROM of the trace test corpus
# behind the three bytes fuzz_trace reads first, which pick the bank that
# holds the reset vector (the last one at C000, or the one before it at 8000
# when the vector points lower) and the reset address as the entry point.
make_trace_seeds() {
  local out=build-fuzz/fuzz/seeds/fuzz_trace rom name banks end reset bank high
  mkdir -p "$out"
  for rom in build-fuzz/fuzz/corpus/*.nes; do
    [ -f "$rom" ] || continue
    name="$out/$(basename "$rom" .nes)"
    banks=$(od -An -tu1 -j4 -N1 "$rom" | tr -d ' ')
    [ "$banks" -gt 0 ] || continue
    end=$((16 + banks * 16384))
    reset=$(od -An -tu1 -j$((end - 4)) -N2 "$rom" | awk '{print $1 + 256 * $2}')
    if [ "$reset" -ge $((0xC000)) ]; then
      bank=$((banks - 1)) high=8
    else
      bank=$((banks > 1 ? banks - 2 : 0)) high=0
    fi
    [ "$bank" -le 7 ] || continue  # fuzz_trace picks banks 0 to 7
    printf "$(printf '\\x%02x\\x%02x\\x%02x' $((bank | high)) $((reset & 255)) $((reset >> 8)))" >"$name"
    cat "$rom" >>"$name"
  done
}
make_trace_seeds

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
  [ -d "build-fuzz/fuzz/seeds/$t" ] && seeds+=("build-fuzz/fuzz/seeds/$t")
  # Whole programs are larger than the other targets' inputs.
  max_len=65536
  [ "$t" = fuzz_trace ] && max_len=$((1 << 18))
  echo "== $t (${seconds}s)"
  if ! "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" \
       -artifact_prefix="out/fuzz/crashes/$t-" -print_final_stats=1 "$corpus" "${seeds[@]}" \
       >"out/fuzz/$t.log" 2>&1; then
    echo "$t: FINDING, see out/fuzz/$t.log and out/fuzz/crashes/"
    status=1
  fi
  grep -E "stat::number_of_executed_units" "out/fuzz/$t.log" || true
done
exit $status
