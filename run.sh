#!/usr/bin/env bash
# ./run.sh            set up, build, open the window (or, without a display, run the demo)
# ./run.sh <job> ...  set up, build and run a command-line job (see ./run.sh --help)
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
cmake --build build-run --target morvane
bin=build-run/src/app/morvane
if [ $# -gt 0 ]; then
  exec "$bin" "$@"
fi
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin"
fi
# No display: the demo disassembles a copy of the bundled sample.
exec tools/demo.sh "$bin"
