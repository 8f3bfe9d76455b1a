#include "camera/views/canon/CanonImageView.h"

#include "camera/canon/CanonControl.h"
#include "camera/views/canon/CanonStillImage.h"
#include "platform/AlertPanel.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kGridGap = 10;
constexpr int kGridCircle = 20;
const QColor kGridColour(255, 0, 0, 191);
const QColor kBorderColour(128, 128, 128);

}  // namespace

CanonImageView::CanonImageView(CanonControl& control, DebugWriter debug, QWidget* parent)
    : QWidget(parent), m_control(control), m_debug(std::move(debug))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_control, &CanonControl::imageChanged, this, &CanonImageView::refresh);
    connect(&m_control, &CanonControl::scaleImageReset, this, [this] { setIsCanonScaleImage(false); });
}

CanonImageView::~CanonImageView() = default;

void CanonImageView::setIsCanonScaleImage(bool scale)
{
    m_isCanonScaleImage = scale;
    update();
}

void CanonImageView::refresh()
{
    m_filter.setAdjustments(m_control.canonFocusExposureScale(), m_control.canonSatValue());
    m_isLive = m_control.isCanonLiveView();
    if (m_isLive)
        showLiveFrame();
    else
        showStill();
    update();
}

void CanonImageView::showStill()
{
    m_hasCanonFocusImage = false;
    const QString path = m_control.canonFilePath();
    bool drawable = !m_still.isNull();
    if (!path.isEmpty() && m_control.isNewExposeImage()) {
        const QImage image = CanonStillImage::load(path);
        drawable = !image.isNull();
        if (drawable) {
            m_still = image;
            m_control.setIsNewExposeImage(false);
        }
    }
    m_shown = drawable ? m_filter.apply(m_still) : QImage();
    // A test image is shown, not kept.
    if (m_control.isCanonFileTestImage() && !path.isEmpty()) {
        QFile::remove(path);
        m_control.removeFilePath();
    }
}

void CanonImageView::showLiveFrame()
{
    const QString path = m_control.canonFilePath();
    if (m_control.isCanonFileTestImage() && m_control.isNewExposeImage() && !path.isEmpty()) {
        QFile::remove(path);
        m_control.removeFilePath();
    }
    const QImage frame = QImage::fromData(m_control.canonEvfData());
    if (frame.isNull()) {
        m_debug("Canon DrawRect: lvImage == nil");
        m_shown = QImage();
        return;
    }
    const QSizeF used = CanonFrameFilter::liveSize(frame.size());
    m_lvWidth = static_cast<float>(used.width());
    m_lvHeight = static_cast<float>(used.height());
    m_liveRect = CanonFrameFilter::liveRect(frame.size());
    m_shown = m_filter.apply(frame);
    if (m_control.isCanonMovieRecording())
        m_control.recordCanonMovie(m_shown.copy(m_liveRect));
    if (!m_hasCanonFocusImage) {
        m_canonFocusBuff = CanonFrameFilter::greyBuffer(m_shown, m_liveRect);
        m_hasCanonFocusImage = !m_canonFocusBuff.isEmpty();
    }
}

QRectF CanonImageView::sourceRect() const
{
    if (m_shown.isNull())
        return {};
    if (m_isLive)
        return m_liveRect;
    return CanonFrameFilter::stillRect(m_shown.size(), size(), m_canonMouseLoc, m_isCanonScaleImage,
                                       m_isCanonScaleOption);
}

void CanonImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_shown.isNull())
        painter.drawImage(QRectF(rect()), m_shown, sourceRect());
    if (m_control.isCanonGrid())
        drawGrid(painter);
    painter.setPen(kBorderColour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CanonImageView::drawGrid(QPainter& painter) const
{
    const int w = width();
    const int h = height();
    const int cx = w / 2;
    const int cy = h / 2;
    painter.setPen(kGridColour);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(cx, kGridGap, cx, cy - kGridGap);
    painter.drawLine(cx, cy + kGridGap, cx, h - kGridGap);
    painter.drawLine(kGridGap, cy, cx - kGridGap, cy);
    painter.drawLine(cx + kGridGap, cy, w - kGridGap, cy);
    painter.drawEllipse(QPoint(cx, cy), kGridCircle / 2, kGridCircle / 2);
}

void CanonImageView::mousePressEvent(QMouseEvent* event)
{
    m_isCanonScaleOption = event->modifiers().testFlag(Qt::AltModifier);
    if (m_control.isCanonMovieRecording()) {
        setIsCanonScaleImage(false);
        AlertPanel::beep();
        return;
    }
    const bool live = m_control.isCanonLiveView();
    if (m_still.isNull() && !live) {
        setIsCanonScaleImage(false);
        return;
    }
    m_canonMouseLoc = event->position();
    if (live) {
        // The camera's zoom takes the click from the bottom left.
        if (!m_control.setupCanonLiveViewPosition(m_canonMouseLoc.x(), height() - m_canonMouseLoc.y()))
            AlertPanel::beep();
        return;
    }
    setIsCanonScaleImage(!m_isCanonScaleImage);
}

void CanonImageView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_control.setViewBounds(width(), height());
}
