#!/usr/bin/env bash
# Times a traced 8-bit Code dump (the trace, Tables.txt and the listing made
# with it, in one run) against cc65's da65 on the same bytes with hyperfine:
# up to 32 KiB after the iNES header, at 8000. Prints both programs' wall
# and CPU times and their ratios; fails when the traced dump takes more CPU
# time than da65.
# Usage: tools/bench-trace.sh [ROM.nes]   (default: the trace corpus's game.nes)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
for tool in da65 hyperfine cc65; do
  command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 1; }
done
build="$root/build-bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_GUI=OFF \
  -DMORVANE_TESTS=ON >/dev/null
cmake --build "$build" --target morvane trace_corpus >/dev/null
bin="$build/src/app/morvane"
rom="$(realpath "${1:-$build/tests/corpus/game.nes}")"
ops="$root/data/Op_Codes_NES.txt"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$rom" "$work/game.nes"
tail -c +17 "$rom" | head -c 32768 >"$work/game.prg"
size=$(stat -c %s "$work/game.prg")
[ "$size" -gt 0 ] || { echo "$rom holds nothing after its header" >&2; exit 1; }
range="--start 8000 --end $(printf '%X' $((0x8000 + size - 1)))"
echo "$(basename "$rom"): $size bytes at 8000"
hyperfine --warmup 3 --min-runs 200 -N --export-csv "$work/times.csv" \
  -n "morvane (trace)" "$bin dump --rom $work/game.nes --mode code --opcodes $ops --trace $range" \
  -n "da65" "da65 --cpu 6502 --start-addr 0x8000 -o $work/game.s $work/game.prg"
# times.csv: command,mean,stddev,median,user,system,min,max in seconds. The
# machine may be shared, so CPU time (user + system) decides; wall time is
# shown beside it.
awk -F, 'NR == 2 { ours = $2; oursCpu = $5 + $6 } NR == 3 { theirs = $2; theirsCpu = $5 + $6 }
  END {
    wall = ours / theirs
    cpu = oursCpu / theirsCpu
    printf "traced dump, wall: %.2f ms against da65 %.2f ms: %.2fx\n", ours * 1000, theirs * 1000, wall
    printf "traced dump, CPU (user + system): %.2f ms against da65 %.2f ms: %.2fx\n", oursCpu * 1000, theirsCpu * 1000, cpu
    printf "goal, at most da65'"'"'s CPU time: %s\n", cpu <= 1 ? "met" : "not met"
    exit cpu > 1
  }' "$work/times.csv" || { echo "slower than da65" >&2; exit 1; }
