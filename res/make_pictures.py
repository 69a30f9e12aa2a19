#!/usr/bin/env python3
"""Draws the program's pictures and writes them next to this script.

    logo.png     the dialog's logo, 200 x 283, 24-bit colour
    icon-32.png  the program icon, 32 x 32, 16 colours (one of them transparent)
    icon-16.png  the program icon, 16 x 16, 16 colours (one of them transparent)
    icon-48.png, icon-64.png, icon-128.png, icon-256.png
                 the same icon for menus and software centres, in full colour
                 with smooth (alpha) edges
    icon.svg     the same icon drawn in vectors, for any size

Standard library only, and deterministic: running it again gives the same
bytes, so the committed pictures can always be checked against it.
Usage: python3 res/make_pictures.py
"""

import math
import os
import random
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# The emblem: a steel ring (the mouth of a well seen from above) around murky
# water, with a gold "M" rising out of it. Coordinates are in emblem units,
# -1..1 on both axes, y pointing down.
RING_OUTER = 1.0
RING_INNER = 0.78
LETTER_M = [(-0.50, 0.45), (-0.50, -0.45), (-0.30, -0.45), (0.0, -0.02),
            (0.30, -0.45), (0.50, -0.45), (0.50, 0.45), (0.30, 0.45),
            (0.30, -0.08), (0.0, 0.33), (-0.30, -0.08), (-0.30, 0.45)]

# 5 x 7 capitals for the word mark; "#" is a lit pixel.
FONT = {
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}

# The icon's sixteen colours; index 0 is transparent.
ICON_PALETTE = [
    (0, 0, 0), (8, 8, 40), (16, 16, 72), (26, 26, 131), (48, 56, 168),
    (88, 104, 200), (60, 64, 84), (100, 108, 132), (150, 160, 190),
    (205, 212, 232), (255, 255, 255), (120, 84, 24), (184, 136, 40),
    (236, 188, 72), (255, 228, 140), (4, 4, 16),
]


def inside_polygon(x, y, points):
    inside = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def mix(a, b, t):
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


def emblem(u, v):
    """Colour and coverage (0 or 1) of the emblem at one sample point."""
    r = math.hypot(u, v)
    if r > RING_OUTER:
        return None
    light = (-u - v) / (math.sqrt(2) * max(r, 1e-6))  # light from the top left
    if r >= RING_INNER:
        # Steel ring, bevelled: bright where it faces the light.
        edge = (r - RING_INNER) / (RING_OUTER - RING_INNER)
        bevel = math.cos(edge * math.pi) * light
        return mix((60, 64, 84), (225, 230, 245), 0.45 + 0.45 * bevel)
    if inside_polygon(u + 0.04, v + 0.05, LETTER_M) and not inside_polygon(u, v, LETTER_M):
        return (4, 4, 16)  # the letter's shadow on the water
    if inside_polygon(u, v, LETTER_M):
        return mix((184, 136, 40), (255, 228, 140), max(0.0, min(1.0, 0.5 - v)))
    # Murky water with faint ripples.
    ripple = 0.5 + 0.5 * math.cos(r * 26.0)
    depth = r / RING_INNER
    return mix((8, 8, 40), (40, 48, 150), 0.25 + 0.35 * depth + 0.12 * ripple)


def render(width, height, draw, samples):
    """Supersampled rendering: a list of rows of (r, g, b, coverage)."""
    rows = []
    step = 1.0 / samples
    for py in range(height):
        row = []
        for px in range(width):
            total = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    colour = draw(px + (sx + 0.5) * step, py + (sy + 0.5) * step)
                    if colour is None:
                        continue
                    hits += 1
                    for k in range(3):
                        total[k] += colour[k]
            if hits == 0:
                row.append((0, 0, 0, 0.0))
            else:
                row.append(tuple(total[k] / hits for k in range(3)) + (hits / samples ** 2,))
        rows.append(row)
    return rows


def draw_text(pixels, text, left, top, scale, face, edge):
    for index, char in enumerate(text):
        glyph = FONT[char]
        for gy, line in enumerate(glyph):
            for gx, cell in enumerate(line):
                if cell != "#":
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        x = left + (index * 6 + gx) * scale + dx
                        y = top + gy * scale + dy
                        lit = dy == 0 and scale > 1
                        pixels[y][x] = edge if lit else face
                        if scale > 1 and y + 1 < len(pixels):
                            below = pixels[y + 1][x + 1] if x + 1 < len(pixels[0]) else None
                            if below is not None and below != face and below != edge:
                                pixels[y + 1][x + 1] = (4, 4, 16)


def text_width(text, scale):
    return (len(text) * 6 - 1) * scale


def make_logo():
    width, height = 200, 283
    noise = random.Random(1999)
    grain = [[noise.uniform(-1.0, 1.0) for _ in range(width)] for _ in range(height)]

    def background(px, py):
        t = py / height
        base = mix((6, 6, 28), (26, 26, 131), t ** 1.4)
        g = grain[int(py)][int(px)] * 7
        return tuple(max(0, min(255, c + g)) for c in base)

    centre_x, centre_y, radius = width / 2, 104.0, 78.0

    def scene(px, py):
        colour = emblem((px - centre_x) / radius, (py - centre_y) / radius)
        return colour if colour is not None else background(px, py)

    pixels = [[tuple(int(round(c)) for c in p[:3]) for p in row]
              for row in render(width, height, scene, 3)]
    # A thin steel frame keeps the picture apart from the dialog around it.
    for x in range(width):
        pixels[0][x] = pixels[height - 1][x] = (100, 108, 132)
    for y in range(height):
        pixels[y][0] = pixels[y][width - 1] = (100, 108, 132)

    word = "MURKWELL"
    draw_text(pixels, word, (width - text_width(word, 3)) // 2, 200, 3,
              (236, 188, 72), (255, 228, 140))
    line = "GAME LOG STATISTICS"
    draw_text(pixels, line, (width - text_width(line, 1)) // 2, 236, 1,
              (150, 160, 190), (150, 160, 190))
    return pixels


def nearest_palette_index(colour):
    best, best_distance = 1, None
    for index, entry in enumerate(ICON_PALETTE[1:], start=1):
        distance = sum((colour[k] - entry[k]) ** 2 for k in range(3))
        if best_distance is None or distance < best_distance:
            best, best_distance = index, distance
    return best


def render_icon(size):
    half = size / 2.0

    def scene(px, py):
        return emblem((px - half) / half, (py - half) / half)

    return render(size, size, scene, 4)


def make_icon(size):
    return [[nearest_palette_index(p[:3]) if p[3] >= 0.5 else 0 for p in row]
            for row in render_icon(size)]


def make_smooth_icon(size):
    return [[tuple(int(round(c)) for c in p[:3]) + (int(round(p[3] * 255)),) for p in row]
            for row in render_icon(size)]


def svg_colour(colour):
    return "#%02x%02x%02x" % tuple(int(round(c)) for c in colour)


def make_svg():
    """The emblem in vectors, each part coloured by the rule emblem() uses."""
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="-1 -1 2 2">',
           "<defs>"]
    # The water's colour depends on the radius only: a radial gradient holds it.
    out.append('<radialGradient id="water" cx="0" cy="0" r="%g" gradientUnits="userSpaceOnUse">'
               % RING_INNER)
    stops = 64
    for i in range(stops + 1):
        r = RING_INNER * i / stops
        ripple = 0.5 + 0.5 * math.cos(r * 26.0)
        colour = mix((8, 8, 40), (40, 48, 150), 0.25 + 0.35 * r / RING_INNER + 0.12 * ripple)
        out.append('<stop offset="%.4f" stop-color="%s"/>' % (i / stops, svg_colour(colour)))
    out.append("</radialGradient>")
    # On a circle of radius r the light, the cosine of the angle to the top
    # left, grows in step with the distance along that diagonal: one linear
    # gradient per thin band of the ring gives its bevel.
    bands = 24
    width = (RING_OUTER - RING_INNER) / bands
    for band in range(bands):
        r = RING_INNER + (band + 0.5) * width
        bevel = math.cos((band + 0.5) / bands * math.pi)
        lit = mix((60, 64, 84), (225, 230, 245), 0.45 + 0.45 * bevel)
        unlit = mix((60, 64, 84), (225, 230, 245), 0.45 - 0.45 * bevel)
        d = r / math.sqrt(2)
        out.append('<linearGradient id="ring%d" x1="%.4f" y1="%.4f" x2="%.4f" y2="%.4f" '
                   'gradientUnits="userSpaceOnUse"><stop offset="0" stop-color="%s"/>'
                   '<stop offset="1" stop-color="%s"/></linearGradient>'
                   % (band, -d, -d, d, d, svg_colour(lit), svg_colour(unlit)))
    # The letter's gold brightens upwards: 0.5 - v, which is 1 at v = -0.5 and 0 at v = 0.5.
    out.append('<linearGradient id="gold" x1="0" y1="-0.5" x2="0" y2="0.5" gradientUnits="userSpaceOnUse">'
               '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
               % (svg_colour((255, 228, 140)), svg_colour((184, 136, 40))))
    out.append("</defs>")
    # Each band is a disc over the wider ones, so no seam shows between two bands.
    for band in reversed(range(bands)):
        out.append('<circle r="%.4f" fill="url(#ring%d)"/>' % (RING_INNER + (band + 1) * width, band))
    out.append('<circle r="%g" fill="url(#water)"/>' % RING_INNER)
    letter = " ".join("%g,%g" % point for point in LETTER_M)
    out.append('<polygon points="%s" transform="translate(-0.04 -0.05)" fill="%s"/>'
               % (letter, svg_colour((4, 4, 16))))
    out.append('<polygon points="%s" fill="url(#gold)"/>' % letter)
    out.append("</svg>")
    return "\n".join(out) + "\n"


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, width, height, colour_type, bit_depth, raw_rows, extra_chunks=()):
    header = struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0)
    data = b"".join(b"\x00" + row for row in raw_rows)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", header))
        for chunk in extra_chunks:
            out.write(chunk)
        out.write(png_chunk(b"IDAT", zlib.compress(data, 9)))
        out.write(png_chunk(b"IEND", b""))


def save_logo(path, pixels):
    rows = [bytes(c for p in row for c in p) for row in pixels]
    write_png(path, len(pixels[0]), len(pixels), 2, 8, rows)


def save_icon(path, indices):
    rows = []
    for row in indices:
        packed = bytearray()
        for i in range(0, len(row), 2):
            packed.append(row[i] << 4 | row[i + 1])
        rows.append(bytes(packed))
    palette = png_chunk(b"PLTE", bytes(c for entry in ICON_PALETTE for c in entry))
    transparency = png_chunk(b"tRNS", b"\x00")
    write_png(path, len(indices), len(indices), 3, 4, rows, (palette, transparency))


def save_smooth_icon(path, pixels):
    rows = [bytes(c for p in row for c in p) for row in pixels]
    write_png(path, len(pixels), len(pixels), 6, 8, rows)


def main():
    save_logo(os.path.join(HERE, "logo.png"), make_logo())
    for size in (32, 16):
        save_icon(os.path.join(HERE, "icon-%d.png" % size), make_icon(size))
    for size in (48, 64, 128, 256):
        save_smooth_icon(os.path.join(HERE, "icon-%d.png" % size), make_smooth_icon(size))
    with open(os.path.join(HERE, "icon.svg"), "w", encoding="ascii", newline="\n") as out:
        out.write(make_svg())


if __name__ == "__main__":
    main()
