#pragma once

#include "skydraw/SpriteSource.h"

#include <QImage>
#include <QPoint>
#include <QPointF>

#include <array>
#include <cstdint>
#include <unordered_map>

// Small images (star sprites, object symbols) placed between pixels: each is
// resampled once for every quarter-pixel offset it is drawn at and kept, so
// that drawing it anywhere stays a copy onto whole pixels.
class SubPixelSprites {
public:
    static constexpr int kSteps = 4;  // offsets per pixel

    // Where an image whose top-left corner belongs at `deviceTopLeft`
    // (device pixels) goes: the whole pixel and the offset within it, in
    // steps, to the nearest step.
    struct Placement {
        QPoint pixel;
        int stepX;
        int stepY;
    };
    static Placement place(QPointF deviceTopLeft);

    // The image moved right and down by the steps, premultiplied, one pixel
    // larger than the image unless both steps are 0 (then the image itself
    // when already premultiplied). Each pixel takes the share of the source
    // pixels it overlaps.
    const QImage& shifted(const QImage& image, int stepX, int stepY);
    // The pixels of that copy, for an image read once into `source`.
    const ImagePixels& shiftedPixels(const SpriteSource& source, int stepX, int stepY);

    // The resampling itself.
    static QImage shift(const QImage& image, int stepX, int stepY);

private:
    // Tinted sets replace their images: beyond this many the old are dropped.
    static constexpr std::size_t kMaxKept = 8192;

    struct Kept {
        QImage image;
        ImagePixels pixels;
    };
    // A copy recently found in the map (whose entries stay put until it is
    // cleared), by its key.
    struct Recent {
        std::uint64_t key = 0;
        const Kept* kept = nullptr;
    };

    const Kept& kept(const QImage& image, std::uint64_t cacheKey, int stepX, int stepY);

    std::unordered_map<std::uint64_t, Kept> m_kept;
    std::array<Recent, 1024> m_recent{};
};
