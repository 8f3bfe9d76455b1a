#!/usr/bin/python3
"""Draws the readout tile's drag image, "ImageF/InfoDragImage.png".

A 48 x 22 tile (the drag puts the pointer 24 points in from its left, at its
middle): a light grey, half-clear rounded box with a darker rim and two lines
standing for the readout's text. Drawn four times over and scaled down, so the
edges are smooth (a box filter, so the corners stay clear); the same bytes on every run. The written file is read back
and its size and transparency checked.
"""

import argparse
import io
from pathlib import Path

from PIL import Image, ImageDraw

from converter_common import REPO_ROOT, write_bytes

DEFAULT_IMAGE_FOLDER = REPO_ROOT / "data" / "Resources" / "ImageF"
FILE_NAME = "InfoDragImage.png"

WIDTH = 48
HEIGHT = 22
SCALE = 4
BODY = (225, 225, 225, 170)
RIM = (90, 90, 90, 230)
TEXT = (40, 40, 40, 220)


def tile():
    """PNG bytes of the drag image."""
    image = Image.new("RGBA", (WIDTH * SCALE, HEIGHT * SCALE), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.rounded_rectangle((0, 0, WIDTH * SCALE - 1, HEIGHT * SCALE - 1), radius=5 * SCALE, fill=BODY,
                           outline=RIM, width=SCALE)
    for top, length in ((7, 30), (13, 22)):
        draw.rectangle((8 * SCALE, top * SCALE, (8 + length) * SCALE - 1, (top + 2) * SCALE - 1), fill=TEXT)
    small = image.resize((WIDTH, HEIGHT), Image.BOX)
    out = io.BytesIO()
    small.save(out, format="PNG", optimize=True)
    return out.getvalue()


def check(data):
    """Stops unless `data` is the tile: RGBA of the right size, clear corners, an opaque-ish middle."""
    with Image.open(io.BytesIO(data)) as image:
        if image.format != "PNG" or image.mode != "RGBA" or image.size != (WIDTH, HEIGHT):
            raise SystemExit(f"{FILE_NAME}: {image.format} {image.mode} {image.size}, not a {WIDTH} x {HEIGHT} RGBA PNG")
        if image.getpixel((0, 0))[3] != 0 or image.getpixel((WIDTH // 2, HEIGHT // 2))[3] < 100:
            raise SystemExit(f"{FILE_NAME}: the corners must be clear and the middle shown")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=str(DEFAULT_IMAGE_FOLDER),
                        help="the folder to write into (default: %(default)s)")
    output = Path(parser.parse_args().output)
    data = tile()
    check(data)
    write_bytes(output / FILE_NAME, data)
    check((output / FILE_NAME).read_bytes())
    print(f"{FILE_NAME} in {output}")


if __name__ == "__main__":
    main()
