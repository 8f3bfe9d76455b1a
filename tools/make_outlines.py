#!/usr/bin/python3
"""Traces the deep-sky outline images "StockPhotos/Outlines/<designation>.png" and "<designation>P.png".

The telescope view draws an object's outline, when outlines are on, fitted into
the square of its catalogue size as it draws the photograph, and looks it up by
the object's designation. So every shipped photograph "StockPhotos/<X>.jpg"
whose stem is a designation of the deep-sky catalogue gets two outlines of the
same size: isophotes of a smoothed copy of the photograph at three brightness
levels between its sky and its brightest part, light grey on transparency for
the screen and black on white for paper. Contours shorter than a few pixels
(single stars) are left out.

Each image is read back and checked (size, kind, some ink and not too much,
a clear or white background) before the next; a run that finds a fault stops.
The same bytes on every run, with the same scikit-image, Pillow and zlib.
"""

import argparse
import io
from pathlib import Path

import numpy
from PIL import Image, ImageDraw
from skimage import filters, measure

from converter_common import DEFAULT_OUTPUT, write_bytes

# Smoothing, in pixels of a 512-pixel photograph (scaled for smaller ones).
SMOOTHING = 4.0
FULL_SIDE = 512
# Levels as fractions of the way from the sky to the brightest smoothed pixel.
LEVELS = (0.12, 0.3, 0.6)
# Contours whose bounding box is smaller than this fraction of the side are stars.
SMALLEST_CONTOUR = 0.04
# Contrast (brightest less sky, 0..1) below which a photograph shows no object to trace.
SMALLEST_CONTRAST = 0.02
SCREEN_INK = (210, 210, 210, 255)
PRINT_INK = 0
WIDTH = 1
# What share of an outline's pixels may be ink.
MOST_INK = 0.4


class OutlineError(Exception):
    """A photograph that cannot be traced, or an outline that fails its check."""


def designations(catalogue):
    """The designations (first column) of the deep-sky build file."""
    lines = catalogue.read_text(encoding="ascii").splitlines()[1:]
    return {line.split("\t", 1)[0].strip() for line in lines} - {""}


def brightness(path):
    """The photograph as grey levels 0..1, rows from the top."""
    with Image.open(path) as image:
        return numpy.asarray(image.convert("L"), dtype=numpy.float64) / 255.0


def contours(grey):
    """The isophotes to draw: lists of (row, column) points."""
    side = max(grey.shape)
    smooth = filters.gaussian(grey, sigma=SMOOTHING * side / FULL_SIDE, preserve_range=True)
    border = numpy.concatenate((smooth[0], smooth[-1], smooth[:, 0], smooth[:, -1]))
    sky = float(numpy.median(border))
    top = float(smooth.max())
    if top - sky < SMALLEST_CONTRAST:
        raise OutlineError("no object stands out of the sky")
    smallest = SMALLEST_CONTOUR * side
    traced = []
    for fraction in LEVELS:
        for line in measure.find_contours(smooth, sky + fraction * (top - sky)):
            extent = line.max(axis=0) - line.min(axis=0)
            if max(extent) >= smallest:
                traced.append(line)
    if not traced:
        raise OutlineError("every isophote is a star")
    return traced


def drawn(size, traced, mode, background, ink):
    """PNG bytes of the isophotes drawn on a plain image."""
    image = Image.new(mode, size, background)
    draw = ImageDraw.Draw(image)
    for line in traced:
        points = [(float(column), float(row)) for row, column in line]
        draw.line(points, fill=ink, width=WIDTH)
    out = io.BytesIO()
    image.save(out, format="PNG", optimize=True)
    return out.getvalue()


def check(data, size, mode, background):
    """Raises unless `data` is an outline image of `size` and `mode` on `background`."""
    with Image.open(io.BytesIO(data)) as image:
        if image.format != "PNG" or image.mode != mode or image.size != size:
            raise OutlineError(f"{image.format} {image.mode} {image.size}, not a {size} {mode} PNG")
        pixels = numpy.asarray(image)
    plain = numpy.all(pixels == background, axis=-1) if pixels.ndim == 3 else pixels == background
    ink = 1.0 - float(plain.mean())
    if not 0.0 < ink <= MOST_INK:
        raise OutlineError(f"{ink:.1%} of the pixels are ink")


def outlines(photo):
    """(screen PNG, print PNG) of one photograph, each checked."""
    grey = brightness(photo)
    traced = contours(grey)
    size = (grey.shape[1], grey.shape[0])
    screen = drawn(size, traced, "RGBA", (0, 0, 0, 0), SCREEN_INK)
    check(screen, size, "RGBA", (0, 0, 0, 0))
    paper = drawn(size, traced, "L", 255, PRINT_INK)
    check(paper, size, "L", 255)
    return screen, paper


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=str(DEFAULT_OUTPUT),
                        help="the ZQData folder to read the photographs from and write into "
                             "(default: %(default)s)")
    data = Path(parser.parse_args().output)
    photos = data / "StockPhotos"
    known = designations(data / "Build Data" / "BuildDeepSky.txt")
    written = 0
    for photo in sorted(photos.glob("*.jpg")):
        if photo.stem not in known:
            continue
        try:
            screen, paper = outlines(photo)
        except OutlineError as error:
            raise SystemExit(f"{photo.name}: {error}") from error
        for name, png in ((photo.stem + ".png", screen), (photo.stem + "P.png", paper)):
            write_bytes(photos / "Outlines" / name, png)
            if (photos / "Outlines" / name).read_bytes() != png:
                raise SystemExit(f"{name}: not written whole")
        written += 1
    print(f"{written} outline pairs in {photos / 'Outlines'}")


if __name__ == "__main__":
    main()
