#pragma once

#include <QPointF>

class QWheelEvent;

// What a wheel event asks of a sky view on a Linux desktop. Window managers
// keep Alt+wheel for themselves, so a mouse's plain wheel zooms; Shift or
// Ctrl with the wheel, and a touchpad's two-finger scroll, move the view.
// As everywhere on the desktop, a Shift-held wheel scrolls sideways.
struct WheelIntent {
    enum class Kind { Zoom, Move };

    Kind kind = Kind::Move;
    // Wheel steps in notches (one notch = 1.0), x right, y away from the user.
    QPointF notches;
    // Set for a mouse wheel turned with Shift (and not Ctrl).
    bool isSideways = false;

    // The steps as the view scrolls: a sideways wheel's turn away from the
    // user scrolls left, as on the rest of the desktop.
    QPointF scrolled() const { return isSideways ? notches.transposed() : notches; }

    static WheelIntent read(const QWheelEvent& event);
};
