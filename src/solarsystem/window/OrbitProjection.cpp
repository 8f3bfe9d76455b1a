#include "solarsystem/window/OrbitProjection.h"

#include "model/Angles.h"

#include <cmath>

namespace OrbitProjection {

double trueAnomaly(int t) { return t * kStepDegrees * Angles::kDegToRad; }

std::optional<double> conicRadius(double p, double e, double trueAnomaly)
{
    const double denominator = 1.0 + e * std::cos(trueAnomaly);
    if (!(denominator > 0.0))
        return std::nullopt;
    return p / denominator;
}

Vec3 ecliptic(double rho, double trueAnomaly, const OrbitPlace::Orientation& orbit)
{
    const double u = orbit.argPerihelion + trueAnomaly;
    const double cosU = std::cos(u);
    const double sinU = std::sin(u);
    const double cosNode = std::cos(orbit.node);
    const double sinNode = std::sin(orbit.node);
    const double cosIncl = std::cos(orbit.inclination);
    return {rho * (cosNode * cosU - sinNode * cosIncl * sinU),
            rho * (sinNode * cosU + cosNode * cosIncl * sinU),
            rho * std::sin(orbit.inclination) * sinU};
}

QPointF toView(const PlotView& view, const Vec3& place)
{
    const double sinRotate = std::sin(view.rotate);
    const double cosRotate = std::cos(view.rotate);
    return {view.hOffset + place.x * sinRotate + place.y * cosRotate,
            view.vOffset + place.z * std::cos(view.angle)
                + (place.x * cosRotate - place.y * sinRotate) * std::sin(view.angle)};
}

}  // namespace OrbitProjection
