#include "scopeview/SVProjection.h"

#include "model/UnitVector.h"
#include "model/projection/PrecessionMatrix.h"

#include <algorithm>
#include <cmath>

// The chart's projection looks out from the site into its horizon frame
// (south, west, nadir); the telescope view looks out along the equator's
// frame with east to the left. The equatorial frame (x, -y, -z) plays the
// horizon frame, the centre's declination the altitude and -ra0 the
// direction the view faces.
SVProjection::SVProjection(const SVAngles& angles, double ra0, double dec0,
                           const std::array<double, 9>& precession)
    : m_projection(angles.svOffset, angles.svOffset, angles.svRadius, dec0, -ra0 - Angles::kPi),
      m_precession(precession), m_xLimit(angles.svXLimit), m_ra0(ra0), m_dec0(dec0)
{
    // The depth is linear in the direction: its gradient, turned back to
    // J2000, gives a direction's depth as one dot product.
    const double gx = m_projection.depth({1.0, 0.0, 0.0});
    const double gy = -m_projection.depth({0.0, 1.0, 0.0});
    const double gz = -m_projection.depth({0.0, 0.0, 1.0});
    const auto [x, y, z] = PrecessionMatrix::multiplyTransposed(m_precession, gx, gy, gz);
    m_centreJ2000 = {x, y, z};
}

bool SVProjection::mayShowJ2000(double x, double y, double z, double reach) const
{
    // cos(a + reach) >= cos(a) - reach: a direction this far below the limit
    // stays below it wherever it moves within `reach`. The last term covers
    // the rounding of the two ways to the depth.
    constexpr double kRounding = 1e-12;
    const double depth = x * m_centreJ2000[0] + y * m_centreJ2000[1] + z * m_centreJ2000[2];
    return depth >= m_xLimit - reach - kRounding;
}

double SVProjection::cullRadius() const
{
    return m_xLimit <= -1.0 ? Angles::kPi : std::acos(std::min(m_xLimit, 1.0));
}

std::optional<QPointF> SVProjection::projectOfDate(double x, double y, double z) const
{
    const HorizonVector h{x, -y, -z};
    const double c = m_projection.depth(h);
    if (!(c >= m_xLimit))
        return std::nullopt;
    const FloatPoint p = m_projection.chartPoint(h, c);
    return QPointF(p.x, p.y);
}

std::array<double, 3> SVProjection::toDate(double x, double y, double z) const
{
    return PrecessionMatrix::multiply(m_precession, x, y, z);
}

std::optional<QPointF> SVProjection::projectJ2000(double x, double y, double z) const
{
    const auto [u, v, s] = toDate(x, y, z);
    return projectOfDate(u, v, s);
}

std::array<double, 2> SVProjection::centreJ2000() const
{
    const UnitVector c = UnitVector::fromRADec(m_ra0, m_dec0);
    const auto [x, y, z] = PrecessionMatrix::multiplyTransposed(m_precession, c.x, c.y, c.z);
    return {Angles::wrap360(std::atan2(y, x) * Angles::kRadToDeg),
            std::asin(std::clamp(z, -1.0, 1.0)) * Angles::kRadToDeg};
}
