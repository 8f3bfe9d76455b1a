#!/usr/bin/python3
"""Writes the home site's photographic horizon "Misc/PhotoHorizon0.png".

The panorama is drawn, not photographed: a tree line around a clearing, as
the chart's photographic horizon expects it. It is an equirectangular image
of the whole sphere, 2048 x 1024: azimuth 0 (north) at the left edge growing
through east, the zenith at the top row, the horizon at row 512. The sky is
fully transparent; the ground and the trees are opaque, with one pixel of
soft edge along the silhouette. Conifers and broad-leaved trees stand in
groups on a gently rolling ground, with gaps where the ground alone makes
the horizon, so that the sampled horizon outline varies from about 1 to 14
degrees of altitude.

Every "random" choice comes from a linear congruential generator with
written-out constants, so the same bytes come out on every run (with the
same zlib). Needs python3-pil and python3-numpy.
"""

import io
import math

import numpy as np
from PIL import Image

from converter_common import parse_arguments, write_bytes

WIDTH = 2048
HEIGHT = 1024
PIXELS_PER_DEGREE = WIDTH / 360.0
HORIZON_ROW = HEIGHT / 2.0

# Tree-line groups: (first azimuth, last azimuth) in degrees; between them
# the open ground makes the horizon.
GROUPS = ((0.0, 38.0), (52.0, 131.0), (140.0, 162.0), (197.0, 289.0), (301.0, 360.0))

GROUND_NEAR = np.array([52.0, 64.0, 34.0])
GROUND_FAR = np.array([18.0, 22.0, 14.0])
CONIFER = np.array([24.0, 38.0, 26.0])
BROADLEAF = np.array([40.0, 52.0, 28.0])


class Lcg:
    """Numerical Recipes' 32-bit linear congruential generator."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def uniform(self, low, high):
        self.state = (1664525 * self.state + 1013904223) & 0xFFFFFFFF
        return low + (high - low) * self.state / 4294967296.0


def ground_altitude(azimuth):
    """Altitude (degrees) of the bare ground's skyline at each azimuth (degrees)."""
    a = np.radians(azimuth)
    return 1.2 + 0.6 * np.sin(2.0 * a + 0.4) + 0.35 * np.sin(5.0 * a + 1.9) + 0.15 * np.sin(13.0 * a + 0.7)


def tree_profile(azimuth, centre, half_width, height, is_conifer):
    """Height above the ground (degrees) of one tree's outline at each azimuth."""
    dx = np.abs(azimuth - centre) / half_width
    inside = dx < 1.0
    if is_conifer:
        # A spire with drooping tiers of branches.
        tiers = 0.06 * height * np.abs(np.sin(dx * math.pi * 3.0))
        shape = height * (1.0 - dx) - tiers
    else:
        # A rounded, slightly lumpy crown.
        crown = np.sqrt(np.clip(1.0 - dx * dx, 0.0, 1.0))
        shape = height * np.sqrt(crown) + 0.04 * height * np.sin(dx * 17.0) * crown
    return np.where(inside, np.maximum(shape, 0.0), 0.0)


def skyline():
    """Altitude (degrees) of the silhouette's top at the centre of each pixel column."""
    azimuth = (np.arange(WIDTH) + 0.5) / PIXELS_PER_DEGREE
    top = ground_altitude(azimuth)
    trees = np.zeros(WIDTH)
    random = Lcg(20261206)
    for first, last in GROUPS:
        centre = first + random.uniform(0.3, 1.2)
        while centre < last:
            is_conifer = random.uniform(0.0, 1.0) < 0.6
            height = random.uniform(6.0, 12.5) if is_conifer else random.uniform(4.0, 9.0)
            half_width = height * (random.uniform(0.18, 0.26) if is_conifer else random.uniform(0.35, 0.5))
            # The line wraps at north: a tree near 0° shows at 360° too.
            for shift in (-360.0, 0.0, 360.0):
                trees = np.maximum(trees, tree_profile(azimuth, centre + shift, half_width, height, is_conifer))
            centre += half_width * random.uniform(0.9, 1.6)
    return top + trees, trees > 0.0


def panorama():
    """The RGBA pixels of the panorama, rows from the zenith down."""
    top, is_tree = skyline()
    top_row = HORIZON_ROW - top * PIXELS_PER_DEGREE  # fractional row of the silhouette's top
    rows = np.arange(HEIGHT)[:, None] + 0.5
    # Coverage of each pixel by the silhouette: one pixel of soft edge.
    alpha = np.clip(rows - top_row[None, :] + 0.5, 0.0, 1.0)

    depth = np.clip((rows - HORIZON_ROW) / (HEIGHT - HORIZON_ROW), 0.0, 1.0)  # 0 at the horizon, 1 at the nadir
    colour = GROUND_NEAR[None, None, :] * (1.0 - depth[..., None]) + GROUND_FAR[None, None, :] * depth[..., None]
    colour = np.broadcast_to(colour, (HEIGHT, WIDTH, 3)).copy()
    above_ground = rows < (HORIZON_ROW - ground_altitude((np.arange(WIDTH) + 0.5) / PIXELS_PER_DEGREE)
                           * PIXELS_PER_DEGREE)[None, :]
    foliage = above_ground & is_tree[None, :]
    # Conifers darker than broad-leaved crowns; a fine mottle of leaves.
    columns = np.arange(WIDTH)[None, :]
    shade = 0.8 + 0.05 * ((columns * 7 + np.arange(HEIGHT)[:, None] * 13) % 5)
    tree_colour = np.where((top > 9.0)[None, :, None], CONIFER, BROADLEAF) * shade[..., None]
    colour = np.where(foliage[..., None], tree_colour, colour)

    pixels = np.empty((HEIGHT, WIDTH, 4), dtype=np.uint8)
    pixels[..., :3] = np.clip(np.rint(colour), 0, 255).astype(np.uint8)
    pixels[..., 3] = np.rint(alpha * 255.0).astype(np.uint8)
    pixels[pixels[..., 3] == 0, :3] = 0
    return pixels


def main():
    _, output = parse_arguments(__doc__.splitlines()[0], needs_source=False)
    stream = io.BytesIO()
    Image.fromarray(panorama(), "RGBA").save(stream, "PNG", compress_level=9)
    write_bytes(output / "Misc" / "PhotoHorizon0.png", stream.getvalue())


if __name__ == "__main__":
    main()
