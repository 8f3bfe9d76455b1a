#!/usr/bin/env python3
"""Writes "TVk/RAGrid.tvk" (3044 points) and "TVk/AltAzGrid.tvk" (3114 points).

The chart joins these points into grid lines by their positions in the
tables, so the layout below is fixed:

RAGrid.tvk, 60-byte records (chart point, equatorial unit vector, horizon
vector, visible flag; all but the unit vector 0):
  0 - 1943     24 hour circles (hour h from record 81h), declination -80 to +80 in 2 degree steps
  1944 - 2980  17 declination circles (-80 to +80 in 10 degree steps), 61 points each,
               right ascension 0 to 360 in 6 degree steps (the last point closes the circle)
  2981 - 3041  the ecliptic, 61 points, ecliptic longitude 0 to 360 in 6 degree steps
  3042, 3043   the north and south celestial poles

AltAzGrid.tvk, 36-byte records (chart point, horizon-frame vector toward
south, west and nadir, visible flag):
  0 - 1475     36 azimuth lines of 41 points, line r at azimuth 180 + 10r degrees,
               altitude 0 to 80 in 2 degree steps
  1476 - 3104  9 altitude circles (0 to 80 in 10 degree steps) of 181 points,
               azimuth 180 to 540 in 2 degree steps (the last point closes the circle)
  3105         the zenith
  3106 - 3113  the compass marks S, SW, W, NW, N, NE, E, SE on the horizon

All points of one declination circle share one z value, bit for bit: the
chart joins neighbours only when their declinations are exactly equal.
"""

import math
import struct

from converter_common import parse_arguments, write_bytes

RA_LOCN = struct.Struct("<ffddddddi")
ALT_AZ_LOCN = struct.Struct("<ffdddi")
assert RA_LOCN.size == 60 and ALT_AZ_LOCN.size == 36

RA_GRID_POINTS = 3044
ALT_AZ_GRID_POINTS = 3114

# Mean obliquity of the ecliptic at J2000.0 (IAU 2006): 84381.406 arcseconds, in degrees.
OBLIQUITY_J2000 = 84381.406 / 3600

COMPASS_AZIMUTHS = (180, 225, 270, 315, 0, 45, 90, 135)


def equatorial_point(x, y, z):
    return RA_LOCN.pack(0.0, 0.0, x, y, z, 0.0, 0.0, 0.0, 0)


def equatorial(ra_degrees, dec_degrees):
    ra, dec = math.radians(ra_degrees % 360), math.radians(dec_degrees)
    return equatorial_point(math.cos(dec) * math.cos(ra), math.cos(dec) * math.sin(ra),
                            math.sin(dec))


def ra_grid():
    records = []
    for hour in range(24):
        records += [equatorial(15 * hour, -80 + 2 * step) for step in range(81)]
    for circle in range(17):
        dec = math.radians(-80 + 10 * circle)
        z = math.sin(dec)
        for step in range(61):
            ra = math.radians((6 * step) % 360)
            records.append(equatorial_point(math.cos(dec) * math.cos(ra),
                                            math.cos(dec) * math.sin(ra), z))
    obliquity = math.radians(OBLIQUITY_J2000)
    for step in range(61):
        longitude = math.radians((6 * step) % 360)
        records.append(equatorial_point(math.cos(longitude),
                                        math.sin(longitude) * math.cos(obliquity),
                                        math.sin(longitude) * math.sin(obliquity)))
    records += [equatorial_point(0.0, 0.0, 1.0), equatorial_point(0.0, 0.0, -1.0)]
    assert len(records) == RA_GRID_POINTS
    return records


def horizontal(azimuth_degrees, altitude_degrees):
    """Horizon-frame record: x toward south, y toward west, z toward nadir."""
    azimuth = math.radians((azimuth_degrees + 180) % 360)
    altitude = math.radians(altitude_degrees)
    return ALT_AZ_LOCN.pack(0.0, 0.0, math.cos(altitude) * math.cos(azimuth),
                            math.cos(altitude) * math.sin(azimuth), -math.sin(altitude), 0)


def alt_az_grid():
    records = []
    for line in range(36):
        records += [horizontal(180 + 10 * line, 2 * step) for step in range(41)]
    for circle in range(9):
        records += [horizontal(180 + 2 * step, 10 * circle) for step in range(181)]
    records.append(ALT_AZ_LOCN.pack(0.0, 0.0, 0.0, 0.0, -1.0, 0))
    records += [horizontal(azimuth, 0) for azimuth in COMPASS_AZIMUTHS]
    assert len(records) == ALT_AZ_GRID_POINTS
    return records


def main():
    _, output = parse_arguments(__doc__.splitlines()[0], needs_source=False)
    write_bytes(output / "TVk" / "RAGrid.tvk", b"".join(ra_grid()))
    write_bytes(output / "TVk" / "AltAzGrid.tvk", b"".join(alt_az_grid()))
    print(f"RAGrid.tvk: {RA_GRID_POINTS} points; AltAzGrid.tvk: {ALT_AZ_GRID_POINTS} points")


if __name__ == "__main__":
    main()
