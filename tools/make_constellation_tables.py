#!/usr/bin/env python3
"""Writes "TVk/Constellations.tvk" and "TVk/Boundary.tvk".

Constellations.tvk: one 8-byte record per figure line, the indexes of its two
stars in "BuildStar.txt" (two little-endian signed 32-bit integers), so it
must be made from the same data kit as the shipped BuildStar.txt; the
converter checks that.

Boundary.tvk: one 64-byte record per boundary vertex, in border order: chart
point (two floats, 0), J2000 unit vector (three doubles), horizon-frame vector
(three doubles, 0), visible flag (0) and the border's line id (unsigned, from 1).
"""

import struct
import sys

from converter_common import parse_arguments, read_tsv, unit_vector, write_bytes
from make_star_catalogue import star_line
from star_list import build_star_list, star_indexes

CON_LINE = struct.Struct("<ii")
BOUNDARY_LOCN = struct.Struct("<ffddddddiI")
assert CON_LINE.size == 8 and BOUNDARY_LOCN.size == 64

# The program refuses a boundary table of fewer vertices.
MINIMUM_BOUNDARY_POINTS = 1600


def check_shipped_stars(stars, path):
    """Stops when the BuildStar.txt beside the tables is not this star list."""
    expected = [star_line(star) for star in stars]
    try:
        shipped = path.read_text(encoding="ascii").splitlines()[1:]
    except OSError as error:
        sys.exit(f"{path}: {error.strerror}; run make_star_catalogue.py first")
    if shipped != expected:
        sys.exit(f"{path} is not the star list of this data kit; run make_star_catalogue.py first")


def figure_records(source, stars):
    by_hr, by_hip = star_indexes(stars)
    records = []
    for line in read_tsv(source / "constellations" / "constellation_lines.tsv"):
        ends = []
        for end in ("1", "2"):
            hr, hip = line["hr" + end], line["hip" + end]
            ends.append(by_hr[hr] if hr in by_hr else by_hip[hip])
        records.append(CON_LINE.pack(*ends))
    return records


def boundary_records(source):
    records = []
    for point in read_tsv(source / "constellations" / "constellation_boundaries.tsv"):
        x, y, z = unit_vector(float(point["ra_j2000_deg"]), float(point["dec_j2000_deg"]))
        line_id = int(point["line_id"])
        if line_id == 0:
            sys.exit("boundary line ids must start at 1: 0 means no line to the chart")
        records.append(BOUNDARY_LOCN.pack(0.0, 0.0, x, y, z, 0.0, 0.0, 0.0, 0, line_id))
    if len(records) < MINIMUM_BOUNDARY_POINTS:
        sys.exit(f"only {len(records)} boundary points; the program needs {MINIMUM_BOUNDARY_POINTS}")
    return records


def main():
    source, output = parse_arguments(__doc__.splitlines()[0])
    stars = build_star_list(source)
    check_shipped_stars(stars, output / "Build Data" / "BuildStar.txt")
    figures = figure_records(source, stars)
    boundaries = boundary_records(source)
    write_bytes(output / "TVk" / "Constellations.tvk", b"".join(figures))
    write_bytes(output / "TVk" / "Boundary.tvk", b"".join(boundaries))
    print(f"Constellations.tvk: {len(figures)} lines; Boundary.tvk: {len(boundaries)} points")


if __name__ == "__main__":
    main()
