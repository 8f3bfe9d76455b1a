#pragma once

#include "skydraw/KeptPicture.h"

#include <QPointF>
#include <QRectF>

#include <array>

class ChartCanvas;
class QRadialGradient;
struct ChartSky;

// The sky's radial shadings: the twilight glow around the Sun, red in the
// evening and yellow in the morning, fading into the sky colour; and the mist
// along the horizon that thickens as the Sun sinks from −6° to −12°. Each
// shading's colours come from its function of t, 0 at the inner circle and 1
// at the outer, sampled into gradient stops.
class TwilightShading {
public:
    // Red, green, blue, alpha in [0, 1].
    using Color = std::array<float, 4>;

    // The glow at t for the sky colour and evening flag in `bgColorComps`.
    static Color evaluate(const Color& bgColorComps, float t);
    // The mist at t for the Sun's altitude (degrees) in bgColorComps[3].
    static Color evaluate2(const Color& bgColorComps, float t);

    // `skyViewRect` is the chart's rectangle (points).
    void drawTwilightShading(ChartCanvas& canvas, const ChartSky& sky, const QRectF& skyViewRect);
    // `altitude` is the view centre's (degrees), `viewAngle` the chart's field.
    void drawMist(ChartCanvas& canvas, const ChartSky& sky, const QRectF& skyViewRect, double altitude,
                  double viewAngle);

    // The geometry of the last shading.
    const Color& bgColorComps() const { return m_bgColorComps; }
    QPointF startPoint() const { return m_startPoint; }
    float startRadius() const { return m_startRadius; }
    float endRadius() const { return m_endRadius; }
    // Whether the last mist was copied from its kept picture.
    bool wasMistKept() const { return m_mist.wasKept(); }

private:
    Color m_bgColorComps{};
    QPointF m_startPoint;
    float m_startRadius = 0.0f;
    float m_endRadius = 0.0f;
    // The mist stays the same while the view pans along the horizon.
    KeptPicture m_mist;
};
