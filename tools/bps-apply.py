#!/usr/bin/env python3
"""Applies a BPS patch, written apart from the program from the format alone,
so that the benchmarks can check that every patch the program makes reads
the same to another reader. Checks the three CRC32 values and the sizes.
Usage: tools/bps-apply.py SOURCE PATCH OUTPUT"""
import sys
import zlib


def main(source_path, patch_path, output_path):
    source = open(source_path, "rb").read()
    patch = open(patch_path, "rb").read()
    if patch[:4] != b"BPS1":
        sys.exit("not a BPS patch")
    if zlib.crc32(patch[:-4]) != int.from_bytes(patch[-4:], "little"):
        sys.exit("patch CRC32 is wrong")
    if zlib.crc32(source) != int.from_bytes(patch[-12:-8], "little"):
        sys.exit("source CRC32 is wrong")
    pos = 4
    end = len(patch) - 12

    def number():
        nonlocal pos
        value, shift = 0, 1
        while True:
            byte = patch[pos]
            pos += 1
            value += (byte & 0x7F) * shift
            if byte & 0x80:
                return value
            shift <<= 7
            value += shift

    def offset():
        n = number()
        return -(n >> 1) if n & 1 else n >> 1

    source_size, target_size = number(), number()
    metadata = number()
    pos += metadata
    if source_size != len(source):
        sys.exit("source size is wrong")
    target = bytearray()
    source_rel = target_rel = 0
    while pos < end:
        action = number()
        kind, length = action & 3, (action >> 2) + 1
        if kind == 0:
            target += source[len(target):len(target) + length]
        elif kind == 1:
            target += patch[pos:pos + length]
            pos += length
        elif kind == 2:
            source_rel += offset()
            target += source[source_rel:source_rel + length]
            source_rel += length
        else:
            target_rel += offset()
            if target_rel + length <= len(target):
                target += target[target_rel:target_rel + length]
            else:
                for i in range(length):
                    target.append(target[target_rel + i])
            target_rel += length
    if pos != end or len(target) != target_size:
        sys.exit("actions do not make the target")
    if zlib.crc32(target) != int.from_bytes(patch[-8:-4], "little"):
        sys.exit("target CRC32 is wrong")
    open(output_path, "wb").write(target)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
