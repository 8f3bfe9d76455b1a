#!/usr/bin/python3
"""Draws the solar-system window's pictures into "SSImages/" and its belt tile into "ImageF/".

The Earth and Mars are globes rendered from the public-domain surface maps of
the data kit (images/maps/earth.jpg, NASA Visible Earth; images/maps/mars.jpg,
USGS Astrogeology Science Center, NASA Viking). The Sun, Jupiter, Saturn with
its rings, Uranus and Neptune have no map in the kit: they are painted here
from banded colours. The asteroid belt's tile is a sprinkle of grey specks.

Every planet image is square and the body's marker is scaled into it: the
globe fills the square, except Saturn's, whose rings do (the plot's size for
Saturn is the ring's diameter). The Sun is drawn at its own size.

Needs Debian's python3-pil and python3-numpy (run with /usr/bin/python3).
Every run writes the same bytes: the random specks come from a fixed seed.
"""

import io
import math
from pathlib import Path

import numpy as np
from PIL import Image

from converter_common import REPO_ROOT, parse_arguments, write_bytes

RESOURCES = REPO_ROOT / "data" / "Resources"
PLANET_SIZE = 128
SUN_SIZE = 12
BELT_SIZE = 32
SUPERSAMPLE = 4
# Light from the upper left and in front; the night side keeps a little light.
LIGHT = np.array([-0.45, 0.35, 0.82])
AMBIENT = 0.18


def globe_grid(size, tilt_deg):
    """Per pixel of a size x size square: (inside, latitude, longitude offset, brightness).

    An orthographic globe filling the square, its north pole tilted toward the
    viewer by tilt_deg; angles in radians, longitude relative to the centre."""
    n = size * SUPERSAMPLE
    coords = (np.arange(n) + 0.5) / n * 2.0 - 1.0
    u, v = np.meshgrid(coords, -coords)
    inside = u * u + v * v < 1.0
    z = np.sqrt(np.clip(1.0 - u * u - v * v, 0.0, 1.0))
    tilt = math.radians(tilt_deg)
    latitude = np.arcsin(np.clip(v * math.cos(tilt) + z * math.sin(tilt), -1.0, 1.0))
    longitude = np.arctan2(u, z * math.cos(tilt) - v * math.sin(tilt))
    light = LIGHT / np.linalg.norm(LIGHT)
    lambert = np.clip(u * light[0] + v * light[1] + z * light[2], 0.0, 1.0)
    brightness = AMBIENT + (1.0 - AMBIENT) * lambert
    return inside, latitude, longitude, brightness


def finish(rgb, alpha, size):
    """Averages the supersampled colour (premultiplied) and coverage down to size x size."""
    n = size * SUPERSAMPLE
    premultiplied = rgb * alpha[..., None]
    blocks = premultiplied.reshape(size, SUPERSAMPLE, size, SUPERSAMPLE, 3).mean(axis=(1, 3))
    coverage = alpha.reshape(size, SUPERSAMPLE, size, SUPERSAMPLE).mean(axis=(1, 3))
    colour = np.where(coverage[..., None] > 0, blocks / np.maximum(coverage[..., None], 1e-9), 0.0)
    pixels = np.dstack([colour, coverage[..., None]]) * 255.0
    assert pixels.shape[:2] == (size, size) and n == size * SUPERSAMPLE
    return Image.fromarray(np.round(np.clip(pixels, 0, 255)).astype(np.uint8), "RGBA")


def png_bytes(image):
    stream = io.BytesIO()
    image.save(stream, format="PNG", optimize=True)
    return stream.getvalue()


def mapped_globe(map_path, centre_lon_deg, tilt_deg):
    """A globe from an equirectangular map (left edge at 180 W, north up)."""
    surface = np.asarray(Image.open(map_path).convert("RGB"), dtype=np.float64) / 255.0
    height, width = surface.shape[:2]
    inside, latitude, longitude, brightness = globe_grid(PLANET_SIZE, tilt_deg)
    lon = np.degrees(longitude) + centre_lon_deg
    x = np.floor((lon + 180.0) % 360.0 / 360.0 * width).astype(int) % width
    y = np.clip(np.floor((90.0 - np.degrees(latitude)) / 180.0 * height).astype(int), 0, height - 1)
    rgb = surface[y, x] * brightness[..., None]
    return finish(rgb, inside.astype(np.float64), PLANET_SIZE)


def banded(latitude, bands, ripple=0.0, longitude=None):
    """Colour by latitude from (sin latitude, r, g, b) stops, optionally rippled along longitude."""
    s = np.sin(latitude)
    if longitude is not None and ripple:
        s = s + ripple * np.sin(7.0 * longitude + 11.0 * s)
    stops = np.array([b[0] for b in bands])
    return np.dstack([np.interp(s, stops, [b[i] for b in bands]) for i in (1, 2, 3)])


def painted_globe(bands, tilt_deg, ripple=0.0, spot=None):
    inside, latitude, longitude, brightness = globe_grid(PLANET_SIZE, tilt_deg)
    rgb = banded(latitude, bands, ripple, longitude)
    if spot is not None:
        (lat0, lon0, half_lat, half_lon, colour) = spot
        d = ((latitude - math.radians(lat0)) / math.radians(half_lat)) ** 2 \
            + ((longitude - math.radians(lon0)) / math.radians(half_lon)) ** 2
        rgb = np.where((d < 1.0)[..., None], np.array(colour), rgb)
    return finish(rgb * brightness[..., None], inside.astype(np.float64), PLANET_SIZE)


JUPITER_BANDS = [(-1.0, .55, .50, .45), (-.6, .75, .68, .58), (-.35, .62, .48, .36),
                 (-.2, .90, .85, .75), (-.05, .70, .55, .40), (.1, .92, .88, .80),
                 (.3, .66, .50, .38), (.45, .88, .82, .70), (.7, .70, .63, .55), (1.0, .55, .50, .45)]
URANUS_BANDS = [(-1.0, .55, .78, .82), (0.0, .62, .86, .90), (1.0, .58, .82, .86)]
NEPTUNE_BANDS = [(-1.0, .20, .32, .75), (-.3, .28, .42, .88), (0.0, .24, .38, .85),
                 (.3, .30, .45, .90), (1.0, .20, .32, .75)]
SATURN_BANDS = [(-1.0, .70, .65, .50), (-.4, .85, .78, .60), (-.1, .93, .87, .68),
                (.2, .88, .80, .60), (.6, .80, .72, .55), (1.0, .70, .65, .50)]
# Saturn's rings: (inner, outer) radii in globe radii, and their brightness.
SATURN_RINGS = [(1.24, 1.53, .55), (1.53, 1.95, .85), (2.03, 2.27, .70)]
SATURN_RING_TILT = 24.0


def saturn():
    """The globe at 44% of the square's half width, inside rings that reach its edge."""
    n = PLANET_SIZE * SUPERSAMPLE
    outer = SATURN_RINGS[-1][1]
    coords = (np.arange(n) + 0.5) / n * 2.0 - 1.0
    u, v = np.meshgrid(coords, -coords)
    gu, gv = u * outer, v * outer  # globe radii
    tilt = math.radians(SATURN_RING_TILT)
    # Ring plane radius of each pixel (rings seen at the tilt, flattened vertically).
    ring_r = np.sqrt(gu * gu + (gv / math.sin(tilt)) ** 2)
    ring_level = np.zeros_like(u)
    for inner_r, outer_r, level in SATURN_RINGS:
        ring_level = np.where((ring_r >= inner_r) & (ring_r < outer_r), level, ring_level)
    globe = gu * gu + gv * gv < 1.0
    z = np.sqrt(np.clip(1.0 - gu * gu - gv * gv, 0.0, 1.0))
    latitude = np.arcsin(np.clip(gv * math.cos(tilt) + z * math.sin(tilt), -1.0, 1.0))
    light = LIGHT / np.linalg.norm(LIGHT)
    brightness = AMBIENT + (1.0 - AMBIENT) * np.clip(gu * light[0] + gv * light[1] + z * light[2], 0, 1)
    globe_rgb = banded(latitude, SATURN_BANDS) * brightness[..., None]
    ring_rgb = np.dstack([ring_level * .90, ring_level * .82, ring_level * .65])
    # The near half of the rings (below the centre) passes in front of the globe.
    ring_in_front = (gv < 0) & (ring_level > 0)
    rgb = np.where((globe & ~ring_in_front)[..., None], globe_rgb, ring_rgb)
    alpha = (globe | (ring_level > 0)).astype(np.float64)
    return finish(rgb, alpha, PLANET_SIZE)


def sun():
    """A white-yellow disc darkening toward its limb, in a faint glow."""
    n = SUN_SIZE * SUPERSAMPLE
    coords = (np.arange(n) + 0.5) / n * 2.0 - 1.0
    u, v = np.meshgrid(coords, -coords)
    r = np.sqrt(u * u + v * v) / 0.8
    mu = np.sqrt(np.clip(1.0 - r * r, 0.0, 1.0))
    limb = 0.4 + 0.6 * mu
    disc = np.dstack([np.full_like(u, 1.0), 0.95 * limb + 0.05, 0.75 * limb]) * np.clip(limb + 0.2, 0, 1)[..., None]
    glow = np.clip((1.25 - r) / 0.25, 0.0, 1.0) * 0.6
    alpha = np.where(r < 1.0, 1.0, glow)
    rgb = np.where((r < 1.0)[..., None], disc, np.array([1.0, 0.85, 0.4]))
    return finish(rgb, alpha, SUN_SIZE)


def belt_pattern():
    """A tile of grey specks on black, the fill of the asteroid belt."""
    rng = np.random.RandomState(20260)
    tile = np.zeros((BELT_SIZE, BELT_SIZE, 4), dtype=np.uint8)
    tile[..., 3] = 255
    for _ in range(40):
        x, y = rng.randint(0, BELT_SIZE, size=2)
        level = rng.randint(70, 170)
        tile[y, x, :3] = level
    return Image.fromarray(tile, "RGBA")


def main():
    source, _ = parse_arguments(__doc__.splitlines()[0])
    maps = source / "images" / "maps"
    pictures = {
        # Africa and Europe; Valles Marineris.
        "SSEarth.png": mapped_globe(maps / "earth.jpg", 15.0, 20.0),
        "SSMars.png": mapped_globe(maps / "mars.jpg", -70.0, 15.0),
        "SSJupiter.png": painted_globe(JUPITER_BANDS, 3.0, ripple=0.015,
                                       spot=(-22.0, 20.0, 5.0, 11.0, (.78, .42, .30))),
        "SSSaturn.png": saturn(),
        "SSUranus.png": painted_globe(URANUS_BANDS, 60.0),
        "SSNeptune.png": painted_globe(NEPTUNE_BANDS, 25.0, ripple=0.01),
        "SSSun.png": sun(),
    }
    for name, image in pictures.items():
        write_bytes(RESOURCES / "SSImages" / name, png_bytes(image))
    write_bytes(RESOURCES / "ImageF" / "BeltPattern.png", png_bytes(belt_pattern()))


if __name__ == "__main__":
    main()
