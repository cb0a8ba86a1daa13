#!/usr/bin/python3
"""Draws the program icon, zentolo.ico: the header's logo, a grid glyph on a
square shaded from light to steel blue, as seven 32-bit PNG images (16 to 256
pixels). Run it again after changing the picture and commit the result.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys
import zlib

SIZES = [16, 24, 32, 48, 64, 128, 256]
TOP = (208, 230, 246)
BOTTOM = (101, 134, 164)
INK = (15, 29, 40)
SUPERSAMPLE = 4


def coverage(u, v):
    """Colour and opacity of the picture at (u, v) in [0, 1)^2."""
    r = 0.16  # corner radius of the square
    cu = min(max(u, r), 1 - r)
    cv = min(max(v, r), 1 - r)
    if (u - cu) ** 2 + (v - cv) ** 2 > r * r:
        return None
    shade = tuple(round(t + (b - t) * v) for t, b in zip(TOP, BOTTOM))
    # The glyph: a square outline split into three by three cells.
    lo, hi, w = 0.22, 0.78, 0.065
    if lo - w / 2 <= u <= hi + w / 2 and lo - w / 2 <= v <= hi + w / 2:
        lines = [lo + (hi - lo) * k / 3 for k in range(4)]
        if any(abs(u - x) <= w / 2 for x in lines) or any(abs(v - y) <= w / 2 for y in lines):
            return INK
    return shade


def render(size):
    rows = []
    n = SUPERSAMPLE
    for y in range(size):
        row = bytearray([0])  # filter: none
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    c = coverage((x + (sx + 0.5) / n) / size, (y + (sy + 0.5) / n) / size)
                    if c is not None:
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                        acc[3] += 1
            a = acc[3]
            if a:
                row += bytes([round(acc[0] / a), round(acc[1] / a), round(acc[2] / a),
                              round(255 * a / (n * n))])
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return png(size, b''.join(rows))


def chunk(kind, data):
    body = kind + data
    return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)


def png(size, raw):
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    images = [render(s) for s in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        dim = 0 if size == 256 else size
        out += struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
