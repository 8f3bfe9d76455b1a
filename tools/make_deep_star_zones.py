#!/usr/bin/python3
"""Writes the telescope view's deep-star zone files from the Tycho-2 subset of the kit.

Input: deepstars/tycho2_astrometry_subset.tsv.gz (vt_mag, ra_deg, dec_deg; J2000).
Output: HT2Stars/ccm00.txt ... ccm70.txt (south) and ccp00.txt ... ccp70.txt (north),
one star a line as "mag<TAB>ra<TAB>dec", rising right ascension, every star kept.

Bands are 5 degrees of declination, the lower edge inclusive: north band 15 + k holds
[5k, 5k + 5), south band k holds [-5k - 5, -5k); the last band of each side runs to its
pole (ccp70 holds [70, 90], ccm70 [-90, -70)). The view picks bands with the same rule.
"""

import gzip
import math
import sys

from converter_common import parse_arguments, write_bytes

SOURCE_FILE = "deepstars/tycho2_astrometry_subset.tsv.gz"
ZONE_FOLDER = "HT2Stars"
ZONES_PER_SIDE = 15
BAND_DEGREES = 5


def zone_of(dec):
    """Zone index 0-29 of a declination in degrees."""
    if dec >= 0.0:
        return ZONES_PER_SIDE + min(ZONES_PER_SIDE - 1, math.floor(dec / BAND_DEGREES))
    return min(ZONES_PER_SIDE - 1, math.ceil(-dec / BAND_DEGREES) - 1)


def zone_file_name(zone):
    side = "ccm" if zone < ZONES_PER_SIDE else "ccp"
    return f"{side}{(zone % ZONES_PER_SIDE) * BAND_DEGREES:02d}.txt"


def read_zones(path):
    """Stars of the source as (ra, dec, mag, line) per zone; the line is already formatted."""
    zones = [[] for _ in range(2 * ZONES_PER_SIDE)]
    with gzip.open(path, "rt", encoding="ascii", newline="\n") as handle:
        header = handle.readline().rstrip("\n").split("\t")
        if header != ["vt_mag", "ra_deg", "dec_deg"]:
            sys.exit(f"{path}: unexpected header {header}")
        for number, text in enumerate(handle, start=2):
            fields = text.rstrip("\n").split("\t")
            try:
                mag, ra, dec = (float(field) for field in fields)
            except ValueError:
                sys.exit(f"{path}:{number}: not three numbers")
            line = f"{mag:.2f}\t{ra:.5f}\t{dec:.5f}"
            # Placed and sorted by the values as written, so that the reader sees the same.
            mag, ra, dec = (float(field) for field in line.split("\t"))
            if not (0.0 <= ra < 360.0 and -90.0 <= dec <= 90.0):
                sys.exit(f"{path}:{number}: position out of range")
            zones[zone_of(dec)].append((ra, dec, mag, line))
    return zones


def main():
    source, output = parse_arguments(__doc__.splitlines()[0])
    zones = read_zones(source / SOURCE_FILE)
    for zone, stars in enumerate(zones):
        stars.sort()
        text = "".join(star[3] + "\n" for star in stars)
        write_bytes(output / ZONE_FOLDER / zone_file_name(zone), text.encode("ascii"))
    print(f"{sum(len(stars) for stars in zones)} stars in {len(zones)} zone files")


if __name__ == "__main__":
    main()
