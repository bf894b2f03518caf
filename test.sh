#!/usr/bin/env bash
# Set up, build everything with AddressSanitizer and UndefinedBehaviorSanitizer, run every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORVANE_SANITIZE=ON -DMORVANE_BENCH=ON >/dev/null
cmake --build build-test
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
ctest --test-dir build-test --output-on-failure -j "$(nproc)"
# Fuzzing: a few seconds per target; ./fuzz.sh SECONDS for longer runs.
./fuzz.sh 3
