#!/usr/bin/env python3
# Writes the toolbar drag cursors drawn in toolbar_cursors.txt, monochrome
# 32 x 32 with the hot spot at (0, 0), beside this script as raw resource
# data: <name>.cursor (the cursor image resource: hot spot, then the DIB) and
# <name>.cursorgroup (its directory, naming the image by the same id).
# Written raw because the resource compiler numbers cursor images from 1 in
# every resource file, and two files with cursors then collide at link time.
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write_cursor(path, resource_id, rows):
    rows = (rows + [""] * 32)[:32]
    xor_rows, and_rows = [], []
    for row in rows:
        row = row.ljust(32)[:32]
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
    cursor = struct.pack("<HH", 0, 0) + image
    with open(path + ".cursor", "wb") as f:
        f.write(cursor)
    group = struct.pack("<HHH", 0, 2, 1) + struct.pack("<HHHHIH", 32, 64, 1, 1, len(cursor), resource_id)
    with open(path + ".cursorgroup", "wb") as f:
        f.write(group)


def main():
    resource_id, name, rows = 0, None, []
    with open(os.path.join(HERE, "toolbar_cursors.txt")) as f:
        lines = [line.rstrip("\n") for line in f if not line.startswith("//")]
    for line in lines + ["cursor 0 end"]:
        if line.startswith("cursor "):
            if name is not None:
                write_cursor(os.path.join(HERE, name), resource_id, rows)
            resource_id, name, rows = int(line.split()[1]), line.split()[2], []
        else:
            rows.append(line)


main()
