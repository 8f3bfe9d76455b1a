#include "chart/panels/InfoPanelDrag.h"

#include "chart/panels/ReadoutText.h"
#include "platform/widgets/ImageFile.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>

namespace {

// Where the drag picture sits against the mouse.
constexpr QPoint kDragImageOffset(24, -11);

}  // namespace

InfoPanelDrag::InfoPanelDrag(int tag, const QString& title, const QString& dragImage, QWidget* parent)
    : QPushButton(title, parent), m_tag(tag), m_dragImage(dragImage)
{
    setAcceptDrops(isBox());
}

void InfoPanelDrag::mousePressEvent(QMouseEvent* event)
{
    if (isBox()) {
        setText(QString());
        emit infoPanelDrag(ReadoutText::Empty, m_tag);
        return;
    }
    if (!isTile()) {
        QPushButton::mousePressEvent(event);
        return;
    }
    auto* mime = new QMimeData;
    mime->setText(QString::number(m_tag));
    QDrag drag(this);
    drag.setMimeData(mime);
    const QPixmap image = QPixmap::fromImage(ImageFile::image(m_dragImage));
    drag.setPixmap(image.isNull() ? grab() : image);
    drag.setHotSpot(kDragImageOffset);
    drag.exec(Qt::CopyAction);
}

void InfoPanelDrag::dragEnterEvent(QDragEnterEvent* event)
{
    const auto* tile = qobject_cast<const InfoPanelDrag*>(event->source());
    if (isBox() && event->mimeData()->hasText() && tile && tile->isTile()) {
        event->acceptProposedAction();
        setHighlighted(true);
    } else {
        event->ignore();
    }
}

void InfoPanelDrag::dragLeaveEvent(QDragLeaveEvent* event)
{
    setHighlighted(false);
    QPushButton::dragLeaveEvent(event);
}

void InfoPanelDrag::dropEvent(QDropEvent* event)
{
    setHighlighted(false);
    if (takeDrop(*event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

bool InfoPanelDrag::takeDrop(const QMimeData& data)
{
    bool isNumber = false;
    const int code = data.hasText() ? data.text().trimmed().toInt(&isNumber) : 0;
    if (!isBox() || !isNumber || code <= ReadoutText::Empty || code >= ReadoutText::CodeCount)
        return false;
    setText(ReadoutText::label(code));
    emit infoPanelDrag(code, m_tag);
    return true;
}

void InfoPanelDrag::setHighlighted(bool on)
{
    setDown(on);
}
