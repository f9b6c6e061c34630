#!/usr/bin/env python3
"""Draws the cell-coded picture that the tab row tests load through the theme store.

    make_tab_test_images.py OUTDIR

writes tab_cells.bmp: 24 bits per pixel, 16 x 64 pixels, four 16 x 16 cells stacked from the
top; cell k is one solid colour (CELLS below), the last one the key colour RGB(255, 0, 255).
The same input always gives the same bytes.
"""
import os
import struct
import sys

W, CELL = 16, 16
CELLS = [(200, 10, 10), (10, 200, 10), (10, 10, 200), (255, 0, 255)]  # (r, g, b)


def bmp24(width, rows_top_down):
    stride = ((width * 24 + 31) // 32) * 4
    data = b""
    for row in reversed(rows_top_down):
        line = b"".join(bytes((b, g, r)) for (r, g, b) in row)
        data += line + b"\x00" * (stride - len(line))
    height = len(rows_top_down)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    return header + info + data


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    rows = [[colour] * W for colour in CELLS for _ in range(CELL)]
    with open(os.path.join(out, "tab_cells.bmp"), "wb") as f:
        f.write(bmp24(W, rows))


if __name__ == "__main__":
    main()
