#!/usr/bin/env bash
# Rebuilds sample.nes from sample.s with cc65's assembler and linker.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
ca65 -o "$tmp/sample.o" sample.s
ld65 -C sample.cfg -o sample.nes "$tmp/sample.o"
echo "Built $(pwd)/sample.nes"
