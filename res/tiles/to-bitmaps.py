#!/usr/bin/env python3
"""The tile faces for velmarto.exe: each SVG rasterised by rsvg-convert and written as a 32-bit
bitmap with premultiplied alpha, as GDI's AlphaBlend takes it, and a resource script naming them
TILE_5M, TILE_0P, TILE_BACK ...

    to-bitmaps.py RSVG_CONVERT HEIGHT OUT_DIR FACE.svg ...
"""
import pathlib
import struct
import subprocess
import sys
import zlib


def read_png(data):
    """Width, height and rows of RGBA bytes of an 8-bit RGBA, non-interlaced PNG."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("to-bitmaps: rsvg-convert wrote no PNG")
    at, idat, header = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if (depth, colour, interlace) != (8, 6, 0):
        raise SystemExit("to-bitmaps: expected 8-bit RGBA without interlacing")
    raw = zlib.decompress(idat)
    stride, rows, previous = width * 4, [], bytearray(width * 4)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - 4] if i >= 4 else 0
            up = previous[i]
            up_left = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                guess = left + up - up_left
                nearest = min((abs(guess - left), 0, left), (abs(guess - up), 1, up),
                              (abs(guess - up_left), 2, up_left))[2]
                row[i] = (row[i] + nearest) & 0xFF
        rows.append(row)
        previous = row
    return width, height, rows


def bitmap(width, height, rows):
    """A BMP file: bottom-up rows of blue, green, red, alpha, the colours premultiplied."""
    pixels = bytearray()
    for row in reversed(rows):
        for x in range(width):
            r, g, b, a = row[4 * x:4 * x + 4]
            pixels += bytes(((b * a + 127) // 255, (g * a + 127) // 255, (r * a + 127) // 255, a))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def main():
    rsvg, height, out = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    out.mkdir(parents=True, exist_ok=True)
    script = ["// Made by res/tiles/to-bitmaps.py from the faces in res/tiles."]
    for svg in map(pathlib.Path, sys.argv[4:]):
        png = subprocess.run([rsvg, "-h", height, str(svg)], check=True, capture_output=True).stdout
        target = out / f"{svg.stem}.bmp"
        target.write_bytes(bitmap(*read_png(png)))
        script.append(f'TILE_{svg.stem.upper()} BITMAP "{target.as_posix()}"')
    (out / "tiles.rc").write_text("\n".join(script) + "\n")


main()
