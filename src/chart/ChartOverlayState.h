#pragma once

#include <QPointF>
#include <QRectF>

// What the mouse leaves on the chart for the overlays to draw; chart points,
// y upward.
struct ChartOverlayState {
    // The copy marquee; drawn while both its width and height are non-zero.
    QRectF dragRect;
    // The separation ruler's ends; drawn while the start is not the origin.
    QPointF startPt;
    QPointF currentPt;
    // How far the field-of-view outline has been dragged, and where it was
    // last drawn.
    float outlineDeltaX = 0.0f;
    float outlineDeltaY = 0.0f;
    QRectF outlineRect;
    // A press inside the outline: the drag moves the outline.
    bool isDragOutline = false;
};
