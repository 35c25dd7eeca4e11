#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's pictures and writes them under resources/:

  icon/trimvox.ico        the program's icon: 48, 32, 24 and 16 pixels, 256 colours each
  icon/hicolor/<N>x<N>/org.trimvox.Trimvox.png
                          the same icon for the desktop's icon theme, drawn at each size N of HICOLOR_SIZES
  pictures/<name>.jpg     the six command buttons' pictures, at the sizes the main window's design uses
  cursors/hand.cur        the 32 x 32 two-colour hand cursor, hot spot (5, 0) at the fingertip

The pictures are small vector drawings rasterised here with supersampling; the icon and the cursor are
written by this script (standard library only); the JPEGs are encoded by ImageMagick's `convert`.

Run from anywhere:  python3 resources/tools/make_pictures.py [--preview DIR]
With --preview, PNG copies at eight times the size are written to DIR for looking at.
"""

import math
import os
import struct
import subprocess
import sys
import tempfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# --- a tiny rasteriser ------------------------------------------------------------------------------------


def hexrgb(text):
    v = int(text.lstrip("#"), 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255)


class Shape:
    def __init__(self, colour, inside):
        self.colour = hexrgb(colour) if isinstance(colour, str) else colour
        self.inside = inside


def rect(x0, y0, x1, y1, colour):
    return Shape(colour, lambda x, y: x0 <= x < x1 and y0 <= y < y1)


def rounded(x0, y0, x1, y1, r, colour):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    return Shape(colour, inside)


def circle(cx, cy, r, colour):
    return Shape(colour, lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r)


def ellipse(cx, cy, rx, ry, colour):
    return Shape(colour, lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1)


def polygon(points, colour):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                result = not result
        return result

    return Shape(colour, inside)


def segment(xa, ya, xb, yb, width, colour):
    def inside(x, y):
        dx, dy = xb - xa, yb - ya
        t = max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / (dx * dx + dy * dy or 1)))
        return (x - xa - t * dx) ** 2 + (y - ya - t * dy) ** 2 <= (width / 2) ** 2

    return Shape(colour, inside)


def vertical_gradient(shape, top, bottom, y0, y1):
    """The shape painted with a top-to-bottom gradient."""
    a, b = hexrgb(top), hexrgb(bottom)

    class Gradient(Shape):
        def colour_at(self, x, y):
            t = min(1.0, max(0.0, (y - y0) / (y1 - y0)))
            return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))

    g = Gradient(a, shape.inside)
    return g


def rasterise(width, height, background, shapes, scale=1.0, samples=4):
    """Shapes are drawn in order, later ones on top; coordinates are multiplied by `scale`. A background
    of None leaves uncovered samples transparent; the result is rows of (r, g, b, coverage)."""
    bg = hexrgb(background) if background else None
    img = []
    for py in range(height):
        row = []
        for px in range(width):
            total = [0.0, 0.0, 0.0]
            covered = 0
            for i in range(samples):
                for j in range(samples):
                    x = (px + (i + 0.5) / samples) / scale
                    y = (py + (j + 0.5) / samples) / scale
                    colour = None
                    for s in reversed(shapes):
                        if s.inside(x, y):
                            colour = s.colour_at(x, y) if hasattr(s, "colour_at") else s.colour
                            break
                    if colour is None:
                        colour = bg
                    if colour is not None:
                        covered += 1
                        for k in range(3):
                            total[k] += colour[k]
            n = samples * samples
            if covered:
                row.append(tuple(int(round(total[k] / covered)) for k in range(3)) + (covered / n,))
            else:
                row.append((0, 0, 0, 0.0))
        img.append(row)
    return img


# --- file writers -------------------------------------------------------------------------------------------


def write_png(path, img, zoom=1):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    rows = []
    for row in img:
        line = b"".join(bytes((r, g, b, int(round(a * 255)))) * zoom for r, g, b, a in row)
        rows.extend([b"\x00" + line] * zoom)
    h, w = len(img) * zoom, len(img[0]) * zoom
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)


def write_jpeg(path, img):
    """Opaque pixels through a PPM into ImageMagick; full-resolution colour so small pictures stay sharp."""
    h, w = len(img), len(img[0])
    with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as f:
        f.write(b"P6 %d %d 255\n" % (w, h))
        f.write(bytes(v for row in img for r, g, b, a in row for v in (r, g, b)))
        ppm = f.name
    try:
        subprocess.run(["convert", ppm, "-strip", "-sampling-factor", "1x1", "-quality", "95", path],
                       check=True)
    finally:
        os.unlink(ppm)


def median_cut(colours, count):
    """A palette of at most `count` colours for the given list of colours."""
    boxes = [list(colours)]
    while len(boxes) < count:
        boxes.sort(key=lambda b: max(max(c[k] for c in b) - min(c[k] for c in b) for k in range(3)) if len(b) > 1
                   else -1)
        box = boxes.pop()
        if len(box) < 2:
            boxes.append(box)
            break
        k = max(range(3), key=lambda k: max(c[k] for c in box) - min(c[k] for c in box))
        box.sort(key=lambda c: c[k])
        mid = len(box) // 2
        boxes += [box[:mid], box[mid:]]
    return [tuple(int(round(sum(c[k] for c in b) / len(b))) for k in range(3)) for b in boxes if b]


def bmp_entry(img, bits, palette, index_of):
    """An icon or cursor image: BITMAPINFOHEADER (double height), palette, XOR rows, AND rows, bottom-up."""
    h, w = len(img), len(img[0])
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    stride = ((w * bits + 31) // 32) * 4
    mask_stride = ((w + 31) // 32) * 4
    xor_rows, and_rows = [], []
    for row in reversed(img):
        bits_row = bytearray(stride)
        mask_row = bytearray(mask_stride)
        for x, px in enumerate(row):
            opaque = px[3] >= 0.5
            index = index_of(px) if opaque else 0
            if bits == 8:
                bits_row[x] = index
            else:
                bits_row[x // 8] |= index << (7 - x % 8)
            if not opaque:
                mask_row[x // 8] |= 1 << (7 - x % 8)
        xor_rows.append(bytes(bits_row))
        and_rows.append(bytes(mask_row))
    return header + pal + b"".join(xor_rows) + b"".join(and_rows)


def write_ico(path, images):
    """Icon file with one 8-bit (256-colour) image per size."""
    entries = []
    for img in images:
        opaque = [px[:3] for row in img for px in row if px[3] >= 0.5]
        palette = median_cut(opaque, 256)
        palette += [(0, 0, 0)] * (256 - len(palette))
        cache = {}

        def index_of(px, palette=palette, cache=cache):
            key = px[:3]
            if key not in cache:
                cache[key] = min(range(256), key=lambda i: sum((palette[i][k] - key[k]) ** 2 for k in range(3)))
            return cache[key]

        entries.append((len(img[0]), len(img), bmp_entry(img, 8, palette, index_of)))
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for w, h, data in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, _, data in entries)
    with open(path, "wb") as f:
        f.write(out)


def write_cur(path, img, hotspot):
    """Two-colour cursor: black and white pixels, the rest transparent."""
    w, h = len(img[0]), len(img)
    data = bmp_entry(img, 1, [(0, 0, 0), (255, 255, 255)], lambda px: 1 if px[0] > 127 else 0)
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", w % 256, h % 256, 2, 0, hotspot[0], hotspot[1], len(data), 6 + 16)
    with open(path, "wb") as f:
        f.write(out + data)


# --- the drawings --------------------------------------------------------------------------------------------

# The button face of the normal look, so that the opaque pictures sit on it without a visible box.
PICTURE_BACKGROUND = "#E8E7EA"


def picture_open():  # 15 x 16: an open folder
    return [
        polygon([(0.5, 2.5), (5.5, 2.5), (7, 4), (13.5, 4), (13.5, 14.5), (0.5, 14.5)], "#9A6B12"),
        polygon([(1.5, 3.5), (5, 3.5), (6.5, 5), (12.5, 5), (12.5, 13.5), (1.5, 13.5)], "#E0A82E"),
        polygon([(3, 7), (15, 7), (12.8, 14.5), (0.5, 14.5)], "#9A6B12"),
        vertical_gradient(polygon([(3.8, 8), (13.7, 8), (12, 13.6), (1.8, 13.6)], "#FFD766"), "#FFE38A",
                          "#F2BC3C", 8, 13.6),
    ]


def picture_start():  # 15 x 17: the start mark, an opening bracket with an arrow running into it
    green, dark = "#2FA84F", "#1C6B30"
    return [
        rect(1, 1, 5, 3, dark), rect(1, 1, 3, 16, dark), rect(1, 14, 5, 16, dark),
        rect(1.6, 1.6, 4.4, 2.4, green), rect(1.6, 1.6, 2.4, 15.4, green), rect(1.6, 14.6, 4.4, 15.4, green),
        polygon([(5.5, 4), (14, 8.5), (5.5, 13)], dark),
        polygon([(6.5, 5.7), (12, 8.5), (6.5, 11.3)], green),
    ]


def picture_end():  # 15 x 17: the end mark, a closing bracket with an arrow stopping at it
    red, dark = "#E04A3A", "#8C2218"
    return [
        rect(10, 1, 14, 3, dark), rect(12, 1, 14, 16, dark), rect(10, 14, 14, 16, dark),
        rect(10.6, 1.6, 13.4, 2.4, red), rect(12.6, 1.6, 13.4, 15.4, red), rect(10.6, 14.6, 13.4, 15.4, red),
        polygon([(1, 4), (9.5, 8.5), (1, 13)], dark),
        polygon([(2, 5.7), (7.5, 8.5), (2, 11.3)], red),
    ]


def picture_preview():  # 14 x 17: a page with a play sign
    return [
        polygon([(1, 0.5), (9, 0.5), (13, 4.5), (13, 16.5), (1, 16.5)], "#6C7A89"),
        polygon([(2, 1.5), (8.5, 1.5), (12, 5), (12, 15.5), (2, 15.5)], "#FFFFFF"),
        polygon([(8.5, 1.5), (8.5, 5), (12, 5)], "#B8C4CF"),
        circle(7, 10.5, 4, "#1F6FC5"),
        polygon([(5.8, 8.2), (9.4, 10.5), (5.8, 12.8)], "#FFFFFF"),
    ]


def picture_save():  # 15 x 15: a floppy disk
    return [
        polygon([(0.5, 0.5), (12, 0.5), (14.5, 3), (14.5, 14.5), (0.5, 14.5)], "#1B3F73"),
        polygon([(1.3, 1.3), (11.7, 1.3), (13.7, 3.3), (13.7, 13.7), (1.3, 13.7)], "#2F65B0"),
        rect(3, 1.3, 11, 6, "#F4F6F8"), rect(8.3, 2, 10, 5.3, "#2F65B0"),
        rect(3, 8.5, 12, 13.7, "#D9DEE4"), rect(3, 10, 12, 10.8, "#9AA5B1"), rect(3, 12, 12, 12.8, "#9AA5B1"),
    ]


def picture_skin():  # 19 x 19: a painter's palette
    return [
        ellipse(9.5, 9.8, 9, 8.3, "#8A5A2B"),
        ellipse(9.5, 9.8, 8.1, 7.4, "#E8C48A"),
        circle(12.2, 14.2, 2.3, PICTURE_BACKGROUND),
        segment(12.2, 14.2, 12.2, 14.2, 5.6, "#8A5A2B"),
        circle(12.2, 14.2, 1.9, PICTURE_BACKGROUND),
        circle(5.2, 8.2, 1.9, "#D93025"), circle(8.6, 5.0, 1.9, "#F2B705"),
        circle(12.8, 5.4, 1.9, "#1E8E3E"), circle(15.3, 9.3, 1.9, "#1A73E8"),
        circle(6.2, 12.6, 1.7, "#8E44AD"),
    ]


BUTTON_PICTURES = [  # name, width, height, drawing
    ("open", 15, 16, picture_open),
    ("start", 15, 17, picture_start),
    ("end", 15, 17, picture_end),
    ("preview", 14, 17, picture_preview),
    ("save", 15, 15, picture_save),
    ("skin", 19, 19, picture_skin),
]


def icon_shapes():
    """The icon in a 48-unit square: a blue tile with a sound wave whose middle part is marked for cutting."""
    shapes = [
        rounded(1, 1, 47, 47, 9, "#123A6B"),
        vertical_gradient(rounded(2.5, 2.5, 45.5, 45.5, 7.5, "#2B7BD6"), "#4A9BEA", "#1B5FB3", 2.5, 45.5),
        rect(12.5, 8, 35.5, 40, "#F6A623"),
    ]
    heights = [6, 12, 20, 14, 26, 18, 30, 22, 14, 24, 10, 16, 8]
    for i, h in enumerate(heights):
        x = 6 + i * 3
        colour = "#FFFFFF" if 13 <= x <= 34 else "#BFD9F5"
        shapes.append(rect(x, 24 - h / 2, x + 2, 24 + h / 2, colour))
    shapes += [rect(11.5, 6, 13.5, 42, "#FFFFFF"), rect(34.5, 6, 36.5, 42, "#FFFFFF")]
    return shapes


def icon_shapes_small():
    """The icon in a 16-unit square, with fewer and wider bars so that it stays legible."""
    shapes = [
        rounded(0, 0, 16, 16, 3, "#123A6B"),
        vertical_gradient(rounded(1, 1, 15, 15, 2.4, "#2B7BD6"), "#4A9BEA", "#1B5FB3", 1, 15),
        rect(5, 3, 11, 13, "#F6A623"),
    ]
    for x, h in [(2, 4), (6, 8), (8, 6), (13, 4)]:
        shapes.append(rect(x, 8 - h / 2, x + 1, 8 + h / 2, "#FFFFFF" if 5 <= x < 11 else "#BFD9F5"))
    shapes += [rect(4, 2, 5, 14, "#FFFFFF"), rect(11, 2, 12, 14, "#FFFFFF")]
    return shapes


def icon_image(size):
    """The icon drawn at `size` pixels: the small drawing below 24 pixels, the full one from 24 up."""
    if size >= 24:
        return rasterise(size, size, None, icon_shapes(), scale=size / 48.0)
    return rasterise(size, size, None, icon_shapes_small(), scale=size / 16.0)


# The sizes and the name of the icon in the desktop's icon theme (the application's id).
HICOLOR_SIZES = (16, 24, 32, 48, 64, 128, 256)
HICOLOR_NAME = "org.trimvox.Trimvox"


# A hand with the index finger pointing up; '#' black, 'o' white, anything else transparent. The
# fingertip is at (5, 0), the cursor's hot spot.
HAND = [
    ".....##..........",
    "....#oo#.........",
    "....#oo#.........",
    "....#oo#.........",
    "....#oo#.........",
    "....#oo###.......",
    "....#oo#oo###....",
    "....#oo#oo#oo##..",
    "....#oo#oo#oo#o#.",
    ".##.#oo#oo#oo#o#.",
    "#oo##oooooooooo#.",
    "#ooo#oooooooooo#.",
    ".#oooooooooooooo#",
    "..#ooooooooooooo#",
    "..#ooooooooooooo#",
    "...#oooooooooooo#",
    "...#ooooooooooo#.",
    "....#oooooooooo#.",
    "....#oooooooooo#.",
    ".....#oooooooo#..",
    ".....#oooooooo#..",
    ".....##########..",
]
HAND_HOTSPOT = (5, 0)


def hand_image():
    img = []
    for y in range(32):
        row = []
        for x in range(32):
            ch = HAND[y][x] if y < len(HAND) and x < len(HAND[y]) else "."
            if ch == "#":
                row.append((0, 0, 0, 1.0))
            elif ch == "o":
                row.append((255, 255, 255, 1.0))
            else:
                row.append((0, 0, 0, 0.0))
        img.append(row)
    return img


def main():
    preview = None
    if len(sys.argv) == 3 and sys.argv[1] == "--preview":
        preview = sys.argv[2]
        os.makedirs(preview, exist_ok=True)
    pictures = os.path.join(ROOT, "resources", "pictures")
    icons = os.path.join(ROOT, "resources", "icon")
    cursors = os.path.join(ROOT, "resources", "cursors")
    for d in (pictures, icons, cursors):
        os.makedirs(d, exist_ok=True)

    for name, w, h, drawing in BUTTON_PICTURES:
        img = rasterise(w, h, PICTURE_BACKGROUND, drawing())
        write_jpeg(os.path.join(pictures, name + ".jpg"), img)
        if preview:
            write_png(os.path.join(preview, name + ".png"), img, 8)

    images = []
    for size in (48, 32, 24, 16):
        img = icon_image(size)
        images.append(img)
        if preview:
            write_png(os.path.join(preview, "icon%d.png" % size), img, 8)
    write_ico(os.path.join(icons, "trimvox.ico"), images)

    for size in HICOLOR_SIZES:
        folder = os.path.join(icons, "hicolor", "%dx%d" % (size, size))
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, HICOLOR_NAME + ".png"), icon_image(size))

    hand = hand_image()
    write_cur(os.path.join(cursors, "hand.cur"), hand, HAND_HOTSPOT)
    if preview:
        write_png(os.path.join(preview, "hand.png"), hand, 8)
    print("wrote", pictures, icons, cursors)


if __name__ == "__main__":
    main()
