"""Reading and writing PNG images with the standard library alone.

Images are handed around as (width, height, channels, pixels): pixels is one
bytearray of width * height * channels samples, rows from the top, 8 bits per
sample. Channels are 1 (grey), 2 (grey, alpha), 3 (RGB) or 4 (RGBA).

The reader takes the non-interlaced 8-bit files the image kit holds (grey,
RGB, palette, grey with alpha, RGBA) and refuses anything else with a
PngError, as it does a file whose chunks or data are damaged.

The writer always makes the same bytes for the same pixels: a fixed filter
choice per row and a fixed zlib level.
"""

import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"

# Colour type: samples per pixel of the decoded image.
CHANNELS_OF_COLOUR_TYPE = {0: 1, 2: 3, 3: 3, 4: 2, 6: 4}
COLOUR_TYPE_OF_CHANNELS = {1: 0, 2: 4, 3: 2, 4: 6}


class PngError(Exception):
    """A file that is not a PNG image this reader can decode."""


def _paeth(a, b, c):
    p = a + b - c
    pa = abs(p - a)
    pb = abs(p - b)
    pc = abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _unfilter_row(kind, row, previous, stride):
    """Undoes one row's filter in place; previous is the unfiltered row above (zeros at the top)."""
    size = len(row)
    if kind == 0:
        return
    if kind == 1:
        for i in range(stride, size):
            row[i] = (row[i] + row[i - stride]) & 0xFF
    elif kind == 2:
        row[:] = bytes((a + b) & 0xFF for a, b in zip(row, previous))
    elif kind == 3:
        for i in range(size):
            left = row[i - stride] if i >= stride else 0
            row[i] = (row[i] + ((left + previous[i]) >> 1)) & 0xFF
    elif kind == 4:
        for i in range(size):
            if i >= stride:
                row[i] = (row[i] + _paeth(row[i - stride], previous[i], previous[i - stride])) & 0xFF
            else:
                row[i] = (row[i] + previous[i]) & 0xFF
    else:
        raise PngError(f"unknown row filter {kind}")


def _chunks(data):
    if not data.startswith(SIGNATURE):
        raise PngError("not a PNG file")
    position = len(SIGNATURE)
    while position + 12 <= len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        end = position + 8 + length
        if end + 4 > len(data):
            raise PngError("chunk runs past the end of the file")
        body = data[position + 8:end]
        (crc,) = struct.unpack(">I", data[end:end + 4])
        if zlib.crc32(kind + body) != crc:
            raise PngError(f"bad checksum in chunk {kind!r}")
        yield kind, body
        if kind == b"IEND":
            return
        position = end + 4
    raise PngError("no IEND chunk")


def read_png(data):
    """Decodes PNG file bytes into (width, height, channels, pixels)."""
    header = None
    palette = None
    compressed = bytearray()
    for kind, body in _chunks(data):
        if kind == b"IHDR":
            if len(body) != 13:
                raise PngError("bad IHDR chunk")
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = body
        elif kind == b"IDAT":
            compressed += body
    if header is None:
        raise PngError("no IHDR chunk")
    width, height, depth, colour_type, method, filtering, interlace = header
    if depth != 8 or colour_type not in CHANNELS_OF_COLOUR_TYPE:
        raise PngError(f"unsupported bit depth {depth} or colour type {colour_type}")
    if method != 0 or filtering != 0 or interlace != 0:
        raise PngError("unsupported compression, filter method or interlacing")
    if width == 0 or height == 0:
        raise PngError("empty image")
    stored = 1 if colour_type == 3 else CHANNELS_OF_COLOUR_TYPE[colour_type]
    stride = width * stored
    try:
        raw = zlib.decompress(bytes(compressed))
    except zlib.error as error:
        raise PngError(f"damaged image data: {error}") from None
    if len(raw) != height * (stride + 1):
        raise PngError("image data of the wrong length")

    samples = bytearray()
    previous = bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        row = bytearray(raw[start + 1:start + 1 + stride])
        _unfilter_row(raw[start], row, previous, stored)
        samples += row
        previous = row

    if colour_type != 3:
        return width, height, stored, samples
    if palette is None or len(palette) % 3 != 0:
        raise PngError("palette image without a usable palette")
    entries = len(palette) // 3
    if max(samples) >= entries:
        raise PngError("palette index out of range")
    colours = [bytes(palette[3 * i:3 * i + 3]) for i in range(entries)]
    return width, height, 3, bytearray(b"".join(colours[i] for i in samples))


def read_png_file(path):
    with open(path, "rb") as handle:
        return read_png(handle.read())


def _filtered_rows(width, height, channels, pixels):
    """Rows with their filter byte; each row takes the filter of least absolute sum."""
    stride = width * channels
    out = bytearray()
    previous = bytes(stride)
    for y in range(height):
        row = bytes(pixels[y * stride:(y + 1) * stride])
        left = bytes(channels) + row[:-channels]
        upper_left = bytes(channels) + previous[:-channels]
        candidates = [
            (0, row),
            (1, bytes((a - b) & 0xFF for a, b in zip(row, left))),
            (2, bytes((a - b) & 0xFF for a, b in zip(row, previous))),
            (3, bytes((a - ((b + c) >> 1)) & 0xFF for a, b, c in zip(row, left, previous))),
            (4, bytes((a - _paeth(b, c, d)) & 0xFF
                      for a, b, c, d in zip(row, left, previous, upper_left))),
        ]
        # Bytes read as signed values; ties keep the lower filter number.
        best = min(candidates, key=lambda item: (sum(v if v < 128 else 256 - v for v in item[1]),
                                                item[0]))
        out.append(best[0])
        out += best[1]
        previous = row
    return bytes(out)


def _chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def write_png(width, height, channels, pixels):
    """Encodes 8-bit pixels (1, 2, 3 or 4 channels) as PNG file bytes."""
    if len(pixels) != width * height * channels:
        raise ValueError("pixel count does not match the image size")
    header = struct.pack(">IIBBBBB", width, height, 8, COLOUR_TYPE_OF_CHANNELS[channels], 0, 0, 0)
    data = zlib.compress(_filtered_rows(width, height, channels, pixels), 9)
    return SIGNATURE + _chunk(b"IHDR", header) + _chunk(b"IDAT", data) + _chunk(b"IEND", b"")
