#!/usr/bin/env python3
"""Turns a 24-bit BMP (as WriteWindowBitmap writes it) into a PNG:
   bmp_to_png.py in.bmp out.png"""
import struct
import sys
import zlib

data = open(sys.argv[1], 'rb').read()
offset = struct.unpack_from('<I', data, 10)[0]
width, height = struct.unpack_from('<ii', data, 18)
bpp = struct.unpack_from('<H', data, 28)[0]
if bpp != 24:
    sys.exit('only 24-bit bitmaps')
stride = (width * 3 + 3) & ~3
rows = []
for y in range(abs(height)):
    src = y if height < 0 else abs(height) - 1 - y
    line = data[offset + src * stride: offset + src * stride + width * 3]
    rgb = bytearray(len(line))
    rgb[0::3], rgb[1::3], rgb[2::3] = line[2::3], line[1::3], line[0::3]
    rows.append(b'\0' + bytes(rgb))


def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff)


png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, abs(height), 8, 2, 0, 0, 0))
png += chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b'')
open(sys.argv[2], 'wb').write(png)
