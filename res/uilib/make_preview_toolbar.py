#!/usr/bin/env python3
"""Writes preview_toolbar.bmp from preview_toolbar.txt: a 24-bit strip of
16 x 16 images on the button face (192, 192, 192), which the toolbar takes
as transparent."""
import struct
import sys
from pathlib import Path

here = Path(__file__).resolve().parent
src = Path(sys.argv[1]) if len(sys.argv) > 1 else here / "preview_toolbar.txt"
dst = Path(sys.argv[2]) if len(sys.argv) > 2 else here / "preview_toolbar.bmp"
colours = {".": (192, 192, 192), "#": (0, 0, 0), "w": (255, 255, 255), "g": (128, 128, 128), "b": (0, 0, 160)}

images = {}
current = None
for line in src.read_text().splitlines():
    if not line or line.startswith("# "):
        continue
    if line.startswith("="):
        current = int(line.split()[1])
        images[current] = []
        continue
    if len(line) != 16 or set(line) - set(colours):
        sys.exit(f"image {current}: bad row {line!r}")
    images[current].append(line)
count = max(images) + 1
for n in range(count):
    if len(images.get(n, [])) != 16:
        sys.exit(f"image {n}: needs sixteen rows")

width, height = 16 * count, 16
row_bytes = ((width * 3 + 3) // 4) * 4
pixels = bytearray()
for y in reversed(range(height)):  # bottom-up
    row = bytearray()
    for n in range(count):
        for c in images[n][y]:
            r, g, b = colours[c]
            row += bytes((b, g, r))
    row += b"\0" * (row_bytes - len(row))
    pixels += row

info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
offset = 14 + len(info)
header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
dst.write_bytes(header + info + pixels)
