#!/usr/bin/env python3
# Writes the image strips of the toolbar tests: 16 x 15 images on the button
# face grey (0xC0C0C0), each a coloured figure, side by side.
import struct

FACE = (0xC0, 0xC0, 0xC0)


def write_bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - width * 3)
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def figure(kind, colour, x, y):
    inside = {
        0: 2 <= x <= 13 and 2 <= y <= 12,                       # square
        1: (x - 7.5) ** 2 + (y - 7) ** 2 <= 30,                 # disc
        2: abs(x - 7.5) + abs(y - 7) <= 6,                      # diamond
        3: (5 <= x <= 10) or (4 <= y <= 9),                     # cross
    }[kind % 4]
    if inside and (x in (2, 13) or y in (2, 12)) and kind % 4 == 0:
        return (0, 0, 0)
    return colour if inside else FACE


def strip(path, colours, grey=False):
    def pixel(x, y):
        i, xi = divmod(x, 16)
        r, g, b = colours[i]
        if grey:
            v = (r + g + b) // 3 // 2 + 0x60
            r = g = b = v
        return figure(i, (r, g, b), xi, y)
    write_bmp(path, 16 * len(colours), 15, pixel)


strip("strip_main.bmp", [(0xD0, 0x20, 0x20), (0x20, 0x90, 0x20), (0x20, 0x40, 0xD0), (0xC0, 0x80, 0x00)])
strip("strip_main_disabled.bmp", [(0xD0, 0x20, 0x20), (0x20, 0x90, 0x20), (0x20, 0x40, 0xD0), (0xC0, 0x80, 0x00)],
      grey=True)
strip("strip_second.bmp", [(0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0x60, 0x60, 0x00)])
