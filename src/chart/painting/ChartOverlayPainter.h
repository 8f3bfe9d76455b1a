#pragma once

#include "skydraw/LabelCache.h"

#include <QPointF>
#include <QRectF>

#include <optional>

class ChartCanvas;
class PrefControl;
struct ChartOverlayState;
struct ChartSky;

// What lies over the sky: the grey test strip for adjusting the monitor,
// the captions on a dark plate while a tour is being built by clicking, the frame around the
// chart (not in full screen), and the copy marquee or, without one, the
// separation ruler with its angle.
class ChartOverlayPainter {
public:
    explicit ChartOverlayPainter(const PrefControl& prefs) : m_prefs(prefs) {}

    void paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect, const ChartOverlayState& state);

    // The angle (degrees) between the sky directions under two chart
    // points; none when either point has no place on the sky.
    static std::optional<double> separation(const ChartSky& sky, QPointF from, QPointF to);
    // The ruler's text: one decimal and the degree sign.
    static QString separationText(double degrees);
    // Where the captions' plate stands on a chart of `rect` (chart points, y
    // upward) while a tour is being built, in the fonts `prefs` holds.
    static QRectF tourCaptionsPlate(const PrefControl& prefs, const QRectF& rect);

private:
    void paintMonitorAdjust(ChartCanvas& canvas, const QRectF& rect);
    void paintTourCaptions(ChartCanvas& canvas, const QRectF& rect);
    void paintRuler(ChartCanvas& canvas, const ChartSky& sky, const ChartOverlayState& state);

    const PrefControl& m_prefs;
    LabelCache m_captionLabels;
    LabelCache m_hintLabels;
    LabelCache m_rulerLabels;
};
