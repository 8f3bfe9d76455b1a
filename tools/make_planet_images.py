#!/usr/bin/python3
"""Renders the chart's images of the Sun, the Moon and the planets into "ImageF/".

It also writes the Moon panel's photograph, "StockPhotos/Moon.jpg": the same
full Moon on a black sky.

The Moon and Mars are orthographic views of the kit's public-domain surface
maps (images/maps/, equirectangular, longitude 0 in the middle, east to the
right), seen from above their equator at longitude 0, north up: the disc as
the chart draws it before turning it by the Moon's terminator angle. The Sun,
Saturn's ball, rings and ring shadow, Uranus and Neptune are drawn from simple
published figures (limb darkening, ring radii, flattening).

Needs Debian's python3-pil and python3-numpy (run it with /usr/bin/python3).
Every image is drawn on a supersampled grid and reduced by averaging, with no
randomness, so the same maps give the same files.
"""

import argparse
import io
from pathlib import Path

import numpy as np
from PIL import Image

from converter_common import DEFAULT_OUTPUT, DEFAULT_SOURCE, REPO_ROOT, write_bytes

DEFAULT_IMAGE_FOLDER = REPO_ROOT / "data" / "Resources" / "ImageF"
DEFAULT_PHOTO_FOLDER = DEFAULT_OUTPUT / "StockPhotos"
PHOTO_QUALITY = 88
SUPERSAMPLE = 4

# Sizes in pixels. The Sun's image is five times its disc across: the chart
# draws it into a square five apparent diameters wide, the glow around the disc.
MOON_SIZE = 512
SUN_SIZE = 50
LARGE_SUN_SIZE = 250
SUN_DISC_SHARE = 0.2
PLANET_SIZE = 128
RING_SIZE = 256

# Saturn (km): equatorial and polar radius, ring edges after the Voyager
# results: C ring, B ring, Cassini division, A ring with the Encke gap.
SATURN_EQUATOR = 60268.0
SATURN_POLE = 54364.0
SATURN_RINGS = (  # inner, outer radius, opacity, brightness
    (74658.0, 92000.0, 0.25, 0.55),
    (92000.0, 117580.0, 0.95, 0.95),
    (117580.0, 122170.0, 0.10, 0.40),
    (122170.0, 133423.0, 0.75, 0.80),
    (133423.0, 133745.0, 0.05, 0.40),
    (133745.0, 136775.0, 0.70, 0.78),
)
RING_COLOUR = np.array([0.93, 0.86, 0.70])
RING_SHADOW_ALPHA = 0.7


def grid(size):
    """Pixel centres on the supersampled grid as (u, v) in -1..1, v upward."""
    n = size * SUPERSAMPLE
    axis = (np.arange(n) + 0.5) / n * 2.0 - 1.0
    u, v = np.meshgrid(axis, -axis)
    return u, v


def reduce(rgba):
    """Averages each SUPERSAMPLE square into one pixel, colour weighted by alpha."""
    h, w, _ = rgba.shape
    blocks = rgba.reshape(h // SUPERSAMPLE, SUPERSAMPLE, w // SUPERSAMPLE, SUPERSAMPLE, 4)
    alpha = blocks[..., 3].mean(axis=(1, 3))
    colour = (blocks[..., :3] * blocks[..., 3:4]).sum(axis=(1, 3))
    weight = blocks[..., 3].sum(axis=(1, 3))[..., None]
    colour = np.divide(colour, weight, out=np.zeros_like(colour), where=weight > 0)
    return np.dstack([colour, alpha])


def png_bytes(rgba):
    """A straight-alpha RGBA PNG of values in 0..1."""
    pixels = np.clip(np.rint(rgba * 255.0), 0, 255).astype(np.uint8)
    stream = io.BytesIO()
    Image.fromarray(pixels, "RGBA").save(stream, format="PNG", optimize=False, compress_level=9)
    return stream.getvalue()


def jpeg_on_black(rgba):
    """A JPEG of the image laid over a black sky."""
    colour = rgba[..., :3] * rgba[..., 3:4]
    pixels = np.clip(np.rint(colour * 255.0), 0, 255).astype(np.uint8)
    stream = io.BytesIO()
    Image.fromarray(pixels, "RGB").save(stream, format="JPEG", quality=PHOTO_QUALITY)
    return stream.getvalue()


def orthographic(surface, size):
    """The map seen from above latitude 0, longitude 0: a disc filling the image."""
    u, v = grid(size)
    rho2 = u * u + v * v
    inside = rho2 <= 1.0
    z = np.sqrt(np.clip(1.0 - rho2, 0.0, 1.0))
    lat = np.arcsin(np.clip(v, -1.0, 1.0))
    lon = np.arctan2(u, z)
    h, w, _ = surface.shape
    x = (lon / (2.0 * np.pi) + 0.5) * w - 0.5
    y = (0.5 - lat / np.pi) * h - 0.5
    colour = bilinear(surface, x, y)
    return np.dstack([colour, inside.astype(float)])


def bilinear(surface, x, y):
    """Surface colours (0..1) at fractional pixel places; longitude wraps, latitude clamps."""
    h, w, _ = surface.shape
    x0 = np.floor(x).astype(int)
    y0 = np.floor(y).astype(int)
    fx = (x - x0)[..., None]
    fy = (y - y0)[..., None]
    xa, xb = x0 % w, (x0 + 1) % w
    ya, yb = np.clip(y0, 0, h - 1), np.clip(y0 + 1, 0, h - 1)
    top = surface[ya, xa] * (1 - fx) + surface[ya, xb] * fx
    bottom = surface[yb, xa] * (1 - fx) + surface[yb, xb] * fx
    return top * (1 - fy) + bottom * fy


def read_map(path):
    with Image.open(path) as image:
        return np.asarray(image.convert("RGB"), dtype=float) / 255.0


def sun(size):
    """A limb-darkened disc (linear law, u = 0.6) in the middle fifth, in a fading glow."""
    u, v = grid(size)
    r = np.hypot(u, v) / SUN_DISC_SHARE
    mu = np.sqrt(np.clip(1.0 - r * r, 0.0, 1.0))
    disc = r <= 1.0
    brightness = np.where(disc, 1.0 - 0.6 * (1.0 - mu), 0.0)
    colour = np.array([1.0, 0.96, 0.82]) * np.where(disc, brightness, 1.0)[..., None]
    glow = np.clip((1.0 / np.maximum(r, 1.0)) ** 2.5 - 1.0 / 125.0, 0.0, 1.0) * 0.6
    alpha = np.where(disc, 1.0, glow)
    colour = np.where(disc[..., None], colour, np.array([1.0, 0.85, 0.5]))
    return np.dstack([colour, alpha])


def banded_ball(size, flattening_ratio, bands, limb):
    """An oblate disc (polar / equatorial radius) with latitude bands and limb darkening."""
    u, v = grid(size)
    vs = v / flattening_ratio
    rho2 = u * u + vs * vs
    inside = rho2 <= 1.0
    mu = np.sqrt(np.clip(1.0 - rho2, 0.0, 1.0))
    latitude = np.degrees(np.arcsin(np.clip(vs, -1.0, 1.0)))
    colour = np.stack([np.interp(np.abs(latitude), [b[0] for b in bands], [b[1][k] for b in bands])
                       for k in range(3)], axis=-1)
    colour = colour * (1.0 - limb * (1.0 - mu))[..., None]
    return np.dstack([colour, inside.astype(float)])


def saturn_ball(size):
    bands = (
        (0.0, (0.93, 0.85, 0.64)),
        (12.0, (0.90, 0.80, 0.58)),
        (20.0, (0.76, 0.64, 0.45)),
        (28.0, (0.88, 0.78, 0.58)),
        (45.0, (0.80, 0.70, 0.52)),
        (70.0, (0.66, 0.62, 0.55)),
        (90.0, (0.60, 0.60, 0.58)),
    )
    return banded_ball(size, SATURN_POLE / SATURN_EQUATOR, bands, 0.45)


def saturn_rings(size, shadow):
    """The rings face on, the outer edge of the A ring touching the image edge."""
    u, v = grid(size)
    r = np.hypot(u, v) * SATURN_RINGS[-1][1]
    alpha = np.zeros_like(r)
    bright = np.zeros_like(r)
    for inner, outer, opacity, light in SATURN_RINGS:
        band = (r >= inner) & (r < outer)
        alpha = np.where(band, opacity, alpha)
        bright = np.where(band, light, bright)
    if shadow:
        return np.dstack([np.zeros(r.shape + (3,)), alpha * RING_SHADOW_ALPHA])
    return np.dstack([RING_COLOUR * bright[..., None], alpha])


def ice_giant(size, colour, limb):
    bands = ((0.0, colour), (90.0, tuple(c * 0.92 for c in colour)))
    return banded_ball(size, 0.98, bands, limb)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("source", nargs="?", default=str(DEFAULT_SOURCE),
                        help="folder of the raw data kit (default: %(default)s)")
    parser.add_argument("--output", default=str(DEFAULT_IMAGE_FOLDER),
                        help="the image folder to write into (default: %(default)s)")
    parser.add_argument("--photo-output", default=str(DEFAULT_PHOTO_FOLDER),
                        help="the stock-photo folder for Moon.jpg (default: %(default)s)")
    arguments = parser.parse_args()
    maps = Path(arguments.source) / "images" / "maps"
    output = Path(arguments.output)
    if not maps.is_dir():
        parser.error(f"no surface maps at {maps}")

    images = {
        "MoonFull.png": lambda: orthographic(read_map(maps / "moon.jpg"), MOON_SIZE),
        "Mars.png": lambda: orthographic(read_map(maps / "mars.jpg"), PLANET_SIZE),
        "Sun.png": lambda: sun(SUN_SIZE),
        "LSun.png": lambda: sun(LARGE_SUN_SIZE),
        "SaturnBall.png": lambda: saturn_ball(PLANET_SIZE),
        "SaturnRings.png": lambda: saturn_rings(RING_SIZE, shadow=False),
        "SaturnRingsShadow.png": lambda: saturn_rings(RING_SIZE, shadow=True),
        "Uranus.png": lambda: ice_giant(PLANET_SIZE, (0.70, 0.88, 0.90), 0.35),
        "Neptune.png": lambda: ice_giant(PLANET_SIZE, (0.36, 0.52, 0.90), 0.45),
    }
    for name, draw in images.items():
        write_bytes(output / name, png_bytes(reduce(draw())))
        print(name)
    moon = reduce(orthographic(read_map(maps / "moon.jpg"), MOON_SIZE))
    write_bytes(Path(arguments.photo_output) / "Moon.jpg", jpeg_on_black(moon))
    print("Moon.jpg")


if __name__ == "__main__":
    main()
