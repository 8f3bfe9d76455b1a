"""The shipped star list, in the order of "BuildStar.txt".

The Yale Bright Star Catalogue comes first, in HR order; the Hipparcos stars
of the d3-celestial list that the Bright Star Catalogue lacks follow in HIP
order; a constellation-figure star found in neither would come last. The
constellation table indexes into this order, so both converters build the
list through this module.
"""

import bisect
import math
from dataclasses import dataclass

from converter_common import read_tsv, separation_arcsec, text_field

# Two entries this close are one star: the nearest distinct pairs in the two
# catalogues are 8" apart, every same-star pair is within 4.1".
SAME_STAR_ARCSEC = 6.0

# A Hipparcos entry replaces the Bright Star Catalogue's place and proper
# motion only when it is plainly the same star.
HIPPARCOS_MATCH_ARCSEC = 30.0
HIPPARCOS_MATCH_MAG = 0.5

# The 57 selected stars of the nautical almanacs, plus Polaris: the alignment stars.
NAVIGATIONAL_STARS = (
    "Acamar", "Achernar", "Acrux", "Adhara", "Aldebaran", "Alioth", "Alkaid", "Alnair",
    "Alnilam", "Alphard", "Alphecca", "Alpheratz", "Altair", "Ankaa", "Antares", "Arcturus",
    "Atria", "Avior", "Bellatrix", "Betelgeuse", "Canopus", "Capella", "Deneb", "Denebola",
    "Diphda", "Dubhe", "Elnath", "Eltanin", "Enif", "Fomalhaut", "Gacrux", "Gienah", "Hadar",
    "Hamal", "Kaus Australis", "Kochab", "Markab", "Menkar", "Menkent", "Miaplacidus",
    "Mirfak", "Nunki", "Peacock", "Polaris", "Pollux", "Procyon", "Rasalhague", "Regulus",
    "Rigel", "Rigil Kentaurus", "Sabik", "Schedar", "Shaula", "Sirius", "Spica", "Suhail",
    "Vega", "Zubenelgenubi",
)

# Dates on which the IAU approved the star names of its NameExoWorlds campaigns.
EXOPLANET_HOST_NAME_DATES = ("2015-12-15", "2019-12-17")

# Best doubles: a companion listed by the Bright Star Catalogue at 2" to 40",
# at most 3 magnitudes fainter, around a star of V 5.0 or brighter.
BEST_DOUBLE_SEPARATION = (2.0, 40.0)
BEST_DOUBLE_DELTA_MAG = 3.0
BEST_DOUBLE_MAG_LIMIT = 5.0

TYPE_DOUBLE = 1
TYPE_VARIABLE = 2
TYPE_HAS_PLANET = 4
TYPE_BEST_DOUBLE = 5
TYPE_ALIGNMENT_ALL_MOUNTS = 9

# Hipparcos variability types (field H52) that mean a variable star:
# periodic, unsolved, colour revised for variability.
HIPPARCOS_VARIABLE_TYPES = ("P", "U", "R")

GREEK_ABBREVIATIONS = {
    "α": "Alp", "β": "Bet", "γ": "Gam", "δ": "Del", "ε": "Eps", "ζ": "Zet", "η": "Eta",
    "θ": "The", "ι": "Iot", "κ": "Kap", "λ": "Lam", "μ": "Mu", "ν": "Nu", "ξ": "Xi",
    "ο": "Omi", "π": "Pi", "ρ": "Rho", "σ": "Sig", "τ": "Tau", "υ": "Ups", "φ": "Phi",
    "χ": "Chi", "ψ": "Psi", "ω": "Ome",
}

SPECTRAL_CLASSES = "OBAFGKMLTCSNRWD"

SAO_LIMIT, BAYER_LIMIT, NAME_LIMIT, SPECTRAL_LIMIT = 6, 10, 14, 2


@dataclass
class Star:
    hr: str
    hip: str
    sao: str
    bayer: str
    name: str
    mag: float
    spectral: str
    type: int
    ra: float
    dec: float
    pm_ra: float
    pm_dec: float


def spectral_class(sp_type):
    """The MK letter and its subclass digit ("gK0" gives "K0", "kA2hA5mA7V" gives "A2")."""
    for position, letter in enumerate(sp_type):
        if letter in SPECTRAL_CLASSES:
            following = sp_type[position + 1:position + 2]
            return letter + following if following.isdigit() else letter
    return " "


def ra_rate(pm_ra_cosdec, dec_degrees):
    """Rate of right ascension itself (mas of RA per year) from the great-circle rate."""
    return pm_ra_cosdec / math.cos(math.radians(dec_degrees))


def d3_bayer(row):
    greek = row["bayer_greek"]
    letter = GREEK_ABBREVIATIONS.get(greek[:1], greek[:1])
    if letter:
        return f"{letter}{greek[1:]} {row['con']}"
    if row["flamsteed"]:
        return f"{row['flamsteed']} {row['con']}"
    return ""


def bsc_bayer(row):
    if row["bayer"]:
        return f"{row['bayer']}{row['bayer_sup']} {row['con']}"
    if row["flamsteed"]:
        return f"{row['flamsteed']} {row['con']}"
    return ""


class SkyIndex:
    """Nearest-neighbour search among places, by declination bands."""

    def __init__(self, places):
        self.entries = sorted((dec, ra, key) for key, (ra, dec) in places)
        self.decs = [entry[0] for entry in self.entries]

    def nearest(self, ra, dec, radius_arcsec):
        best = None
        band = radius_arcsec / 3600.0
        position = bisect.bisect_left(self.decs, dec - band)
        while position < len(self.entries) and self.entries[position][0] <= dec + band:
            other_dec, other_ra, key = self.entries[position]
            distance = separation_arcsec(ra, dec, other_ra, other_dec)
            if distance <= radius_arcsec and (best is None or distance < best[0]):
                best = (distance, key)
            position += 1
        return best


class StarListBuilder:
    def __init__(self, source):
        stars = source / "stars"
        self.bright = read_tsv(stars / "bsc5_stars.tsv")
        self.faint = sorted(read_tsv(stars / "stars_hip_to_8p5.tsv"), key=lambda r: int(r["hip"]))
        self.hipparcos = {row["hip"]: row for row in read_tsv(stars / "hipparcos_v7.tsv")}
        self.names_by_hip = {}
        self.names_by_hr = {}
        self.hr_of_name = {}
        self.planet_hosts = set()
        for row in read_tsv(stars / "iau_star_names.tsv"):
            if row["hip"]:
                self.names_by_hip.setdefault(row["hip"], row["name_ascii"])
                if row["approval_date"] in EXOPLANET_HOST_NAME_DATES:
                    self.planet_hosts.add(row["hip"])
            if row["designation"].startswith("HR "):
                self.names_by_hr.setdefault(row["designation"][3:], row["name_ascii"])
                self.hr_of_name[row["name_ascii"]] = row["designation"][3:]
        hip_by_name = {name: hip for hip, name in self.names_by_hip.items()}
        self.alignment_stars = {hip_by_name[name] for name in NAVIGATIONAL_STARS}
        self.figure_ends = read_tsv(source / "constellations" / "constellation_lines.tsv")

    def build(self):
        """Every star in shipping order."""
        hip_of_bright, duplicates = self._pair_catalogues()
        stars = [self._bright_star(row, hip_of_bright.get(row["hr"], "")) for row in self.bright]
        stars += [self._faint_star(row) for row in self.faint if row["hip"] not in duplicates]
        self._add_missing_figure_stars(stars)
        self._keep_names_unique(stars)
        return stars

    def _keep_names_unique(self, stars):
        """A name shared by the components of one HIP entry stays with one star only:
        the one the IAU designation names, else the brightest."""
        holders = {}
        for star in stars:
            if star.name != " ":
                holders.setdefault(star.name, []).append(star)
        for name, group in holders.items():
            if len(group) < 2:
                continue
            designated = [star for star in group if star.hr == self.hr_of_name.get(name)]
            keeper = designated[0] if designated else min(group, key=lambda star: star.mag)
            for star in group:
                if star is not keeper:
                    star.name = " "

    def _pair_catalogues(self):
        """HIP number of each bright star, and the faint-list entries that repeat a bright star.

        A faint-list star repeats a bright one when it has the bright star's HIP or
        HD number, or lies within SAME_STAR_ARCSEC of it; a bright star without an
        HIP number takes that of the nearest such neighbour.
        """
        hip_of_bright = {row["hr"]: row["hip_via_hd"] for row in self.bright if row["hip_via_hd"]}
        bright_hips = set(hip_of_bright.values())
        bright_hds = {row["hd"] for row in self.bright if row["hd"]}
        index = SkyIndex((row["hr"], (float(row["ra_j2000_deg"]), float(row["dec_j2000_deg"])))
                         for row in self.bright)
        duplicates = set()
        nearest = {}
        for row in self.faint:
            if row["hip"] in bright_hips or (row["hd"] and row["hd"] in bright_hds):
                duplicates.add(row["hip"])
                continue
            hit = index.nearest(float(row["ra_j2000_deg"]), float(row["dec_j2000_deg"]),
                                SAME_STAR_ARCSEC)
            if hit is not None:
                duplicates.add(row["hip"])
                distance, hr = hit
                if hr not in nearest or distance < nearest[hr][0]:
                    nearest[hr] = (distance, row["hip"])
        for hr, (_, hip) in nearest.items():
            hip_of_bright.setdefault(hr, hip)
        return hip_of_bright, duplicates

    def _hipparcos_place(self, hip, ra, dec, mag):
        """The Hipparcos entry of `hip` when it is plainly the star at (ra, dec) of magnitude mag."""
        entry = self.hipparcos.get(hip)
        if entry is None:
            return None
        if abs(float(entry["vmag"]) - mag) > HIPPARCOS_MATCH_MAG:
            return None
        if separation_arcsec(ra, dec, float(entry["ra_j2000_deg"]),
                             float(entry["dec_j2000_deg"])) > HIPPARCOS_MATCH_ARCSEC:
            return None
        return entry

    def _name(self, hip, hr=""):
        return text_field(self.names_by_hip.get(hip) or self.names_by_hr.get(hr, ""), NAME_LIMIT)

    def _editorial_type(self, hip, best_double, double, variable):
        """One code per star; the editorial marks win over the catalogue's flags."""
        if hip in self.alignment_stars:
            return TYPE_ALIGNMENT_ALL_MOUNTS
        if best_double:
            return TYPE_BEST_DOUBLE
        if hip in self.planet_hosts:
            return TYPE_HAS_PLANET
        return (TYPE_DOUBLE if double else 0) + (TYPE_VARIABLE if variable else 0)

    def _bright_star(self, row, hip):
        ra, dec = float(row["ra_j2000_deg"]), float(row["dec_j2000_deg"])
        mag = float(row["vmag"])
        pm_ra, pm_dec = float(row["pm_ra_cosdec_mas_yr"] or 0), float(row["pm_dec_mas_yr"] or 0)
        entry = self._hipparcos_place(hip, ra, dec, mag)
        if entry is not None:
            ra, dec = float(entry["ra_j2000_deg"]), float(entry["dec_j2000_deg"])
            pm_ra, pm_dec = float(entry["pm_ra_cosdec_mas_yr"]), float(entry["pm_dec_mas_yr"])
        variable_id = row["var_id"]
        # Plain numbers are entries of the catalogue of suspected variables.
        variable = bool(variable_id) and variable_id != "Var?" and not variable_id.isdigit()
        separation = float(row["sep_arcsec"]) if row["sep_arcsec"] else 0.0
        delta_mag = float(row["dmag"]) if row["dmag"] else None
        best_double = (delta_mag is not None and delta_mag <= BEST_DOUBLE_DELTA_MAG
                       and BEST_DOUBLE_SEPARATION[0] <= separation <= BEST_DOUBLE_SEPARATION[1]
                       and mag <= BEST_DOUBLE_MAG_LIMIT)
        return Star(
            hr=row["hr"], hip=hip,
            sao=text_field(row["sao"], SAO_LIMIT),
            bayer=text_field(bsc_bayer(row), BAYER_LIMIT),
            name=self._name(hip, row["hr"]),
            mag=mag,
            spectral=spectral_class(row["sp_type"]),
            type=self._editorial_type(hip, best_double, bool(row["multiple_code"]), variable),
            ra=ra, dec=dec, pm_ra=ra_rate(pm_ra, dec), pm_dec=pm_dec)

    def _faint_star(self, row):
        hip = row["hip"]
        ra, dec = float(row["ra_j2000_deg"]), float(row["dec_j2000_deg"])
        mag = float(row["vmag"])
        pm_ra = pm_dec = 0.0
        spectral = " "
        double = False
        variable = bool(row["variable"])
        entry = self._hipparcos_place(hip, ra, dec, mag)
        if entry is not None:
            ra, dec = float(entry["ra_j2000_deg"]), float(entry["dec_j2000_deg"])
            pm_ra, pm_dec = float(entry["pm_ra_cosdec_mas_yr"]), float(entry["pm_dec_mas_yr"])
            spectral = spectral_class(entry["sp_type"])
            double = bool(entry["multiple_flag"])
            variable = variable or entry["hvar_type"] in HIPPARCOS_VARIABLE_TYPES
        return Star(
            hr="", hip=hip, sao=" ",
            bayer=text_field(d3_bayer(row), BAYER_LIMIT),
            name=self._name(hip),
            mag=mag, spectral=spectral,
            type=self._editorial_type(hip, False, double, variable),
            ra=ra, dec=dec, pm_ra=ra_rate(pm_ra, dec), pm_dec=pm_dec)

    def _add_missing_figure_stars(self, stars):
        """A constellation-figure star that no catalogue entry stands for is added at the end."""
        by_hr = {star.hr for star in stars if star.hr}
        by_hip = {star.hip for star in stars if star.hip}
        for line in self.figure_ends:
            for end in ("1", "2"):
                hr, hip = line["hr" + end], line["hip" + end]
                if (hr and hr in by_hr) or (hip and hip in by_hip):
                    continue
                ra = float(line[f"ra{end}_j2000_deg"])
                dec = float(line[f"dec{end}_j2000_deg"])
                stars.append(Star(hr=hr, hip=hip, sao=" ", bayer=" ", name=self._name(hip, hr),
                                  mag=float(line["vmag" + end]), spectral=" ", type=0,
                                  ra=ra, dec=dec, pm_ra=0.0, pm_dec=0.0))
                by_hr.add(hr)
                by_hip.add(hip)


def build_star_list(source):
    """The stars of "BuildStar.txt", in file order, from the data kit at `source`."""
    return StarListBuilder(source).build()


def star_indexes(stars):
    """Index of each star by HR number and by HIP number."""
    by_hr = {}
    by_hip = {}
    for index, star in enumerate(stars):
        if star.hr:
            by_hr.setdefault(star.hr, index)
        if star.hip:
            by_hip.setdefault(star.hip, index)
    return by_hr, by_hip
