"""The committed deep-star zone files are what the converter makes, and the reader can read them."""

import filecmp
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
TOOLS = REPO / "tools"
COMMITTED = REPO / "data" / "ZQData" / "HT2Stars"
KIT = REPO.parent / "shared" / "data"
TYCHO_SUBSET_STARS = 1871011

sys.path.insert(0, str(TOOLS))
from make_deep_star_zones import zone_file_name, zone_of  # noqa: E402


class DeepStarZones(unittest.TestCase):
    def test_band_edges_fall_in_one_zone(self):
        cases = [(90.0, 29), (70.0, 29), (69.99999, 28), (5.0, 16), (0.0, 15),
                 (-0.00001, 0), (-5.0, 0), (-5.00001, 1), (-70.0, 13), (-70.00001, 14),
                 (-90.0, 14)]
        for dec, zone in cases:
            self.assertEqual(zone_of(dec), zone, dec)
        self.assertEqual([zone_file_name(z) for z in (0, 14, 15, 29)],
                         ["ccm00.txt", "ccm70.txt", "ccp00.txt", "ccp70.txt"])

    def test_committed_lines_parse_sorted_within_their_band(self):
        total = 0
        for zone in range(30):
            last_ra = -1.0
            with open(COMMITTED / zone_file_name(zone), "rb") as handle:
                for raw in handle:
                    mag, ra, dec = (float(f) for f in raw.decode("ascii").rstrip("\n").split("\t"))
                    self.assertEqual(zone_of(dec), zone)
                    self.assertTrue(0.0 <= ra < 360.0 and ra >= last_ra and -2.0 < mag < 16.0)
                    last_ra = ra
                    total += 1
        self.assertEqual(total, TYCHO_SUBSET_STARS)

    @unittest.skipUnless(KIT.is_dir(), "no data kit beside the repository")
    def test_converter_reproduces_committed_files(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, str(TOOLS / "make_deep_star_zones.py"), str(KIT),
                            "--output", out], check=True, capture_output=True)
            names = [zone_file_name(z) for z in range(30)]
            match, mismatch, errors = filecmp.cmpfiles(Path(out) / "HT2Stars", COMMITTED, names,
                                                       shallow=False)
            self.assertEqual((mismatch, errors), ([], []))


if __name__ == "__main__":
    unittest.main()
