#!/usr/bin/python3
"""Draws Stripewell's icon and writes it as stripewell.ico and icon-NN.png.

The picture is a handful of black bars on a transparent ground. Standard
library only, and nothing time-dependent goes into the files, so running
this twice gives the same bytes and the outputs can stay in git.

    /usr/bin/python3 resources/make_icon.py
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Bar and gap widths in units, alternating and starting with a bar.
# 10 bars in 28 units for the larger sizes.
WIDE = [2, 1, 1, 1, 3, 2, 1, 1, 2, 1, 1, 1, 3, 2, 1, 1, 1, 1, 2]
# At 16 px every bar and every gap needs a whole pixel, so ten bars do not
# fit; this one keeps the look with 6 bars in 14 units.
NARROW = [2, 1, 1, 1, 1, 1, 2, 1, 1, 1, 2]

# size -> (pattern, pixels per unit). Each size is laid out on its own pixel
# grid, with every edge rounded to a whole pixel, so nothing is blurred.
SIZES = {16: (NARROW, 1), 32: (WIDE, 1), 48: (WIDE, 1.5)}


def bar_columns(size):
    """The set of x positions that are black; the bars run the full height."""
    pattern, scale = SIZES[size]
    margin = (size - sum(pattern) * scale) / 2
    edges, unit = [], 0
    for width in [0] + pattern:
        unit += width
        edges.append(int(margin + unit * scale + 0.5))  # round half up
    # No bar or gap may round away to nothing.
    assert all(right > left for left, right in zip(edges, edges[1:]))
    columns = set()
    for i in range(0, len(pattern), 2):
        columns.update(range(edges[i], edges[i + 1]))
    # Keep a clear column at each side so the corners stay transparent.
    assert 0 not in columns and size - 1 not in columns
    return columns


# The classic Windows 16-colour set, black first. Only index 0 (black) is
# painted; the rest is there so the palette looks like any old icon's.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
         (128, 0, 128), (0, 128, 128), (192, 192, 192), (128, 128, 128),
         (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def padded(row):
    """BMP rows are padded to a multiple of 4 bytes."""
    return row + b"\0" * (-len(row) % 4)


def ico_image(size, bpp):
    """One BMP-in-ICO image: header, palette, XOR bitmap, AND mask."""
    black = bar_columns(size)
    colours = 1 << bpp
    palette = b"".join(struct.pack("<4B", b, g, r, 0)
                       for r, g, b in (VGA16 + [(0, 0, 0)] * 240)[:colours])
    # Every pixel is palette index 0 (black); transparency comes only from
    # the AND mask. Transparent pixels are also black in the XOR bitmap, as
    # Windows expects, so they vanish cleanly on any background.
    xor_row = padded(bytes(size * bpp // 8))
    # AND mask: 1 bit per pixel, most significant bit first, 1 = transparent.
    mask = 0
    for x in range(size):
        if x not in black:
            mask |= 1 << (size - 1 - x)
    and_row = padded(mask.to_bytes(size // 8, "big"))
    # Every row is the same, so bottom-up order needs no extra care here.
    xor, and_ = xor_row * size, and_row * size
    # Height is doubled: the XOR bitmap and the AND mask stacked.
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bpp, 0,
                         len(xor) + len(and_), 0, 0, 0, 0)
    return header + palette + xor + and_


def write_ico(path, images):
    """images: list of (size, bpp)."""
    blobs = [ico_image(size, bpp) for size, bpp in images]
    out = struct.pack("<HHH", 0, 1, len(images))  # reserved, type 1 = icon
    offset = 6 + 16 * len(images)
    for (size, bpp), blob in zip(images, blobs):
        colour_count = 1 << bpp if bpp < 8 else 0  # 0 means 256 or more
        out += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


def write_png(path, size):
    """8-bit RGBA, opaque black bars on fully transparent pixels."""
    black = bar_columns(size)
    row = b"".join(b"\0\0\0\xff" if x in black else b"\0\0\0\0"
                   for x in range(size))
    raw = (b"\0" + row) * size  # filter type 0 (none) on every row

    def chunk(kind, data):
        crc = zlib.crc32(kind + data) & 0xFFFFFFFF
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)

    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    write_ico(os.path.join(HERE, "stripewell.ico"), [(16, 4), (32, 4), (48, 8)])
    for size in SIZES:
        write_png(os.path.join(HERE, "icon-%d.png" % size), size)
