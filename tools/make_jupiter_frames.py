#!/usr/bin/python3
"""Renders Jupiter's turning globe for the telescope view: "StockPhotos/JupiterFrames.png".

The sheet holds 180 frames, left to right and top to bottom, each turning the planet
by 2 degrees of System II longitude. Frame 99 has the Great Red Spot on the central
meridian; in frame i the central meridian lies 2 (i - 99) degrees past the Spot, so
the Spot stands east of the meridian (left, north up) in earlier frames and is carried
to the west limb in later ones, as the planet turns.

The surface is a banded map of our own: belts and zones at their usual latitudes,
gently waved along longitude, the Spot as a reddish oval at 22 degrees south, with
limb darkening and the planet's flattening. Needs Debian's python3-pil and
python3-numpy (run it with /usr/bin/python3). No randomness: every run writes the
same bytes.
"""

import argparse
from pathlib import Path

import numpy as np

from converter_common import DEFAULT_OUTPUT, write_bytes
from make_planet_images import SUPERSAMPLE, grid, png_bytes, reduce

FRAME_COUNT = 180
DEGREES_PER_FRAME = 2.0
SPOT_FRAME = 99
FRAME_SIZE = 96
COLUMNS = 15
FLATTENING = 66854.0 / 71492.0  # polar / equatorial radius
LIMB = 0.55

# (planetographic latitude, colour): zones pale, belts brown, poles grey.
BANDS = (
    (-90.0, (0.55, 0.53, 0.50)),
    (-45.0, (0.66, 0.60, 0.52)),
    (-36.0, (0.78, 0.70, 0.58)),
    (-30.0, (0.66, 0.54, 0.42)),
    (-26.0, (0.86, 0.80, 0.68)),
    (-18.0, (0.62, 0.46, 0.33)),
    (-8.0, (0.66, 0.50, 0.36)),
    (-4.0, (0.92, 0.88, 0.78)),
    (4.0, (0.90, 0.85, 0.74)),
    (8.0, (0.60, 0.44, 0.31)),
    (18.0, (0.63, 0.47, 0.34)),
    (22.0, (0.88, 0.82, 0.70)),
    (28.0, (0.70, 0.58, 0.45)),
    (36.0, (0.80, 0.73, 0.61)),
    (45.0, (0.66, 0.60, 0.52)),
    (90.0, (0.55, 0.53, 0.50)),
)
SPOT_LATITUDE = -22.0
SPOT_HALF_LONGITUDE = 12.0
SPOT_HALF_LATITUDE = 5.5
SPOT_COLOUR = np.array([0.78, 0.42, 0.30])
WAVE_DEGREES = 1.6


def surface(latitude, longitude):
    """Colour at planetographic latitude and longitude east of the Spot (degrees)."""
    waved = latitude + WAVE_DEGREES * np.sin(np.radians(longitude * 3.0 + latitude * 7.0)) \
        * np.cos(np.radians(latitude * 2.0))
    colour = np.stack([np.interp(waved, [b[0] for b in BANDS], [b[1][k] for b in BANDS])
                       for k in range(3)], axis=-1)
    along = ((longitude + 180.0) % 360.0 - 180.0) / SPOT_HALF_LONGITUDE
    across = (latitude - SPOT_LATITUDE) / SPOT_HALF_LATITUDE
    spot = np.clip(1.0 - (along * along + across * across), 0.0, 1.0) ** 0.5
    return colour * (1.0 - spot[..., None]) + SPOT_COLOUR * spot[..., None]


def frame(index):
    """The globe with the central meridian 2 (index - 99) degrees past the Spot."""
    u, v = grid(FRAME_SIZE)
    vs = v / FLATTENING
    rho2 = u * u + vs * vs
    inside = rho2 <= 1.0
    z = np.sqrt(np.clip(1.0 - rho2, 0.0, 1.0))
    latitude = np.degrees(np.arcsin(np.clip(vs, -1.0, 1.0)))
    # u grows to the west; a point west of the meridian has already passed it.
    meridian = DEGREES_PER_FRAME * (index - SPOT_FRAME)
    longitude = meridian - np.degrees(np.arctan2(u, z))
    colour = surface(latitude, longitude) * (1.0 - LIMB * (1.0 - z))[..., None]
    return np.dstack([colour, inside.astype(float)])


def sheet():
    rows = (FRAME_COUNT + COLUMNS - 1) // COLUMNS
    out = np.zeros((rows * FRAME_SIZE, COLUMNS * FRAME_SIZE, 4))
    for i in range(FRAME_COUNT):
        row, column = divmod(i, COLUMNS)
        out[row * FRAME_SIZE:(row + 1) * FRAME_SIZE,
            column * FRAME_SIZE:(column + 1) * FRAME_SIZE] = reduce(frame(i))
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=str(DEFAULT_OUTPUT / "StockPhotos"),
                        help="the folder to write JupiterFrames.png into (default: %(default)s)")
    arguments = parser.parse_args()
    write_bytes(Path(arguments.output) / "JupiterFrames.png", png_bytes(sheet()))
    print("JupiterFrames.png", FRAME_COUNT, "frames of", FRAME_SIZE, "pixels,", COLUMNS, "a row,",
          SUPERSAMPLE, "x supersampled")


if __name__ == "__main__":
    main()
