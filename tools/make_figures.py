#!/usr/bin/env python3
"""Writes the 22 constellation figures "<Name>Myth.png" into "Mythology/".

The chart draws a figure image centred on its constellation's label point,
scaled by 0.02646087 x f x d chart points per image pixel (d: the chart
distance from the label point to the point 2 degrees north of it, f: the
figure's size factor) and turned by (turn offset + direction of north on the
chart). Each drawing of the image kit is resampled so that, drawn that way,
its stars sit on the chart's stars:

  - the image centre is the label point (read from src/model/catalogue/ConstellationLabels.cpp);
  - a star at angular distance a from the label point lies tan(a / 2) / (k tan 1 deg)
    pixels from the centre, k = 0.02646087 x f (f as a 32-bit float): the chart's
    stereographic scale when it is centred on the label point;
  - with the image upright (first row at the top, y growing upwards), north points
    at the angle -(turn offset) from the +x axis, counter-clockwise, and east 90
    degrees further on (east to the left of north, the sky as seen from the ground).

The drawings are placed on the sky from their three anchor stars the way their
source places them: the pixel plane is mapped linearly into space through the
three stars' unit vectors and seen from the centre of the sphere.

Output: grey-and-alpha PNGs, white with the alpha taken from the drawing's grey,
so the chart's source-atop tint colours exactly the drawn parts. The image is
sized to hold the whole drawing around the label point.
"""

import math
import re
import struct
import sys
from multiprocessing import Pool

from converter_common import REPO_ROOT, parse_arguments, read_tsv, write_bytes
from image_files import ImageError, read_image, read_png_file, write_png
from image_sampling import Sampler, supersampling_offsets, to_byte
from sky_geometry import (added, dot, inverse_matrix, matrix_product, matrix_vector,
                          normalised, scaled, tangent_frame, unit_vector)

LABELS_SOURCE = REPO_ROOT / "src" / "model" / "catalogue" / "ConstellationLabels.cpp"

# The chart's factor per image pixel, before the size factor f.
CHART_FACTOR = 0.02646087

# Label key, kit drawing, output file, size factor f, turn offset (radians).
FIGURES = (
    ("ANDROMEDA", "andromeda.png", "AndromedaMyth.png", 1.1, 2.687807048071268),
    ("AQUARIUS", "aquarius.png", "AquariusMyth.png", 1.23, -1.9181168479417687),
    ("AURIGA", "auriga.png", "AurigaMyth.png", 0.97, -1.570796326794897),
    ("BOÖTES", "bootes.png", "BootesMyth.png", 1.15, -1.1344640137963145),
    ("CANCER", "cancer.png", "CancerMyth.png", 0.95, -1.2566370614359175),
    ("CANIS MAJOR", "canis-major.png", "CanisMyth.png", 0.95, -1.4486232791552938),
    ("CASSIOPEIA", "cassiopeia.png", "CassiopeiaMyth.png", 0.6, 2.7052603405912112),
    ("CORONA BOREALIS", "corona-borealis.png", "CoronaMyth.png", 0.75, -1.570796326794897),
    ("CORVUS", "corvus.png", "CorvusMyth.png", 1.0, -2.059488517353309),
    ("GEMINI", "gemini.png", "GeminiMyth.png", 1.0, -1.4311699866353504),
    ("HERCULES", "hercules.png", "HerculesMyth.png", 1.25, 1.6580627893946134),
    ("LEO", "leo.png", "LeoMyth.png", 1.0, -1.169370598836201),
    ("LYRA", "lyra.png", "LyraMyth.png", 0.8, -1.74532925199433),
    ("OPHIUCHUS", "ophiuchus.png", "SerpensMyth.png", 1.41, -1.4844025288211775),
    ("ORION", "orion.png", "OrionMyth.png", 1.0, -1.6231562043547267),
    ("PEGASUS", "pegasus.png", "PegasusMyth.png", 1.0, 1.64060949687467),
    ("PERSEUS", "perseus.png", "PerseusMyth.png", 1.0, -1.867502299633933),
    ("SAGITTARIUS", "sagittarius.png", "SagittariusMyth.png", 0.95, -1.7366026057343582),
    ("SCORPIUS", "scorpius.png", "ScorpiusMyth.png", 1.0, -1.3966124674458626),
    ("TAURUS", "taurus.png", "TaurusMyth.png", 1.06, -0.1396263401595464),
    ("URSA MAJOR", "ursa-major.png", "UrsaMajorMyth.png", 1.22, -1.0489428804485923),
    ("VIRGO", "virgo.png", "VirgoMyth.png", 1.25, -2.7227136331111548),
)

# Greys at or below this are background when the image size is chosen.
BACKGROUND_GREY = 2


def float32(value):
    return struct.unpack("<f", struct.pack("<f", value))[0]


def label_points():
    """Label key -> (right ascension, declination) in degrees, as the program holds them."""
    text = LABELS_SOURCE.read_text(encoding="utf-8")
    points = {}
    for key, ra_hours, dec in re.findall(r'Entry\{"([^"]+)",\s*([-0-9.]+),\s*([-0-9.]+)\}', text):
        points[key] = (float(ra_hours) * 15.0, float(dec))
    return points


class Placement:
    """Maps output pixels of one figure to pixels of its drawing."""

    def __init__(self, label, turn_offset, size_factor, anchors):
        centre, east, north = tangent_frame(*label)
        self.centre = centre
        self.east = east
        self.north = north
        # Output pixels per unit of tan(a / 2).
        self.scale = 1.0 / (CHART_FACTOR * float32(size_factor) * math.tan(math.radians(1.0)))
        north_angle = -turn_offset
        self.cos_n = math.cos(north_angle)
        self.sin_n = math.sin(north_angle)
        # Drawing pixel (x, y, 1) -> space: the columns are the anchor stars' vectors.
        stars = [unit_vector(ra, dec) for (_, _, ra, dec) in anchors]
        pixels = [(x, y) for (x, y, _, _) in anchors]
        a = tuple(tuple(stars[k][r] for k in range(3)) for r in range(3))
        x = tuple(tuple((pixels[k][0], pixels[k][1], 1.0)[r] for k in range(3)) for r in range(3))
        self.to_space = matrix_product(a, inverse_matrix(x))
        self.to_drawing = matrix_product(x, inverse_matrix(a))
        # Output (u, v) -> tangent plane q = u * step_u + v * step_v (units of tan(a / 2)).
        step_u = scaled(added(scaled(east, -self.sin_n), scaled(north, self.cos_n)), 1 / self.scale)
        step_v = scaled(added(scaled(east, self.cos_n), scaled(north, self.sin_n)), 1 / self.scale)
        self.m_centre = matrix_vector(self.to_drawing, centre)
        self.m_u = scaled(matrix_vector(self.to_drawing, step_u), 2.0)
        self.m_v = scaled(matrix_vector(self.to_drawing, step_v), 2.0)

    def output_offset(self, x, y):
        """Drawing pixel place -> output offset (u right, v up) from the label point, in pixels."""
        s = normalised(matrix_vector(self.to_space, (x, y, 1.0)))
        c = 1.0 + dot(s, self.centre)
        e = dot(s, self.east) / c
        n = dot(s, self.north) / c
        return (self.scale * (n * self.cos_n - e * self.sin_n),
                self.scale * (n * self.sin_n + e * self.cos_n))

    def drawing_place(self, u, v):
        """Output offset (u right, v up, pixels) -> drawing place (x right, y down), or None."""
        k = 1.0 - (u * u + v * v) / (self.scale * self.scale)
        mc, mu, mv = self.m_centre, self.m_u, self.m_v
        w = k * mc[2] + u * mu[2] + v * mv[2]
        if w <= 0.0:
            return None
        return ((k * mc[0] + u * mu[0] + v * mv[0]) / w, (k * mc[1] + u * mu[1] + v * mv[1]) / w)


def output_size(placement, width, height, grey):
    """Width and height that hold every drawn pixel with the label point at the centre."""
    reach_u = 0.0
    reach_v = 0.0
    for y in range(height):
        row = y * width
        for x in range(width):
            if grey[row + x] > BACKGROUND_GREY:
                for cx, cy in ((x, y), (x + 1, y), (x, y + 1), (x + 1, y + 1)):
                    u, v = placement.output_offset(cx, cy)
                    reach_u = max(reach_u, abs(u))
                    reach_v = max(reach_v, abs(v))
    return 2 * math.ceil(reach_u + 1), 2 * math.ceil(reach_v + 1)


def supersampling(placement):
    """Samples per side of an output pixel: enough that no drawing pixel is skipped."""
    x0, y0 = placement.drawing_place(0.0, 0.0)
    x1, y1 = placement.drawing_place(1.0, 0.0)
    x2, y2 = placement.drawing_place(0.0, 1.0)
    ratio = max(math.hypot(x1 - x0, y1 - y0), math.hypot(x2 - x0, y2 - y0))
    return max(1, min(4, math.ceil(ratio - 0.05)))


def render(task):
    """One figure -> (file name, PNG bytes, description); task = (figure row, label, anchors, path)."""
    (key, source_name, output_name, size_factor, turn_offset), label, anchors, path = task
    width, height, channels, grey = read_png_file(path)
    if channels != 1:
        raise ImageError(f"{path}: expected a greyscale drawing")
    placement = Placement(label, turn_offset, size_factor, anchors)
    out_width, out_height = output_size(placement, width, height, grey)
    sampler = Sampler(width, height, 1, grey)
    count = supersampling(placement)
    offsets = supersampling_offsets(count)
    pixels = bytearray(out_width * out_height * 2)
    for j in range(out_height):
        for i in range(out_width):
            total = 0.0
            for sx, sy in offsets:
                place = placement.drawing_place(i + sx - out_width / 2, out_height / 2 - (j + sy))
                if place is not None:
                    value = sampler.sample(*place)
                    if value is not None:
                        total += value[0]
            k = 2 * (j * out_width + i)
            pixels[k] = 255
            pixels[k + 1] = to_byte(total / len(offsets))
    pixels_per_degree = placement.scale * math.tan(math.radians(0.5))
    description = (f"{output_name}: {out_width} x {out_height}, {pixels_per_degree:.2f} px/deg, "
                   f"north at {math.degrees(-turn_offset):.2f} deg, {count}x{count} samples")
    return output_name, write_png(out_width, out_height, 2, pixels), description


def anchors_of(row):
    return [(float(row[f"x{k}"]), float(row[f"y{k}"]), float(row[f"ra{k}_j2000_deg"]),
             float(row[f"dec{k}_j2000_deg"])) for k in (1, 2, 3)]


def check_figure(name, data):
    """A drawing the chart can tint: white, transparent about it, and not lost in the resampling."""
    image = read_image(data)
    opacity = sum(image.getchannel("A").getdata())
    if image.mode != "LA" or image.getextrema()[0] != (255, 255) or image.getpixel((0, 0))[1] != 0:
        raise ValueError(f"{name}: not a white drawing on a transparent ground")
    if opacity <= 255 * 1000:
        raise ValueError(f"{name}: almost nothing of the drawing is left")


def main():
    source, output = parse_arguments(__doc__.splitlines()[0])
    folder = source / "images" / "figures"
    rows = {row["file"]: row for row in read_tsv(folder / "anchors.tsv")}
    labels = label_points()
    tasks = []
    for figure in FIGURES:
        key, source_name = figure[0], figure[1]
        if key not in labels:
            sys.exit(f"{LABELS_SOURCE}: no label point for {key}")
        if source_name not in rows:
            sys.exit(f"{folder / 'anchors.tsv'}: no anchors for {source_name}")
        tasks.append((figure, labels[key], anchors_of(rows[source_name]), folder / source_name))
    try:
        with Pool() as pool:
            results = pool.map(render, tasks)
        for name, data, _ in results:
            check_figure(name, data)
    except (OSError, ImageError, ValueError) as error:
        sys.exit(f"make_figures: {error}")
    for name, data, description in results:
        write_bytes(output / "Mythology" / name, data)
        print(description)


if __name__ == "__main__":
    main()
