#!/usr/bin/env python3
"""Draws the extension's toolbar icons, extension/icons/icon-<n>.png for
n = 16, 32, 48, 128: a page with a folded corner on a blue rounded square,
and an arrow down into it (save). Python's standard library only; the
shapes are measured on a unit square and sampled 4 x 4 per pixel, so every
size is drawn from the same figure.

    python3 tools/make-icons.py [output folder]"""

import os
import struct
import sys
import zlib

SIZES = (16, 32, 48, 128)
BLUE = (0x1F, 0x5F, 0xBF)
WHITE = (0xFF, 0xFF, 0xFF)
SAMPLES = 4


def inside_rounded_square(x, y, margin, radius):
    lo, hi = margin + radius, 1 - margin - radius
    dx = max(lo - x, 0, x - hi)
    dy = max(lo - y, 0, y - hi)
    return dx * dx + dy * dy <= radius * radius


def inside_page(x, y):
    # A sheet with its top right corner folded away.
    return 0.26 <= x <= 0.74 and 0.18 <= y <= 0.84 and (x - 0.60) <= (y - 0.18)


def inside_arrow(x, y):
    shaft = 0.45 <= x <= 0.55 and 0.30 <= y <= 0.56
    head = 0.52 <= y <= 0.74 and abs(x - 0.5) <= (0.74 - y) * 0.9
    return shaft or head


def colour_at(x, y):
    """The colour at a point of the unit square, or None outside the icon."""
    if not inside_rounded_square(x, y, 0.02, 0.18):
        return None
    if inside_page(x, y) and not inside_arrow(x, y):
        return WHITE
    return BLUE


def pixel(size, column, row):
    red = green = blue = alpha = 0
    for i in range(SAMPLES):
        for j in range(SAMPLES):
            colour = colour_at((column + (i + 0.5) / SAMPLES) / size,
                               (row + (j + 0.5) / SAMPLES) / size)
            if colour:
                red, green, blue, alpha = red + colour[0], green + colour[1], blue + colour[2], alpha + 1
    if alpha == 0:
        return b"\0\0\0\0"
    return bytes((red // alpha, green // alpha, blue // alpha, 255 * alpha // SAMPLES**2))


def png(size):
    rows = b"".join(b"\0" + b"".join(pixel(size, c, r) for c in range(size)) for r in range(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "extension", "icons")
    os.makedirs(folder, exist_ok=True)
    for size in SIZES:
        with open(os.path.join(folder, f"icon-{size}.png"), "wb") as f:
            f.write(png(size))


if __name__ == "__main__":
    main()
