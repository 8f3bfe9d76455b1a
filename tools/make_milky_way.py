#!/usr/bin/env python3
"""Writes the chart's built-in Milky Way outline (src/model/catalogue/MilkyWayPoints.cpp).

The chart draws the Milky Way as 346 points in 30 outlines whose structure is
fixed (MilkyWayTable.h: each outline's points, where the pen lifts, which are
closed), as are a few of the points themselves: outline 0 (Cassiopeia), the
two Magellanic Clouds (outlines 28 and 29) and the points on either side of
the lifts after points 176 and 292. Every other point is taken from the
outermost brightness level ("ol1") of the Milky Way outline catalogue:

* In galactic coordinates that level is the band's northern boundary (ring 0,
  which also folds into the band along the Great Rift and in Norma), its
  southern boundary (ring 1) and dark holes (rings 2 to 9).
* Three edges are read from it as functions of galactic longitude l: the
  north edge N(l), the highest crossing of ring 0; the south edge S(l), the
  lowest crossing of ring 1; the rift R(l), the lowest crossing of ring 0 or
  of the Cygnus hole (ring 2), used only where ring 0 folds.
* Each outline's stretches (the runs between pen lifts) are laid along those
  edges in outline order, so that consecutive stretches of an edge meet; a
  stretch's longitude span is proportional to its number of intervals, and its
  points are evenly spaced in longitude.
* Right ascension is rounded to 0.05 h and declination to 0.01 degree, as the
  table holds them; the fixed points then replace the points of their index.

Usage: make_milky_way.py [KIT_FOLDER] [--output FILE]
  KIT_FOLDER  the raw data kit (default: ../shared/data beside the repository)
  FILE        the table to write (default: src/model/catalogue/MilkyWayPoints.cpp)
"""

import argparse
import csv
import math
import os
import sys

NUM_POINTS = 346
# The Magellanic Clouds' outlines start here; the points before follow the band,
# within this many degrees of the galactic plane.
FIRST_CLOUD_POINT = 330
BAND_HALF_WIDTH = 25.0

# First and last point of each outline and the point the pen lifts into
# (0: none inside the outline); outlines 13 and 25 lift once more, into 177
# and 293. This mirrors MilkyWayTable.cpp.
OUTLINES = [
    (0, 13, 9), (14, 40, 38), (41, 54, 52), (55, 77, 70), (78, 83, 81),
    (84, 95, 89), (96, 106, 102), (107, 115, 111), (116, 129, 120), (130, 133, 132),
    (134, 138, 137), (139, 148, 143), (149, 158, 154), (159, 180, 168), (181, 198, 0),
    (199, 208, 203), (209, 212, 211), (213, 232, 224), (233, 239, 235), (240, 246, 243),
    (247, 252, 251), (253, 260, 0), (261, 270, 268), (271, 274, 273), (275, 285, 284),
    (286, 303, 302), (304, 323, 320), (324, 329, 326), (330, 338, 0), (339, 345, 0),
]
EXTRA_LIFTS = (177, 293)

# Points that the chart's table fixes: index -> (RA hours, Dec degrees).
FIXED = {
    0: (0.00, 64.0), 1: (0.30, 64.5), 2: (0.50, 64.0), 3: (0.70, 63.0), 4: (0.85, 62.0),
    5: (1.00, 62.0), 6: (1.15, 62.5), 7: (1.50, 65.0), 8: (1.65, 65.5), 9: (1.50, 55.0),
    10: (1.00, 56.0), 11: (0.80, 55.0), 12: (0.50, 52.0), 13: (0.00, 50.0),
    176: (16.00, -55.0), 177: (16.00, -70.0), 292: (20.20, 44.0), 293: (19.90, 45.0),
    330: (5.00, -65.5), 331: (5.20, -66.0), 332: (5.40, -65.5), 333: (5.85, -67.0),
    334: (5.90, -69.0), 335: (5.50, -72.0), 336: (5.30, -71.0), 337: (5.00, -72.0),
    338: (4.80, -69.0),
    339: (1.00, -72.0), 340: (1.15, -72.0), 341: (1.20, -74.0), 342: (0.90, -75.0),
    343: (0.50, -74.0), 344: (0.50, -73.0), 345: (0.80, -72.0),
}

# Where each stretch lies, as (outline, stretch number within the outline, edge).
# The north and south edges are each one chain around the sky, broken where a
# fixed point starts a stretch; the rift stretches have spans of their own.
NORTH_CHAINS = [
    # from the east end of outline 0's north stretch round to point 293
    [(k, 0) for k in range(1, 14)] + [(k, 0) for k in range(15, 21)]
    + [(k, 0) for k in range(22, 25)],
    [(25, 1), (26, 0), (27, 0)],
]
SOUTH_CHAINS = [
    [(k, 1) for k in range(1, 13)],
    # from point 177 round to the west end of outline 0's south stretch
    [(13, 2), (14, 0)] + [(k, 1) for k in range(15, 21)] + [(k, 1) for k in range(22, 25)]
    + [(25, 2), (26, 1), (27, 1)],
]
RIFT_PIECES = {
    (13, 1): (318.5, 327.8),  # the Norma fold, ending at point 176
    (21, 0): (28.0, 44.0),    # the Great Rift in Aquila
    (25, 0): (44.0, 80.2),    # on through the Cygnus hole to point 292
}

# The galactic pole and the longitude of the celestial pole, J2000 (IAU).
POLE_RA = math.radians(192.85948)
POLE_DEC = math.radians(27.12825)
NCP_L = math.radians(122.93192)


def to_galactic(ra_deg, dec_deg):
    ra, dec = math.radians(ra_deg), math.radians(dec_deg)
    sin_b = (math.sin(dec) * math.sin(POLE_DEC)
             + math.cos(dec) * math.cos(POLE_DEC) * math.cos(ra - POLE_RA))
    y = math.cos(dec) * math.sin(ra - POLE_RA)
    x = math.sin(dec) * math.cos(POLE_DEC) - math.cos(dec) * math.sin(POLE_DEC) * math.cos(ra - POLE_RA)
    return math.degrees(NCP_L - math.atan2(y, x)) % 360.0, math.degrees(math.asin(sin_b))


def to_equatorial(l_deg, b_deg):
    l, b = math.radians(l_deg), math.radians(b_deg)
    sin_dec = (math.sin(b) * math.sin(POLE_DEC)
               + math.cos(b) * math.cos(POLE_DEC) * math.cos(NCP_L - l))
    y = math.cos(b) * math.sin(NCP_L - l)
    x = math.sin(b) * math.cos(POLE_DEC) - math.cos(b) * math.sin(POLE_DEC) * math.cos(NCP_L - l)
    ra = (math.degrees(POLE_RA + math.atan2(y, x))) % 360.0
    return ra, math.degrees(math.asin(sin_dec))


def read_rings(path):
    rings = {}
    with open(path, newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f, delimiter="\t"):
            if row["level"] != "ol1":
                continue
            point = to_galactic(float(row["ra_j2000_deg"]), float(row["dec_j2000_deg"]))
            rings.setdefault(int(row["ring"]), []).append(point)
    return rings


def crossings(ring, l):
    """Latitudes where the closed ring crosses galactic longitude l."""
    found = []
    for (l1, b1), (l2, b2) in zip(ring, ring[1:] + ring[:1]):
        step = (l2 - l1 + 180.0) % 360.0 - 180.0
        offset = (l - l1 + 180.0) % 360.0 - 180.0
        if step == 0.0:
            continue
        t = offset / step
        if 0.0 <= t <= 1.0:
            found.append(b1 + t * (b2 - b1))
    return found


def make_edges(rings):
    def north(l):
        return max(crossings(rings[0], l))

    def south(l):
        return min(crossings(rings[1], l))

    def rift(l):
        b = min(crossings(rings[0], l) + crossings(rings[2], l))
        if b > north(l) - 3.0:
            sys.exit(f"rift stretch reaches longitude {l:.2f} where the band does not fold")
        return b

    return north, south, rift


def piece_sizes():
    """Number of points of every stretch, keyed by (outline, stretch)."""
    sizes = {}
    for k, (first, last, skip) in enumerate(OUTLINES):
        starts = [first] + sorted(i for i in (skip, *EXTRA_LIFTS) if first < i <= last)
        ends = starts[1:] + [last + 1]
        for n, (s, e) in enumerate(zip(starts, ends)):
            sizes[(k, n)] = (s, e - s)
    return sizes


def lay_chain(chain, sizes, l_start, l_end):
    """Longitude spans of a chain's stretches, proportional to their intervals."""
    intervals = [sizes[p][1] - 1 for p in chain]
    step = (l_end - l_start) / sum(intervals)
    spans, l = {}, l_start
    for stretch, n in zip(chain, intervals):
        spans[stretch] = (l, l + n * step)
        l += n * step
    return spans


def galactic_of(index):
    ra_hours, dec = FIXED[index]
    return to_galactic(ra_hours * 15.0, dec)


def east_of(l_start, l):
    """The longitude l, unwrapped to lie east of (above) l_start."""
    return l_start + (l - l_start) % 360.0


def build_points(rings):
    north, south, rift = make_edges(rings)
    sizes = piece_sizes()
    l_of = lambda i: galactic_of(i)[0]
    spans = {}
    for chains, breaks in ((NORTH_CHAINS, (8, 293, 0)), (SOUTH_CHAINS, (9, 177, 13))):
        start, middle, end = (l_of(i) for i in breaks)
        middle = east_of(start, middle)
        spans.update(lay_chain(chains[0], sizes, start, middle))
        spans.update(lay_chain(chains[1], sizes, middle, east_of(middle, end)))
    edge_of = {p: north for chain in NORTH_CHAINS for p in chain}
    edge_of.update({p: south for chain in SOUTH_CHAINS for p in chain})
    edge_of.update({p: rift for p in RIFT_PIECES})
    spans.update(RIFT_PIECES)

    points = [None] * NUM_POINTS
    for stretch, (first, count) in sizes.items():
        if all(first + i in FIXED for i in range(count)):
            continue
        l0, l1 = spans[stretch]
        edge = edge_of[stretch]
        for i in range(count):
            if first + i in FIXED:
                continue
            l = (l0 + (l1 - l0) * i / (count - 1)) % 360.0
            ra, dec = to_equatorial(l, edge(l))
            points[first + i] = (round(ra / 15.0 / 0.05) * 0.05 % 24.0, round(dec, 2))
    for index, point in FIXED.items():
        points[index] = point
    missing = [i for i, p in enumerate(points) if p is None]
    if missing:
        sys.exit(f"points without a place: {missing}")
    # The open outlines follow the band: none strays far from the galactic plane.
    astray = [i for i, (ra, dec) in enumerate(points[:FIRST_CLOUD_POINT])
              if abs(to_galactic(ra * 15.0, dec)[1]) >= BAND_HALF_WIDTH]
    if astray:
        sys.exit(f"points more than {BAND_HALF_WIDTH} degrees from the galactic plane: {astray}")
    return points


def write_table(points, path):
    """Writes through a temporary file, so a failed run leaves the old table."""
    lines = [
        "// Generated by tools/make_milky_way.py from the outermost level of the Milky Way",
        "// outline catalogue (see data/ZQData/CREDITS.md). Do not edit by hand.",
        '#include "model/catalogue/MilkyWayTable.h"',
        "",
        "const std::array<MilkyWayTable::Point, MilkyWayTable::kNumPoints> MilkyWayTable::kPoints = {{",
    ]
    for k, (first, last, _) in enumerate(OUTLINES):
        lines.append(f"    // outline {k}")
        for i in range(first, last + 1):
            ra, dec = points[i]
            lines.append(f"    {{{ra:.2f}, {dec:.2f}}},  // {i}")
    lines.append("}};")
    temporary = path + ".tmp"
    with open(temporary, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    os.replace(temporary, path)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description="Writes the chart's built-in Milky Way outline.")
    parser.add_argument("kit", nargs="?", default=os.path.join(root, "..", "shared", "data"))
    parser.add_argument("--output", default=os.path.join(root, "src", "model", "catalogue", "MilkyWayPoints.cpp"))
    args = parser.parse_args()
    outline = os.path.join(args.kit, "milkyway", "milkyway_outline.tsv")
    write_table(build_points(read_rings(outline)), args.output)


if __name__ == "__main__":
    main()
