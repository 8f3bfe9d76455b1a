#include "chart/controls/PanStep.h"

#include "chart/controls/ViewLimits.h"

#include <algorithm>
#include <cmath>

namespace {

// 80 degrees, the widest altitude the azimuth step is scaled for.
constexpr double kMaxScaledAltitude = 1.3962634015954638;

double boundedAsin(double x) { return std::asin(std::clamp(x, -1.0, 1.0)); }

}  // namespace

ViewDirection panStep(ViewDirection view, QPointF move, double radius, double mouseAlt, bool showBelow)
{
    if (!(radius > 0.0) || !std::isfinite(move.x()) || !std::isfinite(move.y()))
        return view;
    const double alt = std::isfinite(mouseAlt) ? std::abs(mouseAlt) * Angles::kDegToRad : 0.0;
    const double a = std::min(alt, kMaxScaledAltitude);
    const double azimuthChange = boundedAsin(2.0 * move.x() / radius) / std::cos(a) * Angles::kRadToDeg;
    const double altitudeChange = boundedAsin(2.0 * move.y() / radius) * Angles::kRadToDeg;
    return {ViewLimits::azimuth(view.azimuth - azimuthChange),
            ViewLimits::altitude(view.altitude + altitudeChange, showBelow)};
}
