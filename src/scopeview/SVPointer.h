#pragma once

#include "scopeview/SVViewState.h"

#include <QPointF>

class QMouseEvent;
class QWheelEvent;
class SVView;

// The telescope view's pointer: clicks that select, track or toggle the
// Moon's labels, the separation and frame-rotation drags, the wheel's pan
// and power, and the pinch's power.
class SVPointer {
public:
    // Powers 6 to 8000, as ten times their base-2 logarithm.
    static constexpr double kMinZoom = 25.85;
    static constexpr double kMaxZoom = 129.66;

    explicit SVPointer(SVView& view) : m_view(view) {}

    void press(QMouseEvent* event, bool isDoubleClick);
    void move(QMouseEvent* event);
    void release();
    void wheel(QWheelEvent* event);
    // A pinch of `magnification` (relative change of size).
    void magnify(double magnification);

    // The power after a change of `steps` tenths of a doubling, clamped to 6..8000.
    static double zoomedPower(double power, double steps);
    // The field centre (radians of date) after the scale changes from
    // `radiusBefore` to `radiusAfter` (the stereographic scale, points), such
    // that the sky `offset` from the centre (view points, y up) stays there.
    static SVViewState::Centre movedCentre(SVViewState::Centre centre, QPointF offset, double radiusBefore,
                                           double radiusAfter);

private:
    enum class Drag { None, Separation, Rotation };

    void trackClick(QPointF p);
    bool toggleMoonLabel(QPointF p);
    void setPower(double power);
    // After a zoom: the pan that keeps the sky under the pointer (a view
    // point) where it was; the view still follows its tracked object or mount.
    void keepUnderPointer(QPointF viewPoint, double radiusBefore);

    SVView& m_view;
    Drag m_drag = Drag::None;
    double m_startAngle = 0.0;
};
