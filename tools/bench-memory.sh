#!/usr/bin/env bash
# Peak resident memory (/usr/bin/time -v) of the jobs that read large files,
# on inputs it makes itself from the bundled sample, and the time of compare
# against `cmp -l` writing its list to a file.
#   dump    : every mode, and the traced 8-bit Code dump, of a 256 MiB ROM (the
#             sample padded with zeros): the peak should not grow with the file
#   tiles   : the same ROM's CHR-ROM drawn as a sheet
#   insert  : the sample's script inserted into a 128 MiB ROM with --patch bps
#   compare : two 64 MiB files with 1 % of their bytes changed, against cmp -l
# Usage: tools/bench-memory.sh [build-dir]   (default: build-bench, configured here)
#   MORVANE=path/to/morvane measures that program instead of building one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build=${1:-build-bench}
# shellcheck source=tools/bench-common.sh
source "$root/tools/bench-common.sh"
bench_program "$build"
samples="$root/samples"

bench_workdir

# peak LABEL COMMAND...: seconds, CPU seconds and peak memory of one run.
peak() {
  local label=$1
  shift
  /usr/bin/time -f "%e %U %S %M" -o time.txt "$@" >/dev/null 2>err.txt || {
    echo "$label: failed: $(cat err.txt)"
    return 1
  }
  read -r secs user sys kib <time.txt
  awk -v l="$label" -v s="$secs" -v c="$user + $sys" -v u="$user" -v y="$sys" -v k="$kib" \
    'BEGIN { printf "%-34s %6.2f s (%5.2f s CPU)  peak %7.1f MiB\n", l, s, u + y, k / 1024 }'
}

pad() {  # pad FILE MIB: the sample followed by zeros up to MIB MiB
  cp "$samples/sample.nes" "$1"
  truncate -s "$2M" "$1"
}

status=0
echo "== dump and tiles, 256 MiB ROM"
pad big.nes 256
cp "$samples/sample.tbl" big.tbl
range="--start 8000 --end FFFF"
peak "dump table" "$morvane" dump --rom big.nes --mode table $range || status=1
peak "dump text" "$morvane" dump --rom big.nes --mode text --tbl big.tbl $range || status=1
peak "dump text as table" "$morvane" dump --rom big.nes --mode text --as-table --tbl big.tbl \
  $range || status=1
peak "dump speech" "$morvane" dump --rom big.nes --mode speech $range || status=1
peak "dump menu" "$morvane" dump --rom big.nes --mode menu $range || status=1
peak "dump 8-bit code" "$morvane" dump --rom big.nes --mode code --no-tables $range || status=1
peak "dump 8-bit code, traced" "$morvane" dump --rom big.nes --mode code --trace $range || status=1
peak "tiles" "$morvane" tiles --rom big.nes || status=1
rm -f big*

echo "== insert --patch bps, 128 MiB ROM"
pad game.nes 128
cp "$samples/sample.tbl" game.tbl
"$morvane" dump --rom game.nes --mode text --start 8054 --end 8093 --tbl game.tbl >/dev/null
# The user's edits: the header to the top with the pointer table filled in,
# a translation of each phrase.
python3 - <<'PY'
text = open("game Text.txt", "rb").read()
head = text.index(b"game Text\r\n")
top = text[head:text.index(b";----", head)].replace(b"Ptrs\tNONE\t[NONE+1]", b"Ptrs\t804C\t804D")
for old, new in [(b"HELLO WORLD!\r\n0\r\n", b"HELLO WORLD!\r\nBONJOUR MONDE!\r\n"),
                 (b"FOR MORVANE.\r\n1\r\n1\r\n", b"CECI EST UN\r\nEXEMPLE.\r\n"),
                 (b"PRESS START\r\n2\r\n", b"PRESS START\r\nAPPUYEZ START\r\n"),
                 (b"THE END.\r\n3\r\n", b"THE END.\r\nFIN.\r\n")]:
    text = text.replace(old, new)
open("game.txt", "wb").write(top + text)
PY
peak "insert --patch bps" "$morvane" insert --rom game.nes --script game.txt --tbl game.tbl \
  --patch bps || status=1
rm -f game*

echo "== compare, 64 MiB with 1 % changed"
python3 - <<'PY'
import random
rng = random.Random(7)
size = 64 << 20
data = bytearray(b"".join(rng.randbytes(1 << 20) for _ in range(64)))
open("rom.bin", "wb").write(data)
for i in rng.sample(range(size), size // 100):
    data[i] ^= 1 + rng.randrange(255)
open("patched.bin", "wb").write(data)
PY
peak "compare" "$morvane" compare --file1 rom.bin --file2 patched.bin || status=1
peak "cmp -l into a file" sh -c 'cmp -l rom.bin patched.bin >cmp-list.txt; test $? -le 1' ||
  status=1
exit $status
