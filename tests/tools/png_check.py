#!/usr/bin/env python3
"""grafplay --png checked from outside Wine, with Python's zlib as the independent decoder.

  png_check.py WINE_RUN GRAFPLAY_EXE SOURCE_DIR OUT_DIR

Plays a table of scripts, compares what each prints on stdout (the click log) with its expected
lines, decodes each PNG strictly (signature, every chunk's CRC, IHDR, IDAT
then an empty IEND, the zlib header and Adler-32, every scanline filter) and compares its pixels
with probes or with the CRC-32 of its RGB rows in tests/golden/checksums.txt. Across the table the
writer must have used every filter type and every deflate block type. Every golden PNG must also
decode to its listed checksum. MIRDALUX_UPDATE_GOLDEN=1 writes the checksum and PNG of a
mismatching or missing golden picture instead of failing.
"""
import os
import random
import shutil
import struct
import subprocess
import sys
import zlib

WINE_RUN, GRAFPLAY, SOURCE, OUT = sys.argv[1:5]
GOLDEN_DIR = os.path.join(SOURCE, "tests", "golden")
CHECKSUMS = os.path.join(GOLDEN_DIR, "checksums.txt")
UPDATE = os.environ.get("MIRDALUX_UPDATE_GOLDEN", "") not in ("", "0")


class Failure(Exception):
    pass


def check(ok, what):
    if not ok:
        raise Failure(what)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def decode(data):
    """(width, height, RGB bytes, filter types used, type of the first deflate block)."""
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "PNG signature")
    chunks, at = [], 8
    while at < len(data):
        check(at + 12 <= len(data), "a whole chunk at byte %d" % at)
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        (crc,) = struct.unpack(">I", data[at + 8 + length:at + 12 + length])
        check(zlib.crc32(kind + body) == crc, "CRC of chunk %r" % kind)
        chunks.append((kind, body))
        at += 12 + length
    kinds = [k for k, _ in chunks]
    check(kinds[0] == b"IHDR" and len(kinds) > 2 and set(kinds[1:-1]) == {b"IDAT"},
          "IHDR, then IDAT only: %r" % kinds)
    check(kinds[-1] == b"IEND" and chunks[-1][1] == b"", "an empty IEND last")
    width, height, *rest = struct.unpack(">IIBBBBB", chunks[0][1])
    check(rest == [8, 2, 0, 0, 0], "8-bit RGB, deflate, no interlace: %r" % rest)
    z = b"".join(body for _, body in chunks[1:-1])
    check(z[0] & 15 == 8 and (z[0] * 256 + z[1]) % 31 == 0, "zlib header")
    raw = zlib.decompress(z)  # also checks the Adler-32
    stride = 3 * width
    check(len(raw) == height * (stride + 1), "%d bytes of rows, got %d" %
          (height * (stride + 1), len(raw)))
    prev, rgb, filters = bytearray(stride), bytearray(), set()
    for y in range(height):
        f, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        filters.add(f)
        check(f <= 4, "filter type %d on row %d" % (f, y))
        if f == 1:
            for i in range(3, stride):
                row[i] = (row[i] + row[i - 3]) & 255
        elif f == 2:
            row = bytearray((a + b) & 255 for a, b in zip(row, prev))
        elif f == 3:
            for i in range(stride):
                row[i] = (row[i] + ((row[i - 3] if i >= 3 else 0) + prev[i]) // 2) & 255
        elif f == 4:
            for i in range(stride):
                a, c = (row[i - 3], prev[i - 3]) if i >= 3 else (0, 0)
                row[i] = (row[i] + paeth(a, prev[i], c)) & 255
        rgb += row
        prev = row
    return width, height, bytes(rgb), filters, (z[2] >> 1) & 3


def read_checksums():
    if not os.path.exists(CHECKSUMS):
        return {}
    with open(CHECKSUMS) as f:
        return {line.split()[0]: " ".join(line.split()[1:]) for line in f if line.strip()}


def checksum(width, height, rgb):
    return "%dx%d %08x" % (width, height, zlib.crc32(rgb))


def noise_script(size):
    """One random colour per pixel (2x2 squares, each covering the right and lower neighbours
    of the one before; a 1x1 rectangle draws nothing): the writer stores these rows."""
    rnd = random.Random(7)
    lines, colours = ["view %d %d" % (size, size)], []
    for y in range(size):
        for x in range(size):
            colour = "#%06x" % rnd.randrange(1 << 24)
            colours.append(((x, y), colour))
            lines += ["forecolor " + colour, 'rect paint "" %d %d %d %d' % (x, y, x + 2, y + 2)]
    return "\n".join(lines) + "\n", [(x, y, c) for (x, y), c in colours]


WHITE, BLACK, RED, GREEN = "#ffffff", "#000000", "#ff0000", "#00ff00"
NOISE, NOISE_PROBES = noise_script(150)
GOLDEN_SCRIPTS = os.path.join(SOURCE, "tests", "tools", "golden")
# name, script text or file, size, first deflate block type (None: any), probes (x, y, colour)
# or the golden picture's name.
ROWS = [
    ("background", "view 50 40 #336699\n", (50, 40), 2,
     [(x, y, "#336699") for x in (0, 25, 49) for y in (0, 20, 39)]),
    ("one white row, fixed codes", "view 8 1\n", (8, 1), 1, [(0, 0, WHITE), (7, 0, WHITE)]),
    ("noise, stored blocks", NOISE, (150, 150), 0, NOISE_PROBES),
    ("rectangles", "view 200 100\npensize 3\nrect frame gray 10 10 100 80\npensize 1\n"
     "forecolor #ff0000\nrect paint \"\" 120 10 180 60\nexpect count 5\n", (200, 100), None,
     [(9, 40, WHITE), (10, 40, BLACK), (12, 40, BLACK), (13, 40, WHITE), (55, 45, WHITE),
      (99, 40, BLACK), (100, 40, WHITE), (50, 10, BLACK), (50, 79, BLACK), (50, 80, WHITE),
      (120, 10, RED), (179, 59, RED), (150, 35, RED), (119, 35, WHITE), (180, 35, WHITE),
      (150, 60, WHITE)]),
    ("lines follow the pen, deletions leave the picture",
     "view 60 40\npenloc 5 5\nline 20 0\nline 0 10\nrect paint \"\" 40 20 50 30\n"
     "dellast full\nexpect count 3\n", (60, 40), None,
     [(5, 5, BLACK), (24, 5, BLACK), (25, 10, BLACK), (25, 14, BLACK), (25, 15, WHITE),
      (4, 5, WHITE), (45, 25, WHITE)]),
    ("winding-rule star, text box frames",
     "view 240 100\nforecolor #00ff00\npolygon paint \"\" 50 90 75 15 100 90 35 43 115 43\n"
     "forecolor #000000\ntextbox L framed 130 10 230 50 \"\"\n"
     "textbox C plain 130 60 230 95 \"\"\nexpect count 5\n", (240, 100), None,
     [(75, 58, GREEN), (75, 30, GREEN), (45, 45, GREEN), (75, 10, WHITE), (75, 85, WHITE),
      (130, 30, BLACK), (229, 30, BLACK), (180, 10, BLACK), (180, 30, WHITE),
      (130, 77, WHITE)]),
    ("shapes example", os.path.join(SOURCE, "examples", "shapes.graf"), None, 2,
     "grafplay_shapes"),
    # Icons and pictures read from examples/images, relative to the script: 1, 4, 8 and 24 bits
    # per pixel, transparent indices, a top-down picture, setpict and the current picture.
    ("gallery example", os.path.join(SOURCE, "examples", "gallery.graf"), None, None,
     "grafplay_gallery"),
    # Pointer steps: a click on each kind of region, a double click, the selection's pressed
    # look and the hover frame after two ticks, in the window's own pixels.
    ("pointer example", os.path.join(SOURCE, "examples", "pointer.graf"), None, None,
     "grafplay_pointer"),
] + [(kind, os.path.join(GOLDEN_SCRIPTS, kind + ".graf"), None, None, "grafplay_" + kind)
     for kind in ("rect", "roundrect", "oval", "arc", "line", "polyline", "polygon", "text",
                  "textbox")]
# The stdout of a row, line by line; a row not listed prints nothing.
LOGS = {
    "pointer example": [
        "OnActiveClick region=1",
        "OnRegionClick region=2 at=(245,60) flags=0x0000",
        "OnRegionClick region=4 at=(395,110) flags=0x0001",
    ],
}


def play(name, script):
    slug = "".join(ch if ch.isalnum() else "_" for ch in name)
    png = os.path.join(OUT, slug + ".png")
    if not script.endswith(".graf"):
        path = os.path.join(OUT, slug + ".graf")
        with open(path, "w") as f:
            f.write(script)
        script = path
    if os.path.exists(png):
        os.remove(png)
    run = subprocess.run([WINE_RUN, GRAFPLAY, "--png", png, script], capture_output=True,
                         timeout=120)
    check(run.returncode == 0 and not run.stderr.strip(),
          "grafplay exit code %d: %s" % (run.returncode, run.stderr.decode(errors="replace")))
    with open(png, "rb") as f:
        return png, f.read(), run.stdout.decode(errors="replace").splitlines()


def check_row(row, checksums, used):
    name, script, size, block, expected = row
    png, data, log = play(name, script)
    check(log == LOGS.get(name, []), "stdout %r, expected %r" % (log, LOGS.get(name, [])))
    width, height, rgb, filters, first = decode(data)
    used[0] |= filters
    used[1].add(first)
    check(size is None or (width, height) == size, "size %dx%d" % (width, height))
    check(block is None or first == block, "first deflate block of type %d, not %s" %
          (first, block))
    if isinstance(expected, str):
        got = checksum(width, height, rgb)
        if got == checksums.get(expected):
            return
        actual = os.path.join(OUT, expected + ".actual.png")
        shutil.copyfile(png, actual)
        if UPDATE:
            checksums[expected] = got
            shutil.copyfile(png, os.path.join(GOLDEN_DIR, expected + ".png"))
            print("%s: wrote the checksum and picture of %s" % (name, expected))
            return
        raise Failure("%s is not golden %s (%s); wrote %s" %
                      (got, expected, checksums.get(expected, "no checksum"), actual))
    for x, y, colour in expected:
        i = 3 * (y * width + x)
        got = "#%02x%02x%02x" % tuple(rgb[i:i + 3])
        check(got == colour, "(%d, %d) is %s, expected %s" % (x, y, got, colour))


def main():
    os.makedirs(OUT, exist_ok=True)
    checksums, failures, used = read_checksums(), [], [set(), set()]
    for row in ROWS:
        try:
            check_row(row, checksums, used)
        except (Failure, OSError, subprocess.SubprocessError, zlib.error) as e:
            failures.append("%s: %s" % (row[0], e))
    if used[0] != set(range(5)) or used[1] != {0, 1, 2}:
        failures.append("filter types used %s, block types %s: not all of them" %
                        (sorted(used[0]), sorted(used[1])))
    if UPDATE:
        with open(CHECKSUMS, "w") as f:
            f.writelines("%s %s\n" % item for item in sorted(checksums.items()))
    for name, expected in sorted(checksums.items()):
        try:
            with open(os.path.join(GOLDEN_DIR, name + ".png"), "rb") as f:
                width, height, rgb, _, _ = decode(f.read())
            check(checksum(width, height, rgb) == expected, "the PNG is not its checksum")
        except (Failure, OSError, zlib.error) as e:
            failures.append("golden %s: %s" % (name, e))
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
