#!/usr/bin/env bash
# Times relative search and file compare on 64 MiB files against cmp, side by side in one run.
#   search  : `morvane search` over a 64 MiB file vs `cmp` of that file against a copy of itself;
#             the search must take at most twice as long.
#   compare : `morvane compare` of two 64 MiB files with 1 % scattered differences vs `cmp -l`
#             on the same pair with its output sent to a file; the compare must not be slower.
# Uses hyperfine when installed, else plain timing (best of several runs).
# Usage: tools/bench-analysis.sh [build-dir]   (default: build-bench, configured here)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${RUNS:-10}

if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_GUI=OFF \
    -DMORVANE_TESTS=OFF >/dev/null
fi
nice cmake --build "$build" --target morvane >/dev/null
morvane=$(realpath "$build/src/app/morvane")

work=$(mktemp -d "${TMPDIR:-/tmp}/morvane-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 - <<'PY'
import random
rng = random.Random(7)
size = 64 << 20
data = bytearray(rng.randbytes(size))
open("rom.bin", "wb").write(data)
open("copy.bin", "wb").write(data)
for i in rng.sample(range(size), size // 100):
    data[i] ^= 1 + rng.randrange(255)
open("patched.bin", "wb").write(data)
PY

search="$morvane search --rom rom.bin --word THE --no-header"
cmp_same="cmp rom.bin copy.bin"
compare="$morvane compare --file1 rom.bin --file2 patched.bin"
cmp_list="cmp -l rom.bin patched.bin > cmp-list.txt"

# Mean seconds of each command, one per line, in the order given.
time_all() {
  if command -v hyperfine >/dev/null; then
    hyperfine --warmup 2 --runs "$runs" --ignore-failure --export-json times.json "$@" >&2
    python3 -c 'import json; [print(r["mean"]) for r in json.load(open("times.json"))["results"]]'
  else
    local c
    for c in "$@"; do
      python3 - "$c" "$runs" <<'PY'
import subprocess, sys, time
cmd, runs = sys.argv[1], int(sys.argv[2])
best = float("inf")
for _ in range(runs + 1):
    t = time.perf_counter()
    subprocess.run(cmd, shell=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    best = min(best, time.perf_counter() - t)
print(best)
PY
    done
  fi
}

mapfile -t t < <(time_all "$search" "$cmp_same" "$compare" "$cmp_list")
echo
verdict() {  # name ours theirs allowed-ratio
  python3 - "$@" <<'PY'
import sys
name, ours, theirs, ratio = sys.argv[1], float(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4])
ok = ours <= theirs * ratio
print(f"{name}: {ours*1000:.1f} ms vs {theirs*1000:.1f} ms (limit {theirs*ratio*1000:.1f} ms) "
      + ("OK" if ok else "TOO SLOW"))
sys.exit(0 if ok else 1)
PY
}
status=0
verdict "search 64 MiB vs cmp" "${t[0]}" "${t[1]}" 2 || status=1
verdict "compare 64 MiB, 1 % differences vs cmp -l" "${t[2]}" "${t[3]}" 1 || status=1
exit $status
