#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

struct AllSkyFrame;

// An all-sky image as an LZW-compressed TIFF file made in memory by libtiff:
// a 16-bit grey image straight from the camera's pixels, or an 8-bit RGB
// image of the processed picture the view shows (with its date stamp). In
// the image file module (AllSkyTiffWriter), loaded with the first file;
// without it, none and a null image, the user told.
namespace AllSkyTiffFile {

// The whole file of `image` (Format_Grayscale16 is kept at 16 bits, any
// other format is written as 8-bit RGB); none when libtiff fails.
std::optional<QByteArray> encode(const QImage& image);

// The camera's pixels as a 16-bit grey image (a copy); null when they do
// not fill the frame's size.
QImage rawImage(const AllSkyFrame& frame);

}  // namespace AllSkyTiffFile
