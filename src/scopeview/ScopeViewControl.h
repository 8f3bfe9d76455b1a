#pragma once

#include <QRectF>
#include <QString>

class QPainter;

// The telescope view window and its view as the menus and the toolbar drive
// them. Its visibility and redraw are those of ScopeViewWindow.
class ScopeViewControl {
public:
    virtual ~ScopeViewControl() = default;
    virtual void orderFront() = 0;
    virtual void orderOut() = 0;
    virtual bool isMiniaturized() const = 0;
    // Set while the user keeps the window closed; tracking does not reopen it.
    virtual bool keepSVClosed() const = 0;
    virtual void setKeepSVClosed(bool keepClosed) = 0;
    virtual void setTitle(const QString& title) = 0;
    // The view's centre with the user's pan offsets, degrees.
    virtual double trackRAPlus() const = 0;
    virtual double trackDecPlus() const = 0;
    // The view's centre without the pan offsets, radians of date, and its field, degrees.
    virtual double trackRA() const = 0;
    virtual double trackDec() const = 0;
    virtual double fov() const = 0;
    // Clears the user's pan offsets.
    virtual void resetDeltas() = 0;
    // Centres the view on a position, radians.
    virtual void setTrackRA(double ra, double dec) = 0;
    // A survey image is shown instead of the drawn field.
    virtual bool isDSSImage() const = 0;
    // Paints the printed view into `page` (points, y downward).
    virtual void printPage(QPainter& painter, const QRectF& page) = 0;
};
