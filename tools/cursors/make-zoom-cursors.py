#!/usr/bin/env python3
"""Draws the preview's two zoom cursors (a magnifying glass with a plus or a minus) and
writes them as 32 x 32 monochrome .cur files. Run it again after changing the drawing:

    tools/cursors/make-zoom-cursors.py engine/res
"""
import math
import struct
import sys
from pathlib import Path

SIZE = 32
CENTRE = (12.0, 12.0)  # the lens, and the hot spot
RADIUS = 9.0


def shape(sign):
    """Each pixel: None transparent, 0 black, 1 white."""
    grid = [[None] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x + 0.5 - CENTRE[0], y + 0.5 - CENTRE[1])
            if d <= RADIUS - 1.5:
                grid[y][x] = 1  # the glass
            elif d <= RADIUS + 0.5:
                grid[y][x] = 0  # its rim
            # The handle: a thick diagonal bar from the rim outwards, outlined in white.
            t = (x + 0.5 - CENTRE[0] + y + 0.5 - CENTRE[1]) / 2
            off = abs((x + 0.5 - CENTRE[0]) - (y + 0.5 - CENTRE[1])) / math.sqrt(2)
            if RADIUS * 0.72 < t < 17.5:
                if off <= 2.0:
                    grid[y][x] = 0
                elif off <= 3.0 and grid[y][x] is None:
                    grid[y][x] = 1
    cx, cy = int(CENTRE[0]), int(CENTRE[1])
    for i in range(-5, 5):
        for w in (0, -1):
            grid[cy + w][cx + i] = 0  # the minus, two pixels thick
            if sign == "+":
                grid[cy + i][cx + w] = 0
    return grid


def cur_bytes(grid, hotspot):
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):  # bottom-up
        xor_bits = and_bits = 0
        for x in range(SIZE):
            v = grid[y][x]
            bit = 1 << (SIZE - 1 - x)
            if v is None:
                and_bits |= bit
            elif v == 1:
                xor_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(image), 22)
    return directory + entry + image


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    hotspot = (int(CENTRE[0]), int(CENTRE[1]))
    for name, sign in (("ZoomIn.cur", "+"), ("ZoomOut.cur", "-")):
        (out / name).write_bytes(cur_bytes(shape(sign), hotspot))


if __name__ == "__main__":
    main()
