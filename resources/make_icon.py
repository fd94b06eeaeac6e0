#!/usr/bin/env python3
"""Write trivel.ico from the images make-images.sh draws:
  RGB ALPHA   the 32 x 32 image, raw: RGB already reduced to at most 255
              colours (32*32*3 bytes) and its alpha (32*32 bytes, 0 =
              transparent); written with a 256-colour palette and an AND mask
  SIZE:RGBA   a SIZE x SIZE image, raw RGBA; written in 32-bit colour with alpha
  PNG         the 256 x 256 image, written as it is
Index 0 of the palette is black and is used under the transparent pixels.
Usage: make_icon.py OUT.ico RGB ALPHA SIZE:RGBA... PNG
"""
import struct
import sys

INDEXED_SIZE = 32


def and_mask(opaque, size):
    """The AND mask, bottom-up, each row padded to 32 bits: 1 where transparent."""
    row_bytes = (size + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (0 if opaque[y * size + x] else 1)
        bits <<= row_bytes * 8 - size
        mask += bits.to_bytes(row_bytes, "big")
    return bytes(mask)


def bitmap_header(size, bit_count, image_bytes, colours):
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bit_count, 0,
                       image_bytes, 0, 0, colours, 0)


def indexed_image(rgb, alpha):
    size = INDEXED_SIZE
    if len(rgb) != size * size * 3 or len(alpha) != size * size:
        sys.exit("make_icon.py: expected raw 32 x 32 RGB and alpha")
    palette = [(0, 0, 0)]
    index_of = {}
    pixels = []  # top-down indices
    opaque = [a >= 128 for a in alpha]
    for i in range(size * size):
        if not opaque[i]:
            pixels.append(0)
            continue
        colour = tuple(rgb[3 * i:3 * i + 3])
        if colour not in index_of:
            if len(palette) == 256:
                sys.exit("make_icon.py: more than 255 colours, quantize first")
            index_of[colour] = len(palette)
            palette.append(colour)
        pixels.append(index_of[colour])
    palette += [(0, 0, 0)] * (256 - len(palette))
    xor = b"".join(bytes(pixels[y * size:(y + 1) * size]) for y in reversed(range(size)))
    mask = and_mask(opaque, size)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return size, 8, bitmap_header(size, 8, len(xor) + len(mask), 256) + colours + xor + mask


def true_colour_image(size, rgba):
    if len(rgba) != size * size * 4:
        sys.exit(f"make_icon.py: expected raw {size} x {size} RGBA")
    xor = bytearray()
    for y in reversed(range(size)):  # bitmaps are stored bottom-up
        for x in range(size):
            r, g, b, a = rgba[4 * (y * size + x):4 * (y * size + x) + 4]
            xor += bytes((b, g, r, a))
    mask = and_mask([rgba[4 * i + 3] >= 128 for i in range(size * size)], size)
    return size, 32, bitmap_header(size, 32, len(xor) + len(mask), 0) + bytes(xor) + mask


def png_image(png):
    if png[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit("make_icon.py: the last image must be a PNG")
    width, height = struct.unpack(">II", png[16:24])
    if width != height:
        sys.exit("make_icon.py: the PNG image must be square")
    return width, 32, png


def main(out_path, rgb_path, alpha_path, *rest):
    with open(rgb_path, "rb") as rgb, open(alpha_path, "rb") as alpha:
        images = [indexed_image(rgb.read(), alpha.read())]
    for argument in rest[:-1]:
        size, path = argument.split(":", 1)
        with open(path, "rb") as rgba:
            images.append(true_colour_image(int(size), rgba.read()))
    with open(rest[-1], "rb") as png:
        images.append(png_image(png.read()))

    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, bit_count, data in images:
        side = 0 if size == 256 else size  # 0 stands for 256
        colours = 0 if bit_count > 8 else 1 << bit_count
        directory += struct.pack("<BBBBHHII", side, side, colours % 256, 0, 1, bit_count, len(data), offset)
        offset += len(data)
    with open(out_path, "wb") as out:
        out.write(directory + b"".join(data for _, _, data in images))


if __name__ == "__main__":
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
