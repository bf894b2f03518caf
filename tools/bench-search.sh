#!/usr/bin/env bash
# Times the relative search with each of its options on a 64 MiB file of random bytes against
# `cmp` reading two copies of that file, side by side in one run, and prints each time as a
# share of cmp's. Every option must be at least as fast as cmp (a share of at most 1.00).
# The verdict compares the fastest runs, which a busy machine disturbs least; the means are
# shown beside them. Uses hyperfine when installed, else plain timing.
# Usage: tools/bench-search.sh [build-dir]   (default: build-bench, configured here)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${RUNS:-20}

if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_GUI=OFF \
    -DMORVANE_TESTS=OFF >/dev/null
fi
nice cmake --build "$build" --target morvane >/dev/null
morvane=$(realpath "$build/src/app/morvane")
export MORVANE_DATA_DIR=$PWD/data

work=$(mktemp -d "${TMPDIR:-/tmp}/morvane-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 - <<'PY'
import random
data = random.Random(7).randbytes(64 << 20)
open("rom.bin", "wb").write(data)
open("copy.bin", "wb").write(data)
PY

# label and the search's options, one pair a line
cases=(
  "classic|--word THE"
  "wildcard|--word 'SA*PLE' --wildcard"
  "16-bit little endian|--word THE --width 16"
  "16-bit big endian|--word THE --width 16 --endian big"
  "mixed case|--word Hello --mixed-case"
  "numbers|--values 120,150,200"
  "16-bit numbers|--values 120,150,200 --width 16"
  "order (hiragana gojuon)|--word ねこやま --order hiragana-gojuon"
)
commands=("cmp rom.bin copy.bin")
for c in "${cases[@]}"; do
  commands+=("$morvane search --rom rom.bin --no-header ${c#*|} >/dev/null")
done

# Fastest and mean seconds of each command, one line each, in the order given.
time_all() {
  if command -v hyperfine >/dev/null; then
    hyperfine --warmup 2 --runs "$runs" --ignore-failure --export-json times.json "$@" >&2
    python3 -c 'import json
for r in json.load(open("times.json"))["results"]: print(r["min"], r["mean"])'
  else
    local c
    for c in "$@"; do
      python3 - "$c" "$runs" <<'PY'
import subprocess, sys, time
cmd, runs = sys.argv[1], int(sys.argv[2])
times = []
for _ in range(runs + 1):
    t = time.perf_counter()
    subprocess.run(cmd, shell=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    times.append(time.perf_counter() - t)
print(min(times), sum(times[1:]) / runs)
PY
    done
  fi
}

mapfile -t t < <(time_all "${commands[@]}" 2>/dev/null)
status=0
printf '%-26s %9s %9s %6s %6s\n' "search 64 MiB" "ours ms" "cmp ms" "share" "mean"
for i in "${!cases[@]}"; do
  line=$(python3 -c "import sys
(o, om), (c, cm) = [map(float, a.split()) for a in sys.argv[1:]]
print(f'{o*1000:9.1f} {c*1000:9.1f} {o/c:6.2f} {om/cm:6.2f}', 'OK' if o <= c else 'TOO SLOW')" \
    "${t[$((i + 1))]}" "${t[0]}")
  printf '%-26s %s\n' "${cases[$i]%%|*}" "$line"
  [[ $line == *OK ]] || status=1
done
exit $status
