#!/usr/bin/env python3
"""Prints what an indexed PNG holds, read with zlib alone (no PNG library):
its chunk names, its header, its palette and its pixel values, a row a line.
The tests use it as a second reader of the tile sheets Morvane writes."""
import struct
import sys
import zlib


def chunks(data):
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        sys.exit('not a PNG file')
    at = 8
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        (crc,) = struct.unpack('>I', data[at + 8 + length:at + 12 + length])
        if zlib.crc32(kind + body) != crc:
            sys.exit('bad CRC in ' + kind.decode('latin-1'))
        yield kind.decode('latin-1'), body
        at += 12 + length


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(raw, width, height, depth):
    stride = (width * depth + 7) // 8
    step = max(1, depth // 8)
    prev = bytearray(stride)
    rows, at = [], 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b, c = prev[i], prev[i - step] if i >= step else 0
            line[i] = (line[i] + (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]) & 0xFF
        rows.append(line)
        prev = line
    return rows


def main():
    with open(sys.argv[1], 'rb') as f:
        data = f.read()
    names, idat, palette = [], b'', []
    for kind, body in chunks(data):
        names.append(kind)
        if kind == 'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
        elif kind == 'PLTE':
            palette = [body[i:i + 3].hex().upper() for i in range(0, len(body), 3)]
        elif kind == 'IDAT':
            idat += body
    if colour != 3 or interlace != 0:
        sys.exit('not a plain indexed PNG')
    print(' '.join(names))
    print(width, height, 'colour type', colour, 'depth', depth)
    print(','.join(palette))
    mask = (1 << depth) - 1
    for line in unfilter(zlib.decompress(idat), width, height, depth):
        values = []
        for x in range(width):
            bit = x * depth
            values.append(line[bit // 8] >> (8 - depth - bit % 8) & mask)
        print(''.join('%X' % v for v in values))


main()
