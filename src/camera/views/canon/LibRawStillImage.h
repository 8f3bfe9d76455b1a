#pragma once

#include "camera/views/canon/CanonStillImage.h"

// CanonStillImage's decoding: what Qt's readers decode, else a raw file
// through LibRaw. The camera file module's code (CanonStillImageModule).
namespace LibRawStillImage {

// As CanonStillImage::load.
QImage load(const QString& path);

}  // namespace LibRawStillImage
