#include "model/projection/ProjectionFrame.h"

#include "model/Angles.h"

#include <cmath>

ProjectionFrame::ProjectionFrame(const View& view)
    : m_cx(double(float(view.skyRect.x()) + float(view.skyRect.width()) / 2.0f)),
      m_cy(double(float(view.skyRect.y()) + float(view.skyRect.height()) / 2.0f)),
      m_radius(view.radius),
      m_xLimit(view.xLimit),
      m_isAllSky(view.isAllSky),
      m_cut(view.isBelow ? 1.0 : 0.0),
      m_sinAlt(std::sin(view.altitude)),
      m_cosAlt(std::cos(view.altitude)),
      m_julianCenturies(PrecessionMatrix::julianCenturies(view.julianDay)),
      m_precession(view.precession)
{
    // The horizon frame's x axis points south, so the view looks along
    // azimuth + 180 degrees.
    double a = view.azimuth + Angles::kPi;
    if (a >= Angles::kTwoPi)
        a -= Angles::kTwoPi;
    m_sinA = std::sin(a);
    m_cosA = std::cos(a);

    // Equator of date to horizon: with u = x cos LST + y sin LST,
    // x' = u sin phi - z cos phi, y' = x sin LST - y cos LST,
    // z' = -z sin phi - u cos phi.
    const double sL = std::sin(view.primeMeridian), cL = std::cos(view.primeMeridian);
    const double sP = std::sin(view.latitude), cP = std::cos(view.latitude);
    m_ofDate = {cL * sP, sL * sP, -cP, sL, -cL, 0.0, -cL * cP, -sL * cP, -sP};

    // J2000 to horizon: the rotation of date after the precession.
    const std::array<double, 9>& p = m_precession.p;
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t c = 0; c < 3; ++c) {
            m_fromJ2000[3 * r + c] = m_ofDate[3 * r] * p[c] + m_ofDate[3 * r + 1] * p[3 + c] +
                                     m_ofDate[3 * r + 2] * p[6 + c];
        }
    }
}
