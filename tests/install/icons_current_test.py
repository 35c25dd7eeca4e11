#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The icon theme's PNGs in resources/icon/hicolor/ are what resources/tools/make_pictures.py draws at each
size (so a change of the drawing that was not written out, or a picture scaled from another size, fails).
On failure the drawn PNGs are written beside the build for comparison."""

import importlib.util
import os
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
module_info = importlib.util.spec_from_file_location("make_pictures", os.path.join(ROOT, "resources", "tools",
                                                                           "make_pictures.py"))
pictures = importlib.util.module_from_spec(module_info)
module_info.loader.exec_module(pictures)

out = sys.argv[1] if len(sys.argv) > 1 else tempfile.mkdtemp()
stale = []
for size in pictures.HICOLOR_SIZES:
    name = "%dx%d" % (size, size)
    committed = os.path.join(ROOT, "resources", "icon", "hicolor", name, pictures.HICOLOR_NAME + ".png")
    drawn = os.path.join(out, "%s-%s.png" % (pictures.HICOLOR_NAME, name))
    os.makedirs(out, exist_ok=True)
    pictures.write_png(drawn, pictures.icon_image(size))
    with open(drawn, "rb") as a:
        now = a.read()
    try:
        with open(committed, "rb") as b:
            before = b.read()
    except OSError:
        before = None
    if now != before:
        stale.append("%s (drawn: %s)" % (committed, drawn))
    else:
        os.unlink(drawn)

if stale:
    print("not what the picture script draws; run python3 resources/tools/make_pictures.py:")
    for line in stale:
        print("  " + line)
    sys.exit(1)
print("hicolor icons are current:", ", ".join(str(s) for s in pictures.HICOLOR_SIZES))
