#include "platform/widgets/ScreenPlacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace ScreenPlacement {

namespace {

// Squared distance from `point` to the nearest point of `area`.
qint64 distanceSquared(const QPoint& point, const QRect& area)
{
    const qint64 dx = point.x() - std::clamp(point.x(), area.left(), area.right());
    const qint64 dy = point.y() - std::clamp(point.y(), area.top(), area.bottom());
    return dx * dx + dy * dy;
}

// The screen under the frame's centre; with the centre off every screen (a
// window hanging off the edge of a screen of its own), the one it shows most
// on, else the nearest: a window never jumps to another screen because its
// centre went past an edge.
const QScreen* screenOf(const QRect& frame)
{
    if (const QScreen* screen = QGuiApplication::screenAt(frame.center()))
        return screen;
    const QScreen* best = nullptr;
    qint64 bestOverlap = 0;
    qint64 bestDistance = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect overlap = screen->geometry().intersected(frame);
        const qint64 area = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
        const qint64 distance = distanceSquared(frame.center(), screen->geometry());
        if (!best || area > bestOverlap || (area == bestOverlap && area == 0 && distance < bestDistance)) {
            best = screen;
            bestOverlap = area;
            bestDistance = distance;
        }
    }
    return best ? best : QGuiApplication::primaryScreen();
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

// Shrinks the window, as far as it may, until its frame fits `room`.
void shrinkTo(QWidget& window, const QSize& room)
{
    const QSize frame = window.frameGeometry().size();
    const QSize overflow(std::max(0, frame.width() - room.width()), std::max(0, frame.height() - room.height()));
    if (!overflow.isNull())
        window.resize(window.size() - overflow);
}

}  // namespace

void toLowerLeft(QWidget& window)
{
    if (const std::optional<QRect> visible = visibleAreaLeft(window)) {
        window.move(visible->left() + kInset, visible->bottom() - window.frameGeometry().height() - kInset);
        // One taller than the area shrinks, its title bar kept on screen.
        keepInside(window);
    }
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
    // A window too tall for the screen below the area's top shrinks rather
    // than rise over what stands above the area (a menu bar, say).
    if (const QScreen* screen = screenOf(area)) {
        const QRect visible = screen->availableGeometry();
        const QRect below(QPoint(visible.left(), std::clamp(area.top(), visible.top(), visible.bottom())),
                          visible.bottomRight());
        shrinkTo(window, below.size() - QSize(2 * kInset, 2 * kInset));
    }
    const QSize size = window.frameGeometry().size();
    const bool right = corner == Qt::TopRightCorner || corner == Qt::BottomRightCorner;
    const bool bottom = corner == Qt::BottomLeftCorner || corner == Qt::BottomRightCorner;
    const int x = right ? area.right() + 1 - kInset - size.width() : area.left() + kInset;
    const int y = bottom ? area.bottom() + 1 - kInset - size.height() : area.top() + kInset;
    // Larger than the area, it hangs from the area's top-left corner.
    window.move(std::max(x, area.left() + kInset), std::max(y, area.top() + kInset));
    keepInside(window);
}

QRect contentArea(const QWidget& window)
{
    const auto* main = qobject_cast<const QMainWindow*>(&window);
    const QWidget& content = main && main->centralWidget() ? *main->centralWidget() : window;
    return QRect(content.mapToGlobal(QPoint(0, 0)), content.size());
}

void intoCornerClearOf(QWidget& window, const QRect& area, Qt::Corner corner, const QRect& clear)
{
    intoCorner(window, area, corner);
    const QRect frame = window.frameGeometry();
    if (!frame.intersects(clear))
        return;
    window.move(frame.left(), clear.bottom() + 1 + kInset);
    keepInside(window);
}

void toParentTopLeft(QWidget& window)
{
    const QWidget* parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (!parent || !parent->isVisible()) {
        toTopLeft(window);
        return;
    }
    intoCorner(window, contentArea(*parent), Qt::TopLeftCorner);
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
    shrinkTo(window, visible.size());
    frame = window.frameGeometry();
    // The top-left corner wins when the window is still larger than the area.
    const int x = std::max(visible.left(), std::min(frame.left(), visible.right() + 1 - frame.width()));
    const int y = std::max(visible.top(), std::min(frame.top(), visible.bottom() + 1 - frame.height()));
    if (x != frame.left() || y != frame.top())
        window.move(x, y);
}

std::optional<QSize> contentRoom(const QWidget& window)
{
    const QScreen* screen = screenOf(window.frameGeometry());
    if (!screen)
        return std::nullopt;
    return screen->availableGeometry().size() - (window.frameGeometry().size() - window.size());
}

}  // namespace ScreenPlacement
