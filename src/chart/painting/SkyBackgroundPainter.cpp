#include "chart/painting/SkyBackgroundPainter.h"

#include "model/Angles.h"
#include "model/records/BodyNumber.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"

#include <algorithm>

namespace {

constexpr double kCivilTwilight = -6.0;
// Half the side of the square about the Sun that the Moon must be in.
constexpr double kEclipseFactor = 0.004712371539373433 * 0.025;
const QColor kEclipseColor = QColor::fromRgbF(0.4f, 0.4f, 0.5f);

}  // namespace

QColor SkyBackgroundPainter::skyColor(double sunAltDeg)
{
    const float b = std::min(1.0f, float(sunAltDeg / 6.0 + 1.0));
    const float rg = std::clamp(0.9f * b * b, 0.0f, 1.0f);
    return QColor::fromRgbF(rg, rg, std::clamp(b, 0.0f, 1.0f));
}

bool SkyBackgroundPainter::isEclipse(const ChartSky& sky) const
{
    if (sky.planets.size() <= std::size_t(BodyNumber::kMoon))
        return false;
    const planet& sun = sky.planets[BodyNumber::kSun];
    const planet& moon = sky.planets[BodyNumber::kMoon];
    const double r = sky.radius * kEclipseFactor;
    const double left = double(sun.screenX) - r;
    const double bottom = double(sun.screenY) - r;
    const double x = moon.screenX;
    const double y = moon.screenY;
    return x >= left && x < left + 2.0 * r && y >= bottom && y < bottom + 2.0 * r;
}

void SkyBackgroundPainter::paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect, double viewAngle)
{
    const double a = sky.sunAlt * Angles::kRadToDeg;
    const bool isTwilight = m_prefs.isAstroTwilight();
    if (m_prefs.isMist() && sky.isHorizon && !m_prefs.isBelow() && a < kCivilTwilight)
        m_twilightShading.drawMist(canvas, sky, rect, m_prefs.altitude(), viewAngle);
    if (isTwilight && a >= kCivilTwilight) {
        canvas.fillRect(rect, skyColor(a));
        if (a < 0.0)
            m_twilightShading.drawTwilightShading(canvas, sky, rect);
    }
    if (isTwilight && a > 0.0 && isEclipse(sky))
        canvas.fillRect(rect, kEclipseColor);
    if (sky.isHorizon && m_prefs.isBelow())
        canvas.fillPath(sky.horizonPath, m_prefs.horizonColor());
}
