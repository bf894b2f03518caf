# Sourced by the benchmark scripts: the program they time and the folder they
# work in.
#   bench_program BUILD-DIR: sets $morvane to $MORVANE when given, otherwise to
#     a Release build (no window, no tests) in BUILD-DIR, configured if new.
#   bench_workdir: makes a temporary folder, removed on exit, and enters it.

bench_program() {
  local build=$1
  if [[ -n ${MORVANE:-} ]]; then
    morvane=$(realpath "$MORVANE")
    return
  fi
  if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_GUI=OFF \
      -DMORVANE_TESTS=OFF >/dev/null
  fi
  nice cmake --build "$build" --target morvane >/dev/null
  morvane=$(realpath "$build/src/app/morvane")
}

bench_workdir() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/morvane-bench-XXXXXX")
  trap 'rm -rf "$work"' EXIT
  cd "$work"
}
