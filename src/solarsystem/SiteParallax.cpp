#include "solarsystem/SiteParallax.h"

#include <cmath>
#include <numbers>

SiteParallax::SiteParallax(double latitude, double heightMetres)
{
    const double u = std::atan(kPolarRatio * std::tan(latitude));
    const double height = heightMetres / kEquatorialRadiusMetres;
    m_rhoSinPhi = kPolarRatio * std::sin(u) + height * std::sin(latitude);
    m_rhoCosPhi = std::cos(u) + height * std::cos(latitude);
}

SiteParallax::Topocentric SiteParallax::apply(const OrbitPlace::Geocentric& place,
                                              double siderealTime) const
{
    const double hourAngle = siderealTime - place.rightAscension;
    const double sp = std::sin(kSolarParallax / place.distance);
    const double sinDec = std::sin(place.declination);
    const double cosDec = std::cos(place.declination);
    Topocentric result;
    result.rightAscension =
        place.rightAscension - m_rhoCosPhi * sp * std::sin(hourAngle) / cosDec;
    if (result.rightAscension < 0.0)
        result.rightAscension += 2.0 * std::numbers::pi;
    result.declination =
        place.declination - sp * (m_rhoSinPhi * cosDec - m_rhoCosPhi * std::cos(hourAngle) * sinDec);
    return result;
}
