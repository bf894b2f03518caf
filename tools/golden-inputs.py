#!/usr/bin/env python3
"""Writes the inputs tools/golden.sh needs that the repository does not hold:
a disk image with and without header, a Portopia-sized stand-in and its
script, a 16-colour tile sheet, a ROM that holds Romancia's two tile streams,
a modified sample for compare and the patches, a translated script and a grey
PNG tile sheet drawn by hand.
Usage: golden-inputs.py SAMPLES_DIR OUT_DIR"""
import struct
import sys
import zlib

samples, out = sys.argv[1], sys.argv[2]
sample = open(f"{samples}/sample.nes", "rb").read()


def write(name, data):
    open(f"{out}/{name}", "wb").write(data)


def crlf(lines):
    return "".join(line + "\r\n" for line in lines).encode("latin-1")


# A disk side: the disk info block, the file count and one block pair per file.
def side(index, files, name=b"SMP"):
    info = (b"\x01*NINTENDO-HVC*\x01" + name + b"\x20\x00" + bytes([index % 2, index // 2])
            + b"\x00\x00\x0f" + bytes(5) + b"\x61\x12\x24\x49" + bytes(9)
            + b"\x61\x12\x24" + bytes(8) + bytes([index % 2]))
    blocks = info + bytes([2, len(files)])
    for n, (fid, fname, address, kind, data) in enumerate(files):
        blocks += bytes([3, n, fid]) + fname + struct.pack("<HH", address, len(data))
        blocks += bytes([kind, 4]) + data
    return blocks.ljust(65500, b"\x00")


bank = sample[16:16 + 0x4000]
chr_ = sample[16:16 + 0x2000]
write("sample.fds", b"FDS\x1a\x01" + bytes(11)
      + side(0, [(0, b"SAMPLE--", 0x6000, 0, bank)]))
write("twoside.fds", side(0, [(0, b"KYODAKU-", 0x2800, 2, bytes(range(224))),
                             (1, b"PROGRAM-", 0x6000, 0, bank[:0x1000]),
                             (2, b"PATTERNS", 0x0000, 1, chr_[:0x800])])
      + side(1, [(5, b"SIDE-B--", 0x8000, 0, bank[0x1000:0x1800])], b"SMQ"))

# Portopia: a stand-in of 48 kB and a script of all 496 strings.
write("portopia.nes", sample.ljust(0xC010, b"\x00")[:0xC010])
lines = ["Portopia script", ""]
for i in range(496):
    lines += [f"{i:03X}: string {i}", f"source\tLINE {i}", ""]
write("portopia.txt", crlf(lines))

# A 16-colour 320 x 269 tile sheet with a pattern, and a ROM whose tile
# streams at 277C and 3302 leave room for it.
pixels = bytes((x + y // 4) % 16 * 17 if (x // 5 + y // 9) % 6 == 0 else 0
               for y in range(269) for x in range(160))
write("sheet.bmp", b"BM" + struct.pack("<IHHI", 118 + len(pixels), 0, 0, 118)
      + struct.pack("<IiiHHIIiiII", 40, 320, 269, 1, 4, 0, len(pixels), 0, 0, 16, 0)
      + bytes(range(0, 64)) + pixels)
romancia = bytearray(sample.ljust(0x8010, b"\xea"))
stream = b"\x7f" + bytes(range(127)) * 1 + b"\x7f" + bytes(range(127, 254)) * 1
stream = (stream * 6)[:0xB00] + b"\x00"
romancia[0x277C:0x277C + len(stream)] = stream
romancia[0x3302:0x3302 + len(stream)] = stream
write("romancia.nes", bytes(romancia))

# The sample with a few changed bytes, and one that is longer.
fixed = bytearray(sample)
fixed[0x64:0x69] = b"HOLA!"
fixed[0x1000:0x1004] = b"\x01\x02\x03\x04"
write("fixed.nes", bytes(fixed))
write("longer.nes", bytes(fixed) + bytes(range(256)) * 4)

# The sample's translation (the README's script) and one with a row too long.
script = ["sample Text", "Phrases\t0\t3", "Chars\t10\t2", "Ptrs\t804C\t804D\t-7FF0\t2",
          "Blocks\t1\t20", "Text\t8054\t8093\t-7FF0", "",
          "0:8054:", "HELLO WORLD!", "BONJOUR!", "",
          "1:8061:", "THIS IS A SAMPLE", "CECI EST UN", "EXEMPLE.", "",
          "2:807F:", "PRESS START", "APPUYEZ SUR", "START", "",
          "3:808B:", "THE END.", "FIN.", ""]
write("sample.txt", crlf(script))
long_ = list(script)
long_[long_.index("APPUYEZ SUR")] = "APPUYEZ SUR START"
long_.remove("START")
write("toolong.txt", crlf(long_))


# A grey PNG, 8 bits, of one row of 16 tiles: a diagonal in each, in the
# sheet's four greys.
def png(width, height, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0)
    data = zlib.compress(b"".join(b"\0" + bytes(row) for row in rows))
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b"")


greys = [0x00, 0x55, 0xAA, 0xFF]
write("drawn.png", png(128, 8, [[greys[(x // 8) % 4] if x % 8 == y else 0 for x in range(128)]
                                for y in range(8)]))
