#include "camera/views/webcam/CaptureView.h"

#include "camera/webcam/WebCamController.h"
#include "camera/webcam/WebcamGuideLink.h"
#include "platform/AlertPanel.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

// Zooms this close to 1 still allow a hot pixel to be picked.
constexpr float kHotPixelScale = 1.1f;

}  // namespace

CaptureView::CaptureView(WebCamController& controller, QWidget* parent)
    : QWidget(parent), m_controller(controller)
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CaptureView::setFrame(const QImage& frame)
{
    m_frame = frame;
    update();
}

void CaptureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_frame.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(), m_frame);
}

QRectF CaptureView::pictureRect() const
{
    const QSize shown = m_frame.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

std::optional<QPointF> CaptureView::framePixel(QPointF position) const
{
    if (m_frame.isNull()) {
        // Nothing drawn yet: the view's points stand for the frame's pixels.
        const double h = std::trunc(double(m_controller.height()));
        return QPointF(position.x(), h - (height() - position.y()));
    }
    const QRectF picture = pictureRect();
    if (!picture.contains(position))
        return std::nullopt;
    return QPointF(std::floor((position.x() - picture.left()) * m_frame.width() / picture.width()),
                   std::floor((position.y() - picture.top()) * m_frame.height() / picture.height()));
}

QPointF CaptureView::viewPoint(const QMouseEvent& event) const
{
    return {event.position().x(), height() - event.position().y()};
}

void CaptureView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_controller.scaleValue() < 1.0f)
        return;
    m_last = viewPoint(*event);
    if (event->modifiers() & Qt::ShiftModifier) {
        if (m_controller.scaleValue() > kHotPixelScale) {
            AlertPanel::runAlert(QString::fromLatin1(kScaleAlert), QStringLiteral(" "));
            return;
        }
        // The pixel under the click, as the picture is drawn scaled to fit the view.
        const std::optional<QPointF> pixel = framePixel(event->position());
        if (m_guide && pixel) {
            m_guide->setHotPoint(*pixel);
            m_guide->setIsNewSkip(true);
            m_guide->starCentroid(QPointF());
        }
        return;
    }
    if (m_guide) {
        m_guide->setHotPoint(QPointF());
        m_guide->setIsNewSkip(false);
        m_guide->resetSkipRect();
    }
    m_isPanning = true;
    setCursor(Qt::OpenHandCursor);
}

void CaptureView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_isPanning)
        return;
    const QPointF p = viewPoint(*event);
    const QPointF delta = p - m_last;
    m_last = p;
    m_controller.setScaleShiftX(delta.x(), delta.y());
    setCursor(Qt::ClosedHandCursor);
}

void CaptureView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_isPanning)
        return;
    m_isPanning = false;
    unsetCursor();
}
