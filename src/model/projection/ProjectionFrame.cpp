#include "model/projection/ProjectionFrame.h"

#include <cmath>

ProjectionFrame::ProjectionFrame(const View& view)
    : m_stereographic(double(float(view.skyRect.x()) + float(view.skyRect.width()) / 2.0f),
                      double(float(view.skyRect.y()) + float(view.skyRect.height()) / 2.0f),
                      view.radius, view.altitude, view.azimuth),
      m_xLimit(view.xLimit),
      m_isAllSky(view.isAllSky),
      m_cut(view.isBelow ? 1.0 : 0.0),
      m_julianCenturies(PrecessionMatrix::julianCenturies(view.julianDay)),
      m_precession(view.precession)
{
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
