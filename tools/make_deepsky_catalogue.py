#!/usr/bin/env python3
"""Writes "Build Data/BuildDeepSky.txt": the deep-sky catalogue, from OpenNGC.

Line 1 holds the object count (and, in fields the reader ignores, the
licence: the file is derived from OpenNGC and is CC BY-SA 4.0 like it); every
further line is one object in 13 tab-separated fields: designation, Messier
designation, common name, Caldwell number, Herschel list, Arp number, type
code, observing list, constellation, size (major axis, arcmin), magnitude,
J2000 right ascension and declination in degrees.

Entries that OpenNGC marks as duplicates or as non-existent are left out, and
so are the NED components it lists under an entry that is itself in the
catalogue; the list memberships such a left-out entry carries move to the
entry it stands for.
"""

import re

from converter_common import parse_arguments, read_tsv, text_field, write_ascii_lines

TYPE_GALAXY, TYPE_NEBULA, TYPE_OPEN_CLUSTER, TYPE_GLOBULAR, TYPE_OTHER = 0, 1, 2, 3, 4

OPENNGC_TYPES = {
    "G": TYPE_GALAXY, "GPair": TYPE_GALAXY, "GTrpl": TYPE_GALAXY, "GGroup": TYPE_GALAXY,
    "PN": TYPE_NEBULA, "HII": TYPE_NEBULA, "EmN": TYPE_NEBULA, "Neb": TYPE_NEBULA,
    "RfN": TYPE_NEBULA, "SNR": TYPE_NEBULA, "DrkN": TYPE_NEBULA, "Cl+N": TYPE_NEBULA,
    "OCl": TYPE_OPEN_CLUSTER, "*Ass": TYPE_OPEN_CLUSTER,
    "GCl": TYPE_GLOBULAR,
    "*": TYPE_OTHER, "**": TYPE_OTHER, "Nova": TYPE_OTHER, "Other": TYPE_OTHER,
}
LEFT_OUT_TYPES = ("Dup", "NonEx")

LIST_BEST, LIST_ADVANCED = 1, 2
HERSCHEL_400, HERSCHEL_II = 1, 2

# OpenNGC keeps M102 as a duplicate of M101; most atlases give the number to NGC 5866.
M102_OBJECT = "NGC5866"

# OpenNGC's two halves of Serpens.
CONSTELLATION_ALIASES = {"Se1": "Ser", "Se2": "Ser"}

DESIGNATION_LIMIT, MESSIER_LIMIT, NAME_LIMIT, CONSTELLATION_LIMIT = 10, 4, 19, 3

MEMBERSHIPS = ("messier", "caldwell", "herschel400", "herschel2", "arp")

DESIGNATION = re.compile(r"([A-Za-z]+)0*(\d+)(.*)")


def designation(openngc_name):
    """Catalogue designation as the program shows and finds it: "NGC0224" gives "NGC 224"."""
    match = DESIGNATION.fullmatch(openngc_name)
    prefix, number, rest = match.groups()
    if prefix == "M":
        return " "
    return text_field(f"{prefix} {number}{rest}", DESIGNATION_LIMIT)


def common_name(names):
    """The first of the object's common names that fits the name field ("the " dropped)."""
    for name in names.split(","):
        name = name.strip().removeprefix("the ")
        if text_field(name, NAME_LIMIT) != " ":
            return name
    return " "


def master_name(row):
    """Name of the entry a duplicate or NED component stands for, or None."""
    if " NED" in row["name"]:
        return row["name"].split(" ")[0]
    if row["ngc_xref"]:
        return "NGC" + row["ngc_xref"]
    if row["ic_xref"]:
        return "IC" + row["ic_xref"]
    return None


def kept(row):
    return row["type"] not in LEFT_OUT_TYPES and " NED" not in row["name"] and row["ra_j2000_deg"]


def merge_memberships(rows):
    """Moves the list memberships of left-out entries onto the entries they stand for."""
    by_name = {row["name"]: row for row in rows}
    for row in rows:
        if kept(row):
            continue
        name = master_name(row)
        master = by_name.get(name) if name else None
        if master is None or not kept(master):
            continue
        for field in MEMBERSHIPS:
            if row[field] and not master[field]:
                master[field] = row[field]
    by_name[M102_OBJECT]["messier"] = "102"


def herschel_list(row):
    # An object in either of the two copies of the Herschel 400 counts as one of them.
    if row["herschel400"]:
        return HERSCHEL_400
    if row["herschel2"] == "1":
        return HERSCHEL_II
    return 0


def observing_list(row, herschel):
    if row["messier"] or row["caldwell"]:
        return LIST_BEST
    if herschel:
        return LIST_ADVANCED
    return 0


def optional_number(text):
    return f"{float(text):.2f}" if text else ""


def object_line(row):
    herschel = herschel_list(row)
    magnitude = row["v_mag"] or row["b_mag"]
    constellation = CONSTELLATION_ALIASES.get(row["con"], row["con"])
    return "\t".join((
        designation(row["name"]),
        text_field(f"M{int(row['messier'])}" if row["messier"] else "", MESSIER_LIMIT),
        common_name(row["common_names"]),
        str(int(row["caldwell"] or 0)),
        str(herschel),
        str(int(row["arp"] or 0)),
        str(OPENNGC_TYPES[row["type"]]),
        str(observing_list(row, herschel)),
        text_field(constellation, CONSTELLATION_LIMIT),
        optional_number(row["maj_ax_arcmin"]),
        optional_number(magnitude),
        f"{float(row['ra_j2000_deg']):.6f}",
        f"{float(row['dec_j2000_deg']):.6f}"))


def main():
    source, output = parse_arguments(__doc__.splitlines()[0])
    rows = read_tsv(source / "deepsky" / "openngc_objects.tsv")
    merge_memberships(rows)
    objects = [object_line(row) for row in rows if kept(row)]
    lines = [f"{len(objects)}\tobjects\tfrom OpenNGC (c) Mattia Verga, CC BY-SA 4.0; this file is "
             "CC BY-SA 4.0 too; see CREDITS.md"]
    write_ascii_lines(output / "Build Data" / "BuildDeepSky.txt", lines + objects)
    print(f"BuildDeepSky.txt: {len(objects)} objects")


if __name__ == "__main__":
    main()
