#include "find/panels/StrokeLayer.h"

#include <QPainter>
#include <QTransform>

#include <cmath>

namespace {

bool isWhole(double value) { return value == std::floor(value); }

// The device scale when the painter maps the area pixel on pixel onto a scaled image of it.
double compositeScale(const QPainter& painter)
{
    const QTransform device = painter.deviceTransform();
    const bool plain = device.type() <= QTransform::TxScale && device.m11() == device.m22() && device.m11() > 0.0
                       && isWhole(device.dx()) && isWhole(device.dy())
                       && painter.compositionMode() == QPainter::CompositionMode_SourceOver
                       && painter.opacity() == 1.0 && painter.testRenderHint(QPainter::Antialiasing);
    return plain ? device.m11() : 0.0;
}

}  // namespace

void StrokeLayer::draw(QPainter& painter, const std::vector<QLineF>& segments, const QPen& pen, QSize size)
{
    const double scale = compositeScale(painter);
    if (scale == 0.0 || segments.empty()) {
        m_image = QImage();
        painter.setPen(pen);
        painter.drawLines(segments.data(), int(segments.size()));
        return;
    }
    if (m_image.isNull() || m_image.devicePixelRatio() != scale || m_pen != pen || m_segments != segments) {
        m_image = QImage(QSize(int(std::ceil(size.width() * scale)), int(std::ceil(size.height() * scale))),
                         QImage::Format_ARGB32_Premultiplied);
        m_image.setDevicePixelRatio(scale);
        m_image.fill(Qt::transparent);
        QPainter layer(&m_image);
        layer.setRenderHint(QPainter::Antialiasing);
        layer.setPen(pen);
        layer.drawLines(segments.data(), int(segments.size()));
        m_segments = segments;
        m_pen = pen;
    }
    painter.drawImage(QPointF(0.0, 0.0), m_image);
}
