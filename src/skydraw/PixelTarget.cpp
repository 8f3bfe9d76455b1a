#include "skydraw/PixelTarget.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace {

// x × a / 255 on the two channels of a pair (0x00ff00ff lanes), rounded as
// the painter rounds.
inline quint32 byteMul(quint32 x, quint32 a)
{
    quint32 t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = x + ((x >> 8) & 0xff00ff) + 0x800080;
    x &= 0xff00ff00;
    return x | t;
}

// A premultiplied pixel over another.
inline void blendPixel(quint32& dst, quint32 s)
{
    const quint32 alpha = s >> 24;
    if (alpha == 255)
        dst = s;
    else if (s != 0)
        dst = s + byteMul(dst, 255 - alpha);
}

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
    const QRect pixels = rect.translated(m_offset) & m_clip;
    if (pixels.isEmpty())
        return;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        const uchar* row = m_bits + y * m_bytesPerLine;
        __builtin_prefetch(row + pixels.left() * 4, 1);
        __builtin_prefetch(row + pixels.right() * 4, 1);
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
    // Plain integers: this runs once for every star on the chart.
    const int left = topLeft.x() + m_offset.x();
    const int top = topLeft.y() + m_offset.y();
    const int x0 = std::max(left, m_clip.left());
    const int y0 = std::max(top, m_clip.top());
    const int x1 = std::min(left + image.width(), m_clip.right() + 1);
    const int y1 = std::min(top + image.height(), m_clip.bottom() + 1);
    if (x0 >= x1 || y0 >= y1)
        return;
    const uchar* source = image.constBits();
    const qsizetype sourceLine = image.bytesPerLine();
    for (int y = y0; y < y1; ++y) {
        const auto* src = reinterpret_cast<const quint32*>(source + (y - top) * sourceLine) + (x0 - left);
        auto* dst = reinterpret_cast<quint32*>(m_bits + y * m_bytesPerLine) + x0;
        for (int i = 0; i < x1 - x0; ++i)
            blendPixel(dst[i], src[i]);
    }
}
