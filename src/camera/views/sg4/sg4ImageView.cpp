#include "camera/views/sg4/sg4ImageView.h"

#include "camera/sg4/SG4Control.h"
#include "camera/views/sg4/SG4ImageDrawing.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor kDragColour(211, 211, 211);
constexpr qreal kDashOn = 10.0;
constexpr qreal kDashOff = 5.0;

QString modeName(quint8 mode)
{
    switch (mode) {
    case SG4Protocol::kMode1X1: return "1X1";
    case SG4Protocol::kModeCrop: return "1XC";
    case SG4Protocol::kMode2X2: return "2X2";
    case SG4Protocol::kModeSubFrame: return "sub";
    default: return {};
    }
}

}  // namespace

sg4ImageView::sg4ImageView(SG4Control& control, DebugWriter debug, QWidget* parent)
    : QWidget(parent), m_control(control), m_debug(std::move(debug))
{
    setFixedSize(SG4ImageDrawing::kViewWidth, SG4ImageDrawing::kViewHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void sg4ImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const std::shared_ptr<const SG4Image> image = m_control.sg4Image();
    if (!image) {
        m_debug("SG-4 drawRect image=nil");
    } else if (const std::optional<QRect> target = SG4ImageDrawing::targetFor(*image)) {
        m_debug(QString("SG-4 drawRect bin:%1").arg(modeName(image->readoutMode)));
        const QImage picture = SG4ImageDrawing::exposed(*image, m_control.sg4ExpFilter());
        if (picture.isNull()) {
            m_debug("SG-4 drawRect iRep=nil");
        } else {
            m_debug([&] {
                return QString("SG-4 drawRect drawImage, x=%1, y=%2, w=%3, h=%4")
                    .arg(target->x()).arg(target->y()).arg(target->width()).arg(target->height());
            });
            painter.drawImage(*target, picture);
        }
    } else {
        m_debug("SG-4 drawRect no bin");
    }
    if (m_isDragSubRect) {
        QPen pen(kDragColour);
        pen.setDashPattern({kDashOn, kDashOff});
        painter.setPen(pen);
        painter.drawRect(m_dragRect);
    }
}

void sg4ImageView::mousePressEvent(QMouseEvent* event)
{
    if (!m_control.sg4Image() || event->button() != Qt::LeftButton)
        return;
    m_press = event->position().toPoint();
    m_moved = false;
    m_dragRect = QRect(m_press, QSize(0, 0));
    m_isDragSubRect = true;
    setCursor(Qt::ClosedHandCursor);
}

void sg4ImageView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_isDragSubRect)
        return;
    m_moved = true;
    m_dragRect = SG4ImageDrawing::dragRect(m_press, event->position().toPoint());
    update();
}

void sg4ImageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_isDragSubRect || event->button() != Qt::LeftButton)
        return;
    m_isDragSubRect = false;
    unsetCursor();
    // A click without a drag has no square to define.
    if (m_moved) {
        const SG4ImageDrawing::SubFrame frame = SG4ImageDrawing::subFrameOf(m_press, event->position().toPoint());
        m_control.setSG4SubFrameXY(quint16(frame.x), quint16(frame.y));
        m_control.setSG4SubFrameSize(quint8(frame.side));
        m_control.sg4DefineSubFrameCmd();
    }
    update();
}
