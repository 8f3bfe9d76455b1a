#!/usr/bin/env python3
"""Writes "Build Data/BuildStar.txt": the star catalogue the program builds its star table from.

Line 1 holds the star count (and, in fields the reader ignores, a note on the
sources); every further line is one star in ten tab-separated fields: SAO
number, Bayer or Flamsteed designation, proper name, V magnitude, spectral
class, type code, J2000 right ascension and declination in degrees, proper
motion in right ascension and in declination in mas per year. The proper
motion in right ascension is the rate of the coordinate itself (the
catalogues' great-circle rate divided by cos dec), which is how the program
applies it.
"""

import sys

from converter_common import parse_arguments, write_ascii_lines
from star_list import build_star_list

# Object indexes of other kinds start at 100000, so the star list must stay below it.
STAR_INDEX_BAND = 100000


def decimal(value, places):
    """Fixed-point text of a value, never "-0.00"."""
    text = f"{value:.{places}f}"
    return text[1:] if text.startswith("-") and float(text) == 0.0 else text


def star_line(star):
    return "\t".join((
        star.sao, star.bayer, star.name, decimal(star.mag, 2), star.spectral, str(star.type),
        decimal(star.ra, 6), decimal(star.dec, 6), decimal(star.pm_ra, 2), decimal(star.pm_dec, 2)))


def main():
    source, output = parse_arguments(__doc__.splitlines()[0])
    stars = build_star_list(source)
    if len(stars) >= STAR_INDEX_BAND:
        sys.exit(f"{len(stars)} stars: the list must stay below {STAR_INDEX_BAND}")
    lines = [f"{len(stars)}\tstars\tYale Bright Star Catalogue, Hipparcos; see CREDITS.md"]
    lines += [star_line(star) for star in stars]
    write_ascii_lines(output / "Build Data" / "BuildStar.txt", lines)
    print(f"BuildStar.txt: {len(stars)} stars")


if __name__ == "__main__":
    main()
