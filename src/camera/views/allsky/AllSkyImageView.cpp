#include "camera/views/allsky/AllSkyImageView.h"

#include "camera/allsky/AllSkyFrame.h"
#include "camera/allsky/AllSkyPicture.h"
#include "camera/allsky/AllSkySession.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

AllSkyImageView::AllSkyImageView(AllSkySession& session, DebugWriter debug, QWidget* parent)
    : QWidget(parent), m_session(session), m_debug(std::move(debug))
{
    setFixedSize(AllSkyFrame::kViewWidth, AllSkyFrame::kViewHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_session, &AllSkySession::imageChanged, this, qOverload<>(&QWidget::update));
}

QPointF AllSkyImageView::flipped(const QPointF& point)
{
    return {point.x(), AllSkyFrame::kViewHeight - point.y()};
}

void AllSkyImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    m_drawnRect = QRectF();
    const std::optional<AllSkyFrame>& frame = m_session.frame();
    if (!frame) {
        m_debug("AllSky drawRect sg4Image=nil");
        return;
    }
    const std::optional<AllSkyPicture::Placement> place = AllSkyPicture::placement(*frame);
    if (!place) {
        m_debug("AllSky drawRect no bin");
        return;
    }
    const QImage& picture = m_session.allSkyCIImage();
    if (picture.isNull()) {
        m_debug("AllSky drawRect planes=nil");
        return;
    }
    const QRectF source = place->source;
    m_drawnRect = QRectF(place->point.x(), AllSkyFrame::kViewHeight - place->point.y() - source.height(),
                         source.width(), source.height());
    painter.drawImage(m_drawnRect, picture, source);
    m_debug([&] {
        return QString::asprintf("AllSky drawRect ciImage, x=%.1f, y=%.1f, w=%.1f, h=%.1f", place->point.x(),
                                 place->point.y(), source.width(), source.height());
    });
    if (m_isDragSubRect) {
        QPen dash(Qt::lightGray);
        dash.setDashPattern({10, 5});
        painter.setPen(dash);
        const QPointF topLeft = flipped(m_dragRect.topLeft() + QPointF(0, m_dragRect.height()));
        painter.drawRect(QRectF(topLeft, m_dragRect.size()));
    }
}

void AllSkyImageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_session.frame())
        return;
    m_start = flipped(event->position());
    m_origin = m_start;
    m_side = 0;
    m_isOriginHeld = false;
    m_dragRect = QRectF(m_origin, QSizeF());
    m_isDragSubRect = true;
    setCursor(Qt::ClosedHandCursor);
}

void AllSkyImageView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_isDragSubRect)
        return;
    const QPointF p = flipped(event->position());
    m_side = std::min<double>(kMaxSide, std::max(std::abs(p.x() - m_start.x()), std::abs(p.y() - m_start.y())));
    // Once the square has reached the largest side it stays where it was
    // for the rest of the drag, wherever the mouse goes.
    m_isOriginHeld = m_isOriginHeld || m_side >= kMaxSide;
    if (!m_isOriginHeld)
        m_origin = QPointF(std::min(p.x(), m_start.x()), std::min(p.y(), m_start.y()));
    m_dragRect = QRectF(m_origin, QSizeF(m_side, m_side));
    update();
}

void AllSkyImageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_isDragSubRect || event->button() != Qt::LeftButton)
        return;
    unsetCursor();
    m_isDragSubRect = false;
    const int side = int(std::max<double>(m_side, kMinSide));
    // The square is kept inside the frame: its top row counts from the top.
    const int x = std::clamp(int(m_origin.x()), 0, AllSkyFrame::kViewWidth - side);
    const int top = std::clamp(int(AllSkyFrame::kViewHeight - m_origin.y() - side), 0,
                               AllSkyFrame::kViewHeight - side);
    m_session.chooseSubFrame(quint16(x), quint16(top), quint8(side));
    update();
}
