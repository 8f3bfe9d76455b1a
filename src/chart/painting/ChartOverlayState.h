#pragma once

#include <QPointF>
#include <QRectF>

// What the chart view keeps for the layers drawn over the sky: the chosen
// field-of-view outline and how far it was dragged, the monitor test strip,
// the copy marquee and the separation ruler the mouse leaves (view points,
// y upward), and whether the window fills the screen.
struct ChartOverlayState {
    int outlines = 0;      // the outline chosen, 0 for none
    QPointF outlineDelta;  // its offset from the chart centre
    QRectF outlineRect;    // where it was last drawn; the outline layer writes it
    bool isDragOutline = false;  // a press inside the outline: the drag moves it
    bool showMonitorAdjust = false;
    QRectF dragRect;   // the marquee
    QPointF startPt;   // the ruler's ends
    QPointF currentPt;
    bool isFullScreen = false;
};
