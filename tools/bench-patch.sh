#!/usr/bin/env bash
# Times patch creation and application on pairs of files it makes itself, and
# prints for each run the seconds, the peak resident memory (/usr/bin/time -v)
# and that peak as a multiple of the larger input, and each patch's size.
# Every BPS patch is also applied by tools/bps-apply.py, a reader written apart
# from the program, and both results are checked against the target.
#   4 MiB pair  : ROM-like bytes, 300 scattered changes and a moved 64 KiB block
#   like pairs  : the same shape at 64 and 256 MiB (one change every 14 KiB)
#   unlike pairs: a ROM-like file against random bytes of the same size
#   IPS         : the 4 MiB pair, and a 64 MiB pair changed in its first 16 MiB
# Usage: tools/bench-patch.sh [build-dir]   (default: build-bench, configured here)
#   SIZES="4 64 256" picks the pair sizes in MiB (4 always runs).
#   MORVANE=path/to/morvane times that program instead of building one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build=${1:-build-bench}
sizes=${SIZES:-4 64 256}
# shellcheck source=tools/bench-common.sh
source "$root/tools/bench-common.sh"
bench_program "$build"
checker="$root/tools/bps-apply.py"

bench_workdir

# make NAME SIZE_MIB: NAME.src and, for each shape, NAME-like.tgt and NAME-unlike.tgt.
make_pair() {
  python3 - "$@" <<'PY'
import random, sys
name, mib = sys.argv[1], int(sys.argv[2])
size = mib << 20
rng = random.Random(mib)
letters = bytes(65 + b % 26 for b in range(256))
zones = []
for z in range(size // 4096):
    kind = z % 4
    if kind == 3:
        zones.append(b"\xff" * 4096)
    elif kind == 1:
        zones.append(rng.randbytes(4096).translate(letters))
    else:
        zones.append(rng.randbytes(4096))
source = b"".join(zones)
open(name + ".src", "wb").write(source)
def scatter(data, count, span):
    data = bytearray(data)
    for k in range(count):
        at = (7 + k * (span // count)) % len(data)
        data[at] ^= 0x5A
    return bytes(data)
# A 64 KiB block at a quarter moved to three quarters, then scattered changes.
q, block = size // 4, 0x10000
moved = source[:q] + source[q + block:3 * q] + source[q:q + block] + source[3 * q:]
open(name + "-like.tgt", "wb").write(scatter(moved, 300 * mib // 4, size))
if mib > 4:
    other = random.Random(mib + 1)
    open(name + "-unlike.tgt", "wb").write(b"".join(other.randbytes(1 << 20) for _ in range(mib)))
# IPS offsets end at 16 MiB: changes only below it.
if mib == 64:
    open(name + "-ips.tgt", "wb").write(scatter(source, 1200, 16 << 20))
PY
}

# run LABEL LARGER-INPUT-BYTES COMMAND...: one line of seconds and peak memory;
# with REPEAT=n, the fastest of n runs (the peak is the highest).
run() {
  local label=$1 larger=$2 best="" i
  shift 2
  : >times.txt
  for ((i = 0; i < ${REPEAT:-1}; ++i)); do
    /usr/bin/time -f "%e %U %S %M" -o time.txt "$@" >/dev/null 2>err.txt || {
      echo "$label: failed: $(cat err.txt)"
      return 1
    }
    cat time.txt >>times.txt
  done
  awk -v l="$label" -v n="$larger" '
    { cpu = $2 + $3; if (NR == 1 || $1 < s) s = $1; if (NR == 1 || cpu < c) c = cpu; if ($4 > k) k = $4 }
    END { printf "%-26s %6.2f s (%5.2f s CPU)  peak %7.1f MiB = %4.2fx the larger input\n",
                 l, s, c, k / 1024, k * 1024 / n }' times.txt
}

size_of() { stat -c %s "$1"; }

status=0
for mib in 4 $sizes; do
  [[ $mib == 4 && ${seen4:-} ]] && continue
  [[ $mib == 4 ]] && seen4=1
  make_pair "p$mib" "$mib"
  repeat=1
  [[ $mib == 4 ]] && repeat=10
  shapes=like
  [[ $mib -gt 4 ]] && shapes="like unlike"
  for shape in $shapes; do
    src="p$mib.src" tgt="p$mib-$shape.tgt" label="$mib MiB $shape"
    larger=$(( $(size_of "$src") > $(size_of "$tgt") ? $(size_of "$src") : $(size_of "$tgt") ))
    rm -f "p$mib-$shape.bps"
    REPEAT=$repeat run "create BPS, $label" "$larger" "$morvane" patch-create --file1 "$src" --file2 "$tgt" \
      --format bps || { status=1; continue; }
    echo "  patch: $(size_of "p$mib-$shape.bps") bytes"
    cp "$src" "in.bin"
    rm -f in_Patched.bin
    run "apply BPS, $label" "$larger" "$morvane" patch-apply --rom in.bin \
      --patch "p$mib-$shape.bps" || status=1
    cmp -s in_Patched.bin "$tgt" || { echo "  the applied patch does not give the target"; status=1; }
    python3 "$checker" "$src" "p$mib-$shape.bps" other.bin &&
      cmp -s other.bin "$tgt" || { echo "  the separate reader does not get the target"; status=1; }
    rm -f in_Patched.bin other.bin "p$mib-$shape.bps"
  done
  ips=""
  [[ $mib == 4 ]] && ips="p4-like.tgt"
  [[ $mib == 64 ]] && ips="p64-ips.tgt"
  if [[ -n $ips ]]; then
    rm -f "${ips%.tgt}.ips"
    REPEAT=$repeat run "create IPS, $mib MiB" "$(size_of "$ips")" "$morvane" patch-create --file1 "p$mib.src" \
      --file2 "$ips" --format ips || status=1
    echo "  patch: $(size_of "${ips%.tgt}.ips") bytes"
    cp "p$mib.src" in.bin
    rm -f in_Patched.bin
    run "apply IPS, $mib MiB" "$(size_of "$ips")" "$morvane" patch-apply --rom in.bin \
      --patch "${ips%.tgt}.ips" || status=1
    cmp -s in_Patched.bin "$ips" || { echo "  the applied patch does not give the target"; status=1; }
  fi
  rm -f p$mib*
done
exit $status
