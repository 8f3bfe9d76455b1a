#!/usr/bin/env python3
"""Writes "Build Data/BuildUSCity.txt" and "Build Data/BuildWorldCity.txt".

The Setup tab's city tables, from the GeoNames extracts of the data kit
(cities/us_cities_geonames.tsv, cities/world_cities_geonames.tsv; GeoNames.org,
CC BY 4.0). Each file is Mac OS Roman text with line-feed ends: line 1 holds
the number of cities and the attribution, then one city a line with eight
TAB-separated fields: name, latitude degrees and minutes, N or S, longitude
degrees and minutes, E or W, and the zone's standard offset from GMT in hours.

Names keep every letter Mac OS Roman has; other letters lose their accents
or are spelt out (a few by a table), and a name that still cannot be written
takes GeoNames' ASCII spelling. A name carries ", " and its state (US) or its
country code (world) when the whole fits, to tell apart cities of one name. No name is longer than 31 bytes. Places are rounded to the
nearest arc minute. Cities are sorted by name so the user finds them.
"""

import sys
import unicodedata

from converter_common import parse_arguments, read_tsv, write_bytes

NAME_BYTES = 31
ENCODING = "mac_roman"
ATTRIBUTION = "cities from GeoNames.org, CC BY 4.0"

TABLES = (
    ("cities/us_cities_geonames.tsv", "Build Data/BuildUSCity.txt", "admin1"),
    ("cities/world_cities_geonames.tsv", "Build Data/BuildWorldCity.txt", "country"),
)

# Letters with no Mac OS Roman form and no accent to drop.
SPELLED = {
    "ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ð": "d", "Ð": "D", "þ": "th", "Þ": "Th",
    "ħ": "h", "Ħ": "H", "ŀ": "l", "Ŀ": "L", "ŋ": "ng", "Ŋ": "Ng", "ŧ": "t", "Ŧ": "T",
    "ʻ": "'", "ʼ": "'", "ʿ": "'", "ʾ": "'", "‘": "'", "’": "'", "–": "-", "—": "-",
}


class ConversionError(Exception):
    pass


def encodable(text):
    try:
        text.encode(ENCODING)
        return True
    except UnicodeEncodeError:
        return False


def transliterate(name, ascii_name):
    """The name in Mac OS Roman characters, as close to its own spelling as the set allows."""
    letters = []
    for character in unicodedata.normalize("NFC", name):
        if encodable(character):
            letters.append(character)
        elif character in SPELLED:
            letters.append(SPELLED[character])
        else:
            base = "".join(c for c in unicodedata.normalize("NFKD", character)
                           if not unicodedata.combining(c))
            if not base or not encodable(base):
                return ascii_name
            letters.append(base)
    return "".join(letters)


def cut(text, limit):
    """At most `limit` bytes of Mac OS Roman, cut between characters and without trailing blanks."""
    while len(text.encode(ENCODING)) > limit:
        text = text[:-1]
    return text.rstrip()


def table_name(row, region_column):
    name = transliterate(row["name"].strip(), row["ascii_name"].strip())
    if not name or not encodable(name):
        raise ConversionError(f"no Mac OS Roman name for city {row['geonameid']}")
    region = row[region_column].strip()
    if region:
        named = f"{name}, {region}"
        if len(named.encode(ENCODING)) <= NAME_BYTES:
            return named
    return cut(name, NAME_BYTES)


def degrees_and_minutes(value):
    """|value| as whole degrees and whole minutes, rounded to the nearest minute."""
    total = round(abs(value) * 60.0)
    return total // 60, total % 60


def number_text(value):
    """An offset as written by hand: 10, -5, 5.5, 5.75."""
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def city_line(row, region_column):
    latitude = float(row["latitude"])
    longitude = float(row["longitude"])
    offset = float(row["std_utc_offset_h"])
    if not (-90.0 <= latitude <= 90.0 and -180.0 <= longitude <= 180.0 and -12.0 <= offset <= 14.0):
        raise ConversionError(f"city {row['geonameid']} out of range")
    lat_degrees, lat_minutes = degrees_and_minutes(latitude)
    lon_degrees, lon_minutes = degrees_and_minutes(longitude)
    fields = [
        table_name(row, region_column),
        str(lat_degrees), str(lat_minutes), "S" if latitude < 0 else "N",
        str(lon_degrees), str(lon_minutes), "W" if longitude < 0 else "E",
        number_text(offset),
    ]
    return "\t".join(fields)


def sort_key(row):
    return (row["ascii_name"].casefold(), row["name"], row["country"], row["admin1"], row["geonameid"])


def table_bytes(rows, region_column):
    lines = [city_line(row, region_column) for row in sorted(rows, key=sort_key)]
    text = "".join(line + "\n" for line in [f"{len(lines)}\t{ATTRIBUTION}"] + lines)
    return text.encode(ENCODING)


def main():
    source, output = parse_arguments(__doc__.splitlines()[0])
    try:
        made = [(output / target, table_bytes(read_tsv(source / kit_file), region_column))
                for kit_file, target, region_column in TABLES]
    except (OSError, KeyError, ValueError, ConversionError) as error:
        print(f"make_city_tables: {error}", file=sys.stderr)
        return 1
    for path, data in made:
        write_bytes(path, data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
