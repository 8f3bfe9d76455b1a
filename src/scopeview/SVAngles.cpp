#include "scopeview/SVAngles.h"

#include "model/Angles.h"

#include <cmath>

namespace {

constexpr double kDiagonalEnlargement = 1.35;
// Objects this far (radians) beyond the field's edge still pass the cull, so
// that discs and labels crossing the edge are drawn.
constexpr double kCullMargin = 0.015;

}  // namespace

SVAngles SVAngles::calculate(double fovDegrees, double boundsWidth)
{
    SVAngles a;
    a.svAngle = fovDegrees * 0.5 * Angles::kDegToRad;
    const double h = boundsWidth * 0.5;
    a.svDiag = std::sqrt(2.0 * h * h) * kDiagonalEnlargement;
    a.svRadius = a.svDiag / std::sin(a.svAngle);
    a.svXLimit = std::cos(a.svAngle + kCullMargin);
    a.svOffset = float(h);
    return a;
}

double SVAngles::fieldEdgeRadius() const { return svDiag / (1.0 + std::cos(svAngle)); }
