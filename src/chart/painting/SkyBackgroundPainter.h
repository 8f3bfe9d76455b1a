#pragma once

#include "chart/painting/TwilightShading.h"

#include <QColor>

class ChartCanvas;
class PrefControl;
struct ChartSky;

// The sky behind every layer: coloured by the Sun's altitude in twilight
// (with the Sun's glow), the mist along the horizon at night, the darkening
// of a solar eclipse, and the ground when what lies below the horizon is
// shown. Screen only.
class SkyBackgroundPainter {
public:
    explicit SkyBackgroundPainter(const PrefControl& prefs) : m_prefs(prefs) {}

    // Over the black-filled `rect`; `viewAngle` is the chart's field (degrees).
    void paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect, double viewAngle);

    // The sky colour for the Sun at `sunAltDeg` in twilight: from black at
    // −6° to a pale blue from 0° on.
    static QColor skyColor(double sunAltDeg);

    TwilightShading& twilightShading() { return m_twilightShading; }

private:
    bool isEclipse(const ChartSky& sky) const;

    const PrefControl& m_prefs;
    TwilightShading m_twilightShading;
};
