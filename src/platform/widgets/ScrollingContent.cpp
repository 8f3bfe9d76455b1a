#include "platform/widgets/ScrollingContent.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

void ScrollingContent::wrap(QWidget& window)
{
    QLayout* layout = window.layout();
    if (!layout)
        return;
    // A window's layout has wider margins than a widget's inside it.
    const QMargins margins = layout->contentsMargins();
    auto* content = new QWidget;
    // The layout moves, and takes its widgets along.
    content->setLayout(layout);
    layout->setContentsMargins(margins);
    auto* area = new ScrollingContent(window);
    area->setWidget(content);
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(area);
}

ScrollingContent::ScrollingContent(QWidget& window) : QScrollArea(&window), m_window(window)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setFocusPolicy(Qt::NoFocus);
    window.installEventFilter(this);
}

// Room for the scroll bar is kept beside the content, so that the content
// keeps its width once it scrolls.
QSize ScrollingContent::sizeHint() const
{
    if (!widget())
        return QScrollArea::sizeHint();
    return widget()->sizeHint() + QSize(scrollBarWidth(), 0);
}

QSize ScrollingContent::minimumSizeHint() const
{
    if (!widget())
        return QScrollArea::minimumSizeHint();
    return (widget()->minimumSizeHint() + QSize(scrollBarWidth(), 0)).boundedTo(kSmallest);
}

int ScrollingContent::scrollBarWidth() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void ScrollingContent::keyPressEvent(QKeyEvent* event)
{
    // Unused by the content, a key goes on to the window.
    event->ignore();
}

bool ScrollingContent::eventFilter(QObject* watched, QEvent* event)
{
    // Shown with the size Qt chose (at most two thirds of the screen), not
    // one it was given.
    if (watched == &m_window && event->type() == QEvent::Show && !m_window.testAttribute(Qt::WA_Resized))
        fitToScreen();
    return QScrollArea::eventFilter(watched, event);
}

void ScrollingContent::fitToScreen()
{
    const QScreen* screen = QGuiApplication::screenAt(m_window.geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame the window manager adds, once it is known.
    const QSize frame = m_window.frameGeometry().size() - m_window.size();
    const QSize room = screen->availableGeometry().size() - frame;
    m_window.resize(m_window.sizeHint().boundedTo(room).expandedTo(m_window.minimumSizeHint()));
}
