#!/usr/bin/env python3
"""grafplay's printed page and print preview, looked at from outside Wine.

  print_check.py WINE_RUN GRAFPLAY_EXE SOURCE_DIR OUT_DIR PRINTER_SETUP_EXE

Makes the test printer the default, prints a script four sheets tall with grafplay --print,
renders the PostScript with Ghostscript at the screen's 96 dpi and compares the shapes and the
text with grafplay's own picture of the view: the same sizes, on one page. Then pictures the
preview with --preview-png: a 96-pixel square is square and one inch of the drawn paper.
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from png_check import Failure, check, decode  # noqa: E402

WINE_RUN, GRAFPLAY, SOURCE, OUT, SETUP = sys.argv[1:6]

SCRIPT = """view 400 300 #ffffff
forecolor #ff0000
rect paint "" 10 10 110 60
forecolor #000000
textsize 24
penloc 10 150
text "HHHH"
forecolor #0000ff
rect paint "" 10 4000 50 4040
"""
SQUARE = 'view 300 300 #ffffff\nforecolor #ff0000\nrect paint "" 20 20 116 116\n'

RED = lambda p: p[0] > 200 and p[1] < 128 and p[2] < 128  # noqa: E731
BLUE = lambda p: p[2] > 200 and p[0] < 128  # noqa: E731
DARK = lambda p: max(p) < 128  # noqa: E731


class Picture:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return self.rgb[i:i + 3]

    def bounds(self, test):
        """(left, top, width, height) of the pixels passing test, or None."""
        hits = [(x, y) for y in range(self.height) for x in range(self.width)
                if test(self.at(x, y))]
        if not hits:
            return None
        xs, ys = zip(*hits)
        return min(xs), min(ys), max(xs) + 1 - min(xs), max(ys) + 1 - min(ys)


def ppm(path):
    """A binary PPM: the header (a comment line may follow the magic), then the RGB rows."""
    with open(path, "rb") as f:
        data = f.read()
    header = re.match(rb"P6\s+(?:#[^\n]*\n\s*)*(\d+)\s+(\d+)\s+255\s", data)
    check(header is not None, "a binary 8-bit PPM")
    width, height = int(header.group(1)), int(header.group(2))
    return Picture(width, height, data[header.end():header.end() + 3 * width * height])


def png(path):
    with open(path, "rb") as f:
        return Picture(*decode(f.read())[:3])


def grafplay(option, out, script_text, name):
    script = os.path.join(OUT, name + ".graf")
    with open(script, "w") as f:
        f.write(script_text)
    run = subprocess.run([WINE_RUN, GRAFPLAY, option, out, script], capture_output=True,
                         timeout=120)
    check(run.returncode == 0, "grafplay %s: exit code %d: %s"
          % (option, run.returncode, run.stderr.decode(errors="replace")))


def near(what, got, want, tolerance):
    check(abs(got - want) <= tolerance, "%s: %s, not %s (+-%s)" % (what, got, want, tolerance))


def check_print():
    ps, screen_png, page_ppm = (os.path.join(OUT, n) for n in ("page.ps", "screen.png", "page.ppm"))
    grafplay("--print", ps, SCRIPT, "page")
    grafplay("--png", screen_png, SCRIPT, "screen")
    with open(ps, "rb") as f:
        check(f.read().count(b"\n%%Page:") == 1, "one page in the PostScript")
    subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=ppmraw", "-r96",
                    "-dGraphicsAlphaBits=4", "-dTextAlphaBits=4", "-sOutputFile=" + page_ppm, ps],
                   check=True, timeout=120)
    page, screen = ppm(page_ppm), png(screen_png)
    red = page.bounds(RED)
    check(red is not None, "the red rectangle printed")
    near("printed rectangle width", red[2], 100, 1)
    near("printed rectangle height", red[3], 50, 1)
    printed_text, screen_text = page.bounds(DARK), screen.bounds(DARK)
    near("printed text width", printed_text[2], screen_text[2], 2)
    near("printed text height", printed_text[3], screen_text[3], 2)
    check(page.bounds(BLUE) is None, "nothing of the list below the first sheet printed")
    return page.width


def check_preview(paper_pixels_at_96):
    out = os.path.join(OUT, "preview.png")
    grafplay("--preview-png", out, SQUARE, "preview")
    preview = png(out)
    red = preview.bounds(RED)
    check(red is not None, "the red square in the preview")
    near("square's height against its width", red[3], red[2], 1)
    # The paper: from the square's middle row outward to the first dark pixel (its frame).
    y = red[1] + red[3] // 2
    left = next(x for x in range(red[0], -1, -1) if DARK(preview.at(x, y)))
    right = next(x for x in range(red[0] + red[2], preview.width) if DARK(preview.at(x, y)))
    inch = (right - left - 1) * 96.0 / paper_pixels_at_96
    near("square's width in inches of the paper", red[2] / inch, 1.0, 0.03)


def main():
    os.makedirs(OUT, exist_ok=True)
    setup = subprocess.run([WINE_RUN, SETUP], capture_output=True, timeout=120)
    if setup.returncode != 0:
        print(setup.stderr.decode(errors="replace"))
        return 1
    try:
        check_preview(check_print())
    except Failure as failure:
        print("FAIL: %s" % failure)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
