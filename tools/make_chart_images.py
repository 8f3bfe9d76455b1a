#!/usr/bin/env python3
"""Draws the chart's star sprites, symbols, marks, cursors and splash into "ImageF/".

Every image but the splash is drawn here from simple shapes; the splash is a
star map of the northern sky in sepia, drawn from the shipped star catalogue
and constellation figures.

Sizes follow where the chart puts each image's lower-left corner, so that its
middle falls half a pixel right of and above the object's chart point (x, y):

  star sprites        classes 0-2: 1 x 1 at (x, y); 3-4: 3 x 3 at (x-1, y-1); 5-6: 5 x 5;
                      7-8: 7 x 7; 9-10: 9 x 9; 11-13: 11 x 11 at (x-5, y-5). White discs
                      with soft edges, brighter and wider within each size ("F" fainter)
  print sprites       StarPn: a black disc n pixels across in an n x n image
  deep-sky symbols    9 x 9 at (x-4, y-4); the open cluster 10 x 10 at (x-4.5, y-4.5)
  comet               7 x 11 at (x-3, y-5), the head in the middle, the tail upwards
  minor planets       11 x 7 at (x-5, y-3)
  find marks          21 x 21 at (x-10, y-10)
  cursors             17 x 17 (hot spot 8, 8) and 16 x 16 (hot spot 0, 14)

Symbols the chart tints (screen deep-sky, comet and minor-planet symbols, the
sprites) are white, so that the tint alone gives their colour; the print
symbols and sprites are black; the yellow asteroid symbol, the marks and the
cursors carry their own colours.
"""

import argparse
import math
import struct
from pathlib import Path

from converter_common import DEFAULT_OUTPUT, REPO_ROOT, write_bytes
from image_files import encode_jpeg, read_image, write_png
from raster import (Canvas, difference, ellipse, ellipse_outline, outline, polygon, ring,
                    segment, soft_disc, union)

DEFAULT_IMAGE_FOLDER = REPO_ROOT / "data" / "Resources" / "ImageF"

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
ASTEROID_YELLOW = (255, 215, 0)
MARK_GREEN = (40, 255, 40)
NIGHT_RED = (255, 40, 40)
CURSOR_RED = (255, 0, 0)

# Star sprites in class order: file, size, disc radius, edge softness, brightness.
STAR_SPRITES = (
    ("Star1VF.png", 1, 0.0, 0.0, 0.30),
    ("Star1F.png", 1, 0.0, 0.0, 0.55),
    ("Star1.png", 1, 0.0, 0.0, 0.85),
    ("Star3F.png", 3, 0.9, 0.6, 1.0),
    ("Star3.png", 3, 1.3, 0.5, 1.0),
    ("Star5F.png", 5, 1.7, 0.7, 1.0),
    ("Star5.png", 5, 2.2, 0.6, 1.0),
    ("Star7F.png", 7, 2.6, 0.8, 1.0),
    ("Star7.png", 7, 3.1, 0.7, 1.0),
    ("Star9F.png", 9, 3.5, 0.9, 1.0),
    ("Star9.png", 9, 4.0, 0.8, 1.0),
    ("Star11F.png", 11, 4.4, 1.0, 1.0),
    ("Star11.png", 11, 4.9, 0.9, 1.0),
    ("Star11B.png", 11, 5.5, 0.6, 1.0),
)

PRINT_SPRITE_SIZES = tuple(range(1, 28, 2))


def png_of(canvas):
    return write_png(canvas.width, canvas.height, 4, canvas.rgba_bytes())


def drawn(width, height, layers, colour):
    """An image of the given layers (shape, opacity), all in one colour."""
    canvas = Canvas(width, height)
    for shape, opacity in layers:
        canvas.paint(shape, colour, opacity)
    return png_of(canvas)


def star_sprite(size, radius, softness, brightness):
    canvas = Canvas(size, size)
    if size == 1:
        canvas.blend(0, WHITE, brightness)
    else:
        middle = size / 2.0
        canvas.paint(soft_disc(middle, middle, radius, softness), WHITE, brightness)
    return png_of(canvas)


def print_sprite(size):
    if size == 1:
        canvas = Canvas(1, 1)
        canvas.blend(0, BLACK, 1.0)
        return png_of(canvas)
    middle = size / 2.0
    return drawn(size, size, [(soft_disc(middle, middle, middle - 0.25, 0.25), 1.0)], BLACK)


def box(x0, y0, x1, y1):
    return polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])


# Deep-sky, comet and minor-planet symbols: (width, height, layers).
def galaxy():
    return 9, 9, [(ellipse(4.5, 4.5, 4.0, 2.0, -30.0), 0.45),
                  (ellipse_outline(4.5, 4.5, 3.6, 1.7, 1.0, -30.0), 1.0)]


def nebula():
    return 9, 9, [(box(2.0, 2.0, 7.0, 7.0), 0.3),
                  (difference(box(1.0, 1.0, 8.0, 8.0), box(2.0, 2.0, 7.0, 7.0)), 1.0)]


def open_cluster():
    # Eight one-pixel dots round the middle, each a whole pixel so that it stays sharp.
    places = [(1.5, 3.5), (1.5, 6.5), (3.5, 1.5), (6.5, 1.5),
              (8.5, 3.5), (8.5, 6.5), (3.5, 8.5), (6.5, 8.5)]
    return 10, 10, [(union(*[box(x - 0.5, y - 0.5, x + 0.5, y + 0.5) for x, y in places]), 1.0)]


def globular_cluster():
    return 9, 9, [(union(ring(4.5, 4.5, 3.5, 1.0), segment(4.5, 1.5, 4.5, 7.5, 1.0),
                         segment(1.5, 4.5, 7.5, 4.5, 1.0)), 1.0)]


def other():
    return 9, 9, [(outline([(4.5, 0.8), (8.2, 4.5), (4.5, 8.2), (0.8, 4.5)], 1.0), 1.0)]


def comet():
    tail = polygon([(3.5, 5.5), (0.4, 0.0), (6.6, 0.0)])

    def fading_tail(x, y):
        return tail(x, y) * (0.2 + 0.6 * y / 5.5)
    return 7, 11, [(fading_tail, 1.0), (soft_disc(3.5, 5.5, 1.8, 0.3), 1.0)]


def minor_planet():
    return 11, 7, [(ellipse(5.5, 3.5, 4.6, 2.6), 1.0)]


def near_earth_object():
    return 11, 7, [(polygon([(5.5, 0.3), (10.7, 3.5), (5.5, 6.7), (0.3, 3.5)]), 1.0)]


def orbit_asteroid():
    return 11, 7, [(ellipse_outline(5.5, 3.5, 4.2, 2.2, 1.0), 1.0)]


SYMBOLS = (
    # file, design, colour
    ("Galaxy.png", galaxy, WHITE),
    ("GlobulaCluster.png", globular_cluster, WHITE),
    ("Nebula.png", nebula, WHITE),
    ("OpenCluster.png", open_cluster, WHITE),
    ("Comet.png", comet, WHITE),
    ("MinorPlanet.png", minor_planet, WHITE),
    ("AstOrb.png", orbit_asteroid, WHITE),
    ("AstOrbYellow.png", orbit_asteroid, ASTEROID_YELLOW),
    ("NEO.png", near_earth_object, WHITE),
    ("Other.png", other, WHITE),
    ("GalaxyP.png", galaxy, BLACK),
    ("GlobulaClusterP.png", globular_cluster, BLACK),
    ("NebulaP.png", nebula, BLACK),
    ("OpenClusterP.png", open_cluster, BLACK),
    ("CometP.png", comet, BLACK),
    ("MinorPlanetP.png", minor_planet, BLACK),
    ("NEOP.png", near_earth_object, BLACK),
    ("AstOrbP.png", orbit_asteroid, BLACK),
)


def find_mark(colour):
    c = 10.5
    ticks = [segment(c, 0.5, c, 3.5, 1.5), segment(c, 17.5, c, 20.5, 1.5),
             segment(0.5, c, 3.5, c, 1.5), segment(17.5, c, 20.5, c, 1.5)]
    return drawn(21, 21, [(union(ring(c, c, 7.0, 1.5), *ticks), 1.0)], colour)


def cursor(width, height, strokes, colour):
    """Strokes (x0, y0, x1, y1) in colour over a dark outline that keeps them visible on any sky."""
    canvas = Canvas(width, height)
    canvas.paint(union(*[segment(*s, 3.0) for s in strokes]), BLACK, 0.8)
    canvas.paint(union(*[segment(*s, 1.0) for s in strokes]), colour)
    return png_of(canvas)


def target_cursor(colour):
    c = 8.5
    arms = [(c, 0.5, c, 5.5), (c, 11.5, c, 16.5), (0.5, c, 5.5, c), (11.5, c, 16.5, c),
            (c, c, c, c)]
    return cursor(17, 17, arms, colour)


def angle_cursor():
    # The vertex is the hot spot (0, 14); a horizontal arm, one at 55 degrees and an arc.
    x0, y0 = 0.5, 14.5
    strokes = [(x0, y0, 15.5, y0),
               (x0, y0, x0 + 14.0 * math.cos(math.radians(55)), y0 - 14.0 * math.sin(math.radians(55)))]
    arc = [(x0 + 8.0 * math.cos(math.radians(t)), y0 - 8.0 * math.sin(math.radians(t)))
           for t in range(0, 56, 11)]
    strokes += [(a[0], a[1], b[0], b[1]) for a, b in zip(arc, arc[1:])]
    return cursor(16, 16, strokes, WHITE)


# The splash: a sepia star map of the sky north of declination -35 degrees.
SPLASH_WIDTH = 1024
SPLASH_HEIGHT = 768
SPLASH_RADIUS = 340.0
SPLASH_EDGE_DEC = -35.0
SPLASH_QUALITY = 88
PAPER = (226, 205, 160)
MAP_PAPER = (238, 224, 186)
INK = (60, 40, 22)
GRID_INK = (150, 110, 70)
FIGURE_INK = (150, 65, 40)


def noise(x, y):
    """A fixed pseudo-random grain in -0.5 .. 0.5 for each pixel."""
    h = (x * 73856093 ^ y * 19349663 ^ 0x5BD1E995) & 0xFFFFFFFF
    h = (h * 0x27D4EB2D) & 0xFFFFFFFF
    return ((h >> 15) & 0xFF) / 255.0 - 0.5


def read_stars(path):
    """(right ascension, declination, magnitude) of every star, in catalogue order."""
    stars = []
    lines = path.read_text(encoding="ascii").splitlines()[1:]
    for line in lines:
        fields = line.split("\t")
        stars.append((float(fields[6]), float(fields[7]), float(fields[3])))
    return stars


def read_figure_lines(path):
    data = path.read_bytes()
    return [struct.unpack_from("<ii", data, k) for k in range(0, len(data) - len(data) % 8, 8)]


def splash(catalogue_folder):
    width, height = SPLASH_WIDTH, SPLASH_HEIGHT
    cx, cy = width / 2.0, height / 2.0
    canvas = Canvas(width, height)
    corner = math.hypot(cx, cy)
    for y in range(height):
        for x in range(width):
            r = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            shade = 1.0 - 0.35 * (r / corner) ** 2 + 0.03 * noise(x, y)
            base = MAP_PAPER if r <= SPLASH_RADIUS else PAPER
            canvas.blend(y * width + x, tuple(min(255.0, c * shade) for c in base), 1.0)

    # Azimuthal equidistant about the north pole, right ascension counter-clockwise.
    scale = SPLASH_RADIUS / (90.0 - SPLASH_EDGE_DEC)

    def place(ra, dec):
        rho = scale * (90.0 - dec)
        return cx + rho * math.cos(math.radians(ra)), cy - rho * math.sin(math.radians(ra))

    for dec in (60, 30, 0, -30):
        points = [place(ra, dec) for ra in range(0, 361, 2)]
        for a, b in zip(points, points[1:]):
            canvas.stroke_line(*a, *b, 0.8, GRID_INK, 0.7)
    for hour in range(0, 24, 2):
        canvas.stroke_line(*place(15 * hour, 80), *place(15 * hour, SPLASH_EDGE_DEC), 0.8,
                           GRID_INK, 0.7)
    for radius, line_width in ((SPLASH_RADIUS, 2.0), (SPLASH_RADIUS + 14.0, 1.2)):
        points = [(cx + radius * math.cos(math.radians(t / 2)),
                   cy - radius * math.sin(math.radians(t / 2))) for t in range(0, 721)]
        for a, b in zip(points, points[1:]):
            canvas.stroke_line(*a, *b, line_width, INK)
    for tick in range(96):
        angle = math.radians(tick * 3.75)
        outer = SPLASH_RADIUS + (14.0 if tick % 4 == 0 else 7.0)
        canvas.stroke_line(cx + SPLASH_RADIUS * math.cos(angle), cy - SPLASH_RADIUS * math.sin(angle),
                           cx + outer * math.cos(angle), cy - outer * math.sin(angle), 1.0, INK)

    stars = read_stars(catalogue_folder / "Build Data" / "BuildStar.txt")
    for first, second in read_figure_lines(catalogue_folder / "TVk" / "Constellations.tvk"):
        if 0 <= first < len(stars) and 0 <= second < len(stars):
            (ra1, dec1, _), (ra2, dec2, _) = stars[first], stars[second]
            if min(dec1, dec2) > SPLASH_EDGE_DEC:
                canvas.stroke_line(*place(ra1, dec1), *place(ra2, dec2), 1.0, FIGURE_INK, 0.8)
    for ra, dec, mag in stars:
        if mag < 5.2 and dec > SPLASH_EDGE_DEC:
            x, y = place(ra, dec)
            radius = 0.6 + (5.2 - mag) * 0.55
            canvas.paint(soft_disc(x, y, radius, 0.4), INK, 1.0, 4,
                         (x - radius - 1, y - radius - 1, x + radius + 1, y + radius + 1))
    return encode_jpeg(width, height, canvas.rgb_bytes(), SPLASH_QUALITY)


def images(catalogue_folder):
    """File name -> bytes of every image, in a fixed order."""
    out = {}
    for name, size, radius, softness, brightness in STAR_SPRITES:
        out[name] = star_sprite(size, radius, softness, brightness)
    for size in PRINT_SPRITE_SIZES:
        out[f"StarP{size}.png"] = print_sprite(size)
    for name, design, colour in SYMBOLS:
        width, height, layers = design()
        out[name] = drawn(width, height, layers, colour)
    out["MarkSymbol.png"] = find_mark(MARK_GREEN)
    out["NVMarkSymbol.png"] = find_mark(NIGHT_RED)
    out["TargetCursor.png"] = target_cursor(WHITE)
    out["NVTargetCursor.png"] = target_cursor(CURSOR_RED)
    out["AngleSepCursor.png"] = angle_cursor()
    out["AntiqueMapComp.jpg"] = splash(catalogue_folder)
    return out


# The sizes the chart's drawing offsets assume for each symbol design: its
# middle lies half a pixel from the object's chart point.
SYMBOL_SIZES = {galaxy: (9, 9), globular_cluster: (9, 9), nebula: (9, 9), other: (9, 9),
                open_cluster: (10, 10), comet: (7, 11), minor_planet: (11, 7),
                orbit_asteroid: (11, 7), near_earth_object: (11, 7)}


def check(condition, name, what):
    if not condition:
        raise ValueError(f"{name}: {what}")


def alpha(image, x, y):
    return image.getpixel((x, y))[3]


def opacity(image):
    return sum(image.getchannel("A").getdata())


def painted_in(image, colour):
    """Every pixel that shows at all has exactly the colour, so a tint gives exactly its own."""
    return all(pixel[:3] == colour for pixel in image.getdata() if pixel[3] > 0)


def check_images(made):
    """What the chart relies on: the sizes its offsets assume, pure colours, hot spots."""
    rgba = {name: read_image(data).convert("RGBA") for name, data in made.items() if name.endswith(".png")}
    previous = 0
    for name, size, _, _, _ in STAR_SPRITES:
        image = rgba[name]
        check(image.size == (size, size) and painted_in(image, WHITE), name, "not a white square")
        check(alpha(image, size // 2, size // 2) > 0 and opacity(image) > previous, name, "no brighter than the last")
        previous = opacity(image)
    for size in PRINT_SPRITE_SIZES:
        name = f"StarP{size}.png"
        image = rgba[name]
        check(image.size == (size, size) and painted_in(image, BLACK), name, "not a black square")
        check(alpha(image, size // 2, size // 2) == 255 and (size < 5 or alpha(image, 0, 0) < 64), name, "not a disc")
    for name, design, _ in SYMBOLS:
        # Paper symbols are black, the yellow orbit its own colour, the tinted ones white.
        colour = BLACK if name.endswith("P.png") else ASTEROID_YELLOW if "Yellow" in name else WHITE
        image = rgba[name]
        check(image.size == SYMBOL_SIZES[design] and painted_in(image, colour), name, "wrong size or colour")
        check(opacity(image) > 255 * 6, name, "almost empty")
    for name in ("MarkSymbol.png", "NVMarkSymbol.png"):
        image = rgba[name]
        check(image.size == (21, 21) and alpha(image, 10, 10) == 0 and alpha(image, 10, 3) > 128, name,
              "not a ring about (10, 10)")
    red, green, _, _ = rgba["NVMarkSymbol.png"].getpixel((10, 3))
    check(red > green, "NVMarkSymbol.png", "not red")
    for name in ("TargetCursor.png", "NVTargetCursor.png"):
        image = rgba[name]
        check(image.size == (17, 17) and min(alpha(image, x, y) for x, y in ((8, 8), (8, 2), (14, 8))) > 128,
              name, "not a cross-hair about its hot spot (8, 8)")
    image = rgba["AngleSepCursor.png"]
    vertex = image.getpixel((0, 14))
    check(image.size == (16, 16) and min(vertex[:3]) > 200 and vertex[3] >= 240
          and image.getpixel((12, 14)) == WHITE + (255,), "AngleSepCursor.png", "vertex not at the hot spot (0, 14)")
    splash_image = read_image(made["AntiqueMapComp.jpg"])
    check(splash_image.format == "JPEG" and splash_image.size == (SPLASH_WIDTH, SPLASH_HEIGHT),
          "AntiqueMapComp.jpg", "not a JPEG of the splash's size")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=str(DEFAULT_IMAGE_FOLDER),
                        help="the image folder to write into (default: %(default)s)")
    parser.add_argument("--catalogues", default=str(DEFAULT_OUTPUT),
                        help="the ZQData folder whose stars the splash shows (default: %(default)s)")
    arguments = parser.parse_args()
    output = Path(arguments.output)
    try:
        made = images(Path(arguments.catalogues))
        check_images(made)
    except (OSError, ValueError, IndexError) as error:
        parser.exit(1, f"make_chart_images: {error}\n")
    for name, data in made.items():
        write_bytes(output / name, data)
    print(f"{len(made)} images in {output}")


if __name__ == "__main__":
    main()
