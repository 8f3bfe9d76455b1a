#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QTransform>

// Draws `image` (or its `source` part) upright into `square`, a rectangle
// of the chart-space transform `chart` (y upward), at the given opacity.
inline void drawUprightImage(QPainter& painter, const QTransform& chart, const QRectF& square,
                             const QImage& image, double opacity, const QRectF& source = QRectF())
{
    if (image.isNull())
        return;
    const QTransform upright(1.0, 0.0, 0.0, -1.0, 0.0, 2.0 * square.y() + square.height());
    painter.save();
    painter.setWorldTransform(upright * chart);
    painter.setOpacity(painter.opacity() * opacity);
    painter.drawImage(square, image, source.isNull() ? QRectF(image.rect()) : source);
    painter.restore();
}
