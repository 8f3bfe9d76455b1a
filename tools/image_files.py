"""PNG and JPEG files through Pillow (Debian's python3-pil).

Images are handed around as (width, height, channels, pixels): pixels is one
bytes-like object of width * height * channels 8-bit samples, rows from the
top. Channels are 1 (grey), 2 (grey, alpha), 3 (RGB) or 4 (RGBA).

The same pixels give the same bytes on every run (no clock, fixed settings),
with the same Pillow and zlib.
"""

import io

from PIL import Image, UnidentifiedImageError

MODE_OF_CHANNELS = {1: "L", 2: "LA", 3: "RGB", 4: "RGBA"}
CHANNELS_OF_MODE = {mode: channels for channels, mode in MODE_OF_CHANNELS.items()}
PNG_COMPRESSION = 9


class ImageError(Exception):
    """A file that is not an 8-bit PNG image, or pixels that do not fit their size."""


def _image(width, height, channels, pixels):
    if len(pixels) != width * height * channels:
        raise ImageError("pixel count does not match the image size")
    return Image.frombytes(MODE_OF_CHANNELS[channels], (width, height), bytes(pixels))


def _encoded(image, image_format, **options):
    out = io.BytesIO()
    image.save(out, image_format, **options)
    return out.getvalue()


def read_png_file(path):
    """(width, height, channels, pixels) of an 8-bit PNG file; a palette image reads as RGB,
    or RGBA when it has a transparent entry."""
    try:
        with Image.open(path) as image:
            if image.format != "PNG":
                raise ImageError(f"{path}: not a PNG image")
            if image.mode == "P":
                image = image.convert("RGBA" if "transparency" in image.info else "RGB")
            if image.mode not in CHANNELS_OF_MODE:
                raise ImageError(f"{path}: {image.mode} samples are not 8-bit grey or colour")
            return image.width, image.height, CHANNELS_OF_MODE[image.mode], image.tobytes()
    except UnidentifiedImageError as error:
        raise ImageError(f"{path}: {error}") from error


def read_image(data):
    """A Pillow image of PNG or JPEG file bytes, for checking what a converter made."""
    return Image.open(io.BytesIO(data))


def write_png(width, height, channels, pixels):
    """PNG file bytes of 8-bit pixels."""
    return _encoded(_image(width, height, channels, pixels), "PNG", compress_level=PNG_COMPRESSION)


def encode_jpeg(width, height, rgb, quality=85):
    """Baseline JFIF bytes of an RGB image, 4:2:0."""
    return _encoded(_image(width, height, 3, rgb), "JPEG", quality=quality, subsampling="4:2:0")
