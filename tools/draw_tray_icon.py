#!/usr/bin/env python3
"""Draws the notification-area icon: a white capital Q on a blue square.

Writes a one-image icon file, 64x64 pixels at 24 bits, to the path given
(assets/tray_icon.ico by default). The picture comes from integer geometry
sampled 4x4 times per pixel, so every run writes the same bytes and the
committed file can be checked against a fresh one.
"""

import struct
import sys
from pathlib import Path

SIZE = 64
BLUE = (46, 131, 195)  # R, G, B
WHITE = (255, 255, 255)
SUB = 4  # samples per pixel along each axis
UNIT = 2 * SUB  # coordinates are in 1/UNIT pixel: sample centres fall on odd units

# The letter, in pixels: an elliptic ring for the bowl ...
CENTRE = (32, 30)
OUTER = (20, 22)  # half-axes, x and y
INNER = (12, 14)
# ... and a straight tail across its lower right, from (x, y) to (x, y).
TAIL = ((36, 38), (52, 56))
TAIL_HALF_WIDTH = 4


def inside_ellipse(x, y, half_axes):
    """x, y relative to CENTRE, all in units."""
    a, b = (h * UNIT for h in half_axes)
    return x * x * b * b + y * y * a * a <= a * a * b * b


def near_tail(x, y):
    """Within TAIL_HALF_WIDTH of the tail segment; x, y absolute, in units."""
    (ax, ay), (bx, by) = ((px * UNIT, py * UNIT) for px, py in TAIL)
    dx, dy = bx - ax, by - ay
    px, py = x - ax, y - ay
    length2 = dx * dx + dy * dy
    dot = px * dx + py * dy
    limit = (TAIL_HALF_WIDTH * UNIT) ** 2
    if dot <= 0:
        return px * px + py * py <= limit
    if dot >= length2:
        qx, qy = x - bx, y - by
        return qx * qx + qy * qy <= limit
    # Squared distance to the line, times length2, in integers.
    return (px * px + py * py) * length2 - dot * dot <= limit * length2


def covered(x, y):
    cx, cy = x - CENTRE[0] * UNIT, y - CENTRE[1] * UNIT
    ring = inside_ellipse(cx, cy, OUTER) and not inside_ellipse(cx, cy, INNER)
    return ring or near_tail(x, y)


def pixel(column, row):
    """(R, G, B) of a pixel; row 0 is the top."""
    hits = sum(
        covered(column * UNIT + 2 * i + 1, row * UNIT + 2 * j + 1) for i in range(SUB) for j in range(SUB)
    )
    total = SUB * SUB
    return tuple((b * (total - hits) + w * hits + total // 2) // total for b, w in zip(BLUE, WHITE))


def icon_bytes():
    pixels = bytearray()
    for row in reversed(range(SIZE)):  # bottom row first
        for column in range(SIZE):
            r, g, b = pixel(column, row)
            pixels += bytes((b, g, r))
    mask = bytes(SIZE * SIZE // 8)  # every pixel opaque; 8-byte rows need no padding
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 24, 0, 0, 0, 0, 0, 0)
    image = header + bytes(pixels) + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    # The bit count field says 8, as the icon has always said; readers take
    # the depth from the image's own header.
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 0, 8, len(image), len(directory) + 16)
    return directory + entry + image


def main():
    default = Path(__file__).resolve().parent.parent / "assets" / "tray_icon.ico"
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else default
    data = icon_bytes()
    assert len(data) == 12862, len(data)
    out.write_bytes(data)


if __name__ == "__main__":
    main()
