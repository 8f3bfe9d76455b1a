"""Helpers shared by the data converters: paths, TSV reading, exact file writing.

Every converter reads the raw data kit (default: ../shared/data beside the
repository) and writes into data/ZQData of the repository. Output must be the
same bytes on every run, so writers take finished byte strings and nothing here
depends on the locale, the clock or dictionary order.
"""

import argparse
import csv
import math
import os
import tempfile
from pathlib import Path

REPO_ROOT = Path(__file__).resolve().parent.parent
DEFAULT_SOURCE = REPO_ROOT.parent / "shared" / "data"
DEFAULT_OUTPUT = REPO_ROOT / "data" / "ZQData"


def parse_arguments(description, needs_source=True):
    """Command line of every converter: the data kit folder and the output folder."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("source", nargs="?", default=str(DEFAULT_SOURCE),
                        help="folder of the raw data kit (default: %(default)s)")
    parser.add_argument("--output", default=str(DEFAULT_OUTPUT),
                        help="the ZQData folder to write into (default: %(default)s)")
    arguments = parser.parse_args()
    source = Path(arguments.source)
    if needs_source and not source.is_dir():
        parser.error(f"no data kit folder at {source}")
    return source, Path(arguments.output)


def read_tsv(path):
    """Rows of a tab-separated table with one header line, as dictionaries."""
    with open(path, encoding="utf-8", newline="") as handle:
        return list(csv.DictReader(handle, delimiter="\t", quoting=csv.QUOTE_NONE))


def write_bytes(path, data):
    """Writes a whole file through a temporary file, so a failure leaves no half file."""
    path.parent.mkdir(parents=True, exist_ok=True)
    handle, temporary = tempfile.mkstemp(dir=path.parent, prefix=".tmp-")
    try:
        with os.fdopen(handle, "wb") as stream:
            stream.write(data)
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def write_ascii_lines(path, lines):
    """Writes text lines, each ended by a line feed; refuses any non-ASCII character."""
    text = "".join(line + "\n" for line in lines)
    write_bytes(path, text.encode("ascii"))


def unit_vector(ra_degrees, dec_degrees):
    """J2000 equatorial unit vector (cos d cos a, cos d sin a, sin d) of a place in degrees."""
    ra = math.radians(ra_degrees)
    dec = math.radians(dec_degrees)
    return (math.cos(dec) * math.cos(ra), math.cos(dec) * math.sin(ra), math.sin(dec))


def separation_arcsec(ra1, dec1, ra2, dec2):
    """Angle between two places given in degrees, in arcseconds."""
    x1, y1, z1 = unit_vector(ra1, dec1)
    x2, y2, z2 = unit_vector(ra2, dec2)
    chord = math.sqrt((x1 - x2) ** 2 + (y1 - y2) ** 2 + (z1 - z2) ** 2)
    return math.degrees(2.0 * math.asin(min(1.0, chord / 2.0))) * 3600.0


def text_field(value, limit):
    """A catalogue text field: the value when it is ASCII and fits, else a single blank.

    The program treats a field whose first character is a blank as empty, so an
    empty value is written as one blank rather than as nothing.
    """
    value = value.strip()
    if not value or len(value) > limit or not value.isascii():
        return " "
    return value
