#pragma once

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

private:
    enum class Drag { None, Separation, Rotation };

    void trackClick(QPointF p);
    bool toggleMoonLabel(QPointF p);
    void setPower(double power);

    SVView& m_view;
    Drag m_drag = Drag::None;
    double m_startAngle = 0.0;
};
