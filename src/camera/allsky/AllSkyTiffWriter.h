#pragma once

#include "camera/allsky/AllSkyTiffFile.h"

// AllSkyTiffFile's calls, the files made by libtiff: the image file
// module's code (AllSkyFileModule).
namespace AllSkyTiffWriter {

std::optional<QByteArray> encode(const QImage& image);
QImage rawImage(const AllSkyFrame& frame);

}  // namespace AllSkyTiffWriter
