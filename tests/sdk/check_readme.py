#!/usr/bin/env python3
"""Checks that the README's example is the tested one.

Usage: check_readme.py README_MD FILE...

The README's section "## Using Lumo in your application" holds fenced code blocks (lines
between ``` marks); there must be exactly one per FILE, in order, each equal to its file.

Exit status: 0 when they are equal; 1 otherwise, naming each file whose block differs and the
first line that does; 2 when a file cannot be read or the section is missing.
"""
import sys

HEADING = "## Using Lumo in your application"


def blocks_of_section(lines):
    """The fenced blocks of the section, each as its list of lines; None without the section."""
    try:
        start = lines.index(HEADING) + 1
    except ValueError:
        return None
    blocks, block = [], None
    for line in lines[start:]:
        if block is None and line.startswith("## "):
            break
        if line.startswith("```"):
            if block is None:
                block = []
            else:
                blocks.append(block)
                block = None
        elif block is not None:
            block.append(line)
    return blocks


def main(argv):
    if len(argv) < 3:
        print("usage: check_readme.py README_MD FILE...")
        return 2
    readme, files = argv[1], argv[2:]
    try:
        with open(readme, encoding="utf-8") as f:
            blocks = blocks_of_section(f.read().splitlines())
        texts = []
        for path in files:
            with open(path, encoding="utf-8") as f:
                texts.append(f.read().splitlines())
    except OSError as e:
        print("cannot read: %s" % e)
        return 2
    if blocks is None:
        print('%s has no section "%s"' % (readme, HEADING))
        return 2
    if len(blocks) != len(files):
        print("%s shows %d code blocks in its example section, not %d" % (readme, len(blocks), len(files)))
        return 1
    failed = False
    for path, block, text in zip(files, blocks, texts):
        if block == text:
            continue
        failed = True
        line = next((i for i, (a, b) in enumerate(zip(block, text)) if a != b), min(len(block), len(text)))
        print("%s: the README's block differs from %s at line %d" % (readme, path, line + 1))
    if failed:
        return 1
    print("%s shows %s as they are" % (readme, ", ".join(files)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
