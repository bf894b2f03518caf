#!/usr/bin/env bash
# Times the ca65 export of a 512 KiB ROM (the trace of all 32 banks, the
# source, the ld65 configuration, a code/data log and a label file) with
# hyperfine, checks that ca65 and ld65 rebuild it byte for byte, and fails
# when the export takes a second or more.
# Usage: tools/bench-export.sh [ROM.nes]   (default: 512 KiB made of the
# trace corpus's banked programs, mapper 1)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
for tool in hyperfine ca65 ld65; do
  command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 1; }
done
build="$root/build-bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_GUI=OFF \
  -DMORVANE_TESTS=ON >/dev/null
cmake --build "$build" --target morvane trace_corpus >/dev/null
bin="$build/src/app/morvane"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if [ $# -gt 0 ]; then
  cp "$1" "$work/game.nes"
else
  # 31 switched banks from the corpus's banked programs, then a fixed bank.
  corpus="$build/tests/corpus"
  {
    printf 'NES\x1a\x20\x00\x10\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    for ((b = 0; b < 31; ++b)); do
      names=(mmc1 uxrom farcalls worlds trampoline)
      src="$corpus/${names[b % 5]}.nes"
      dd if="$src" iflag=skip_bytes,count_bytes skip=$((16 + 16384 * (b % 3))) count=16384 \
        status=none
    done
    tail -c 16384 "$corpus/mmc1.nes"
  } >"$work/game.nes"
fi
echo "$(basename "${1:-game.nes}"): $(($(stat -c %s "$work/game.nes") - 16)) bytes after the header"
cd "$work"
hyperfine --warmup 1 --runs 5 -N --export-csv times.csv \
  -n "export-ca65" "$bin export-ca65 --rom game.nes --write-cdl mesen --write-labels mlb"
ca65 game.s -o game.o && ld65 -C game.cfg game.o -o rebuilt.nes
cmp rebuilt.nes game.nes && echo "ca65 and ld65 rebuild it byte for byte"
awk -F, 'NR == 2 {
    printf "export: %.0f ms (under a second: %s)\n", $2 * 1000, $2 < 1 ? "yes" : "no"
    exit $2 >= 1
  }' times.csv
