#include "platform/widgets/ScreenPlacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace ScreenPlacement {

namespace {

const QScreen* screenOf(const QRect& frame)
{
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    return screen ? screen : QGuiApplication::primaryScreen();
}

// The visible area of the window's screen when the window does not lie wholly
// inside it.
std::optional<QRect> visibleAreaLeft(const QWidget& window)
{
    const QScreen* screen = screenOf(window.frameGeometry());
    if (!screen)
        return std::nullopt;
    const QRect visible = screen->availableGeometry();
    if (visible.contains(window.frameGeometry()))
        return std::nullopt;
    return visible;
}

}  // namespace

void toLowerLeft(QWidget& window)
{
    if (const std::optional<QRect> visible = visibleAreaLeft(window))
        window.move(visible->left() + kInset, visible->bottom() - window.frameGeometry().height() - kInset);
}

void toTopLeft(QWidget& window)
{
    if (const std::optional<QRect> visible = visibleAreaLeft(window))
        window.move(visible->topLeft() + QPoint(kInset, kInset));
}

void toPoint(QWidget& window, QPoint at)
{
    if (visibleAreaLeft(window))
        window.move(at);
}

void intoCorner(QWidget& window, const QRect& area, Qt::Corner corner)
{
    const QSize size = window.frameGeometry().size();
    const bool right = corner == Qt::TopRightCorner || corner == Qt::BottomRightCorner;
    const bool bottom = corner == Qt::BottomLeftCorner || corner == Qt::BottomRightCorner;
    const int x = right ? area.right() + 1 - kInset - size.width() : area.left() + kInset;
    const int y = bottom ? area.bottom() + 1 - kInset - size.height() : area.top() + kInset;
    window.move(x, y);
    keepInside(window);
}

void toParentTopLeft(QWidget& window)
{
    const QWidget* parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (!parent || !parent->isVisible()) {
        toTopLeft(window);
        return;
    }
    const auto* main = qobject_cast<const QMainWindow*>(parent);
    const QWidget& content = main && main->centralWidget() ? *main->centralWidget() : *parent;
    intoCorner(window, QRect(content.mapToGlobal(QPoint(0, 0)), content.size()), Qt::TopLeftCorner);
}

void keepInside(QWidget& window)
{
    // The window system sizes a maximised or full-screen window itself.
    if (window.isMaximized() || window.isFullScreen())
        return;
    QRect frame = window.frameGeometry();
    const QScreen* screen = screenOf(frame);
    if (!screen)
        return;
    const QRect visible = screen->availableGeometry();
    // A window larger than the area shrinks to it, as far as it may.
    const QSize overflow(std::max(0, frame.width() - visible.width()), std::max(0, frame.height() - visible.height()));
    if (!overflow.isNull()) {
        window.resize(window.size() - overflow);
        frame = window.frameGeometry();
    }
    // The top-left corner wins when the window is still larger than the area.
    const int x = std::max(visible.left(), std::min(frame.left(), visible.right() + 1 - frame.width()));
    const int y = std::max(visible.top(), std::min(frame.top(), visible.bottom() + 1 - frame.height()));
    if (x != frame.left() || y != frame.top())
        window.move(x, y);
}

}  // namespace ScreenPlacement
