#!/usr/bin/env bash
# The demo job: dump a copy of the bundled sample into out/demo/.
set -euo pipefail
bin="$1"
root="$(cd "$(dirname "$0")/.." && pwd)"
demo="$root/out/demo"
mkdir -p "$demo"
cp "$root/samples/sample.nes" "$demo/sample.nes"
"$bin" dump --rom "$demo/sample.nes" --mode table --start 8000 --end 80BF
echo "The listing is in $demo/sample.asm.txt"
