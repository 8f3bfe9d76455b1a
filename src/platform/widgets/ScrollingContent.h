#pragma once

#include <QScrollArea>

class QWidget;

// Content in a scroll area, so that a window fits a small screen: it may be
// smaller than its content, which then scrolls, while on a screen with room
// it first opens at the content's full size. Room for the vertical scroll
// bar is kept, so that a window as wide as its content never scrolls
// sideways. It takes no keys and no focus of its own: the window's keys
// (Escape, the arrows) still reach the window.
class ScrollingContent final : public QScrollArea {
public:
    // The least part of the content the window keeps in view, in pixels.
    static constexpr QSize kSmallest{160, 120};

    // Moves `window`'s layout, with every widget in it, into a scroll area
    // that becomes the window's only content. Call once the layout is built;
    // the widgets keep their layout, which now lays out the scrolled content.
    // The window is fitted to the screen as it shows (ScreenFit), before any
    // placement installed earlier on it.
    static void wrap(QWidget& window);
    // `content` in a scroll area of its own, for one page of a window (a
    // tab's, say): the rest of the window stays in view as it scrolls. Null
    // leaves the area empty until its content is set (setWidget).
    static ScrollingContent* around(QWidget* content);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The most the content may be wider than the view without a sideways
    // scroll bar: what a scaled screen's rounding takes (the content loses
    // as much of its margin).
    static constexpr int kRounding = 1;

    ScrollingContent();
    int scrollBarWidth() const;
};
