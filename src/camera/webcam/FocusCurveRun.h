#pragma once

#include <QPointF>

// A focuser window's focus-curve run as the webcam marks its star: the point
// is in frame pixels, rows from the top; the zero point means none.
class FocusCurveRun {
public:
    virtual ~FocusCurveRun() = default;
    virtual bool isCurveRun() const = 0;
    virtual QPointF curvePt() const = 0;
};
