#!/usr/bin/env python3
"""Draws the main toolbar's 22 button images into "ImageF/" (python3-pil).

Each image is 32 x 32 pixels, dark strokes on a transparent ground, drawn four
times larger and reduced for smooth edges. The same run gives the same bytes:
no clock, no randomness, PNG written without optimisation, through a
temporary file and a rename.
"""

import argparse
import math
import os
import tempfile

from PIL import Image, ImageDraw

SIZE = 32
SCALE = 4
INK = (40, 44, 52, 255)
ACCENT = (200, 70, 40, 255)
SOFT = (110, 120, 140, 255)


def canvas():
    image = Image.new("RGBA", (SIZE * SCALE, SIZE * SCALE), (0, 0, 0, 0))
    return image, ImageDraw.Draw(image)


def s(*values):
    """Scales design units (0 to 32) to the drawing grid."""
    return [v * SCALE for v in values]


def star_points(cx, cy, outer, inner, points=5, turn=-90.0):
    coords = []
    for k in range(points * 2):
        radius = outer if k % 2 == 0 else inner
        angle = math.radians(turn + k * 180.0 / points)
        coords.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return [(x * SCALE, y * SCALE) for x, y in coords]


def circle(d, cx, cy, r, width=2, fill=None, outline=INK):
    d.ellipse(s(cx - r, cy - r, cx + r, cy + r), outline=outline, fill=fill, width=width * SCALE)


def line(d, points, width=2, fill=INK):
    d.line([(x * SCALE, y * SCALE) for x, y in points], fill=fill, width=width * SCALE, joint="curve")


def arc(d, box, start, end, width=2, fill=INK):
    d.arc(s(*box), start, end, fill=fill, width=width * SCALE)


def star(d):
    d.polygon(star_points(16, 17, 13, 5.5), fill=INK)


def planet(d):
    circle(d, 16, 16, 8, fill=SOFT)
    d.ellipse(s(2, 12, 30, 20), outline=INK, width=2 * SCALE)


def comet(d):
    circle(d, 23, 9, 4, fill=INK)
    for offset in (-3, 0, 3):
        line(d, [(20 + offset * 0.3, 12 + offset * 0.3), (5 + offset, 27 - offset)], width=1)


def deep_sky(d):
    d.ellipse(s(3, 10, 29, 22), outline=INK, width=2 * SCALE)
    circle(d, 16, 16, 3, fill=INK)


def constellations(d):
    points = [(4, 24), (11, 14), (18, 18), (26, 6), (28, 20)]
    line(d, points, width=2, fill=SOFT)
    for x, y in points:
        circle(d, x, y, 2, fill=INK, width=1)


def boundary(d):
    line(d, [(4, 6), (14, 6), (14, 14), (28, 14), (28, 26), (4, 26), (4, 6)], width=2)


def ra_dec(d):
    for x in (9, 16, 23):
        arc(d, (x - 6, 3, x + 6, 29), 270, 90, width=1)
    for y in (10, 16, 22):
        line(d, [(3, y), (29, y)], width=1)
    circle(d, 16, 16, 13, width=2)


def alt_az(d):
    for r in (5, 9, 13):
        arc(d, (16 - r * 1.1, 28 - r * 1.6, 16 + r * 1.1, 28 + r * 0.4), 180, 360, width=1)
    line(d, [(2, 28), (30, 28)], width=2)
    line(d, [(16, 28), (16, 6)], width=1)


def ecliptic(d):
    circle(d, 16, 16, 13, width=1, outline=SOFT)
    line(d, [(3, 22), (29, 10)], width=2, fill=ACCENT)
    circle(d, 16, 16, 3, fill=ACCENT, outline=ACCENT, width=1)


def equator(d):
    circle(d, 16, 16, 13, width=1, outline=SOFT)
    line(d, [(3, 16), (29, 16)], width=2, fill=ACCENT)


def milky_way(d):
    d.polygon(s(2, 22, 10, 14, 20, 12, 30, 6, 30, 12, 20, 20, 10, 22, 2, 28), fill=SOFT)
    for x, y in ((8, 18), (15, 16), (24, 11)):
        circle(d, x, y, 1, fill=INK, width=1)


def path(d):
    for k, (x, y) in enumerate(((5, 25), (10, 20), (15, 16), (20, 13), (25, 11))):
        circle(d, x, y, 1 + k * 0.5, fill=INK, width=1)


def photo(d):
    d.rectangle(s(3, 7, 29, 25), outline=INK, width=2 * SCALE)
    d.polygon(s(5, 23, 13, 13, 19, 19, 22, 16, 27, 23), fill=SOFT)
    circle(d, 22, 11, 2, fill=INK, width=1)


def below_horizon(d):
    line(d, [(2, 12), (30, 12)], width=2)
    d.rectangle(s(2, 13, 30, 30), fill=(110, 120, 140, 90))
    d.polygon(star_points(16, 21, 6, 2.5), fill=INK)


def time(d):
    circle(d, 16, 16, 13, width=2)
    line(d, [(16, 16), (16, 7)], width=2)
    line(d, [(16, 16), (23, 19)], width=2)


def direction(d):
    circle(d, 16, 16, 13, width=1, outline=SOFT)
    d.polygon(s(16, 3, 20, 16, 16, 14, 12, 16), fill=ACCENT)
    d.polygon(s(16, 29, 20, 16, 16, 18, 12, 16), fill=INK)


def mist(d):
    for y, alpha in ((14, 60), (19, 110), (24, 170)):
        d.rectangle(s(2, y, 30, y + 5), fill=(110, 120, 140, alpha))
    line(d, [(2, 29), (30, 29)], width=2)


def solar_system(d):
    circle(d, 16, 16, 3, fill=ACCENT, outline=ACCENT, width=1)
    for r in (7, 12):
        circle(d, 16, 16, r, width=1, outline=SOFT)
    circle(d, 23, 16, 2, fill=INK, width=1)
    circle(d, 8, 9, 2, fill=INK, width=1)


def scope_view(d):
    d.polygon(s(4, 20, 22, 8, 25, 12, 7, 24), fill=INK)
    d.polygon(s(22, 6, 28, 2, 30, 10, 25, 12), fill=SOFT)
    line(d, [(12, 19), (9, 30)], width=2)
    line(d, [(12, 19), (17, 30)], width=2)


def myth(d):
    arc(d, (4, 4, 28, 28), 200, 340, width=2)
    line(d, [(6, 13), (16, 28), (26, 13)], width=2)
    line(d, [(16, 4), (16, 28)], width=1)


def meridian(d):
    circle(d, 16, 16, 13, width=1, outline=SOFT)
    line(d, [(16, 2), (16, 30)], width=2, fill=ACCENT)


def outlines(d):
    circle(d, 16, 16, 12, width=2)
    d.rectangle(s(9, 11, 23, 21), outline=ACCENT, width=1 * SCALE)


ICONS = {
    "ToolbarButtonStar.png": star,
    "ToolbarButtonPlanet.png": planet,
    "ToolbarButtonComet.png": comet,
    "ToolbarButtonDeepSky.png": deep_sky,
    "ToolbarButtonConstellations.png": constellations,
    "ToolbarButtonBoundary.png": boundary,
    "ToolbarButtonRADec.png": ra_dec,
    "ToolbarButtonAltAz.png": alt_az,
    "ToolbarButtonEcliptic.png": ecliptic,
    "ToolbarButtonEquator.png": equator,
    "ToolbarButtonMilkyWay.png": milky_way,
    "ToolbarButtonPath.png": path,
    "ToolbarButtonPhoto.png": photo,
    "ToolbarButtonBelowHorizon.png": below_horizon,
    "ToolbarButtonTime.png": time,
    "ToolbarButtonDirection.png": direction,
    "ToolbarButtonMist.png": mist,
    "ToolbarButtonSS.png": solar_system,
    "ToolbarButtonSV.png": scope_view,
    "ToolbarButtonMyth.png": myth,
    "ToolbarButtonMeridian.png": meridian,
    "ToolbarButtonOutlines.png": outlines,
}


def write(image, path):
    folder = os.path.dirname(path)
    handle, temporary = tempfile.mkstemp(dir=folder, suffix=".png")
    os.close(handle)
    try:
        image.save(temporary, "PNG", optimize=False, compress_level=9)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=os.path.join(here, "..", "data", "Resources", "ImageF"))
    args = parser.parse_args()
    for name, draw in ICONS.items():
        image, d = canvas()
        draw(d)
        write(image.resize((SIZE, SIZE), Image.LANCZOS), os.path.join(args.output, name))


if __name__ == "__main__":
    main()
