#pragma once

#include <QImage>

namespace GreyImage {

// The image with its colour saturation taken to 0: each pixel's red, green
// and blue all become its luminance (Rec. 709 weights); alpha stays.
QImage desaturated(const QImage& image);

}  // namespace GreyImage
