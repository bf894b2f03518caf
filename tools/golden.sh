#!/usr/bin/env bash
# The golden check: runs every job and every dump mode, traced and not, with
# the option combinations that change output, over samples/, the trace corpus
# (built here from tests/trace/corpus with the cc65 tools) and inputs made by
# tools/golden-inputs.py, and prints one sorted line per output:
#   <sha256>  <job>/<case>/<file>
# where <file> is every file a run wrote or changed, plus "exit", "stdout" and
# "stderr" (temporary paths replaced by <case>). Run it before and after a
# change that must not change behaviour, and diff the two lists.
# Fails when a job of `morvane --help`, or a mode of `morvane dump --help`,
# has no case here.
# Usage: tools/golden.sh [MORVANE_BINARY]
#   (default: a Release build without window and tests in build-golden)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
for tool in cc65 ca65 ld65 python3 sha256sum; do
  command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 1; }
done
if [ $# -gt 0 ]; then
  bin="$(realpath "$1")"
else
  cmake -S "$root" -B "$root/build-golden" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DMORVANE_GUI=OFF -DMORVANE_TESTS=OFF >/dev/null
  cmake --build "$root/build-golden" --target morvane >/dev/null
  bin="$root/build-golden/src/app/morvane"
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
in="$work/in"
mkdir -p "$in/corpus" "$work/cases"
cp "$root"/samples/sample.{nes,tbl,s,cfg} "$root/samples/sample_tables.txt" "$in/"
cp "$root/data/Op_Codes_NES.txt" "$in/"
python3 "$root/tools/golden-inputs.py" "$in" "$in"

# The corpus, built as tests/trace/corpus/Corpus.cmake builds it.
src="$root/tests/trace/corpus"
corpus=()
# build KIND NAME SOURCE CFG FLAGS...: one program, as Corpus.cmake builds it
# (called where set -e does not hold, so each step returns on failure).
build() {
  local kind="$1" name="$2" source="$3" cfg="$4"
  shift 4
  local out="$in/corpus/$name"
  if [ "$kind" = corpus_asm ]; then
    ca65 -g "$@" -o "$out.o" "$src/$source" || return
    ld65 -C "$src/$cfg" -o "$out.nes" "$out.o" || return
  else
    local layout=(-t nes)
    [ "$cfg" = nes ] || layout=(-C "$src/$cfg")
    cc65 -t nes -g "$@" -o "$out.s" "$src/$source" || return
    ca65 -t nes -g -o "$out.o" "$out.s" || return
    ld65 "${layout[@]}" -o "$out.nes" "$out.o" nes.lib || return
  fi
}
while read -r -a line; do
  build "${line[@]}" >>"$work/corpus.log" 2>&1 || { cat "$work/corpus.log" >&2; exit 1; }
  corpus+=("${line[1]}")
done < <(sed -n 's/^ *\(corpus_\(asm\|c\)\)(\([^)]*\)).*/\1 \3/p' "$src/Corpus.cmake" | grep -v '\${')
[ ${#corpus[@]} -gt 0 ] || { echo "golden.sh: no corpus programs in Corpus.cmake" >&2; exit 1; }

declare -A covered
# run JOB CASE "INPUT..." ARGS...: runs the job in a folder of its own holding
# copies of the inputs, and hashes what it wrote and said.
run() {
  local job="$1" name="$2" inputs="$3"
  shift 3
  local dir="$work/cases/$job/$name"
  mkdir -p "$dir"
  local f
  for f in $inputs; do cp -r "$in/$f" "$dir/"; done
  (cd "$dir" && find . -type f -print0 | xargs -0r sha256sum | LC_ALL=C sort) >"$work/before"
  local rc=0
  (cd "$dir" && "$bin" "$job" "$@" >"$work/stdout" 2>"$work/stderr" </dev/null) || rc=$?
  covered[$job]=1
  local prev=""
  for f in "$@"; do
    [ "$prev" != --mode ] || covered["$job --mode $f"]=1
    prev="$f"
  done
  (cd "$dir" && find . -type f -print0 | xargs -0r sha256sum | LC_ALL=C sort) >"$work/after"
  comm -13 "$work/before" "$work/after" | sed "s#  \./#  $job/$name/#" >>"$work/hashes"
  comm -23 <(cut -c67- "$work/before" | LC_ALL=C sort) <(cut -c67- "$work/after" | LC_ALL=C sort) |
    sed "s#^\./#gone  $job/$name/#" >>"$work/hashes"
  echo "$rc" | sha256sum | sed "s#-\$#$job/$name/exit#" >>"$work/hashes"
  local stream
  for stream in stdout stderr; do
    sed -e "s#$dir#<case>#g" -e "s#$work#<work>#g" "$work/$stream" | sha256sum |
      sed "s#-\$#$job/$name/$stream#" >>"$work/hashes"
  done
}

# The dump: every mode, traced and not, with and without tables and header.
S="sample.nes"
run dump table-8000-801F "$S" --mode table --rom $S --start 8000 --end 801F
run dump table-block "$S" --mode table --rom $S --start 8000 --end BFFF
run dump table-c000 "$S" --mode table --rom $S --preset C000 --start C000 --end C0FF
run dump table-no-header "$S" --mode table --rom $S --no-header --start 8000 --end 80FF
run dump table-block-half "$S" --mode table --rom $S --block 0.5 --start A000 --end A0FF
run dump table-custom "$S" --mode table --rom $S --preset custom --address 4000 --start 4000 --end 40FF
run dump table-reversed "$S" --mode table --rom $S --start 8010 --end 8000
run dump text "$S sample.tbl" --mode text --rom $S --tbl sample.tbl --start 8054 --end 8093
run dump text-as-table "$S sample.tbl" --mode text --as-table --rom $S --tbl sample.tbl --start 8054 --end 8093
run dump text-no-concat "$S sample.tbl" --mode text --as-table --no-concat --rom $S --tbl sample.tbl --start 8061 --end 8068
run dump text-phrase "$S sample.tbl" --mode text --rom $S --tbl sample.tbl --phrase 10 --length 4 --start 8054 --end 8093
run dump text-whole-bank "$S sample.tbl" --mode text --rom $S --tbl sample.tbl --start 8000 --end BFFF
run dump text-no-table "$S" --mode text --rom $S --start 8054 --end 8093
run dump text-standard "$S sample.tbl" --mode text --rom $S --tbl sample.tbl --tbl-format standard --start 8054 --end 8093
run dump text-pointers "$S sample.tbl" --mode text --rom $S --tbl sample.tbl --pointers 804C --count 4
run dump text-pointers-split "$S sample.tbl" --mode text --rom $S --tbl sample.tbl --pointers 804C,804D,2 --count 4 --pointer-base 0
run dump text-pointers-count-0 "$S sample.tbl" --mode text --rom $S --tbl sample.tbl --pointers 804C --count 0
run dump speech "$S" --mode speech --rom $S --start 6010 --end 601F
run dump speech-6000 "$S" --mode speech --rom $S --preset 6000 --start 6000 --end 60FF
run dump menu "$S" --mode menu --rom $S --block 0 --start 8054 --end 8060
run dump menu-wide "$S" --mode menu --rom $S --start 8000 --end 80FF
run dump code-find "$S" --mode code --rom $S --no-tables --start 8000 --end 8093
run dump code-find-no-raw "$S" --mode code --rom $S --no-tables --no-raw --start 8000 --end 8093
run dump code-find-bank "$S" --rom $S --no-tables --start 8000 --end BFFF
run dump code-tables "$S sample_tables.txt sample.tbl" --mode code --rom $S --tables sample_tables.txt --tbl sample.tbl --start 8000 --end 80BF
run dump code-opcodes "$S Op_Codes_NES.txt sample_tables.txt sample.tbl" --mode code --rom $S --opcodes Op_Codes_NES.txt --tables sample_tables.txt --tbl sample.tbl --start 8000 --end BFFF
run dump code-trace "$S" --mode code --rom $S --trace --start 8000 --end BFFF
run dump code-trace-entry "$S" --mode code --rom $S --trace --entry 8000 --entry 8093 --start 8000 --end BFFF
run dump code-trace-no-raw "$S" --mode code --rom $S --trace --no-raw --start 8000 --end 80FF
run dump code-trace-official-only "$S" --mode code --rom $S --trace --official-only --start 8000 --end BFFF
run dump code-trace-window "$S" --mode code --rom $S --trace --window auto
run dump code-no-header "$S" --mode code --rom $S --no-header --no-tables --start 8000 --end 80FF
run dump bad-start "$S" --mode table --rom $S --start 8G00 --end 8010
run dump missing-rom "" --mode table --rom none.nes --start 8000 --end 8010
run dump bad-tables "$S sample.tbl sample.txt" --mode code --rom $S --tables sample.txt --tbl sample.tbl --start 8000 --end 80FF

# The corpus: each 16 KiB block traced and found without tables, the last at C000.
for name in "${corpus[@]}"; do
  size=$(($(stat -c %s "$in/corpus/$name.nes") - 16))
  prg=$(od -An -tu1 -j4 -N1 "$in/corpus/$name.nes" | tr -d ' ')
  [ "$prg" -gt 0 ] || prg=$((size / 16384))
  for ((b = 0; b < prg; ++b)); do
    range=(--block "$b" --start 8000 --end BFFF)
    [ $((b + 1)) -lt "$prg" ] || range=(--block "$b" --preset C000 --start C000 --end FFFF)
    run dump "corpus-$name-$b-trace" "corpus/$name.nes" --rom "$name.nes" --mode code --trace "${range[@]}"
    run dump "corpus-$name-$b-find" "corpus/$name.nes" --rom "$name.nes" --mode code --no-tables "${range[@]}"
  done
done

run insert sample "$S sample.txt sample.tbl" --rom $S --script sample.txt --tbl sample.tbl
run insert verbose "$S sample.txt sample.tbl" -v --rom $S --script sample.txt --tbl sample.tbl
run insert patch-ips "$S sample.txt sample.tbl" --rom $S --script sample.txt --tbl sample.tbl --patch ips
run insert patch-bps "$S sample.txt sample.tbl" --rom $S --script sample.txt --tbl sample.tbl --patch bps
run insert too-long "$S toolong.txt sample.tbl" --rom $S --script toolong.txt --tbl sample.tbl
run insert verify "$S sample.txt sample.tbl" --rom $S --script sample.txt --tbl sample.tbl --verify
run insert standard "$S sample.txt sample.tbl" --rom $S --script sample.txt --tbl sample.tbl --tbl-format standard
run strip sample "sample.txt" --script sample.txt
run strip portopia "portopia.txt" --script portopia.txt
run strip missing "" --script none.txt

run search sample "$S" --rom $S --word SAMPLE
run search lower "$S" --rom $S --word hello
run search block "$S" --rom $S --word START --block 0
run search no-header "$S" --rom $S --word THE --no-header
run search corpus "corpus/textengine.nes" --rom textengine.nes --word ABC

run compare plain "$S fixed.nes" --file1 $S --file2 fixed.nes
run compare strings "$S fixed.nes sample.tbl" --file1 $S --file2 fixed.nes --show-strings --tbl1 sample.tbl --tbl2 sample.tbl
run compare longer "$S longer.nes" --file1 $S --file2 longer.nes
run compare same "$S" --file1 $S --file2 $S
run compare strings-standard "$S fixed.nes sample.tbl" --file1 $S --file2 fixed.nes --show-strings --tbl1 sample.tbl --tbl2 sample.tbl --tbl-format standard

run pointers sample "$S" --rom $S --address 64 --address 71
run pointers corpus "corpus/textengine.nes" --rom textengine.nes --address 100
run pointers outside "$S" --rom $S --address FFFFF

run fds-split header "sample.fds" --image sample.fds
run fds-split two-sides "twoside.fds" --image twoside.fds --no-header
run fds-split no-header-refused "twoside.fds" --image twoside.fds
for name in header two-sides; do
  mkdir -p "$in/split-$name"
  cp "$work/cases/fds-split/$name"/* "$in/split-$name/"
  listing=$(cd "$in/split-$name" && ls -- *" FDS Files.txt")
  run fds-merge "$name" "split-$name" --listing "split-$name/$listing"
done

run portopia-insert stand-in "portopia.nes portopia.txt sample.tbl" --rom portopia.nes --script portopia.txt --tbl sample.tbl
run portopia-insert patch "portopia.nes portopia.txt sample.tbl" --rom portopia.nes --script portopia.txt --tbl sample.tbl --patch bps
run portopia-insert short-rom "$S portopia.txt sample.tbl" --rom $S --script portopia.txt --tbl sample.tbl

run romancia-graphics streams "romancia.nes sheet.bmp" --rom romancia.nes --bmp sheet.bmp
run romancia-graphics patch "romancia.nes sheet.bmp" --rom romancia.nes --bmp sheet.bmp --patch ips
run romancia-graphics no-streams "$S sheet.bmp" --rom $S --bmp sheet.bmp

run patch-create bps "$S fixed.nes" --file1 $S --file2 fixed.nes
run patch-create ips "$S fixed.nes" --file1 $S --file2 fixed.nes --format ips
run patch-create longer "$S longer.nes" --file1 $S --file2 longer.nes --format bps
cp "$work/cases/patch-create/bps/fixed.bps" "$work/cases/patch-create/ips/fixed.ips" "$in/"
run patch-apply bps "$S fixed.bps" --rom $S --patch fixed.bps
run patch-apply ips "$S fixed.ips" --rom $S --patch fixed.ips
run patch-apply wrong-rom "fixed.nes fixed.bps" --rom fixed.nes --patch fixed.bps

# The ca65 export: whole ROMs, the code/data logs and label files it writes,
# read back by the export and the traced dump.
run export-ca65 sample "$S" --rom $S
run export-ca65 not-ines "sample.fds" --rom sample.fds
for name in mmc1 axrom game; do
  run export-ca65 "corpus-$name" "corpus/$name.nes" --rom "$name.nes" --write-cdl mesen --write-labels mlb
done
cp "$work/cases/export-ca65/corpus-mmc1/mmc1.cdl" "$in/log.cdl"
cp "$work/cases/export-ca65/corpus-mmc1/mmc1.mlb" "$in/names.mlb"
run export-ca65 read-back "corpus/mmc1.nes log.cdl names.mlb" --rom mmc1.nes --cdl log.cdl --labels names.mlb --write-labels nl --write-cdl fceux
run export-ca65 bad-log "$S log.cdl" --rom $S --cdl log.cdl
run dump code-trace-cdl "corpus/mmc1.nes log.cdl" --rom mmc1.nes --mode code --trace --cdl log.cdl --write-cdl fceux --start 8000 --end BFFF
run dump code-trace-labels "corpus/mmc1.nes names.mlb" --rom mmc1.nes --mode code --trace --labels names.mlb --write-labels nl --start 8000 --end BFFF
run dump code-labels "corpus/mmc1.nes names.mlb" --rom mmc1.nes --mode code --no-tables --labels names.mlb --write-labels mlb --start C000 --end FFFF

run tiles default "$S" --rom $S
run tiles scaled "$S" --rom $S --count 96 --scale 3
run tiles one-bit "$S" --rom $S --bpp 1 --columns 32 --offset 10
run tiles palette "$S" --rom $S --palette 102030,405060,708090,A0B0C0 --columns 8 --count 64
run tiles corpus "corpus/chrram.nes" --rom chrram.nes
run tiles bad-columns "$S" --rom $S --columns 300
run tiles tall "$S" --rom $S --layout 8x16 --columns 8
cp "$work/cases/tiles/default/sample Tiles.png" "$in/sheet.png"
cp "$work/cases/tiles/tall/sample Tiles.png" "$in/tall.png"
run tiles-import unchanged "$S sheet.png" --rom $S --png sheet.png
run tiles-import tall "$S tall.png" --rom $S --png tall.png --layout 8x16 --columns 8 --patch ips
run tiles-import drawn "$S drawn.png" --rom $S --png drawn.png --offset 8210 --patch bps
run tiles-import wrong-columns "$S tall.png" --rom $S --png tall.png
run tiles-import not-png "$S sample.tbl" --rom $S --png sample.tbl

# Every job the program offers has its cases.
jobs=$("$bin" --help | sed -n '/^subcommands:/I,$p' | sed -n 's/^  \([a-z][a-z0-9-]*\) .*/\1/p')
missing=0
for job in $jobs; do
  [ -n "${covered[$job]:-}" ] || { echo "golden.sh: no case runs the job $job" >&2; missing=1; }
done
[ -n "$jobs" ] || { echo "golden.sh: no jobs in morvane --help" >&2; missing=1; }
# And every dump mode.
modes=$("$bin" dump --help | sed -n 's/^ *--mode [A-Z]*:{\(.*\)}.*/\1/p' | tr ',' ' ')
for mode in $modes; do
  [ -n "${covered["dump --mode $mode"]:-}" ] || {
    echo "golden.sh: no case dumps in the mode $mode" >&2
    missing=1
  }
done
[ -n "$modes" ] || { echo "golden.sh: no modes in morvane dump --help" >&2; missing=1; }
LC_ALL=C sort -k2 "$work/hashes"
exit "$missing"
