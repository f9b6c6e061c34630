#!/usr/bin/env python3
"""Writes the toolbar bitmaps of the command-bar tests (24-bit BMP files, deterministic).

Each bitmap holds one square per button in a row; every button gets its own solid colour with a
one-pixel dark frame so that a picked icon can be told apart. Run from the repository root:
    python3 tools/testdata/gen_toolbar_bitmaps.py
"""
import os
import struct

OUT = os.path.join("tests", "toolkit", "commandbars")
COLOURS = [(0x20, 0x60, 0xC0), (0xC0, 0x40, 0x20), (0x30, 0xA0, 0x30), (0xA0, 0x30, 0xA0)]


def bmp(width, height, pixel):
    row_bytes = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        data += row
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0, 14 + len(header))
    return file_header + header + bytes(data)


def toolbar_bitmap(name, size, count):
    def pixel(x, y):
        button, bx = divmod(x, size)
        if bx == 0 or bx == size - 1 or y == 0 or y == size - 1:
            return (0x10, 0x10, 0x10)
        return COLOURS[button % len(COLOURS)]

    with open(os.path.join(OUT, name), "wb") as f:
        f.write(bmp(size * count, size, pixel))


if __name__ == "__main__":
    toolbar_bitmap("ToolBar24.bmp", 24, 2)
    toolbar_bitmap("ToolBar16.bmp", 16, 2)
