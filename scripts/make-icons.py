#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files.

    make-icons.py OUT_DIR

lumora.ico: 32x32 at 8 bpp, 48x48 at 32 bpp, 32x32 at 32 bpp (the program's
icon); about.ico: 32x32 at 8 bpp and 32 bpp (the about window's). The artwork
is drawn here from shapes, so the build needs nothing but Python.
"""
import math
import struct
import sys
from pathlib import Path

SAMPLES = 4  # supersampling per axis, for smooth edges at 32 bpp


def inside_round_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def folder_with_eye(u, v):
    """Colour (r, g, b, a) at a point of the unit square: a folder with an eye."""
    colour = None
    if inside_round_rect(u, v, 0.06, 0.16, 0.46, 0.34, 0.05):  # tab
        colour = (214, 160, 40)
    if inside_round_rect(u, v, 0.06, 0.24, 0.94, 0.86, 0.07):  # body
        colour = (246, 196, 68) if v > 0.30 else (226, 172, 48)
    if colour is None:
        return (0, 0, 0, 0)
    # The eye: a lens shape with an iris and a pupil.
    ex, ey = (u - 0.50) / 0.36, (v - 0.57) / 0.20
    lens = abs(ey) <= (1 - ex * ex) if abs(ex) <= 1 else False
    r = math.hypot(u - 0.50, v - 0.57)
    if lens:
        colour = (255, 255, 255)
        if r <= 0.145:
            colour = (40, 110, 200)
        if r <= 0.065:
            colour = (15, 25, 45)
        if 0.025 <= math.hypot(u - 0.525, v - 0.54) <= 0.04 and u > 0.52:
            colour = (255, 255, 255)
    elif abs(ey) <= (1 - ex * ex) + 0.18 and abs(ex) <= 1.05:
        colour = (60, 50, 30)  # eyelid outline
    return colour + (255,)


def info_disc(u, v):
    """A blue disc with a white letter i."""
    r = math.hypot(u - 0.5, v - 0.5)
    if r > 0.46:
        return (0, 0, 0, 0)
    if r > 0.42:
        return (20, 70, 150, 255)
    if math.hypot(u - 0.5, v - 0.28) <= 0.07:
        return (255, 255, 255, 255)
    if inside_round_rect(u, v, 0.43, 0.40, 0.57, 0.76, 0.03):
        return (255, 255, 255, 255)
    return (40, 110, 200, 255)


def render(shape, size):
    """Rows of (r, g, b, a), top row first, with premultiplied averaging."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    u = (x + (sx + 0.5) / SAMPLES) / size
                    v = (y + (sy + 0.5) / SAMPLES) / size
                    r, g, b, a = shape(u, v)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if acc[3]:
                row.append(tuple(round(c / acc[3]) for c in acc[:3]) + (round(alpha),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def and_mask(rows, opaque):
    """The 1 bpp transparency mask, bottom row first, rows padded to 32 bits."""
    size = len(rows)
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, px in enumerate(row):
            if not opaque(px):
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def dib_header(size, bpp, colours):
    # The height counts the colour image and the mask together.
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0, colours, 0)


def image_32bpp(rows):
    size = len(rows)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    return dib_header(size, 32, 0) + bytes(pixels) + and_mask(rows, lambda p: p[3] > 0)


def image_8bpp(rows):
    """A 256-colour image: the 6x6x6 colour cube, no partial transparency."""
    size = len(rows)
    palette = bytearray()
    for i in range(256):
        if i < 216:
            r, g, b = (i // 36) * 51, (i // 6 % 6) * 51, (i % 6) * 51
        else:
            r = g = b = 0
        palette += bytes((b, g, r, 0))
    opaque = lambda p: p[3] >= 128
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for px in row:
            r, g, b, _ = px
            line.append(round(r / 51) * 36 + round(g / 51) * 6 + round(b / 51) if opaque(px) else 0)
        line += bytes((-len(line)) % 4)
        pixels += line
    return dib_header(size, 8, 256) + bytes(palette) + bytes(pixels) + and_mask(rows, opaque)


def write_ico(path, images):
    """images: (size, bpp, bytes) in directory order."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    directory = bytearray()
    data = bytearray()
    for size, bpp, blob in images:
        colours = 0 if bpp >= 8 else 1 << bpp
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bpp,
                                 len(blob), offset + len(data))
        data += blob
    path.write_bytes(header + bytes(directory) + bytes(data))


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    folder32 = render(folder_with_eye, 32)
    write_ico(out / "lumora.ico", [
        (32, 8, image_8bpp(folder32)),
        (48, 32, image_32bpp(render(folder_with_eye, 48))),
        (32, 32, image_32bpp(folder32)),
    ])
    disc32 = render(info_disc, 32)
    write_ico(out / "about.ico", [(32, 8, image_8bpp(disc32)), (32, 32, image_32bpp(disc32))])


if __name__ == "__main__":
    main()
