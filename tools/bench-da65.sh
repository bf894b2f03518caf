#!/usr/bin/env bash
# Times our 8-bit Code dump and cc65's da65 on the same 32 KiB of 6502 code
# (the bundled sample's two banks, 8000 to FFFF) side by side with hyperfine.
# Usage: tools/bench-da65.sh [ROM.nes]   (an iNES file with a 16-byte header)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
rom="${1:-$root/samples/sample.nes}"
for tool in da65 hyperfine; do
  command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 1; }
done
# A command-line build without the window, so that start-up is not what is timed.
cmake -S "$root" -B "$root/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DMORVANE_GUI=OFF -DMORVANE_TESTS=OFF >/dev/null
cmake --build "$root/build-bench" --target morvane >/dev/null
bin="$root/build-bench/src/app/morvane"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$rom" "$work/game.nes"
# The same bytes for da65: the 32 KiB after the header, loaded at 8000.
tail -c +17 "$rom" | head -c 32768 >"$work/game.prg"
hyperfine --warmup 3 -N \
  -n "morvane (finding code)" \
  "$bin dump --rom $work/game.nes --mode code --opcodes $root/data/Op_Codes_NES.txt --no-tables --start 8000 --end FFFF" \
  -n "morvane (Table List)" \
  "$bin dump --rom $work/game.nes --mode code --opcodes $root/data/Op_Codes_NES.txt --tables $root/samples/sample_tables.txt --tbl $root/samples/sample.tbl --start 8000 --end FFFF" \
  -n "da65" \
  "da65 --cpu 6502 --start-addr 0x8000 -o $work/game.s $work/game.prg"
