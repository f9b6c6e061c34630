#!/usr/bin/env python3
"""Writes the small image files the toolkit's image tests load, deterministically.

    make_test_images.py OUTDIR

Every file is built here from fixed pixel values (standard library only), so a test can
check exact bytes. Top and bottom rows always differ, which catches a flipped row order.
"""
import os
import struct
import sys
import zlib


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width, height, bit_depth, colour_type, rows, extra=b"", pre_idat=b""):
    """rows: list of raw scanline bytes (without the filter byte)."""
    ihdr = struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0)
    raw = b"".join(b"\x00" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + pre_idat + extra
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def rgba_rows(pixels):
    return [b"".join(bytes(p) for p in row) for row in pixels]


# RGBA, 2 x 3, straight alpha.
RGBA_2X3 = [
    [(255, 0, 0, 255), (0, 255, 0, 128)],
    [(0, 0, 255, 64), (10, 20, 30, 0)],
    [(200, 100, 50, 255), (1, 2, 3, 4)],
]


def bmp_file(width, height, bpp, rows_top_down):
    """A BMP file (bottom-up); rows_top_down hold (b, g, r[, a]) tuples."""
    stride = ((width * bpp + 31) // 32) * 4
    data = b""
    for row in reversed(rows_top_down):
        line = b"".join(bytes(p[: bpp // 8]) for p in row)
        data += line + b"\x00" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    return header + info + data


def icon_image(size, pixels_top_down, and_top_down, bpp=32):
    """The DIB of one icon image: header (height doubled), XOR pixels, AND mask, bottom-up."""
    stride = ((size * bpp + 31) // 32) * 4
    xor = b""
    for row in reversed(pixels_top_down):
        line = b"".join(bytes(p[: bpp // 8]) for p in row)
        xor += line + b"\x00" * (stride - len(line))
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(and_top_down):
        bits = 0
        line = bytearray(mask_stride)
        for x, bit in enumerate(row):
            if bit:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def ico_file(images, kind=1):
    """images: list of (width, height, bpp, data)."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for w, h, bpp, data in images:
        out += struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, 0, 0, 1, bpp, len(data), offset + len(body))
        body += data
    return out + body


def alpha_icon_pixels(size):
    """32-bit icon pixels (b, g, r, a): top-left (30, 20, 10, 128), rest of the top row opaque red,
    bottom row opaque blue, the middle half-transparent green."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if y == 0:
                row.append((30, 20, 10, 128) if x == 0 else (0, 0, 255, 255))
            elif y == size - 1:
                row.append((255, 0, 0, 255))
            else:
                row.append((0, 128, 0, 128))
        rows.append(row)
    return rows


def colour_icon_pixels(size):
    """24-bit icon pixels: top row red, bottom row blue, the rest green."""
    rows = []
    for y in range(size):
        colour = (0, 0, 255) if y == 0 else (255, 0, 0) if y == size - 1 else (0, 255, 0)
        rows.append([colour] * size)
    return rows


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {}

    files["rgba_2x3.png"] = png(2, 3, 8, 6, rgba_rows(RGBA_2X3))
    files["rgb_2x2.png"] = png(2, 2, 8, 2, [bytes([255, 0, 0, 0, 255, 0]), bytes([0, 0, 255, 9, 8, 7])])
    files["palette_trns.png"] = png(
        2, 2, 8, 3, [bytes([0, 1]), bytes([1, 0])],
        pre_idat=chunk(b"PLTE", bytes([255, 0, 0, 0, 0, 255])) + chunk(b"tRNS", bytes([128])))
    files["grey16.png"] = png(2, 2, 16, 0, [bytes([0xAB, 0xCD, 0x01, 0x02]), bytes([0x40, 0x00, 0xFF, 0xFF])])
    files["bkgd.png"] = png(
        2, 2, 8, 6, rgba_rows([[(255, 0, 0, 0), (0, 0, 255, 255)], [(0, 0, 255, 255), (255, 0, 0, 0)]]),
        pre_idat=chunk(b"bKGD", struct.pack(">HHH", 0, 255, 0)))
    files["gama.png"] = png(1, 2, 8, 2, [bytes([64, 128, 255]), bytes([0, 0, 0])],
                            pre_idat=chunk(b"gAMA", struct.pack(">I", 100000)))
    # A header that claims 100000 x 100000 pixels, with one empty data chunk.
    files["huge.png"] = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 100000, 100000, 8, 6, 0, 0, 0))
                         + chunk(b"IDAT", zlib.compress(b"", 9)) + chunk(b"IEND", b""))
    files["short9.png"] = files["rgba_2x3.png"][:9]

    # An RGBA PNG of 16 x 16 for a PNG-compressed .ico entry and a PNG icon strip of 2 x 16 x 16.
    icon_rgba = [[(255, 0, 0, 255) if y == 0 else (0, 0, 255, 200) for x in range(16)] for y in range(16)]
    files["icon16_rgba.png"] = png(16, 16, 8, 6, rgba_rows(icon_rgba))
    strip = [[(0, 255, 0, 255) if x < 16 else (0, 0, 255, 128) for x in range(32)] for y in range(16)]
    strip[15] = [(255, 255, 255, 255)] * 32
    files["strip_2x16.png"] = png(32, 16, 8, 6, rgba_rows(strip))

    # Bitmaps: 2 x 2, top row and bottom row differ.
    files["bmp32_2x2.bmp"] = bmp_file(2, 2, 32, [[(0, 0, 255, 255), (0, 255, 0, 128)],
                                                 [(255, 0, 0, 64), (30, 20, 10, 0)]])
    files["bmp24_2x2.bmp"] = bmp_file(2, 2, 24, [[(0, 0, 255), (0, 255, 0)], [(255, 0, 0), (30, 20, 10)]])
    # A toolbar strip of three 16 x 15 buttons: red, green, blue; magenta background at the top-left.
    toolbar_rows = []
    for y in range(15):
        row = []
        for x in range(48):
            colour = [(0, 0, 255), (0, 255, 0), (255, 0, 0)][x // 16]
            row.append((255, 0, 255) if (x % 16 == 0 and y == 0) else colour)
        toolbar_rows.append(row)
    files["toolbar.bmp"] = bmp_file(48, 15, 24, toolbar_rows)
    # Toolbar resource: version 1, 16 x 15 buttons, items 100, separator, 101, 102.
    files["toolbar.bin"] = struct.pack("<HHHH", 1, 16, 15, 4) + struct.pack("<HHHH", 100, 0, 101, 102)

    # Icons. The 32-bit images have an AND mask that marks every pixel transparent: it must be ignored.
    full_mask16 = [[1] * 16 for _ in range(16)]
    full_mask32 = [[1] * 32 for _ in range(32)]
    alpha16 = icon_image(16, alpha_icon_pixels(16), full_mask16)
    alpha32 = icon_image(32, alpha_icon_pixels(32), full_mask32)
    files["alpha.ico"] = ico_file([(16, 16, 32, alpha16), (32, 32, 32, alpha32)])
    files["cursor.ico"] = ico_file([(16, 16, 32, alpha16)], kind=2)
    # A 24-bit icon: opaque except its top-left pixel.
    mask = [[0] * 16 for _ in range(16)]
    mask[0][0] = 1
    colour = colour_icon_pixels(16)
    colour[0][0] = (0, 0, 0)  # black under the transparent pixel: the background shows unchanged
    files["colour24.ico"] = ico_file([(16, 16, 24, icon_image(16, colour, mask, bpp=24))])
    files["png_entry.ico"] = ico_file([(16, 16, 32, files["icon16_rgba.png"])])
    # A small .ico for the mutation runs: a 4 x 4 32-bit image and an 8 x 8 24-bit one.
    mask8 = [[0] * 8 for _ in range(8)]
    files["small.ico"] = ico_file([(4, 4, 32, icon_image(4, alpha_icon_pixels(4), [[1] * 4 for _ in range(4)])),
                                   (8, 8, 24, icon_image(8, colour_icon_pixels(8), mask8, bpp=24))])

    for name, data in files.items():
        path = os.path.join(out, name)
        try:
            with open(path, "rb") as f:
                if f.read() == data:
                    continue
        except OSError:
            pass
        with open(path, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
