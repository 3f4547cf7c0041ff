#!/usr/bin/env python3
"""Draws the program icon, app/textmd5.ico: one 32x32 image with 32 bits per pixel.

A blue rounded square holding three lines of "text" above a row of orange
digest cells. Run it again after changing the drawing; the .ico is committed.
"""
import struct
from pathlib import Path

SIZE = 32
BLUE = (0x1F, 0x5F, 0xA8, 0xFF)
WHITE = (0xFF, 0xFF, 0xFF, 0xFF)
ORANGE = (0xF2, 0x9A, 0x1E, 0xFF)
CLEAR = (0, 0, 0, 0)


def inside_rounded_square(x, y, radius=6):
    lo, hi = radius, SIZE - 1 - radius
    cx = min(max(x, lo), hi)
    cy = min(max(y, lo), hi)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def pixel(x, y):
    if not inside_rounded_square(x, y):
        return CLEAR
    for top, length in ((6, 20), (11, 16), (16, 18)):  # lines of text
        if top <= y < top + 2 and 6 <= x < 6 + length:
            return WHITE
    if 22 <= y < 26 and 6 <= x < 26 and (x - 6) % 5 < 4:  # digest cells
        return ORANGE
    return BLUE


def main():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    and_rows = []
    for row in reversed(rows):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (31 - x)
        and_rows.append(struct.pack(">I", bits))
    mask = b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    Path(__file__).with_name("textmd5.ico").write_bytes(directory + image)


if __name__ == "__main__":
    main()
