#include "skydraw/SubPixelSprites.h"

#include <cmath>

namespace {

// The whole number at or below a value, without the library call floor()
// is on processors of every generation: this runs for every star.
std::int64_t floorOf(double value)
{
    const auto whole = std::int64_t(value);
    return double(whole) > value ? whole - 1 : whole;
}

// The quotient rounded down, for a positive divisor.
std::int64_t floorDiv(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

}  // namespace

SubPixelSprites::Placement SubPixelSprites::place(QPointF deviceTopLeft)
{
    const std::int64_t x = floorOf(deviceTopLeft.x() * kSteps + 0.5);
    const std::int64_t y = floorOf(deviceTopLeft.y() * kSteps + 0.5);
    const std::int64_t pixelX = floorDiv(x, kSteps);
    const std::int64_t pixelY = floorDiv(y, kSteps);
    return {QPoint(int(pixelX), int(pixelY)), int(x - pixelX * kSteps), int(y - pixelY * kSteps)};
}

const QImage& SubPixelSprites::shifted(const QImage& image, int stepX, int stepY)
{
    const bool isPremultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    if (image.isNull() || (stepX == 0 && stepY == 0 && isPremultiplied))
        return image;
    return kept(image, std::uint64_t(image.cacheKey()), stepX, stepY).image;
}

const ImagePixels& SubPixelSprites::shiftedPixels(const SpriteSource& source, int stepX, int stepY)
{
    if (source.pixels.bits == nullptr || (stepX == 0 && stepY == 0 && source.isPremultiplied))
        return source.pixels;
    return kept(*source.image, source.key, stepX, stepY).pixels;
}

const SubPixelSprites::Kept& SubPixelSprites::kept(const QImage& image, std::uint64_t cacheKey, int stepX,
                                                   int stepY)
{
    const std::uint64_t key = cacheKey * kSteps * kSteps + std::uint64_t(stepY * kSteps + stepX);
    // Most lookups find a copy fetched moments ago: a small table by key
    // answers them without the map's hashing.
    Recent& recent = m_recent[(key ^ (key >> 16)) % m_recent.size()];
    if (recent.kept != nullptr && recent.key == key)
        return *recent.kept;
    auto it = m_kept.find(key);
    if (it == m_kept.end()) {
        if (m_kept.size() >= kMaxKept) {
            m_kept.clear();
            m_recent.fill({});
        }
        QImage made = stepX == 0 && stepY == 0 ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                               : shift(image, stepX, stepY);
        const ImagePixels pixels = ImagePixels::of(made);
        it = m_kept.emplace(key, Kept{std::move(made), pixels}).first;
    }
    recent = {key, &it->second};
    return it->second;
}

QImage SubPixelSprites::shift(const QImage& image, int stepX, int stepY)
{
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = source.width();
    const int h = source.height();
    QImage out(w + 1, h + 1, QImage::Format_ARGB32_Premultiplied);
    // Weights in 1/(kSteps²) of a pixel: this pixel's share of the source
    // pixel at its place (a) and of the one left of or above it (b).
    const int bx = stepX;
    const int ax = kSteps - stepX;
    const int by = stepY;
    const int ay = kSteps - stepY;
    constexpr int kWhole = kSteps * kSteps;
    auto pixel = [&](int x, int y) -> QRgb {
        return x >= 0 && y >= 0 && x < w && y < h ? reinterpret_cast<const QRgb*>(source.constScanLine(y))[x] : 0;
    };
    for (int y = 0; y <= h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x <= w; ++x) {
            const QRgb p00 = pixel(x, y);
            const QRgb p10 = pixel(x - 1, y);
            const QRgb p01 = pixel(x, y - 1);
            const QRgb p11 = pixel(x - 1, y - 1);
            const int w00 = ax * ay;
            const int w10 = bx * ay;
            const int w01 = ax * by;
            const int w11 = bx * by;
            auto channel = [&](int shift) {
                const int sum = w00 * int((p00 >> shift) & 0xff) + w10 * int((p10 >> shift) & 0xff) +
                                w01 * int((p01 >> shift) & 0xff) + w11 * int((p11 >> shift) & 0xff);
                return QRgb((sum + kWhole / 2) / kWhole) << shift;
            };
            row[x] = channel(24) | channel(16) | channel(8) | channel(0);
        }
    }
    return out;
}
