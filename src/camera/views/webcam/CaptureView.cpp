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
    QSize shown = m_frame.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_frame);
}

QPointF CaptureView::viewPoint(const QMouseEvent& event) const
{
    return {event.position().x(), height() - event.position().y()};
}

void CaptureView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_controller.scaleValue() < 1.0f)
        return;
    const double h = std::trunc(double(m_controller.height()));
    const QPointF p = viewPoint(*event);
    m_last = p;
    if (event->modifiers() & Qt::ShiftModifier) {
        if (m_controller.scaleValue() > kHotPixelScale) {
            AlertPanel::runAlert(QString::fromLatin1(kScaleAlert), QStringLiteral(" "));
            return;
        }
        if (m_guide) {
            m_guide->setHotPoint(QPointF(p.x(), h - p.y()));
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
