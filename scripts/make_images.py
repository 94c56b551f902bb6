#!/usr/bin/env python3
"""Draws the program's two XPM images: the splash picture and the window icon.

Run from the repository root; writes src/images/splash.xpm and src/images/icon.xpm.
The splash uses 17 greys plus transparency with colour ("c") keys; the icon uses
79 greys plus transparency with grey-scale ("g") keys.

It also draws the same drop for the desktop: src/images/icon-N.png for N = 16
(the XPM's own pixels), 32, 48, 64, 128 and 256 (grey + alpha, edges smoothed)
and src/images/icon.svg. The build embeds the PNGs in the program for its
windows' icon bundle and installs them, with the SVG, as the hicolor icons; they
are checked in so that building needs no Python. An optional argument names
another output folder (the images go to FOLDER/src/images/), which is how the
tests check that the checked-in files are what this script draws.
"""
import math
import os
import struct
import sys
import zlib

OUT = '.'
ICON_SIZES = (32, 48, 64, 128, 256)
# The drop of the 16 x 16 icon, in its pixel units: the circle's centre and
# radius, and the highlight the shading is ranked from.
DROP = (8.0, 10.5, 5.2)
HIGHLIGHT = (6.0, 8.0)
ICON_GREYS = (0x49, 0xED)


def out_path(name):
    return os.path.join(OUT, 'src', 'images', name)

CHARS = [chr(c) for c in range(35, 127) if chr(c) not in '"\\']


def write_xpm(path, name, width, height, palette, key, pixels):
    # palette: list of colour strings, index 0 is transparent
    lines = [f'{width} {height} {len(palette)} 1']
    for i, colour in enumerate(palette):
        lines.append(f'{CHARS[i]} {key} {colour}')
    for row in pixels:
        lines.append(''.join(CHARS[p] for p in row))
    with open(path, 'w') as f:
        f.write('/* XPM */\n')
        f.write(f'static const char* const {name}[] = {{\n')
        f.write(',\n'.join(f'"{l}"' for l in lines))
        f.write('\n};\n')


def drop_distance(x, y, cx, cy, r):
    """Signed-ish inside test of a water drop: a circle with a point on top."""
    dx, dy = x - cx, y - cy
    inside_circle = dx * dx + dy * dy <= r * r
    # cone from the tip (cx, cy - 2r) to the circle's tangent points
    tip = cy - 2.0 * r
    if tip <= y <= cy:
        half = (y - tip) / (cy - tip) * r * 0.87
        if abs(dx) <= half:
            return True
    return inside_circle


def splash():
    w = h = 250
    greys = [0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80,
             0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0, 0xFF]
    palette = ['None'] + ['#%02X%02X%02X' % (g, g, g) for g in greys]
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            dx, dy = x - 124.5, y - 124.5
            d = math.hypot(dx, dy)
            if d > 124:
                row.append(0)
                continue
            if d > 118:
                row.append(1)           # black rim
                continue
            # two drops, one per channel, on a light background gradient
            level = 16 - int((y / h) * 7)
            for cx in (88, 162):
                if drop_distance(x, y, cx, 150, 34):
                    shade = math.hypot(x - (cx - 10), y - 140) / 40.0
                    level = max(2, min(12, 3 + int(shade * 9)))
            # water line
            if 200 <= y <= 204 and d < 110:
                level = 8
            # ripples below
            if y > 204 and d < 118:
                level = 11 + int(2 * math.sin(x / 6.0 + y / 3.0))
            row.append(1 + max(0, min(16, level)))
        px.append(row)
    write_xpm(out_path('splash.xpm'), 'splash_xpm', w, h, palette, 'c', px)


def icon():
    w = h = 16
    n = 79
    lo, hi = ICON_GREYS
    greys = [round(lo + (hi - lo) * i / (n - 1)) for i in range(n)]
    palette = ['None'] + ['#%02X%02X%02X' % (g, g, g) for g in greys]
    px = []
    inside = []
    for y in range(h):
        for x in range(w):
            if drop_distance(x + 0.5, y + 0.5, *DROP):
                inside.append((x, y))
    # rank the drop's pixels by distance from the highlight: every grey is used once or more
    inside.sort(key=lambda p: math.hypot(p[0] - HIGHLIGHT[0], p[1] - HIGHLIGHT[1]))
    shade = {}
    for rank, p in enumerate(inside):
        shade[p] = n - 1 - min(n - 1, rank * n // len(inside))
    for y in range(h):
        row = []
        for x in range(w):
            row.append(1 + shade[(x, y)] if (x, y) in shade else 0)
        px.append(row)
    write_xpm(out_path('icon.xpm'), 'icon_xpm', w, h, palette, 'g', px)
    # The 16 x 16 PNG is the window icon itself, pixel for pixel.
    write_png(out_path('icon-16.png'), w, h,
              [[(greys[p - 1], 255) if p else (0, 0) for p in row] for row in px])


def write_png(path, width, height, pixels):
    """pixels: rows of (grey, alpha) pairs; written as 8-bit grey + alpha."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        for grey, alpha in row:
            raw += bytes((grey, alpha))
    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 4, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9))
    png += chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def drop_samples(size, per_pixel):
    """The drop scaled to size x size, sampled per_pixel x per_pixel times in
    every pixel: for each pixel the distances (in 16-pixel units) from the
    highlight of its samples inside the drop."""
    scale = size / 16.0
    step = 1.0 / per_pixel
    cx, cy, r = DROP
    hx, hy = HIGHLIGHT
    cells = []
    for y in range(size):
        row = []
        for x in range(size):
            found = []
            for sy in range(per_pixel):
                v = (y + (sy + 0.5) * step) / scale
                for sx in range(per_pixel):
                    u = (x + (sx + 0.5) * step) / scale
                    if drop_distance(u, v, cx, cy, r):
                        found.append(math.hypot(u - hx, v - hy))
            row.append(found)
        cells.append(row)
    return cells


def rank_shading(distances):
    """As in the 16 x 16 icon, a point's grey follows its rank by distance
    from the highlight among all of the drop's points: the lightest grey at
    the highlight, the darkest at the farthest point. Returns a function from
    a distance to a grey (a float from the darkest to the lightest)."""
    ordered = sorted(distances)
    lo, hi = ICON_GREYS
    count = len(ordered)

    def grey(d):
        import bisect
        rank = bisect.bisect_left(ordered, d)
        return hi - (hi - lo) * rank / count
    return grey, ordered[-1]


def large_icons():
    reference = drop_samples(256, 2)
    grey, farthest = rank_shading([d for row in reference for cell in row for d in cell])
    for size in ICON_SIZES:
        per_pixel = 4 if size <= 128 else 2
        cells = reference if per_pixel == 2 and size == 256 else drop_samples(size, per_pixel)
        full = per_pixel * per_pixel
        pixels = []
        for row in cells:
            line = []
            for found in row:
                if not found:
                    line.append((0, 0))
                    continue
                g = sum(grey(d) for d in found) / len(found)
                line.append((int(round(g)), int(round(255 * len(found) / full))))
            pixels.append(line)
        write_png(out_path(f'icon-{size}.png'), size, size, pixels)
    write_svg(grey, farthest)


def write_svg(grey, farthest):
    """The drop as a circle and the cone over it, filled with a radial
    gradient from the highlight whose stops follow the same rank shading."""
    cx, cy, r = DROP
    hx, hy = HIGHLIGHT
    tip = cy - 2.0 * r
    half = r * 0.87
    stops = []
    for i in range(11):
        t = i / 10.0
        g = int(round(grey(t * farthest)))
        stops.append(f'      <stop offset="{t:.1f}" stop-color="#{g:02X}{g:02X}{g:02X}"/>')
    svg = '\n'.join([
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 16 16">',
        '  <defs>',
        f'    <radialGradient id="shade" gradientUnits="userSpaceOnUse" cx="{hx:g}" cy="{hy:g}" '
        f'r="{farthest:.3f}">',
        *stops,
        '    </radialGradient>',
        '  </defs>',
        f'  <circle cx="{cx:g}" cy="{cy:g}" r="{r:g}" fill="url(#shade)"/>',
        f'  <path d="M {cx:g} {tip:.2f} L {cx + half:.3f} {cy:g} L {cx - half:.3f} {cy:g} Z" fill="url(#shade)"/>',
        '</svg>',
        ''])
    with open(out_path('icon.svg'), 'w') as f:
        f.write(svg)


if __name__ == '__main__':
    if len(sys.argv) > 1:
        OUT = sys.argv[1]
        os.makedirs(out_path(''), exist_ok=True)
    splash()
    icon()
    large_icons()
