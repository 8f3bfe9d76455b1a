#include "find/panels/PhotoView.h"

#include <QPaintEvent>
#include <QPainter>

void PhotoView::setPhoto(const QImage& photo)
{
    m_photo = photo;
    setFixedSize(photo.size());
    update();
}

void PhotoView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.drawImage(QPointF(0.0, 0.0), m_photo);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(Qt::darkGray);
    painter.drawRect(event->rect().adjusted(0, 0, -1, -1));
}
