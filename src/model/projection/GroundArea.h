#pragma once

#include "model/projection/ProjectionFrame.h"
#include "model/records/AltAzLocn.h"

#include <QPainterPath>
#include <QPointF>

#include <span>

// The ground: the area of the chart below the horizon, which the chart fills
// over the sky, in chart coordinates (y upward); and the point where the
// horizon crosses the vertical through the view centre.
class GroundArea {
public:
    // From the site's custom horizon, projected without a horizon cut (its
    // points get their `visible` flag and chart point; a point above the top
    // of the view is held just above it): the bottom of the view up to the
    // outline between its leftmost and rightmost visible points. False, with
    // nothing built, when no point is visible on both sides.
    bool buildCustom(std::span<AltAzLocn> points, const ProjectionFrame& frame);

    // The ground of the flat horizon, for a view angle in degrees: outside
    // the horizon circle in the all-sky chart, else below the horizon line
    // across the view; none when that line lies far below the view.
    void buildDefault(const ProjectionFrame& frame, double viewAngle, const QRectF& skyRect);

    // Where the horizon crosses the vertical through the view centre.
    void placeHorizonPoint(const ProjectionFrame& frame);

    const QPainterPath& horizonPath() const { return m_horizonPath; }
    // A ground area was built and should be drawn.
    bool isHorizon() const { return m_isHorizon; }
    QPointF horizonPt() const { return m_horizonPt; }

private:
    QPainterPath m_horizonPath;
    bool m_isHorizon = false;
    QPointF m_horizonPt;
};
