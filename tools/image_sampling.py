"""Bilinear reading of an 8-bit image at non-integer places.

Coordinates are continuous with the origin at the image's top-left corner and
y growing downwards: pixel (i, j) covers [i, i + 1) x [j, j + 1), its centre
at (i + 0.5, j + 0.5). Places off the image read as None.
"""

import math


class Sampler:
    def __init__(self, width, height, channels, pixels):
        self.width = width
        self.height = height
        self.channels = channels
        self.pixels = pixels

    def sample(self, x, y):
        """Channel values (floats 0 .. 255) at (x, y), or None off the image."""
        if not (0.0 <= x <= self.width and 0.0 <= y <= self.height):
            return None
        fx = x - 0.5
        fy = y - 0.5
        x0 = math.floor(fx)
        y0 = math.floor(fy)
        tx = fx - x0
        ty = fy - y0
        # At the border the outermost pixels repeat.
        xa = min(max(x0, 0), self.width - 1)
        xb = min(max(x0 + 1, 0), self.width - 1)
        ya = min(max(y0, 0), self.height - 1)
        yb = min(max(y0 + 1, 0), self.height - 1)
        n = self.channels
        p = self.pixels
        row_a = ya * self.width
        row_b = yb * self.width
        i00 = (row_a + xa) * n
        i10 = (row_a + xb) * n
        i01 = (row_b + xa) * n
        i11 = (row_b + xb) * n
        w00 = (1.0 - tx) * (1.0 - ty)
        w10 = tx * (1.0 - ty)
        w01 = (1.0 - tx) * ty
        w11 = tx * ty
        return tuple(p[i00 + c] * w00 + p[i10 + c] * w10 + p[i01 + c] * w01 + p[i11 + c] * w11
                     for c in range(n))


def supersampling_offsets(count):
    """Offsets inside one output pixel (from its corner) of a count x count sample grid."""
    steps = [(k + 0.5) / count for k in range(count)]
    return [(sx, sy) for sy in steps for sx in steps]


def to_byte(value):
    """A float sample rounded to 0 .. 255."""
    return min(255, max(0, int(value + 0.5)))
