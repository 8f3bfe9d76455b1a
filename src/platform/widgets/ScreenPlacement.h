#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

// Where a window goes back when it lies partly outside the visible area of
// its screen (the one under its centre, else the one it overlaps most, else
// the nearest), and where a window opens over another.
namespace ScreenPlacement {

// Points between the screen's visible edge and a moved window.
inline constexpr int kInset = 30;
// Points between two windows placed side by side.
inline constexpr int kGap = 8;

// To kInset points in from the visible area's lower-left corner; one taller
// than the area shrinks to it, as far as it may, and keeps its top on it.
void toLowerLeft(QWidget& window);
// To kInset points in from the visible area's top-left corner.
void toTopLeft(QWidget& window);
// To a fixed point in global coordinates.
void toPoint(QWidget& window, QPoint at);
// kInset points inside `corner` of `area` (global coordinates; a chart's
// view, say), then kept inside the visible area. A window too tall for the
// screen below the area's top shrinks to fit there, as far as it may; one
// larger than the area hangs kInset points from its top-left corner rather
// than rise over what stands above or left of it.
void intoCorner(QWidget& window, const QRect& area, Qt::Corner corner);
// The part of `window` below its menu and tool bars (a main window's central
// widget), in global coordinates.
QRect contentArea(const QWidget& window);
// As intoCorner at a top corner, then moved down below `clear` (global
// coordinates; captions drawn in the area, say) when it would cover it.
void intoCornerClearOf(QWidget& window, const QRect& area, Qt::Corner corner, const QRect& clear);
// Into the top-left corner of the parent window's content (below its menu
// bar); without a parent, as toTopLeft.
void toParentTopLeft(QWidget& window);
// The least move that brings the window's frame inside the visible area of
// its screen, on any number of screens; a window larger than that area
// shrinks to it first. A maximised or full-screen window stays as it is.
void keepInside(QWidget& window);
// The most room the window's content has on its screen: the visible area
// less the frame the window manager adds, once it is known; none without a
// screen.
std::optional<QSize> contentRoom(const QWidget& window);

}  // namespace ScreenPlacement
