#!/usr/bin/env bash
# Builds the trace corpus (NES programs made by the cc65 tools from the
# sources in tests/trace/corpus) and prints, per 16 KiB block and in total,
# how much of the code the trace shows as code, of the data and fill as data,
# and of all bytes right, against the truth in ld65's debug files.
# Usage: tools/trace-corpus.sh [-v] [GAME...]
#   -v: also every stretch shown wrong; GAME: more programs to score, each
#   GAME.nes with its GAME.dbg beside it (every bank at 8000, the last at C000)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
for tool in cc65 ca65 ld65; do
  command -v "$tool" >/dev/null || { echo "needs $tool (Debian package cc65)" >&2; exit 1; }
done
build="$root/build-corpus"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_GUI=OFF >/dev/null
cmake --build "$build" --target test_trace >/dev/null
if [ "${1:-}" = "-v" ]; then
  export TRACE_CORPUS_VERBOSE=1
  shift
fi
filter='TraceCorpus.FindsCodeAndDataAsTheLinkerLaidThemOut'
if [ $# -gt 0 ]; then
  extra=()
  for game in "$@"; do extra+=("$(realpath "${game%.nes}")"); done
  export TRACE_CORPUS_EXTRA="${extra[*]}"
  filter='TraceCorpus.*'
fi
"$build/tests/test_trace" --gtest_filter="$filter" | grep -v '^\[\|^Running\|^Note\|^$'
