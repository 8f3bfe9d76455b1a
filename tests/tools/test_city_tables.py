"""The committed city texts are what the converter makes, in the form the program reads."""

import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
TOOLS = REPO / "tools"
BUILD_DATA = REPO / "data" / "ZQData" / "Build Data"
KIT = REPO.parent / "shared" / "data"
FILES = ("BuildUSCity.txt", "BuildWorldCity.txt")

sys.path.insert(0, str(TOOLS))
from make_city_tables import cut, degrees_and_minutes, number_text, table_name, transliterate  # noqa: E402


def row(name, ascii_name="", region="", country="XX"):
    return {"geonameid": "1", "name": name, "ascii_name": ascii_name or name, "admin1": region,
            "country": country}


class CityTables(unittest.TestCase):
    def test_names_keep_mac_roman_letters_and_lose_only_what_it_lacks(self):
        self.assertEqual(transliterate("Zürich", "Zurich"), "Zürich")
        self.assertEqual(transliterate("Łódź", "Lodz"), "Lódz")
        self.assertEqual(transliterate("Hải Phòng", "Hai Phong"), "Hai Phòng")
        self.assertEqual(transliterate("Ørsta", "Orsta"), "Ørsta")
        self.assertEqual(transliterate("東京", "Tokyo"), "Tokyo")

    def test_names_fit_31_bytes_with_the_region_only_when_whole(self):
        self.assertEqual(table_name(row("Springfield", region="IL"), "admin1"), "Springfield, IL")
        long_name = "San Buenaventura de los Reyes del Norte"
        self.assertEqual(table_name(row(long_name, region="CA"), "admin1"), "San Buenaventura de los Reyes d")
        self.assertEqual(cut("Ab cdé", 4), "Ab c")
        self.assertEqual(cut("Ab cdé", 3), "Ab")
        self.assertEqual(len(table_name(row("Ñ" * 40), "country").encode("mac_roman")), 31)

    def test_places_round_to_the_nearest_minute_and_offsets_read_plainly(self):
        self.assertEqual(degrees_and_minutes(-33.86785), (33, 52))
        self.assertEqual(degrees_and_minutes(10.9999), (11, 0))
        self.assertEqual([number_text(v) for v in (10.0, -5.0, 5.5, 5.75, -0.0)], ["10", "-5", "5.5", "5.75", "0"])

    def test_committed_texts_read_as_the_program_reads_them(self):
        for name in FILES:
            lines = (BUILD_DATA / name).read_bytes().split(b"\n")
            self.assertEqual(lines[-1], b"")
            count = int(lines[0].split(b"\t")[0])
            self.assertEqual(count, len(lines) - 2, name)
            for line in lines[1:-1]:
                fields = line.split(b"\t")
                self.assertEqual(len(fields), 8, line)
                self.assertLessEqual(len(fields[0]), 31, line)
                fields[0].decode("mac_roman")
                self.assertIn(fields[3], (b"N", b"S"))
                self.assertIn(fields[6], (b"E", b"W"))
                latitude = int(fields[1]) + int(fields[2]) / 60
                longitude = int(fields[4]) + int(fields[5]) / 60
                self.assertTrue(latitude <= 90 and longitude <= 180 and int(fields[2]) < 60, line)
                self.assertTrue(-12 <= float(fields[7]) <= 14, line)

    @unittest.skipUnless(KIT.is_dir(), "no data kit beside the repository")
    def test_converter_reproduces_committed_files(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, str(TOOLS / "make_city_tables.py"), str(KIT), "--output", out],
                           check=True, capture_output=True)
            for name in FILES:
                self.assertEqual((Path(out) / "Build Data" / name).read_bytes(), (BUILD_DATA / name).read_bytes(),
                                 name)


if __name__ == "__main__":
    unittest.main()
