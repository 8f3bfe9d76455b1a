"""Small vector helpers for placing images on the sky.

Directions are J2000 unit vectors (x = cos d cos a, y = cos d sin a, z = sin d).
A tangent frame at a point P holds P itself, the unit vector toward east and
the unit vector toward north there.
"""

import math


def unit_vector(ra_degrees, dec_degrees):
    ra = math.radians(ra_degrees)
    dec = math.radians(dec_degrees)
    return (math.cos(dec) * math.cos(ra), math.cos(dec) * math.sin(ra), math.sin(dec))


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def scaled(a, k):
    return (a[0] * k, a[1] * k, a[2] * k)


def added(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def normalised(a):
    return scaled(a, 1.0 / math.sqrt(dot(a, a)))


def tangent_frame(ra_degrees, dec_degrees):
    """(P, east, north) at a place; east and north are unit vectors in the sky's tangent plane."""
    ra = math.radians(ra_degrees)
    dec = math.radians(dec_degrees)
    point = unit_vector(ra_degrees, dec_degrees)
    east = (-math.sin(ra), math.cos(ra), 0.0)
    north = (-math.sin(dec) * math.cos(ra), -math.sin(dec) * math.sin(ra), math.cos(dec))
    return point, east, north


def matrix_vector(m, v):
    return tuple(m[r][0] * v[0] + m[r][1] * v[1] + m[r][2] * v[2] for r in range(3))


def matrix_product(a, b):
    return tuple(tuple(sum(a[r][k] * b[k][c] for k in range(3)) for c in range(3))
                 for r in range(3))


def inverse_matrix(m):
    """Inverse of a 3 x 3 matrix given as rows; ValueError when it is singular."""
    (a, b, c), (d, e, f), (g, h, i) = m
    cofactors = ((e * i - f * h, c * h - b * i, b * f - c * e),
                 (f * g - d * i, a * i - c * g, c * d - a * f),
                 (d * h - e * g, b * g - a * h, a * e - b * d))
    determinant = a * cofactors[0][0] + b * cofactors[1][0] + c * cofactors[2][0]
    if abs(determinant) < 1e-15:
        raise ValueError("singular matrix")
    return tuple(tuple(value / determinant for value in row) for row in cofactors)


def solve_linear(rows, values):
    """Solves a small square linear system by Gaussian elimination with partial pivoting."""
    size = len(rows)
    matrix = [list(row) + [value] for row, value in zip(rows, values)]
    for column in range(size):
        pivot = max(range(column, size), key=lambda r: abs(matrix[r][column]))
        if abs(matrix[pivot][column]) < 1e-15:
            raise ValueError("singular system")
        matrix[column], matrix[pivot] = matrix[pivot], matrix[column]
        for r in range(size):
            if r != column:
                factor = matrix[r][column] / matrix[column][column]
                for k in range(column, size + 1):
                    matrix[r][k] -= factor * matrix[column][k]
    return [matrix[r][size] / matrix[r][r] for r in range(size)]


def homography(sources, targets):
    """The 3 x 3 projective map (rows, last entry 1) taking four source points to four targets."""
    rows = []
    values = []
    for (x, y), (u, v) in zip(sources, targets):
        rows.append((x, y, 1.0, 0.0, 0.0, 0.0, -u * x, -u * y))
        values.append(u)
        rows.append((0.0, 0.0, 0.0, x, y, 1.0, -v * x, -v * y))
        values.append(v)
    h = solve_linear(rows, values)
    return ((h[0], h[1], h[2]), (h[3], h[4], h[5]), (h[6], h[7], 1.0))
