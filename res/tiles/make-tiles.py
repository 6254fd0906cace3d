#!/usr/bin/python3
"""Draws the tile faces as SVG, one file a tile, named in the hand notation (5m.svg, 0p.svg for a
red five, 7z.svg, back.svg face down), and the README's picture of them all (docs/velmarto-tiles.png,
through rsvg-convert). The files are committed: a build reads them as they are, the Qt backend
through its SVG module and the Windows build through rsvg-convert.

The characters are outlines taken from Noto Serif CJK JP Bold and, for the numerals, whose thin
strokes would fade when small, Noto Sans CJK JP Bold (fonts-noto-cjk, SIL Open Font License): the
faces look the same wherever they are drawn, with no font needed there.

    res/tiles/make-tiles.py   (scripts/install-deps tiles)
"""
import pathlib
import subprocess

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTCollection

FONT_DIR = "/usr/share/fonts/opentype/noto"
SERIF = ("NotoSerifCJK-Bold.ttc", "Noto Serif CJK JP Bold")
SANS = ("NotoSansCJK-Bold.ttc", "Noto Sans CJK JP Bold")
OUT = pathlib.Path(__file__).resolve().parent
SHEET = OUT.parent.parent / "docs" / "velmarto-tiles.png"
# The picture: a row a suit, the red five last, then the honours and a tile face down.
SHEET_ROWS = [[f"{n}{suit}" for n in (1, 2, 3, 4, 5, 6, 7, 8, 9, 0)] for suit in "mps"] + [
    [f"{n}z" for n in range(1, 8)] + ["back"]]
SHEET_GAP = 6

WIDTH, HEIGHT = 60, 80
# Every colour of a face is dark enough to read at the dialog's size (its luma at most 57 of 255),
# except the tile itself and its frame, which are lighter so that a face never reads by its frame.
INK = "#141414"
RED = "#a00000"
BLUE = "#13307e"
GREEN = "#04451f"
PAPER = "#fbf8ef"
FRAME = "#a39d8f"
BACK = "#2f7d68"

NUMERALS = "一二三四五六七八九"
# Strokes thickened beyond the font's bold, in face units, so that they fill whole pixels when
# the face is some 25 pixels high.
NUMERAL_BOLDER = 3
MAN_BOLDER = 1.2
HONOUR_BOLDER = 1
HONOURS = {"1z": ("東", INK), "2z": ("南", INK), "3z": ("西", INK), "4z": ("北", INK),
           "6z": ("發", GREEN), "7z": ("中", RED)}


class Font:
    def __init__(self, file_and_name):
        file, name = file_and_name
        for font in TTCollection(f"{FONT_DIR}/{file}").fonts:
            if font["name"].getDebugName(4) == name:
                self.glyphs = font.getGlyphSet()
                self.cmap = font.getBestCmap()
                self.em = font["head"].unitsPerEm
                return
        raise SystemExit(f"make-tiles: {name} not found in {FONT_DIR}/{file}")


FONTS = {"serif": Font(SERIF), "sans": Font(SANS)}


def number(value):
    return f"{value:.2f}".rstrip("0").rstrip(".")


def character(char, colour, box_x, box_y, box_w, box_h, size, face="serif", bolder=0):
    """The character's outline `size` units to the em, its ink centred in the box and shrunk to
    fit, its strokes `bolder` units thicker."""
    font = FONTS[face]
    glyph = font.glyphs[font.cmap[ord(char)]]
    bounds = BoundsPen(font.glyphs)
    glyph.draw(bounds)
    x0, y0, x1, y1 = bounds.bounds
    scale = min(size / font.em, box_w / (x1 - x0), box_h / (y1 - y0))
    dx = box_x + box_w / 2 - (x0 + x1) / 2 * scale
    dy = box_y + box_h / 2 + (y0 + y1) / 2 * scale
    pen = SVGPathPen(font.glyphs, ntos=number)
    glyph.draw(TransformPen(pen, (scale, 0, 0, -scale, dx, dy)))
    thicker = (f' stroke="{colour}" stroke-width="{number(bolder)}" stroke-linejoin="round"'
               if bolder else "")
    return f'<path fill="{colour}"{thicker} d="{pen.getCommands()}"/>'


def pin(x, y, r, colour):
    """A circle: a broad coloured ring round a white hole with a dot, which stays a ring when small."""
    return (f'<circle cx="{number(x)}" cy="{number(y)}" r="{number(r)}" fill="{colour}"/>'
            f'<circle cx="{number(x)}" cy="{number(y)}" r="{number(r * 0.42)}" fill="{PAPER}"/>'
            f'<circle cx="{number(x)}" cy="{number(y)}" r="{number(r * 0.17)}" fill="{colour}"/>')


def stick(x, y, w, h, colour):
    """A bamboo stick centred on (x, y): a solid bar cut by a node at its middle."""
    left, top = x - w / 2, y - h / 2
    node = max(h * 0.07, 1.4)
    return (f'<rect x="{number(left)}" y="{number(top)}" width="{number(w)}" height="{number(h)}" '
            f'rx="{number(w / 2)}" fill="{colour}"/>'
            f'<rect x="{number(left - 0.6)}" y="{number(y - node / 2)}" width="{number(w + 1.2)}" '
            f'height="{number(node)}" fill="{PAPER}"/>')


B, G, R = BLUE, GREEN, RED
# Circles by count: (x, y, colour) on the face's 60 x 80 grid, and their radius.
PINS = {
    2: ([(30, 23, G), (30, 57, B)], 14),
    3: ([(16, 18, B), (30, 40, R), (44, 62, G)], 11.5),
    4: ([(17, 21, B), (43, 21, G), (17, 59, G), (43, 59, B)], 12),
    5: ([(16, 18, B), (44, 18, G), (30, 40, R), (16, 62, G), (44, 62, B)], 10.5),
    6: ([(18, 16, G), (42, 16, G), (18, 41, R), (42, 41, R), (18, 64, R), (42, 64, R)], 10.5),
    7: ([(13, 12, G), (30, 19, G), (47, 26, G), (18, 46, R), (42, 46, R), (18, 66, R), (42, 66, R)],
        9),
    8: ([(x, y, B) for y in (12, 30.5, 49.5, 68) for x in (18, 42)], 8.6),
    9: ([(x, y, c) for y, c in ((16, B), (40, R), (64, G)) for x in (12.5, 30, 47.5)], 8),
}
# Sticks by count: (x, y, colour), and their width and height.
STICKS = {
    2: ([(30, 22, G), (30, 58, G)], 9, 30),
    3: ([(30, 22, G), (18, 58, G), (42, 58, G)], 9, 30),
    4: ([(18, 22, G), (42, 22, G), (18, 58, G), (42, 58, G)], 9, 30),
    5: ([(14, 22, G), (46, 22, G), (30, 40, R), (14, 58, G), (46, 58, G)], 8.5, 30),
    6: ([(x, y, G) for y in (22, 58) for x in (14, 30, 46)], 9, 30),
    7: ([(30, 14, R)] + [(x, y, G) for y in (38, 64) for x in (14, 30, 46)], 8.5, 22),
    8: ([(x, y, G) for y in (22, 58) for x in (11, 23.7, 36.3, 49)], 8, 30),
    9: ([(x, y, R if x == 30 else G) for y in (15, 40, 65) for x in (14, 30, 46)], 8.5, 21),
}


def red(shapes):
    return [(x, y, RED) for x, y, _ in shapes]


def suit_faces():
    faces = {}
    for n in range(1, 10):
        numeral = character(NUMERALS[n - 1], INK, 8, 6, 44, 30, 40, "sans", NUMERAL_BOLDER)
        faces[f"{n}m"] = numeral + character("萬", RED, 8, 41, 44, 34, 40, bolder=MAN_BOLDER)
    faces["0m"] = (character("五", RED, 8, 6, 44, 30, 40, "sans", NUMERAL_BOLDER) +
                   character("萬", RED, 8, 41, 44, 34, 40, bolder=MAN_BOLDER))

    faces["1p"] = (f'<circle cx="30" cy="40" r="25" fill="{GREEN}"/>'
                   f'<circle cx="30" cy="40" r="20" fill="{PAPER}"/>'
                   f'<circle cx="30" cy="40" r="16" fill="{BLUE}"/>'
                   f'<circle cx="30" cy="40" r="11" fill="{PAPER}"/>'
                   f'<circle cx="30" cy="40" r="7" fill="{RED}"/>')
    for n, (spots, radius) in PINS.items():
        faces[f"{n}p"] = "".join(pin(x, y, radius, c) for x, y, c in spots)
    spots, radius = PINS[5]
    faces["0p"] = "".join(pin(x, y, radius, c) for x, y, c in red(spots))

    faces["1s"] = (stick(30, 40, 14, 60, GREEN) +
                   f'<circle cx="30" cy="40" r="4" fill="{RED}"/>')
    for n, (spots, w, h) in STICKS.items():
        faces[f"{n}s"] = "".join(stick(x, y, w, h, c) for x, y, c in spots)
    spots, w, h = STICKS[5]
    faces["0s"] = "".join(stick(x, y, w, h, c) for x, y, c in red(spots))
    return faces


def honour_faces():
    faces = {name: character(char, colour, 7, 8, 46, 64, 52, bolder=HONOUR_BOLDER)
             for name, (char, colour) in HONOURS.items()}
    # 白 is a blank tile with a frame inside its edge.
    faces["5z"] = (f'<rect x="12" y="13" width="36" height="54" rx="2" fill="none" '
                   f'stroke="{BLUE}" stroke-width="6"/>')
    return faces


def tile_body(content, body=PAPER):
    return (f'<rect x="1" y="1" width="{WIDTH - 2}" height="{HEIGHT - 2}" rx="6" fill="{body}" '
            f'stroke="{FRAME}" stroke-width="1.5"/>{content}')


def tile(body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
            f'viewBox="0 0 {WIDTH} {HEIGHT}">{body}</svg>\n')


def sheet(bodies):
    step_x, step_y = WIDTH + SHEET_GAP, HEIGHT + SHEET_GAP
    width = max(map(len, SHEET_ROWS)) * step_x + SHEET_GAP
    height = len(SHEET_ROWS) * step_y + SHEET_GAP
    tiles = "".join(f'<g transform="translate({SHEET_GAP + x * step_x},{SHEET_GAP + y * step_y})">'
                    f'{bodies[name]}</g>'
                    for y, row in enumerate(SHEET_ROWS) for x, name in enumerate(row))
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}">'
            f'<rect width="{width}" height="{height}" fill="#f0f0f0"/>{tiles}</svg>')


def main():
    faces = {**suit_faces(), **honour_faces()}
    faces_down = (f'<rect x="6" y="6" width="{WIDTH - 12}" height="{HEIGHT - 12}" rx="3" '
                  f'fill="none" stroke="{PAPER}" stroke-opacity="0.5" stroke-width="1.5"/>')
    bodies = {name: tile_body(content) for name, content in faces.items()}
    bodies["back"] = tile_body(faces_down, BACK)
    for name, body in bodies.items():
        (OUT / f"{name}.svg").write_text(tile(body))
    subprocess.run(["rsvg-convert", "-o", str(SHEET)], input=sheet(bodies).encode(), check=True)


main()
