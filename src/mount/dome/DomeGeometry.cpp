#include "mount/dome/DomeGeometry.h"

#include "model/Angles.h"
#include "mount/dome/DomeMount.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// The tube's offset with its sign: a German mount carries the tube on the
// west of the pier for one half of the sky and the east for the other, and
// which half depends on which way the telescope came.
double tubeOffset(const DomeGeometry& g, const DomeAim& aim)
{
    if (!aim.inferTubeSide)
        return g.smallR;
    const double a = aim.scopeAzimuth;
    const double a0 = aim.previousAzimuth;
    const bool cameFromEast = a < a0 || (a > a0 && std::abs(a0 - a) > 180.0);
    const bool otherSide = cameFromEast ? (a > 180.0 - g.flip && a < 360.0 - g.flip)
                                        : (a < g.flip || a > g.flip + 180.0);
    return otherSide ? -g.smallR : g.smallR;
}

}  // namespace

std::optional<double> calcDomeAzimuth(const DomeGeometry& g, const DomeAim& aim)
{
    if (!aim.isGEM)
        return aim.scopeAzimuth;
    if (g.bigR == 0.0)
        return std::nullopt;
    const double r = tubeOffset(g, aim);
    // Axes: x east, y south, z up; phi is the colatitude taken negative.
    const double phi = aim.latitude * Angles::kDegToRad - kPi / 2.0;
    const double h = aim.hourAngle;
    const double d = aim.dec;
    const double ox = g.x + r * std::cos(h - kPi);
    const double oy = g.y + r * std::cos(phi) * std::sin(h - kPi);
    const double oz = g.z - r * std::sin(phi) * std::sin(h - kPi);
    const double kx = std::cos(d) * std::sin(-h);
    const double ky = std::cos(phi) * std::cos(d) * std::cos(h) + std::sin(phi) * std::sin(d);
    const double kz = std::cos(phi) * std::sin(d) - std::sin(phi) * std::cos(d) * std::cos(h);
    const double a = kx * kx + ky * ky + kz * kz;
    const double b = ox * kx + oy * ky + oz * kz;
    const double inside = g.bigR * g.bigR - (ox * ox + oy * oy + oz * oz);
    const double discriminant = b * b + inside * a;
    if (a == 0.0 || inside < 0.0 || discriminant < 0.0 || !std::isfinite(discriminant))
        return std::nullopt;
    const double t = (std::sqrt(discriminant) - b) / a;
    double az = std::atan2(ox + t * kx, -(oy + t * ky));
    if (az < 0.0)
        az += 2.0 * kPi;
    const double degrees = az * Angles::kRadToDeg;
    return degrees >= 360.0 ? 0.0 : degrees;
}

double domeAngleApart(double a, double b)
{
    const double e = std::abs(a - b);
    return e > 180.0 ? 360.0 - e : e;
}

std::optional<DomeAim> DomeAim::of(const DomeMount& mount, bool isGEM, bool inferTubeSide,
                                   double previousAzimuth)
{
    if (!mount.hasPosition())
        return std::nullopt;
    DomeAim aim;
    aim.isGEM = isGEM;
    aim.inferTubeSide = inferTubeSide;
    aim.previousAzimuth = previousAzimuth;
    aim.scopeAzimuth = mount.scopeAzimuth();
    aim.latitude = mount.latitude();
    aim.hourAngle = mount.scopeHourAngle();
    aim.dec = mount.scopeDec();
    return aim;
}
