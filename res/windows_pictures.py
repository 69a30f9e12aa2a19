#!/usr/bin/env python3
"""Turns the program's pictures into the forms a Windows resource takes.

    windows_pictures.py OUT_DIR

reads logo.png, icon-32.png and icon-16.png beside this script and writes

    OUT_DIR/logo.bmp      the dialog's logo, 24-bit, for a BITMAP resource
    OUT_DIR/murkwell.ico  the program icon, 32 x 32 and 16 x 16 at 16 colours

so that the Windows program shows the very pictures the other one does.
Standard library only; it reads the PNG kinds make_pictures.py writes
(8-bit RGB, and 4-bit palette with palette entry 0 transparent).
"""

import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def read_png(path):
    """Width, height, bits per pixel, palette, transparent entries, rows of bytes."""
    with open(path, "rb") as source:
        data = source.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s is not a PNG file" % path)
    at, chunks = 8, {}
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        chunks[kind] = chunks.get(kind, b"") + data[at + 8:at + 8 + length]
        at += 12 + length
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
    channels = {2: 3, 3: 1}.get(colour)
    if channels is None or interlace or (colour, depth) not in ((2, 8), (3, 4), (3, 8)):
        raise ValueError("%s: only 8-bit RGB and palette pictures are read" % path)
    bits = channels * depth
    stride = (width * bits + 7) // 8
    rows = unfilter(zlib.decompress(chunks[b"IDAT"]), stride, height, max(1, bits // 8))
    palette = [tuple(chunks.get(b"PLTE", b"")[i:i + 3]) for i in range(0, len(chunks.get(b"PLTE", b"")), 3)]
    return width, height, bits, palette, chunks.get(b"tRNS", b""), rows


def unfilter(raw, stride, height, step):
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = row[x - step] if x >= step else 0
            up = previous[x]
            corner = previous[x - step] if x >= step else 0
            if kind == 1:
                row[x] = (row[x] + left) & 0xFF
            elif kind == 2:
                row[x] = (row[x] + up) & 0xFF
            elif kind == 3:
                row[x] = (row[x] + (left + up) // 2) & 0xFF
            elif kind == 4:
                guess = left + up - corner
                nearest = min((abs(guess - left), 0, left), (abs(guess - up), 1, up), (abs(guess - corner), 2, corner))
                row[x] = (row[x] + nearest[2]) & 0xFF
        rows.append(bytes(row))
        previous = row
    return rows


def padded(row):
    return row + b"\x00" * (-len(row) % 4)


def bitmap_header(width, height, bits, colours, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835, colours, 0)


def logo_bmp(path):
    width, height, bits, _, _, rows = read_png(path)
    if bits != 24:
        raise ValueError("%s: the logo must be 24-bit" % path)
    # Bottom row first, blue before green before red.
    pixels = b"".join(padded(bytes(b for i in range(0, len(row), 3) for b in row[i:i + 3][::-1]))
                      for row in reversed(rows))
    info = bitmap_header(width, height, 24, 0, len(pixels))
    return b"BM" + struct.pack("<IHHI", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels


def icon_image(path):
    """One icon image: a 4-bit picture over a mask that is set where the PNG is transparent."""
    width, height, bits, palette, transparent, rows = read_png(path)
    if bits != 4 or len(palette) > 16:
        raise ValueError("%s: icon pictures must have 16 colours" % path)
    clear = {i for i, alpha in enumerate(transparent) if alpha == 0}
    indices = [[(row[x // 2] >> (4 - 4 * (x % 2))) & 0xF for x in range(width)] for row in rows]
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette + [(0, 0, 0)] * (16 - len(palette)))
    xor = b"".join(padded(bytes((0 if r[x] in clear else r[x]) << 4 | (0 if r[x + 1] in clear else r[x + 1])
                                for x in range(0, width, 2)))
                   for r in reversed(indices))
    mask = b""
    for r in reversed(indices):
        bits_of_row = [1 if i in clear else 0 for i in r]
        mask += padded(bytes(sum(bit << (7 - k) for k, bit in enumerate(bits_of_row[x:x + 8]))
                             for x in range(0, width, 8)))
    # An icon's bitmap header counts the picture and its mask together.
    header = bitmap_header(width, 2 * height, 4, 16, len(xor) + len(mask))
    return width, height, header + colours + xor + mask


def icon_file(paths):
    images = [icon_image(path) for path in paths]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, blobs = b"", b""
    for width, height, blob in images:
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(blob), offset + len(blobs))
        blobs += blob
    return directory + entries + blobs


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: windows_pictures.py OUT_DIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "logo.bmp"), "wb") as target:
        target.write(logo_bmp(os.path.join(HERE, "logo.png")))
    with open(os.path.join(out, "murkwell.ico"), "wb") as target:
        target.write(icon_file([os.path.join(HERE, "icon-32.png"), os.path.join(HERE, "icon-16.png")]))


if __name__ == "__main__":
    main()
