#!/usr/bin/env python3
"""Writes the program's icon: a rounded dark tile holding a 4 x 4 raster of grey cells, every
other row brighter, as an SVG and as PNGs of the usual sizes (pure Python, no image library).
Run it from this folder: python3 make-icons.py
"""
import struct
import zlib

GREYS = [
    [40, 90, 150, 230],
    [70, 130, 200, 250],
    [30, 60, 110, 170],
    [90, 160, 220, 255],
]
TILE = (38, 44, 52)
SIZES = [16, 24, 32, 48, 64, 128, 256]


def svg():
    cells = []
    for row, greys in enumerate(GREYS):
        for column, grey in enumerate(greys):
            cells.append(
                '  <rect x="%d" y="%d" width="44" height="44" rx="4" fill="rgb(%d,%d,%d)"/>'
                % (28 + column * 52, 28 + row * 52, grey, grey, grey))
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
            'viewBox="0 0 256 256">\n'
            '  <rect x="8" y="8" width="240" height="240" rx="36" fill="rgb(%d,%d,%d)"/>\n'
            '%s\n</svg>\n' % (TILE + ("\n".join(cells),)))


def inside_rounded(x, y, left, top, size, radius):
    right, bottom = left + size, top + size
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def pixel(x, y):
    """The colour at a point of the 256-unit design, as RGBA."""
    for row, greys in enumerate(GREYS):
        for column, grey in enumerate(greys):
            if inside_rounded(x, y, 28 + column * 52, 28 + row * 52, 44, 4):
                return (grey, grey, grey, 255)
    if inside_rounded(x, y, 8, 8, 240, 36):
        return TILE + (255,)
    return (0, 0, 0, 0)


def png(size):
    samples = 4  # per axis, for smooth edges
    rows = []
    for y in range(size):
        row = bytearray([0])
        for x in range(size):
            total = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    u = (x + (sx + 0.5) / samples) * 256 / size
                    v = (y + (sy + 0.5) / samples) * 256 / size
                    r, g, b, a = pixel(u, v)
                    total[0] += r * a
                    total[1] += g * a
                    total[2] += b * a
                    total[3] += a
            alpha = total[3] / (samples * samples)
            if total[3]:
                row += bytes(int(total[i] / total[3]) for i in range(3))
            else:
                row += bytes(3)
            row.append(int(alpha))
        rows.append(bytes(row))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
            + chunk(b"IEND", b""))


with open("icons/varneska.svg", "w") as out:
    out.write(svg())
for size in SIZES:
    with open("icons/varneska-%d.png" % size, "wb") as out:
        out.write(png(size))
