#!/usr/bin/env python3
"""Writes the deep-sky photographs "StockPhotos/<designation>.jpg" and their credits.

The chart draws an object's photograph unturned into the square of its
catalogue size about its chart point, and finds it by the object's designation
("NGC 224.jpg"; an object without one by its Messier number or common name).
So each photograph of the image kit that shows a catalogued object is
resampled into such a square: centred on the object's catalogue place, as wide
as its catalogue size (the photograph's own field when the catalogue gives no
size), north up and east to the left, as the sky is seen. Where a photograph
does not reach the square's edge the sky is left black; an object shown in
several tiles takes each pixel from the first tile that covers it.

Only the kit's photographs under licences that allow redistribution with
attribution are used. The credit list between the two photo-list marks of
CREDITS.md is rewritten; the rest of that file is left as it stands.
"""

import math
import sys
from multiprocessing import Pool

from converter_common import parse_arguments, read_tsv, write_bytes
from image_files import ImageError, encode_jpeg, read_png_file
from image_sampling import Sampler, supersampling_offsets, to_byte
from sky_geometry import dot, homography, tangent_frame, unit_vector

QUALITY = 88
LARGEST_SIDE = 512
SMALLEST_SIDE = 64

LIST_BEGIN = "<!-- photo list: written by tools/make_photos.py -->"
LIST_END = "<!-- end of photo list -->"

LICENCES = {
    "public domain": "",
    "CC0 1.0": "https://creativecommons.org/publicdomain/zero/1.0/",
    "CC BY 3.0": "https://creativecommons.org/licenses/by/3.0/",
    "CC BY 4.0": "https://creativecommons.org/licenses/by/4.0/",
    "CC BY-SA 2.5": "https://creativecommons.org/licenses/by-sa/2.5/",
    "CC BY-SA 3.0": "https://creativecommons.org/licenses/by-sa/3.0/",
    "CC BY-SA 3.0 DE": "https://creativecommons.org/licenses/by-sa/3.0/de/",
    "CC BY-SA 4.0": "https://creativecommons.org/licenses/by-sa/4.0/",
}


def catalogue_objects(path):
    """(designation, Messier, name, size in arcminutes or 0, ra, dec) per catalogue line."""
    objects = []
    for line in path.read_text(encoding="ascii").splitlines()[1:]:
        fields = line.split("\t")
        size = float(fields[9]) if fields[9].strip() else 0.0
        objects.append((fields[0].strip(), fields[1].strip(), fields[2].strip(), size,
                        float(fields[11]), float(fields[12])))
    return objects


def photo_name(obj):
    """The file name the program looks for first: designation, else Messier number, else name."""
    designation, messier, name = obj[:3]
    stem = designation or messier or name
    if not stem or "/" in stem or stem.startswith("."):
        return None
    return stem + ".jpg"


class Tile:
    """One kit photograph placed on the tangent plane about an object."""

    def __init__(self, row, centre_frame):
        self.row = row
        self.width = int(row["width"])
        self.height = int(row["height"])
        point, east, north = centre_frame
        plane = []
        for corner in ("bottom_left", "bottom_right", "top_right", "top_left"):
            s = unit_vector(float(row[f"ra_{corner}"]), float(row[f"dec_{corner}"]))
            c = dot(s, point)
            if c <= 0.0:
                raise ValueError(f"{row['file']}: a corner lies a quarter sphere away")
            plane.append((dot(s, east) / c, dot(s, north) / c))
        pixels = [(0.0, self.height), (self.width, self.height), (self.width, 0.0), (0.0, 0.0)]
        # Tangent plane (east, north, radians) -> photograph pixel (x right, y down).
        self.to_pixel = homography(plane, pixels)

    def pixel(self, east, north):
        h = self.to_pixel
        w = h[2][0] * east + h[2][1] * north + h[2][2]
        if w <= 0.0:
            return None
        return ((h[0][0] * east + h[0][1] * north + h[0][2]) / w,
                (h[1][0] * east + h[1][1] * north + h[1][2]) / w)

    def covers(self, east, north):
        place = self.pixel(east, north)
        return place is not None and 0.0 <= place[0] <= self.width and 0.0 <= place[1] <= self.height

    def pixels_per_radian(self):
        x0, y0 = self.pixel(0.0, 0.0)
        x1, y1 = self.pixel(1e-4, 0.0)
        x2, y2 = self.pixel(0.0, 1e-4)
        return max(math.hypot(x1 - x0, y1 - y0), math.hypot(x2 - x0, y2 - y0)) / 1e-4

    def field(self):
        """The shorter side of the photograph, in radians."""
        return min(self.width, self.height) / self.pixels_per_radian()


def rgb_of(path):
    """The photograph as RGB bytes; transparency is laid over a black sky."""
    width, height, channels, pixels = read_png_file(path)
    if channels == 3:
        return width, height, pixels
    if channels == 1:
        return width, height, bytearray(v for v in pixels for _ in range(3))
    rgb = bytearray(width * height * 3)
    for i in range(width * height):
        alpha = pixels[channels * i + channels - 1]
        for c in range(3):
            value = pixels[channels * i + (c if channels == 4 else 0)]
            rgb[3 * i + c] = (value * alpha + 127) // 255
    return width, height, rgb


def render(task):
    """One object -> (file name, JPEG bytes, side); task = (name, object, rows, kit folder)."""
    name, obj, rows, folder = task
    frame = tangent_frame(obj[4], obj[5])
    tiles = [Tile(row, frame) for row in rows]
    samplers = []
    for tile in tiles:
        width, height, rgb = rgb_of(folder / tile.row["file"])
        if (width, height) != (tile.width, tile.height):
            raise ImageError(f"{tile.row['file']}: size differs from the index")
        samplers.append(Sampler(width, height, 3, rgb))
    field = math.radians(obj[3] / 60.0) if obj[3] > 0.0 else tiles[0].field()
    resolution = max(tile.pixels_per_radian() for tile in tiles)
    side = min(LARGEST_SIDE, max(SMALLEST_SIDE, round(field * resolution)))
    step = field / side
    count = max(1, min(4, math.ceil(field * resolution / side - 0.05)))
    offsets = supersampling_offsets(count)
    out = bytearray(side * side * 3)
    for j in range(side):
        for i in range(side):
            red = green = blue = 0.0
            for sx, sy in offsets:
                east = -(i + sx - side / 2.0) * step
                north = (side / 2.0 - (j + sy)) * step
                for tile, sampler in zip(tiles, samplers):
                    place = tile.pixel(east, north)
                    value = sampler.sample(*place) if place is not None else None
                    if value is not None:
                        red += value[0]
                        green += value[1]
                        blue += value[2]
                        break
            k = 3 * (j * side + i)
            out[k] = to_byte(red / len(offsets))
            out[k + 1] = to_byte(green / len(offsets))
            out[k + 2] = to_byte(blue / len(offsets))
    return name, encode_jpeg(side, side, out, QUALITY), side


def matched_photographs(objects, rows):
    """(file name, object, index rows) for every object a usable photograph shows, in catalogue order."""
    by_designation = {}
    for position, obj in enumerate(objects):
        for key in obj[:2]:
            if key:
                by_designation.setdefault(key, []).append(position)
    rows_of = {}
    for row in rows:
        if row["licence"] not in LICENCES:
            print(f"left out {row['file']}: licence {row['licence']!r}")
            continue
        positions = set()
        for designation in row["designations"].split(";"):
            positions.update(by_designation.get(designation.strip(), []))
        for position in positions:
            rows_of.setdefault(position, []).append(row)
    matched = []
    names = set()
    for position in sorted(rows_of):
        obj = objects[position]
        name = photo_name(obj)
        frame = tangent_frame(obj[4], obj[5])
        covering = [row for row in rows_of[position] if Tile(row, frame).covers(0.0, 0.0)]
        if name is None or not covering:
            print(f"left out {obj[0] or obj[1]}: no photograph covers its catalogue place")
            continue
        if name in names:
            print(f"left out {obj[0] or obj[1]}: {name} is taken")
            continue
        names.add(name)
        matched.append((name, obj, covering))
    return matched


def credit_lines(matched):
    lines = []
    for name, obj, rows in matched:
        for row in rows:
            licence = row["licence"]
            link = LICENCES[licence]
            text = f'- "{name}" ({row["designation_source"]}): {row["credit"]}; {licence}'
            if link:
                text += f" ({link})"
            if row["info_url"]:
                text += f"; original: {row['info_url']}"
            lines.append(text + ".")
    return lines


def rewrite_credits(path, lines):
    text = path.read_text(encoding="utf-8")
    begin = text.find(LIST_BEGIN)
    end = text.find(LIST_END)
    if begin < 0 or end < begin:
        sys.exit(f"{path}: the photo-list marks are missing")
    head = text[:begin + len(LIST_BEGIN)]
    new = head + "\n" + "\n".join(lines) + "\n" + text[end:]
    write_bytes(path, new.encode("utf-8"))


# Objects every run must find a photograph of (M31, the Pleiades, M42), and how
# many photographs at least: fewer means the matching against the catalogue broke.
EXPECTED_PHOTOS = ("NGC 224.jpg", "Mel 22.jpg", "NGC 1976.jpg")
FEWEST_PHOTOS = 250


def check_photos(results):
    names = {name for name, _, _ in results}
    missing = [name for name in EXPECTED_PHOTOS if name not in names]
    if missing or len(names) < FEWEST_PHOTOS:
        raise ValueError(f"{len(names)} photographs; missing {', '.join(missing) or 'none'}")


def main():
    source, output = parse_arguments(__doc__.splitlines()[0])
    folder = source / "images" / "deepsky"
    try:
        objects = catalogue_objects(output / "Build Data" / "BuildDeepSky.txt")
        matched = matched_photographs(objects, read_tsv(folder / "index.tsv"))
        tasks = [(name, obj, rows, folder) for name, obj, rows in matched]
        with Pool() as pool:
            results = pool.map(render, tasks, chunksize=1)
        check_photos(results)
    except (OSError, ImageError, ValueError, IndexError, KeyError) as error:
        sys.exit(f"make_photos: {error}")
    folder_out = output / "StockPhotos"
    for name, data, _ in results:
        write_bytes(folder_out / name, data)
    written = {name for name, _, _ in results}
    for stale in sorted(folder_out.glob("*.jpg")):
        if stale.name not in written:
            stale.unlink()
    rewrite_credits(output / "CREDITS.md", credit_lines(matched))
    total = sum(len(data) for _, data, _ in results)
    print(f"{len(results)} photographs, {total} bytes")


if __name__ == "__main__":
    main()
