"""A tiny anti-aliased rasteriser for the generated chart images.

A Canvas holds premultiplied RGBA floats (0 .. 1). Shapes are functions of a
place (x, y) in pixel units, origin at the top-left corner, y downwards,
returning how much of the paint lands there (0 .. 1); painting averages a shape
over a grid of samples in each pixel and composites the colour over what is
already there.
"""

import math

from image_sampling import supersampling_offsets, to_byte


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        size = width * height
        self.red = [0.0] * size
        self.green = [0.0] * size
        self.blue = [0.0] * size
        self.alpha = [0.0] * size

    def blend(self, index, colour, amount):
        """Composites colour (0 .. 255 each) at coverage amount over pixel index."""
        if amount <= 0.0:
            return
        amount = min(amount, 1.0)
        keep = 1.0 - amount
        self.red[index] = colour[0] / 255.0 * amount + self.red[index] * keep
        self.green[index] = colour[1] / 255.0 * amount + self.green[index] * keep
        self.blue[index] = colour[2] / 255.0 * amount + self.blue[index] * keep
        self.alpha[index] = amount + self.alpha[index] * keep

    def paint(self, shape, colour, opacity=1.0, samples=8, bounds=None):
        """Paints shape in colour; bounds (x0, y0, x1, y1) limits the pixels visited."""
        x0, y0, x1, y1 = bounds or (0, 0, self.width, self.height)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        offsets = supersampling_offsets(samples)
        weight = opacity / len(offsets)
        for y in range(y0, y1):
            for x in range(x0, x1):
                total = 0.0
                for ox, oy in offsets:
                    total += shape(x + ox, y + oy)
                self.blend(y * self.width + x, colour, total * weight)

    def stroke_line(self, x0, y0, x1, y1, width, colour, opacity=1.0):
        """A straight line with round ends, its edge smoothed over one pixel."""
        reach = width / 2.0 + 1.0
        dx = x1 - x0
        dy = y1 - y0
        length_squared = dx * dx + dy * dy
        left = max(0, int(math.floor(min(x0, x1) - reach)))
        right = min(self.width, int(math.ceil(max(x0, x1) + reach)))
        top = max(0, int(math.floor(min(y0, y1) - reach)))
        bottom = min(self.height, int(math.ceil(max(y0, y1) + reach)))
        for y in range(top, bottom):
            for x in range(left, right):
                px = x + 0.5 - x0
                py = y + 0.5 - y0
                t = 0.0 if length_squared == 0.0 else min(1.0, max(0.0, (px * dx + py * dy)
                                                                  / length_squared))
                distance = math.hypot(px - t * dx, py - t * dy)
                coverage = min(1.0, max(0.0, width / 2.0 + 0.5 - distance))
                if coverage > 0.0:
                    self.blend(y * self.width + x, colour, coverage * opacity)

    def rgba_bytes(self):
        """Straight (not premultiplied) RGBA bytes, rows from the top."""
        out = bytearray(self.width * self.height * 4)
        for i, a in enumerate(self.alpha):
            if a > 0.0:
                out[4 * i] = to_byte(self.red[i] / a * 255.0)
                out[4 * i + 1] = to_byte(self.green[i] / a * 255.0)
                out[4 * i + 2] = to_byte(self.blue[i] / a * 255.0)
                out[4 * i + 3] = to_byte(a * 255.0)
        return out

    def rgb_bytes(self):
        """RGB bytes of the canvas as if laid on black."""
        out = bytearray(self.width * self.height * 3)
        for i in range(self.width * self.height):
            out[3 * i] = to_byte(self.red[i] * 255.0)
            out[3 * i + 1] = to_byte(self.green[i] * 255.0)
            out[3 * i + 2] = to_byte(self.blue[i] * 255.0)
        return out


def soft_disc(cx, cy, radius, softness=0.0, peak=1.0):
    """A disc whose edge fades linearly from radius - softness to radius + softness."""
    def shape(x, y):
        d = math.hypot(x - cx, y - cy)
        if softness <= 0.0:
            return peak if d <= radius else 0.0
        return peak * min(1.0, max(0.0, (radius + softness - d) / (2.0 * softness)))
    return shape


def ring(cx, cy, radius, width):
    def shape(x, y):
        return 1.0 if abs(math.hypot(x - cx, y - cy) - radius) <= width / 2.0 else 0.0
    return shape


def segment(x0, y0, x1, y1, width):
    """A straight stroke with round ends."""
    dx = x1 - x0
    dy = y1 - y0
    length_squared = dx * dx + dy * dy

    def shape(x, y):
        px = x - x0
        py = y - y0
        t = 0.0 if length_squared == 0.0 else min(1.0, max(0.0, (px * dx + py * dy)
                                                              / length_squared))
        return 1.0 if math.hypot(px - t * dx, py - t * dy) <= width / 2.0 else 0.0
    return shape


def ellipse(cx, cy, a, b, angle_degrees=0.0):
    """A filled ellipse with semi-axes a (along the turned x axis) and b."""
    c = math.cos(math.radians(angle_degrees))
    s = math.sin(math.radians(angle_degrees))

    def shape(x, y):
        u = (x - cx) * c + (y - cy) * s
        v = -(x - cx) * s + (y - cy) * c
        return 1.0 if (u / a) ** 2 + (v / b) ** 2 <= 1.0 else 0.0
    return shape


def ellipse_outline(cx, cy, a, b, width, angle_degrees=0.0):
    outer = ellipse(cx, cy, a + width / 2.0, b + width / 2.0, angle_degrees)
    inner = ellipse(cx, cy, a - width / 2.0, b - width / 2.0, angle_degrees)
    return lambda x, y: outer(x, y) * (1.0 - inner(x, y))


def polygon(points):
    """A filled polygon (even-odd rule)."""
    edges = list(zip(points, points[1:] + points[:1]))

    def shape(x, y):
        inside = False
        for (xa, ya), (xb, yb) in edges:
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                inside = not inside
        return 1.0 if inside else 0.0
    return shape


def outline(points, width, closed=True):
    """Strokes joining the points in order."""
    pairs = list(zip(points, points[1:] + (points[:1] if closed else [])))
    strokes = [segment(xa, ya, xb, yb, width) for (xa, ya), (xb, yb) in pairs]
    return union(*strokes)


def union(*shapes):
    return lambda x, y: max(shape(x, y) for shape in shapes)


def difference(shape, hole):
    return lambda x, y: shape(x, y) * (1.0 - hole(x, y))
