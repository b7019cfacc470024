#!/usr/bin/env python3
"""Draws the program icon (a key cap with a T and a typing caret on a blue tile) and
writes it as a multi-size .ico: 16, 32 and 48 as 32-bit bitmaps, 256 as PNG.

    python3 res/make_icon.py res/tapwell.ico
"""
import struct
import sys
import zlib

SUPER = 4  # samples per pixel edge


def rounded(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def sample(u, v):
    """Colour (r, g, b, a) at unit coordinates u, v in [0, 1)."""
    if not rounded(u, v, 0.02, 0.02, 0.98, 0.98, 0.18):
        return (0, 0, 0, 0)
    colour = (0x1F, 0x5F, 0xB8, 255)  # tile
    if rounded(u, v, 0.17, 0.20, 0.83, 0.86, 0.10):
        colour = (0x15, 0x3E, 0x78, 255)  # key cap's shadow side
    if rounded(u, v, 0.17, 0.14, 0.83, 0.78, 0.10):
        colour = (0xF4, 0xF7, 0xFB, 255)  # key cap
    if rounded(u, v, 0.25, 0.20, 0.75, 0.70, 0.07):
        colour = (0xFF, 0xFF, 0xFF, 255)  # key top
    # A T on the key, its stem ending in a typing caret's underline.
    ink = (0x1F, 0x5F, 0xB8, 255)
    if 0.33 <= u <= 0.67 and 0.28 <= v <= 0.36:
        colour = ink
    if 0.46 <= u <= 0.54 and 0.28 <= v <= 0.60:
        colour = ink
    if 0.56 <= u <= 0.66 and 0.56 <= v <= 0.61:
        colour = (0xE0, 0x6A, 0x1B, 255)
    return colour


def render(size):
    rows = []
    n = SUPER * SUPER
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    c = sample((x + (sx + 0.5) / SUPER) / size, (y + (sy + 0.5) / SUPER) / size)
                    a = c[3]
                    acc[0] += c[0] * a
                    acc[1] += c[1] * a
                    acc[2] += c[2] * a
                    acc[3] += a
            a = acc[3]
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[0] // a, acc[1] // a, acc[2] // a, a // n))
        rows.append(row)
    return rows


def bmp_entry(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(
        bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_stride * size)  # alpha decides; the mask is all opaque
    return header + pixels + mask


def png_entry(rows):
    size = len(rows)
    raw = b"".join(b"\0" + b"".join(bytes(px) for px in row) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(path):
    images = []
    for size in (16, 32, 48, 256):
        rows = render(size)
        images.append((size, png_entry(rows) if size == 256 else bmp_entry(rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        dim = 0 if size == 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "tapwell.ico")
