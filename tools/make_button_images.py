#!/usr/bin/python3
"""Draws the telescope view's mount status lights into "Buttons/".

Each light is a 16 x 16 disc with a soft rim and a highlight toward the upper
left: red, yellow, green and dark green, and a clear one (a faint grey ring
on transparency) for no mount. Drawn four times over and scaled down, so the
edges are smooth; the same bytes on every run.
"""

import argparse
import io
from pathlib import Path

from PIL import Image, ImageDraw

from converter_common import REPO_ROOT, write_bytes

DEFAULT_BUTTON_FOLDER = REPO_ROOT / "data" / "Resources" / "Buttons"

SIZE = 16
SCALE = 4

# File, body colour, alpha of the body.
LIGHTS = (
    ("RedButton.png", (220, 30, 30), 255),
    ("YellowButton.png", (235, 200, 20), 255),
    ("GreenButton.png", (40, 220, 60), 255),
    ("DarkGreenButton.png", (20, 110, 35), 255),
    ("clearButton.png", (128, 128, 128), 0),
)


def light(colour, alpha):
    """PNG bytes of one light."""
    big = SIZE * SCALE
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    inset = 2 * SCALE
    box = (inset, inset, big - inset - 1, big - inset - 1)
    rim = tuple(max(0, c - 70) for c in colour)
    draw.ellipse(box, fill=colour + (alpha,), outline=rim + (255,), width=SCALE)
    if alpha:
        spot = 4 * SCALE
        draw.ellipse((spot, spot, spot + 3 * SCALE, spot + 3 * SCALE), fill=(255, 255, 255, 170))
    small = image.resize((SIZE, SIZE), Image.LANCZOS)
    out = io.BytesIO()
    small.save(out, format="PNG", optimize=True)
    return out.getvalue()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=str(DEFAULT_BUTTON_FOLDER),
                        help="the folder to write into (default: %(default)s)")
    output = Path(parser.parse_args().output)
    for name, colour, alpha in LIGHTS:
        write_bytes(output / name, light(colour, alpha))
    print(f"{len(LIGHTS)} images in {output}")


if __name__ == "__main__":
    main()
