#!/usr/bin/env python3
"""Draws the column menu's toolbar bitmap of the toolkit's header control.

    make_header_images.py OUTDIR

writes header_menu.bmp: 80 x 15 pixels, 4 bits per pixel, five 16 x 15 buttons in
toolbar order (Sort Ascending, Sort Descending, Align Left, Align Center, Align Right)
on the key colour RGB(255, 0, 255). The same input always gives the same bytes.
"""
import os
import struct
import sys

# The sixteen standard colours; index 13 (magenta) is the transparent key.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255)]
KEY, BLACK, NAVY, GREY = 13, 0, 4, 8
W, H, CELL = 80, 15, 16


def blank():
    return [[KEY] * W for _ in range(H)]


def hline(px, x0, x1, y, c):
    for x in range(x0, x1):
        px[y][x] = c


def sort_icon(px, ox, ascending):
    # A short and a long bar (the order of values) beside an arrow.
    for i, length in enumerate((3, 5, 7, 9) if ascending else (9, 7, 5, 3)):
        hline(px, ox + 1, ox + 1 + length, 2 + 3 * i, NAVY)
        hline(px, ox + 1, ox + 1 + length, 3 + 3 * i, NAVY)
    ax = ox + 13
    for y in range(2, 13):
        px[y][ax] = BLACK
    tip, step = (2, 1) if ascending else (12, -1)
    for d in range(3):
        px[tip + d * step][ax - d] = BLACK
        px[tip + d * step][ax + d] = BLACK


def align_icon(px, ox, where):
    for i, length in enumerate((12, 8, 12, 8, 12)):
        if where == 'left':
            x0 = ox + 2
        elif where == 'right':
            x0 = ox + 14 - length
        else:
            x0 = ox + 2 + (12 - length) // 2
        hline(px, x0, x0 + length, 2 + 2 * i, BLACK if i % 2 == 0 else GREY)


def image():
    px = blank()
    sort_icon(px, 0, True)
    sort_icon(px, CELL, False)
    align_icon(px, 2 * CELL, 'left')
    align_icon(px, 3 * CELL, 'center')
    align_icon(px, 4 * CELL, 'right')
    return px


def write_bmp4(path, px):
    row = ((W * 4 + 31) // 32) * 4
    data = bytearray()
    for y in range(H - 1, -1, -1):
        line = bytearray()
        for x in range(0, W, 2):
            hi = px[y][x]
            lo = px[y][x + 1] if x + 1 < W else 0
            line.append((hi << 4) | lo)
        line += b'\0' * (row - len(line))
        data += line
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(pal)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    with open(path, 'wb') as f:
        f.write(header + info + pal + data)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    write_bmp4(os.path.join(out, 'header_menu.bmp'), image())


if __name__ == '__main__':
    main()
