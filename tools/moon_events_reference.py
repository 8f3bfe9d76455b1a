#!/usr/bin/python3
"""Reference Moon rise and set times at high latitudes, for the tests.

The times come from PyEphem (the Python binding of XEphem's libastro;
Debian package python3-ephem), an ephemeris independent of the program's
own Moon. This is a converter, run by
hand: the program never uses PyEphem, and the tests read only its output,
tests/find/data/moon_events_reference.csv.

What is timed: the Moon's centre crossing the 0 degree horizon as seen from
the site (topocentric, 30 m up as the program's Moon has it), without
refraction (pressure 0). Each year is scanned at ten-minute steps; every turn
of the altitude (highest or lowest point) is refined by golden section, and
every crossing is found by halving between consecutive turns, so a rise and
set that both fall on one side of a culmination are found too.

Each row is one UTC day: the first rise and the first set of that day in
minutes after 00:00 UT (-1 when there is none), and the altitude nearest the
horizon that any turn reaches from three hours before the day to three
hours after it, in degrees: where that is tiny, the two ephemerides may
legitimately disagree on whether the Moon clears the horizon at all, and the
test leaves the day out (its rule is stated there).

Days chosen for each site and year: every day whose nearest turn lies within
0.3 degree of the horizon (where a rise and a set may both lie on one side of
a culmination), some of those within 2 degrees spread through the year, a few
others, and the days named in REQUIRED_DAYS.

Run with Debian's Python: /usr/bin/python3 tools/moon_events_reference.py
"""

import argparse
import datetime
import math
from pathlib import Path

import ephem

from converter_common import REPO_ROOT, write_ascii_lines

SITES = [
    # name, latitude (north positive), longitude (east positive), degrees
    ("Alert", 82.50, -62.35),
    ("Longyearbyen", 78.2232, 15.6267),
    ("Utqiagvik", 71.2906, -156.7887),
    ("Tromso", 69.6492, 18.9553),
    ("McMurdo", -77.8419, 166.6863),
]
YEARS = [2017, 2019, 2021, 2023, 2025, 2027, 2030]
GRAZING_DAYS = 10  # per site and year
OTHER_DAYS = 4
GRAZING_DEGREES = 2.0
SKIMMING_DEGREES = 0.3
# A day whose rise and second set both come before the culmination.
REQUIRED_DAYS = {("Alert", datetime.date(2025, 7, 2))}

STEP = 10.0 / 1440.0  # days
SETTLED = 0.5 / 86400.0  # days
MARGIN = 3.0 / 24.0  # days either side of a day in which turns count
DUBLIN_JD = 2415020.0  # PyEphem counts days from noon of 1899-12-31
GOLDEN = (math.sqrt(5.0) - 1.0) / 2.0


class Sky:
    """The Moon's topocentric altitude (degrees) at a Julian day (UT)."""

    def __init__(self, latitude, longitude):
        self.observer = ephem.Observer()
        self.observer.lat = ephem.degrees(math.radians(latitude))
        self.observer.lon = ephem.degrees(math.radians(longitude))
        self.observer.elevation = 30.0
        self.observer.pressure = 0.0
        self.moon = ephem.Moon()

    def altitude(self, jd):
        self.observer.date = ephem.Date(jd - DUBLIN_JD)
        self.moon.compute(self.observer)
        return math.degrees(self.moon.alt)


def refine_turn(sky, a, b, highest):
    """Golden-section search for the turn inside [a, b]: (moment, altitude)."""
    sign = -1.0 if highest else 1.0
    f = lambda t: sign * sky.altitude(t)
    c = b - GOLDEN * (b - a)
    d = a + GOLDEN * (b - a)
    fc, fd = f(c), f(d)
    while b - a > SETTLED:
        if fc < fd:
            b, d, fd = d, c, fc
            c = b - GOLDEN * (b - a)
            fc = f(c)
        else:
            a, c, fc = c, d, fd
            d = a + GOLDEN * (b - a)
            fd = f(d)
    t = (a + b) / 2.0
    return t, sky.altitude(t)


def halve(sky, a, b):
    """The horizon crossing between a and b, whose altitudes lie either side of 0."""
    below_a = sky.altitude(a) < 0.0
    while b - a > SETTLED:
        middle = (a + b) / 2.0
        if (sky.altitude(middle) < 0.0) == below_a:
            a = middle
        else:
            b = middle
    return (a + b) / 2.0


def scan(sky, start, end):
    """Turns [(moment, altitude)] and crossings [(moment, rising)] from start to end."""
    count = int((end - start) / STEP) + 1
    moments = [start + k * STEP for k in range(count)]
    altitudes = [sky.altitude(t) for t in moments]
    turns = []
    for k in range(1, count - 1):
        before, here, after = altitudes[k - 1], altitudes[k], altitudes[k + 1]
        if before < here >= after:
            turns.append(refine_turn(sky, moments[k - 1], moments[k + 1], True))
        elif before > here <= after:
            turns.append(refine_turn(sky, moments[k - 1], moments[k + 1], False))
    ends = [start] + [t for t, _ in turns] + [moments[-1]]
    crossings = []
    for a, b in zip(ends, ends[1:]):
        alt_a, alt_b = sky.altitude(a), sky.altitude(b)
        if (alt_a < 0.0) != (alt_b < 0.0):
            crossings.append((halve(sky, a, b), alt_a < 0.0))
    return turns, crossings


def julian_day(date):
    return date.toordinal() + 1721424.5


def spread(days, count):
    """`count` of the days, evenly through the list."""
    if len(days) <= count:
        return list(days)
    return [days[round(k * (len(days) - 1) / (count - 1))] for k in range(count)]


def site_rows(name, latitude, longitude, year):
    sky = Sky(latitude, longitude)
    first = datetime.date(year, 1, 1)
    last = datetime.date(year, 12, 31)
    turns, crossings = scan(sky, julian_day(first) - 1.0, julian_day(last) + 2.0)
    days = {}
    day = first
    while day <= last:
        start = julian_day(day)
        in_day = [(t, rising) for t, rising in crossings if start <= t < start + 1.0]
        rise = next((t for t, rising in in_day if rising), None)
        set_ = next((t for t, rising in in_day if not rising), None)
        near = [abs(alt) for t, alt in turns if start - MARGIN <= t < start + 1.0 + MARGIN]
        days[day] = (rise, set_, min(near) if near else 90.0, start)
        day += datetime.timedelta(days=1)
    grazing = [d for d, v in days.items() if v[2] < GRAZING_DEGREES]
    others = [d for d, v in days.items() if v[2] >= GRAZING_DEGREES]
    chosen = set(spread(grazing, GRAZING_DAYS)) | set(spread(others, OTHER_DAYS))
    chosen |= {d for d, v in days.items() if v[2] < SKIMMING_DEGREES}
    chosen |= {d for site, d in REQUIRED_DAYS if site == name and d.year == year}
    rows = []
    for d in sorted(chosen):
        rise, set_, closest, start = days[d]
        minutes = lambda t: "-1" if t is None else f"{(t - start) * 1440.0:.2f}"
        rows.append(f"{name},{latitude:.4f},{longitude:.4f},{d.isoformat()},"
                    f"{minutes(rise)},{minutes(set_)},{closest:.4f}")
    return rows


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=str(REPO_ROOT / "tests" / "find" / "data"
                                                / "moon_events_reference.csv"))
    arguments = parser.parse_args()
    lines = ["site,latitude,longitude,date,rise,set,closest"]
    for name, latitude, longitude in SITES:
        for year in YEARS:
            lines.extend(site_rows(name, latitude, longitude, year))
    write_ascii_lines(Path(arguments.output), lines)


if __name__ == "__main__":
    main()
