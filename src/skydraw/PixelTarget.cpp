#include "skydraw/PixelTarget.h"

#include "skydraw/AlphaMap.h"
#include "skydraw/PixelBlend.h"
#include "skydraw/SpriteSource.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using PixelBlend::blendPixel;

// (x × a + y × b) / 255 on every channel, rounded as the painter rounds.
inline quint32 interpolate255(quint32 x, quint32 a, quint32 y, quint32 b)
{
    quint32 t = (x & 0xff00ff) * a + (y & 0xff00ff) * b;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a + ((y >> 8) & 0xff00ff) * b;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
    x &= 0xff00ff00;
    return x | t;
}

// Narrows [first, last] to the steps i at which the 16.16 coordinate
// `start + step × i` lies on one of the `size` whole pixels from 0.
void stepsWithin(qint64 start, qint64 step, int size, qint64& first, qint64& last)
{
    const qint64 top = (qint64(size) << 16) - 1;
    if (step == 0) {
        if (start < 0 || start > top)
            last = first - 1;
        return;
    }
    // Floor and ceiling of a quotient with a positive divisor.
    const auto floorDiv = [](qint64 a, qint64 b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    const auto ceilDiv = [&](qint64 a, qint64 b) { return -floorDiv(-a, b); };
    if (step > 0) {
        first = std::max(first, ceilDiv(-start, step));
        last = std::min(last, floorDiv(top - start, step));
    } else {
        first = std::max(first, ceilDiv(start - top, -step));
        last = std::min(last, floorDiv(start, -step));
    }
}

constexpr double kFixedOne = 65536.0;

#if defined(__SSE2__)
// Four premultiplied pixels over four others, each exactly as blendPixel.
inline __m128i over(__m128i source, __m128i target)
{
    const __m128i lanes = _mm_set1_epi32(0x00ff00ff);
    const __m128i half = _mm_set1_epi16(0x80);
    __m128i rest = _mm_sub_epi32(_mm_set1_epi32(255), _mm_srli_epi32(source, 24));
    rest = _mm_or_si128(rest, _mm_slli_epi32(rest, 16));
    __m128i rb = _mm_mullo_epi16(_mm_and_si128(target, lanes), rest);
    __m128i ag = _mm_mullo_epi16(_mm_srli_epi16(target, 8), rest);
    rb = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(rb, _mm_srli_epi16(rb, 8)), half), 8);
    ag = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(ag, _mm_srli_epi16(ag, 8)), half), 8);
    return _mm_add_epi32(source, _mm_or_si128(rb, _mm_slli_epi16(ag, 8)));
}
#endif

}  // namespace

std::optional<PixelTarget> PixelTarget::of(QPainter& painter)
{
    QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster || engine->paintDevice() == nullptr ||
        engine->paintDevice()->devType() != QInternal::Image)
        return std::nullopt;
    auto* image = static_cast<QImage*>(engine->paintDevice());
    const QImage::Format format = image->format();
    if ((format != QImage::Format_ARGB32_Premultiplied && format != QImage::Format_RGB32) || !image->isDetached())
        return std::nullopt;
    if (painter.hasClipping() || painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() < 1.0)
        return std::nullopt;
    const QTransform device = painter.deviceTransform();
    if (device.type() > QTransform::TxTranslate || device.dx() != std::floor(device.dx()) ||
        device.dy() != std::floor(device.dy()))
        return std::nullopt;
    const QRegion system = engine->systemClip();
    if (system.rectCount() > 1)
        return std::nullopt;
    const QRect clip = system.isEmpty() ? image->rect() : system.boundingRect() & image->rect();
    // Taken once: every call for the pixels would count as a change of the
    // image.
    uchar* bits = image->bits();
    return PixelTarget(bits, image->bytesPerLine(), QPoint(int(device.dx()), int(device.dy())), clip);
}

void PixelTarget::prefetch(const QRect& rect) const
{
    // Plain integers: this runs once for every star on the chart.
    const int x0 = std::max(rect.left() + m_offset.x(), m_clip.left());
    const int x1 = std::min(rect.right() + m_offset.x(), m_clip.right());
    const int y0 = std::max(rect.top() + m_offset.y(), m_clip.top());
    const int y1 = std::min(rect.bottom() + m_offset.y(), m_clip.bottom());
    if (x0 > x1)
        return;
    for (int y = y0; y <= y1; ++y) {
        const uchar* row = m_bits + y * m_bytesPerLine;
        __builtin_prefetch(row + x0 * 4, 1);
        __builtin_prefetch(row + x1 * 4, 1);
    }
}

void PixelTarget::blendShaded(QPoint topLeft, const QImage& image, QRgb shade) const
{
    const int left = topLeft.x() + m_offset.x();
    const int top = topLeft.y() + m_offset.y();
    const QRect pixels = QRect(left, top, image.width(), image.height()) & m_clip;
    if (pixels.isEmpty())
        return;
    const quint32 shadeOut = qAlpha(~shade);
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        const auto* src = reinterpret_cast<const quint32*>(image.constScanLine(y - top)) + (pixels.left() - left);
        auto* dst = reinterpret_cast<quint32*>(m_bits + y * m_bytesPerLine) + pixels.left();
        for (int i = 0; i < pixels.width(); ++i) {
            const quint32 s = src[i];
            if (s != 0)
                blendPixel(dst[i], interpolate255(shade, s >> 24, s, shadeOut));
        }
    }
}

void PixelTarget::blend(QPoint topLeft, const QImage& image) const
{
    blend(topLeft, ImagePixels::of(image));
}

void PixelTarget::blend(QPoint topLeft, const ImagePixels& image) const
{
    // Plain integers: this runs once for every star on the chart.
    const int left = topLeft.x() + m_offset.x();
    const int top = topLeft.y() + m_offset.y();
    const int x0 = std::max(left, m_clip.left());
    const int y0 = std::max(top, m_clip.top());
    const int x1 = std::min(left + image.width, m_clip.right() + 1);
    const int y1 = std::min(top + image.height, m_clip.bottom() + 1);
    if (x0 >= x1 || y0 >= y1)
        return;
    const int width = x1 - x0;
    for (int y = y0; y < y1; ++y) {
        const auto* src = reinterpret_cast<const quint32*>(image.bits + (y - top) * image.bytesPerLine) + (x0 - left);
        auto* dst = reinterpret_cast<quint32*>(m_bits + y * m_bytesPerLine) + x0;
        int i = 0;
#if defined(__SSE2__)
        for (; i + 4 <= width; i += 4) {
            const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(source, _mm_setzero_si128())) == 0xffff)
                continue;
            auto* d = reinterpret_cast<__m128i*>(dst + i);
            _mm_storeu_si128(d, over(source, _mm_loadu_si128(d)));
        }
#endif
        for (; i < width; ++i)
            blendPixel(dst[i], src[i]);
    }
}

namespace {

// The pixels a turned blend samples: a premultiplied 32-bit image, or the
// one byte a pixel of its alpha map and the pixel of each alpha.
struct ImageSource {
    const uchar* bits;
    qsizetype line;
    QRect rect;
    static constexpr int kBytes = 4;
    using Sample = quint32;
    quint32 pixel(Sample s) const { return s; }
};

struct AlphaSource {
    const uchar* bits;
    qsizetype line;
    QRect rect;
    const QRgb* pixels;
    static constexpr int kBytes = 1;
    using Sample = uchar;
    quint32 pixel(Sample s) const { return pixels[s]; }
};

ImageSource sourceOf(const QImage& image) { return {image.constBits(), image.bytesPerLine(), image.rect()}; }

AlphaSource sourceOf(const AlphaMap& map)
{
    return {map.alpha.constBits(), map.alpha.bytesPerLine(), map.alpha.rect(), map.pixels.data()};
}

}  // namespace

template <class Source>
void PixelTarget::blendTurnedFrom(const QTransform& toPainter, const Source& from, const QRect& source) const
{
    bool isInvertible = false;
    const QTransform toImage = toPainter.inverted(&isInvertible);
    const QRect part = source & from.rect;
    if (!isInvertible || part.isEmpty() || !toPainter.isAffine())
        return;
    const QRect pixels = toPainter.mapRect(QRectF(part)).toAlignedRect().translated(m_offset) & m_clip;
    if (pixels.isEmpty())
        return;
    // Image coordinates (from the part's corner) along a row of pixel
    // centres, stepped in 16.16 fixed point as the painter steps them.
    const qint64 stepU = std::llround(toImage.m11() * kFixedOne);
    const qint64 stepV = std::llround(toImage.m12() * kFixedOne);
    const uchar* corner = from.bits + part.top() * from.line + part.left() * Source::kBytes;
    const qsizetype line = from.line;
    using Sample = typename Source::Sample;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        const double px = pixels.left() - m_offset.x() + 0.5;
        const double py = y - m_offset.y() + 0.5;
        const auto u = qint64(std::floor(
            (toImage.m11() * px + toImage.m21() * py + toImage.dx() - part.left()) * kFixedOne));
        const auto v = qint64(std::floor(
            (toImage.m12() * px + toImage.m22() * py + toImage.dy() - part.top()) * kFixedOne));
        qint64 first = 0;
        qint64 last = pixels.width() - 1;
        stepsWithin(u, stepU, part.width(), first, last);
        stepsWithin(v, stepV, part.height(), first, last);
        if (first > last)
            continue;
        auto* dst = reinterpret_cast<quint32*>(m_bits + y * m_bytesPerLine) + pixels.left();
        auto uAt = qint32(u + first * stepU);
        auto vAt = qint32(v + first * stepV);
        const auto next = [&] {
            const Sample sample =
                *reinterpret_cast<const Sample*>(corner + (vAt >> 16) * line + (uAt >> 16) * Source::kBytes);
            uAt += qint32(stepU);
            vAt += qint32(stepV);
            return sample;
        };
        qint64 i = first;
#if defined(__SSE2__)
        for (; i + 3 <= last; i += 4) {
            const Sample s0 = next();
            const Sample s1 = next();
            const Sample s2 = next();
            const Sample s3 = next();
            if ((s0 | s1 | s2 | s3) == 0)
                continue;
            auto* d = reinterpret_cast<__m128i*>(dst + i);
            const __m128i source = _mm_set_epi32(int(from.pixel(s3)), int(from.pixel(s2)), int(from.pixel(s1)),
                                                 int(from.pixel(s0)));
            _mm_storeu_si128(d, over(source, _mm_loadu_si128(d)));
        }
#endif
        for (; i <= last; ++i)
            blendPixel(dst[i], from.pixel(next()));
    }
}

void PixelTarget::blendTurned(const QTransform& toPainter, const QImage& image, const QRect& source) const
{
    blendTurnedFrom(toPainter, sourceOf(image), source);
}

void PixelTarget::blendTurned(const QTransform& toPainter, const AlphaMap& map, const QRect& source) const
{
    blendTurnedFrom(toPainter, sourceOf(map), source);
}

template <class Source>
void PixelTarget::prefetchTurnedFrom(const QTransform& toPainter, const Source& from, const QRect& source) const
{
    const QRect part = source & from.rect;
    if (part.isEmpty())
        return;
    // One fetch a cache line.
    constexpr int kLinePixels = 64 / Source::kBytes;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const uchar* row = from.bits + y * from.line;
        for (int x = part.left(); x <= part.right(); x += kLinePixels)
            __builtin_prefetch(row + x * Source::kBytes);
        __builtin_prefetch(row + part.right() * Source::kBytes);
    }
    const QRect pixels = toPainter.mapRect(QRectF(part)).toAlignedRect().translated(m_offset) & m_clip;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        const uchar* row = m_bits + y * m_bytesPerLine;
        for (int x = pixels.left(); x <= pixels.right(); x += 16)
            __builtin_prefetch(row + x * 4, 1);
        __builtin_prefetch(row + pixels.right() * 4, 1);
    }
}

void PixelTarget::prefetchTurned(const QTransform& toPainter, const QImage& image, const QRect& source) const
{
    prefetchTurnedFrom(toPainter, sourceOf(image), source);
}

void PixelTarget::prefetchTurned(const QTransform& toPainter, const AlphaMap& map, const QRect& source) const
{
    prefetchTurnedFrom(toPainter, sourceOf(map), source);
}
