#!/usr/bin/env python3
"""Golden colour tables of the toolkit's colour manager, computed independently of the C++ code.

Each scenario gives the system colours 1 to 29, the detected style and whether the display has
256 colours or fewer; the script runs the refresh rules (system colours, plain defaults, style
table, blends, contrast corrections, derived entries, gradients 1 to 7) and writes
ColorGolden.inc, which the colour tests include. Run it after changing a rule or a scenario:

    python3 tests/toolkit/common/golden/colour_tables.py > tests/toolkit/common/golden/ColorGolden.inc
"""
import math


def rgb(r, g, b):
    return r | (g << 8) | (b << 16)


def channels(c):
    return c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF


# The weighted space: red, green and blue scaled to 195, 390 and 65.
RANGES = (195.0, 390.0, 65.0)


def weighted(c):
    return [ch * rng / 255.0 for ch, rng in zip(channels(c), RANGES)]


def unweighted(w):
    out = []
    for v, rng in zip(w, RANGES):
        v = min(max(v, 0.0), rng)
        n = int(v * 255.0 / rng + 0.5)
        out.append(min(max(n, 0), 255))
    return rgb(*out)


def dist2(a, b):
    wa, wb = weighted(a), weighted(b)
    return sum((x - y) * (x - y) for x, y in zip(wa, wb))


def dist(a, b):
    return math.sqrt(dist2(a, b))


def scale_threshold(length, threshold):
    length, threshold = int(length), int(threshold)
    return (2.0 - min(length, 220) / 220.0) * threshold


def distance_above(a, b, threshold):
    t = scale_threshold(dist(a, 0), threshold)
    return dist2(a, b) > t * t


def separate(a, b, threshold):
    c, e = dist(a, 0), dist(b, 0)
    d = scale_threshold(c, threshold)
    normal = (442.0 - d) < c if c < e else d < c
    wa, wb = weighted(a), weighted(b)
    if not normal:
        wa = [r - v for r, v in zip(RANGES, wa)]
        wb = [r - v for r, v in zip(RANGES, wb)]
    lb = math.sqrt(sum(v * v for v in wb))
    if lb >= 0.001:
        proj = sum(x * y for x, y in zip(wa, wb)) / lb
        p2 = max(sum(v * v for v in wa) - proj * proj, 0.0)
        # d < p: the nearest point on the ray (the radicand is clamped at 0).
        target = proj - math.sqrt(max(d * d - p2, 0.0))
        wb = [v * target / lb for v in wb]
    if not normal:
        wb = [r - v for r, v in zip(RANGES, wb)]
    return unweighted(wb)


def approach(a, b, threshold):
    dd = dist(a, b)
    if dd <= 0:
        return b
    t = scale_threshold(dist(a, 0), threshold)
    wa, wb = weighted(a), weighted(b)
    k = (dd - t) / dd
    return unweighted([y + k * (x - y) for x, y in zip(wa, wb)])


def mix(a, b, w):
    s = 100 if w < 100 else 1000
    return rgb(*[(w * x + (s - w) * y + s // 2) // s for x, y in zip(channels(a), channels(b))])


STYLE_COLUMN = {1: 0, 4: 0, 5: 0, 2: 1, 3: 2}
STYLE_TABLE = {
    38: (0x764127, 0x335E51, 0x755454), 39: (0xCB8C6A, 0x588060, 0x8F6D6E), 40: (0xD0966D, 0x7AAE9F, 0xBEA7A8),
    41: (0xF6F6F6, 0xEEF4F4, 0xFFFAFD), 43: (0x962D00, 0x5E8D75, 0x947C7C), 31: (0xC2EEFF,) * 3,
    32: (0x800000, 0x385D3F, 0x6F4B4B), 37: (0x800000, 0x385D3F, 0x6F4B4B), 50: (0x800000, 0x385D3F, 0x6F4B4B),
    33: (0x3E80FE,) * 3, 36: (0x6FC0FF,) * 3, 30: (0xF5BE9E, 0xA7D9D9, 0xE5D7D7), 47: (0, 0, 0),
    59: (0x361E16, 0x19221F, 0x292024)}
STYLE_GRADIENTS = [
    [(0xD68759, 0x962D00, 0.5), (0xF5BE9E, 0xFADAC4, 0.5), (0xD68759, 0x962D00, 0.5), (0xFEECDD, 0xE2A981, 0.75),
     (0xFFEFE3, 0xE4AD87, 0.5), (0xF6DDCB, 0xDCA179, 0.5), (0xFFEFE3, 0xE7B593, 0.5)],
    [(0x82C0AF, 0x447A63, 0.5), (0xA7D9D9, 0xE4F1F2, 0.5), (0x6F8E78, 0x435B49, 0.5), (0xDEF7F4, 0x91C6B7, 0.3),
     (0xEDFFFF, 0x92C7B8, 0.3), (0xD1E6E6, 0x78B4A4, 0.3), (0xD5F0EC, 0x9FCEC2, 0.5)],
    [(0xBFA7A8, 0x916F70, 0.5), (0xE5D7D7, 0xF7F3F3, 0.5), (0xBFA7A8, 0x977677, 0.5), (0xFFF9F9, 0xB79B9C, 0.75),
     (0xFFF9F9, 0xB99D9F, 0.75), (0xE2D7D7, 0x9E7E80, 0.75), (0xF1E7E9, 0xCDB9BA, 0.5)]]
ENTRY_54 = (0x962D00, 0x588060, 0x947C7C)


def refresh(system, style, low):
    t = [0] * 63
    for i in range(1, 30):
        t[i] = system[i]
    for src, entries in ((15, (30, 51, 53, 55, 56)), (16, (34, 38, 39, 40, 42, 43, 48, 52, 54, 57, 60, 61)),
                         (5, (31, 36, 41)), (13, (32, 33, 37, 50)), (17, (35, 58)), (8, (44,)), (7, (45,)),
                         (18, (46,)), (14, (47, 49))):
        for e in entries:
            t[e] = t[src]
    t[59] = 0
    column = STYLE_COLUMN.get(style, -1)
    style_table = [-1] * 63
    if column >= 0:
        for e, values in STYLE_TABLE.items():
            style_table[e] = values[column]

    def gradients():
        if column >= 0:
            g = [list(x) for x in STYLE_GRADIENTS[column]]
            t[54] = ENTRY_54[column]
        else:
            c5, c15, c16 = t[5], t[15], t[16]
            g = [[c16, c16, 0.5], [c15, mix(c15, c5, 215), 0.5], [c15, c16, 0.5], [mix(c15, c5, 205), c15, 0.5],
                 [mix(c15, c5, 145), mix(c15, c5, 93), 0.5], [mix(c15, c5, 40), mix(c15, c16, 95), 0.5],
                 [mix(c15, c5, 165), mix(c15, c5, 42), 0.5]]
        if low:
            g[3] = [t[15], t[15], 0.5]
            g[1] = [t[15], t[15], 0.5]
        return g

    if low:
        return t, style_table, gradients()

    face, text = t[15], t[18]
    contrast = (face == 0 and text == 0xFFFFFF) or (face == 0xFFFFFF and text == 0)
    if contrast:
        for e in (31, 36, 50):
            t[e] = t[13]
        t[45] = t[14]
        for e in (32, 37, 38, 43):
            t[e] = t[18]
    else:
        for e, a, b, w in ((30, 5, 15, 165), (31, 13, 5, 30), (33, 13, 5, 50), (41, 15, 5, 143), (35, 17, 5, 70),
                           (38, 16, 5, 75), (39, 16, 5, 70), (43, 46, 16, 20), (61, 46, 16, 15), (40, 16, 5, 90),
                           (42, 15, 16, 90)):
            t[e] = mix(t[a], t[b], w)
    if distance_above(t[15], t[30], 35):
        t[30] = approach(t[15], t[30], 35)
    for e, a, cmp_, th in ((31, 30, 31, 50), (32, 30, 13, 100), (33, 30, 33, 30), (35, 41, 35, 80),
                           (37, 33, 37, 100), (38, 30, 38, 85), (39, 30, 39, 50), (43, 41, 43, 100),
                           (61, 30, 61, 100), (40, 30, 40, 80), (44, 41, 44, 180), (45, 31, 45, 180),
                           (46, 30, 46, 180), (47, 33, 47, 180)):
        if not distance_above(t[a], t[cmp_], th):
            t[e] = separate(t[a], t[cmp_], th)
    if distance_above(t[41], t[35], 145):
        t[35] = approach(t[41], t[35], 145)
    if not contrast:
        t[36] = rgb(*[min(x // 2 + w * 2 // 5 + h // 10, 255)
                      for x, w, h in zip(channels(t[30]), channels(t[5]), channels(t[13]))])
    m = max(channels(face))
    if m == 0:
        t[48] = 0x232323
    else:
        k = 255 if m >= 220 else m + 35
        t[48] = rgb(*[min(ch * k // m, 255) for ch in channels(face)])
    shadow = t[16]
    m = max(channels(shadow))
    if face == 0:
        t[49] = 0x7F7F7F
    elif m < 43:
        t[49] = 0
    else:
        t[49] = rgb(*[ch * (m - 43) // m for ch in channels(shadow)])
    t[34] = rgb(*[int(ch * 0.75) for ch in channels(t[31])])
    t[22] = rgb(*[min(ch + 15, 255) for ch in channels(face)])
    t[53] = t[30]
    t[58] = t[40]
    t[60] = t[40]
    return t, style_table, gradients()


def scheme(**kw):
    s = [0] * 30
    for k, v in kw.items():
        s[int(k[1:])] = v
    return s


CLASSIC = scheme(c1=rgb(0, 128, 128), c2=rgb(10, 36, 106), c3=rgb(128, 128, 128), c4=rgb(212, 208, 200),
                 c5=rgb(255, 255, 255), c6=0, c7=0, c8=0, c9=rgb(255, 255, 255), c10=rgb(212, 208, 200),
                 c11=rgb(212, 208, 200), c12=rgb(128, 128, 128), c13=rgb(10, 36, 106), c14=rgb(255, 255, 255),
                 c15=rgb(212, 208, 200), c16=rgb(128, 128, 128), c17=rgb(128, 128, 128), c18=0,
                 c19=rgb(212, 208, 200), c20=rgb(255, 255, 255), c21=rgb(64, 64, 64), c22=rgb(212, 208, 200),
                 c23=0, c24=rgb(255, 255, 225), c25=rgb(181, 181, 181), c26=rgb(0, 0, 128),
                 c27=rgb(166, 202, 240), c28=rgb(192, 192, 192), c29=rgb(49, 106, 197))
CONTRAST_BLACK = scheme(c1=0, c2=rgb(128, 0, 128), c3=rgb(0, 128, 0), c4=0, c5=0, c6=rgb(255, 255, 255),
                        c7=rgb(255, 255, 255), c8=rgb(255, 255, 255), c9=rgb(255, 255, 255),
                        c10=rgb(255, 255, 0), c11=rgb(0, 128, 0), c12=0, c13=rgb(128, 0, 128),
                        c14=rgb(255, 255, 255), c15=0, c16=rgb(128, 128, 128), c17=rgb(0, 255, 0),
                        c18=rgb(255, 255, 255), c19=0, c20=rgb(255, 255, 255), c21=rgb(255, 255, 255),
                        c22=rgb(255, 255, 255), c23=rgb(255, 255, 255), c24=0, c25=rgb(192, 192, 192),
                        c26=rgb(128, 128, 255), c27=rgb(128, 0, 128), c28=rgb(0, 128, 0), c29=rgb(128, 0, 128))
CONTRAST_WHITE = scheme(c1=rgb(255, 255, 255), c2=0, c3=rgb(255, 255, 255), c4=rgb(255, 255, 255),
                        c5=rgb(255, 255, 255), c6=0, c7=0, c8=0, c9=rgb(255, 255, 255), c10=rgb(128, 128, 128),
                        c11=rgb(192, 192, 192), c12=rgb(128, 128, 128), c13=0, c14=rgb(255, 255, 255),
                        c15=rgb(255, 255, 255), c16=rgb(128, 128, 128), c17=rgb(0, 128, 0), c18=0,
                        c19=0, c20=0, c21=0, c22=rgb(192, 192, 192), c23=0, c24=rgb(255, 255, 255),
                        c25=rgb(192, 192, 192), c26=rgb(0, 0, 255), c27=0, c28=rgb(255, 255, 255), c29=0)

SCENARIOS = [
    ("Classic", CLASSIC, 0, False),
    ("ContrastBlack", CONTRAST_BLACK, 0, False),
    ("ContrastWhite", CONTRAST_WHITE, 0, False),
    ("Classic256Colours", CLASSIC, 0, True),
    ("Blue", CLASSIC, 1, False),
    ("Olive", CLASSIC, 2, False),
    ("Silver", CLASSIC, 3, False),
]


def hexes(values):
    return ", ".join("0x%06X" % (v & 0xFFFFFFFF) if v != -1 else "0xFFFFFFFF" for v in values)


def main():
    print("// Generated by colour_tables.py from the refresh rules; do not edit by hand.")
    print("// One record per scenario: system colours 0..29, style, low colour, then the expected")
    print("// computed table 0..62, style table 0..62 and gradients 1..7 (light, dark, factor).")
    for name, system, style, low in SCENARIOS:
        table, style_table, grads = refresh(system, style, low)
        print("{\"%s\", %d, %s," % (name, style, "TRUE" if low else "FALSE"))
        print(" {%s}," % hexes(system))
        print(" {%s}," % hexes(table))
        print(" {%s}," % hexes(style_table))
        print(" {%s}}," % ", ".join("{0x%06X, 0x%06X, %sf}" % (l, d, repr(f)) for l, d, f in grads))


if __name__ == "__main__":
    main()
