#include "skydraw/KeptPicture.h"

#include "skydraw/ChartCanvas.h"
#include "skydraw/InkBounds.h"

#include <QPaintDevice>

#include <utility>

void KeptPicture::draw(ChartCanvas& canvas, std::vector<double> key, const std::function<void(ChartCanvas&)>& paint)
{
    QPainter& painter = canvas.painter();
    // The canvas's device space lies on its device as the chart's does.
    const QTransform& chart = canvas.chartTransform();
    const Geometry geometry{QSize(painter.device()->width(), painter.device()->height()),
                            QPoint(int(chart.dx()), int(chart.dy() - canvas.height())), canvas.height(),
                            painter.renderHints()};
    const bool isKeepable = canvas.isPixelForPoint() && painter.opacity() >= 1.0 &&
                            painter.compositionMode() == QPainter::CompositionMode_SourceOver;
    m_wasKept = false;
    if (!isKeepable || key != m_key || geometry != m_geometry) {
        // A drawing that changes frame after frame is not worth keeping.
        m_key = std::move(key);
        m_geometry = geometry;
        m_isRepeated = false;
        m_picture = QImage();
        paint(canvas);
        return;
    }
    if (!m_isRepeated) {
        m_isRepeated = true;
        keep(canvas, paint);
    }
    if (!m_picture.isNull())
        canvas.drawImageOnPixels(QPointF(m_topLeft.x(), canvas.height() - m_topLeft.y() - m_picture.height()),
                                 m_picture);
    m_wasKept = true;
}

void KeptPicture::keep(ChartCanvas& canvas, const std::function<void(ChartCanvas&)>& paint)
{
    // Drawn over clear pixels in the device's own places: blending the
    // picture then gives what drawing gives over any pixels.
    QImage whole(m_geometry.device, QImage::Format_ARGB32_Premultiplied);
    whole.fill(Qt::transparent);
    const QPoint origin = m_geometry.origin;
    {
        QPainter painter(&whole);
        painter.setRenderHints(m_geometry.hints);
        painter.translate(origin);
        ChartCanvas wholeCanvas(painter, canvas.height());
        paint(wholeCanvas);
    }
    const QRect ink = InkBounds::of(whole);
    m_topLeft = ink.topLeft() - origin;
    m_picture = ink.isEmpty() ? QImage() : whole.copy(ink);
}
