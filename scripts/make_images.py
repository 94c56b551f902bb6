#!/usr/bin/env python3
"""Draws the program's two XPM images: the splash picture and the window icon.

Run from the repository root; writes src/images/splash.xpm and src/images/icon.xpm.
The splash uses 17 greys plus transparency with colour ("c") keys; the icon uses
79 greys plus transparency with grey-scale ("g") keys.
"""
import math

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
    write_xpm('src/images/splash.xpm', 'splash_xpm', w, h, palette, 'c', px)


def icon():
    w = h = 16
    n = 79
    lo, hi = 0x49, 0xED
    greys = [round(lo + (hi - lo) * i / (n - 1)) for i in range(n)]
    palette = ['None'] + ['#%02X%02X%02X' % (g, g, g) for g in greys]
    px = []
    inside = []
    for y in range(h):
        for x in range(w):
            if drop_distance(x + 0.5, y + 0.5, 8, 10.5, 5.2):
                inside.append((x, y))
    # rank the drop's pixels by distance from the highlight: every grey is used once or more
    inside.sort(key=lambda p: math.hypot(p[0] - 6, p[1] - 8))
    shade = {}
    for rank, p in enumerate(inside):
        shade[p] = n - 1 - min(n - 1, rank * n // len(inside))
    for y in range(h):
        row = []
        for x in range(w):
            row.append(1 + shade[(x, y)] if (x, y) in shade else 0)
        px.append(row)
    write_xpm('src/images/icon.xpm', 'icon_xpm', w, h, palette, 'g', px)


if __name__ == '__main__':
    splash()
    icon()
