#!/usr/bin/env python3
"""Write trivel.ico: one 32 x 32 entry, 256-colour palette, with its AND mask.

make-images.sh hands over two raw files made by ImageMagick:
  RGB    32*32*3 bytes, already reduced to at most 255 colours
  ALPHA  32*32 bytes, 0 = transparent
Index 0 of the palette is black and is used under the transparent pixels.
Usage: make_icon.py RGB ALPHA OUT.ico
"""
import struct
import sys

SIZE = 32


def main(rgb_path, alpha_path, out_path):
    rgb = open(rgb_path, "rb").read()
    alpha = open(alpha_path, "rb").read()
    if len(rgb) != SIZE * SIZE * 3 or len(alpha) != SIZE * SIZE:
        sys.exit("make_icon.py: expected raw 32 x 32 RGB and alpha")

    palette = [(0, 0, 0)]
    index_of = {}
    pixels = []  # top-down indices
    opaque = []
    for i in range(SIZE * SIZE):
        seen = alpha[i] >= 128
        opaque.append(seen)
        if not seen:
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

    xor = bytearray()
    and_mask = bytearray()
    for y in reversed(range(SIZE)):  # bitmaps are stored bottom-up
        row = pixels[y * SIZE:(y + 1) * SIZE]
        xor += bytes(row)  # 32 bytes: already a multiple of 4
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (0 if opaque[y * SIZE + x] else 1)
        and_mask += struct.pack(">I", bits)  # 32 bits = one padded row

    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 8, 0,
                         len(xor) + len(and_mask), 0, 0, 256, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    image = header + colours + bytes(xor) + bytes(and_mask)

    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    with open(out_path, "wb") as out:
        out.write(icondir + entry + image)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
