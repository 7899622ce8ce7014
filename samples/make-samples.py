#!/usr/bin/env python3
"""Writes the sample data files: fields of values from 0 to 10, laid out so that each file fills
the 240 x 240 plot window with a recognisable picture.

The raster pass puts token t (counted from 1) at row 0 for t <= 61 and otherwise at
row (t - 62) // 120 + 1, column (t - 62) % 120 + 1; cell (column, row) covers pixels x = 2 * column
to 2 * column + 2 and y = row to row + 1. Each value below is a function of that place.
Run it from this folder: python3 make-samples.py
"""
import math

ROWS = 240  # rows 1..239 fall inside the window


def place(t):
    if t <= 61:
        return 59 + t, 0
    return (t - 62) % 120 + 1, (t - 62) // 120 + 1


def write(name, value_at):
    tokens = 61 + 120 * (ROWS - 1)
    fields = []
    for t in range(1, tokens + 1):
        column, row = place(t)
        value = max(0.0, min(10.0, value_at(2 * column + 1, row)))
        fields.append(" %s " % format(round(value, 3), "g"))
    with open(name, "w", newline="") as out:
        out.write("".join(fields))


def gradient(x, y):
    return x / 24.0


def rings(x, y):
    distance = math.hypot(x - 120, y - 120)
    return 5.0 + 5.0 * math.cos(distance / 6.0)


def checker(x, y):
    return 10.0 if (x // 30 + y // 30) % 2 == 0 else 2.0


def sine_waves(x, y):
    return 5.0 + 2.5 * math.sin(x / 15.0) + 2.5 * math.cos(y / 20.0)


write("gradient.txt", gradient)
write("rings.txt", rings)
write("checker.txt", checker)
write("waves.txt", sine_waves)
