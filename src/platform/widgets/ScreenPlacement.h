#pragma once

#include <QPoint>

class QWidget;

// Where a window goes back when it lies partly outside the visible area of
// the only screen. With several screens the window system's placement stands.
namespace ScreenPlacement {

// Points between the screen's visible edge and a moved window.
inline constexpr int kInset = 30;
// Points between two windows placed side by side.
inline constexpr int kGap = 8;

// To kInset points in from the visible area's lower-left corner.
void toLowerLeft(QWidget& window);
// To kInset points in from the visible area's top-left corner.
void toTopLeft(QWidget& window);
// To a fixed point in global coordinates.
void toPoint(QWidget& window, QPoint at);
// The least move that brings the window's frame inside the visible area of
// the screen under its centre (or the first screen), on any number of screens;
// a window larger than that area shrinks to it first.
void keepInside(QWidget& window);

}  // namespace ScreenPlacement
