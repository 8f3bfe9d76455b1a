#!/usr/bin/python3
"""Draws the telescope view's mount status lights and the webcam's overlays into "Buttons/".

Each light is a 16 x 16 disc with a soft rim and a highlight toward the upper
left: red, yellow, green and dark green, and a clear one (a faint grey ring
on transparency) for no mount. Drawn four times over and scaled down, so the
edges are smooth; the same bytes on every run.

The webcam's overlays are thin lines on transparency, laid on the frames with
a lighten blend: the centre mark (100 x 100), the grids (640 x 480 and
1280 x 960), the guide star's lock (60 x 60), the calibration and focus-curve
star's mark (60 x 60) and the hot pixel's square (5 x 5). They are drawn
pixel for pixel, without smoothing, so single-pixel lines stay sharp.
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


OVERLAY_GREEN = (60, 220, 60, 255)
OVERLAY_RED = (255, 40, 40, 255)
OVERLAY_YELLOW = (240, 220, 40, 255)
OVERLAY_CYAN = (40, 220, 240, 255)


def png(image):
    out = io.BytesIO()
    image.save(out, format="PNG", optimize=True)
    return out.getvalue()


def marker():
    """A ring with a cross whose arms stop short of the centre, leaving the star clear."""
    image = Image.new("RGBA", (100, 100), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.ellipse((20, 20, 79, 79), outline=OVERLAY_GREEN)
    for a, b in ((0, 40), (59, 99)):
        draw.line((a, 49, b, 49), fill=OVERLAY_GREEN)
        draw.line((49, a, 49, b), fill=OVERLAY_GREEN)
    return png(image)


def grid(width, height, step):
    """Lines every `step` pixels, the centre lines brighter."""
    image = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    faint = (40, 140, 40, 255)
    for x in range(0, width, step):
        draw.line((x, 0, x, height - 1), fill=faint)
    for y in range(0, height, step):
        draw.line((0, y, width - 1, y), fill=faint)
    draw.line((width - 1, 0, width - 1, height - 1), fill=faint)
    draw.line((0, height - 1, width - 1, height - 1), fill=faint)
    draw.line((width // 2, 0, width // 2, height - 1), fill=OVERLAY_GREEN)
    draw.line((0, height // 2, width - 1, height // 2), fill=OVERLAY_GREEN)
    return png(image)


def guide_grid():
    """A square with ticks toward the lock position."""
    image = Image.new("RGBA", (60, 60), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.rectangle((10, 10, 49, 49), outline=OVERLAY_YELLOW)
    for a, b in ((0, 20), (39, 59)):
        draw.line((a, 30, b, 30), fill=OVERLAY_YELLOW)
        draw.line((30, a, 30, b), fill=OVERLAY_YELLOW)
    return png(image)


def cal_mark():
    """A ring around the measured star."""
    image = Image.new("RGBA", (60, 60), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.ellipse((8, 8, 51, 51), outline=OVERLAY_CYAN)
    draw.ellipse((9, 9, 50, 50), outline=OVERLAY_CYAN)
    return png(image)


def hot_pixel_rect():
    image = Image.new("RGBA", (5, 5), (0, 0, 0, 0))
    ImageDraw.Draw(image).rectangle((0, 0, 4, 4), outline=OVERLAY_RED)
    return png(image)


OVERLAYS = (
    ("Marker.png", marker),
    ("Grid.png", lambda: grid(640, 480, 40)),
    ("Grid1280.png", lambda: grid(1280, 960, 80)),
    ("GuideGrid.png", guide_grid),
    ("CalMark.png", cal_mark),
    ("HotPixelRect.png", hot_pixel_rect),
)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=str(DEFAULT_BUTTON_FOLDER),
                        help="the folder to write into (default: %(default)s)")
    output = Path(parser.parse_args().output)
    for name, colour, alpha in LIGHTS:
        write_bytes(output / name, light(colour, alpha))
    for name, draw in OVERLAYS:
        write_bytes(output / name, draw())
    print(f"{len(LIGHTS) + len(OVERLAYS)} images in {output}")


if __name__ == "__main__":
    main()
