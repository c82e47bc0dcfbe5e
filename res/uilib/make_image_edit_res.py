#!/usr/bin/env python3
# Writes the resources of the button image editor beside this script:
#   image_edit_tools.bmp   the tools toolbar's images (from
#                          image_edit_tools.txt): a 24-bit strip of 16 x 15
#                          images on the button face (192, 192, 192)
#   image_edit_*.cursor and .cursorgroup
#                          the tools' cursors (from image_edit_cursors.txt),
#                          monochrome 32 x 32, as raw cursor (type 1) and
#                          cursor directory (type 12) data naming the image
#                          by the cursor's own id, so that no resource file
#                          numbers cursor images twice
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
COLOURS = {".": (192, 192, 192), "#": (0, 0, 0), "w": (255, 255, 255), "g": (128, 128, 128),
           "y": (255, 255, 0), "b": (0, 0, 255), "r": (255, 0, 0)}


def write_tools():
    images, current = {}, None
    with open(os.path.join(HERE, "image_edit_tools.txt")) as f:
        for line in f.read().splitlines():
            if not line or line.startswith("# "):
                continue
            if line.startswith("="):
                current = int(line.split()[1])
                images[current] = []
                continue
            if len(line) != 16 or set(line) - set(COLOURS):
                sys.exit(f"image {current}: bad row {line!r}")
            images[current].append(line)
    count = max(images) + 1
    for n in range(count):
        if len(images.get(n, [])) != 15:
            sys.exit(f"image {n}: needs fifteen rows")
    width, height = 16 * count, 15
    row_bytes = ((width * 3 + 3) // 4) * 4
    pixels = bytearray()
    for y in reversed(range(height)):  # bottom-up
        row = bytearray()
        for n in range(count):
            for c in images[n][y]:
                r, g, b = COLOURS[c]
                row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        pixels += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(os.path.join(HERE, "image_edit_tools.bmp"), "wb") as f:
        f.write(header + info + pixels)


def write_cursor(path, resource_id, hot, rows):
    if len(rows) > 32 or any(len(row) > 32 for row in rows):
        sys.exit(f"cursor {resource_id}: larger than 32 x 32")
    rows = (rows + [""] * 32)[:32]
    xor_rows, and_rows = [], []
    for row in rows:
        row = row.ljust(32)
        xor_bits = and_bits = 0
        for x, c in enumerate(row):
            bit = 1 << (31 - x)
            if c == ".":
                xor_bits |= bit
            elif c != "#":
                and_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    # DIB rows run bottom-up.
    image = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    image += bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image += b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows))
    cursor = struct.pack("<HH", hot[0], hot[1]) + image
    with open(path + ".cursor", "wb") as f:
        f.write(cursor)
    group = struct.pack("<HHH", 0, 2, 1) + struct.pack("<HHHHIH", 32, 64, 1, 1, len(cursor), resource_id)
    with open(path + ".cursorgroup", "wb") as f:
        f.write(group)


def write_cursors():
    current, rows = None, []
    with open(os.path.join(HERE, "image_edit_cursors.txt")) as f:
        lines = [line.rstrip("\n") for line in f if not line.startswith("//")]
    for line in lines + ["cursor 0 end 0 0"]:
        if line.startswith("cursor "):
            if current is not None:
                resource_id, name, hx, hy = current
                write_cursor(os.path.join(HERE, name), resource_id, (hx, hy), rows)
            parts = line.split()
            current, rows = (int(parts[1]), parts[2], int(parts[3]), int(parts[4])), []
        else:
            rows.append(line)


write_tools()
write_cursors()
