#!/usr/bin/env bash
# The demo job: disassemble a copy of the bundled sample into out/demo/ with
# the bundled Op_Codes file, the sample's Table List and its character table.
set -euo pipefail
bin="$1"
root="$(cd "$(dirname "$0")/.." && pwd)"
demo="$root/out/demo"
mkdir -p "$demo"
cp "$root/samples/sample.nes" "$demo/sample.nes"
"$bin" dump --rom "$demo/sample.nes" --mode code \
  --opcodes "$root/data/Op_Codes_NES.txt" \
  --tables "$root/samples/sample_tables.txt" \
  --tbl "$root/samples/sample.tbl" \
  --start 8000 --end 80BF
echo "The listing is in $demo/sample.asm.txt"
