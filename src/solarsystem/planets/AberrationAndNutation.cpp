#include "solarsystem/planets/AberrationAndNutation.h"

#include <cmath>

AberrationAndNutation::AberrationAndNutation(const PlanetHandOver& h)
{
    const double meanObliquity = h.pOE - h.pNutObl;
    const double ce = std::cos(meanObliquity);
    const double se = std::sin(meanObliquity);
    const double vx = h.abbK * (std::sin(h.pLsun) - h.pecc * std::sin(h.plp));
    const double vy = h.abbK * (-std::cos(h.pLsun) + h.pecc * std::cos(h.plp));
    m_velocity = {vx, vy * ce, vy * se};

    // R1(-true obliquity) R3(-delta psi) R1(mean obliquity).
    const double cp = std::cos(h.pNutLong);
    const double sp = std::sin(h.pNutLong);
    const double ct = std::cos(h.pOE);
    const double st = std::sin(h.pOE);
    m_nutation = {cp,      -sp * ce,                -sp * se,
                  sp * ct, cp * ce * ct + se * st,  cp * se * ct - ce * st,
                  sp * st, cp * ce * st - se * ct,  cp * se * st + ce * ct};
}

Vec3 AberrationAndNutation::apply(const Vec3& meanOfDate) const
{
    const double length = meanOfDate.length();
    const double perLength = 1.0 / length;
    const double ux = meanOfDate.x * perLength;
    const double uy = meanOfDate.y * perLength;
    const double uz = meanOfDate.z * perLength;
    const Vec3& v = m_velocity;
    const double along = ux * v.x + uy * v.y + uz * v.z;
    const double ax = ux + v.x - along * ux;
    const double ay = uy + v.y - along * uy;
    const double az = uz + v.z - along * uz;
    const double scale = length / std::sqrt(ax * ax + ay * ay + az * az);
    const std::array<double, 9>& n = m_nutation;
    return {scale * (n[0] * ax + n[1] * ay + n[2] * az),
            scale * (n[3] * ax + n[4] * ay + n[5] * az),
            scale * (n[6] * ax + n[7] * ay + n[8] * az)};
}
