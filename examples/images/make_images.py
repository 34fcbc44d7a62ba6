#!/usr/bin/env python3
"""Writes the icons and pictures of examples/gallery.graf into this directory, drawn pixel by
pixel: 32x32 icons of 16 colours with their transparency masks, and BMP files of 1, 4, 8 and 24
bits per pixel, one of them stored top-down. Python 3's standard library only.

    python3 examples/images/make_images.py
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def info_header(width, height, bits, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835,
                       colours, 0)


def colour_table(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def pack_rows(width, height, bits, pixel, top_down=False):
    """pixel(x, y), y counted from the top: a palette index, or (r, g, b) at 24 bits."""
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for y in range(height):
        row = bytearray(stride)
        for x in range(width):
            v = pixel(x, y)
            if bits == 24:
                row[3 * x:3 * x + 3] = bytes((v[2], v[1], v[0]))
            elif bits == 8:
                row[x] = v
            elif bits == 4:
                row[x // 2] |= v << (4 if x % 2 == 0 else 0)
            else:
                row[x // 8] |= v << (7 - x % 8)
        rows.append(bytes(row))
    return b"".join(rows if top_down else reversed(rows))


def bmp(name, width, height, bits, palette, pixel, top_down=False):
    rows = pack_rows(width, height, bits, pixel, top_down)
    info = info_header(width, -height if top_down else height, bits, len(rows), len(palette))
    table = colour_table(palette)
    offset = 14 + len(info) + len(table)
    write(name, struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + info + table +
          rows)


def ico(name, palette, pixel):
    """A 32x32 icon of 16 colours; pixel(x, y) is an index, or None where the icon is clear."""
    size = 32
    palette = palette + [(0, 0, 0)] * (16 - len(palette))
    colours = pack_rows(size, size, 4, lambda x, y: pixel(x, y) or 0)
    mask = pack_rows(size, size, 1, lambda x, y: 1 if pixel(x, y) is None else 0)
    # The icon's header counts the colour rows and the mask rows: twice the height.
    image = (info_header(size, 2 * size, 4, len(colours) + len(mask), 0) +
             colour_table(palette) + colours + mask)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    write(name, struct.pack("<HHH", 0, 1, 1) + entry + image)


def inside_circle(x, y, cx, cy, r):
    return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r


# Icons: None is transparent; index 1 is always the dark outline.
DARK = (40, 40, 56)


def house(x, y):
    if 3 <= y <= 14 and abs(x + 0.5 - 16) <= (y - 2) * 1.1:
        return 1 if abs(abs(x + 0.5 - 16) - (y - 2) * 1.1) < 1.2 or y == 14 else 2
    if 14 <= y <= 28 and 7 <= x <= 24:
        if x in (7, 24) or y == 28:
            return 1
        if 13 <= x <= 18 and y >= 19:
            return 4
        if 9 <= x <= 11 and 17 <= y <= 20:
            return 5
        return 3
    return None


def globe(x, y):
    if not inside_circle(x, y, 16, 16, 14):
        return None
    if not inside_circle(x, y, 16, 16, 12.8):
        return 1
    land = math.sin(x * 0.45) + math.cos(y * 0.38 + x * 0.12) > 0.55
    return 3 if land else 2


def note(x, y):
    if not (6 <= x <= 25 and 3 <= y <= 29):
        return None
    if x - 18 > y - 3:  # the folded corner is cut away
        return None
    if x in (6, 25) or y in (3, 29) or x - 18 == y - 3 or (x == 18 and y <= 10) or \
            (y == 10 and x >= 18):
        return 1
    if y >= 13 and y % 4 == 1 and 9 <= x <= 22:
        return 3
    return 2


ico("house.ico", [(0, 0, 0), DARK, (192, 57, 43), (243, 226, 179), (120, 72, 40),
                  (93, 173, 226)], house)
ico("globe.ico", [(0, 0, 0), DARK, (46, 134, 193), (88, 176, 80)], globe)
ico("note.ico", [(0, 0, 0), DARK, (255, 250, 224), (90, 120, 200)], note)

# A ghost of 4 bits per pixel on magenta, which is index 0: drawn with index 0 transparent.
GHOST_PALETTE = [(255, 0, 255), (245, 240, 255), (60, 50, 110), (170, 160, 220)]


def ghost(x, y):
    # A round head, straight sides and a hem of four half-circles.
    hem = any(inside_circle(x, y, cx, 33, 3) for cx in (8.5, 14.5, 20.5, 26.5))
    if not (inside_circle(x, y, 18, 15, 13) or (15 <= y < 33 and 5 <= x <= 30) or hem):
        return 0
    if inside_circle(x, y, 13, 15, 3) or inside_circle(x, y, 23, 15, 3):
        return 2
    return 3 if x <= 7 or x >= 28 else 1


bmp("ghost.bmp", 36, 40, 4, GHOST_PALETTE, ghost)

# Rings of 1 bit per pixel: index 0 (white) is drawn transparent.
bmp("rings.bmp", 40, 40, 1, [(255, 255, 255), (20, 60, 140)],
    lambda x, y: 1 if int(math.hypot(x + 0.5 - 20, y + 0.5 - 20)) % 6 < 3 else 0)

# A star of 8 bits per pixel, stored top-down; its transparent index is the last of eight
# colours, 7 (pale grey), with 4 to 6 unused.
STAR_PALETTE = [(255, 200, 0), (240, 150, 0), (190, 90, 0), (255, 240, 140), (0, 0, 0),
                (0, 0, 0), (0, 0, 0), (230, 230, 230)]


def star(x, y):
    dx, dy = x + 0.5 - 20, y + 0.5 - 20
    reach = 8 + 11 * abs(math.cos(2.5 * (math.atan2(dy, dx) + math.pi / 2))) ** 3
    share = math.hypot(dx, dy) / reach
    if share > 1:
        return 7
    return 3 if share < 0.3 else 0 if share < 0.65 else 1 if share < 0.85 else 2


bmp("star.bmp", 40, 40, 8, STAR_PALETTE, star, top_down=True)

# Tiles of 8 bits per pixel, opaque: given to an empty picture with setpict.
TILE_PALETTE = [(int(127 + 120 * math.sin(i * 0.8)), int(127 + 120 * math.sin(i * 0.8 + 2.1)),
                 int(127 + 120 * math.sin(i * 0.8 + 4.2))) for i in range(12)]
bmp("tiles.bmp", 48, 32, 8, TILE_PALETTE, lambda x, y: (x // 8 + y // 8 * 2) % 12)


# A sunset of 24 bits per pixel: dark sky at the top, the sun low on the right.
def sunset(x, y):
    if inside_circle(x, y, 36, 22, 6):
        return (255, 220, 90)
    if y >= 27:
        return (30, 40, 70)
    t = y / 26
    return (int(20 + 230 * t), int(30 + 110 * t), int(90 - 40 * t))


bmp("sunset.bmp", 48, 32, 24, [], sunset)

# A button of 4 bits per pixel and its highlighted and pressed images; index 0 is the colour
# around the rounded corners.
BUTTON_PALETTE = [(244, 244, 248), DARK, (70, 110, 180), (120, 160, 225), (255, 210, 60),
                  (40, 70, 130), (255, 255, 255)]


def button(face, border, shift):
    def pixel(x, y):
        x, y = x - shift, y - shift
        corner = min(x, 61 - x) < 3 and min(y, 21 - y) < 3 and \
            (min(x, 61 - x) - 3) ** 2 + (min(y, 21 - y) - 3) ** 2 > 9
        if x < 0 or y < 0 or x > 61 or y > 21 or corner:
            return 0
        if min(x, 61 - x, y, 21 - y) < 2:
            return border
        if 24 <= x <= 37 and 7 <= y <= 14 and abs(x - 30.5) <= (y - 6) * 0.9:
            return 6
        return face
    return pixel


bmp("button.bmp", 64, 24, 4, BUTTON_PALETTE, button(2, 1, 0))
bmp("button_hi.bmp", 64, 24, 4, BUTTON_PALETTE, button(3, 4, 0))
bmp("button_down.bmp", 64, 24, 4, BUTTON_PALETTE, button(5, 1, 2))
