#!/usr/bin/env python3
"""Draws the resource library's bitmaps and writes them as 24-bit BMP files,
with an .rc fragment that names them and a header of their ids.

usage: gen_bitmaps.py OUTDIR
"""
import os
import struct
import sys

MAGENTA = (255, 0, 255)


class Image:
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1):
            self.put(x, y0, c)
            self.put(x, y1 - 1, c)
        for y in range(y0, y1):
            self.put(x0, y, c)
            self.put(x1 - 1, y, c)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        n = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            t = (y - y0) / n
            c = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
            for x in range(x0, x1):
                self.put(x, y, c)

    def bmp(self):
        row = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for (r, g, b) in self.px[y]:
                line += bytes((b, g, r))
            line += b"\0" * (row - len(line))
            data += line
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return header + info + bytes(data)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


# Tree strips: four 16x16 images side by side on magenta.
# Node strip: closed selected, closed, open selected, open.  Leaf strip: leaf, leaf selected, two spares.
NODE_HUES = [(214, 160, 40), (70, 130, 200), (90, 160, 80)]
LEAF_HUES = [(80, 80, 80), (40, 90, 170), (170, 60, 40), (60, 130, 60)]


def folder(img, ox, color, opened, selected):
    edge = mix(color, (0, 0, 0), 0.45)
    img.rect(ox + 1, 3, ox + 7, 5, color)
    if opened:
        img.rect(ox + 1, 5, ox + 15, 14, mix(color, (255, 255, 255), 0.35))
        img.rect(ox + 3, 8, ox + 15, 14, color)
    else:
        img.rect(ox + 1, 5, ox + 15, 14, color)
    img.frame(ox + 1, 5, ox + 15, 14, edge)
    if selected:
        img.rect(ox + 6, 9, ox + 10, 12, (255, 255, 255))


def page(img, ox, color, selected):
    paper = (255, 255, 255) if not selected else mix(color, (255, 255, 255), 0.7)
    img.rect(ox + 3, 1, ox + 13, 15, paper)
    img.frame(ox + 3, 1, ox + 13, 15, color)
    for y in (4, 7, 10):
        img.rect(ox + 5, y, ox + 11, y + 1, color)


def node_strip(color):
    img = Image(64, 16, MAGENTA)
    folder(img, 0, color, False, True)
    folder(img, 16, color, False, False)
    folder(img, 32, color, True, True)
    folder(img, 48, color, True, False)
    return img


def leaf_strip(color):
    img = Image(64, 16, MAGENTA)
    page(img, 0, color, False)
    page(img, 16, color, True)
    page(img, 32, mix(color, (128, 128, 128), 0.5), False)
    page(img, 48, mix(color, (128, 128, 128), 0.5), True)
    return img


# Door hues: the toggle button's normal and hover bitmaps and the door's background colour.
DOOR_HUES = [(58, 110, 165), (96, 96, 104), (46, 125, 90), (150, 70, 60)]
# Drop hues: dropped normal, closed normal, dropped hover, closed hover, header colour.
DROP_HUES = [(214, 223, 247), (225, 225, 228), (214, 238, 222), (246, 224, 214)]


def arrow(img, cx, cy, pointing, c):
    for i in range(4):
        if pointing == "left":
            img.rect(cx - 2 + i, cy - i, cx - 1 + i, cy + i + 1, c)
        elif pointing == "right":
            img.rect(cx + 1 - i, cy - i, cx + 2 - i, cy + i + 1, c)
        elif pointing == "up":
            img.rect(cx - i, cy - 2 + i, cx + i + 1, cy - 1 + i, c)
        else:
            img.rect(cx - i, cy + 1 - i, cx + i + 1, cy + 2 - i, c)


def door_button(color, hover):
    img = Image(12, 48, color)
    top = mix(color, (255, 255, 255), 0.55 if hover else 0.35)
    img.vgradient(0, 0, 12, 48, top, color)
    img.frame(0, 0, 12, 48, mix(color, (0, 0, 0), 0.4))
    # The door's button draws its own arrow, pointing as the door will move.
    return img


def drop_button(color, dropped, hover):
    img = Image(16, 16, MAGENTA)
    img.rect(1, 1, 15, 15, mix(color, (255, 255, 255), 0.6 if hover else 0.2))
    img.frame(1, 1, 15, 15, mix(color, (0, 0, 0), 0.5))
    arrow(img, 8, 8, "up" if dropped else "down", (30, 30, 60))
    return img


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    entries = []  # (id, symbol, Image)

    for i, c in enumerate(NODE_HUES):
        entries.append((1000 + i, "IDB_NODE%d" % i, node_strip(c)))
    for i, c in enumerate(LEAF_HUES):
        entries.append((1100 + i, "IDB_LEAF%d" % i, leaf_strip(c)))
    for h, c in enumerate(DOOR_HUES):
        entries.append((1200 + 2 * h, "IDB_DOOR%d_NORMAL" % h, door_button(c, False)))
        entries.append((1201 + 2 * h, "IDB_DOOR%d_HOVER" % h, door_button(c, True)))
    for h, c in enumerate(DROP_HUES):
        base = 1300 + 4 * h
        entries.append((base + 0, "IDB_DROP%d_DROPPED" % h, drop_button(c, True, False)))
        entries.append((base + 1, "IDB_DROP%d_CLOSED" % h, drop_button(c, False, False)))
        entries.append((base + 2, "IDB_DROP%d_DROPPED_HOVER" % h, drop_button(c, True, True)))
        entries.append((base + 3, "IDB_DROP%d_CLOSED_HOVER" % h, drop_button(c, False, True)))

    with open(os.path.join(out, "LumoResIds.h"), "w") as h:
        h.write("// Generated by gen_bitmaps.py: ids of the resource library's bitmaps.\n#pragma once\n")
        h.write("#define LUMORES_NODE_COUNT %d\n#define LUMORES_LEAF_COUNT %d\n" % (len(NODE_HUES), len(LEAF_HUES)))
        h.write("#define LUMORES_DOOR_HUES %d\n#define LUMORES_DROP_HUES %d\n" % (len(DOOR_HUES), len(DROP_HUES)))
        h.write("#define LUMORES_DOOR_COLORS {%s}\n" % ", ".join("0x%06X" % (b << 16 | g << 8 | r) for r, g, b in DOOR_HUES))
        h.write("#define LUMORES_DROP_COLORS {%s}\n" % ", ".join("0x%06X" % (b << 16 | g << 8 | r) for r, g, b in DROP_HUES))
        for rid, sym, _ in entries:
            h.write("#define %s %d\n" % (sym, rid))
    with open(os.path.join(out, "bitmaps.rc"), "w") as rc:
        rc.write("// Generated by gen_bitmaps.py\n")
        for rid, sym, img in entries:
            name = sym.lower() + ".bmp"
            with open(os.path.join(out, name), "wb") as f:
                f.write(img.bmp())
            rc.write('%d BITMAP "%s"\n' % (rid, name))


if __name__ == "__main__":
    main()
