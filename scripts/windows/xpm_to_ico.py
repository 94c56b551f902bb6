#!/usr/bin/env python3
"""Turns the window icon (an XPM) into a Windows .ico for the exe's resources.

usage: xpm_to_ico.py icon.xpm out.ico

Writes the picture at its own size and at twice its size (pixels doubled),
32-bit with alpha, so Explorer has a small and a large icon. Reads the XPM
subset the program's images use: one character per pixel, colours given as
#rrggbb (or #rrrrggggbbbb) or None, under any of the keys c, g, g4, m, s.
"""
import struct
import sys


def read_xpm(path):
    text = open(path, encoding='ascii').read()
    strings = []
    i = 0
    while True:
        start = text.find('"', i)
        if start < 0:
            break
        end = text.find('"', start + 1)
        strings.append(text[start + 1:end])
        i = end + 1
    width, height, ncolours, cpp = (int(v) for v in strings[0].split()[:4])
    palette = {}
    for line in strings[1:1 + ncolours]:
        key, rest = line[:cpp], line[cpp:].split()
        colour = None
        for k in range(0, len(rest) - 1, 2):
            if rest[k] in ('c', 'g', 'g4', 'm', 's'):
                colour = rest[k + 1]
                if rest[k] == 'c':
                    break
        palette[key] = parse_colour(colour)
    rows = []
    for line in strings[1 + ncolours:1 + ncolours + height]:
        rows.append([palette[line[x * cpp:(x + 1) * cpp]] for x in range(width)])
    if len(rows) != height or any(len(r) != width for r in rows):
        raise SystemExit(f'{path}: not a {width}x{height} XPM')
    return rows


def parse_colour(text):
    if text is None or text.lower() == 'none':
        return (0, 0, 0, 0)
    if not text.startswith('#'):
        raise SystemExit(f'colour {text!r}: only #rgb values and None are read')
    digits = text[1:]
    n = len(digits) // 3
    r, g, b = (int(digits[i * n:(i + 1) * n], 16) >> (4 * n - 8) for i in range(3))
    return (r, g, b, 255)


def dib(rows):
    """One icon image: BITMAPINFOHEADER, BGRA rows bottom-up, then the AND mask."""
    height, width = len(rows), len(rows[0])
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + bytes(mask)


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    rows = read_xpm(sys.argv[1])
    doubled = [[p for p in row for _ in (0, 1)] for row in rows for _ in (0, 1)]
    images = [(len(r[0]), len(r), dib(r)) for r in (rows, doubled)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, data in images:
        out += struct.pack('<BBBBHHII', width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, _, data in images)
    with open(sys.argv[2], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
