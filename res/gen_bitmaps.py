#!/usr/bin/env python3
"""Draws the resource library's bitmaps and writes them as 24-bit BMP files,
with an .rc fragment that names them and a header of their ids.

usage: gen_bitmaps.py OUTDIR
"""
import os
import struct
import sys

MAGENTA = (255, 0, 255)
# The scale the pictures are being drawn at: 1, 1.5 or 2 (100, 150 and 200 %).
SCALE = 1
# Resource ids of the larger copies: the 100 % id plus this offset.
SCALE_ID_OFFSETS = ((1, "", 0), (1.5, "_150", 20000), (2, "_200", 40000))


class Image:
    """A picture drawn in 96-DPI pixel coordinates at a scale (1, 1.5 or 2): every shape is drawn
    again at the larger size, so the larger copies are as sharp as the small one."""

    def __init__(self, w, h, fill, scale=None):
        self.s = SCALE if scale is None else scale
        self.w, self.h = self.d(w), self.d(h)
        self.px = [[fill] * self.w for _ in range(self.h)]

    def d(self, v):
        """A 96-DPI coordinate in this picture's pixels."""
        return int(v * self.s + 0.5)

    def line(self):
        """The width of a one-pixel line at this scale."""
        return max(1, int(self.s + 0.5))

    def logical(self, X):
        """The 96-DPI coordinate of the centre of this picture's pixel X."""
        return (X + 0.5) / self.s - 0.5

    def pixel(self, X, Y, c):
        if 0 <= X < self.w and 0 <= Y < self.h:
            self.px[Y][X] = c

    def put(self, x, y, c):
        for Y in range(self.d(y), self.d(y + 1)):
            for X in range(self.d(x), self.d(x + 1)):
                self.pixel(X, Y, c)

    def rect(self, x0, y0, x1, y1, c):
        for Y in range(self.d(y0), self.d(y1)):
            for X in range(self.d(x0), self.d(x1)):
                self.pixel(X, Y, c)

    def frame(self, x0, y0, x1, y1, c):
        X0, Y0, X1, Y1, t = self.d(x0), self.d(y0), self.d(x1), self.d(y1), self.line()
        for Y in range(Y0, Y1):
            for X in range(X0, X1):
                if X < X0 + t or X >= X1 - t or Y < Y0 + t or Y >= Y1 - t:
                    self.pixel(X, Y, c)

    def each(self, f):
        """Calls f(X, Y, x, y) for every pixel, with its centre in 96-DPI coordinates."""
        for Y in range(self.h):
            for X in range(self.w):
                f(X, Y, self.logical(X), self.logical(Y))

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        Y0, Y1 = self.d(y0), self.d(y1)
        n = max(1, Y1 - Y0 - 1)
        for Y in range(Y0, Y1):
            t = (Y - Y0) / n
            c = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
            for X in range(self.d(x0), self.d(x1)):
                self.pixel(X, Y, c)

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


# ---- XP buttons: check-box and radio-button pictures, one per state -------------------------
# The buttons ask for these ids by state: radio buttons 5013..5018, check boxes 5019..5024.
# Check boxes are copied whole; radio buttons leave their magenta corners out.
XP_BOX = 13
XP_FRAME = (28, 81, 128)
XP_TICK = (33, 161, 33)
XP_HOT = ((255, 240, 207), (248, 179, 48))
XP_FACES = {
    "normal": ((220, 220, 215), (255, 255, 255)),
    "pressed": ((176, 176, 167), (236, 236, 230)),
}


def xp_face(img, inside, state):
    """Fills the pixels inside(x, y) with the state's gradient, lighter towards the bottom right."""
    top, bottom = XP_FACES["pressed" if state == "pressed" else "normal"]

    def fill(X, Y, x, y):
        if inside(x, y):
            img.pixel(X, Y, mix(top, bottom, min(1.0, max(0.0, (x + y) / (2.0 * (XP_BOX - 1))))))

    img.each(fill)


def xp_check_box(state, checked):
    img = Image(XP_BOX, XP_BOX, XP_FRAME)
    xp_face(img, lambda x, y: 0.5 <= x <= XP_BOX - 1.5 and 0.5 <= y <= XP_BOX - 1.5, state)
    if state == "hot":
        img.frame(1, 1, XP_BOX - 1, XP_BOX - 1, XP_HOT[0])
        img.frame(2, 2, XP_BOX - 2, XP_BOX - 2, XP_HOT[1])
    if checked:
        # A tick three pixels tall: down to its low point at x 5, then up to the right.
        for x in range(3, 10):
            y = x + 3 if x <= 5 else 13 - x
            for k in range(3):
                img.put(x, y - k, XP_TICK)
    return img


def xp_radio_button(state, checked):
    img = Image(XP_BOX, XP_BOX, MAGENTA)
    c = (XP_BOX - 1) / 2.0

    def dist(x, y):
        return ((x - c) ** 2 + (y - c) ** 2) ** 0.5

    def ring(X, Y, x, y):
        if dist(x, y) <= 6.3:
            img.pixel(X, Y, XP_FRAME)

    img.each(ring)
    xp_face(img, lambda x, y: dist(x, y) <= 5.2, state)

    def hot(X, Y, x, y):
        d = dist(x, y)
        if 4.2 < d <= 5.2:
            img.pixel(X, Y, XP_HOT[1])
        elif 3.4 < d <= 4.2:
            img.pixel(X, Y, XP_HOT[0])

    def dot(X, Y, x, y):
        if dist(x, y) <= 2.6:
            shine = abs(x - 5) < 0.5 and abs(y - 5) < 0.5
            img.pixel(X, Y, mix(XP_TICK, (255, 255, 255), 0.4) if shine else XP_TICK)

    if state == "hot":
        img.each(hot)
    if checked:
        img.each(dot)
    return img


def xp_button_boxes():
    """(id, symbol, Image) of every state of the XP radio button and check box."""
    states = [  # (offset, symbol suffix, state, checked)
        (0, "PRESSED", "pressed", False),
        (1, "CHECKED_HOT", "hot", True),
        (2, "NORMAL", "normal", False),
        (3, "CHECKED", "normal", True),
        (4, "CHECKED_PRESSED", "pressed", True),
        (5, "HOT", "hot", False),
    ]
    boxes = []
    for off, sym, state, checked in states:
        boxes.append((5013 + off, "IDB_XPRADIO_" + sym, xp_radio_button(state, checked)))
    for off, sym, state, checked in states:
        boxes.append((5019 + off, "IDB_XPCHECK_" + sym, xp_check_box(state, checked)))
    return boxes


# ---- Skin schemes -------------------------------------------------------------------------
# Each scheme: caption colour, title text colour, outline colour, the colour lines at the top of
# the caption (first at row 0) and at its bottom (first at the last row), then 13x13 corner
# images and 20x16 caption buttons (close, restore, maximize, minimize; normal, hot, pressed).
# A colour list ends at the first 0, so no line may be black.
SKIN_BASE_ID = 2000
SKIN_ID_STRIDE = 20
SKINS = [
    ((58, 110, 165), (255, 255, 255), (22, 48, 84), [(150, 190, 230), (108, 156, 206)],
     [(26, 58, 100), (40, 84, 136)]),
    ((88, 90, 98), (255, 255, 255), (30, 30, 34), [(176, 178, 186), (132, 134, 142)],
     [(40, 40, 46), (62, 64, 70), (74, 76, 84)]),
    ((46, 125, 90), (255, 255, 255), (16, 60, 40), [(140, 210, 170), (96, 170, 130)],
     [(20, 70, 46), (34, 98, 68)]),
    ((150, 70, 60), (255, 246, 230), (70, 28, 22), [(226, 160, 146), (190, 114, 100)],
     [(84, 34, 26), (118, 52, 42)]),
    ((214, 218, 226), (28, 32, 44), (112, 118, 130), [(255, 255, 255), (240, 242, 246)],
     [(150, 156, 168), (184, 190, 200)]),
]
SKIN_BUTTONS = ("CLOSE", "RESTORE", "MAXIMIZE", "MINIMIZE")
SKIN_STATES = ("NORMAL", "HOT", "PRESSED")
# First pixel inside the window region on each of the top rows of a rounded top-left corner.
SKIN_CORNER_START = [7, 5, 4, 3, 2, 1, 1]


def skin_corner(caption, outline, top_lines):
    img = Image(13, 13, outline)

    def inside(x, y):
        return x >= 0 and y >= 0 and x >= (SKIN_CORNER_START[y] if y < len(SKIN_CORNER_START) else 0)

    for y in range(13):
        for x in range(13):
            if not inside(x, y):
                continue
            # The arc and the left edge take the outline colour; the window's top edge has none.
            if not inside(x - 1, y) or (y > 0 and not inside(x, y - 1)):
                img.put(x, y, outline)
            else:
                img.put(x, y, top_lines[y] if y < len(top_lines) else caption)
    return img


def skin_mirror(img):
    out = Image(img.w, img.h, (0, 0, 0), 1)
    for y in range(img.h):
        for x in range(img.w):
            out.pixel(img.w - 1 - x, y, img.px[y][x])
    return out


def skin_glyph(img, kind, c, bg, d):
    if kind == "CLOSE":
        for i in range(8):
            img.rect(6 + i + d, 4 + i + d, 8 + i + d, 5 + i + d, c)
            img.rect(12 - i + d, 4 + i + d, 14 - i + d, 5 + i + d, c)
    elif kind == "MAXIMIZE":
        img.frame(5 + d, 3 + d, 15 + d, 13 + d, c)
        img.rect(5 + d, 4 + d, 15 + d, 5 + d, c)
    elif kind == "RESTORE":
        # The window behind, then the one in front hiding part of it.
        img.frame(8 + d, 2 + d, 16 + d, 9 + d, c)
        img.rect(8 + d, 3 + d, 16 + d, 4 + d, c)
        img.rect(4 + d, 6 + d, 12 + d, 13 + d, bg)
        img.frame(4 + d, 6 + d, 12 + d, 13 + d, c)
        img.rect(4 + d, 7 + d, 12 + d, 8 + d, c)
    else:
        img.rect(5 + d, 10 + d, 14 + d, 12 + d, c)


def skin_button(kind, state, caption, text):
    img = Image(20, 16, caption)
    if state == "NORMAL":
        skin_glyph(img, kind, text, caption, 0)
        return img
    if kind == "CLOSE":
        face = (214, 66, 54) if state == "HOT" else (160, 40, 32)
        glyph = (255, 255, 255)
    else:
        face = mix(caption, (255, 255, 255), 0.28) if state == "HOT" else mix(caption, (0, 0, 0), 0.3)
        glyph = text
    img.rect(1, 0, 19, 16, face)
    img.frame(1, 0, 19, 16, mix(face, (0, 0, 0), 0.35) if state == "PRESSED" else mix(face, (255, 255, 255), 0.4))
    skin_glyph(img, kind, glyph, face, 1 if state == "PRESSED" else 0)
    return img


def skin_entries():
    entries = []
    for s, (caption, text, outline, top_lines, _) in enumerate(SKINS):
        base = SKIN_BASE_ID + SKIN_ID_STRIDE * s
        left = skin_corner(caption, outline, top_lines)
        entries.append((base, "IDB_SKIN%d_CORNER_LEFT" % s, left))
        entries.append((base + 1, "IDB_SKIN%d_CORNER_RIGHT" % s, skin_mirror(left)))
        for b, kind in enumerate(SKIN_BUTTONS):
            for k, state in enumerate(SKIN_STATES):
                entries.append((base + 2 + 3 * b + k, "IDB_SKIN%d_%s_%s" % (s, kind, state),
                                skin_button(kind, state, caption, text)))
    return entries


def skin_header():
    def ref(c):
        return "0x%06X" % (c[2] << 16 | c[1] << 8 | c[0])

    def lst(cs):
        return "{%s}" % ", ".join([ref(c) for c in cs] + ["0"])

    out = "#define LUMORES_SKINS %d\n#define LUMORES_SKIN_BASE_ID %d\n#define LUMORES_SKIN_ID_STRIDE %d\n" % (
        len(SKINS), SKIN_BASE_ID, SKIN_ID_STRIDE)
    for s, (caption, text, outline, top_lines, bottom_lines) in enumerate(SKINS):
        out += "#define LUMORES_SKIN%d_COLORS %s, %s, %s\n" % (s, ref(caption), ref(text), ref(outline))
        out += "#define LUMORES_SKIN%d_TOP_LINES %s\n" % (s, lst(top_lines))
        out += "#define LUMORES_SKIN%d_BOTTOM_LINES %s\n" % (s, lst(bottom_lines))
    return out


def all_entries():
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
    entries.extend(xp_button_boxes())
    entries.extend(skin_entries())
    return entries


def main():
    global SCALE
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    scaled = []  # (offset, suffix, entries) for 100, 150 and 200 %
    for scale, suffix, offset in SCALE_ID_OFFSETS:
        SCALE = scale
        scaled.append((offset, suffix, all_entries()))
    SCALE = 1
    entries = scaled[0][2]

    with open(os.path.join(out, "LumoResIds.h"), "w") as h:
        h.write("// Generated by gen_bitmaps.py: ids of the resource library's bitmaps.\n#pragma once\n")
        h.write("#define LUMORES_NODE_COUNT %d\n#define LUMORES_LEAF_COUNT %d\n" % (len(NODE_HUES), len(LEAF_HUES)))
        h.write("#define LUMORES_DOOR_HUES %d\n#define LUMORES_DROP_HUES %d\n" % (len(DOOR_HUES), len(DROP_HUES)))
        h.write("#define LUMORES_DOOR_COLORS {%s}\n" % ", ".join("0x%06X" % (b << 16 | g << 8 | r) for r, g, b in DOOR_HUES))
        h.write("#define LUMORES_DROP_COLORS {%s}\n" % ", ".join("0x%06X" % (b << 16 | g << 8 | r) for r, g, b in DROP_HUES))
        h.write("// The 150 % and 200 % copies of a bitmap: its id plus these offsets.\n")
        h.write("#define LUMORES_ID_150 %d\n#define LUMORES_ID_200 %d\n" % (SCALE_ID_OFFSETS[1][2], SCALE_ID_OFFSETS[2][2]))
        h.write(skin_header())
        for rid, sym, _ in entries:
            h.write("#define %s %d\n" % (sym, rid))
    with open(os.path.join(out, "bitmaps.rc"), "w") as rc:
        rc.write("// Generated by gen_bitmaps.py\n")
        for offset, suffix, scale_entries in scaled:
            for rid, sym, img in scale_entries:
                name = sym.lower() + suffix + ".bmp"
                with open(os.path.join(out, name), "wb") as f:
                    f.write(img.bmp())
                rc.write('%d BITMAP "%s"\n' % (rid + offset, name))


if __name__ == "__main__":
    main()
