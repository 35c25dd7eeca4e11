# SPDX-License-Identifier: GPL-3.0-or-later
"""Each manual page documents exactly the options its program's --help lists.

Usage: man_options_test.py PAGE PROGRAM [PAGE PROGRAM ...]

An option of --help is a word starting with "-" at the head of an indented line ("  -h, --help  ...");
an option of a page is one named in a tag (the line after .TP) of its OPTIONS section, subsections
included. Both are compared as sets, so options added later need only be documented in both places.
"""
import re
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])--?[A-Za-z][\w-]*")


def help_options(program):
    text = subprocess.run([program, "--help"], capture_output=True, text=True, check=True,
                          env={"QT_QPA_PLATFORM": "offscreen", "PATH": "/usr/bin:/bin"}).stdout
    options = set()
    for line in text.splitlines():
        if re.match(r"\s+-", line):
            # The option column ends at the first run of two spaces.
            options |= set(OPTION.findall(re.split(r"\s{2,}", line.strip(), maxsplit=1)[0]))
    return options


def page_options(page):
    options = set()
    in_options = after_tp = False
    with open(page, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith(".SH"):
                in_options = line.split(None, 1)[1:] == ["OPTIONS"]
            elif in_options and line.startswith(".TP"):
                after_tp = True
                continue
            elif in_options and after_tp:
                # A tag: its words, with roff's escaped hyphens and font changes undone.
                tag = re.sub(r"\\f[BIRP]", " ", line).replace("\\-", "-").replace("=", " ")
                options |= set(OPTION.findall(tag))
            after_tp = False
    return options


def main(args):
    failed = False
    for page, program in zip(args[0::2], args[1::2]):
        documented, listed = page_options(page), help_options(program)
        if not listed:
            print(f"FAIL: {program} --help lists no options")
            failed = True
        for missing in sorted(listed - documented):
            print(f"FAIL: {page} does not describe {missing}, which {program} --help lists")
            failed = True
        for extra in sorted(documented - listed):
            print(f"FAIL: {page} describes {extra}, which {program} --help does not list")
            failed = True
        if not failed:
            print(f"{page}: {' '.join(sorted(documented))}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
