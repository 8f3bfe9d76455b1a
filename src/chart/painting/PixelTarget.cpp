#include "chart/painting/PixelTarget.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

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

void PixelTarget::blend(QPoint topLeft, const QImage& image) const
{
    const QRect target = QRect(topLeft + m_offset, image.size()) & m_clip;
    if (target.isEmpty())
        return;
    const QPoint from = target.topLeft() - (topLeft + m_offset);
    for (int row = 0; row < target.height(); ++row) {
        const auto* src = reinterpret_cast<const quint32*>(image.constScanLine(from.y() + row)) + from.x();
        auto* dst = reinterpret_cast<quint32*>(m_bits + (target.top() + row) * m_bytesPerLine) + target.left();
        for (int i = 0; i < target.width(); ++i) {
            const quint32 s = src[i];
            const quint32 alpha = s >> 24;
            if (alpha == 255)
                dst[i] = s;
            else if (s != 0)
                dst[i] = s + byteMul(dst[i], 255 - alpha);
        }
    }
}
