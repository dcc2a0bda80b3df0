#!/usr/bin/env python3
"""Draws the host's resources: the button strips ButtonClose and ButtonSettings
(64 x 16, 8 bits, four 16 x 16 frames: normal, hover, pressed, normal again;
also drawn at 150 and 200 % as ButtonClose150.bmp, ButtonClose200.bmp ...),
the cursor LinkCursor (32 x 32, two colours, a pointing hand with its hot spot
at the fingertip) and the icon AppIcon (16 x 16 and 32 x 32, 256 colours, a
small sundial). Every picture is computed, so running this again gives the
same bytes:

    python3 tools/images-host/make_images.py resources
"""
import math
import struct
import sys

SUBSAMPLES = 4  # per axis: coverage is the share of 16 sample points inside


def coverage(inside, x, y):
    hits = 0
    for sy in range(SUBSAMPLES):
        for sx in range(SUBSAMPLES):
            if inside(x + (sx + 0.5) / SUBSAMPLES, y + (sy + 0.5) / SUBSAMPLES):
                hits += 1
    return hits / (SUBSAMPLES * SUBSAMPLES)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy) if dx or dy else 0.0
    t = max(0.0, min(1.0, t))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def capsule(ax, ay, bx, by, radius):
    return lambda x, y: segment_distance(x, y, ax, ay, bx, by) <= radius


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


# --- files -----------------------------------------------------------------

def bmp_rows(pixels, width, height, bits):
    """Bottom-up rows of palette indices (8 bits) or bits (1 bit), each padded to 4 bytes."""
    out = bytearray()
    for y in reversed(range(height)):
        row = pixels[y * width:(y + 1) * width]
        if bits == 8:
            data = bytearray(row)
        else:
            data = bytearray((width + 7) // 8)
            for x, bit in enumerate(row):
                if bit:
                    data[x // 8] |= 0x80 >> (x % 8)
        data += bytes(-len(data) % 4)
        out += data
    return bytes(out)


def info_header(width, height, bits, colours):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, 0, 0, 0, colours, 0)


def palette_bytes(palette):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)


def write_bmp(path, pixels, width, height, palette):
    body = info_header(width, height, 8, len(palette)) + palette_bytes(palette) + bmp_rows(pixels, width, height, 8)
    offset = 14 + 40 + 4 * len(palette)
    with open(path, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', 14 + len(body), 0, 0, offset) + body)


def write_icon_file(path, kind, images):
    """images: (width, height, hotspot or None, colour count, data); kind 1 icon, 2 cursor."""
    header = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b'', b''
    for width, height, hotspot, colours, data in images:
        if hotspot:
            planes_or_x, bits_or_y = hotspot
        else:
            planes_or_x, bits_or_y = 1, 8
        entries += struct.pack('<BBBBHHII', width % 256, height % 256, colours % 256, 0, planes_or_x, bits_or_y,
                               len(data), offset + len(blobs))
        blobs += data
    with open(path, 'wb') as f:
        f.write(header + entries + blobs)


# --- button strips -----------------------------------------------------------

GREYS = [(i, i, i) for i in range(256)]
FRAMES = [(206, 255), (68, 255), (185, 0), (206, 255)]  # (background, glyph) grey per frame

CROSS = union(capsule(4.5, 4.5, 11.5, 11.5, 1.15), capsule(11.5, 4.5, 4.5, 11.5, 1.15))
EXCLAMATION = union(capsule(8.0, 4.0, 8.0, 8.6, 1.35), lambda x, y: math.hypot(x - 8.0, y - 11.6) <= 1.45)


BUTTON = 16  # side of a frame at 100 %, pixels; the glyphs are drawn in these units
SCALES = (100, 150, 200)  # percent; the strips of other scales than 100 carry it in their names


def button_strip(glyph, percent):
    """Pixels, width and height of a strip with the glyph drawn at the given scale."""
    scale = percent / 100
    side = BUTTON * percent // 100
    width = side * len(FRAMES)
    scaled = lambda x, y: glyph(x / scale, y / scale)
    pixels = [0] * (width * side)
    for y in range(side):
        for x in range(side):
            c = coverage(scaled, x, y)
            for frame, (background, ink) in enumerate(FRAMES):
                pixels[y * width + frame * side + x] = round(background + (ink - background) * c)
    return pixels, width, side


# --- cursor ------------------------------------------------------------------

HOT_SPOT = (10, 10)
FINGERS = [capsule(10.5, 12.5, 10.5, 22.0, 2.5),   # index finger, tip at the hot spot
           capsule(15.2, 17.5, 15.2, 23.0, 2.3),
           capsule(19.6, 18.5, 19.6, 23.0, 2.2),
           capsule(23.6, 20.0, 23.6, 24.0, 2.0)]
PALM = lambda x, y: 8.0 <= x <= 25.6 and 21.0 <= y <= 29.0 and not (x > 24.0 and y > 27.5)
THUMB = capsule(5.8, 20.0, 9.5, 25.5, 2.2)
HAND = union(PALM, THUMB, *FINGERS)


def cursor_pixels():
    """'#' black, '.' white, ' ' transparent, by the pixel centres."""
    def inside(shape, x, y):
        return 0 <= x < 32 and 0 <= y < 32 and shape(x + 0.5, y + 0.5)

    rows = []
    for y in range(32):
        row = ''
        for x in range(32):
            if not inside(HAND, x, y):
                row += ' '
            elif any(not inside(HAND, x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                row += '#'
            elif y < 21 and any(inside(finger, x, y) and not inside(finger, x + 1, y) for finger in FINGERS):
                row += '#'  # the gap between two fingers
            else:
                row += '.'
        rows.append(row)
    return rows


def cursor_file(rows):
    xor = [1 if c == '.' else 0 for row in rows for c in row]
    mask = [1 if c == ' ' else 0 for row in rows for c in row]
    data = (info_header(32, 64, 1, 2) + palette_bytes([(0, 0, 0), (255, 255, 255)]) + bmp_rows(xor, 32, 32, 1) +
            bmp_rows(mask, 32, 32, 1))
    return 32, 32, HOT_SPOT, 2, data


# --- icon --------------------------------------------------------------------

# 6 x 6 x 6 colour cube and 40 greys: 256 entries.
ICON_PALETTE = ([(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)] +
                [(round(i * 255 / 39),) * 3 for i in range(40)])


def nearest(colour):
    return min(range(256), key=lambda i: sum((a - b) ** 2 for a, b in zip(ICON_PALETTE[i], colour)))


def icon_colour(u, v):
    """Colour of the sundial icon at (u, v) in [-1, 1]^2, or None outside the face."""
    r = math.hypot(u, v)
    if r > 0.96:
        return None
    if r > 0.82:
        return (70, 86, 110)  # rim
    angle = math.atan2(u, -v)  # 0 up, clockwise
    # Shadow of the gnomon toward the upper left, widening from the foot.
    if v < 0.1 and segment_distance(u, v, 0.0, 0.1, -0.5, -0.55) < 0.05 + 0.12 * max(0.0, (0.1 - v)):
        return (40, 40, 48)
    hour = angle / (2 * math.pi) * 12
    if r > 0.6 and abs(hour - round(hour)) < 0.09:
        return (50, 50, 60)  # hour marks
    return (252, 250, 240)


def icon_image(size):
    colours, mask = [], []
    for y in range(size):
        for x in range(size):
            samples = []
            for sy in range(SUBSAMPLES):
                for sx in range(SUBSAMPLES):
                    u = ((x + (sx + 0.5) / SUBSAMPLES) / size) * 2 - 1
                    v = ((y + (sy + 0.5) / SUBSAMPLES) / size) * 2 - 1
                    samples.append(icon_colour(u, v))
            inside = [s for s in samples if s is not None]
            if len(inside) * 2 < len(samples):
                colours.append(0)
                mask.append(1)
                continue
            mean = tuple(sum(s[i] for s in inside) / len(inside) for i in range(3))
            colours.append(nearest(mean))
            mask.append(0)
    data = (info_header(size, size * 2, 8, 256) + palette_bytes(ICON_PALETTE) + bmp_rows(colours, size, size, 8) +
            bmp_rows(mask, size, size, 1))
    return size, size, None, 256, data


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else 'resources'
    for percent in SCALES:
        suffix = '' if percent == 100 else str(percent)
        for name, glyph in (('ButtonClose', CROSS), ('ButtonSettings', EXCLAMATION)):
            write_bmp(out + '/' + name + suffix + '.bmp', *button_strip(glyph, percent), GREYS)
    write_icon_file(out + '/LinkCursor.cur', 2, [cursor_file(cursor_pixels())])
    write_icon_file(out + '/AppIcon.ico', 1, [icon_image(16), icon_image(32)])


if __name__ == '__main__':
    main()
