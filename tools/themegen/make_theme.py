#!/usr/bin/env python3
"""Writes the toolkit's theme resources: four colour tables, their PNG images, the cursors and
the command bars' bitmap of window buttons.

    make_theme.py OUTDIR [--table theme_table.txt]

Everything comes from theme_table.txt (next to this script): every image the painters load, with
its cell count, cell size, sizing margins and whether it is drawn keyed (magenta transparent) or
with its own alpha, and every (section, key) they read. OUTDIR receives:

    Office2007<Theme>.ini            colour tables (CRLF after every line), one per theme
    <theme>/<IMAGE>.png              the images of each theme (IHDR, IDAT and IEND only)
    cursor<ID>.cur                   cursors 9308, 9309, 9310, 9970, 9971, 9972, 9973
    mdi_buttons.bmp                  bitmap 9102: restore, minimise, maximise and close glyphs,
                                     16 x 16 each, black on a magenta key (24 bits per pixel)
    XTPThemeResources.gen.rc         resource statements naming all of the above (absolute paths)

The output depends on nothing but the table and this script: no time stamps, fixed order, fixed
compression. The script stops with an error on an image over 512 pixels, on a table entry it has
no drawing for, on a name or key missing from the output, and on two keys of one table whose
HashIniKey agree (the store keeps only one of them).
"""
import colorsys
import os
import struct
import sys
import zlib

MAX_IMAGE = 512
MAGENTA = (255, 0, 255)
CONTEXT_WORDS = ["BLUE", "YELLOW", "GREEN", "RED", "PURPLE", "CYAN", "ORANGE"]

# One palette per theme: the hue the neutral colours take, how saturated they become and how
# their lightness is scaled. Silver keeps the table's own values.
THEMES = [
    # (resource name, ini file name, folder, hue, saturation, lightness scale)
    ("OFFICE2007BLUE_INI", "Office2007Blue.ini", "Blue", 0.59, 0.45, 1.00),
    ("OFFICE2007SILVER_INI", "Office2007Silver.ini", "Silver", None, None, 1.00),
    ("OFFICE2007AQUA_INI", "Office2007Aqua.ini", "Aqua", 0.52, 0.35, 1.00),
    ("OFFICE2007BLACK_INI", "Office2007Black.ini", "Black", 0.60, 0.04, 0.82),
]

CURSORS = [9308, 9309, 9310, 9970, 9971, 9972, 9973]
MDI_BUTTONS_BITMAP = 9102


class ThemeError(Exception):
    pass


# --------------------------------------------------------------------------------------------
# The table


def parse_table(path):
    images, omitted, keys = [], [], []
    with open(path, "r", encoding="ascii") as f:
        for number, raw in enumerate(f, 1):
            line = raw.split("#", 1)[0].strip()
            if not line:
                continue
            fields = line.split()
            where = "%s:%d" % (os.path.basename(path), number)
            if fields[0] == "image" and len(fields) == 8:
                name, cells, cw, ch = fields[1], int(fields[2]), int(fields[3]), int(fields[4])
                margins = tuple(int(v) for v in fields[5].split(","))
                if len(margins) != 4 or fields[6] not in ("keyed", "alpha") or cells < 1:
                    raise ThemeError("%s: bad image entry" % where)
                images.append({"name": name, "cells": cells, "cw": cw, "ch": ch,
                               "margins": margins, "keyed": fields[6] == "keyed",
                               "style": fields[7]})
            elif fields[0] == "omit" and len(fields) == 2:
                omitted.append(fields[1])
            elif fields[0] == "key" and len(fields) == 6:
                section, key, kind, value, tables = fields[1:]
                if kind not in ("colour", "int", "rect") or tables not in ("all", "black", "not-aqua", "none"):
                    raise ThemeError("%s: bad key entry" % where)
                keys.append({"section": section, "key": key, "kind": kind, "value": value,
                             "tables": tables})
            else:
                raise ThemeError("%s: cannot read '%s'" % (where, line))
    for name in [i["name"] for i in images] + omitted:
        if not name.isalnum() or not name.isascii():
            raise ThemeError("image name %s: letters and digits only (it becomes a resource name)" % name)
    names = [i["name"].upper() for i in images] + [o.upper() for o in omitted]
    if len(set(names)) != len(names):
        raise ThemeError("an image name is listed twice")
    return images, omitted, keys


def hash_ini_key(section, key):
    """The store's key: h = h * 33 + upper-cased character, over section then key, 32 bits."""
    h = 0
    for ch in section + key:
        h = (h * 33 + ord(ch.upper())) & 0xFFFFFFFF
    return h


def key_in_table(entry, theme_folder):
    rule = entry["tables"]
    if rule == "all":
        return True
    if rule == "black":
        return theme_folder == "Black"
    if rule == "not-aqua":
        return theme_folder != "Aqua"
    return False


# --------------------------------------------------------------------------------------------
# Colours


def tint(rgb, theme):
    """A silver colour in the theme's palette: neutral colours take the theme's hue."""
    _, _, _, hue, sat, scale = theme
    if hue is None:
        return rgb
    r, g, b = (c / 255.0 for c in rgb)
    h, l, s = colorsys.rgb_to_hls(r, g, b)
    if max(rgb) - min(rgb) <= 60 and 0.02 < l < 0.98:
        h, s = hue, sat
        l = l * scale
    r, g, b = colorsys.hls_to_rgb(h, l, s)
    return tuple(int(round(c * 255)) for c in (r, g, b))


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


class Palette:
    def __init__(self, theme, values):
        def pick(section, key):
            return tint(values[(section, key)], theme)

        self.face_light = pick("Toolbar", "ToolbarFaceLight")
        self.face_dark = pick("Toolbar", "ToolbarFaceDark")
        self.face = pick("Toolbar", "ToolbarFace")
        self.border = pick("Toolbar", "ToolbarFaceShadow")
        self.text = pick("Ribbon", "RibbonText")
        self.frame = pick("Window", "WindowFrame")
        self.caption_light = pick("Window", "BorderActive1")
        self.caption_dark = pick("Window", "BorderActive3")
        self.ribbon = pick("Ribbon", "RibbonFace")
        # Per cell of a state image: normal, hot, pressed, checked, checked hot, disabled ...
        self.states = [
            (self.face_light, self.face, self.border),
            (values[("Window", "HighlightSelectedLight")], values[("Window", "HighlightSelectedDark")],
             values[("Window", "HighlightSelectedBorder")]),
            (values[("Window", "HighlightPressedLight")], values[("Window", "HighlightPressedDark")],
             values[("Window", "HighlightPressedBorder")]),
            (values[("Window", "HighlightCheckedLight")], values[("Window", "HighlightCheckedDark")],
             values[("Window", "HighlightCheckedBorder")]),
            (mix(values[("Window", "HighlightCheckedLight")], (255, 255, 255), 0.4),
             values[("Window", "HighlightChecked")], values[("Window", "HighlightPressed")]),
            ((236, 236, 236), (214, 214, 214), (170, 170, 170)),
        ]

    def state(self, cell):
        return self.states[cell % len(self.states)]


# --------------------------------------------------------------------------------------------
# Drawing


class Canvas:
    def __init__(self, w, h, keyed):
        self.w, self.h, self.keyed = w, h, keyed
        empty = MAGENTA + (255,) if keyed else (0, 0, 0, 0)
        self.px = [[empty] * w for _ in range(h)]

    def set(self, x, y, rgb, a=255):
        if 0 <= x < self.w and 0 <= y < self.h:
            if self.keyed:
                a = 255
                if rgb == MAGENTA:
                    rgb = (254, 0, 254)  # drawn pixels never match the key
            self.px[y][x] = tuple(rgb) + (a,)

    def fill(self, x0, y0, x1, y1, rgb, a=255):
        for y in range(max(y0, 0), min(y1, self.h)):
            for x in range(max(x0, 0), min(x1, self.w)):
                self.set(x, y, rgb, a)

    def vgrad(self, x0, y0, x1, y1, top, bottom, a=255):
        span = max(y1 - y0 - 1, 1)
        for y in range(y0, y1):
            self.fill(x0, y, x1, y + 1, mix(top, bottom, (y - y0) / span), a)

    def hgrad(self, x0, y0, x1, y1, left, right, a=255):
        span = max(x1 - x0 - 1, 1)
        for x in range(x0, x1):
            self.fill(x, y0, x + 1, y1, mix(left, right, (x - x0) / span), a)

    def outline(self, x0, y0, x1, y1, rgb, round_corners=True, a=255):
        for x in range(x0, x1):
            if round_corners and x in (x0, x1 - 1):
                continue
            self.set(x, y0, rgb, a)
            self.set(x, y1 - 1, rgb, a)
        for y in range(y0, y1):
            if round_corners and y in (y0, y1 - 1):
                continue
            self.set(x0, y, rgb, a)
            self.set(x1 - 1, y, rgb, a)

    def png(self):
        # Keyed images are plain RGB (no alpha: the draws then honour the key colour); the
        # others carry straight alpha.
        raw = bytearray()
        for row in self.px:
            raw.append(0)
            for r, g, b, a in row:
                raw += bytes((r, g, b)) if self.keyed else bytes((r, g, b, a))
        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
        header = struct.pack(">IIBBBBB", self.w, self.h, 8, 2 if self.keyed else 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def draw_face(c, x, y, w, h, cell, pal):
    light, dark, border = pal.state(cell)
    c.vgrad(x + 1, y + 1, x + w - 1, y + h - 1, light, dark)
    c.outline(x, y, x + w, y + h, border)


def draw_frame(c, x, y, w, h, cell, pal):
    _, _, border = pal.state(cell)
    c.outline(x, y, x + w, y + h, border)
    c.outline(x + 1, y + 1, x + w - 1, y + h - 1, (255, 255, 255), round_corners=False, a=160)


def draw_band(c, x, y, w, h, cell, pal):
    top, bottom = (pal.face_light, pal.face) if cell == 0 else (pal.face, pal.face_dark)
    c.vgrad(x, y, x + w, y + h, top, bottom)


def draw_bandv(c, x, y, w, h, cell, pal):
    left, right = (pal.face_light, pal.face) if cell == 0 else (pal.face, pal.face_dark)
    c.hgrad(x, y, x + w, y + h, left, right)


def draw_popup(c, x, y, w, h, cell, pal):
    c.fill(x + 1, y + 1, x + w - 1, y + h - 1, (250, 250, 250))
    c.outline(x, y, x + w, y + h, pal.border)


def draw_line(c, x, y, w, h, cell, pal):
    c.vgrad(x, y, x + w, y + h, pal.face_dark, pal.border)
    if w > 1:
        c.fill(x + w - 1, y, x + w, y + h, (255, 255, 255), 200)


def draw_dots(c, x, y, w, h, cell, pal):
    for dy in range(1, h - 1, 3):
        for dx in range(1, w - 1, 3):
            c.fill(x + dx + 1, y + dy + 1, x + dx + 3, y + dy + 3, (255, 255, 255))
            c.fill(x + dx, y + dy, x + dx + 2, y + dy + 2, pal.border)


def draw_caption(c, x, y, w, h, cell, pal):
    top, bottom = (pal.caption_light, pal.caption_dark)
    if cell == 1:
        top, bottom = mix(top, (255, 255, 255), 0.5), mix(bottom, (255, 255, 255), 0.5)
    c.vgrad(x, y, x + w, y + h, top, bottom)
    c.fill(x, y, x + w, y + 1, pal.frame)


def draw_tab(c, x, y, w, h, cell, pal):
    light, dark, border = pal.state(cell)
    c.vgrad(x + 1, y + 1, x + w - 1, y + h, light, mix(dark, (255, 255, 255), 0.5))
    c.outline(x, y, x + w, y + h + 1, border)


def draw_orb(c, x, y, w, h, cell, pal):
    light, dark, border = pal.state(cell)
    cx, cy, r = x + w / 2.0, y + h / 2.0, min(w, h) / 2.0 - 0.5
    for py in range(y, y + h):
        for px_ in range(x, x + w):
            d = ((px_ + 0.5 - cx) ** 2 + (py + 0.5 - cy) ** 2) ** 0.5
            if d <= r - 1:
                c.set(px_, py, mix(light, dark, (py - y) / max(h - 1, 1)))
            elif d <= r:
                c.set(px_, py, border)


def draw_chunk(c, x, y, w, h, cell, pal):
    body = (82, 186, 72)
    c.vgrad(x, y, x + w - 4, y + h, mix(body, (255, 255, 255), 0.5), body)
    c.hgrad(x + w - 4, y, x + w, y + h, body, mix(body, (255, 255, 255), 0.7))


def glyph_colour(cell, cells, pal):
    # The last cell of a glyph strip (or every fourth in a 16-cell strip) is the disabled look.
    if cells >= 16 and cell % 4 == 3:
        return (167, 167, 167)
    if cells in (2, 4) and cell % 2 == 1:
        return (167, 167, 167)
    return pal.text


def triangle(c, x, y, w, h, direction, rgb):
    """A filled arrow head pointing in direction ('up', 'down', 'left', 'right')."""
    for i in range(max(w, h)):
        for j in range(max(w, h)):
            if direction in ("up", "down"):
                row = j if direction == "down" else (h - 1 - j)
                half = (w - 1) / 2.0
                if row < h and abs(i - half) <= half - row * (half / max(h - 1, 1)) + 0.01 and i < w:
                    c.set(x + i, y + j, rgb)
            else:
                col = i if direction == "right" else (w - 1 - i)
                half = (h - 1) / 2.0
                if col < w and j < h and abs(j - half) <= half - col * (half / max(w - 1, 1)) + 0.01:
                    c.set(x + i, y + j, rgb)


def make_arrow(direction):
    def draw(c, x, y, w, h, cell, pal):
        triangle(c, x, y, w, h, direction, glyph_colour(cell, c.cells, pal))
    return draw


def draw_arrows(c, x, y, w, h, cell, pal):
    # 16 cells: up, down, left, right, four looks each (normal, active, hot, disabled).
    direction = ("up", "down", "left", "right")[cell // 4]
    triangle(c, x + 2, y + 2, w - 4, h - 4, direction, glyph_colour(cell, 16, pal))


CHECK_POINTS = [(1, 5), (2, 6), (3, 7), (4, 6), (5, 5), (6, 4), (7, 3), (8, 2)]


def draw_check(c, x, y, w, h, cell, pal):
    rgb = glyph_colour(cell, c.cells, pal)
    if cell >= 2:  # cells 2 and 3 are the radio marks
        c.fill(x + w // 2 - 2, y + h // 2 - 2, x + w // 2 + 2, y + h // 2 + 2, rgb)
        return
    for px_, py in CHECK_POINTS:
        c.fill(x + px_, y + py, x + px_ + 1, y + py + 2, rgb)


def draw_checkbox(c, x, y, w, h, cell, pal):
    base = cell % 4
    draw_face(c, x, y, w, h, (0, 1, 2, 5)[base], pal)
    mark = (167, 167, 167) if base == 3 else pal.text
    if 4 <= cell < 8:
        for px_, py in CHECK_POINTS:
            c.fill(x + px_ + 2, y + py + 1, x + px_ + 3, y + py + 3, mark)
    elif cell >= 8:
        c.fill(x + 4, y + 4, x + w - 4, y + h - 4, mark)


def draw_radio(c, x, y, w, h, cell, pal):
    base = cell % 4
    draw_orb(c, x, y, w, h, (0, 1, 2, 5)[base], pal)
    if cell >= 4:
        mark = (167, 167, 167) if base == 3 else pal.text
        c.fill(x + 5, y + 5, x + 8, y + 8, mark)


def draw_caption_glyph(kind):
    def draw(c, x, y, w, h, cell, pal):
        rgb = (140, 140, 140) if cell == 3 else ((255, 255, 255) if cell == 2 else pal.text)
        s = max(w // 3, 3)
        x0, y0, x1, y1 = x + s, y + s, x + w - s, y + h - s
        if kind == "close":
            for i in range(x1 - x0):
                c.fill(x0 + i, y0 + i, x0 + i + 2, y0 + i + 1, rgb)
                c.fill(x1 - i - 2, y0 + i, x1 - i, y0 + i + 1, rgb)
        elif kind == "minimize":
            c.fill(x0, y1 - 2, x1, y1, rgb)
        elif kind == "maximize":
            c.outline(x0, y0, x1, y1, rgb, round_corners=False)
            c.fill(x0, y0, x1, y0 + 2, rgb)
        else:
            c.outline(x0 + 2, y0, x1, y1 - 2, rgb, round_corners=False)
            c.fill(x0, y0 + 2, x1 - 2, y1, rgb)
            c.fill(x0 + 1, y0 + 4, x1 - 3, y1 - 1, MAGENTA if c.keyed else (0, 0, 0))
            c.outline(x0, y0 + 2, x1 - 2, y1, rgb, round_corners=False)
    return draw


STYLES = {
    "face": draw_face, "frame": draw_frame, "band": draw_band, "bandv": draw_bandv,
    "popup": draw_popup, "line": draw_line, "dots": draw_dots, "caption": draw_caption,
    "tab": draw_tab, "orb": draw_orb, "chunk": draw_chunk, "arrows": draw_arrows,
    "check": draw_check, "checkbox": draw_checkbox, "radio": draw_radio,
    "up": make_arrow("up"), "down": make_arrow("down"), "left": make_arrow("left"),
    "right": make_arrow("right"),
    "close": draw_caption_glyph("close"), "minimize": draw_caption_glyph("minimize"),
    "maximize": draw_caption_glyph("maximize"), "restore": draw_caption_glyph("restore"),
}


def draw_image(entry, pal):
    w, h = entry["cw"], entry["ch"] * entry["cells"]
    if w > MAX_IMAGE or h > MAX_IMAGE or w < 1 or h < 1:
        raise ThemeError("image %s is %d x %d (at most %d x %d)" % (entry["name"], w, h, MAX_IMAGE, MAX_IMAGE))
    l, t, r, b = entry["margins"]
    if t + b > entry["ch"] or l + r > w:
        raise ThemeError("image %s: margins larger than a cell" % entry["name"])
    style = STYLES.get(entry["style"])
    if style is None:
        raise ThemeError("image %s: no drawing for style '%s'" % (entry["name"], entry["style"]))
    canvas = Canvas(w, h, entry["keyed"])
    canvas.cells = entry["cells"]
    for cell in range(entry["cells"]):
        style(canvas, 0, cell * entry["ch"], w, entry["ch"], cell, pal)
    return canvas.png()


# --------------------------------------------------------------------------------------------
# Cursors


def make_cursor(ident):
    """A 32 x 32 cursor (32-bit colour and a 1-bit mask) with a shape per identifier."""
    size = 32
    img = [[None] * size for _ in range(size)]

    def put(x, y, rgb):
        if 0 <= x < size and 0 <= y < size:
            img[y][x] = rgb

    black, white = (0, 0, 0), (255, 255, 255)
    hot = (16, 16)
    if ident == 9973:  # hand
        hot = (8, 2)
        for y in range(2, 22):
            for x in range(6, 11):
                put(x, y, white if 7 <= x <= 9 else black)
        for y in range(12, 28):
            for x in range(6, 22):
                put(x, y, black if x in (6, 21) or y in (12, 27) else white)
    elif ident in (9970, 9971):  # splitters: horizontal and vertical double arrows
        for i in range(4, 28):
            for d in (-1, 0, 1):
                if ident == 9970:
                    put(i, 16 + d, black if d else white)
                else:
                    put(16 + d, i, black if d else white)
        for k in range(5):
            for d in range(-k, k + 1):
                if ident == 9970:
                    put(4 + k, 16 + d, black)
                    put(27 - k, 16 + d, black)
                else:
                    put(16 + d, 4 + k, black)
                    put(16 + d, 27 - k, black)
    elif ident == 9972:  # resizing a control's width: a bar between a left and a right arrow
        for y in range(6, 26):
            for d in (-1, 0, 1):
                put(16 + d, y, black if d else white)
        for x in range(5, 28):
            if x < 15 or x > 17:
                put(x, 15, black)
                put(x, 16, white)
                put(x, 17, black)
        for k in range(5):
            for d in range(-k, k + 1):
                put(5 + k, 16 + d, black)
                put(27 - k, 16 + d, black)
    else:  # 9308, 9309, 9310: a pointer with a mark that tells them apart
        hot = (1, 1)
        for y in range(1, 20):
            for x in range(1, y + 1):
                if x <= 12:
                    put(x, y, black if x in (1, y) or y == 19 else white)
        mark = {9308: (20, 20, 30, 30), 9309: (18, 22, 30, 26), 9310: (22, 18, 26, 30)}[ident]
        for y in range(mark[1], mark[3]):
            for x in range(mark[0], mark[2]):
                put(x, y, black)
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            rgb = img[y][x] or (0, 0, 0)
            xor += bytes((rgb[2], rgb[1], rgb[0], 255 if img[y][x] else 0))
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (0 if img[y][x] else 1)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    body = header + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, hot[0], hot[1], len(body), 22)
    return directory + body


# --------------------------------------------------------------------------------------------
# Colour tables


def format_value(entry, theme):
    if entry["kind"] == "colour":
        rgb = tuple(int(v) for v in entry["value"].split(","))
        return "%d %d %d" % tint(rgb, theme)
    if entry["kind"] == "rect":
        return " ".join(entry["value"].split(","))
    return entry["value"]


def image_file_value(theme, name):
    # The theme's folder name and the image name, nothing between: a resource name with "_"
    # (what "." and "\\" become) can sort out of place among names that have a letter there
    # when the linker merges resource sections, and the loader's search then misses it.
    return "%s%s" % (theme[2], name)


def resource_name(value):
    return value.replace(".", "_").replace("\\", "_").upper()


def make_ini(theme, images, keys):
    sections = []
    by_section = {}
    for entry in keys:
        if not key_in_table(entry, theme[2]):
            continue
        if entry["section"] not in by_section:
            by_section[entry["section"]] = []
            sections.append(entry["section"])
        by_section[entry["section"]].append((entry["key"], format_value(entry, theme)))
    by_section["Images"] = [(i["name"], image_file_value(theme, i["name"])) for i in images]
    sections.append("Images")

    seen = {}
    lines = ["; Theme colour table %s, written by tools/themegen/make_theme.py" % theme[1]]
    for section in sections:
        lines.append("")
        lines.append("[%s]" % section)
        for key, value in by_section[section]:
            h = hash_ini_key(section, key)
            if h in seen and seen[h] != (section.upper(), key.upper()):
                raise ThemeError("%s: [%s] %s and [%s] %s have one key hash" %
                                 (theme[1], section, key, seen[h][0], seen[h][1]))
            seen[h] = (section.upper(), key.upper())
            lines.append("%s=%s" % (key, value))
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def check_ini(text, theme, images, keys):
    """Reads the written table back: every key the rules put in is there, no other."""
    present, section = set(), None
    for line in text.decode("ascii").split("\r\n"):
        if line.startswith("["):
            section = line[1:-1]
        elif "=" in line and not line.startswith(";"):
            present.add((section, line.split("=", 1)[0]))
    for entry in keys:
        wanted = key_in_table(entry, theme[2])
        if wanted != ((entry["section"], entry["key"]) in present):
            raise ThemeError("%s: [%s] %s %s" % (theme[1], entry["section"], entry["key"],
                                                   "missing" if wanted else "must not be there"))
    for image in images:
        if ("Images", image["name"]) not in present:
            raise ThemeError("%s: image %s missing from [Images]" % (theme[1], image["name"]))


# --------------------------------------------------------------------------------------------


def make_mdi_buttons():
    """Bitmap 9102: four 16 x 16 glyphs (restore, minimise, maximise, close) in one strip, black on
    magenta; the top-left pixel is the key the image manager masks with."""
    w, h = 64, 16
    key, ink = (255, 0, 255), (0, 0, 0)
    px = [[key] * w for _ in range(h)]

    def put(x, y):
        px[y][x] = ink

    def frame(x0, y0, x1, y1, top=2):
        for x in range(x0, x1 + 1):
            for t in range(top):
                put(x, y0 + t)
            put(x, y1)
        for y in range(y0, y1 + 1):
            put(x0, y)
            put(x1, y)

    # Restore: two overlapping windows.
    frame(6, 3, 12, 8)
    for x in range(3, 10):
        for y in range(6, 13):
            px[y][x] = key
    frame(3, 6, 9, 12)
    # Minimise: a bar at the bottom.
    for x in range(16 + 4, 16 + 10):
        put(x, 11)
        put(x, 12)
    # Maximise: one window.
    frame(32 + 3, 3, 32 + 12, 12)
    # Close: an X, two pixels wide.
    for i in range(8):
        for d in (0, 1):
            put(48 + 4 + i + d, 4 + i)
            put(48 + 11 - i + d, 4 + i)

    row = w * 3
    pad = (4 - row % 4) % 4
    pixels = b"".join(b"".join(bytes((b, g, r)) for (r, g, b) in px[y]) + b"\0" * pad for y in reversed(range(h)))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = b"BM" + struct.pack("<IHHI", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    return head + header + pixels


def write_if_changed(path, data):
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except OSError:
        pass
    with open(path, "wb") as f:
        f.write(data)


def rc_path(out, name):
    """The file's absolute path as the resource compiler reads it (forward slashes)."""
    return os.path.abspath(os.path.join(out, name)).replace("\\", "/")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    args = list(argv[1:])
    table = os.path.join(here, "theme_table.txt")
    if "--table" in args:
        i = args.index("--table")
        table = args[i + 1]
        del args[i:i + 2]
    if len(args) != 1:
        sys.stderr.write(__doc__)
        return 2
    out = args[0]
    os.makedirs(out, exist_ok=True)
    images, omitted, keys = parse_table(table)
    silver = {(k["section"], k["key"]): tuple(int(v) for v in k["value"].split(","))
              for k in keys if k["kind"] == "colour" and k["tables"] != "none"}

    rc = ["// Theme resources of the toolkit, written by tools/themegen/make_theme.py.", ""]
    for theme in THEMES:
        ini = make_ini(theme, images, keys)
        check_ini(ini, theme, images, keys)
        write_if_changed(os.path.join(out, theme[1]), ini)
        rc.append('%s TEXTFILE "%s"' % (theme[0], rc_path(out, theme[1])))
    for theme in THEMES:
        pal = Palette(theme, silver)
        folder = os.path.join(out, theme[2])
        os.makedirs(folder, exist_ok=True)
        rc.append("")
        for image in images:
            data = draw_image(image, pal)
            write_if_changed(os.path.join(folder, image["name"] + ".png"), data)
            rc.append('%s PNG "%s"' % (resource_name(image_file_value(theme, image["name"])),
                                       rc_path(out, "%s/%s.png" % (theme[2], image["name"]))))
    rc.append("")
    for ident in CURSORS:
        name = "cursor%d.cur" % ident
        write_if_changed(os.path.join(out, name), make_cursor(ident))
        rc.append('%d CURSOR "%s"' % (ident, rc_path(out, name)))
    rc.append("")
    write_if_changed(os.path.join(out, "mdi_buttons.bmp"), make_mdi_buttons())
    rc.append('%d BITMAP "%s"' % (MDI_BUTTONS_BITMAP, rc_path(out, "mdi_buttons.bmp")))
    write_if_changed(os.path.join(out, "XTPThemeResources.gen.rc"), ("\n".join(rc) + "\n").encode("ascii"))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except ThemeError as e:
        sys.stderr.write("make_theme.py: %s\n" % e)
        sys.exit(1)
