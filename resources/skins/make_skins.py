#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the skin files that the program carries (102 the engine's default, 103 to 118 selectable).

Each skin is ".SHE", a line break, then name=value lines with #RRGGBB colours. 113 repeats 108 and 115
repeats 114, byte for byte: the resource table maps those numbers to the same files.
Run from anywhere: python3 resources/skins/make_skins.py
"""
import os

# name, window, text, base, button, highlight, frame, title, label
SKINS = {
    102: ("经典灰", "#ECEEF1", "#1E2328", "#FFFFFF", "#E1E5EA", "#3A7BD5", "#9AA5B1", "#2F4F7F", "#1E2328"),
    103: ("海洋蓝", "#DCEBF7", "#0F2A44", "#F5FAFE", "#C7DDF0", "#1F6FB2", "#6C9CC7", "#135A96", "#0F2A44"),
    104: ("翡翠绿", "#DDF0E4", "#123524", "#F6FCF8", "#C6E6D2", "#2E8B57", "#72B08C", "#1F6B43", "#123524"),
    105: ("玫瑰粉", "#F8E3EA", "#4A1426", "#FFF7FA", "#F0CCD9", "#C2185B", "#D68AA5", "#A3154D", "#4A1426"),
    106: ("石墨黑", "#2E3136", "#E6E8EB", "#3A3E44", "#40454C", "#5FA8E8", "#5C636C", "#8FC3F0", "#E6E8EB"),
    107: ("沙漠黄", "#F3EAD7", "#3E3220", "#FFFBF2", "#E8DBBE", "#B8860B", "#C5AE80", "#8A6414", "#3E3220"),
    108: ("薰衣草", "#EAE4F5", "#2C1F47", "#FAF8FE", "#DAD0EE", "#6A4FB3", "#A796D1", "#55399E", "#2C1F47"),
    109: ("晴空蓝", "#E3F4FB", "#0E3346", "#FAFDFF", "#CCE9F6", "#0C8CC4", "#79BFDD", "#0A6F9C", "#0E3346"),
    110: ("琥珀橙", "#FBE9D6", "#46260A", "#FFF8F0", "#F6D6B3", "#E07B10", "#E3A867", "#B25E05", "#46260A"),
    111: ("薄荷青", "#DDF4F0", "#0F3B35", "#F5FDFB", "#C3EAE3", "#159A8C", "#6CC3B7", "#0E7A6E", "#0F3B35"),
    112: ("午夜蓝", "#1D2740", "#DCE3F2", "#26314F", "#2C3959", "#6C9BFF", "#4A5A82", "#9DB8FF", "#DCE3F2"),
    114: ("珊瑚红", "#FBE4DE", "#4A1C12", "#FFF8F6", "#F6CDC2", "#E0553A", "#E59A89", "#B8402A", "#4A1C12"),
    116: ("橄榄绿", "#EBEEDB", "#2E3414", "#FBFCF4", "#DCE2BE", "#6B7F1E", "#A8B676", "#55661A", "#2E3414"),
    117: ("青石灰", "#E1E7EC", "#1F2D38", "#F7FAFC", "#CDD7E0", "#4A6A85", "#8CA1B3", "#3B5870", "#1F2D38"),
    118: ("樱桃红", "#F6DCDF", "#450E16", "#FFF6F7", "#EDC0C6", "#B3142E", "#CF7F8B", "#8E0F24", "#450E16"),
}


def mix(a, b, t):
    """Mixes two #RRGGBB colours, t = 0 gives a."""
    ca = [int(a[i:i + 2], 16) for i in (1, 3, 5)]
    cb = [int(b[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join("%02X" % round(x + (y - x) * t) for x, y in zip(ca, cb))


def skin_text(number):
    name, window, text, base, button, highlight, frame, title, label = SKINS[number]
    lines = [
        ".SHE",
        "name=" + name,
        "window=" + window,
        "text=" + text,
        "base=" + base,
        "alternate=" + mix(base, window, 0.5),
        "button=" + button,
        "buttontext=" + text,
        "highlight=" + highlight,
        "highlightedtext=#FFFFFF",
        "frame=" + frame,
        "title=" + title,
        "label=" + label,
        "accent=" + highlight,
    ]
    return "\n".join(lines) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for number in SKINS:
        with open(os.path.join(here, "%d.she" % number), "w", encoding="utf-8", newline="\n") as f:
            f.write(skin_text(number))


if __name__ == "__main__":
    main()
