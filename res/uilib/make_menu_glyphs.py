#!/usr/bin/env python3
"""Writes menu_glyphs.bmp from menu_glyphs.txt: a 4-bit bitmap strip of 9 x 9
glyphs, black on the transparent colour 0xFF00FF (magenta)."""
import struct
import sys
from pathlib import Path

here = Path(__file__).resolve().parent
src = Path(sys.argv[1]) if len(sys.argv) > 1 else here / "menu_glyphs.txt"
dst = Path(sys.argv[2]) if len(sys.argv) > 2 else here / "menu_glyphs.bmp"

glyphs = {}
current = None
for line in src.read_text().splitlines():
    if not line or line.startswith("# "):
        continue
    if line.startswith("="):
        current = int(line.split()[1])
        glyphs[current] = []
        continue
    if len(line) != 9 or set(line) - set("#."):
        sys.exit(f"glyph {current}: bad row {line!r}")
    glyphs[current].append(line)
count = max(glyphs) + 1
for n in range(count):
    if len(glyphs.get(n, [])) != 9:
        sys.exit(f"glyph {n}: needs nine rows")

width, height = 9 * count, 9
row_bytes = ((width * 4 + 31) // 32) * 4
palette = [(0, 0, 0), (255, 0, 255)] + [(0, 0, 0)] * 14  # index 0 black, 1 transparent
pixels = bytearray()
for y in reversed(range(height)):  # bottom-up
    row = []
    for n in range(count):
        row += [0 if c == "#" else 1 for c in glyphs[n][y]]
    packed = bytearray()
    for i in range(0, len(row), 2):
        hi = row[i]
        lo = row[i + 1] if i + 1 < len(row) else 0
        packed.append((hi << 4) | lo)
    packed += b"\0" * (row_bytes - len(packed))
    pixels += packed

colors = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
offset = 14 + len(info) + len(colors)
header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
dst.write_bytes(header + info + colors + pixels)
