#include "platform/widgets/ScrollingContent.h"

#include "platform/widgets/ScreenFit.h"

#include <QKeyEvent>
#include <QScrollBar>
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
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(around(content));
    ScreenFit::install(window);
}

ScrollingContent* ScrollingContent::around(QWidget* content)
{
    auto* area = new ScrollingContent;
    if (content)
        area->setWidget(content);
    return area;
}

ScrollingContent::ScrollingContent()
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setFocusPolicy(Qt::NoFocus);
    // A fractional scale rounds the window's width and the content's apart.
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int most) {
        setHorizontalScrollBarPolicy(most <= kRounding ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    });
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

