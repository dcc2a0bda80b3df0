#!/usr/bin/env python3
"""Draws the two test bitmaps of the bitmap-surface tests:

- RasterTestRle4.bmp: 24 x 10, 4 bits, RLE-compressed (BI_RLE4); colour index
  (x // 6 + 4 * (y // 3)) % 16, so the top rows use indices 0..3 and the
  bottom row 12..15.
- RasterTestIndexed8.bmp: 13 x 11, 8 bits, uncompressed with padded rows;
  colour index y * 13 + x.

Palette entry i is red i * 17 % 256, green 255 - i, blue i * 53 % 256, the
same rule the tests check against. Rows are given top first here and stored
bottom-up, as a bitmap file keeps them. Running this again gives the same
bytes:

    python3 tools/images-raster/make_test_bitmaps.py raster
"""
import os
import struct
import sys


def palette_entry(i):
    return bytes([i * 53 % 256, 255 - i, i * 17 % 256, 0])  # blue, green, red, 0


def bitmap_file(width, height, bits, compression, colours, data):
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, compression, len(data), 2835, 2835,
                       colours, 0)
    table = b''.join(palette_entry(i) for i in range(colours))
    offset = 14 + len(info) + len(table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return header + info + table + data


def rle4(rows):
    """Each row as runs of one colour, then end of line; end of bitmap last."""
    out = bytearray()
    for row in reversed(rows):
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and row[x + run] == row[x] and run < 255:
                run += 1
            out += bytes([run, row[x] << 4 | row[x]])
            x += run
        out += b'\x00\x00'
    out[-2:] = b'\x00\x01'
    return bytes(out)


def indexed8(rows, width):
    padding = b'\x00' * (-width % 4)
    return b''.join(bytes(row) + padding for row in reversed(rows))


def main(folder):
    rows4 = [[(x // 6 + 4 * (y // 3)) % 16 for x in range(24)] for y in range(10)]
    rows8 = [[y * 13 + x for x in range(13)] for y in range(11)]
    files = {
        'RasterTestRle4.bmp': bitmap_file(24, 10, 4, 2, 16, rle4(rows4)),
        'RasterTestIndexed8.bmp': bitmap_file(13, 11, 8, 0, 256, indexed8(rows8, 13)),
    }
    for name, content in files.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(content)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else '.')
