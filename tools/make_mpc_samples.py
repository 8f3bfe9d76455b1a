#!/usr/bin/env python3
"""Writes "Build Data/Soft00Cmt.txt", "Soft00Bright.txt" and "Soft00Unusual.txt".

They are real Minor Planet Center element lines from the data kit, so that a
fresh installation shows comets and minor planets before its first download:
the comet elements of 2022-01-28 (one-line comet format), the 300 brightest
numbered minor planets inside 6 AU and 5000 near-Earth objects (one-line orbit
format). The lines are copied unchanged; the converter only checks that the
program will accept every one of them (ASCII, the columns it reads, epochs and
perihelion dates in range) and writes them with line-feed ends.
"""

import re
import sys

from converter_common import parse_arguments, write_bytes

FILES = (
    ("CometEls_2022-01-28.txt", "Soft00Cmt.txt", "comet"),
    ("Soft00Bright_sample.txt", "Soft00Bright.txt", "orbit"),
    ("Soft00Unusual_sample.txt", "Soft00Unusual.txt", "orbit"),
)

ORBIT_LINE_LENGTH = 202


def column(line, first, last):
    """Columns first to last, counted from 1 as the Minor Planet Center counts them."""
    return line[first - 1:last]


LEADING_NUMBER = re.compile(r" *([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)?")


def number(text):
    """The number a field starts with, as the program reads it: no number reads as 0."""
    found = LEADING_NUMBER.match(text).group(1)
    return float(found) if found else 0.0


def comet_problem(line):
    if len(line) < 103:
        return "too short for the name column"
    year, month, day = column(line, 15, 19), column(line, 20, 22), column(line, 23, 31)
    if not (1000 <= number(year) <= 3000 and 1 <= number(month) <= 12
            and 1.0 <= number(day) <= 33.0):
        return "perihelion date out of range"
    return None


def packed_value(character):
    return int(character) if character.isdigit() and character != "0" else ord(character) - 55


def orbit_problem(line):
    if len(line) != ORBIT_LINE_LENGTH:
        return f"not {ORBIT_LINE_LENGTH} characters"
    epoch = column(line, 21, 25)
    century = {"I": 1800, "J": 1900}.get(epoch[0], 2000)
    if not (1000 <= century + number(epoch[1:3]) <= 3000 and 1 <= packed_value(epoch[3]) <= 12
            and 1 <= packed_value(epoch[4]) <= 33):
        return "epoch out of range"
    return None


def checked_lines(path, problem_of):
    text = path.read_bytes().decode("ascii")
    lines = text.splitlines()
    for number, line in enumerate(lines, start=1):
        problem = problem_of(line)
        if problem:
            sys.exit(f"{path}:{number}: {problem}")
    return lines


def main():
    source, output = parse_arguments(__doc__.splitlines()[0])
    for kit_name, shipped_name, kind in FILES:
        lines = checked_lines(source / "mpc" / kit_name,
                              comet_problem if kind == "comet" else orbit_problem)
        write_bytes(output / "Build Data" / shipped_name,
                    "".join(line + "\n" for line in lines).encode("ascii"))
        print(f"{shipped_name}: {len(lines)} {kind} lines")


if __name__ == "__main__":
    main()
