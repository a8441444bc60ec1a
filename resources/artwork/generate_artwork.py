#!/usr/bin/env python3
"""Writes the program's bitmaps and cursors as XPM files into this folder.

Glyphs are black on white: they are combined with the paper by a bitwise AND, so white is
transparent. Curved glyphs (clefs, note heads, rests) are drawn as thick strokes along
smooth curves; small glyphs (accidentals, lettering, cursors) are pixel maps written out
below. Run it again after changing a glyph: `python3 generate_artwork.py`.
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
GREY = (150, 150, 150)
CYAN = (0, 255, 255)
NONE = None  # transparent, cursors only


class Image:
    def __init__(self, width, height, fill=WHITE):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def paste(self, other, ox, oy):
        for y in range(other.height):
            for x in range(other.width):
                self.set(ox + x, oy + y, other.get(x, y))

    def write_xpm(self, name):
        colours = sorted({c for row in self.pixels for c in row}, key=lambda c: (c is None, c))
        symbols = ".#abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
        code = {c: symbols[i] for i, c in enumerate(colours)}
        ident = name.replace("-", "_")
        lines = [f'"{self.width} {self.height} {len(colours)} 1",']
        for c in colours:
            value = "None" if c is None else "#%02X%02X%02X" % c
            lines.append(f'"{code[c]} c {value}",')
        rows = ['"' + "".join(code[c] for c in row) + '"' for row in self.pixels]
        body = "\n".join(lines + [",\n".join(rows)])
        with open(os.path.join(HERE, name + ".xpm"), "w") as out:
            out.write(f"/* XPM */\nstatic const char* {ident}[] = {{\n{body}\n}};\n")


def from_map(rows, palette):
    image = Image(len(rows[0]), len(rows))
    for y, row in enumerate(rows):
        assert len(row) == image.width, (row, image.width)
        for x, ch in enumerate(row):
            image.set(x, y, palette[ch])
    return image


GLYPH = {".": WHITE, "#": BLACK, "g": GREY}


# --- strokes -------------------------------------------------------------------------------

def catmull_rom(points, samples=24):
    """Smooth curve through (x, y, radius) points."""
    out = []
    pts = [points[0]] + points + [points[-1]]
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for s in range(samples):
            t = s / samples
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * (2 * p1[k] + (-p0[k] + p2[k]) * t + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                       + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3) for k in range(3)))
    out.append(points[-1])
    return out


def stroke(image, points, colour=BLACK):
    """Stamps discs of the given radius along the curve; pixel centres inside are set."""
    for (cx, cy, r) in catmull_rom(points):
        for y in range(int(cy - r - 1), int(cy + r + 2)):
            for x in range(int(cx - r - 1), int(cx + r + 2)):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    image.set(x, y, colour)


def disc(image, cx, cy, r, colour=BLACK):
    for y in range(image.height):
        for x in range(image.width):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                image.set(x, y, colour)


# --- clefs ---------------------------------------------------------------------------------

def treble_clef():
    # 24 x 41, blitted with its top 7 pixels above the top staff line: the staff lines fall
    # on rows 7, 13, 19, 25 and 31, and the spiral winds round the G line (row 25).
    image = Image(24, 41)
    path = [
        (8.0, 36.5, 1.0), (9.5, 39.0, 1.0), (12.5, 39.3, 1.0), (14.6, 37.0, 1.0),
        (14.4, 33.0, 0.9), (13.6, 26.0, 0.9), (12.8, 18.0, 0.9), (12.2, 10.0, 0.9),
        (12.6, 4.0, 1.0), (14.6, 1.0, 1.1), (16.9, 2.2, 1.2), (17.2, 6.0, 1.4),
        (15.0, 10.5, 1.6), (11.2, 14.6, 1.9), (7.4, 18.6, 2.0), (5.0, 23.0, 2.0),
        (5.2, 28.0, 1.8), (8.0, 31.6, 1.3), (12.5, 32.8, 1.0), (17.0, 31.0, 1.0),
        (19.2, 27.0, 1.2), (18.2, 22.6, 1.3), (14.6, 20.8, 1.2), (10.8, 22.4, 1.0),
        (9.6, 25.6, 0.9), (11.5, 27.8, 0.9),
    ]
    stroke(image, path)
    disc(image, 8.6, 36.0, 2.1)  # the ball at the end of the tail
    return image


def bass_clef():
    # 22 x 30, blitted 3 pixels above the top staff line: staff lines on rows 3, 9, 15, 21,
    # 27. The ball and the two dots frame the F line (row 9).
    image = Image(22, 30)
    path = [
        (4.5, 8.6, 1.0), (4.2, 5.6, 1.0), (7.0, 3.2, 1.0), (10.8, 3.0, 1.2),
        (14.2, 5.0, 1.7), (15.6, 9.0, 2.0), (15.0, 13.8, 1.9), (12.4, 18.6, 1.6),
        (8.4, 22.8, 1.2), (4.2, 25.8, 0.9), (1.2, 27.4, 0.7),
    ]
    stroke(image, path)
    disc(image, 4.6, 9.6, 2.6)
    disc(image, 19.6, 6.6, 1.5)
    disc(image, 19.6, 12.6, 1.5)
    return image


# --- note heads and notes ------------------------------------------------------------------

# A filled note head, 9 x 7, slanted up to the right as engraved heads are; "o" marks the
# hole of the open head.
HEAD = [
    "...#####.",
    ".########",
    "####ooo##",
    "###ooo###",
    "##ooo####",
    "########.",
    ".#####...",
]


def draw_head(image, top, filled=BLACK, hollow=False):
    """A head in columns 0..8 and rows top..top+6, centred on row top + 3. A highlighted
    head keeps its black rim and is shaded inside; an open head has a slanted hole."""
    cells = {(x, y) for y, row in enumerate(HEAD) for x, ch in enumerate(row) if ch != "."}
    for (x, y) in cells:
        edge = any((x + dx, y + dy) not in cells for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        if hollow:
            colour = WHITE if HEAD[y][x] == "o" else BLACK
        else:
            colour = BLACK if edge else filled
        image.set(x, top + y, colour)


def note_stem_up(filled):
    # 10 x 28: head on rows 20..26, stem on the head's right edge up to row 1.
    image = Image(10, 28)
    draw_head(image, 20, filled)
    for y in range(1, 23):
        image.set(8, y, BLACK)
    return image


def note_stem_down(filled):
    # 10 x 28: head on rows 1..7, stem on the head's left edge down to row 26.
    image = Image(10, 28)
    draw_head(image, 1, filled)
    for y in range(5, 27):
        image.set(0, y, BLACK)
    return image


def open_head():
    image = Image(10, 7)
    draw_head(image, 0, hollow=True)
    return image


REST = [
    "..#....",
    "..##...",
    "...##..",
    "...###.",
    "..####.",
    ".####..",
    ".###...",
    "..##...",
    "...##..",
    "...###.",
    "....###",
    "...###.",
    "..##...",
    ".##....",
    ".##....",
    "..##...",
    "..####.",
    "...####",
    ".....#.",
    ".......",
]

# Accidentals, 5 x 14. The sharp and the natural centre on row 6 (they are blitted 3 pixels
# above the head's glyph top); the flat's loop centres on row 9 (blitted 6 above).
DIEZ = [
    ".#...",
    ".#.#.",
    ".#.#.",
    ".#.##",
    "#####",
    "##.#.",
    ".#.#.",
    ".#.##",
    "#####",
    "##.#.",
    ".#.#.",
    ".#.#.",
    ".#.#.",
    "...#.",
]
BEMOL = [
    "#....",
    "#....",
    "#....",
    "#....",
    "#....",
    "#....",
    "#....",
    "#.##.",
    "##..#",
    "#...#",
    "#..#.",
    "#.#..",
    "##...",
    "#....",
]
BECAR = [
    ".#...",
    ".#...",
    ".#...",
    ".#..#",
    ".####",
    ".##.#",
    ".#..#",
    ".#..#",
    ".#.##",
    ".####",
    ".#..#",
    "....#",
    "....#",
    "....#",
]


def score():
    # Five 23-pixel staff-line pieces 6 pixels apart, to restore lines under an erased note.
    image = Image(32, 30)
    for row in (0, 6, 12, 18, 24):
        for x in range(23):
            image.set(x, row, BLACK)
    return image


# --- shaped note heads ---------------------------------------------------------------------

def polygon_inside(points):
    def inside(x, y):
        px, py = x + 0.5, y + 0.5
        result = False
        for i in range(len(points)):
            (x1, y1), (x2, y2) = points[i], points[(i + 1) % len(points)]
            if (y1 > py) != (y2 > py):
                if px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                    result = not result
        return result
    return inside


def ellipse_inside(cx, cy, a, b):
    return lambda x, y: ((x + 0.5 - cx) / a) ** 2 + ((y + 0.5 - cy) / b) ** 2 <= 1.0


def drop_inside(x, y):
    # a round top (rows 0..5) narrowing to a point at the bottom centre
    if y + 0.5 <= 4.5:
        return ellipse_inside(6.5, 4.5, 6.5, 4.5)(x, y)
    return polygon_inside([(0.0, 4.5), (13.0, 4.5), (6.5, 9.0)])(x, y)


SHAPES = {
    # name: (inside test on the 13 x 9 box, fill colour)
    "Do": (polygon_inside([(6.5, 0.0), (13.0, 9.0), (0.0, 9.0)]), (255, 110, 110)),
    "Re": (polygon_inside([(0.0, 0.0), (13.0, 0.0), (13.0, 3.5), (6.5, 9.0), (0.0, 3.5)]),
           (255, 170, 80)),
    "Mi": (polygon_inside([(6.5, 0.0), (13.0, 4.5), (6.5, 9.0), (0.0, 4.5)]), (240, 220, 60)),
    "Fa": (polygon_inside([(0.0, 0.0), (13.0, 9.0), (0.0, 9.0)]), (120, 210, 110)),
    "Sol": (ellipse_inside(6.5, 4.5, 6.5, 4.5), (110, 170, 255)),
    "La": (polygon_inside([(0.0, 0.0), (13.0, 0.0), (13.0, 9.0), (0.0, 9.0)]), (170, 130, 240)),
    "Si": (drop_inside, (240, 130, 220)),
}


def shaped_head(inside, fill):
    image = Image(13, 9)
    cells = {(x, y) for y in range(9) for x in range(13) if inside(x, y)}
    for (x, y) in cells:
        edge = any((x + dx, y + dy) not in cells for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        image.set(x, y, BLACK if edge else fill)
    return image


# --- lettering -----------------------------------------------------------------------------

FONT = {  # 5 x 7 capitals, thickened to 6 x 7 and doubled in height for the banner
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "N": ["#...#", "##..#", "#.#.#", "#.#.#", "#..##", "#...#", "#...#"],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "!": ["..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."],
}


def congrats():
    text = "CONGRATULATIONS!"
    image = Image(136, 14)
    advance = 8
    x0 = (136 - (len(text) * advance - 2)) // 2
    for i, ch in enumerate(text):
        glyph = FONT[ch]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == "#":
                    for dx in (0, 1):
                        for dy in (0, 1):
                            image.set(x0 + i * advance + gx + dx, gy * 2 + dy, BLACK)
    return image


# --- microphone button ---------------------------------------------------------------------

def mic_frame(off, pressed):
    face = (192, 192, 192)
    light, dark, darker = (240, 240, 240), (128, 128, 128), (64, 64, 64)
    image = Image(26, 24, face)
    for x in range(26):
        image.set(x, 0, dark if pressed else light)
        image.set(x, 23, darker if not pressed else light)
    for y in range(24):
        image.set(0, y, dark if pressed else light)
        image.set(25, y, darker if not pressed else light)
    if not pressed:
        for x in range(1, 25):
            image.set(x, 22, dark)
        for y in range(1, 23):
            image.set(24, y, dark)
    shift = 1 if pressed else 0
    body = (40, 40, 48)
    # capsule
    for y in range(4, 13):
        for x in range(10, 16):
            corner = (y in (4, 12)) and x in (10, 15)
            if not corner:
                image.set(x + shift, y + shift, body)
    for y in (6, 8, 10):
        for x in (11, 13):
            image.set(x + shift, y + shift, (110, 110, 120))
    # holder: a U around the lower capsule, then the stand and its foot
    for y in range(9, 15):
        image.set(8 + shift, y + shift, body)
        image.set(17 + shift, y + shift, body)
    for x in range(9, 17):
        image.set(x + shift, 15 + shift, body)
    for y in range(16, 19):
        image.set(12 + shift, y + shift, body)
        image.set(13 + shift, y + shift, body)
    for x in range(9, 17):
        image.set(x + shift, 19 + shift, body)
    if off:
        red = (210, 20, 20)
        for t in range(17):
            for w in (0, 1):
                image.set(5 + t + w + shift, 2 + t + shift, red)
                image.set(21 - t - w + shift, 2 + t + shift, red)
    return image


def mic_strip():
    strip = Image(104, 24)
    for i, (off, pressed) in enumerate([(False, False), (False, True), (True, False), (True, True)]):
        strip.paste(mic_frame(off, pressed), 26 * i, 0)
    return strip


# --- cursors (32 x 32, transparent outside the outline) ------------------------------------

CURSOR = {" ": NONE, "#": BLACK, "o": WHITE}

POINTING_HAND = [  # hot spot at the fingertip (6, 0)
    "     ##         ",
    "    #oo#        ",
    "    #oo#        ",
    "    #oo#        ",
    "    #oo#        ",
    "    #oo###      ",
    "    #oo#oo###   ",
    "    #oo#oo#oo## ",
    " ## #oo#oo#oo#o#",
    "#oo##oooooooo#o#",
    "#ooo#oooooooooo#",
    " #oooooooooooo# ",
    "  #ooooooooooo# ",
    "  #oooooooooooo#",
    "   #ooooooooooo#",
    "   #oooooooooo# ",
    "    #ooooooooo# ",
    "    #ooooooooo# ",
    "     #########  ",
]

# The finger bent down onto a key: the pointing hand below its knuckles,
# with strokes for the tap; hot spot at (6, 4).
PRESSING_HAND = [
    "                ",
    "  #  #  #       ",
    "   #   #        ",
    "                ",
    "     ##         ",
] + POINTING_HAND[5:]

OPEN_HAND = [  # hot spot at the middle fingertip (8, 0)
    "       ##        ",
    "    ## #o#       ",
    "   #o##oo###     ",
    "   #oo#oo#oo#    ",
    "    #o#oo#oo#    ",
    "    #oo#o#oo# ## ",
    "     #o#oo#o##oo#",
    " ##  #oo#o#o#oo# ",
    "#oo# #ooooooo#o# ",
    "#ooo#oooooooooo# ",
    " #oo#ooooooooo#  ",
    "  #oooooooooooo# ",
    "  #ooooooooooo#  ",
    "   #oooooooooo#  ",
    "    #ooooooooo#  ",
    "    #oooooooo#   ",
    "     #ooooooo#   ",
    "      #######    ",
]


def cursor(rows):
    image = Image(32, 32, NONE)
    image.paste(from_map([r.ljust(len(max(rows, key=len))) for r in rows], CURSOR), 0, 0)
    return image


def main():
    images = {
        "sol": treble_clef(),
        "fa": bass_clef(),
        "note": open_head(),
        "note1": note_stem_up(BLACK),
        "note2": note_stem_down(BLACK),
        "note10": note_stem_up(GREY),
        "note20": note_stem_down(GREY),
        "rest": from_map(REST, GLYPH),
        "score": score(),
        "diez": from_map(DIEZ, GLYPH),
        "bemol": from_map(BEMOL, GLYPH),
        "becar": from_map(BECAR, GLYPH),
        "congrats": congrats(),
        "micbutton": mic_strip(),
        "keyboard_cursor": cursor(POINTING_HAND),
        "pressed_key_cursor": cursor(PRESSING_HAND),
        "hand_cursor": cursor(OPEN_HAND),
    }
    for name, (inside, fill) in SHAPES.items():
        images[name.lower() + "_shape"] = shaped_head(inside, fill)
        images[name.lower() + "_shape2"] = shaped_head(inside, CYAN)
    doshape = Image(16, 15)
    doshape.paste(images["do_shape"], 0, 0)
    images["doshape"] = doshape
    for name, image in images.items():
        image.write_xpm(name)


if __name__ == "__main__":
    main()
