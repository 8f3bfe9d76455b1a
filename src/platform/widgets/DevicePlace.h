#pragma once

#include <QPoint>

#include <optional>

class QWidget;

// A window's place in the screen's own pixels. On a screen scaled by a
// fraction (150 %) the program places windows in logical points, and not
// every pixel is a whole point: a window the user dragged to such a pixel
// would go back a pixel off through them. On X11 the place is read and set
// in pixels; elsewhere there is none.
namespace DevicePlace {

// The top-left corner of the window's content, in pixels of the root
// window; none off X11 or before the window system's window exists.
std::optional<QPoint> of(const QWidget& window);
// Moves the content's top-left corner to `pixels`: at once while the window
// is hidden, through the window manager while it shows. False, and nothing
// done, off X11, when the window system's window does not exist or when the
// window manager would take the place for the frame's.
bool moveTo(QWidget& window, QPoint pixels);

}  // namespace DevicePlace
