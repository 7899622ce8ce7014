#!/usr/bin/env python3
"""The picture of the end-to-end test.

write FILE: a data file whose row 1 holds the values col % 11 and whose row 3 holds
10 - col % 11, for the columns 1 to 120; row 0 (61 values) and row 2 (120 values) hold 0.
check PPM: compares a screenshot of the plot window with the picture that file must give.

A painted cell of column c covers the pixels x = 2c to 2c + 2, and the next cell paints over
its last column, so pixel x shows column x // 2; row r covers y = r and r + 1. The grey is
value * ratio * 255 truncated, with ratio (10 - 0) / 100 from the range of the values.
"""
import os
import sys

RATIO = (10 - 0) / 100


def values():
    fields = [0] * 61
    fields += [c % 11 for c in range(1, 121)]
    fields += [0] * 120
    fields += [10 - c % 11 for c in range(1, 121)]
    return fields


def grey(value):
    return int(value * RATIO * 255)


def expected(x, y):
    """The grey at (x, y), or None for the window's background."""
    column = x // 2
    if column < 1 or column > 120:
        return None
    if y in (1, 2):
        return grey(column % 11)
    if y in (3, 4):
        return grey(10 - column % 11)
    return None


def write(path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="") as out:
        out.write("".join(" %d " % v for v in values()))


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    parts = []
    position = 0
    while len(parts) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position)
            continue
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        parts.append(data[position:end])
        position = end
    position += 1
    magic, width, height, depth = parts[0], int(parts[1]), int(parts[2]), int(parts[3])
    if magic != b"P6" or depth != 255:
        raise SystemExit("not a binary 8-bit PPM")
    pixels = data[position:position + width * height * 3]
    return width, height, lambda x, y: tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3])


def check(path):
    width, height, pixel = read_ppm(path)
    if (width, height) != (240, 240):
        raise SystemExit("plot window is %dx%d, not 240x240" % (width, height))
    background = pixel(0, 0)
    wrong = []
    for y in range(height):
        for x in range(width):
            want = expected(x, y)
            want = background if want is None else (want, want, want)
            if pixel(x, y) != want:
                wrong.append((x, y, pixel(x, y), want))
    if wrong:
        print("%d pixels differ; first: %s" % (len(wrong), wrong[:5]))
        raise SystemExit(1)
    print("plot window matches the expected picture: 240x240, %d painted pixels"
          % sum(expected(x, y) is not None for y in range(height) for x in range(width)))


if __name__ == "__main__":
    {"write": write, "check": check}[sys.argv[1]](sys.argv[2])
