#include "platform/widgets/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace ScreenPlacement {

namespace {

// The only screen's visible area when the window does not lie wholly inside it.
std::optional<QRect> visibleAreaLeft(const QWidget& window)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() != 1)
        return std::nullopt;
    const QRect visible = screens.front()->availableGeometry();
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

void keepInside(QWidget& window)
{
    QRect frame = window.frameGeometry();
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
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
