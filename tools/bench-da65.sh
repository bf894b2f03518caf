#!/usr/bin/env bash
# Times our 8-bit Code dump and cc65's da65 on the same bytes side by side with
# hyperfine: up to 32 KiB after the iNES header, loaded at 8000. Our dump runs
# twice, finding code on its own and with a Table List (the sample's own list,
# or for another ROM the Tables.txt the first dump wrote, fed back).
# It times the shipped program: the Release build run.sh makes, installed as
# cmake --install installs it; and checks with ldd that it links no Qt.
# Prints how our wall and CPU times compare and fails when either takes more
# CPU time than da65, or when the program that runs the jobs would load Qt.
# Usage: tools/bench-da65.sh [ROM.nes]   (default: the bundled sample)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
rom="$(realpath "${1:-$root/samples/sample.nes}")"
for tool in da65 hyperfine; do
  command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 1; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The shipped build, as ./run.sh configures it, installed into a scratch prefix.
cmake -S "$root" -B "$root/build-run" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
cmake --build "$root/build-run" >/dev/null
cmake --install "$root/build-run" --prefix "$work/prefix" >/dev/null
bin="$work/prefix/bin/morvane"
libs="$(ldd "$bin" 2>&1 || true)"
echo "ldd $(basename "$bin"): $(echo "$libs" | sed 's/^[[:space:]]*//' | paste -sd ';' -)"
if echo "$libs" | grep -qi 'qt'; then
  echo "the program that runs jobs links Qt" >&2
  exit 1
fi
ops="$root/data/Op_Codes_NES.txt"
cp "$rom" "$work/game.nes"
# The same bytes for da65: what follows the header, at most 32 KiB.
tail -c +17 "$rom" | head -c 32768 >"$work/game.prg"
size=$(stat -c %s "$work/game.prg")
[ "$size" -gt 0 ] || { echo "$rom holds nothing after its header" >&2; exit 1; }
end=$(printf '%X' $((0x8000 + size - 1)))
range="--start 8000 --end $end"
if [ "$rom" = "$(realpath "$root/samples/sample.nes")" ]; then
  list="--tables $root/samples/sample_tables.txt --tbl $root/samples/sample.tbl"
else
  "$bin" dump --rom "$work/game.nes" --mode code --opcodes "$ops" --no-tables $range >/dev/null
  mv "$work/Tables.txt" "$work/list.txt"
  list="--tables $work/list.txt"
fi
echo "$(basename "$rom"): $size bytes at 8000-$end"
hyperfine --warmup 3 -N --export-csv "$work/times.csv" \
  -n "morvane (finding code)" \
  "$bin dump --rom $work/game.nes --mode code --opcodes $ops --no-tables $range" \
  -n "morvane (Table List)" \
  "$bin dump --rom $work/game.nes --mode code --opcodes $ops $list $range" \
  -n "da65" \
  "da65 --cpu 6502 --start-addr 0x8000 -o $work/game.s $work/game.prg"
# times.csv: command,mean,stddev,median,user,system,min,max in seconds; da65
# comes last. The machine may be shared, so CPU time (user + system) decides;
# wall time is shown beside it.
awk -F, 'NR > 1 { name[NR] = $1; mean[NR] = $2; cpu[NR] = $5 + $6; last = NR }
  END {
    slower = 0
    for (i = 2; i < last; ++i) {
      printf "%s, wall: %.2f ms against da65 %.2f ms: %.2fx\n", name[i], mean[i] * 1000, mean[last] * 1000, mean[i] / mean[last]
      printf "%s, CPU (user + system): %.2f ms against da65 %.2f ms: %.2fx\n", name[i], cpu[i] * 1000, cpu[last] * 1000, cpu[i] / cpu[last]
      if (cpu[i] > cpu[last]) slower = 1
    }
    exit slower
  }' "$work/times.csv" || { echo "slower than da65" >&2; exit 1; }
