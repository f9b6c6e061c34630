#!/usr/bin/env python3
"""Draws the harness's bitmaps and icon, deterministically, from code.

    make_images.py OUTDIR

writes tree.bmp (7 x 16x16 results-tree images), toolbar_normal.bmp,
toolbar_disabled.bmp, toolbar_hot.bmp (7 x 20x20 toolbar buttons each),
banner.bmp (550x60 about-box banner), test_row.bmp (the 16x16 picture of a
test in the run-individual list, 32 bits with alpha) and quorvex.ico
(16x16 and 32x32).
The same input always gives the same bytes.
"""
import math
import os
import struct
import sys

WHITE = (255, 255, 255)
# The toolbar strips' ground is pure white, which the program makes transparent (its key colour); white
# parts of a picture are drawn in this nearly white instead so that they stay.
GLYPH_WHITE = (254, 254, 254)


class Canvas:
    def __init__(self, w, h, bg=WHITE):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]
        self.alpha = [[255] * w for _ in range(h)]

    def set(self, x, y, c, a=255):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c
            self.alpha[y][x] = a

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1):
            self.set(x, y0, c)
            self.set(x, y1 - 1, c)
        for y in range(y0, y1):
            self.set(x0, y, c)
            self.set(x1 - 1, y, c)

    def disc(self, cx, cy, r, fill, edge):
        for y in range(int(cy - r - 1), int(cy + r + 2)):
            for x in range(int(cx - r - 1), int(cx + r + 2)):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if d <= r - 1:
                    self.set(x, y, fill)
                elif d <= r:
                    self.set(x, y, edge)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(steps + 1):
            t = i / steps
            x = x0 + (x1 - x0) * t
            y = y0 + (y1 - y0) * t
            for dy in range(width):
                for dx in range(width):
                    self.set(int(x) + dx, int(y) + dy, c)

    def polygon(self, pts, fill, edge=None):
        ys = [p[1] for p in pts]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            yc = y + 0.5
            xs = []
            for i in range(len(pts)):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(int(math.ceil(a - 0.5)), int(math.floor(b - 0.5)) + 1):
                    self.set(x, y, fill)
        if edge:
            for i in range(len(pts)):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
                self.line(xa, ya, xb, yb, edge)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                self.set(ox + x, oy + y, other.px[y][x], other.alpha[y][x])


# A 5x7 pixel font for the few letters the pictures need.
FONT = {
    'i': ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    '!': ["..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."],
    '?': [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."],
    'Q': [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    'U': ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'O': [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'R': ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    'V': ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'E': ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    'X': ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'S': [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    'H': ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'N': ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    ' ': ["....."] * 7,
}


def text(cv, x, y, s, c, scale=1):
    for ch in s:
        glyph = FONT[ch]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == '#':
                    cv.rect(x + gx * scale, y + gy * scale, x + (gx + 1) * scale, y + (gy + 1) * scale, c)
        x += 6 * scale


# --- results-tree images (16x16) -------------------------------------------------
def tree_info():
    c = Canvas(16, 16)
    c.disc(8, 8, 7, (66, 133, 230), (30, 80, 170))
    c.rect(7, 4, 9, 6, WHITE)
    c.rect(7, 7, 9, 12, WHITE)
    return c


def tree_error():
    c = Canvas(16, 16)
    c.disc(8, 8, 7, (220, 50, 47), (150, 20, 20))
    c.line(5, 5, 10.5, 10.5, WHITE, 2)
    c.line(10.5, 5, 5, 10.5, WHITE, 2)
    return c


def tree_warning():
    c = Canvas(16, 16)
    c.polygon([(8, 1), (15, 14.5), (1, 14.5)], (250, 200, 40), (170, 120, 0))
    c.rect(7, 5, 9, 10, (40, 40, 40))
    c.rect(7, 11, 9, 13, (40, 40, 40))
    return c


def tree_test(body, edge, children):
    c = Canvas(16, 16)
    # a sheet of paper; a second sheet behind it when the entry has children
    if children:
        c.rect(4, 1, 14, 13, (235, 235, 235))
        c.frame(4, 1, 14, 13, (120, 120, 120))
    c.rect(2, 3, 12, 15, body)
    c.frame(2, 3, 12, 15, edge)
    for y in (6, 8, 10, 12):
        c.line(4, y, 9, y, edge)
    return c


def tree_images():
    grey = ((250, 250, 250), (110, 110, 110))
    imgs = [tree_info(), tree_error(), tree_warning(),
            tree_test(*grey, children=False), tree_test(*grey, children=True),
            tree_test((255, 236, 160), (180, 130, 0), children=True),
            tree_test((250, 190, 185), (170, 30, 30), children=True)]
    strip = Canvas(16 * len(imgs), 16)
    for i, im in enumerate(imgs):
        strip.blit(im, 16 * i, 0)
    return strip


# --- toolbar buttons (20x20): Load, Run All, Run Individual, Cancel, Export, About, Help
def btn_load(col):
    c = Canvas(20, 20)
    c.polygon([(2, 5), (8, 5), (10, 7), (17, 7), (17, 16), (2, 16)], col['folder'], col['edge'])
    c.polygon([(4, 10), (19, 10), (16, 16), (2, 16)], col['folder2'], col['edge'])
    return c


def btn_run_all(col):
    c = Canvas(20, 20)
    c.polygon([(3, 3), (11, 10), (3, 17)], col['go'], col['edge'])
    c.polygon([(10, 3), (18, 10), (10, 17)], col['go'], col['edge'])
    return c


def btn_run_one(col):
    c = Canvas(20, 20)
    for y in (4, 9, 14):
        c.rect(2, y, 8, y + 2, col['edge'])
    c.polygon([(10, 4), (18, 10), (10, 16)], col['go'], col['edge'])
    return c


def btn_cancel(col):
    c = Canvas(20, 20)
    c.rect(4, 4, 16, 16, col['stop'])
    c.frame(4, 4, 16, 16, col['edge'])
    return c


def btn_export(col):
    c = Canvas(20, 20)
    c.rect(3, 2, 13, 18, (252, 252, 252))
    c.frame(3, 2, 13, 18, col['edge'])
    for y in (5, 8, 11, 14):
        c.line(5, y, 10, y, col['edge'])
    c.polygon([(11, 8), (15, 8), (15, 5), (19, 10), (15, 15), (15, 12), (11, 12)], col['go'], col['edge'])
    return c


def btn_about(col):
    c = Canvas(20, 20)
    c.disc(10, 10, 8, col['info'], col['edge'])
    c.rect(9, 5, 11, 7, GLYPH_WHITE)
    c.rect(9, 8, 11, 15, GLYPH_WHITE)
    return c


def btn_help(col):
    c = Canvas(20, 20)
    c.disc(10, 10, 8, col['help'], col['edge'])
    # A bold question mark (the font's strokes doubled) reads at 20 pixels.
    text(c, 7, 6, '?', GLYPH_WHITE)
    text(c, 8, 6, '?', GLYPH_WHITE)
    return c


def toolbar_strip(state):
    col = {'folder': (240, 200, 90), 'folder2': (250, 220, 120), 'edge': (90, 70, 40),
           'go': (60, 170, 70), 'stop': (210, 50, 50), 'info': (66, 133, 230), 'help': (120, 90, 200)}
    if state == 'hot':
        col = {k: tuple(min(255, int(v + (255 - v) * 0.25)) for v in c) for k, c in col.items()}
    buttons = [btn_load, btn_run_all, btn_run_one, btn_cancel, btn_export, btn_about, btn_help]
    strip = Canvas(20 * len(buttons), 20)
    for i, b in enumerate(buttons):
        strip.blit(b(col), 20 * i, 0)
    if state == 'disabled':
        for y in range(strip.h):
            for x in range(strip.w):
                r, g, b = strip.get(x, y)
                lum = int(0.30 * r + 0.59 * g + 0.11 * b)
                v = lum + (255 - lum) * 6 // 10
                strip.set(x, y, (v, v, v))
    return strip


# --- about banner (550x60) ----------------------------------------------------
def banner():
    c = Canvas(550, 60)
    for y in range(60):
        for x in range(550):
            t = x / 549.0
            c.set(x, y, (int(30 + 40 * t), int(60 + 70 * t), int(120 + 90 * t) - y // 3))
    for i in range(12):
        cx = 470 + (i % 4) * 20
        cy = 10 + (i // 4) * 20
        c.disc(cx, cy, 6, (90 + i * 8, 150, 230), (60, 100, 180))
    text(c, 20, 16, 'QUORVEX', WHITE, scale=4)
    return c


def icon(size):
    c = Canvas(size, size, (0, 0, 0))
    for y in range(size):
        for x in range(size):
            c.alpha[y][x] = 0
    r = size / 2.0
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - r, y + 0.5 - r)
            if d <= r - 0.5:
                edge = d > r - 1.5 - size / 32
                c.set(x, y, (30, 80, 170) if edge else (66, 133, 230), 255)
    s = size / 32.0
    c.line(9 * s, 17 * s, 14 * s, 22 * s, WHITE, max(1, int(3 * s)))
    c.line(14 * s, 22 * s, 23 * s, 10 * s, WHITE, max(1, int(3 * s)))
    return c


# --- file writers ---------------------------------------------------------------
def write_bmp(path, cv):
    row = (cv.w * 3 + 3) & ~3
    data = bytearray()
    for y in range(cv.h - 1, -1, -1):
        line = bytearray()
        for x in range(cv.w):
            r, g, b = cv.px[y][x]
            line += bytes((b, g, r))
        line += b'\0' * (row - len(line))
        data += line
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, cv.w, cv.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def write_bmp32(path, cv):
    """A bottom-up 32-bit BMP; fully transparent pixels are stored as 0 (premultiplied)."""
    data = bytearray()
    for y in range(cv.h - 1, -1, -1):
        for x in range(cv.w):
            r, g, b = cv.px[y][x]
            a = cv.alpha[y][x]
            if a == 0:
                data += bytes((0, 0, 0, 0))
            else:
                data += bytes((b, g, r, a))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, cv.w, cv.h, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def test_row():
    """A sheet with a green run arrow on a transparent ground."""
    c = Canvas(16, 16)
    for y in range(16):
        for x in range(16):
            c.alpha[y][x] = 0
    c.rect(2, 1, 12, 15, (250, 250, 250))
    c.frame(2, 1, 12, 15, (110, 110, 110))
    for y in (4, 6, 8):
        c.line(4, y, 9, y, (150, 150, 150))
    c.polygon([(7, 8), (14, 11), (7, 15)], (40, 170, 60), (20, 110, 35))
    return c


def ico_image(cv):
    xor = bytearray()
    for y in range(cv.h - 1, -1, -1):
        for x in range(cv.w):
            r, g, b = cv.px[y][x]
            xor += bytes((b, g, r, cv.alpha[y][x]))
    mask_row = ((cv.w + 31) // 32) * 4
    mask = bytearray()
    for y in range(cv.h - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(cv.w):
            if cv.alpha[y][x] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack('<IiiHHIIiiII', 40, cv.w, cv.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def write_ico(path, canvases):
    images = [ico_image(cv) for cv in canvases]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for cv, im in zip(canvases, images):
        out += struct.pack('<BBBBHHII', cv.w % 256, cv.h % 256, 0, 0, 1, 32, len(im), offset)
        offset += len(im)
    for im in images:
        out += im
    with open(path, 'wb') as f:
        f.write(out)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, 'tree.bmp'), tree_images())
    for state in ('normal', 'disabled', 'hot'):
        write_bmp(os.path.join(out, 'toolbar_%s.bmp' % state), toolbar_strip(state))
    write_bmp(os.path.join(out, 'banner.bmp'), banner())
    write_bmp32(os.path.join(out, 'test_row.bmp'), test_row())
    write_ico(os.path.join(out, 'quorvex.ico'), [icon(16), icon(32)])


if __name__ == '__main__':
    main()
