#pragma once

#include <QImage>
#include <QRgb>

#include <array>
#include <optional>

// A premultiplied image that holds one colour at varying opacity (a figure
// tinted with an opaque colour) as one byte a pixel and the pixel of each
// opacity: sampling it reads a quarter of the memory the image takes.
struct AlphaMap {
    QImage alpha;                    // Format_Alpha8, the image's size
    std::array<QRgb, 256> pixels{};  // the premultiplied pixel of each alpha the image holds

    // None where two pixels of one alpha differ, or a clear pixel is not
    // wholly clear: the map would not give back the image.
    static std::optional<AlphaMap> of(const QImage& image);
};
