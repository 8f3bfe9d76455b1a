#include "skydraw/AlphaMap.h"

#include <bitset>

std::optional<AlphaMap> AlphaMap::of(const QImage& image)
{
    if (image.isNull() || image.format() != QImage::Format_ARGB32_Premultiplied)
        return std::nullopt;
    AlphaMap map;
    map.alpha = QImage(image.size(), QImage::Format_Alpha8);
    std::bitset<256> isSeen;
    isSeen.set(0);  // a clear pixel must be 0
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = map.alpha.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = row[x];
            const int a = qAlpha(pixel);
            if (!isSeen.test(std::size_t(a))) {
                isSeen.set(std::size_t(a));
                map.pixels[std::size_t(a)] = pixel;
            } else if (map.pixels[std::size_t(a)] != pixel) {
                return std::nullopt;
            }
            out[x] = uchar(a);
        }
    }
    return map;
}
