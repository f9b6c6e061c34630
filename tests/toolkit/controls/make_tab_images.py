#!/usr/bin/env python3
"""Draws the cell-coded theme pictures of the tab tests (24-bit BMP, committed beside this script).

Each picture is cut vertically into equal cells; cell k is one solid colour with its top-left
3 x 3 pixels magenta (keyed out), so that a probe tells the cell drawn and which way it was turned.
Run it from this folder after changing a colour; the tests type the same colours.
"""
import struct


def bmp(path, width, cell_height, colours, keyed=True):
    height = cell_height * len(colours)
    row_bytes = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):  # top row first
        k, cy = divmod(y, cell_height)
        row = bytearray()
        for x in range(width):
            r, g, b = colours[k]
            if keyed and x < 3 and cy < 3:
                r, g, b = 255, 0, 255
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        rows.append(bytes(row))
    pixels = b"".join(reversed(rows))  # bottom-up
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


RIBBON_TAB = [(200, 20 + 30 * k, 10) for k in range(6)]
ACCESS_TAB = [(20 + 30 * k, 200, 40) for k in range(4)]

if __name__ == "__main__":
    bmp("tab_ribbontab.bmp", 16, 16, RIBBON_TAB)
    bmp("tab_accesstab.bmp", 32, 24, ACCESS_TAB)
    bmp("tab_page.bmp", 20, 20, [(30, 160, 90)], keyed=False)
    bmp("tab_groups.bmp", 20, 20, [(160, 30, 90)], keyed=False)
