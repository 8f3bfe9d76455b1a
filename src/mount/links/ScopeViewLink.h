#pragma once

#include <QString>

// The telescope view window and its view, as the mount controller moves and
// shows them.
class ScopeViewLink {
public:
    virtual ~ScopeViewLink() = default;
    virtual bool isWindowVisible() const = 0;
    virtual bool isMiniaturized() const = 0;
    // The user closed the view and wants it kept closed.
    virtual bool keepSVClosed() const = 0;
    virtual void setKeepSVClosed(bool closed) = 0;
    // Shows the window and raises it; the keyboard stays where it is (with
    // the hand panel the connection has just put up).
    virtual void showInFront() = 0;
    virtual void setWindowTitle(const QString& title) = 0;
    // The view's field centre, radians of date.
    virtual void setTrackRA(double ra, double dec) = 0;
    virtual void setNeedsDisplay() = 0;
    // Rebuilds the drawer for the connected telescope.
    virtual void setupDrawer() = 0;
};
