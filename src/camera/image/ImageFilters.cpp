#include "camera/image/ImageFilters.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr quint32 kOpaque = 0xff000000u;

inline quint32 channelMax(quint32 a, quint32 b)
{
    const quint32 r = std::max(a & 0xff0000u, b & 0xff0000u);
    const quint32 g = std::max(a & 0xff00u, b & 0xff00u);
    const quint32 bl = std::max(a & 0xffu, b & 0xffu);
    return kOpaque | r | g | bl;
}

inline int absDiff(int a, int b)
{
    return a > b ? a - b : b - a;
}

}  // namespace

namespace ImageFilters {

void difference(QImage& image, const QImage& background)
{
    const int w = std::min(image.width(), background.width());
    const int h = std::min(image.height(), background.height());
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
        const auto* dark = reinterpret_cast<const quint32*>(background.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const quint32 a = row[x];
            const quint32 b = dark[x];
            row[x] = kOpaque | quint32(absDiff(qRed(a), qRed(b))) << 16
                     | quint32(absDiff(qGreen(a), qGreen(b))) << 8
                     | quint32(absDiff(qBlue(a), qBlue(b)));
        }
    }
}

void addition(QImage& image, std::span<const QImage* const> others)
{
    const int w = image.width();
    const int h = image.height();
    // Images smaller than the frame add only where they reach.
    std::array<const quint32*, 8> rows{};
    std::array<int, 8> widths{};
    const std::size_t n = std::min(others.size(), rows.size());
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
        for (std::size_t k = 0; k < n; ++k) {
            const bool inside = y < others[k]->height();
            rows[k] = inside ? reinterpret_cast<const quint32*>(others[k]->constScanLine(y)) : nullptr;
            widths[k] = inside ? std::min(w, others[k]->width()) : 0;
        }
        for (int x = 0; x < w; ++x) {
            const quint32 p = row[x];
            int r = qRed(p);
            int g = qGreen(p);
            int b = qBlue(p);
            for (std::size_t k = 0; k < n; ++k) {
                if (x >= widths[k])
                    continue;
                const quint32 q = rows[k][x];
                r += qRed(q);
                g += qGreen(q);
                b += qBlue(q);
            }
            row[x] = kOpaque | quint32(std::min(r, 255)) << 16 | quint32(std::min(g, 255)) << 8
                     | quint32(std::min(b, 255));
        }
    }
}

void lighten(QImage& image, const QImage& overlay, QPoint at)
{
    const int x0 = std::max(0, at.x());
    const int y0 = std::max(0, at.y());
    const int x1 = std::min(image.width(), at.x() + overlay.width());
    const int y1 = std::min(image.height(), at.y() + overlay.height());
    for (int y = y0; y < y1; ++y) {
        auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
        const auto* over = reinterpret_cast<const quint32*>(overlay.constScanLine(y - at.y()));
        for (int x = x0; x < x1; ++x)
            row[x] = channelMax(row[x], over[x - at.x()]);
    }
}

void grey(const QImage& image, std::span<std::uint8_t> grey)
{
    const int w = image.width();
    const int h = image.height();
    if (grey.size() < std::size_t(w) * std::size_t(h))
        return;
    // Rec. 709 weights in 1/65536ths.
    constexpr int kR = 13933, kG = 46871, kB = 4732;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
        std::uint8_t* out = grey.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x) {
            const quint32 p = row[x];
            out[x] = std::uint8_t((kR * qRed(p) + kG * qGreen(p) + kB * qBlue(p) + 32768) >> 16);
        }
    }
}

void copyRows(const QImage& source, QImage& target)
{
    const int h = std::min(source.height(), target.height());
    const std::size_t bytes = std::size_t(std::min(source.width(), target.width())) * 4;
    for (int y = 0; y < h; ++y)
        std::memcpy(target.scanLine(y), source.constScanLine(y), bytes);
}

}  // namespace ImageFilters
