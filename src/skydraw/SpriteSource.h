#pragma once

#include <QImage>

#include <array>
#include <cstdint>

// The raw pixels of a 32-bit image: blending thousands of small images
// would otherwise ask each image for them, through the library, every time.
struct ImagePixels {
    const uchar* bits = nullptr;  // none for a null image
    qsizetype bytesPerLine = 0;
    int width = 0;
    int height = 0;

    static ImagePixels of(const QImage& image)
    {
        return {image.constBits(), image.bytesPerLine(), image.width(), image.height()};
    }
};

// What drawing many copies of one small image needs of it.
struct SpriteSource {
    const QImage* image = nullptr;
    std::uint64_t key = 0;  // the image's cache key
    bool isPremultiplied = false;
    ImagePixels pixels;

    static SpriteSource of(const QImage& image)
    {
        return {&image, std::uint64_t(image.cacheKey()), image.format() == QImage::Format_ARGB32_Premultiplied,
                ImagePixels::of(image)};
    }
};

// The sources of the few images a pass draws many times, read from each
// image once. The images must not change until `clear`.
class SpriteSources {
public:
    const SpriteSource& of(const QImage& image)
    {
        SpriteSource& slot = m_slots[(reinterpret_cast<std::uintptr_t>(&image) >> 4) % m_slots.size()];
        if (slot.image != &image)
            slot = SpriteSource::of(image);
        return slot;
    }
    void clear() { m_slots.fill({}); }

private:
    std::array<SpriteSource, 256> m_slots{};
};
