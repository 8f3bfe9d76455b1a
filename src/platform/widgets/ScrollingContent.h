#pragma once

#include <QScrollArea>

class QWidget;

// A window's content in a scroll area, so that the window fits a small
// screen: it may be smaller than its content, which then scrolls, while on a
// screen with room it first opens at the content's full size. Room for the
// vertical scroll bar is kept, so that a window as wide as its content never
// scrolls sideways. It takes no keys and no focus of its own: the window's
// keys (Escape, the arrows) still reach the window.
class ScrollingContent final : public QScrollArea {
public:
    // The least part of the content the window keeps in view, in pixels.
    static constexpr QSize kSmallest{160, 120};

    // Moves `window`'s layout, with every widget in it, into a scroll area
    // that becomes the window's only content. Call once the layout is built;
    // the widgets keep their layout, which now lays out the scrolled content.
    // The window is fitted to the screen as it shows, before any placement
    // installed earlier on it (the last event filter installed acts first).
    static void wrap(QWidget& window);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ScrollingContent(QWidget& window);
    int scrollBarWidth() const;
    // At a show with no size given (none restored, none set since): the
    // whole content, or as much as the screen's work area holds.
    void fitToScreen();

    QWidget& m_window;
};
