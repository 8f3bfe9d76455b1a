#include "chart/painting/TwilightShading.h"

#include "model/Angles.h"
#include "model/projection/ViewScale.h"
#include "model/records/BodyNumber.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Enough stops that the sampled shading shows no bands.
constexpr int kStops = 64;
constexpr float kMaxMistRadius = 32000.0f;
// The mist's band, as a share of the chart radius.
constexpr double kMistBand = 0.12941;

template <class Function>
void addStops(QGradient& gradient, const TwilightShading::Color& comps, Function function)
{
    for (int i = 0; i <= kStops; ++i) {
        const float t = float(i) / float(kStops);
        TwilightShading::Color c = function(comps, t);
        for (float& component : c)
            component = std::clamp(component, 0.0f, 1.0f);
        gradient.setColorAt(double(t), QColor::fromRgbF(c[0], c[1], c[2], c[3]));
    }
}

}  // namespace

TwilightShading::Color TwilightShading::evaluate(const Color& comps, float t)
{
    const bool isEvening = comps[3] != 0.0f;
    const float k = isEvening ? 0.0f : 1.0f;
    const float m = isEvening ? 0.1f : 0.0f;
    const float blue = comps[2];
    return {comps[0] * t + (1.0f - t), comps[1] * t + k * (1.0f - t), blue * t + m * (1.0f - t),
            1.0f - blue * blue * blue};
}

TwilightShading::Color TwilightShading::evaluate2(const Color& comps, float t)
{
    const float a = comps[3];
    const float alpha = a >= -18.0f ? (-6.0f - a) / 6.0f : 1.0f;
    return {0.24f * t, 0.2f * t, 0.32f * t, alpha};
}

void TwilightShading::drawTwilightShading(ChartCanvas& canvas, const ChartSky& sky, const QRectF& skyViewRect)
{
    if (sky.planets.empty())
        return;
    const planet& sun = sky.planets[BodyNumber::kSun];
    m_startPoint = QPointF(sun.screenX, sun.screenY);
    m_endRadius = float(6.0 * sky.radius / 45.0);
    const float b = std::min(1.0f, float(sky.sunAlt * Angles::kRadToDeg / 6.0 + 1.0));
    if (m_startPoint.x() > skyViewRect.width() + m_endRadius || m_startPoint.x() < -m_endRadius)
        return;
    m_bgColorComps = {0.9f * b * b, 0.9f * b * b, b, sky.isDatePM ? 1.0f : 0.0f};
    m_startPoint.ry() -= 0.5 * m_endRadius;
    if (!(m_endRadius > 0.0f))
        return;

    QRadialGradient glow(m_startPoint, m_endRadius);
    addStops(glow, m_bgColorComps, evaluate);
    // Beyond its circle the glow goes on in the sky colour over the sky
    // colour, which changes nothing: only the circle's square is filled.
    const QRectF square(m_startPoint.x() - m_endRadius, m_startPoint.y() - m_endRadius, 2.0 * m_endRadius,
                        2.0 * m_endRadius);
    canvas.fillRect(square & skyViewRect, glow);
}

void TwilightShading::drawMist(ChartCanvas& canvas, const ChartSky& sky, const QRectF& skyViewRect,
                               double altitude, double viewAngle)
{
    m_bgColorComps[3] = float(sky.sunAlt * Angles::kRadToDeg);
    m_startPoint.setX(skyViewRect.x() + skyViewRect.width() / 2.0);
    double baseY = 0.0;
    if (viewAngle <= ViewScale::kAllSkyAngle) {
        m_endRadius = float(sky.radius / (std::sin(altitude * Angles::kDegToRad) + 1e-5));
        baseY = sky.horizonPt.y();
    } else {
        m_endRadius = float(sky.radius);
        baseY = skyViewRect.y() + 0.5 * skyViewRect.height() - sky.radius;
    }
    m_endRadius = std::min(m_endRadius, kMaxMistRadius);
    m_startRadius = float(double(m_endRadius) - kMistBand * sky.radius);
    m_startPoint.setY(baseY + m_endRadius);
    if (!(m_startRadius > 0.0f) || !(m_endRadius > m_startRadius))
        return;

    // The stops' colours change only with the mist's opacity.
    const float alpha = evaluate2(m_bgColorComps, 1.0f)[3];
    std::vector<double> key{skyViewRect.x(),      skyViewRect.y(),      skyViewRect.width(),
                            skyViewRect.height(), m_startPoint.x(),     m_startPoint.y(),
                            double(m_startRadius), double(m_endRadius), double(alpha)};
    m_mist.draw(canvas, std::move(key), [&](ChartCanvas& target) {
        // From the inner circle outward, and on beyond the outer one;
        // nothing inside the inner circle.
        QRadialGradient mist(m_startPoint, m_endRadius, m_startPoint, m_startRadius);
        addStops(mist, m_bgColorComps, evaluate2);
        QPainterPath chart;
        chart.addRect(skyViewRect);
        QPainterPath inner;
        inner.addEllipse(m_startPoint, m_startRadius, m_startRadius);
        target.fillPath(chart.subtracted(inner), mist);
    });
}
