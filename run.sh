#!/usr/bin/env bash
# ./run.sh            set up, build, open the window (or, without a display, run the demo)
# ./run.sh <job> ...  set up, build and run a command-line job (see ./run.sh --help);
#                     relative paths are taken from the folder you run it in
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/tools/setup.sh"
cmake -S "$root" -B "$root/build-run" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
cmake --build "$root/build-run" >"$log" 2>&1 || { cat "$log"; exit 1; }
bin="$root/build-run/src/app/morvane"
rm -f "$log"
trap - EXIT
if [ $# -gt 0 ]; then
  exec "$bin" "$@"
fi
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin"
fi
# No display: the demo disassembles a copy of the bundled sample.
exec "$root/tools/demo.sh" "$bin"
