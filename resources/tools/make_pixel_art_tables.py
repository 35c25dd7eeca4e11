#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes src/controls/mxbutton/render/pixel_art_tables.cpp: the three fixed pictures of the
rounded pixel-art button look (normal, hot, pressed).

Each picture is a centre colour, 59 one-colour edge lines and four corner blocks of single pixels.
The edge lines and centre colours are fixed; the corner blocks have fixed runs (which pixels are set)
and a few fixed rows of colours. All other corner colours are shaded here: the edge lines' cross-section
is swept around a rounded corner and supersampled, so the corner is an anti-aliased continuation of the
straight sides with a dark outline fading to near-white outside.

It also draws the pictures at a few sizes into tests/controls/mxbutton/render/pixel_art_goldens/, as reference images for the tests
of the button's painter (an independent drawing of the same data).

Run from anywhere:  python3 resources/tools/make_pixel_art_tables.py [--check]
With --check nothing is written; the exit status tells whether the committed files are what the script makes.
Standard library only. The output is deterministic.
"""

import math
import os
import sys

# --- fixed data -------------------------------------------------------------------------------------

CENTRE = {"normal": 0xE8E7EA, "hot": 0x6AA6E2, "pressed": 0x6A9BCC}

# Edge line colours, RRGGBB. left: x = 0..17 from the outer edge inward; right: x = W-17..W-1 from the
# inner side outward; top: y = 0..11 from the outer edge inward; bottom: y = H-11..H from the inner side
# outward.
EDGES = {
    "normal": {
        "left": "F7F7F7 A0A0A0 999999 C3C3C3 C9C9C9 D5D5D5 D7D7D7 DFDFDF E0E0E0 E0E0E0 E4E4E4 E6E8E6 "
                "E7E7E8 E8E7EA E8E7EA E8E7EA E8E7EA E8E7EA",
        "right": "E8E7EA E8E7EA E8E7EA E8E7EA E7E7E7 E6E6E6 E4E4E4 E0E0E0 E0E0E0 DEDEDE D9D9D9 D3D3D3 "
                 "CCCCCC C3C3C3 A3A3A3 9C9C9C F6F6F6",
        "top": "6A6967 F6F4F5 F4F2F3 EEEEEE EBEBEB EAE8EB EAE8EB EAEAEA E1E1E1 E3E2E5 E8E7EA E9EBE8",
        "bottom": "E9EBE8 EFF1EE F2F2F2 F5F5F5 FEFEFF FFFFFF FDFDFD FEFEFE FBFBFB 545454 C5C5C5 ECECEC",
    },
    "hot": {
        "left": "F7F7F7 9EA0B0 132E71 145FBD 2773D1 317FD4 3D8CD9 4B94D9 4F94D7 559CDC 579BDC 62A3E3 "
                "65A2E3 67A3E2 65A1E0 6AA6E3 6AA6E3 6AA6E2",
        "right": "6AA6E2 6AA6E2 64A4E1 63A3E0 63A3E0 61A1E1 5B9FE0 5598DE 5297DC 4B93DB 398DD6 2D7FD1 "
                 "2674D6 135DC0 14357C 989BAB F6F6F6",
        "top": "080645 C9D4F1 BDC8E5 A1C0E8 98B8E0 8EB4E3 8BB1E0 7FB4E9 6399CE 64A0DD 6AA6E2 76ACE6",
        "bottom": "76ACE6 81B6F1 8ABDF3 92C5FC 97CEF8 9ED5FE A3DDF7 ADE6FF C5E2E9 405D63 C5C5C5 ECECEC",
    },
    "pressed": {
        "left": "F7F7F7 9B9DA9 172D63 1D5AA6 2E6CB9 3877BC 4282C1 4E89C2 528AC1 5791C5 5991C5 6398CC "
                "6596CC 6797CB 6595C9 6A9ACC 6A9ACC 6A9BCC",
        "right": "6A9BCC 6A9BCC 6498CA 6397C9 6397C9 6295CA 5D94C9 578EC6 558CC4 4E88C3 3E82BE 3476B9 "
                 "2D6DBD 1C58A8 19336D 9497A4 F6F6F6",
        "top": "0A093C BEC7DE B2BCD3 9AB3D4 92ACCC 8AA8CF 87A5CC 7DA7D2 628EB9 6494C6 6A9BCC 75A1D0",
        "bottom": "75A1D0 7FAADA 87B0DC 8EB8E4 93BFE1 99C6E7 9DCCE2 A6D5E9 BAD2D7 3E565A C5C5C5 ECECEC",
    },
}

# Outer ends of the runs. Left blocks: first column of each row; right blocks: last column as an offset
# from W. Top blocks counted from row 0 downward, bottom blocks from row H upward; the last value repeats.
TOP_LEFT_STARTS = [6, 5, 3, 3, 2, 1, 1, 1, 0]
TOP_RIGHT_ENDS = [-8, -6, -5, -4, -3, -2, -2, -2, -1]
BOTTOM_LEFT_STARTS = [7, 5, 3, 2, 2, 1, 1, 0]
BOTTOM_RIGHT_ENDS = [-8, -6, -5, -4, -3, -2, -2, -2, -1]

# Block heights: normal pictures have 13 top rows (0..12) and 11 bottom rows (H-10..H); hot and pressed
# 11 top rows (0..10) and 13 bottom rows (H-12..H).
TOP_ROWS = {"normal": 13, "hot": 11, "pressed": 11}
BOTTOM_ROWS = {"normal": 11, "hot": 13, "pressed": 13}

# How many pixels of the normal picture's bottom blocks are left unset (rows H-6 to H-4). They are chosen
# inside the runs, where the centre fill shows through, and where the shading is closest to that fill.
NORMAL_UNSET_COUNT = {"bottomLeft": 5, "bottomRight": 8}

# Rows whose colours are fixed: (picture, block, y, first x, colours).
FIXED_ROWS = [
    ("normal", "topLeft", 0, 6,
     "FEFEFE E6E6E6 ACACAC 7A7A7A 6C6C6C 6B6B6B 6F6F6F 6F6F71 707072 666867 6B6D6C 6A6967"),
    ("hot", "topLeft", 0, 6,
     "FEFEFE E5E5E6 A5A5A9 5E5E6C 292748 0C0D37 060737 050636 06063A 070841 070745 080645"),
    ("normal", "bottomLeft", -1, 5,
     "FCFCFC F5F5F5 EBEBEB E1E1E1 D6D6D6 CECECE C9C9C9 C7C7C7 C7C7C7 C6C6C6 C6C6C6 C5C5C5 C5C5C5"),
    ("hot", "bottomLeft", -1, 5,
     "FCFCFC F5F5F5 EBEBEB E1E1E1 D6D6D6 CECECE C9C9C9 C7C7C7 C7C7C7 C6C6C6 C6C6C6 C5C5C5 C5C5C5"),
]
# Fixed column: the normal picture's top-left column 0, rows 8..12.
FIXED_COLUMNS = [("normal", "topLeft", 0, 8, "FDFDFD FAFAFA F7F7F7 F5F5F5 F5F5F5")]

# How many different colours the corner blocks use: the normal picture alone, and hot and pressed together.
DISTINCT_NORMAL = 191
DISTINCT_HOT_PRESSED = 568

PICTURES = ["normal", "hot", "pressed"]
BLOCKS = ["topLeft", "topRight", "bottomLeft", "bottomRight"]
OUTSIDE = (0xFF, 0xFF, 0xFF)  # what lies outside the button in the source drawings: white
CORNER_RADIUS = 7.0
SUPERSAMPLING = 8


def rgb(value):
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255)


def parse(text):
    return [rgb(int(word, 16)) for word in text.split()]


def luminance(c):
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]


# --- runs ---------------------------------------------------------------------------------------------


def run_value(values, i):
    return values[i] if i < len(values) else values[-1]


def block_positions(picture, block):
    """(x, y) of every set pixel, x from the left edge or from W, y from the top or from H."""
    positions = []
    if block.startswith("top"):
        rows = [(r, r) for r in range(TOP_ROWS[picture])]  # (index from the outer edge, y)
    else:
        rows = [(k, -k) for k in range(BOTTOM_ROWS[picture])]
    for index, y in rows:
        if block == "topLeft":
            xs = range(run_value(TOP_LEFT_STARTS, index), 18)
        elif block == "bottomLeft":
            xs = range(run_value(BOTTOM_LEFT_STARTS, index), 18)
        elif block == "topRight":
            xs = range(-17, run_value(TOP_RIGHT_ENDS, index) + 1)
        else:
            xs = range(-17, run_value(BOTTOM_RIGHT_ENDS, index) + 1)
        for x in xs:
            positions.append((x, y))
    return positions


def leave_unset(pixels, block, count, centre):
    """Removes `count` pixels from inside the runs of rows H-6 and H-5 that lie over the centre fill."""
    rows = {}
    for x, y in pixels:
        rows.setdefault(y, []).append(x)
    candidates = []
    for y in (-6, -5):
        xs = sorted(rows[y])
        for x in xs[1:-1]:
            if (x >= 4) if block.endswith("Left") else (x <= -5):
                c = pixels[(x, y)]
                distance = sum((c[k] - centre[k]) ** 2 for k in range(3))
                candidates.append((distance, y, x))
    for _, y, x in sorted(candidates)[:count]:
        del pixels[(x, y)]


# --- shading ------------------------------------------------------------------------------------------


class Corner:
    """The cross-section of one corner: the vertical side's profile indexed by the distance a from the
    outer side, the horizontal side's profile indexed by the distance b from the outer side."""

    def __init__(self, picture, block):
        edges = EDGES[picture]
        left, right = parse(edges["left"]), parse(edges["right"])
        top, bottom = parse(edges["top"]), parse(edges["bottom"])
        self.centre = rgb(CENTRE[picture])
        self.vertical = left if block.endswith("Left") else list(reversed(right))
        self.horizontal = top if block.startswith("top") else list(reversed(bottom))
        # The dark outline: the darkest of the outer entries of each profile.
        self.oa = min(range(4), key=lambda i: luminance(self.vertical[i]))
        self.ob = min(range(4), key=lambda i: luminance(self.horizontal[i]))
        self.ca = self.oa + CORNER_RADIUS
        self.cb = self.ob + CORNER_RADIUS

    def profile(self, values, index):
        if index < 0:
            return OUTSIDE
        i = int(math.floor(index))
        return values[i] if i < len(values) else self.centre

    def sample(self, a, b):
        if a >= self.ca and b >= self.cb:
            if a - self.oa < b - self.ob:
                return self.profile(self.vertical, a)
            return self.profile(self.horizontal, b)
        if b >= self.cb:
            return self.profile(self.vertical, a)
        if a >= self.ca:
            return self.profile(self.horizontal, b)
        da, db = self.ca - a, self.cb - b
        depth = CORNER_RADIUS - math.hypot(da, db)
        if depth < -1.0:
            return OUTSIDE
        v = self.profile(self.vertical, self.oa + depth)
        h = self.profile(self.horizontal, self.ob + depth)
        t = math.atan2(db, da) / (math.pi / 2)  # 0 beside the vertical side, 1 beside the horizontal one
        t = t * t * (3 - 2 * t)
        return tuple(v[k] * (1 - t) + h[k] * t for k in range(3))

    def pixel(self, a, b):
        n = SUPERSAMPLING
        total = [0.0, 0.0, 0.0]
        for i in range(n):
            for j in range(n):
                c = self.sample(a + (i + 0.5) / n, b + (j + 0.5) / n)
                for k in range(3):
                    total[k] += c[k]
        return tuple(int(round(total[k] / (n * n))) for k in range(3))


def local_distances(block, x, y):
    a = x if block.endswith("Left") else -1 - x
    b = y if block.startswith("top") else -y
    return a, b


def shade(picture):
    blocks = {}
    for block in BLOCKS:
        corner = Corner(picture, block)
        pixels = {}
        for x, y in block_positions(picture, block):
            pixels[(x, y)] = corner.pixel(*local_distances(block, x, y))
        if picture == "normal" and block in NORMAL_UNSET_COUNT:
            leave_unset(pixels, block, NORMAL_UNSET_COUNT[block], corner.centre)
        blocks[block] = pixels
    return blocks


def fixed_pixels(picture):
    fixed = {}
    for name, block, y, x0, colours in FIXED_ROWS:
        if name == picture:
            for i, c in enumerate(parse(colours)):
                fixed[(block, x0 + i, y)] = c
    for name, block, x, y0, colours in FIXED_COLUMNS:
        if name == picture:
            for i, c in enumerate(parse(colours)):
                fixed[(block, x, y0 + i)] = c
    return fixed


# --- colour count ---------------------------------------------------------------------------------------


def settle_distinct(pictures, target):
    """Nudges the free corner colours of the given pictures (dict name -> blocks) until together they use
    exactly `target` different colours. Changes are one or two levels per channel: invisible."""
    fixed = {}
    for name in pictures:
        for key in fixed_pixels(name):
            fixed[(name,) + key] = True
    free = [(name, block, pos) for name in sorted(pictures) for block in BLOCKS
            for pos in sorted(pictures[name][block]) if (name, block) + pos not in fixed]
    # The inner column continues the straight sides exactly; leave it alone.
    for name in pictures:
        for block in BLOCKS:
            for pos in pictures[name][block]:
                if abs(pos[0]) == 17:
                    fixed[(name, block) + pos] = True
    free = [f for f in free if (f[0], f[1]) + f[2] not in fixed]

    def colour_uses():
        uses = {}
        for name in pictures:
            for block in BLOCKS:
                for pos, c in pictures[name][block].items():
                    uses.setdefault(c, []).append((name, block, pos))
        return uses

    uses = colour_uses()
    # Too many colours: move the rarest free colour onto its nearest neighbour.
    while len(uses) > target:
        movable = [c for c, where in uses.items()
                   if all((n, b) + p not in fixed for n, b, p in where)]
        movable.sort(key=lambda c: (len(uses[c]), c))
        c = movable[0]
        nearest = min((d for d in uses if d != c),
                      key=lambda d: (sum((d[k] - c[k]) ** 2 for k in range(3)), d))
        for n, b, p in uses[c]:
            pictures[n][b][p] = nearest
        uses = colour_uses()
    # Too few: give a repeated free colour a neighbour value of its own.
    steps = [(0, 0, 1), (0, 1, 0), (1, 0, 0), (0, 0, -1), (0, -1, 0), (-1, 0, 0), (1, 1, 1), (-1, -1, -1)]
    for name, block, pos in free:
        if len(uses) >= target:
            break
        c = pictures[name][block][pos]
        if len(uses[c]) < 2:
            continue
        for s in steps:
            d = tuple(min(255, max(0, c[k] + s[k])) for k in range(3))
            if d not in uses:
                pictures[name][block][pos] = d
                uses[c].remove((name, block, pos))
                uses[d] = [(name, block, pos)]
                break
    if len(uses) != target:
        sys.exit("cannot reach %d distinct colours (have %d)" % (target, len(uses)))


# --- output -------------------------------------------------------------------------------------------


def colorref(c):
    """0x00BBGGRR, red in the low byte."""
    return "0x%06X" % (c[0] | (c[1] << 8) | (c[2] << 16))


def cxx_name(picture, block):
    return "k%s%s" % (picture.capitalize(), block[0].upper() + block[1:])


def write_cpp(path, pictures):
    out = []
    out.append("// SPDX-License-Identifier: GPL-3.0-or-later")
    out.append("// Generated by resources/tools/make_pixel_art_tables.py. Do not edit; run the script instead.")
    out.append("")
    out.append('#include "controls/mxbutton/render/pixel_art_tables.h"')
    out.append("")
    out.append("namespace trimvox::mxbutton {")
    out.append("namespace {")
    out.append("")
    out.append("// clang-format off")
    for picture in PICTURES:
        for block in BLOCKS:
            pixels = pictures[picture][block]
            order = sorted(pixels, key=lambda p: (abs(p[1]), p[0]))
            out.append("constexpr CornerPixel %s[] = {" % cxx_name(picture, block))
            line = "   "
            for n, (x, y) in enumerate(order):
                item = " {%d, %d, %s}," % (x, y, colorref(pixels[(x, y)]))
                if len(line) + len(item) > 108:
                    out.append(line)
                    line = "   "
                line += item
            out.append(line)
            out.append("};")
    out.append("")
    out.append("} // namespace")
    out.append("")
    for picture in PICTURES:
        edges = EDGES[picture]
        out.append("const PixelArtPicture kPixelArt%s{" % picture.capitalize())
        out.append("    %s," % colorref(rgb(CENTRE[picture])))
        for block in BLOCKS:
            out.append("    %s," % cxx_name(picture, block))
        for side in ["left", "right", "top", "bottom"]:
            values = [colorref(c) for c in parse(edges[side])]
            out.append("    {" + ", ".join(values[:9]) + ",")
            out.append("     " + ", ".join(values[9:]) + "},")
        out.append("};")
        out.append("")
    out.append("// clang-format on")
    out.append("")
    out.append("} // namespace trimvox::mxbutton")
    emit(path, ("\n".join(out) + "\n").encode("utf-8"))


# --- reference drawings ----------------------------------------------------------------------------------

GOLDEN_SIZES = [(57, 25), (120, 40), (30, 20)]
GOLDEN_BACKGROUND = (0xF0, 0xF0, 0xF0)


def line_span(a, b):
    """The coordinates a line from a to b covers: the end point is left out."""
    return range(a, b) if b >= a else range(b + 1, a + 1)


def render(pictures, name, W, H):
    """The picture drawn as the button draws it, on a surface of the golden background colour."""
    img = [[GOLDEN_BACKGROUND] * W for _ in range(H)]

    def put(x, y, c):
        if 0 <= x < W and 0 <= y < H:
            img[y][x] = c

    for y in range(4, H - 4):
        for x in range(4, W - 4):
            img[y][x] = rgb(CENTRE[name])
    for block in BLOCKS:
        for (x, y), c in pictures[name][block].items():
            put(x if block.endswith("Left") else W + x, y if block.startswith("top") else H + y, c)
    edges = EDGES[name]
    for i, c in enumerate(parse(edges["left"])):
        for y in line_span(11, H - 10):
            put(i, y, c)
    for i, c in enumerate(parse(edges["right"])):
        for y in line_span(11, H - 10):
            put(W - 17 + i, y, c)
    for i, c in enumerate(parse(edges["top"])):
        for x in line_span(17, W - 17):
            put(x, i, c)
    for i, c in enumerate(parse(edges["bottom"])):
        for x in line_span(17, W - 17):
            put(x, H - 11 + i, c)
    return img


def write_png(path, img):
    import struct
    import zlib

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    h, w = len(img), len(img[0])
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in img)
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    emit(path, data)


CHECK_ONLY = False
STALE = []


def emit(path, data):
    """Writes the file, or with --check only notes whether the committed one differs."""
    if CHECK_ONLY:
        try:
            with open(path, "rb") as f:
                same = f.read() == data
        except OSError:
            same = False
        if not same:
            STALE.append(path)
        return
    with open(path, "wb") as f:
        f.write(data)


def main():
    global CHECK_ONLY
    CHECK_ONLY = "--check" in sys.argv[1:]
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    pictures = {name: shade(name) for name in PICTURES}
    for name in PICTURES:
        for (block, x, y), c in fixed_pixels(name).items():
            if (x, y) not in pictures[name][block]:
                sys.exit("fixed pixel (%d, %d) of %s %s is not set" % (x, y, name, block))
            pictures[name][block][(x, y)] = c
    settle_distinct({"normal": pictures["normal"]}, DISTINCT_NORMAL)
    settle_distinct({"hot": pictures["hot"], "pressed": pictures["pressed"]}, DISTINCT_HOT_PRESSED)
    path = os.path.join(root, "src", "controls", "mxbutton", "render", "pixel_art_tables.cpp")
    write_cpp(path, pictures)
    if not CHECK_ONLY:
        print("wrote", path)
    # The reference drawings that the painter's tests compare with.
    golden = os.path.join(root, "tests", "controls", "mxbutton", "render", "pixel_art_goldens")
    if not CHECK_ONLY:
        os.makedirs(golden, exist_ok=True)
    for name in PICTURES:
        for W, H in GOLDEN_SIZES:
            write_png(os.path.join(golden, "%s_%dx%d.png" % (name, W, H)), render(pictures, name, W, H))
    if CHECK_ONLY:
        for path in STALE:
            print("out of date:", path)
        sys.exit(1 if STALE else 0)
    print("wrote", golden)


if __name__ == "__main__":
    main()
