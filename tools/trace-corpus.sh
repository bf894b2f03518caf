#!/usr/bin/env bash
# Builds the trace corpus (NES programs made by the cc65 tools from the
# sources in tests/trace/corpus) and prints, per 16 KiB block and in total,
# how much of the code the trace shows as code, of the data and fill as data,
# and of all bytes right, against the truth in ld65's debug files.
# Usage: tools/trace-corpus.sh [-v]   (-v: also every stretch shown wrong)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
for tool in cc65 ca65 ld65; do
  command -v "$tool" >/dev/null || { echo "needs $tool (Debian package cc65)" >&2; exit 1; }
done
build="$root/build-corpus"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_GUI=OFF >/dev/null
cmake --build "$build" --target test_trace >/dev/null
[ "${1:-}" = "-v" ] && export TRACE_CORPUS_VERBOSE=1
"$build/tests/test_trace" --gtest_filter='TraceCorpus.*' | grep -v '^\[\|^Running\|^$'
