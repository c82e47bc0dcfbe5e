#!/usr/bin/env python3
# Writes customize_help.bmp: the customisation sheet's Help button picture,
# a 16 x 16 question mark in 24-bit colour on the button face (light grey,
# which LR_LOADMAP3DCOLORS maps to the system's face colour).
import struct
import sys

ROWS = [
    "................",
    "................",
    ".....######.....",
    "....##....##....",
    "....##....##....",
    "..........##....",
    ".........##.....",
    "........##......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    "................",
    ".......##.......",
    ".......##.......",
    "................",
    "................",
]

def main(path):
    width, height = 16, 16
    face, ink = (0xC0, 0xC0, 0xC0), (0x00, 0x00, 0x80)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(ROWS):  # bottom-up
        line = bytearray()
        for ch in row:
            r, g, b = ink if ch == "#" else face
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + pixels)

if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "customize_help.bmp")
