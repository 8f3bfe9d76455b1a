"""A baseline JPEG encoder with the standard library alone.

Writes JFIF files: YCbCr with 2 x 2 chroma subsampling, the example
quantisation tables of the JPEG standard (ITU-T T.81, Annex K) scaled by a
quality number as the IJG library scales them, and the standard's example
Huffman tables. The forward DCT is the floating-point AAN factorisation with
its constants written out, so the same pixels give the same bytes wherever
Python's IEEE arithmetic runs.
"""

import struct

ZIGZAG = (
    0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7, 14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
)

LUMINANCE_QUANTISER = (
    16, 11, 10, 16, 24, 40, 51, 61,
    12, 12, 14, 19, 26, 58, 60, 55,
    14, 13, 16, 24, 40, 57, 69, 56,
    14, 17, 22, 29, 51, 87, 80, 62,
    18, 22, 37, 56, 68, 109, 103, 77,
    24, 35, 55, 64, 81, 104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101,
    72, 92, 95, 98, 112, 100, 103, 99,
)

CHROMINANCE_QUANTISER = (
    17, 18, 24, 47, 99, 99, 99, 99,
    18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99,
    47, 66, 99, 99, 99, 99, 99, 99,
) + (99,) * 32

DC_LUMINANCE_BITS = (0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0)
DC_CHROMINANCE_BITS = (0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0)
DC_VALUES = tuple(range(12))

AC_LUMINANCE_BITS = (0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D)
AC_LUMINANCE_VALUES = bytes.fromhex(
    "01020300041105122131410613516107227114328191a1082342b1c11552d1f0"
    "2433627282090a161718191a25262728292a3435363738393a43444546474849"
    "4a535455565758595a636465666768696a737475767778797a83848586878889"
    "8a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5"
    "c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6e7e8e9eaf1f2f3f4f5f6f7f8"
    "f9fa")

AC_CHROMINANCE_BITS = (0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77)
AC_CHROMINANCE_VALUES = bytes.fromhex(
    "000102031104052131061241510761711322328108144291a1b1c109233352f0"
    "156272d10a162434e125f11718191a262728292a35363738393a434445464748"
    "494a535455565758595a636465666768696a737475767778797a828384858687"
    "88898a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3"
    "c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae2e3e4e5e6e7e8e9eaf2f3f4f5f6f7f8"
    "f9fa")

# cos(k pi / 16) * sqrt(2) for k = 0 .. 7 (1 for k = 0): the AAN output scale.
AAN_SCALE = (1.0, 1.387039845, 1.306562965, 1.175875602,
             1.0, 0.785694958, 0.541196100, 0.275899379)

for _bits, _values in ((DC_LUMINANCE_BITS, DC_VALUES), (DC_CHROMINANCE_BITS, DC_VALUES),
                       (AC_LUMINANCE_BITS, AC_LUMINANCE_VALUES),
                       (AC_CHROMINANCE_BITS, AC_CHROMINANCE_VALUES)):
    assert sum(_bits) == len(_values)


def scaled_quantiser(table, quality):
    """The IJG scaling of a base table by quality 1 .. 100, each entry 1 .. 255."""
    quality = min(100, max(1, quality))
    scale = 5000 // quality if quality < 50 else 200 - 2 * quality
    return tuple(min(255, max(1, (value * scale + 50) // 100)) for value in table)


def huffman_codes(bits, values):
    """Symbol -> (code, length) of a canonical Huffman table (T.81, Annex C)."""
    codes = {}
    code = 0
    index = 0
    for length in range(1, 17):
        for _ in range(bits[length - 1]):
            codes[values[index]] = (code, length)
            code += 1
            index += 1
        code <<= 1
    return codes


def _fdct_1d(d0, d1, d2, d3, d4, d5, d6, d7):
    """One 8-point AAN forward DCT, outputs unscaled (see AAN_SCALE)."""
    t0 = d0 + d7
    t7 = d0 - d7
    t1 = d1 + d6
    t6 = d1 - d6
    t2 = d2 + d5
    t5 = d2 - d5
    t3 = d3 + d4
    t4 = d3 - d4

    t10 = t0 + t3
    t13 = t0 - t3
    t11 = t1 + t2
    t12 = t1 - t2
    o0 = t10 + t11
    o4 = t10 - t11
    z1 = (t12 + t13) * 0.707106781
    o2 = t13 + z1
    o6 = t13 - z1

    t10 = t4 + t5
    t11 = t5 + t6
    t12 = t6 + t7
    z5 = (t10 - t12) * 0.382683433
    z2 = 0.541196100 * t10 + z5
    z4 = 1.306562965 * t12 + z5
    z3 = t11 * 0.707106781
    z11 = t7 + z3
    z13 = t7 - z3
    return o0, z11 + z4, o2, z13 - z2, o4, z13 + z2, o6, z11 - z4


def _divisors(quantiser):
    """Per natural-order coefficient: 1 / (quantiser * row scale * column scale * 8)."""
    return [1.0 / (quantiser[8 * row + column] * AAN_SCALE[row] * AAN_SCALE[column] * 8.0)
            for row in range(8) for column in range(8)]


def _quantised_block(samples, divisors):
    """Level-shifted 8 x 8 samples (row-major) -> 64 quantised coefficients in zigzag order."""
    rows = []
    for r in range(0, 64, 8):
        rows.append(_fdct_1d(*samples[r:r + 8]))
    block = [0.0] * 64
    for c in range(8):
        column = _fdct_1d(rows[0][c], rows[1][c], rows[2][c], rows[3][c],
                          rows[4][c], rows[5][c], rows[6][c], rows[7][c])
        for r in range(8):
            block[8 * r + c] = column[r]
    out = []
    for k in ZIGZAG:
        value = block[k] * divisors[k]
        # Round half away from zero, as integer arithmetic would.
        out.append(int(value + 0.5) if value >= 0 else -int(0.5 - value))
    return out


class _BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.accumulator = 0
        self.count = 0

    def write(self, code, length):
        self.accumulator = (self.accumulator << length) | code
        self.count += length
        while self.count >= 8:
            self.count -= 8
            byte = (self.accumulator >> self.count) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                self.out.append(0)
        self.accumulator &= (1 << self.count) - 1

    def flush(self):
        if self.count:
            self.write((1 << (8 - self.count)) - 1, 8 - self.count)


def _magnitude(value):
    """(size category, bits) of a coefficient difference."""
    size = abs(value).bit_length()
    bits = value if value >= 0 else value + (1 << size) - 1
    return size, bits


def _encode_block(writer, coefficients, previous_dc, dc_codes, ac_codes):
    size, bits = _magnitude(coefficients[0] - previous_dc)
    writer.write(*dc_codes[size])
    if size:
        writer.write(bits, size)
    run = 0
    for value in coefficients[1:]:
        if value == 0:
            run += 1
            continue
        while run > 15:
            writer.write(*ac_codes[0xF0])
            run -= 16
        size, bits = _magnitude(value)
        writer.write(*ac_codes[(run << 4) | size])
        writer.write(bits, size)
        run = 0
    if run:
        writer.write(*ac_codes[0x00])
    return coefficients[0]


def _planes(width, height, rgb):
    """Y, Cb, Cr planes (level-shifted floats) padded by edge copies to multiples of 16."""
    padded_width = (width + 15) // 16 * 16
    padded_height = (height + 15) // 16 * 16
    luma = []
    blue = []
    red = []
    for y in range(padded_height):
        base = min(y, height - 1) * width * 3
        for x in range(padded_width):
            i = base + 3 * min(x, width - 1)
            r, g, b = rgb[i], rgb[i + 1], rgb[i + 2]
            luma.append(0.299 * r + 0.587 * g + 0.114 * b - 128.0)
            blue.append(-0.168736 * r - 0.331264 * g + 0.5 * b)
            red.append(0.5 * r - 0.418688 * g - 0.081312 * b)
    half_width = padded_width // 2
    half_height = padded_height // 2
    blue_half = []
    red_half = []
    for y in range(half_height):
        top = 2 * y * padded_width
        bottom = top + padded_width
        for x in range(0, padded_width, 2):
            blue_half.append(0.25 * (blue[top + x] + blue[top + x + 1]
                                     + blue[bottom + x] + blue[bottom + x + 1]))
            red_half.append(0.25 * (red[top + x] + red[top + x + 1]
                                    + red[bottom + x] + red[bottom + x + 1]))
    return padded_width, padded_height, luma, (half_width, blue_half), (half_width, red_half)


def _block(plane, plane_width, x0, y0):
    samples = []
    for y in range(y0, y0 + 8):
        start = y * plane_width + x0
        samples.extend(plane[start:start + 8])
    return samples


def _segment(marker, body):
    return struct.pack(">BBH", 0xFF, marker, len(body) + 2) + body


def _huffman_segment(table_class, table_id, bits, values):
    return bytes([(table_class << 4) | table_id]) + bytes(bits) + bytes(values)


def encode_jpeg(width, height, rgb, quality=85):
    """JFIF bytes of an RGB image (width * height * 3 bytes, rows from the top)."""
    if width < 1 or height < 1 or width > 65535 or height > 65535:
        raise ValueError("image size out of range")
    if len(rgb) != width * height * 3:
        raise ValueError("pixel count does not match the image size")
    luma_q = scaled_quantiser(LUMINANCE_QUANTISER, quality)
    chroma_q = scaled_quantiser(CHROMINANCE_QUANTISER, quality)
    luma_div = _divisors(luma_q)
    chroma_div = _divisors(chroma_q)
    dc_luma = huffman_codes(DC_LUMINANCE_BITS, DC_VALUES)
    dc_chroma = huffman_codes(DC_CHROMINANCE_BITS, DC_VALUES)
    ac_luma = huffman_codes(AC_LUMINANCE_BITS, AC_LUMINANCE_VALUES)
    ac_chroma = huffman_codes(AC_CHROMINANCE_BITS, AC_CHROMINANCE_VALUES)

    padded_width, padded_height, luma, (cb_width, cb), (cr_width, cr) = _planes(width, height, rgb)
    writer = _BitWriter()
    dc = [0, 0, 0]
    for my in range(0, padded_height, 16):
        for mx in range(0, padded_width, 16):
            for dy in (0, 8):
                for dx in (0, 8):
                    block = _quantised_block(_block(luma, padded_width, mx + dx, my + dy), luma_div)
                    dc[0] = _encode_block(writer, block, dc[0], dc_luma, ac_luma)
            block = _quantised_block(_block(cb, cb_width, mx // 2, my // 2), chroma_div)
            dc[1] = _encode_block(writer, block, dc[1], dc_chroma, ac_chroma)
            block = _quantised_block(_block(cr, cr_width, mx // 2, my // 2), chroma_div)
            dc[2] = _encode_block(writer, block, dc[2], dc_chroma, ac_chroma)
    writer.flush()

    jfif = b"JFIF\x00" + struct.pack(">BBBHHBB", 1, 1, 0, 1, 1, 0, 0)
    tables = (bytes([0]) + bytes(luma_q[k] for k in ZIGZAG)
              + bytes([1]) + bytes(chroma_q[k] for k in ZIGZAG))
    frame = struct.pack(">BHHB", 8, height, width, 3) + bytes(
        [1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1])
    huffman = (_huffman_segment(0, 0, DC_LUMINANCE_BITS, DC_VALUES)
               + _huffman_segment(1, 0, AC_LUMINANCE_BITS, AC_LUMINANCE_VALUES)
               + _huffman_segment(0, 1, DC_CHROMINANCE_BITS, DC_VALUES)
               + _huffman_segment(1, 1, AC_CHROMINANCE_BITS, AC_CHROMINANCE_VALUES))
    scan = bytes([3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0])
    return (b"\xff\xd8" + _segment(0xE0, jfif) + _segment(0xDB, tables) + _segment(0xC0, frame)
            + _segment(0xC4, huffman) + _segment(0xDA, scan) + bytes(writer.out) + b"\xff\xd9")
