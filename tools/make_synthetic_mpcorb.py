#!/usr/bin/env python3
"""Write a synthetic orbit file in the MPCORB.DAT layout, of any size.

The file has the shape the importer expects of the real one: a few header
lines, a rule of dashes, the numbered orbits (packed numbers in all three
forms: five digits, a letter and four digits from 100,000 on, a tilde and
four base-62 digits from 620,000 on), an empty separator line, then the
unnumbered orbits under packed provisional designations. Every orbit line
is 202 characters in the Minor Planet Center's one-line orbit format. The
orbits are invented (mostly main-belt, some near-Earth and distant ones,
their brightness spread as the real catalogue's is);
the same seed always gives the same file.
"""

import argparse
import math
import random
import sys

BASE62 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
HALF_MONTH = "ABCDEFGHJKLMNOPQRSTUVWXY"  # provisional designations skip I and Z
LINE_LENGTH = 202
CYCLES = 620  # a packed cycle count runs from 00 to z9


def packed_number(n):
    if n < 100000:
        return "%05d" % n
    if n < 620000:
        return BASE62[n // 10000] + "%04d" % (n % 10000)
    rest = n - 620000
    digits = ""
    for _ in range(4):
        digits = BASE62[rest % 62] + digits
        rest //= 62
    return "~" + digits


def packed_provisional(k):
    """The k-th provisional designation from 2000 on: year, half-month,
    second letter and cycle count, e.g. K15A12B for 2015 AB12."""
    letters = 25 * CYCLES
    year = 2000 + (k // (24 * letters)) % 100
    half_month = HALF_MONTH[(k // letters) % 24]
    cycle, second = divmod(k % letters, 25)
    second_letter = "ABCDEFGHJKLMNOPQRSTUVWXYZ"[second]
    cycle_code = (str(cycle // 10) if cycle < 100 else BASE62[cycle // 10]) + str(cycle % 10)
    packed = "K%02d%s%s%s" % (year % 100, half_month, cycle_code, second_letter)
    readable = "%d %s%s%s" % (year, half_month, second_letter, cycle if cycle else "")
    return packed, readable


def absolute_magnitude(rng):
    """H as the real catalogue has it: the count below H grows about 1.8
    times a magnitude (10^(0.25 H)) up to 19.5, so that only a few percent
    of the orbits can come brighter than a chart's usual limit."""
    return max(3.0, 19.5 + math.log10(1.0 - rng.random()) / 0.25)


def orbit(rng):
    kind = rng.random()
    if kind < 0.04:  # near-Earth
        a = rng.uniform(0.9, 2.2)
        e = rng.uniform(0.1, 0.7)
    elif kind < 0.06:  # distant
        a = rng.uniform(30.0, 60.0)
        e = rng.uniform(0.0, 0.3)
    else:  # main belt
        a = rng.uniform(1.9, 3.6)
        e = rng.uniform(0.0, 0.35)
    return {
        "H": absolute_magnitude(rng),
        "G": 0.15,
        "M": rng.uniform(0.0, 360.0),
        "peri": rng.uniform(0.0, 360.0),
        "node": rng.uniform(0.0, 360.0),
        "incl": rng.uniform(0.0, 35.0),
        "e": e,
        "a": a,
    }


def line(designation, readable, el, rng):
    n = 0.9856076686 / el["a"] ** 1.5
    text = (
        "%-7s %5.2f %5.2f %5s %9.5f  %9.5f  %9.5f  %9.5f  %9.7f %11.8f %11.7f  %1d %-9s %5d %3d %9s %4.2f %3s %3s %-10s %4s %-28s%8s"
        % (designation, el["H"], el["G"], "K25BL", el["M"], el["peri"], el["node"], el["incl"],
           el["e"], n, el["a"], rng.randrange(10), "MPO123456", rng.randrange(5, 9999),
           rng.randrange(1, 40), "2001-2025", rng.uniform(0.1, 0.9), "M-v", "3Ek", "MPCLINUX",
           "0000", readable, "20251101")
    )
    if len(text) != LINE_LENGTH:
        raise ValueError("orbit line of %d characters: %r" % (len(text), text))
    return text


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output", help="file to write, e.g. synthetic_MPCORB.DAT")
    parser.add_argument("--lines", type=int, default=1400000,
                        help="orbit lines in all (default 1,400,000)")
    parser.add_argument("--numbered", type=float, default=0.55,
                        help="share of numbered orbits (default 0.55)")
    parser.add_argument("--seed", type=int, default=1, help="random seed (default 1)")
    args = parser.parse_args()
    if args.lines < 1 or not 0.0 <= args.numbered <= 1.0:
        parser.error("--lines must be positive and --numbered between 0 and 1")

    rng = random.Random(args.seed)
    numbered = int(args.lines * args.numbered)
    with open(args.output, "w", encoding="ascii", newline="\n") as out:
        out.write("SYNTHETIC MINOR-PLANET ORBITS IN THE MPCORB.DAT LAYOUT (invented elements)\n\n")
        out.write("Des'n     H     G   Epoch     M        Peri.      Node       Incl."
                  "       e            n           a        Reference #Obs #Opp    Arc"
                  "    rms  Perts   Computer\n\n")
        out.write("-" * LINE_LENGTH + "\n")
        for number in range(1, numbered + 1):
            readable = "%8s %s" % ("(%d)" % number, "Synthetic")
            out.write(line(packed_number(number), readable, orbit(rng), rng) + "\n")
        out.write("\n")
        for k in range(args.lines - numbered):
            designation, readable = packed_provisional(k)
            out.write(line(designation, "%9s%s" % ("", readable), orbit(rng), rng) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
